#include "scale/tick_layout.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <array>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

namespace nox {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

TTickSettings Settings(double low, double high, int minTicks = 3) {
  TTickSettings s;
  s.RangeLow = low;
  s.RangeHigh = high;
  s.MinTicks = minTicks;
  return s;
}

TTickSettings Vertical(TTickSettings s) {
  s.Vertical = true;
  return s;
}

std::vector<double> ValuesOf(const TTickList& list, TTickMark mark) {
  std::vector<double> values;
  for (const TTick& t : list.Ticks) {
    if (t.Mark == mark) values.push_back(t.Value);
  }
  return values;
}

std::vector<std::string> LabelsOf(const TTickList& list) {
  std::vector<std::string> labels;
  for (const TTick& t : list.Ticks) {
    if (t.Labelled) labels.push_back(t.Label);
  }
  return labels;
}

int RecordedCount(const TTickList& list) {
  int n = 0;
  for (const TTick& t : list.Ticks) n += t.Recorded ? 1 : 0;
  return n;
}

// --- NiceTickStep ---

TEST(NiceTickStep, RoundStepsForCommonRanges) {
  EXPECT_EQ(NiceTickStep(3, 0, 100), (TNiceTickStep{0, 20, 4}));
  EXPECT_EQ(NiceTickStep(3, 0, 300), (TNiceTickStep{0, 100, 5}));
  EXPECT_EQ(NiceTickStep(3, -60, 40), (TNiceTickStep{-60, 20, 4}));
  EXPECT_EQ(NiceTickStep(3, 0, 1), (TNiceTickStep{0, 0.2, 4}));
  EXPECT_EQ(NiceTickStep(3, 0, 2000000), (TNiceTickStep{0, 500000, 5}));
  EXPECT_EQ(NiceTickStep(10, 0, 1000), (TNiceTickStep{0, 100, 5}));
}

TEST(NiceTickStep, FirstTickIsTheFirstMultipleAtOrAfterLow) {
  EXPECT_EQ(NiceTickStep(3, 13, 113).First, 20);
  EXPECT_EQ(NiceTickStep(3, -13, 87).First, 0);
  EXPECT_EQ(NiceTickStep(3, 19.99999, 120).First, 20);  // within a thousandth of a step counts as on it
}

TEST(NiceTickStep, ExactQuotientsAtAStepBoundaryTakeTheSmallerStep) {
  // 6 / 3 = 2 and 15 / 3 = 5 lie on a boundary; the tolerance puts them below it.
  EXPECT_EQ(NiceTickStep(3, 0, 6), (TNiceTickStep{0, 1, 5}));
  EXPECT_EQ(NiceTickStep(3, 0, 15), (TNiceTickStep{0, 2, 4}));
  EXPECT_EQ(NiceTickStep(3, 0, 30), (TNiceTickStep{0, 10, 5}));
  EXPECT_EQ(NiceTickStep(3, 0, 0.3), (TNiceTickStep{0, 0.1, 5}));
}

TEST(NiceTickStep, DescendingRangeStepsDownwards) {
  EXPECT_EQ(NiceTickStep(3, 100, 0), (TNiceTickStep{100, -20, 4}));
  EXPECT_EQ(NiceTickStep(3, 87, -13), (TNiceTickStep{80, -20, 4}));
}

TEST(NiceTickStep, EqualBoundsHaveNoStep) { EXPECT_EQ(NiceTickStep(3, 5, 5), (TNiceTickStep{5, 0, 1})); }

TEST(NiceTickStep, MinTicksZeroStepsByOne) {
  EXPECT_EQ(NiceTickStep(0, 0, 100), (TNiceTickStep{0, 1, 1}));
  EXPECT_EQ(NiceTickStep(0, 0, 5), (TNiceTickStep{0, 1, 5}));
  EXPECT_EQ(NiceTickStep(0, -5.5, 20), (TNiceTickStep{-5, 1, 1}));
}

TEST(NiceTickStep, MinTicksZeroOnDescendingRangeStepsDownwards) {
  EXPECT_EQ(NiceTickStep(0, 10, 0), (TNiceTickStep{10, -1, 5}));
  EXPECT_EQ(NiceTickStep(0, -5.5, -30), (TNiceTickStep{-6, -1, 1}));
}

TEST(NiceTickStep, UnusableInputHasNoStep) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(NiceTickStep(3, nan, 1).Step, 0);
  EXPECT_EQ(NiceTickStep(3, 0, nan).Step, 0);
  EXPECT_EQ(NiceTickStep(3, -inf, inf).Step, 0);
  EXPECT_EQ(NiceTickStep(0, 0, inf).Step, 0);
  EXPECT_EQ(NiceTickStep(-1, 0, 1).Step, 0);
}

