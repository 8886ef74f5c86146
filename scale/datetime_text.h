#pragma once
// Label texts of date/time scales, built from the elements the scale's DateFormat asks for.
//
// Elements: the year in four digits (leading zeros kept) or its last two digits, or nothing
// (YearLength); the month as its abbreviated name or two digits (MonthName); the day in two
// digits; DS and TS, the DateSeparator and TimeSeparator characters, written as they are (also the
// character 0 of a format object that was never given its defaults). Hours come as 00..23 ("hour"),
// 0..23 ("short hour") or 1..12 with "am" before noon and "pm" from noon on (tfAMPM); minutes and
// seconds in two digits, milliseconds in three (30.05 s is "30.050"), so that what follows a
// decimal point always reads as the fraction it is.
//
// Arguments are dates of the calendar (years 1..9999) and times 0..86399999 ms; a DateOrder,
// TimeFormat or YearLength outside its enumeration is read as its first value.

#include <cstdint>
#include <string>

#include "base/Nox_noxbase.h"
#include "scale/datetime_calendar.h"
#include "scale/datetime_level.h"
#include "scale/datetime_month_names.h"

namespace nox::detail {

// Label of a tick of the years level: the year alone, without leading zeros for ylYYYY (995),
// two digits for ylYY, empty for ylNone.
std::string YearTickLabel(int year, const TDTLabel& format);

// Label of a tick of the months level: month DS year (year DS month for doYYMMDD); the month alone
// for ylNone.
std::string MonthTickLabel(int year, int month, const TDTLabel& format, const TMonthNames& names);

// A full date, the label of a tick of the days level and the date line of time levels:
// month DS day DS year (doMMDDYY), day DS month DS year (doDDMMYY), year DS month DS day
// (doYYMMDD). For ylNone the year and its separator are left out: month DS day, day DS month,
// month DS day.
std::string DateText(const CivilDate& date, const TDTLabel& format, const TMonthNames& names);

// Label of a tick of a time level at the given time of day:
//
// | level      | tfHHMMSS       | tfHHhMM         | tfAMPM               |
// | hours      | 14:00          | 14h             | 2pm                  |
// | minutes    | 14:05          | 14h05           | 2:05pm               |
// | seconds    | 14:05:30       | 14h05:30        | 2:05.30pm            |
// | hundredths | 14:05:30.250   | 14h05:30.250    | 2:05.30.250pm        |
//
// (with TimeSeparator ":"). Levels that are not time levels give an empty text.
std::string TimeTickLabel(TDateTimeLevel level, std::int64_t millisecondsOfDay, const TDTLabel& format);

}  // namespace nox::detail
