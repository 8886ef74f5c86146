#include "scale/datetime_ticks.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "scale/datetime_calendar.h"
#include "scale/tick_layout.h"

namespace nox {
namespace {

using detail::DayNumber;
using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

// A date-time number the way a program builds one.
double At(int year, int month, int day, int hour = 0, int minute = 0, double second = 0) {
  return static_cast<double>(DayNumber(year, month, day)) + (hour * 3600 + minute * 60 + second) / 86400.0;
}

struct DateTimeTicks : ::testing::Test {
  DateTimeTicks() { format.SetScaleDefaults(); }

  TDateTimeLayout Layout(double low, double high, int minTicks = 3) const {
    return LayoutDateTimeTicks({low, high, minTicks, shortTicks, vertical}, format, EnglishShortMonthNames());
  }
  TDateTimeLevel Level(double low, double high, int minTicks = 3) const {
    return ChooseDateTimeLevel({low, high, minTicks, shortTicks, vertical});
  }

  static std::vector<std::string> MajorLabels(const TDateTimeLayout& layout) {
    std::vector<std::string> labels;
    for (const TDateTimeTick& t : layout.Ticks) {
      if (t.Major) labels.push_back(t.Label);
    }
    return labels;
  }
  static std::vector<double> Values(const TDateTimeLayout& layout, bool major) {
    std::vector<double> values;
    for (const TDateTimeTick& t : layout.Ticks) {
      if (t.Major == major) values.push_back(t.Value);
    }
    return values;
  }
  // (label, date line) of every major tick that has a date line.
  static std::vector<std::pair<std::string, std::string>> DateLines(const TDateTimeLayout& layout) {
    std::vector<std::pair<std::string, std::string>> lines;
    for (const TDateTimeTick& t : layout.Ticks) {
      if (t.DateLine) lines.emplace_back(t.Label, *t.DateLine);
    }
    return lines;
  }

  TDTLabel format;
  bool shortTicks = true;
  bool vertical = false;
};

// --- validity and level choice ---

TEST_F(DateTimeTicks, RangesOutsideTheCalendarOrReversedAreInvalid) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Level(10, 5), dlInvalidRange);
  EXPECT_EQ(Level(-693594, 0), dlInvalidRange);
  EXPECT_EQ(Level(0, 3000000.5), dlInvalidRange);
  EXPECT_EQ(Level(nan, 10), dlInvalidRange);
  EXPECT_EQ(Level(0, nan), dlInvalidRange);
  EXPECT_EQ(Level(0, inf), dlInvalidRange);
  EXPECT_EQ(Level(-inf, 0), dlInvalidRange);
  EXPECT_EQ(Level(-693593, 3000000), dlYears);  // both limits belong to the valid range

  const TDateTimeLayout layout = Layout(10, 5);
  EXPECT_THAT(layout.Message, ElementsAre("invalid DateTime scale"));
  EXPECT_TRUE(layout.Ticks.empty());
  vertical = true;
  EXPECT_THAT(Layout(nan, inf).Message, ElementsAre("invalid", "DateTime", "scale"));
}

TEST_F(DateTimeTicks, EqualBoundsAreBelowOneSecond) {
  EXPECT_EQ(Level(45000, 45000), dlRangeTooSmall);
  EXPECT_EQ(Level(45000, 45000, 0), dlRangeTooSmall);
  EXPECT_THAT(Layout(45000, 45000).Message, ElementsAre("DateTime range is below 1 second"));
  vertical = true;
  EXPECT_THAT(Layout(45000, 45000).Message, ElementsAre("DateTime", "range is", "below 1", "second"));
}