TEST(NiceTickStep, WholeDoubleRangeHasFiniteTicks) {
  const TNiceTickStep nice = NiceTickStep(3, -DBL_MAX, DBL_MAX);
  EXPECT_EQ(nice.Step, 1e308);
  EXPECT_TRUE(std::isfinite(nice.First));
  EXPECT_GE(nice.First, -DBL_MAX);
}

TEST(NiceTickStep, StepVanishingAgainstTheValueEnds) {
  // The step (5000) is smaller than the spacing of doubles near 1e20 (16384).
  const double high = std::nextafter(1e20, 2e20);
  const TNiceTickStep nice = NiceTickStep(3, 1e20, high);
  EXPECT_EQ(nice.Step, 5000);
  EXPECT_TRUE(std::isfinite(nice.First));
}

TEST(NiceTickStep, TinySpansGiveTinySteps) {
  const TNiceTickStep nice = NiceTickStep(3, 1, 1 + 3e-12);
  EXPECT_DOUBLE_EQ(nice.Step, 1e-12);
  EXPECT_EQ(NiceTickStep(3, 0, 5e-324).Step, 0);  // a step below the smallest double
}

// --- linear routine ---

TEST(LinearTicks, ZeroToHundredHasMajorsEveryTwentyAndShortsEveryFive) {
  const TTickList list = LayoutLinearTicks(Settings(0, 100));
  EXPECT_THAT(ValuesOf(list, tmMajor), ElementsAre(0, 20, 40, 60, 80, 100));
  std::vector<double> shorts;
  for (int v = 0; v <= 100; v += 5) shorts.push_back(v);
  EXPECT_THAT(ValuesOf(list, tmShort), ElementsAreArray(shorts));
  EXPECT_THAT(LabelsOf(list), ElementsAre("0", "20", "40", "60", "80", "100"));
}

// Bounds that lie on the short-tick grid get a short tick each, exactly on the bound, at both ends
// and in either direction, although the walk's sums of rounded steps land a hair beside them.
TEST(LinearTicks, ShortTicksOnTheBoundsAreKeptAtBothEnds) {
  struct TCase {
    double Low, High;
    int MinTicks;
  };
  for (const TCase c : {TCase{0, 1, 10}, {1, 0, 10}, {0, 0.3, 3}, {0.3, 0, 3}, {0, 0.6, 2}, {0.1, 0, 5}}) {
    const std::vector<double> shorts =
        ValuesOf(LayoutLinearTicks(Settings(c.Low, c.High, c.MinTicks)), tmShort);
    ASSERT_FALSE(shorts.empty());
    EXPECT_EQ(shorts.front(), c.Low) << c.Low << ".." << c.High;
    EXPECT_EQ(shorts.back(), c.High) << c.Low << ".." << c.High;
  }
}

TEST(LinearTicks, ShortTicksComeFirstThenMajors) {
  const TTickList list = LayoutLinearTicks(Settings(0, 100));
  ASSERT_EQ(list.Ticks.size(), 27u);
  for (std::size_t i = 0; i < 21; ++i) EXPECT_EQ(list.Ticks[i].Mark, tmShort) << i;
  for (std::size_t i = 21; i < 27; ++i) EXPECT_EQ(list.Ticks[i].Mark, tmMajor) << i;
}

TEST(LinearTicks, HorizontalRecordsOnlyShortTicksVerticalRecordsBoth) {
  EXPECT_EQ(RecordedCount(LayoutLinearTicks(Settings(0, 100))), 21);
  EXPECT_EQ(RecordedCount(LayoutLinearTicks(Vertical(Settings(0, 100)))), 27);
  TTickSettings noShorts = Settings(0, 100);
  noShorts.ShortTicks = false;
  const TTickList list = LayoutLinearTicks(noShorts);
  EXPECT_EQ(list.Ticks.size(), 6u);
  EXPECT_EQ(RecordedCount(list), 6);
}

