#pragma once
// Label texts of scale ticks: number of decimals, number and time formats, user texts and the
// prefix/suffix of numeric labels.

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace nox {

// Decimals of linear labels. DecPlaces other than -2 and -3 is returned as it is. Automatic (-2, -3),
// by the span |High - Low|: -1 (exponent form) for spans >= 1000000 or <= 0.0001, 0 for spans >= 100,
// otherwise 2 - Round(ln(span) / 2.5): span 50 gives 0, 10 gives 1, 1 gives 2, 0.1 gives 3.
int AutoDecimals(int DecPlaces, double High, double Low);

// Decimals of logarithmic labels. DecPlaces other than -2 is returned as it is (so -3 keeps its
// decades-only meaning). Automatic: -1 when Max - Min >= 1000000 or <= 0.0001, 0 when Min >= 1,
// otherwise 1 - Round(log10(|Min|)): Min 0.01 gives 3, 0.5 gives 1.
int AutoDecimalsLog(int DecPlaces, double Max, double Min);

// Decimals >= 0: fixed notation with exactly that many digits after the point ("12.50", "-3"; at most
// 100); ties in the binary value round to even; a value that rounds to zero has no sign. Values of
// 1e36 and above print all their integer digits.
// Decimals < 0: the 8-character exponent form with two significant digits: a sign position (blank or
// "-"), d.d, "E", the exponent's sign and two digits (" 1.2E+03", "-5.0E-05"); an exponent of 100 or
// more in magnitude gives "********". NaN gives "NAN", infinities "INF" and "-INF".
// ExtraDigits > 0 adds that many digits after the point, in either form (" 2.5001E+01").
std::string FormatTickNumber(double Value, int Decimals, int ExtraDigits = 0);

// Numeric labels are cut to this many characters, unless they carry extra digits.
constexpr std::size_t kMaxLabelLength = 14;

// The texts Number(value, extra) gives Values, in order, with the fewest extra digits (as
// FormatTickNumber adds them) that give every two neighbouring different values different texts;
// empty texts do not count. Without extra digits the texts are cut to kMaxLabelLength characters;
// with them they stay whole (a cut would take the added digits away again, and in the exponent form
// the exponent with them). When no count up to the precision of a double tells the values apart,
// the texts without extra digits. Values come in order along the axis and Number rounds
// monotonically, so equal texts can only meet among neighbours. Number depends on its arguments
// only: a value equal to the one before it takes that value's text without a call.
std::vector<std::string> DistinctNumbers(
    std::span<const double> Values, const std::function<std::string(double Value, int ExtraDigits)>& Number);

// Item n (1-based) of a "|"-separated list. Beyond the last item the last one is returned again; an
// empty text gives "", a list ending in "|" has an empty last item. n below 1 gives the first item.
std::string UserTickItem(std::string_view Text, int n);

// The part of Inscript before its first "&" in front of Label and the part after it behind; without
// "&" all of Inscript is a prefix. An empty label stays empty.
std::string ApplyInscript(std::string_view Label, std::string_view Inscript);

// A sign character (blank for Value >= 0, "-" below 0) and hours:minutes:seconds of |Value| seconds,
// each at least two digits, hours not wrapped at 24; WithMs appends "." and three digits of
// milliseconds, which carry into the seconds when they round to 1000. 5400 gives " 01:30:00",
// -0.25 with milliseconds "-00:00:00.250". NaN and infinities give "".
std::string FormatTimeLabel(double Value, bool WithMs);

}  // namespace nox
