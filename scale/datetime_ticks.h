#pragma once
// The tick walk of date/time scales (LabelType ftDateTime): which calendar unit and step the
// visible range gets, where the ticks go (aligned to the calendar), which are major and what their
// labels and date lines say. The painter (scale/scale_paint.h) draws the result in order.
//
// Values are date-time numbers (scale/datetime_calendar.h). With s the span per tick,
// (RangeHigh - RangeLow) / MinTicks, in days, the level is:
//
// | s (days)                  | vertical scales | horizontal scales         |
// | <= 1/8640000 (0.01 s)     | message         | message                   |
// | <= 1/86400 (1 s)          | hundredths      | message (<= 1.1574e-5)    |
// | <= 1/1440 (1 min)         | seconds         | seconds (<= 0.00069444)   |
// | <= 0.041667               | minutes         | minutes                   |
// | <= 1                      | hours           | hours                     |
// | <= 30                     | days            | days                      |
// | > 366                     | years           | years                     |
// | otherwise                 | months          | months                    |
//
// Bounds that are reversed, NaN, infinite, below 0001-01-01 (-693593) or above 3000000 give the
// invalid-range message instead of ticks; equal bounds give the too-small message. MinTicks 0 (a
// fixed step of one unit on numeric scales) is a fixed step of one day here: the days level with
// step 1.
//
// Every walk ends: after kMaxTicksPerPass visited values at the latest, and at the end of the
// calendar, since no tick lies after 9999-12-31 (the years level ends with 9999 or before); a range
// that starts after that day gets no ticks. A tick counts as inside the range when it lies less
// than 1e-8 days (under a millisecond) outside it, so that bounds a hair off a calendar time keep
// their tick.

#include <optional>
#include <string>
#include <vector>

#include "base/Nox_noxbase.h"
#include "scale/datetime_level.h"
#include "scale/datetime_month_names.h"

namespace nox {

// What the walk reads from a scale (DateFormat and the month names come separately).
struct TDateTimeSettings {
  double RangeLow = 0;
  double RangeHigh = 1;
  int MinTicks = 3;  // 0 or 2..10
  bool ShortTicks = true;
  bool Vertical = false;  // sctYL, sctYR
};

struct TDateTimeTick {
  double Value = 0;                     // date-time number: position, tick list entry, event value
  bool Major = false;                   // long and labelled; minor ticks are short and carry no text
  std::string Label;                    // major ticks: the label before OnBeforeTickLabel
  std::optional<std::string> DateLine;  // time levels: the date drawn with the label
  friend bool operator==(const TDateTimeTick&, const TDateTimeTick&) = default;
};

struct TDateTimeLayout {
  TDateTimeLevel Level = dlInvalidRange;
  // Steps in the level's unit (years, months, days, hours, minutes, seconds, hundredths); 0 when a
  // message is shown. Minor equals Major when ShortTicks is off.
  int MajorStep = 0;
  int MinorStep = 0;
  // Instead of ticks: the lines of the message, drawn around the middle of the range (one word a
  // line on vertical scales, one line on horizontal ones).
  std::vector<std::string> Message;
  std::vector<TDateTimeTick> Ticks;  // in drawing order, every one inside the range
  friend bool operator==(const TDateTimeLayout&, const TDateTimeLayout&) = default;
};

// The level the range gets (rules above), without walking it.
TDateTimeLevel ChooseDateTimeLevel(const TDateTimeSettings& settings);

// The whole walk. Years: steps of 1, 2 or 5 times a power of ten years, ticks on 1 January.
// Months: steps of 1, 2, 3, 4 or 6 months, majors on months 1, 1 + step, ... Days: steps of 1, 2,
// 3, 7, 14 or 28 days counted from 1 January of the start year. Time levels: steps from a table per
// unit, counted from midnight; majors carry a date line as DateFormat.DateForTime says.
TDateTimeLayout LayoutDateTimeTicks(const TDateTimeSettings& settings, const TDTLabel& format,
                                    const TMonthNames& monthNames);

}  // namespace nox