TEST(LinearTicks, HorizontalLabelsPrecedeTheDrawnEventVerticalOnesFollowIt) {
  for (const TTick& t : LayoutLinearTicks(Settings(0, 100)).Ticks) {
    EXPECT_EQ(t.LabelBeforeDrawn, t.Mark == tmMajor);
  }
  for (const TTick& t : LayoutLinearTicks(Vertical(Settings(0, 100))).Ticks) EXPECT_FALSE(t.LabelBeforeDrawn);
}

TEST(LinearTicks, UnitRangeLabelsWithTwoDecimals) {
  const TTickList list = LayoutLinearTicks(Settings(0, 1));
  EXPECT_THAT(LabelsOf(list), ElementsAre("0.00", "0.20", "0.40", "0.60", "0.80", "1.00"));
}

TEST(LinearTicks, ZeroIsSnappedAndReportedAsExactlyZero) {
  // -0.3 + 3 x 0.1 is not exactly 0 in floating point; the label and the reported value are.
  const TTickList list = LayoutLinearTicks(Settings(-0.3, 1.2, 10));
  const auto zero = std::find_if(list.Ticks.begin(), list.Ticks.end(),
                                 [](const TTick& t) { return t.Labelled && t.Label == "0.00"; });
  ASSERT_NE(zero, list.Ticks.end());
  EXPECT_EQ(zero->LabelValue, 0.0);
  EXPECT_NEAR(zero->Value, 0.0, 1e-15);
  EXPECT_THAT(LabelsOf(list), ElementsAre("-0.30", "-0.20", "-0.10", "0.00", "0.10", "0.20", "0.30", "0.40",
                                          "0.50", "0.60", "0.70", "0.80", "0.90", "1.00", "1.10", "1.20"));
}

TEST(LinearTicks, LargeRangesUseExponentFormWithAShortZero) {
  const TTickList list = LayoutLinearTicks(Settings(0, 2000000));
  EXPECT_THAT(LabelsOf(list), ElementsAre("0.0", " 5.0E+05", " 1.0E+06", " 1.5E+06", " 2.0E+06"));
  TTickSettings fixed = Settings(0, 200000);
  EXPECT_EQ(LabelsOf(LayoutLinearTicks(fixed)).front(), "0");
}

TEST(LinearTicks, DecPlacesZeroLabelsOnlyWholeNumbers) {
  TTickSettings s = Settings(0, 1);
  s.DecPlaces = 0;
  EXPECT_THAT(LabelsOf(LayoutLinearTicks(s)), ElementsAre("0", "", "", "", "", "1"));
}

TEST(LinearTicks, LabelsAreCutToFourteenCharacters) {
  TTickSettings s = Settings(0, 3);
  s.DecPlaces = 12;
  EXPECT_THAT(LabelsOf(LayoutLinearTicks(s)),
              ElementsAre("0.000000000000", "1.000000000000", "2.000000000000", "3.000000000000"));
  s.DecPlaces = 0;
  s.RangeLow = 1e20;
  s.RangeHigh = 4e20;
  for (const std::string& label : LabelsOf(LayoutLinearTicks(s))) EXPECT_EQ(label.size(), 14u);
}

