#include "scale/datetime_text.h"

#include <gtest/gtest.h>

namespace nox::detail {
namespace {

constexpr std::int64_t kHour = 3600000;
constexpr std::int64_t kMinute = 60000;
constexpr std::int64_t kSecond = 1000;

// The format a scale gives its DateFormat: tfHHMMSS, "-", ":", ylYYYY, month names, doDDMMYY.
struct DateTimeText : ::testing::Test {
  DateTimeText() { format.SetScaleDefaults(); }
  std::string Date(int y, int m, int d) const {
    return DateText({y, m, d}, format, EnglishShortMonthNames());
  }
  std::string Month(int y, int m) const { return MonthTickLabel(y, m, format, EnglishShortMonthNames()); }
  std::string Time(TDateTimeLevel level, std::int64_t ms) const { return TimeTickLabel(level, ms, format); }
  TDTLabel format;
};

TEST_F(DateTimeText, YearLabelsDropLeadingZerosOnlyWithFourDigits) {
  EXPECT_EQ(YearTickLabel(2005, format), "2005");
  EXPECT_EQ(YearTickLabel(995, format), "995");
  EXPECT_EQ(YearTickLabel(5, format), "5");
  format.SetYearLength(ylYY);
  EXPECT_EQ(YearTickLabel(2005, format), "05");
  EXPECT_EQ(YearTickLabel(995, format), "95");
  format.SetYearLength(ylNone);
  EXPECT_EQ(YearTickLabel(2005, format), "");
}

TEST_F(DateTimeText, MonthLabelsInEachOrder) {
  EXPECT_EQ(Month(2000, 4), "Apr-2000");
  EXPECT_EQ(Month(995, 1), "Jan-0995");  // other date texts keep four digits
  format.SetDateOrder(doMMDDYY);
  EXPECT_EQ(Month(2000, 4), "Apr-2000");
  format.SetDateOrder(doYYMMDD);
  EXPECT_EQ(Month(2000, 4), "2000-Apr");
  format.SetYearLength(ylYY);
  EXPECT_EQ(Month(2000, 4), "00-Apr");
  format.SetYearLength(ylNone);
  EXPECT_EQ(Month(2000, 4), "Apr");
  format.SetMonthName(false);
  EXPECT_EQ(Month(2000, 4), "04");
}

TEST_F(DateTimeText, DatesInEachOrderWithAndWithoutTheYear) {
  EXPECT_EQ(Date(2024, 3, 5), "05-Mar-2024");
  format.SetDateOrder(doMMDDYY);
  EXPECT_EQ(Date(2024, 3, 5), "Mar-05-2024");
  format.SetDateOrder(doYYMMDD);
  EXPECT_EQ(Date(2024, 3, 5), "2024-Mar-05");
  format.SetMonthName(false);
  format.SetDateSeparator('/');
  EXPECT_EQ(Date(2024, 3, 5), "2024/03/05");
  format.SetYearLength(ylYY);
  EXPECT_EQ(Date(2024, 3, 5), "24/03/05");

  format.SetYearLength(ylNone);
  EXPECT_EQ(Date(2024, 3, 5), "03/05");  // doYYMMDD without the year: month, day
  format.SetDateOrder(doDDMMYY);
  EXPECT_EQ(Date(2024, 3, 5), "05/03");
  format.SetDateOrder(doMMDDYY);
  EXPECT_EQ(Date(2024, 3, 5), "03/05");
}

TEST_F(DateTimeText, LocaleNamesReplaceTheEnglishOnes) {
  TMonthNames names = EnglishShortMonthNames();
  names[2] = "M\xC3\xA4r";
  EXPECT_EQ(DateText({2024, 3, 5}, format, names), "05-M\xC3\xA4r-2024");
}

TEST_F(DateTimeText, SeparatorsAreWrittenAsTheyAre) {
  TDTLabel bare;  // never given the scale defaults: both separators are the character 0
  bare.SetYearLength(ylYYYY);
  EXPECT_EQ(DateText({2024, 3, 5}, bare, EnglishShortMonthNames()), std::string("03\0"
                                                                                "05\0"
                                                                                "2024",
                                                                                10));
  EXPECT_EQ(TimeTickLabel(dlMinutes, 14 * kHour + 5 * kMinute, bare), std::string("14\0"
                                                                                  "05",
                                                                                  5));
}

TEST_F(DateTimeText, TwentyFourHourLabelsAtEachLevel) {
  const std::int64_t t = 14 * kHour + 5 * kMinute + 30 * kSecond + 250;
  EXPECT_EQ(Time(dlHours, 14 * kHour), "14:00");
  EXPECT_EQ(Time(dlMinutes, 14 * kHour + 5 * kMinute), "14:05");
  EXPECT_EQ(Time(dlSeconds, t - 250), "14:05:30");
  EXPECT_EQ(Time(dlHundredths, t), "14:05:30.250");
  EXPECT_EQ(Time(dlHundredths, t - 250), "14:05:30.000");
  EXPECT_EQ(Time(dlHundredths, t - 200), "14:05:30.050");
  EXPECT_EQ(Time(dlMinutes, 5 * kMinute), "00:05");
}

TEST_F(DateTimeText, HourMarkLabelsAtEachLevel) {
  format.SetTimeFormat(tfHHhMM);
  const std::int64_t t = 9 * kHour + 5 * kMinute + 30 * kSecond + 500;
  EXPECT_EQ(Time(dlHours, 14 * kHour), "14h");
  EXPECT_EQ(Time(dlHours, 0), "0h");
  EXPECT_EQ(Time(dlMinutes, 14 * kHour + 5 * kMinute), "14h05");
  EXPECT_EQ(Time(dlSeconds, t - 500), "9h05:30");
  EXPECT_EQ(Time(dlHundredths, t), "9h05:30.500");
}

TEST_F(DateTimeText, AmPmLabelsAtEachLevelAndAroundNoonAndMidnight) {
  format.SetTimeFormat(tfAMPM);
  EXPECT_EQ(Time(dlHours, 14 * kHour), "2pm");
  EXPECT_EQ(Time(dlHours, 0), "12am");
  EXPECT_EQ(Time(dlHours, 11 * kHour), "11am");
  EXPECT_EQ(Time(dlHours, 12 * kHour), "12pm");
  EXPECT_EQ(Time(dlMinutes, 14 * kHour + 5 * kMinute), "2:05pm");
  EXPECT_EQ(Time(dlSeconds, 14 * kHour + 5 * kMinute + 30 * kSecond), "2:05.30pm");
  EXPECT_EQ(Time(dlHundredths, 5 * kMinute + 30 * kSecond + 20), "12:05.30.020am");
  format.SetTimeSeparator('.');
  EXPECT_EQ(Time(dlMinutes, 23 * kHour + 59 * kMinute), "11.59pm");
}

TEST_F(DateTimeText, TimesOutsideADayAreHeldInside) {
  EXPECT_EQ(Time(dlSeconds, -5), "00:00:00");
  EXPECT_EQ(Time(dlSeconds, 30 * kHour), "23:59:59");
  EXPECT_EQ(Time(dlDays, 0), "");
}

}  // namespace
}  // namespace nox::detail
