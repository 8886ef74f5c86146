// The date/time tick walk: level choice, then one walk per calendar unit (years, months, days) and
// one shared walk for the four clock units.
//
// Tick values are doubles computed afresh for each tick (from a calendar date, or from a count of
// clock units since a midnight) rather than summed step by step, so that no rounding accumulates
// along a walk; the comparisons with the bounds run in extended precision.

#include "scale/datetime_ticks.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "scale/datetime_calendar.h"
#include "scale/datetime_text.h"
#include "scale/tick_layout.h"

namespace nox {

namespace {

using detail::CivilDate;
using detail::DateOfDay;
using detail::DayNumber;

constexpr long double kLowestRange = -693593;   // 0001-01-01
constexpr long double kHighestRange = 3000000;  // beyond the calendar, but still accepted
// How far (in days) a tick may lie outside the range and still count as inside it.
constexpr long double kTolerance = 1e-8L;

std::int64_t Mod(std::int64_t a, std::int64_t b) { return ((a % b) + b) % b; }

// The range as the walks read it.
struct Range {
  long double Low;
  long double High;
  // Not before the low bound, not past the high bound.
  bool NotBeforeLow(long double value) const { return value - Low > -kTolerance; }
  bool NotPastHigh(long double value) const { return value - High < kTolerance; }
};

// The index of the largest entry of steps that is <= limit; 0 (the first entry) when none is.
template <std::size_t N>
std::size_t LargestStepIndex(const std::array<int, N>& steps, long double limit) {
  std::size_t index = 0;
  for (std::size_t i = 0; i < N; ++i) {
    if (steps[i] <= limit) index = i;
  }
  return index;
}

std::vector<std::string> InvalidRangeMessage(bool vertical) {
  if (vertical) return {"invalid", "DateTime", "scale"};
  return {"invalid DateTime scale"};
}

std::vector<std::string> RangeTooSmallMessage(bool vertical) {
  if (vertical) return {"DateTime", "range is", "below 1", "second"};
  return {"DateTime range is below 1 second"};
}

// --- years ---

void WalkYears(const TDateTimeSettings& s, long double perTick, const Range& range, const TDTLabel& format,
               TDateTimeLayout& out) {
  const CivilDate start = DateOfDay(static_cast<std::int64_t>(std::floor(range.Low)));
  const long double years = std::max(perTick / 365.25L, 1.0L);
  // The step is 1, 2 or 5 times the largest power of ten not above the years per tick (so it never
  // exceeds them); worked out in integers so that 2, 5 or 10 years per tick give exactly 2, 5, 10.
  std::int64_t decade = 1;
  while (decade <= years / 10 && decade < 1000000000) decade *= 10;
  const long double mantissa = years / decade;
  const int multiplier = mantissa < 2 ? 1 : (mantissa < 5 ? 2 : 5);
  const std::int64_t major = decade * multiplier;
  std::int64_t minor = major;
  if (s.ShortTicks && major > 1) minor = multiplier == 5 ? major / 5 : major / 2;
  out.MajorStep = static_cast<int>(major);
  out.MinorStep = static_cast<int>(minor);

  // The first multiple of the minor step not before the start year; the next one when the range
  // starts after 1 January of that year.
  std::int64_t year = ((start.Year - 1) / minor + 1) * minor;
  if (year == start.Year && (start.Month > 1 || start.Day > 1)) year += minor;
  // Every year visited is drawn: the first lies on or after the start's date (on the same day when
  // the range starts during 1 January).
  for (int visit = 0; visit < kMaxTicksPerPass && year <= detail::kLastCalendarYear; ++visit, year += minor) {
    const int y = static_cast<int>(year);
    const auto value = static_cast<double>(DayNumber(y, 1, 1));
    if (!range.NotPastHigh(value)) break;
    TDateTimeTick tick;
    tick.Value = value;
    tick.Major = !s.ShortTicks || year % major == 0;
    if (tick.Major) tick.Label = detail::YearTickLabel(y, format);
    out.Ticks.push_back(std::move(tick));
  }
}

// --- months ---

void WalkMonths(const TDateTimeSettings& s, long double perTick, const Range& range, const TDTLabel& format,
                const TMonthNames& names, TDateTimeLayout& out) {
  static constexpr std::array<int, 5> kSteps = {1, 2, 3, 4, 6};
  const CivilDate start = DateOfDay(static_cast<std::int64_t>(std::floor(range.Low)));
  const int step = kSteps[LargestStepIndex(kSteps, perTick / 30.4375L)];
  out.MajorStep = step;
  out.MinorStep = s.ShortTicks ? 1 : step;

  int year = start.Year;
  int month = start.Month;
  const auto advance = [&](int months) {
    month += months;
    while (month > 12) {
      month -= 12;
      ++year;
    }
  };
  // Without short ticks the walk visits majors only, so it starts on a month 1, 1 + step, ...;
  // the month of the start itself when it is one (its first day may be the start of the range).
  if (step > 1 && !s.ShortTicks) {
    while (month % step != 1) advance(1);
  }
  for (int visit = 0; visit < kMaxTicksPerPass && year <= detail::kLastCalendarYear; ++visit) {
    const auto value = static_cast<double>(DayNumber(year, month, 1));
    if (!range.NotPastHigh(value)) break;
    if (range.NotBeforeLow(value)) {
      TDateTimeTick tick;
      tick.Value = value;
      tick.Major = !(s.ShortTicks && step > 1 && month % step != 1);
      if (tick.Major) tick.Label = detail::MonthTickLabel(year, month, format, names);
      out.Ticks.push_back(std::move(tick));
    }
    advance(out.MinorStep);
  }
}

// --- days ---

void WalkDays(const TDateTimeSettings& s, long double perTick, const Range& range, const TDTLabel& format,
              const TMonthNames& names, TDateTimeLayout& out) {
  static constexpr std::array<int, 6> kSteps = {1, 2, 3, 7, 14, 28};
  const auto startDay = static_cast<std::int64_t>(std::floor(range.Low));
  const std::int64_t step = kSteps[LargestStepIndex(kSteps, perTick)];
  const std::int64_t minor = s.ShortTicks ? (step >= 14 ? 7 : 1) : step;
  out.MajorStep = static_cast<int>(step);
  out.MinorStep = static_cast<int>(minor);

  // Steps are counted from 1 January of the start year, so weeks fall on that day's weekday.
  const std::int64_t newYear = DayNumber(DateOfDay(startDay).Year, 1, 1);
  const std::int64_t first = newYear + (startDay - newYear) / step * step;
  const std::int64_t phase = Mod(first, step);
  std::int64_t day = first;
  for (int visit = 0; visit < kMaxTicksPerPass && day <= detail::kLastCalendarDay; ++visit, day += minor) {
    const auto value = static_cast<double>(day);
    if (!range.NotPastHigh(value)) break;
    if (!range.NotBeforeLow(value)) continue;
    TDateTimeTick tick;
    tick.Value = value;
    tick.Major = !s.ShortTicks || Mod(day, step) == phase;
    if (tick.Major) tick.Label = detail::DateText(DateOfDay(day), format, names);
    out.Ticks.push_back(std::move(tick));
  }
}

// --- hours, minutes, seconds, hundredths ---

struct ClockSteps {
  std::int64_t PerDay;  // units in a day
  std::array<int, 6> Major;
  std::array<int, 6> Minor;  // the minor step of the major step in the same column
};

const ClockSteps& StepsOf(TDateTimeLevel level) {
  static constexpr ClockSteps kHours = {24, {1, 2, 3, 6, 8, 12}, {1, 1, 1, 2, 2, 3}};
  static constexpr ClockSteps kMinutes = {1440, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
  static constexpr ClockSteps kSeconds = {86400, {1, 2, 5, 10, 20, 30}, {1, 1, 1, 2, 5, 10}};
  static constexpr ClockSteps kHundredths = {8640000, {1, 2, 5, 10, 20, 50}, {1, 1, 1, 5, 10, 10}};
  switch (level) {
    case dlHours:
      return kHours;
    case dlMinutes:
      return kMinutes;
    case dlSeconds:
      return kSeconds;
    default:
      return kHundredths;
  }
}

void WalkClock(TDateTimeLevel level, const TDateTimeSettings& s, long double perTick, const Range& range,
               const TDTLabel& format, const TMonthNames& names, TDateTimeLayout& out) {
  const ClockSteps& unit = StepsOf(level);
  const std::size_t column = LargestStepIndex(unit.Major, perTick * unit.PerDay);
  const std::int64_t major = unit.Major[column];
  const std::int64_t minor = s.ShortTicks ? unit.Minor[column] : major;
  out.MajorStep = static_cast<int>(major);
  out.MinorStep = static_cast<int>(minor);

  // Ticks are counted in units from midnight of the start day; every step divides a day, so a
  // multiple of the major step from that midnight is one from any midnight.
  const auto midnight = static_cast<std::int64_t>(std::floor(range.Low));
  const long double perDay = static_cast<long double>(unit.PerDay);
  const auto valueAt = [&](std::int64_t units) {
    return static_cast<double>(static_cast<long double>(midnight) + static_cast<long double>(units) / perDay);
  };
  // The first multiple of the major step not before the low bound, then (with short ticks) back by
  // minor steps while they still lie in the range, so that the minor ticks before the first major
  // one are drawn too.
  const long double fromMidnight = (range.Low - midnight) * perDay;
  const auto firstUnit = static_cast<std::int64_t>(std::ceil(fromMidnight - kTolerance * perDay));
  std::int64_t units = firstUnit + Mod(-firstUnit, major);
  for (std::int64_t back = 0; back < major / minor && range.NotBeforeLow(valueAt(units - minor)); ++back) {
    units -= minor;
  }

  const std::int64_t msPerUnit = detail::kMillisecondsPerDay / unit.PerDay;
  int lastDatedDay = -1;  // day of month of the last date line
  for (int visit = 0; visit < kMaxTicksPerPass; ++visit, units += minor) {
    const std::int64_t ms = units * msPerUnit;
    const std::int64_t day = midnight + detail::FloorDiv(ms, detail::kMillisecondsPerDay);
    if (day > detail::kLastCalendarDay) break;
    const double value = valueAt(units);
    if (!range.NotPastHigh(value)) break;
    if (!range.NotBeforeLow(value)) continue;
    TDateTimeTick tick;
    tick.Value = value;
    tick.Major = !s.ShortTicks || Mod(units, major) == 0;
    if (tick.Major) {
      tick.Label = detail::TimeTickLabel(level, Mod(ms, detail::kMillisecondsPerDay), format);
      const CivilDate date = DateOfDay(day);
      bool dated = false;
      switch (format.DateForTime()) {
        case dtOnePerChart:
          dated = lastDatedDay < 0;
          break;
        case dtOnePerDay:
          dated = date.Day != lastDatedDay;
          break;
        case dtAllTicks:
          dated = true;
          break;
        default:
          break;
      }
      if (dated) {
        tick.DateLine = detail::DateText(date, format, names);
        if (format.DateForTime() != dtAllTicks) lastDatedDay = date.Day;
      }
    }
    out.Ticks.push_back(std::move(tick));
  }
}

bool IsValid(const TDateTimeSettings& s) {
  return s.RangeHigh >= s.RangeLow && s.RangeLow >= kLowestRange && s.RangeHigh <= kHighestRange;
}

// Span per tick in days; MinTicks 0 stands for a fixed step of one day.
long double SpanPerTick(const TDateTimeSettings& s) {
  const long double span = static_cast<long double>(s.RangeHigh) - s.RangeLow;
  return s.MinTicks > 0 ? span / s.MinTicks : 1.0L;
}

}  // namespace

TDateTimeLevel ChooseDateTimeLevel(const TDateTimeSettings& s) {
  if (!IsValid(s)) return dlInvalidRange;
  if (s.RangeHigh == s.RangeLow) return dlRangeTooSmall;
  if (s.MinTicks <= 0) return dlDays;
  const long double perTick = SpanPerTick(s);
  if (s.Vertical) {
    if (perTick <= 1.0L / 8640000) return dlRangeTooSmall;
    if (perTick <= 1.0L / 86400) return dlHundredths;
    if (perTick <= 1.0L / 1440) return dlSeconds;
  } else {
    if (perTick <= 1.1574e-5L) return dlRangeTooSmall;
    if (perTick <= 0.00069444L) return dlSeconds;
  }
  if (perTick <= 0.041667L) return dlMinutes;
  if (perTick <= 1) return dlHours;
  if (perTick <= 30) return dlDays;
  if (perTick > 366) return dlYears;
  return dlMonths;
}

TDateTimeLayout LayoutDateTimeTicks(const TDateTimeSettings& s, const TDTLabel& format,
                                    const TMonthNames& monthNames) {
  TDateTimeLayout out;
  out.Level = ChooseDateTimeLevel(s);
  const Range range{s.RangeLow, s.RangeHigh};
  const long double perTick = SpanPerTick(s);
  switch (out.Level) {
    case dlInvalidRange:
      out.Message = InvalidRangeMessage(s.Vertical);
      break;
    case dlRangeTooSmall:
      out.Message = RangeTooSmallMessage(s.Vertical);
      break;
    case dlYears:
      WalkYears(s, perTick, range, format, out);
      break;
    case dlMonths:
      WalkMonths(s, perTick, range, format, monthNames, out);
      break;
    case dlDays:
      WalkDays(s, perTick, range, format, monthNames, out);
      break;
    default:
      WalkClock(out.Level, s, perTick, range, format, monthNames, out);
      break;
  }
  return out;
}

}  // namespace nox