// Labels that the rules would print alike for different ticks get the fewest extra digits that tell
// them apart, uncut (a span of 1e-5 around 25 once read " 2.5E+01" throughout; 0.12 .. 0.26 with
// one decimal "0.1", "0.1", "0.2" ...). Ordinary ranges, where the rules tell the ticks apart, keep
// their texts: a checksum of the labels of 400 seeded ranges (spans 1e-3 .. 1e5 within five spans
// of zero, logarithmic ones over 1 to 6 decades, automatic and fixed decimals) as they read before.
TEST(LinearTicks, LabelsTellTicksApartAndOrdinaryRangesKeepTheirTexts) {
  EXPECT_THAT(
      LabelsOf(LayoutLinearTicks(Settings(24.999995, 25.000005))),
      ElementsAre(" 2.4999996E+01", " 2.4999998E+01", " 2.5000000E+01", " 2.5000002E+01", " 2.5000004E+01"));
  TTickSettings fixed = Settings(0.12, 0.26, 3);
  fixed.DecPlaces = 1;
  EXPECT_THAT(LabelsOf(LayoutLinearTicks(fixed)),
              ElementsAre("0.12", "0.14", "0.16", "0.18", "0.20", "0.22", "0.24", "0.26"));

  std::mt19937 rng(18);
  const auto unit = [&rng] { return static_cast<double>(rng()) / 4294967296.0; };
  std::uint64_t checksum = 14695981039346656037u;  // FNV-1a over the labels, each ended by "|"
  for (int i = 0; i < 400; ++i) {
    TTickSettings s;
    const double span = (1 + 9 * unit()) * std::pow(10.0, static_cast<int>(rng() % 9) - 3);
    s.RangeLow = (unit() - 0.5) * 10 * span;
    s.RangeHigh = s.RangeLow + span;
    s.MinTicks = 2 + static_cast<int>(rng() % 9);
    s.DecPlaces = std::array{-2, -3, 4, 6}[rng() % 4];
    s.ShortTicks = rng() % 2 == 0;
    s.Vertical = rng() % 2 == 0;
    if (rng() % 5 == 0) {
      s.Logarithmic = true;
      s.RangeLow = std::pow(10.0, 6 * unit() - 3);
      s.RangeHigh = s.RangeLow * std::pow(10.0, 1 + 5 * unit());
    }
    if (rng() % 4 == 0) std::swap(s.RangeLow, s.RangeHigh);
    for (const TTick& t : LayoutTicks(s).Ticks) {
      if (!t.Labelled) continue;
      for (const char c : t.Label + "|")
        checksum = (checksum ^ static_cast<unsigned char>(c)) * 1099511628211u;
    }
  }
  EXPECT_EQ(checksum, 0x6d71093393f78aadu);
}

TEST(LinearTicks, UserTextRepeatsItsLastItem) {
  TTickSettings s = Settings(0, 80);
  s.LabelType = ftUserText;
  s.UserTickText = "Mon|Tue|Wed";
  s.ScaleInscript = "&%";  // user texts take no inscript
  EXPECT_THAT(LabelsOf(LayoutLinearTicks(s)), ElementsAre("Mon", "Tue", "Wed", "Wed", "Wed"));
}

TEST(LinearTicks, InscriptWrapsNumericLabels) {
  TTickSettings s = Settings(0, 100);
  s.ScaleInscript = "&%";
  EXPECT_THAT(LabelsOf(LayoutLinearTicks(s)), ElementsAre("0%", "20%", "40%", "60%", "80%", "100%"));
  s.ScaleInscript = "$&";
  s.DecPlaces = 0;
  s.RangeHigh = 1;
  EXPECT_THAT(LabelsOf(LayoutLinearTicks(s)), ElementsAre("$0", "", "", "", "", "$1"));
}

TEST(LinearTicks, NoFiguresMeansNoLabels) {
  TTickSettings s = Settings(0, 100);
  s.LabelType = ftNoFigs;
  const TTickList list = LayoutLinearTicks(s);
  EXPECT_EQ(ValuesOf(list, tmMajor).size(), 6u);
  EXPECT_TRUE(LabelsOf(list).empty());
}

TEST(LinearTicks, DescendingRangeRunsFromLowToHigh) {
  const TTickList list = LayoutLinearTicks(Settings(100, 0));
  EXPECT_THAT(ValuesOf(list, tmMajor), ElementsAre(100, 80, 60, 40, 20, 0));
  EXPECT_EQ(ValuesOf(list, tmShort).size(), 21u);
  EXPECT_EQ(ValuesOf(list, tmShort).front(), 100);
}

TEST(LinearTicks, MinTicksZeroOnDescendingRangeEnds) {
  const TTickList list = LayoutLinearTicks(Settings(10, 0, 0));
  EXPECT_THAT(ValuesOf(list, tmMajor), ElementsAre(10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0));
  EXPECT_EQ(ValuesOf(list, tmShort).size(), 51u);
}

TEST(LinearTicks, MinTicksZeroOnAHugeRangeIsBounded) {
  const TTickList list = LayoutLinearTicks(Vertical(Settings(0, 1e12, 0)));
  EXPECT_EQ(ValuesOf(list, tmMajor).size(), static_cast<std::size_t>(kMaxTicksPerPass));
  EXPECT_LE(list.Ticks.size(), static_cast<std::size_t>(2 * kMaxTicksPerPass));
}

