#include <gtest/gtest.h>

#include "base/Nox_noxbase.h"

namespace nox {
namespace {

struct ChangeCounter {
  int calls = 0;
  TObject* sender = nullptr;
  TNotifyEvent Handler() {
    return [this](TObject* s) {
      ++calls;
      sender = s;
    };
  }
};

// The chart's published label class; derived classes must be accepted by Assign.
class TDerivedLabel : public TCustomTextLabel {
 public:
  std::string_view ClassName() const override { return "TDerivedLabel"; }
};

TEST(TextLabel, DefaultsAtCreation) {
  TCustomTextLabel l;
  EXPECT_EQ(l.PosX(), 100.0);
  EXPECT_EQ(l.PosY(), 10.0);
  EXPECT_EQ(l.Layer(), 1);
  EXPECT_EQ(l.ShadowDx(), 0);
  EXPECT_EQ(l.ShadowDy(), 0);
  EXPECT_EQ(l.ColorShadow(), 0x808080u);
  EXPECT_EQ(l.Alignment(), taCenter);
  EXPECT_EQ(l.VerticalAlignment(), vaBottom);
  EXPECT_EQ(l.AttachToData(), tlamNone);
  EXPECT_EQ(l.ColorBkg(), 0xC0C0C0u);
  EXPECT_EQ(l.ColorBorder(), 0u);
  EXPECT_FALSE(l.Transparent());
  EXPECT_EQ(l.Caption(), "");
  EXPECT_EQ(l.Mode(), tlsimple);
  EXPECT_TRUE(l.Visible());
  EXPECT_FALSE(l.OnChange);
}

TEST(TextLabel, EverySetterStoresAndNotifies) {
  TCustomTextLabel l;
  ChangeCounter counter;
  l.OnChange = counter.Handler();
  l.SetPosX(1);
  l.SetPosY(2);
  l.SetLayer(3);
  l.SetShadowDx(4);
  l.SetShadowDy(-5);
  l.SetColorShadow(clRed);
  l.SetAlignment(taRightJustify);
  l.SetVerticalAlignment(vaTop);
  l.SetAttachToData(tlamYOnly);
  l.SetColorBkg(clLime);
  l.SetColorBorder(clBlue);
  l.SetTransparent(true);
  l.SetCaption("abc");
  l.SetMode(tlShadow);
  l.SetVisible(false);
  EXPECT_EQ(counter.calls, 15);
  EXPECT_EQ(counter.sender, &l);
  EXPECT_EQ(l.Layer(), 3);
  EXPECT_EQ(l.ShadowDy(), -5);
  EXPECT_EQ(l.AttachToData(), tlamYOnly);
  EXPECT_EQ(l.Mode(), tlShadow);
  EXPECT_FALSE(l.Visible());
}

TEST(TextLabel, LayerOutsideOneToSixteenIsIgnoredWithoutNotifying) {
  TCustomTextLabel l;
  ChangeCounter counter;
  l.SetLayer(5);
  l.OnChange = counter.Handler();
  l.SetLayer(0);
  l.SetLayer(17);
  l.SetLayer(-1);
  EXPECT_EQ(l.Layer(), 5);
  EXPECT_EQ(counter.calls, 0);
  l.SetLayer(16);
  EXPECT_EQ(l.Layer(), 16);
  EXPECT_EQ(counter.calls, 1);
}

TEST(TextLabel, CaptionControlCharactersBecomeSpacesButLineFeedsStay) {
  TCustomTextLabel l;
  l.SetCaption("a\tb\nc\rd");
  EXPECT_EQ(l.Caption(), "a b\nc d");
  l.SetCaption(std::string("x\0y\x1f", 4));
  EXPECT_EQ(l.Caption(), "x y ");
}

TEST(TextLabel, CaptionKeepsNonAsciiText) {
  TCustomTextLabel l;
  l.SetCaption("Temp\xc3\xa9rature \xe2\x82\xac \x7f");
  EXPECT_EQ(l.Caption(), "Temp\xc3\xa9rature \xe2\x82\xac \x7f");
}

TEST(TextLabel, SetFontCopiesAttributesAndNotifies) {
  TCustomTextLabel l;
  ChangeCounter counter;
  l.OnChange = counter.Handler();
  TFont f;
  f.SetName("Arial");
  f.SetHeight(-20);
  f.SetColor(clRed);
  f.SetStyle({fsBold});
  l.SetFont(f);
  EXPECT_EQ(counter.calls, 1);
  EXPECT_EQ(l.Font().Name(), "Arial");
  EXPECT_EQ(l.Font().Height(), -20);
  // A copy, not a reference: later changes of the given font stay out.
  f.SetName("Courier");
  EXPECT_EQ(l.Font().Name(), "Arial");
  EXPECT_NE(&l.Font(), &f);
}

TEST(TextLabel, AssignCopiesEveryFieldAndHandlerWithoutNotifying) {
  TDerivedLabel source;
  ChangeCounter sourceCounter;
  source.SetPosX(-7);
  source.SetPosY(8);
  source.SetLayer(12);
  source.SetShadowDx(3);
  source.SetShadowDy(4);
  source.SetColorShadow(1);
  source.SetAlignment(taLeftJustify);
  source.SetVerticalAlignment(vaCenter);
  source.SetAttachToData(tlamBoth);
  source.SetColorBkg(2);
  source.SetColorBorder(3);
  source.SetTransparent(true);
  source.Font().SetName("Arial");
  source.Font().SetStyle({fsItalic, fsUnderline});
  source.SetCaption("two\nlines");
  source.SetMode(tlBox);
  source.SetVisible(false);
  source.OnChange = sourceCounter.Handler();

  TCustomTextLabel target;
  ChangeCounter targetCounter;
  target.OnChange = targetCounter.Handler();
  target.Assign(source);
  EXPECT_EQ(targetCounter.calls, 0);
  EXPECT_EQ(sourceCounter.calls, 0);
  EXPECT_EQ(target.PosX(), -7);
  EXPECT_EQ(target.PosY(), 8);
  EXPECT_EQ(target.Layer(), 12);
  EXPECT_EQ(target.ShadowDx(), 3);
  EXPECT_EQ(target.ShadowDy(), 4);
  EXPECT_EQ(target.ColorShadow(), 1u);
  EXPECT_EQ(target.Alignment(), taLeftJustify);
  EXPECT_EQ(target.VerticalAlignment(), vaCenter);
  EXPECT_EQ(target.AttachToData(), tlamBoth);
  EXPECT_EQ(target.ColorBkg(), 2u);
  EXPECT_EQ(target.ColorBorder(), 3u);
  EXPECT_TRUE(target.Transparent());
  EXPECT_EQ(target.Font().Name(), "Arial");
  EXPECT_EQ(target.Font().Style(), (TFontStyles{fsItalic, fsUnderline}));
  EXPECT_NE(&target.Font(), &source.Font());
  EXPECT_EQ(target.Caption(), "two\nlines");
  EXPECT_EQ(target.Mode(), tlBox);
  EXPECT_FALSE(target.Visible());

  target.SetPosX(0);
  EXPECT_EQ(sourceCounter.calls, 1);
  EXPECT_EQ(sourceCounter.sender, &target);
}

TEST(TextLabel, AssignFromAnotherClassRaisesTheAssignmentError) {
  TCustomTextLabel l;
  TCrossHair c;
  try {
    l.Assign(c);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TCrossHair to a TCustomTextLabel.");
  }
}

TEST(TextLabel, AssignToNeedsTheSourceToBeAnInstanceOfTheDestinationsClass) {
  TCustomTextLabel base;
  base.SetLayer(2);
  TDerivedLabel derived;
  derived.SetLayer(3);

  TCustomTextLabel baseDest;
  derived.AssignTo(baseDest);  // a TDerivedLabel is a TCustomTextLabel
  EXPECT_EQ(baseDest.Layer(), 3);

  TDerivedLabel derivedDest;
  derived.AssignTo(derivedDest);
  EXPECT_EQ(derivedDest.Layer(), 3);
  try {
    base.AssignTo(derivedDest);  // a TCustomTextLabel is not a TDerivedLabel
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TCustomTextLabel to a TDerivedLabel.");
  }
  EXPECT_EQ(derivedDest.Layer(), 3);
}

}  // namespace
}  // namespace nox
