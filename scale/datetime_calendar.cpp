#include "scale/datetime_calendar.h"

namespace nox::detail {

namespace {

// Day number of 1970-01-01 counted from 1899-12-30.
constexpr std::int64_t kUnixEpochDay = 25569;

// The civil-date algorithms count in eras of 400 years (146097 days), with years starting on
// 1 March so that the leap day comes last.
constexpr std::int64_t kDaysPerEra = 146097;

}  // namespace

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

std::int64_t DayNumber(int year, int month, int day) {
  const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yearOfEra = y - era * 400;                             // 0..399
  const std::int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;    // 0..11
  const std::int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;  // 0..365
  const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * kDaysPerEra + dayOfEra - 719468 + kUnixEpochDay;
}

CivilDate DateOfDay(std::int64_t day) {
  const std::int64_t z = day - kUnixEpochDay + 719468;
  const std::int64_t era = FloorDiv(z, kDaysPerEra);
  const std::int64_t dayOfEra = z - era * kDaysPerEra;  // 0..146096
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int dayOfMonth = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  const std::int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
  return {static_cast<int>(year), month, dayOfMonth};
}

}  // namespace nox::detail