TEST(LinearTicks, MinTicksZeroOnAWideRangeDrawsEveryInteger) {
  const TTickList list = LayoutLinearTicks(Settings(0, 300, 0));
  EXPECT_EQ(ValuesOf(list, tmMajor).size(), 301u);
  EXPECT_EQ(RecordedCount(list), 301);
}

TEST(LinearTicks, StepsVanishingAgainstTheValuesAreBounded) {
  const double high = std::nextafter(std::nextafter(1e20, 2e20), 2e20);
  const TTickList list = LayoutLinearTicks(Settings(1e20, high));
  EXPECT_FALSE(list.Ticks.empty());
  EXPECT_LE(list.Ticks.size(), static_cast<std::size_t>(2 * kMaxTicksPerPass));
}

TEST(LinearTicks, WholeDoubleRangeGivesFiniteTicks) {
  const TTickList list = LayoutLinearTicks(Vertical(Settings(-DBL_MAX, DBL_MAX)));
  EXPECT_FALSE(list.Ticks.empty());
  for (const TTick& t : list.Ticks) EXPECT_TRUE(std::isfinite(t.Value)) << t.Value;
}

TEST(LinearTicks, NonFiniteBoundsGiveNoTicks) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_TRUE(LayoutLinearTicks(Settings(nan, 1)).Ticks.empty());
  EXPECT_TRUE(LayoutLinearTicks(Settings(0, inf)).Ticks.empty());
  EXPECT_TRUE(LayoutLinearTicks(Settings(5, 5)).Ticks.empty());
}

// --- logarithmic routine ---

TTickSettings Log(double low, double high, int minTicks = 3) {
  TTickSettings s = Settings(low, high, minTicks);
  s.Logarithmic = true;
  return s;
}

TEST(LogTicks, ThreeDecadesWithThreeMinTicksShowDecadesOnly) {
  const TTickList list = LayoutLogTicks(Log(1, 1000));
  EXPECT_THAT(ValuesOf(list, tmMajor), ElementsAre(1, 10, 100, 1000));
  EXPECT_TRUE(ValuesOf(list, tmShort).empty());
  EXPECT_THAT(LabelsOf(list), ElementsAre("1", "10", "100", "1000"));
}

TEST(LogTicks, MoreMinTicksAddTwoAndFiveMajorsAndShortMultiples) {
  const TTickList list = LayoutLogTicks(Log(1, 1000, 4));
  EXPECT_THAT(ValuesOf(list, tmMajor), ElementsAre(1, 2, 5, 10, 20, 50, 100, 200, 500, 1000));
  EXPECT_THAT(ValuesOf(list, tmShort),
              ElementsAre(3, 4, 6, 7, 8, 9, 30, 40, 60, 70, 80, 90, 300, 400, 600, 700, 800, 900));
  EXPECT_THAT(LabelsOf(list), ElementsAre("1", "2", "5", "10", "20", "50", "100", "200", "500", "1000"));
  EXPECT_EQ(list.Ticks[1].Value, 2);  // drawing order runs through each decade
}

TEST(LogTicks, DecadesOnlyLabelsTheExponent) {
  TTickSettings s = Log(1, 1000);
  s.DecPlaces = -3;
  EXPECT_THAT(LabelsOf(LayoutLogTicks(s)), ElementsAre("0", "1", "2", "3"));
  s.MinTicks = 4;
  EXPECT_THAT(LabelsOf(LayoutLogTicks(s)), ElementsAre("0", "", "", "1", "", "", "2", "", "", "3"));
  s = Log(0.01, 1, 2);
  s.DecPlaces = -3;
  EXPECT_THAT(LabelsOf(LayoutLogTicks(s)), ElementsAre("-2", "-1", "0"));
}

TEST(LogTicks, AutomaticDecimalsDropTrailingZeros) {
  const TTickList list = LayoutLogTicks(Log(0.01, 10));
  EXPECT_THAT(LabelsOf(list), ElementsAre("0.01", "0.1", "1", "10"));
  TTickSettings fixed = Log(0.01, 10);
  fixed.DecPlaces = 3;
  EXPECT_THAT(LabelsOf(LayoutLogTicks(fixed)), ElementsAre("0.010", "0.100", "1.000", "10.000"));
}

