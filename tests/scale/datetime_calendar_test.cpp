#include "scale/datetime_calendar.h"

#include <gtest/gtest.h>

namespace nox::detail {
namespace {

TEST(DateTimeCalendar, KnownDayNumbers) {
  EXPECT_EQ(DayNumber(1899, 12, 30), 0);
  EXPECT_EQ(DayNumber(1899, 12, 31), 1);
  EXPECT_EQ(DayNumber(1900, 1, 1), 2);
  // 1900 is no leap year: 28 February is day 60, 1 March day 61.
  EXPECT_EQ(DayNumber(1900, 2, 28), 60);
  EXPECT_EQ(DayNumber(1900, 3, 1), 61);
  EXPECT_EQ(DayNumber(2000, 1, 1), 36526);
  EXPECT_EQ(DayNumber(2000, 3, 1) - DayNumber(2000, 2, 28), 2);  // 2000 is one
  EXPECT_EQ(DayNumber(1, 1, 1), kFirstCalendarDay);
  EXPECT_EQ(DayNumber(9999, 12, 31), kLastCalendarDay);
}

TEST(DateTimeCalendar, DatesOfDaysBeforeTheEpochAndAtTheEnds) {
  EXPECT_EQ(DateOfDay(-1), (CivilDate{1899, 12, 29}));
  EXPECT_EQ(DateOfDay(-2), (CivilDate{1899, 12, 28}));
  EXPECT_EQ(DateOfDay(kFirstCalendarDay), (CivilDate{1, 1, 1}));
  EXPECT_EQ(DateOfDay(kLastCalendarDay), (CivilDate{9999, 12, 31}));
  EXPECT_EQ(DateOfDay(kLastCalendarDay + 1), (CivilDate{10000, 1, 1}));
  EXPECT_EQ(DateOfDay(3000000).Year, 10113);
}

// Every day of the calendar maps to a valid date that maps back, one day after the previous one.
TEST(DateTimeCalendar, EveryDayRoundTrips) {
  CivilDate previous = DateOfDay(kFirstCalendarDay - 1);
  for (std::int64_t day = kFirstCalendarDay; day <= kLastCalendarDay; ++day) {
    const CivilDate date = DateOfDay(day);
    ASSERT_EQ(DayNumber(date.Year, date.Month, date.Day), day);
    const bool nextDay =
        date.Year == previous.Year && date.Month == previous.Month && date.Day == previous.Day + 1;
    const bool nextMonth =
        date.Day == 1 && ((date.Year == previous.Year && date.Month == previous.Month + 1) ||
                          (date.Year == previous.Year + 1 && date.Month == 1));
    ASSERT_TRUE(nextDay || nextMonth) << day;
    previous = date;
  }
}

TEST(DateTimeCalendar, FloorDivRoundsDown) {
  EXPECT_EQ(FloorDiv(7, 2), 3);
  EXPECT_EQ(FloorDiv(-7, 2), -4);
  EXPECT_EQ(FloorDiv(-8, 2), -4);
  EXPECT_EQ(FloorDiv(-1, kMillisecondsPerDay), -1);
  EXPECT_EQ(FloorDiv(0, kMillisecondsPerDay), 0);
}

}  // namespace
}  // namespace nox::detail
