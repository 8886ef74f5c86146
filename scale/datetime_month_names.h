#pragma once
// The abbreviated month names that date/time scales print when DateFormat.MonthName is set.
//
// The names come from the C library's locale for LC_TIME as the user's environment sets it
// (LC_ALL, LC_TIME, LANG), read once at first use; English abbreviations stand in when that locale
// is unknown, gives an empty name, or writes its names in a character set other than UTF-8 (plain
// ASCII names are taken from any character set). A program (or a test that must not depend on the
// machine) can replace the table with SetShortMonthNames.

#include <array>
#include <optional>
#include <string>

namespace nox {

using TMonthNames = std::array<std::string, 12>;  // January first

// "Jan", "Feb", ..., "Dec".
const TMonthNames& EnglishShortMonthNames();

// The abbreviated month names of the named locale ("" for the user's environment, "C", "de_DE.UTF-8",
// ...), or nothing when the locale is not installed or its names are not usable as above. Names
// longer than 32 bytes or holding control characters count as unusable.
std::optional<TMonthNames> LocaleShortMonthNames(const std::string& localeName);

// The table the scales use: the user's locale, or English.
const TMonthNames& ShortMonthNames();
void SetShortMonthNames(const TMonthNames& names);

}  // namespace nox