TEST(LogTicks, LessThanADecadeIsLinear) {
  const TTickList list = LayoutLogTicks(Log(1, 5));
  EXPECT_EQ(list, LayoutLinearTicks(Log(1, 5)));
  EXPECT_THAT(ValuesOf(list, tmMajor), ElementsAre(1, 2, 3, 4, 5));
}

TEST(LogTicks, HorizontalWithoutShortTicksKeepsTheirEventsOnly) {
  TTickSettings s = Log(1, 100, 4);
  s.ShortTicks = false;
  const TTickList list = LayoutLogTicks(s);
  EXPECT_EQ(ValuesOf(list, tmNone).size(), 12u);
  for (const TTick& t : list.Ticks) EXPECT_EQ(t.Recorded, t.Mark == tmMajor);
}

TEST(LogTicks, VerticalDrawsEveryTickLong) {
  TTickSettings s = Vertical(Log(1, 100, 4));
  const TTickList list = LayoutLogTicks(s);
  EXPECT_EQ(ValuesOf(list, tmMajor).size(), 19u);
  EXPECT_EQ(RecordedCount(list), 19);
  s.ShortTicks = false;
  EXPECT_EQ(LayoutLogTicks(s).Ticks.size(), 7u);  // short candidates are left out altogether
}

TEST(LogTicks, LabelCounterRunsOverMajorTicksForUserTexts) {
  TTickSettings s = Log(1, 100, 4);
  s.LabelType = ftUserText;
  s.UserTickText = "a|b|c";
  EXPECT_THAT(LabelsOf(LayoutLogTicks(s)), ElementsAre("a", "b", "c", "c", "c", "c", "c"));
}

TEST(LogTicks, DescendingRangeHasTheSameTicks) {
  EXPECT_THAT(ValuesOf(LayoutLogTicks(Log(1000, 1)), tmMajor), ElementsAre(1, 10, 100, 1000));
}

TEST(LogTicks, NonPositiveOrNonFiniteBoundsGiveNoTicks) {
  EXPECT_TRUE(LayoutLogTicks(Log(0, 100)).Ticks.empty());
  EXPECT_TRUE(LayoutLogTicks(Log(-10, 100)).Ticks.empty());
  EXPECT_TRUE(LayoutLogTicks(Log(1, std::numeric_limits<double>::infinity())).Ticks.empty());
  EXPECT_TRUE(LayoutLogTicks(Log(std::numeric_limits<double>::quiet_NaN(), 10)).Ticks.empty());
}

TEST(LogTicks, ExtremeRangesAreBounded) {
  EXPECT_EQ(LayoutLogTicks(Log(1e-300, 1e300)).Ticks.size(), 601u);
  const TTickList denormal = LayoutLogTicks(Log(5e-324, DBL_MAX));
  EXPECT_GT(denormal.Ticks.size(), 600u);
  EXPECT_LT(denormal.Ticks.size(), 700u);
}

// --- time routine ---

TTickSettings Time(double low, double high, int minTicks = 3) {
  TTickSettings s = Settings(low, high, minTicks);
  s.LabelType = ftTime;
  return s;
}

TEST(TimeTicks, OneHourInTwentyMinuteSteps) {
  const std::optional<TTickList> list = LayoutTimeTicks(Time(0, 3600));
  ASSERT_TRUE(list);
  EXPECT_THAT(ValuesOf(*list, tmMajor), ElementsAre(0, 1200, 2400, 3600));
  EXPECT_EQ(ValuesOf(*list, tmShort).size(), 19u);
  EXPECT_THAT(LabelsOf(*list), ElementsAre(" 00:00:00", " 00:20:00", " 00:40:00", " 01:00:00"));
}

TEST(TimeTicks, OneSecondShowsMilliseconds) {
  const std::optional<TTickList> list = LayoutTimeTicks(Time(0, 1));
  ASSERT_TRUE(list);
  EXPECT_THAT(LabelsOf(*list), ElementsAre(" 00:00:00.000", " 00:00:00.200", " 00:00:00.400", " 00:00:00.600",
                                           " 00:00:00.800", " 00:00:01.000"));
  EXPECT_EQ(ValuesOf(*list, tmShort).size(), 21u);
}