TEST_F(DateTimeTicks, LevelBySpanPerTick) {
  const double day = 45000;
  // Spans per tick (MinTicks 3) just inside each row of the table.
  EXPECT_EQ(Level(day, day + 3 * 0.9 / 86400), dlRangeTooSmall);
  EXPECT_EQ(Level(day, day + 3 * 50.0 / 86400), dlSeconds);
  EXPECT_EQ(Level(day, day + 3 * 59.0 / 1440 / 60), dlSeconds);
  EXPECT_EQ(Level(day, day + 3 * 0.001), dlMinutes);
  EXPECT_EQ(Level(day, day + 3 * 0.04), dlMinutes);
  EXPECT_EQ(Level(day, day + 3 * 0.05), dlHours);
  EXPECT_EQ(Level(day, day + 3), dlHours);
  EXPECT_EQ(Level(day, day + 3 * 1.5), dlDays);
  EXPECT_EQ(Level(day, day + 3 * 30), dlDays);
  EXPECT_EQ(Level(day, day + 3 * 31), dlMonths);
  EXPECT_EQ(Level(day, day + 3 * 366), dlMonths);
  EXPECT_EQ(Level(day, day + 3 * 367), dlYears);
  EXPECT_EQ(Level(day, day + 10 * 40, 10), dlMonths);
  // Only vertical scales go below one second per tick.
  vertical = true;
  EXPECT_EQ(Level(day, day + 3 * 0.9 / 86400), dlHundredths);
  EXPECT_EQ(Level(day, day + 3 * 0.02 / 86400), dlHundredths);
  EXPECT_EQ(Level(day, day + 3 * 0.009 / 86400), dlRangeTooSmall);
  EXPECT_EQ(Level(day, day + 3 * 50.0 / 86400), dlSeconds);
}

// --- time levels ---

// Two seconds with MinTicks 3 on a vertical scale: hundredths with majors every 50 hundredths.
TEST_F(DateTimeTicks, TwoSecondsOnAVerticalScale) {
  vertical = true;
  const double low = At(2024, 3, 15, 14, 5, 30);
  const TDateTimeLayout layout = Layout(low, low + 2.0 / 86400);
  EXPECT_EQ(layout.Level, dlHundredths);
  EXPECT_EQ(layout.MajorStep, 50);
  EXPECT_EQ(layout.MinorStep, 10);
  EXPECT_THAT(MajorLabels(layout),
              ElementsAre("14:05:30.000", "14:05:30.500", "14:05:31.000", "14:05:31.500", "14:05:32.000"));
  EXPECT_EQ(layout.Ticks.size(), 21u);  // every tenth of a second
  // The same range on a horizontal scale is below one second per tick.
  vertical = false;
  EXPECT_EQ(Layout(low, low + 2.0 / 86400).Level, dlRangeTooSmall);
}

TEST_F(DateTimeTicks, HoursWithMinorTicksBeforeTheFirstMajor) {
  const double low = At(2024, 3, 15, 7, 20);
  const TDateTimeLayout layout = Layout(low, low + 1.5);  // 12 hours per tick: majors 12 h, minors 3 h
  EXPECT_EQ(layout.Level, dlHours);
  EXPECT_EQ(layout.MajorStep, 12);
  EXPECT_EQ(layout.MinorStep, 3);
  EXPECT_THAT(Values(layout, false).front(), ::testing::DoubleEq(At(2024, 3, 15, 9)));
  EXPECT_THAT(MajorLabels(layout), ElementsAre("12:00", "00:00", "12:00"));
  EXPECT_EQ(Values(layout, true).front(), At(2024, 3, 15, 12));
}

TEST_F(DateTimeTicks, MinutesAndSecondsSteps) {
  const double low = At(2024, 3, 15, 14, 3);
  TDateTimeLayout layout = Layout(low, low + 30.0 / 1440);  // 10 minutes per tick
  EXPECT_EQ(layout.Level, dlMinutes);
  EXPECT_EQ(layout.MajorStep, 10);
  EXPECT_EQ(layout.MinorStep, 2);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("14:10", "14:20", "14:30"));
  EXPECT_EQ(Values(layout, false).size(), 12u);  // 14:04 .. 14:32 without the majors

  layout = Layout(low, low + 100.0 / 86400);  // 33 s per tick
  EXPECT_EQ(layout.Level, dlSeconds);
  EXPECT_EQ(layout.MajorStep, 30);
  EXPECT_EQ(layout.MinorStep, 10);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("14:03:00", "14:03:30", "14:04:00", "14:04:30"));

  shortTicks = false;
  layout = Layout(low, low + 100.0 / 86400);
  EXPECT_EQ(layout.MinorStep, 30);
  EXPECT_EQ(layout.Ticks.size(), 4u);
}

