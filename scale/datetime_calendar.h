#pragma once
// The calendar behind date/time scales: day numbers and the civil dates they stand for.
//
// A date-time number counts days since 1899-12-30 00:00; its fraction is the time of day. Values
// run on one straight line also before that epoch: -1.25 is 1899-12-28 18:00 (the day is Floor of
// the value, the time the part above it). Dates are proleptic Gregorian. The calendar covers
// 0001-01-01 (day -693593) to 9999-12-31 (day 2958465); the functions below compute further out
// as well (any year a 32-bit int holds), so callers check the limits where a date must be shown.

#include <cstdint>

namespace nox::detail {

constexpr std::int64_t kFirstCalendarDay = -693593;  // 0001-01-01
constexpr std::int64_t kLastCalendarDay = 2958465;   // 9999-12-31
constexpr int kLastCalendarYear = 9999;
constexpr std::int64_t kMillisecondsPerDay = 86400000;

struct CivilDate {
  int Year = 1899;
  int Month = 12;  // 1..12
  int Day = 30;    // 1..31
  friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

// The day number of a date. Month and day must be valid for the year.
std::int64_t DayNumber(int year, int month, int day);

// The date of a day number (|day| below 700 million days).
CivilDate DateOfDay(std::int64_t day);

// a / b rounded down (b > 0): the day of a count of milliseconds, for instance.
std::int64_t FloorDiv(std::int64_t a, std::int64_t b);

}  // namespace nox::detail
