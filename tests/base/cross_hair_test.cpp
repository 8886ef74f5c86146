#include <gtest/gtest.h>

#include "base/Nox_noxbase.h"

namespace nox {
namespace {

// Counts notifications and remembers who sent the last one.
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

TEST(CrossHair, NewObjectHasEveryFieldZero) {
  TCrossHair c;
  EXPECT_EQ(c.PosX(), 0.0);
  EXPECT_EQ(c.PosY(), 0.0);
  EXPECT_EQ(c.Color(), clBlack);
  EXPECT_EQ(c.Mode(), chOff);
  EXPECT_EQ(c.LineType(), psSolid);
  EXPECT_EQ(c.LineWid(), 0);
  EXPECT_EQ(c.Layer(), 0);
  EXPECT_FALSE(c.OnChange);
}

TEST(CrossHair, EverySetterStoresAndNotifiesWithItselfAsSender) {
  TCrossHair c;
  ChangeCounter counter;
  c.OnChange = counter.Handler();
  c.SetPosX(1.5);
  c.SetPosY(-2.5);
  c.SetColor(clRed);
  c.SetMode(chCrossBox);
  c.SetLineType(psDashDotDot);
  c.SetLineWid(3);
  c.SetLayer(7);
  EXPECT_EQ(counter.calls, 7);
  EXPECT_EQ(counter.sender, &c);
  EXPECT_EQ(c.PosX(), 1.5);
  EXPECT_EQ(c.PosY(), -2.5);
  EXPECT_EQ(c.Color(), clRed);
  EXPECT_EQ(c.Mode(), chCrossBox);
  EXPECT_EQ(c.LineType(), psDashDotDot);
  EXPECT_EQ(c.LineWid(), 3);
  EXPECT_EQ(c.Layer(), 7);
}

TEST(CrossHair, SettingTheSameValueStillNotifies) {
  TCrossHair c;
  ChangeCounter counter;
  c.OnChange = counter.Handler();
  c.SetColor(clBlack);
  c.SetPosX(0.0);
  EXPECT_EQ(counter.calls, 2);
}

TEST(CrossHair, LayerIsClampedIntoOneToSixteenAndNotified) {
  TCrossHair c;
  ChangeCounter counter;
  c.OnChange = counter.Handler();
  c.SetLayer(0);
  EXPECT_EQ(c.Layer(), 1);
  c.SetLayer(20);
  EXPECT_EQ(c.Layer(), 16);
  c.SetLayer(-2147483647 - 1);
  EXPECT_EQ(c.Layer(), 1);
  c.SetLayer(16);
  EXPECT_EQ(c.Layer(), 16);
  EXPECT_EQ(counter.calls, 4);
}

TEST(CrossHair, AssignCopiesFieldsAndHandlerWithoutNotifying) {
  TCrossHair source;
  ChangeCounter sourceCounter;
  source.SetPosX(3.25);
  source.SetPosY(-1e300);
  source.SetColor(0x123456);
  source.SetMode(chBox);
  source.SetLineType(psDot);
  source.SetLineWid(2);
  source.SetLayer(4);
  source.OnChange = sourceCounter.Handler();

  TCrossHair target;
  ChangeCounter targetCounter;
  target.OnChange = targetCounter.Handler();
  target.Assign(source);
  EXPECT_EQ(targetCounter.calls, 0);
  EXPECT_EQ(sourceCounter.calls, 0);
  EXPECT_EQ(target.PosX(), 3.25);
  EXPECT_EQ(target.PosY(), -1e300);
  EXPECT_EQ(target.Color(), 0x123456u);
  EXPECT_EQ(target.Mode(), chBox);
  EXPECT_EQ(target.LineType(), psDot);
  EXPECT_EQ(target.LineWid(), 2);
  EXPECT_EQ(target.Layer(), 4);

  // The target now calls the source's handler, with itself as Sender.
  target.SetLineWid(5);
  EXPECT_EQ(targetCounter.calls, 0);
  EXPECT_EQ(sourceCounter.calls, 1);
  EXPECT_EQ(sourceCounter.sender, &target);
}

TEST(CrossHair, AssignFromAnotherClassRaisesTheAssignmentError) {
  TCrossHair c;
  TDTLabel other;
  try {
    c.Assign(other);
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "Cannot assign a TDTLabel to a TCrossHair.");
  }
}

TEST(CrossHair, AssignToAnotherCrossHairGoesThroughItsAssign) {
  TCrossHair source;
  source.SetLayer(9);
  TCrossHair dest;
  source.AssignTo(dest);
  EXPECT_EQ(dest.Layer(), 9);
  TDTLabel notACrossHair;
  EXPECT_THROW(source.AssignTo(notACrossHair), EConvertError);
}

}  // namespace
}  // namespace nox
