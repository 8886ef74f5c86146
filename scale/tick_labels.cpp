#include "scale/tick_labels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

#include "base/rounding.h"

namespace nox {

int AutoDecimals(int DecPlaces, double High, double Low) {
  if (DecPlaces != -2 && DecPlaces != -3) return DecPlaces;
  const long double span = std::fabs(static_cast<long double>(High) - Low);
  // Compared with the double 0.0001, so that a span typed as 0.0001 counts as one.
  if (span >= 1000000 || span <= 0.0001) return -1;
  if (span >= 100) return 0;
  return 2 - RoundToInt(std::log(span) / 2.5L);
}

int AutoDecimalsLog(int DecPlaces, double Max, double Min) {
  if (DecPlaces != -2) return DecPlaces;
  const long double span = static_cast<long double>(Max) - Min;
  if (span >= 1000000 || span <= 0.0001) return -1;
  if (Min >= 1) return 0;
  return 1 - RoundToInt(std::log10(std::fabs(static_cast<long double>(Min))));
}

namespace {

constexpr int kMaxFixedDecimals = 100;

std::string NonFiniteText(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

std::string FixedText(double value, int decimals) {
  // Room for the sign, the 309 digits of the largest double, the point and kMaxFixedDecimals: one
  // conversion, which for large values is a long multi-precision division.
  std::array<char, 320 + kMaxFixedDecimals> buffer;
  const int n =
      std::snprintf(buffer.data(), buffer.size(), "%.*f", std::min(decimals, kMaxFixedDecimals), value);
  if (n <= 0 || static_cast<std::size_t>(n) >= buffer.size()) return {};
  std::string text(buffer.data(), static_cast<std::size_t>(n));
  // A value that rounds to zero reads "0.00", not "-0.00".
  if (text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos) text.erase(0, 1);
  return text;
}

// Equal values of the same sign (0 and -0 may read differently; NaN is never the same).
bool SameValue(double a, double b) { return a == b && std::signbit(a) == std::signbit(b); }

// The most extra digits a label takes: with 15 more the exponent form has 17 significant digits,
// which tell any two doubles apart.
constexpr int kMaxExtraDigits = 15;

std::string ExponentText(double value, int extraDigits) {
  char buffer[64];
  // "%.1E" gives d.dE+xx with at least two exponent digits, rounded from the exact binary value.
  std::snprintf(buffer, sizeof buffer, "%.*E", 1 + std::min(extraDigits, kMaxExtraDigits), std::fabs(value));
  const std::string mantissaAndExponent = buffer;
  const std::size_t e = mantissaAndExponent.find('E');
  const std::string mantissa = mantissaAndExponent.substr(0, e);
  const char exponentSign = mantissaAndExponent[e + 1];
  const int exponent = std::atoi(mantissaAndExponent.c_str() + e + 2);
  std::string text(1, value < 0 ? '-' : ' ');
  if (exponent >= 100) return std::string(8, '*');
  text += mantissa;
  text += 'E';
  text += exponentSign;
  text += static_cast<char>('0' + exponent / 10);
  text += static_cast<char>('0' + exponent % 10);
  return text;
}

}  // namespace

std::string FormatTickNumber(double Value, int Decimals, int ExtraDigits) {
  if (!std::isfinite(Value)) return NonFiniteText(Value);
  const int extra = std::clamp(ExtraDigits, 0, kMaxFixedDecimals);
  // Decimals may be any int: capped before the extra digits are added, so that the sum cannot overflow.
  if (Decimals >= 0) return FixedText(Value, std::min(Decimals, kMaxFixedDecimals - extra) + extra);
  return ExponentText(Value, extra);
}

std::vector<std::string> DistinctNumbers(
    std::span<const double> Values, const std::function<std::string(double Value, int ExtraDigits)>& Number) {
  // The texts with extra digits; when they must be distinct, nothing as soon as two neighbours read
  // alike.
  const auto textsWith = [&](int extra, bool distinct) -> std::optional<std::vector<std::string>> {
    std::vector<std::string> texts;
    texts.reserve(Values.size());
    std::size_t previous = Values.size();  // the last non-empty text, if any
    for (std::size_t i = 0; i < Values.size(); ++i) {
      // A value like the one before reads the same: steps that vanish against the values (near the
      // ends of the double range) give runs of thousands of them, each hundreds of digits long.
      if (i > 0 && SameValue(Values[i], Values[i - 1])) {
        texts.push_back(texts.back());
      } else {
        texts.push_back(Number(Values[i], extra));
        if (extra == 0 && texts.back().size() > kMaxLabelLength) texts.back().resize(kMaxLabelLength);
      }
      const std::string& text = texts.back();
      if (text.empty()) continue;
      if (distinct && previous < Values.size() && texts[previous] == text && Values[previous] != Values[i]) {
        return std::nullopt;
      }
      previous = i;
    }
    return texts;
  };
  for (int extra = 0; extra <= kMaxExtraDigits; ++extra) {
    if (std::optional<std::vector<std::string>> texts = textsWith(extra, true)) return std::move(*texts);
  }
  return *textsWith(0, false);
}

std::string UserTickItem(std::string_view Text, int n) {
  std::size_t start = 0;
  for (int item = 1;; ++item) {
    const std::size_t bar = Text.find('|', start);
    if (item >= n || bar == std::string_view::npos) {
      return std::string(
          Text.substr(start, bar == std::string_view::npos ? std::string_view::npos : bar - start));
    }
    start = bar + 1;
  }
}

std::string ApplyInscript(std::string_view Label, std::string_view Inscript) {
  if (Label.empty()) return {};
  const std::size_t amp = Inscript.find('&');
  if (amp == std::string_view::npos) return std::string(Inscript) + std::string(Label);
  std::string text(Inscript.substr(0, amp));
  text += Label;
  text += Inscript.substr(amp + 1);
  return text;
}

namespace {
std::string TwoDigits(std::int64_t v) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02lld", static_cast<long long>(v));
  return buffer;
}
}  // namespace

std::string FormatTimeLabel(double Value, bool WithMs) {
  if (!std::isfinite(Value)) return {};
  long double a = std::fabs(static_cast<long double>(Value));
  std::int64_t milliseconds = 0;
  if (WithMs) {
    milliseconds = Round((a - std::trunc(a)) * 1000);
    // 0.9996 s is 1.000 s, not 0.1000 s: carry a full second into the clock part.
    if (milliseconds >= 1000) {
      milliseconds -= 1000;
      a = std::trunc(a) + 1;
    }
  }
  const std::int64_t hours = Trunc(a / 3600);
  const std::int64_t minutes = Trunc((a - static_cast<long double>(hours) * 3600) / 60);
  const std::int64_t seconds =
      Trunc(a - static_cast<long double>(hours) * 3600 - static_cast<long double>(minutes) * 60);
  std::string text(1, Value < 0 ? '-' : ' ');
  text += TwoDigits(hours) + ":" + TwoDigits(minutes) + ":" + TwoDigits(seconds);
  if (WithMs) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, ".%03lld", static_cast<long long>(milliseconds));
    text += buffer;
  }
  return text;
}

}  // namespace nox
