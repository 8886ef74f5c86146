#pragma once
// The calendar unit a date/time scale counts its ticks in, chosen from the span per tick; or the
// message the scale shows instead of ticks.

#include <cstdint>

namespace nox {

enum TDateTimeLevel : std::uint8_t {
  dlInvalidRange,   // message "invalid DateTime scale": bounds reversed or outside the calendar
  dlRangeTooSmall,  // message "DateTime range is below 1 second"
  dlHundredths,     // hundredths of a second (vertical scales only)
  dlSeconds,
  dlMinutes,
  dlHours,
  dlDays,
  dlMonths,
  dlYears
};
constexpr int kDateTimeLevelCount = dlYears + 1;

// The four levels whose labels show a clock time (and may get a date line).
constexpr bool IsTimeLevel(TDateTimeLevel level) { return level >= dlHundredths && level <= dlHours; }

}  // namespace nox