TEST_F(DateTimeTicks, OneDateLinePerDay) {
  // Three days: 12 hours per tick, majors at 00:00 and 12:00, a date at the first one of each day.
  const double low = At(2024, 2, 28, 6);
  const TDateTimeLayout layout = Layout(low, low + 3);
  EXPECT_THAT(DateLines(layout),
              ElementsAre(std::pair{"12:00", "28-Feb-2024"}, std::pair{"00:00", "29-Feb-2024"},
                          std::pair{"00:00", "01-Mar-2024"}, std::pair{"00:00", "02-Mar-2024"}));
}

TEST_F(DateTimeTicks, DateLinesOncePerChartAtEveryTickOrNever) {
  const double low = At(2024, 2, 28, 6);
  format.SetDateForTime(dtOnePerChart);
  EXPECT_THAT(DateLines(Layout(low, low + 3)), ElementsAre(std::pair{"12:00", "28-Feb-2024"}));
  format.SetDateForTime(dtAllTicks);
  EXPECT_EQ(DateLines(Layout(low, low + 3)).size(), 6u);
  format.SetDateForTime(dtNone);
  EXPECT_TRUE(DateLines(Layout(low, low + 3)).empty());
  // Minor ticks never carry a date.
  format.SetDateForTime(dtAllTicks);
  for (const TDateTimeTick& t : Layout(low, low + 3).Ticks) EXPECT_EQ(t.DateLine.has_value(), t.Major);
}

// Majors are multiples of the step counted from midnight, also where a day ends between them.
TEST_F(DateTimeTicks, HourStepsAreCountedFromMidnight) {
  const double low = At(2024, 3, 15, 1);
  shortTicks = false;
  const TDateTimeLayout layout = Layout(low, low + 2, 2);  // 24 hours per tick: the 12-hour step
  EXPECT_EQ(layout.MajorStep, 12);
  const TDateTimeLayout eight = Layout(low, low + 1, 3);  // 8 hours per tick
  EXPECT_EQ(eight.MajorStep, 8);
  EXPECT_THAT(MajorLabels(eight), ElementsAre("08:00", "16:00", "00:00"));
}

TEST_F(DateTimeTicks, TimesBeforeTheEpoch) {
  // -1.25 is 18:00 on 28 December 1899.
  const TDateTimeLayout layout = Layout(-1.25, -1.25 + 1.5);
  EXPECT_EQ(layout.Level, dlHours);
  EXPECT_THAT(DateLines(layout),
              ElementsAre(std::pair{"00:00", "29-Dec-1899"}, std::pair{"00:00", "30-Dec-1899"}));
  EXPECT_EQ(Values(layout, true).front(), -1.0);
  // A range that starts on a midnight before the epoch starts with that midnight.
  const TDateTimeLayout midnight = Layout(-2, -1.5);
  EXPECT_EQ(midnight.Ticks.front().Value, -2.0);
  EXPECT_EQ(midnight.Ticks.front().Label, "00:00");
  EXPECT_EQ(*midnight.Ticks.front().DateLine, "28-Dec-1899");
}

// A bound computed a hair away from a calendar time keeps the tick on that time.
TEST_F(DateTimeTicks, BoundsAHairOffATickKeepIt) {
  vertical = true;
  const double exact = At(2024, 3, 15, 14, 5, 30);
  for (const double low : {std::nextafter(exact, 0.0), exact, std::nextafter(exact, 1e9)}) {
    for (const bool withShort : {true, false}) {
      shortTicks = withShort;
      const TDateTimeLayout layout = Layout(low, low + 2.0 / 86400);
      ASSERT_FALSE(layout.Ticks.empty());
      EXPECT_EQ(layout.Ticks.front().Label, "14:05:30.000");
      EXPECT_EQ(MajorLabels(layout).back(), "14:05:32.000");
    }
  }
}

// --- days ---