TEST(TimeTicks, LabelsFollowTheDrawnEventAndRecordingFollowsOrientation) {
  const TTickList horizontal = *LayoutTimeTicks(Time(0, 3600));
  for (const TTick& t : horizontal.Ticks) {
    EXPECT_EQ(t.LabelBeforeDrawn, t.Mark == tmMajor);
    EXPECT_EQ(t.Recorded, t.Mark == tmShort);
  }
  EXPECT_EQ(RecordedCount(*LayoutTimeTicks(Vertical(Time(0, 3600)))), 23);
}

TEST(TimeTicks, DeclinesRangesOutsideItsSteps) {
  EXPECT_FALSE(LayoutTimeTicks(Time(0, 10 * 86400.0)));
  EXPECT_FALSE(LayoutTimeTicks(Time(0, 0.002)));
  EXPECT_FALSE(LayoutTimeTicks(Time(0, 3600, 0)));
  EXPECT_FALSE(LayoutTimeTicks(Time(0, std::numeric_limits<double>::infinity())));
}

TEST(TimeTicks, DeclinedRangeIsDrawnNumerically) {
  const TTickSettings s = Time(0, 10 * 86400.0);
  EXPECT_EQ(LayoutTicks(s), LayoutLinearTicks(s));
  EXPECT_EQ(LabelsOf(LayoutTicks(s)).back(), "800000");
}

TEST(TimeTicks, NegativeRangeKeepsBothEndTicks) {
  const TTickList list = *LayoutTimeTicks(Time(-3600, 0));
  EXPECT_THAT(ValuesOf(list, tmMajor), ElementsAre(-3600, -2400, -1200, 0));
  EXPECT_THAT(LabelsOf(list), ElementsAre("-01:00:00", "-00:40:00", "-00:20:00", " 00:00:00"));
  EXPECT_EQ(ValuesOf(list, tmShort).size(), 19u);
}

TEST(TimeTicks, DescendingRangeKeepsBothEndTicks) {
  const TTickList list = *LayoutTimeTicks(Time(3600, 0));
  EXPECT_THAT(ValuesOf(list, tmMajor), ElementsAre(3600, 2400, 1200, 0));
  EXPECT_EQ(ValuesOf(list, tmShort).size(), 19u);
  EXPECT_EQ(ValuesOf(list, tmShort).front(), 3600);
}

TEST(TimeTicks, VerticalRangeStartingBelowZeroKeepsItsFirstShortTicks) {
  const TTickList list = *LayoutTimeTicks(Vertical(Time(-3500, 100)));
  EXPECT_EQ(ValuesOf(list, tmShort).front(), -3400);
  EXPECT_EQ(ValuesOf(list, tmShort).back(), 0);
  EXPECT_THAT(ValuesOf(list, tmMajor), ElementsAre(-2400, -1200, 0));
}

TEST(TimeTicks, LargeValuesKeepTheirTicksInsideTheRange) {
  const std::optional<TTickList> list = LayoutTimeTicks(Time(1.2e15, 1.2e15 + 3600));
  ASSERT_TRUE(list);
  EXPECT_THAT(ValuesOf(*list, tmMajor), ElementsAre(1.2e15, 1.2e15 + 1200, 1.2e15 + 2400, 1.2e15 + 3600));
  for (const TTick& t : list->Ticks) {
    EXPECT_GE(t.Value, 1.2e15);
    EXPECT_LE(t.Value, 1.2e15 + 3600);
  }
}

TEST(LayoutTicks, ChoosesTheRoutineByLabelTypeAndLogarithmic) {
  EXPECT_EQ(LayoutTicks(Time(0, 3600)), *LayoutTimeTicks(Time(0, 3600)));
  EXPECT_EQ(LayoutTicks(Log(1, 1000)), LayoutLogTicks(Log(1, 1000)));
  EXPECT_EQ(LayoutTicks(Settings(0, 100)), LayoutLinearTicks(Settings(0, 100)));
  TTickSettings logTime = Log(1, 10 * 86400.0);
  logTime.LabelType = ftTime;
  EXPECT_EQ(LayoutTicks(logTime), LayoutLogTicks(logTime));
}

}  // namespace
}  // namespace nox
