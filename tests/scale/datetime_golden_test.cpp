// Whole date/time scales compared pixel-exactly with tests/golden/scale/datetime_*.png (see
// tests/support/golden.h for how to update them after an intended change). Month names are the
// English ones whatever the machine's locale.

#include <gtest/gtest.h>

#include <functional>

#include "scale/Nox_Scale.h"
#include "scale/datetime_calendar.h"
#include "scale/datetime_month_names.h"
#include "support/golden.h"

namespace nox {
namespace {

double At(int year, int month, int day, int hour = 0, int minute = 0, double second = 0) {
  return static_cast<double>(detail::DayNumber(year, month, day)) +
         (hour * 3600 + minute * 60 + second) / 86400.0;
}

// A stand-alone opaque scale: 400 x 72 when horizontal, 130 x 320 when vertical, default margins,
// frame, colours and date format.
void ExpectGolden(TScaleType type, const std::function<void(TScale&)>& configure, const std::string& name) {
  const TMonthNames saved = ShortMonthNames();
  SetShortMonthNames(EnglishShortMonthNames());
  {
    TScale s(nullptr);
    s.HandleNeeded();
    const bool vertical = type == sctYL || type == sctYR;
    s.SetBounds(0, 0, vertical ? 130 : 400, vertical ? 320 : 72);
    s.SetScaleType(type);
    s.SetLabelType(ftDateTime);
    configure(s);
    s.RequestRedraw();
    EXPECT_TRUE(test::MatchesGolden(s.ScreenImage(), "scale/" + name));
  }
  SetShortMonthNames(saved);
}

// Days: majors every 7 days from 1 January 2024 (a Monday), labelled 11-Mar-2024, 18-Mar-2024 and
// 25-Mar-2024 above the base line; a short tick every day.
TEST(DateTimeGolden, BottomDays) {
  ExpectGolden(
      sctXB, [](TScale& s) { s.SetRange(At(2024, 3, 10), At(2024, 3, 31)); }, "datetime_xb_days");
}

// Hours over three days: majors at 00:00 and 12:00 with short ticks every 3 hours, labels below the
// base line and, one line further down, the date under the first major tick of each day (28-Feb-2024
// starting at x = 2, 02-Mar-2024 ending 2 pixels before the right edge).
TEST(DateTimeGolden, TopHoursWithADateLinePerDay) {
  ExpectGolden(
      sctXT, [](TScale& s) { s.SetRange(At(2024, 2, 28), At(2024, 3, 2)); }, "datetime_xt_hours");
}

// Years 1995 to 2031: majors labelled 2000, 2010, 2020, 2030, short ticks every 5 years.
TEST(DateTimeGolden, BottomYears) {
  ExpectGolden(
      sctXB, [](TScale& s) { s.SetRange(At(1995, 6, 1), At(2031, 6, 1)); }, "datetime_xb_years");
}

// Two seconds: labels 14:05:30.000 to 14:05:32.000 every half second right of the base line,
// growing upwards, each centred on its tick; short ticks every tenth of a second; the date 15-Mar-2024
// one line above the first label only.
TEST(DateTimeGolden, LeftHundredths) {
  ExpectGolden(
      sctYL,
      [](TScale& s) {
        s.DateFormat().SetDateForTime(dtOnePerChart);
        s.SetRange(At(2024, 3, 15, 14, 5, 30), At(2024, 3, 15, 14, 5, 32));
      },
      "datetime_yl_hundredths");
}

// Minutes in am/pm: labels 11:50am to 12:20pm every 10 minutes, right-aligned left of the base line,
// short ticks every 2 minutes; the date (month first, two-digit year) above every label.
TEST(DateTimeGolden, RightMinutesAmPm) {
  ExpectGolden(
      sctYR,
      [](TScale& s) {
        s.DateFormat().SetTimeFormat(tfAMPM);
        s.DateFormat().SetDateForTime(dtAllTicks);
        s.DateFormat().SetDateOrder(doMMDDYY);
        s.DateFormat().SetYearLength(ylYY);
        s.SetRange(At(2024, 3, 15, 11, 45), At(2024, 3, 15, 12, 25));
      },
      "datetime_yr_minutes");
}

// Months, four per major step: majors on January, May and September labelled Jan-2001, May-2001,
// Sep-2001, Jan-2002, a short tick on the first of every month.
TEST(DateTimeGolden, LeftMonths) {
  ExpectGolden(
      sctYL, [](TScale& s) { s.SetRange(At(2000, 11, 20), At(2002, 2, 10)); }, "datetime_yl_months");
}

// A reversed range: "invalid DateTime scale" centred above the base line, no ticks.
TEST(DateTimeGolden, BottomInvalidRange) {
  ExpectGolden(
      sctXB, [](TScale& s) { s.SetRange(At(2024, 3, 31), At(2024, 3, 10)); }, "datetime_xb_invalid");
}

// Less than a hundredth of a second per tick: "DateTime", "range is", "below 1", "second" on four
// lines right of the base line, the second line at the middle of the axis.
TEST(DateTimeGolden, LeftRangeTooSmall) {
  ExpectGolden(
      sctYL, [](TScale& s) { s.SetRange(At(2024, 3, 15, 12), At(2024, 3, 15, 12, 0, 0.02)); },
      "datetime_yl_too_small");
}

}  // namespace
}  // namespace nox