TEST_F(DateTimeTicks, WeeksFallOnTheWeekdayOfNewYear) {
  const double low = At(2023, 11, 20, 9);
  const TDateTimeLayout layout = Layout(low, low + 60);  // 20 days per tick: weeks, minor days
  EXPECT_EQ(layout.Level, dlDays);
  EXPECT_EQ(layout.MajorStep, 14);
  EXPECT_EQ(layout.MinorStep, 7);
  const double newYear = At(2023, 1, 1);
  for (const TDateTimeTick& t : layout.Ticks) EXPECT_EQ(std::fmod(t.Value - newYear, 7), 0) << t.Label;
  // The phase of the start year holds past its end.
  EXPECT_EQ(std::fmod(Values(layout, true).back() - newYear, 14), 0);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("03-Dec-2023", "17-Dec-2023", "31-Dec-2023", "14-Jan-2024"));

  shortTicks = false;
  const TDateTimeLayout sevens = Layout(low, low + 30);
  EXPECT_EQ(sevens.MajorStep, 7);
  EXPECT_THAT(MajorLabels(sevens), ElementsAre("26-Nov-2023", "03-Dec-2023", "10-Dec-2023", "17-Dec-2023"));
}

TEST_F(DateTimeTicks, DaySteps) {
  const double low = At(2024, 1, 10);
  EXPECT_EQ(Layout(low, low + 4).MajorStep, 1);
  EXPECT_EQ(Layout(low, low + 8).MajorStep, 2);
  EXPECT_EQ(Layout(low, low + 20).MajorStep, 3);
  EXPECT_EQ(Layout(low, low + 60).MajorStep, 14);
  EXPECT_EQ(Layout(low, low + 90).MajorStep, 28);
  const TDateTimeLayout threes = Layout(low, low + 20);
  EXPECT_EQ(threes.MinorStep, 1);
  // Majors every third day counted from 1 January (day 0 of the count): 10, 13, 16, ...
  EXPECT_THAT(MajorLabels(threes), ElementsAre("10-Jan-2024", "13-Jan-2024", "16-Jan-2024", "19-Jan-2024",
                                               "22-Jan-2024", "25-Jan-2024", "28-Jan-2024"));
  EXPECT_EQ(threes.Ticks.size(), 21u);
}

// MinTicks 0 is a fixed step of one day.
TEST_F(DateTimeTicks, NoMinTicksMeansOneTickADay) {
  const double low = At(2024, 1, 10, 12);
  const TDateTimeLayout layout = Layout(low, low + 4, 0);
  EXPECT_EQ(layout.Level, dlDays);
  EXPECT_EQ(layout.MajorStep, 1);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("11-Jan-2024", "12-Jan-2024", "13-Jan-2024", "14-Jan-2024"));
  // Over the widest valid range the walk stops after its bound.
  const TDateTimeLayout wide = Layout(-693593, 3000000, 0);
  EXPECT_EQ(wide.Ticks.size(), static_cast<std::size_t>(kMaxTicksPerPass));
}

// --- months ---

TEST_F(DateTimeTicks, QuarterStepsStartOnMonthOneFourSevenTen) {
  const double low = At(2000, 2, 15);
  TDateTimeLayout layout = Layout(low, low + 3 * 100);  // 3.3 months per tick
  EXPECT_EQ(layout.Level, dlMonths);
  EXPECT_EQ(layout.MajorStep, 3);
  EXPECT_EQ(layout.MinorStep, 1);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("Apr-2000", "Jul-2000", "Oct-2000"));
  EXPECT_EQ(layout.Ticks.size(), 10u);  // 1 March .. 1 December 2000

  shortTicks = false;
  layout = Layout(low, low + 3 * 100);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("Apr-2000", "Jul-2000", "Oct-2000"));
  EXPECT_EQ(layout.Ticks.size(), 3u);
  // A range that starts on the first of such a month keeps that month's tick.
  layout = Layout(At(2000, 1, 1), At(2000, 1, 1) + 3 * 100);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("Jan-2000", "Apr-2000", "Jul-2000", "Oct-2000"));
}

