#include "scale/datetime_text.h"

#include <algorithm>

namespace nox::detail {

namespace {

// value in at least `digits` digits, zero-padded (value >= 0).
std::string Digits(std::int64_t value, int digits) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < digits)
    text.insert(0, static_cast<std::size_t>(digits) - text.size(), '0');
  return text;
}

std::string YearElement(int year, TYearLength length) {
  switch (length) {
    case ylYYYY:
      return Digits(year, 4);
    case ylYY:
      return Digits(year % 100, 2);
    default:
      return {};
  }
}

std::string MonthElement(int month, const TDTLabel& format, const TMonthNames& names) {
  if (!format.MonthName()) return Digits(month, 2);
  return names[static_cast<std::size_t>(std::clamp(month, 1, 12) - 1)];
}

std::string AmPm(int hour) { return hour < 12 ? "am" : "pm"; }

int ClockHour(int hour) { return hour % 12 == 0 ? 12 : hour % 12; }

}  // namespace

std::string YearTickLabel(int year, const TDTLabel& format) {
  if (format.YearLength() == ylYYYY) return std::to_string(year);
  return YearElement(year, format.YearLength());
}

std::string MonthTickLabel(int year, int month, const TDTLabel& format, const TMonthNames& names) {
  const std::string monthText = MonthElement(month, format, names);
  if (format.YearLength() != ylYY && format.YearLength() != ylYYYY) return monthText;
  const std::string ds(1, format.DateSeparator());
  const std::string yearText = YearElement(year, format.YearLength());
  if (format.DateOrder() == doYYMMDD) return yearText + ds + monthText;
  return monthText + ds + yearText;
}

std::string DateText(const CivilDate& date, const TDTLabel& format, const TMonthNames& names) {
  const std::string ds(1, format.DateSeparator());
  const std::string month = MonthElement(date.Month, format, names);
  const std::string day = Digits(date.Day, 2);
  const bool withYear = format.YearLength() == ylYY || format.YearLength() == ylYYYY;
  const std::string year = YearElement(date.Year, format.YearLength());
  switch (format.DateOrder()) {
    case doDDMMYY:
      return withYear ? day + ds + month + ds + year : day + ds + month;
    case doYYMMDD:
      return withYear ? year + ds + month + ds + day : month + ds + day;
    default:
      return withYear ? month + ds + day + ds + year : month + ds + day;
  }
}

std::string TimeTickLabel(TDateTimeLevel level, std::int64_t millisecondsOfDay, const TDTLabel& format) {
  if (!IsTimeLevel(level)) return {};
  const std::int64_t ms = std::clamp<std::int64_t>(millisecondsOfDay, 0, 86399999);
  const int hour = static_cast<int>(ms / 3600000);
  const std::string minutes = Digits(ms / 60000 % 60, 2);
  const std::string seconds = Digits(ms / 1000 % 60, 2);
  const std::string millis = Digits(ms % 1000, 3);
  const std::string ts(1, format.TimeSeparator());

  std::string text;
  switch (format.TimeFormat()) {
    case tfHHhMM:
      text = std::to_string(hour) + "h";
      if (level == dlHours) return text;
      text += minutes;
      if (level == dlMinutes) return text;
      text += ts + seconds;
      if (level == dlHundredths) text += "." + millis;
      return text;
    case tfAMPM:
      text = std::to_string(ClockHour(hour));
      if (level != dlHours) {
        text += ts + minutes;
        if (level != dlMinutes) text += "." + seconds;
        if (level == dlHundredths) text += "." + millis;
      }
      return text + AmPm(hour);
    default:
      text = Digits(hour, 2) + ts + minutes;
      if (level == dlHours || level == dlMinutes) return text;
      text += ts + seconds;
      if (level == dlHundredths) text += "." + millis;
      return text;
  }
}

}  // namespace nox::detail
