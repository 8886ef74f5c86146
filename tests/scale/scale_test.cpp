#include "scale/Nox_Scale.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace nox {
namespace {

using ::testing::ElementsAre;

// A stand-alone scale with a window, so that it paints.
struct TShownScale {
  TScale Scale{nullptr};
  int Paints = 0;
  TShownScale() {
    Scale.HandleNeeded();
    Scale.OnBeforeScaleRendered = [this](TObject*, TCanvas&) { ++Paints; };
  }
};

// Reads a scale from a stored form: loading state, properties, then Loaded.
void FinishLoading(TScale& scale) {
  scale.BeginLoading();
  scale.Loaded();
}

// --- construction and defaults ---

TEST(Scale, CreateGivesTheDefaults) {
  TScale s(nullptr);
  EXPECT_EQ(s.Width(), 400);
  EXPECT_EQ(s.Height(), 400);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
  EXPECT_EQ(s.ScaleType(), sctXB);
  EXPECT_EQ(s.LabelType(), ftNum);
  EXPECT_EQ(s.DecPlaces(), -2);
  EXPECT_EQ(s.MinTicks(), 3);
  EXPECT_EQ(s.MarginLeft(), 20);
  EXPECT_EQ(s.FrameStyle(), fsLowered);
  EXPECT_EQ(s.ColorBackGnd(), clBtnFace);
  EXPECT_EQ(s.CaptionAlignment(), taCenter);
  EXPECT_EQ(s.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(s.CaptionPosX(), 4);
  EXPECT_TRUE(s.ShortTicks());
  EXPECT_TRUE(s.ShowBaseLine());
  EXPECT_FALSE(s.Transparent());
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_TRUE(s.PaintSuspended());
  EXPECT_TRUE(s.Initialising());
  EXPECT_EQ(s.NumTicks(), 0);
  EXPECT_EQ(s.DateFormat().DateSeparator(), '-');
  EXPECT_EQ(s.DateFormat().TimeSeparator(), ':');
  EXPECT_EQ(s.DateFormat().YearLength(), ylYYYY);
  EXPECT_TRUE(s.DateFormat().MonthName());
  EXPECT_EQ(s.DateFormat().DateOrder(), doDDMMYY);
  EXPECT_EQ(s.DateFormat().DateForTime(), dtOnePerDay);
}

TEST(Scale, WindowCreationEndsThePaintSuspension) {
  TScale s(nullptr);
  s.HandleNeeded();
  EXPECT_FALSE(s.PaintSuspended());
}

TEST(Scale, ResetDefaultsRestoresEverythingAndSuspendsPainting) {
  TShownScale shown;
  TScale& s = shown.Scale;
  TBitmap host(10, 10);
  s.SetRange(-5, 5);
  s.SetScaleType(sctYR);
  s.SetCaption("volts");
  s.SetScaleInscript("& V");
  s.SetMouseAction(maPan);
  s.SetColorScheme(csSystem);
  s.SetHostCanvas(&host.Canvas(), 3, 4);
  s.SetHosted(true);
  s.OnZoomPan = [](TObject*) {};
  const int paints = shown.Paints;
  s.ResetDefaults();
  EXPECT_EQ(shown.Paints, paints);  // resetting does not paint
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
  EXPECT_EQ(s.ScaleType(), sctXB);
  EXPECT_EQ(s.Caption(), "");
  EXPECT_EQ(s.ScaleInscript(), "");
  EXPECT_EQ(s.MouseAction(), maNone);
  EXPECT_EQ(s.FrameColorShadow(), clGray);
  EXPECT_EQ(s.HostCanvas(), nullptr);
  EXPECT_EQ(s.HostOffsetY(), 0);
  EXPECT_FALSE(s.Hosted());
  EXPECT_FALSE(s.OnZoomPan);
  EXPECT_FALSE(s.OnBeforeScaleRendered);
  EXPECT_TRUE(s.PaintSuspended());
  EXPECT_DOUBLE_EQ(s.ScaleFactor(), 3.59);  // the mapping is computed again
}

// --- property repairs ---

TEST(Scale, EqualBoundsArePulledApart) {
  TScale s(nullptr);
  s.SetRangeLow(5);
  s.SetRangeHigh(5);
  EXPECT_EQ(s.RangeLow(), 6);
  EXPECT_EQ(s.RangeHigh(), 5);  // runs downwards
  s.SetRange(0, 5);
  s.SetRangeLow(5);
  EXPECT_EQ(s.RangeLow(), 5);
  EXPECT_EQ(s.RangeHigh(), 6);
  s.SetRange(3, 3);
  EXPECT_EQ(s.RangeLow(), 3);
  EXPECT_EQ(s.RangeHigh(), 4);
}

TEST(Scale, EqualHugeBoundsArePulledApartToo) {
  TScale s(nullptr);
  s.SetRange(1e17, 1e17);  // 1e17 + 1 == 1e17
  EXPECT_GT(s.RangeHigh(), 1e17);
  s.SetRange(std::numeric_limits<double>::max(), std::numeric_limits<double>::max());
  EXPECT_TRUE(std::isfinite(s.RangeHigh()));
  EXPECT_NE(s.RangeHigh(), s.RangeLow());
}

TEST(Scale, NonFiniteBoundsAreIgnored) {
  TScale s(nullptr);
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  s.SetRangeLow(nan);
  s.SetRangeHigh(inf);
  s.SetRange(-inf, 1);
  s.SetRange(1, nan);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(s.RangeHigh(), 100);
}

TEST(Scale, MarginsDecPlacesAndMinTicksAreClamped) {
  TScale s(nullptr);
  s.SetMarginLeft(-5);
  s.SetMarginTop(-1);
  EXPECT_EQ(s.MarginLeft(), 0);
  EXPECT_EQ(s.MarginTop(), 0);
  s.SetDecPlaces(20);
  EXPECT_EQ(s.DecPlaces(), 12);
  s.SetDecPlaces(-7);
  EXPECT_EQ(s.DecPlaces(), -3);
  s.SetMinTicks(1);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetMinTicks(50);
  EXPECT_EQ(s.MinTicks(), 10);
  s.SetMinTicks(-4);
  EXPECT_EQ(s.MinTicks(), 2);
  s.SetMinTicks(0);
  EXPECT_EQ(s.MinTicks(), 0);
}

TEST(Scale, EnumerationValuesOutsideTheirTypeAreIgnored) {
  TScale s(nullptr);
  s.SetScaleType(static_cast<TScaleType>(9));
  s.SetLabelType(static_cast<TFigType>(200));
  s.SetFrameStyle(static_cast<TFrameStyle>(6));
  s.SetCaptionAnchor(static_cast<TScaleUnitAnchor>(3));
  s.SetColorScheme(static_cast<TColorScheme>(2));
  EXPECT_EQ(s.ScaleType(), sctXB);
  EXPECT_EQ(s.LabelType(), ftNum);
  EXPECT_EQ(s.FrameStyle(), fsLowered);
  EXPECT_EQ(s.CaptionAnchor(), uaSclTopLft);
  EXPECT_EQ(s.ColorScheme(), csBWG);
}

TEST(Scale, ColorSchemeSetsTheFrameColours) {
  TScale s(nullptr);
  s.SetColorScheme(csSystem);
  EXPECT_EQ(s.FrameColorShadow(), clBtnShadow);
  EXPECT_EQ(s.FrameColorLight(), clBtnHighlight);
  EXPECT_EQ(s.FrameColorDark(), clBlack);
  s.SetColorScheme(csBWG);
  EXPECT_EQ(s.FrameColorShadow(), clGray);
  EXPECT_EQ(s.FrameColorLight(), clWhite);
}

TEST(Scale, TimeLabelsSetFourDecimals) {
  TScale s(nullptr);
  s.SetLabelType(ftTime);
  EXPECT_EQ(s.DecPlaces(), 4);
}

// --- logarithmic switch ---

TEST(Scale, LoadedScaleRefusesLogarithmicOnNonPositiveRange) {
  TScale s(nullptr);
  FinishLoading(s);
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  s.SetLogarithmic(false);
  EXPECT_FALSE(s.Logarithmic());
}

TEST(Scale, LoadedDateTimeScaleStaysLinear) {
  TScale s(nullptr);
  s.SetRange(1, 1000);
  s.SetLabelType(ftDateTime);
  FinishLoading(s);
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
}

// Only a scale being read takes True before its range (Loaded checks it then); one made in code
// refuses it over 0 .. 100 at once, keeping its linear mapping.
TEST(Scale, OnlyALoadingScaleAcceptsLogarithmicBeforeItsRange) {
  TScale s(nullptr);
  s.SetLogarithmic(true);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_DOUBLE_EQ(s.ScaleFactor(), 3.59);
  s.BeginLoading();
  s.SetLogarithmic(true);
  EXPECT_TRUE(s.Logarithmic());
  s.SetRange(1, 1000);
  s.Loaded();
  EXPECT_TRUE(s.Logarithmic());
  EXPECT_NEAR(s.ScaleFactor(), 359 / std::log(1000.0), 1e-12);
}

TEST(Scale, DateTimeLabelsTurnLogarithmicOffAndRemap) {
  TScale s(nullptr);
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  EXPECT_NEAR(s.ScaleFactor(), 359 / std::log(1000.0), 1e-12);
  s.SetLabelType(ftDateTime);
  EXPECT_FALSE(s.Logarithmic());
  EXPECT_NEAR(s.ScaleFactor(), 359 / 999.0, 1e-12);
  EXPECT_EQ(s.ValueToPixel(1000), 379);
}

// --- mapping ---

TEST(Scale, DefaultMappingPutsTheRangeBetweenTheMargins) {
  TScale s(nullptr);
  EXPECT_DOUBLE_EQ(s.ScaleFactor(), 3.59);
  EXPECT_EQ(s.ValueToPixel(0), 20);
  EXPECT_EQ(s.ValueToPixel(100), 379);
  EXPECT_EQ(s.ValueToPixel(25), 110);
  EXPECT_EQ(s.ValueToPixel(50), 200);  // 199.5: ties go to even
}

TEST(Scale, VerticalMappingRunsUpwards) {
  TScale s(nullptr);
  s.SetScaleType(sctYL);
  EXPECT_LT(s.ScaleFactor(), 0);
  EXPECT_EQ(s.ValueToPixel(100), 20);
  EXPECT_EQ(s.ValueToPixel(0), 379);
}

TEST(Scale, DescendingRangeRunsTheOtherWay) {
  TScale s(nullptr);
  s.SetRange(100, 0);
  EXPECT_EQ(s.ValueToPixel(100), 20);
  EXPECT_EQ(s.ValueToPixel(0), 379);
}

TEST(Scale, LogarithmicMapping) {
  TScale s(nullptr);
  s.SetRange(1, 1000);
  s.SetLogarithmic(true);
  EXPECT_EQ(s.ValueToPixel(1), 20);
  EXPECT_EQ(s.ValueToPixel(10), 140);
  EXPECT_EQ(s.ValueToPixel(1000), 379);
  EXPECT_EQ(s.ValueToPixel(0), 0);
  EXPECT_EQ(s.ValueToPixel(-5), 0);
  s.SetRange(1000, 1);
  EXPECT_EQ(s.ValueToPixel(0), 400);  // descending: the far edge
  EXPECT_EQ(s.ValueToPixel(1), 379);
}

TEST(Scale, ValueToPixelIsLimitedAndSafe) {
  TScale s(nullptr);
  EXPECT_EQ(s.ValueToPixel(1e300), 2147483647);
  EXPECT_EQ(s.ValueToPixel(-1e300), -2147483647);
  EXPECT_EQ(s.ValueToPixel(std::numeric_limits<double>::infinity()), 2147483647);
  EXPECT_EQ(s.ValueToPixel(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(Scale, AxisWithoutPixelsMapsToTheMiddle) {
  TScale s(nullptr);
  s.SetMarginLeft(300);
  s.SetMarginRight(300);
  EXPECT_EQ(s.ScaleFactor(), 0);
  EXPECT_EQ(s.ScaleOffset(), 200);
  EXPECT_EQ(s.ValueToPixel(0), 200);
  EXPECT_EQ(s.ValueToPixel(1e9), 200);
  s.SetMarginLeft(2147483647);  // no overflow in the extent
  EXPECT_EQ(s.ValueToPixel(50), 200);
}

TEST(Scale, MappingFollowsSizeAndMargins) {
  TScale s(nullptr);
  s.SetBounds(0, 0, 220, 50);
  EXPECT_EQ(s.ValueToPixel(100), 199);
  s.SetMarginLeft(0);
  EXPECT_EQ(s.ValueToPixel(0), 0);
}

TEST(Scale, MappingWaitsForTheEndOfLoading) {
  TScale s(nullptr);
  s.BeginLoading();
  s.SetMarginLeft(120);
  s.SetRange(0, 10);
  EXPECT_DOUBLE_EQ(s.ScaleFactor(), 3.59);
  s.Loaded();
  EXPECT_FALSE(s.Initialising());
  EXPECT_EQ(s.ValueToPixel(0), 120);
  EXPECT_EQ(s.ValueToPixel(10), 379);
}

// --- redraw rules ---

TEST(Scale, OpaqueScalePaintsAtOnceTransparentOneInvalidates) {
  TShownScale shown;
  shown.Scale.SetCaption("a");
  EXPECT_EQ(shown.Paints, 1);
  shown.Scale.SetTransparent(true);
  EXPECT_EQ(shown.Paints, 1);
  EXPECT_TRUE(shown.Scale.PaintPending());
  shown.Scale.PaintIfPending();  // the platform paints later
  EXPECT_EQ(shown.Paints, 2);
  shown.Scale.SetCaption("b");
  EXPECT_EQ(shown.Paints, 2);
  EXPECT_TRUE(shown.Scale.PaintPending());
}

TEST(Scale, HostedTransparentScalePaintsAtOnce) {
  TShownScale shown;
  shown.Scale.SetTransparent(true);
  shown.Scale.SetHosted(true);
  const int paints = shown.Paints;
  shown.Scale.SetCaption("x");
  EXPECT_EQ(shown.Paints, paints + 1);
}

TEST(Scale, SuspendedScaleDoesNotPaintUntilReleased) {
  TShownScale shown;
  shown.Scale.SetPaintSuspended(true);
  shown.Scale.SetRange(0, 10);
  EXPECT_EQ(shown.Paints, 0);
  shown.Scale.SetPaintSuspended(false);
  EXPECT_EQ(shown.Paints, 1);
  shown.Scale.SetPaintSuspended(false);  // no change, no paint
  EXPECT_EQ(shown.Paints, 1);
}

TEST(Scale, PaintNowPaintsWhileSuspendedAndKeepsTheSuspension) {
  TScale s(nullptr);
  int paints = 0;
  s.OnBeforeScaleRendered = [&](TObject*, TCanvas&) { ++paints; };
  s.PaintNow();
  EXPECT_EQ(paints, 1);
  EXPECT_TRUE(s.PaintSuspended());
  EXPECT_EQ(s.NumTicks(), 21);
}

TEST(Scale, HiddenOrLoadingScaleDoesNotPaint) {
  TShownScale shown;
  shown.Scale.SetVisible(false);
  shown.Scale.SetCaption("a");
  EXPECT_EQ(shown.Paints, 0);
  shown.Scale.SetDesigning(true);
  shown.Scale.SetCaption("b");
  EXPECT_EQ(shown.Paints, 1);  // a hidden scale still shows at design time
  shown.Scale.SetHosted(true);
  shown.Scale.SetCaption("c");
  EXPECT_EQ(shown.Paints, 1);  // but not when a chart hosts it
  TShownScale loading;
  loading.Scale.BeginLoading();
  loading.Scale.SetCaption("d");
  EXPECT_EQ(loading.Paints, 0);
}

TEST(Scale, DateFormatChangesRedraw) {
  TShownScale shown;
  shown.Scale.DateFormat().SetDateSeparator('/');
  EXPECT_EQ(shown.Paints, 1);
  TDTLabel other;  // no change handler of its own
  other.SetScaleDefaults();
  other.SetTimeFormat(tfAMPM);
  shown.Scale.SetDateFormat(other);
  EXPECT_EQ(shown.Scale.DateFormat().TimeFormat(), tfAMPM);
  EXPECT_EQ(shown.Paints, 2);
  shown.Scale.DateFormat().SetDateOrder(doYYMMDD);  // still notifies the scale
  EXPECT_EQ(shown.Paints, 3);
}

TEST(Scale, FontChangeRepaintsLater) {
  TShownScale shown;
  shown.Scale.PaintIfPending();
  shown.Scale.Font().SetSize(12);
  EXPECT_TRUE(shown.Scale.PaintPending());
}

// A handler of any paint event that changes the scale on every call (range, size or margin) has
// the scale painted again after the current pass, not inside it: three passes at most, nothing
// left pending, opaque or transparent; afterwards the scale paints once per request again.
TEST(Scale, PaintingFromAPaintEventIsDoneAfterItAndBounded) {
  enum TKind { kBefore, kAfter, kTick, kLabel };
  enum TChange { kSameRange, kRange, kResize, kMargin };
  for (const bool transparent : {false, true}) {
    for (int kind = kBefore; kind <= kLabel; ++kind) {
      for (int change = kSameRange; change <= kMargin; ++change) {
        SCOPED_TRACE(testing::Message() << transparent << " " << kind << " " << change);
        TScale s(nullptr);
        s.HandleNeeded();
        s.SetTransparent(transparent);
        s.PaintIfPending();
        int calls = 0;
        int passes = 0;
        const auto act = [&] {
          const int n = ++calls;
          if (change == kSameRange) s.SetRange(0, 100);
          if (change == kRange) s.SetRange(0, 100 + n);
          if (change == kResize) s.SetBounds(0, 0, 400 + n % 2, 400);
          if (change == kMargin) s.SetMarginLeft(20 + n % 2);
        };
        // Passes are counted by the rendered event that is not under test.
        s.OnBeforeScaleRendered = [&](TObject*, TCanvas&) {
          if (kind == kBefore) act();
          if (kind != kBefore) ++passes;
        };
        s.OnAfterScaleRendered = [&](TObject*, TCanvas&) {
          if (kind == kAfter) act();
          if (kind == kBefore) ++passes;
        };
        if (kind == kTick) s.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { act(); };
        if (kind == kLabel) s.OnBeforeTickLabel = [&](TObject*, TScaleType, double, std::string&) { act(); };
        s.Invalidate();
        s.PaintIfPending();
        EXPECT_GT(calls, 0);
        EXPECT_LE(passes, 3);
        EXPECT_FALSE(s.PaintPending());
        s.OnScaleTickDrawn = nullptr;
        s.OnBeforeTickLabel = nullptr;
        s.OnBeforeScaleRendered = [&](TObject*, TCanvas&) { ++passes; };
        s.OnAfterScaleRendered = nullptr;
        passes = 0;
        s.Invalidate();
        s.PaintIfPending();
        EXPECT_EQ(passes, 1);
      }
    }
  }
}

// --- tick list ---

TEST(Scale, TickListHoldsTheLastDrawing) {
  TScale s(nullptr);
  EXPECT_EQ(s.TickPos(1), 0);
  s.PaintNow();
  EXPECT_EQ(s.NumTicks(), 21);  // horizontal: the short ticks hold the major positions
  EXPECT_EQ(s.TickPos(1), 0);
  EXPECT_EQ(s.TickPos(2), 5);
  EXPECT_EQ(s.TickPos(21), 100);
  EXPECT_EQ(s.TickPos(0), 0);
  EXPECT_EQ(s.TickPos(22), 0);
  s.SetScaleType(sctYL);
  s.PaintNow();
  EXPECT_EQ(s.NumTicks(), 27);  // vertical: the major ticks again
  EXPECT_EQ(s.TickPos(22), 0);
  EXPECT_EQ(s.TickPos(27), 100);
}

TEST(Scale, TickListKeepsTwoHundredFiftyButAllTicksAreDrawn) {
  TScale s(nullptr);
  s.SetRange(0, 300);
  s.SetMinTicks(0);
  int drawn = 0;
  s.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { ++drawn; };
  s.PaintNow();
  EXPECT_EQ(drawn, 602);
  EXPECT_EQ(s.NumTicks(), 250);
  EXPECT_EQ(s.TickPos(250), 249);
  EXPECT_EQ(s.TickPos(251), 0);
}

// --- events during painting ---

struct TEventLog {
  std::vector<std::string> Entries;
  void Attach(TScale& s) {
    s.OnBeforeScaleRendered = [this](TObject*, TCanvas&) { Entries.push_back("before"); };
    s.OnAfterScaleRendered = [this](TObject*, TCanvas&) { Entries.push_back("after"); };
    s.OnScaleTickDrawn = [this](TObject*, TCanvas&, TScaleType, double v, int, int) {
      Entries.push_back("tick " + std::to_string(static_cast<int>(v)));
    };
    s.OnBeforeTickLabel = [this](TObject*, TScaleType, double v, std::string& text) {
      Entries.push_back("label " + std::to_string(static_cast<int>(v)) + " " + text);
    };
  }
};

TEST(Scale, HorizontalLinearEventsLabelBeforeTick) {
  TScale s(nullptr);
  s.SetRange(0, 50);
  s.SetMinTicks(2);
  s.SetShortTicks(false);
  TEventLog log;
  log.Attach(s);
  s.PaintNow();
  EXPECT_THAT(log.Entries, ElementsAre("before", "label 0 0", "tick 0", "label 20 20", "tick 20",
                                       "label 40 40", "tick 40", "after"));
}

TEST(Scale, VerticalLinearEventsTickBeforeLabel) {
  TScale s(nullptr);
  s.SetScaleType(sctYR);
  s.SetRange(0, 50);
  s.SetMinTicks(2);
  s.SetShortTicks(false);
  TEventLog log;
  log.Attach(s);
  s.PaintNow();
  EXPECT_THAT(log.Entries, ElementsAre("before", "tick 0", "label 0 0", "tick 20", "label 20 20", "tick 40",
                                       "label 40 40", "after"));
}

TEST(Scale, ShortTicksFireBeforeTheMajorTicks) {
  TScale s(nullptr);
  s.SetRange(0, 50);
  s.SetMinTicks(2);
  TEventLog log;
  log.Attach(s);
  s.PaintNow();
  ASSERT_EQ(log.Entries.size(), 2u + 11u + 6u);
  EXPECT_EQ(log.Entries[1], "tick 0");
  EXPECT_EQ(log.Entries[11], "tick 50");
  EXPECT_EQ(log.Entries[12], "label 0 0");
}

TEST(Scale, LogarithmicEventsTickBeforeLabel) {
  TScale s(nullptr);
  s.SetRange(1, 100);
  s.SetMinTicks(2);
  s.SetLogarithmic(true);
  TEventLog log;
  log.Attach(s);
  s.PaintNow();
  EXPECT_THAT(log.Entries, ElementsAre("before", "tick 1", "label 1 1", "tick 10", "label 10 10", "tick 100",
                                       "label 100 100", "after"));
}

TEST(Scale, TickEventReportsTheFootOnTheBaseLine) {
  TScale s(nullptr);
  std::vector<std::pair<int, int>> feet;
  s.OnScaleTickDrawn = [&](TObject* sender, TCanvas&, TScaleType, double v, int x, int y) {
    EXPECT_EQ(sender, &s);
    if (v == 100) feet.emplace_back(x, y);
  };
  s.PaintNow();
  s.SetScaleType(sctYL);
  s.PaintNow();
  EXPECT_THAT(feet,
              ElementsAre(std::pair{379, 379}, std::pair{379, 379}, std::pair{20, 20}, std::pair{20, 20}));
}

TEST(Scale, SnappedZeroIsReportedAsZero) {
  TScale s(nullptr);
  s.SetRange(-0.3, 1.2);
  s.SetMinTicks(10);
  s.SetShortTicks(false);
  std::vector<double> labelled;
  s.OnBeforeTickLabel = [&](TObject*, TScaleType, double v, std::string& text) {
    if (text == "0.00") labelled.push_back(v);
  };
  s.PaintNow();
  EXPECT_THAT(labelled, ElementsAre(0.0));
}

// --- copying ---

TEST(Scale, AssignCopiesSettingsButNotFontMouseActionOrHost) {
  TScale source(nullptr);
  TBitmap host(10, 10);
  source.SetRange(-1, 1);
  source.SetScaleType(sctYR);
  source.SetCaption("amps");
  source.SetScaleInscript("& A");
  source.SetUserTickText("a|b");
  source.SetMarginTop(7);
  source.SetColorScheme(csSystem);
  source.SetMouseAction(maPan);
  source.DateFormat().SetTimeFormat(tfAMPM);
  source.Font().SetName("Arial");
  source.OnZoomPan = [](TObject*) {};
  source.OnBeforeTickLabel = [](TObject*, TScaleType, double, std::string&) {};
  source.PaintNow();
  TScale target(nullptr);
  target.SetHostCanvas(&host.Canvas(), 0, 0);
  target.Assign(source);
  EXPECT_EQ(target.RangeLow(), -1);
  EXPECT_EQ(target.RangeHigh(), 1);
  EXPECT_EQ(target.ScaleType(), sctYR);
  EXPECT_EQ(target.Caption(), "amps");
  EXPECT_EQ(target.ScaleInscript(), "& A");
  EXPECT_EQ(target.UserTickText(), "a|b");
  EXPECT_EQ(target.MarginTop(), 7);
  EXPECT_EQ(target.FrameColorLight(), clBtnHighlight);
  EXPECT_EQ(target.ScaleFactor(), source.ScaleFactor());
  EXPECT_EQ(target.NumTicks(), source.NumTicks());
  EXPECT_EQ(target.TickPos(3), source.TickPos(3));
  EXPECT_EQ(target.DateFormat().TimeFormat(), tfAMPM);
  EXPECT_TRUE(target.OnBeforeTickLabel);
  EXPECT_EQ(target.MouseAction(), maNone);
  EXPECT_FALSE(target.OnZoomPan);
  EXPECT_NE(target.Font().Name(), "Arial");
  EXPECT_EQ(target.HostCanvas(), &host.Canvas());
}

TEST(Scale, AssignedDateFormatStillNotifiesItsOwnScale) {
  TShownScale source;
  TShownScale target;
  target.Scale.Assign(source.Scale);
  // Assign takes over the rendering events too; count the target's own paints again.
  target.Scale.OnBeforeScaleRendered = [&](TObject*, TCanvas&) { ++target.Paints; };
  const int sourcePaints = source.Paints;
  const int targetPaints = target.Paints;
  target.Scale.DateFormat().SetDateSeparator('.');
  EXPECT_EQ(source.Paints, sourcePaints);
  EXPECT_EQ(target.Paints, targetPaints + 1);
}

TEST(Scale, AssignToCopiesIntoAnotherScale) {
  TScale source(nullptr);
  source.SetCaption("x");
  TScale target(nullptr);
  source.AssignTo(target);
  EXPECT_EQ(target.Caption(), "x");
}

TEST(Scale, AssignFromOtherClassesFails) {
  TScale s(nullptr);
  TFont font;
  EXPECT_THROW(s.Assign(font), EConvertError);
  EXPECT_THROW(s.AssignTo(font), EConvertError);
}

// --- mouse ---

TEST(Scale, DoubleClickSwapsPanAndZoom) {
  TScale s(nullptr);
  int clicks = 0;
  s.OnDblClick = [&](TObject*) { ++clicks; };
  s.SetMouseAction(maPan);
  s.DispatchDblClick();
  EXPECT_EQ(s.MouseAction(), maZoom);
  s.DispatchDblClick();
  EXPECT_EQ(s.MouseAction(), maPan);
  s.SetMouseAction(maNone);
  s.DispatchDblClick();
  EXPECT_EQ(s.MouseAction(), maNone);
  s.SetMouseAction(maZoomDrag);
  s.DispatchDblClick();
  EXPECT_EQ(s.MouseAction(), maZoomDrag);
  EXPECT_EQ(clicks, 4);
}

TEST(Scale, DragPansTheRange) {
  TShownScale shown;
  TScale& s = shown.Scale;
  s.SetMouseAction(maPan);
  int zoomPans = 0;
  s.OnZoomPan = [&](TObject*) { ++zoomPans; };
  const int paints = shown.Paints;
  s.DispatchMouseMove({ssLeft}, 100, 10);  // the first move records the start
  EXPECT_EQ(s.RangeLow(), 0);
  s.DispatchMouseMove({ssLeft}, 136, 10);
  EXPECT_NEAR(s.RangeLow(), -10, 1e-9);
  EXPECT_NEAR(s.RangeHigh(), 90, 1e-9);
  EXPECT_EQ(zoomPans, 1);
  EXPECT_EQ(shown.Paints, paints + 1);  // one repaint per move
  EXPECT_FALSE(s.PaintSuspended());
  s.DispatchMouseMove({ssLeft}, 172, 10);  // still from the start of the drag
  EXPECT_NEAR(s.RangeLow(), -20, 1e-9);
}

TEST(Scale, DragOutsideTheAxisOrWithoutTheButtonDoesNothing) {
  TScale s(nullptr);
  s.SetMouseAction(maPan);
  s.DispatchMouseMove({ssLeft}, 100, 10);
  s.DispatchMouseMove({ssLeft}, 10, 10);    // left of the axis
  s.DispatchMouseMove({}, 200, 10);         // no button
  s.DispatchMouseMove({ssLeft}, 136, 400);  // below the control
  EXPECT_EQ(s.RangeLow(), 0);
  s.DispatchMouseMove({ssLeft}, 136, 10);
  EXPECT_NEAR(s.RangeLow(), -10, 1e-9);
}

TEST(Scale, ReleaseEndsTheDrag) {
  TScale s(nullptr);
  s.SetMouseAction(maPan);
  int ups = 0;
  s.OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
  s.DispatchMouseMove({ssLeft}, 100, 10);
  s.DispatchMouseUp(mbLeft, {}, 100, 10);
  EXPECT_EQ(ups, 1);
  s.DispatchMouseMove({ssLeft}, 136, 10);  // starts a new drag
  EXPECT_EQ(s.RangeLow(), 0);
}

TEST(Scale, VerticalDragZooms) {
  TScale s(nullptr);
  s.SetScaleType(sctYL);
  s.SetMouseAction(maZoom);
  s.DispatchMouseMove({ssLeft}, 10, 300);
  s.DispatchMouseMove({ssLeft}, 10, 160);
  EXPECT_NEAR(s.RangeLow(), -100, 1e-9);
  EXPECT_NEAR(s.RangeHigh(), 100, 1e-9);
}

TEST(Scale, DragWithoutAnActionChangesNothing) {
  TScale s(nullptr);
  int zoomPans = 0;
  s.OnZoomPan = [&](TObject*) { ++zoomPans; };
  s.DispatchMouseMove({ssLeft}, 100, 10);
  s.DispatchMouseMove({ssLeft}, 136, 10);
  EXPECT_EQ(s.RangeLow(), 0);
  EXPECT_EQ(zoomPans, 0);
}

}  // namespace
}  // namespace nox