TEST_F(DateTimeTicks, MonthSteps) {
  const double low = At(2001, 5, 2);
  EXPECT_EQ(Layout(low, low + 3 * 40).MajorStep, 1);
  EXPECT_EQ(Layout(low, low + 3 * 70).MajorStep, 2);
  EXPECT_EQ(Layout(low, low + 3 * 125).MajorStep, 4);
  EXPECT_EQ(Layout(low, low + 3 * 200).MajorStep, 6);
  // Sixes fall on January and July, also across the year.
  shortTicks = false;
  EXPECT_THAT(MajorLabels(Layout(low, low + 3 * 200)), ElementsAre("Jul-2001", "Jan-2002", "Jul-2002"));
}

// --- years ---

TEST_F(DateTimeTicks, FiveYearStepsFromMarch2001) {
  shortTicks = false;
  const double span = 3 * 6 * 365.25;  // six years per tick: step 5
  TDateTimeLayout layout = Layout(At(2001, 3, 1), At(2001, 3, 1) + span);
  EXPECT_EQ(layout.Level, dlYears);
  EXPECT_EQ(layout.MajorStep, 5);
  EXPECT_EQ(layout.Ticks.front().Value, At(2005, 1, 1));
  EXPECT_THAT(MajorLabels(layout), ElementsAre("2005", "2010", "2015"));
  // Starting on 1 January 2005 at midnight, that day is the first tick.
  layout = Layout(At(2005, 1, 1), At(2005, 1, 1) + span);
  EXPECT_EQ(layout.Ticks.front().Value, At(2005, 1, 1));
  // Starting on 2 January 2005, the next multiple.
  layout = Layout(At(2005, 1, 2), At(2005, 1, 2) + span);
  EXPECT_EQ(layout.Ticks.front().Value, At(2010, 1, 1));
}

TEST_F(DateTimeTicks, YearStepsAndTheirMinorSteps) {
  const double low = At(1901, 6, 1);
  const auto steps = [&](double yearsPerTick) {
    const TDateTimeLayout l = Layout(low, low + 3 * yearsPerTick * 365.25);
    return std::pair{l.MajorStep, l.MinorStep};
  };
  EXPECT_EQ(steps(1.5), std::pair(1, 1));
  EXPECT_EQ(steps(2), std::pair(2, 1));
  EXPECT_EQ(steps(4.9), std::pair(2, 1));
  EXPECT_EQ(steps(5), std::pair(5, 1));
  EXPECT_EQ(steps(10), std::pair(10, 5));
  EXPECT_EQ(steps(25), std::pair(20, 10));
  EXPECT_EQ(steps(60), std::pair(50, 10));
  EXPECT_EQ(steps(120), std::pair(100, 50));
  shortTicks = false;
  EXPECT_EQ(steps(60), std::pair(50, 50));

  // Minor ticks on the multiples of the minor step, majors on those of the major step.
  shortTicks = true;
  const TDateTimeLayout layout = Layout(low, low + 3 * 60 * 365.25);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("1950", "2000", "2050"));
  EXPECT_EQ(Values(layout, false).front(), At(1910, 1, 1));
}

TEST_F(DateTimeTicks, YearsBelowOneThousandHaveNoLeadingZero) {
  const TDateTimeLayout layout = Layout(At(990, 1, 1), At(990, 1, 1) + 3 * 5 * 365.25);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("990", "995", "1000", "1005"));
  format.SetYearLength(ylYY);
  EXPECT_THAT(MajorLabels(Layout(At(990, 1, 1), At(990, 1, 1) + 3 * 5 * 365.25)),
              ElementsAre("90", "95", "00", "05"));
}

// --- the ends of the calendar ---

TEST_F(DateTimeTicks, WalksEndAtTheLastDayOfTheCalendar) {
  const double last = static_cast<double>(detail::kLastCalendarDay);
  const auto check = [&](double low, double high, TDateTimeLevel level) {
    const TDateTimeLayout layout = Layout(low, high);
    EXPECT_EQ(layout.Level, level);
    ASSERT_FALSE(layout.Ticks.empty());
    EXPECT_LT(layout.Ticks.back().Value, last + 1);
    EXPECT_LE(layout.Ticks.size(), 250u);
  };
  check(At(9000, 1, 1), 3000000, dlYears);
  check(At(9999, 3, 1), At(9999, 3, 1) + 3 * 200, dlMonths);
  check(At(9999, 12, 1), last + 40, dlDays);
  check(last + 0.5, last + 1.5, dlHours);
  check(last + 0.99, last + 1.01, dlMinutes);
  // Yearly ticks end with 1 January 9999.
  const TDateTimeLayout years = Layout(At(9990, 1, 1), At(9990, 1, 1) + 10 * 3 * 365.25, 10);
  EXPECT_EQ(years.MinorStep, 1);
  EXPECT_EQ(years.Ticks.back().Value, At(9999, 1, 1));
}

TEST_F(DateTimeTicks, RangesAfterTheCalendarHaveNoTicks) {
  for (const double span : {0.01, 0.5, 5.0, 300.0, 30000.0}) {
    const TDateTimeLayout layout = Layout(2960000, 2960000 + span);
    EXPECT_TRUE(layout.Ticks.empty()) << span;
    EXPECT_TRUE(layout.Message.empty()) << span;
  }
}

TEST_F(DateTimeTicks, TheWholeValidRange) {
  const TDateTimeLayout layout = Layout(-693593, 3000000);
  EXPECT_EQ(layout.Level, dlYears);
  EXPECT_EQ(layout.MajorStep, 2000);
  EXPECT_EQ(layout.MinorStep, 1000);
  EXPECT_THAT(MajorLabels(layout), ElementsAre("2000", "4000", "6000", "8000"));
  EXPECT_EQ(layout.Ticks.size(), 9u);
  EXPECT_THAT(MajorLabels(Layout(-693593, -693593 + 3 * 400)), ElementsAre("1", "2", "3", "4"));
}

// Over many random ranges of every level: ticks ascend inside the range, a major tick has a label
// (a minor one none), the walk is bounded, and majors lie a whole major step apart.
TEST_F(DateTimeTicks, RandomRangesGiveOrderedTicksInsideTheRange) {
  std::mt19937_64 random(20240315);
  std::uniform_real_distribution<double> start(-693593, 3000000);
  std::uniform_real_distribution<double> logSpan(std::log(1e-6), std::log(3.7e6));
  std::uniform_int_distribution<int> minTicks(0, 10);
  for (int i = 0; i < 3000; ++i) {
    vertical = i % 2 == 0;
    shortTicks = i % 3 != 0;
    const double low = start(random);
    const double high = std::min(low + std::exp(logSpan(random)), 3000000.0);
    const int m = minTicks(random) == 1 ? 0 : std::max(2, minTicks(random));
    const TDateTimeLayout layout = Layout(low, high, m);
    SCOPED_TRACE(::testing::Message() << low << " .. " << high << " MinTicks " << m);
    ASSERT_LE(layout.Ticks.size(), static_cast<std::size_t>(kMaxTicksPerPass));
    ASSERT_EQ(layout.Message.empty(), layout.Level != dlInvalidRange && layout.Level != dlRangeTooSmall);
    for (std::size_t k = 0; k < layout.Ticks.size(); ++k) {
      const TDateTimeTick& t = layout.Ticks[k];
      // The years level draws each tick it visits (from 1 January of the first year).
      if (layout.Level != dlYears) {
        ASSERT_GE(t.Value, low - 1e-8);
      }
      ASSERT_LT(t.Value, std::min(high, detail::kLastCalendarDay + 1.0) + 1e-8);
      if (k > 0) {
        ASSERT_GT(t.Value, layout.Ticks[k - 1].Value);
      }
      ASSERT_EQ(t.Label.empty(), !t.Major);
      ASSERT_TRUE(t.Major || !t.DateLine);
    }
    if (!shortTicks) {
      for (const TDateTimeTick& t : layout.Ticks) ASSERT_TRUE(t.Major);
    }
  }
}

}  // namespace
}  // namespace nox
