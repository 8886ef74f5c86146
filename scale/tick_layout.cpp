// Tick routines: the nice step of linear ranges, the linear, logarithmic and time-of-day layouts.
//
// Named quantities of the routines (First, Step, tick values) are doubles; the expressions that
// produce them are evaluated in extended precision and rounded once, when they are stored.

#include "scale/tick_layout.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <functional>
#include <span>

#include "base/rounding.h"
#include "scale/tick_labels.h"

namespace nox {

const std::array<TTimeStep, kTimeStepCount> TimeStepTable = {{
    {0.001, 5}, {0.002, 4}, {0.005, 5}, {0.01, 5},  {0.02, 4},  {0.05, 5},  {0.1, 5},
    {0.2, 4},   {0.5, 5},   {1, 5},     {2, 4},     {5, 5},     {10, 5},    {20, 4},
    {30, 6},    {60, 6},    {120, 6},   {180, 6},   {300, 5},   {600, 5},   {1200, 6},
    {1800, 6},  {3600, 6},  {7200, 4},  {14400, 4}, {21600, 6}, {43200, 6}, {86400, 6},
}};

namespace {

constexpr long double kLog10Of2 = 0.3010299956639812L;
constexpr long double kLog10Of5 = 0.6989700043360189L;
// Values are compared with a relative tolerance of one part in 10^9 against the range's bounds.
constexpr long double kNearlyOne = 0.999999999L;
// Walking First onto the range normally takes one or two steps.
constexpr int kMaxFirstSteps = 64;

TTick MakeTick(double value, TTickMark mark, bool recorded) {
  TTick tick;
  tick.Value = value;
  tick.LabelValue = value;
  tick.Mark = mark;
  tick.Recorded = recorded;
  return tick;
}

// 10^k: exact up to 10^27, within a few units in the last place beyond.
long double Pow10(int k) {
  long double p = 1;
  for (int i = 0; i < std::abs(k) && i < 5000; ++i) p *= 10;
  return k >= 0 ? p : 1 / p;
}

// mult x 10^k: the nearest double for |k| <= 22, very close to it beyond (0 or infinity where it does
// not fit a double).
double DecadeMultiple(int mult, int k) {
  if (k >= 0 && k <= 22) return mult * static_cast<double>(Pow10(k));
  if (k < 0 && k >= -22) return mult / static_cast<double>(Pow10(-k));
  return static_cast<double>(mult * Pow10(k));
}

// Moves first by step until it lies at Low or past it in the direction dir (within a thousandth of
// a step). Stops when the step no longer changes first.
double WalkOntoLow(long double first, double step, double low, int dir) {
  // The first candidate lies one or two steps before Low; near the ends of the double range it can
  // lie beyond them, so take one step before rounding to double.
  if (std::fabs(first) > DBL_MAX) first += step;
  double current = static_cast<double>(first);
  for (int i = 0; i < kMaxFirstSteps; ++i) {
    if (!(dir * (static_cast<long double>(low) - current) > 0.001L * std::fabs(step))) break;
    const double next = static_cast<double>(static_cast<long double>(current) + step);
    if (next == current) break;
    current = next;
  }
  return current;
}

}  // namespace

TNiceTickStep NiceTickStep(int MinTicks, double Low, double High) {
  if (!std::isfinite(Low) || !std::isfinite(High) || MinTicks < 0) {
    return {std::isfinite(Low) ? Low : 0, 0, 1};
  }
  if (Low == High) return {Low, 0, 1};
  const int dir = Low < High ? 1 : -1;
  const long double span = std::fabs(static_cast<long double>(High) - Low);

  if (MinTicks == 0) {
    // A fixed step of 1, signed like the range so that a descending range walks downwards too.
    const double step = dir;
    const double first = WalkOntoLow(std::trunc(static_cast<long double>(Low)) - dir, step, Low, dir);
    return {first, step, static_cast<std::uint16_t>(span > 10 ? 1 : 5)};
  }

  long double e = std::log10(span / MinTicks);
  long double f = e - std::trunc(e);
  if (std::fabs(f) < 1e-10L || std::fabs(f) > 0.9999999999L) {
    f = 0;
    e = static_cast<long double>(Round(e));
  }
  if (e < 0 && f != 0) e -= 1;
  if (f < 0) f += 1;
  int mult = 5;
  std::uint16_t sub = 5;
  if (f < kLog10Of2 + 1e-10L) {
    mult = 1;
  } else if (f < kLog10Of5 + 1e-10L) {
    mult = 2;
    sub = 4;
  }
  // |e| stays below 400 for any pair of finite doubles and MinTicks >= 1.
  const double step = dir * DecadeMultiple(mult, static_cast<int>(std::trunc(e)));
  if (step == 0 || !std::isfinite(step)) return {Low, 0, 1};
  const long double first = (std::trunc(static_cast<long double>(Low) / step) - 1) * step;
  return {WalkOntoLow(first, step, Low, dir), step, sub};
}

namespace {

// The value a linear major tick's label shows and reports: exactly 0 when the tick is zero to within
// the range's resolution.
double LinearLabelValue(const TTickSettings& s, double value) {
  const long double span = static_cast<long double>(s.RangeHigh) - s.RangeLow;
  return std::fabs(value / span) < 1e-14L ? 0 : value;
}

// The number a linear major tick at labelValue shows, before the cut; empty where DecPlaces 0 leaves
// a value that is not whole without a label.
std::string LinearNumber(const TTickSettings& s, double labelValue, int decimals, int extraDigits) {
  const long double span = static_cast<long double>(s.RangeHigh) - s.RangeLow;
  // Doubles of this size are whole numbers (and beyond the reach of an integer Round).
  const bool whole = std::fabs(labelValue) >= 4.5e15 ||
                     std::fabs(labelValue - static_cast<long double>(Round(labelValue))) <= 1e-6L;
  if (s.DecPlaces == 0 && !whole) return {};
  if (labelValue == 0 && std::fabs(span) > 100000) return decimals != 0 ? "0.0" : "0";
  return FormatTickNumber(labelValue, decimals, extraDigits);
}

// The numbers of the labelled ticks at values, told apart (DistinctNumbers); none where user texts
// replace them.
std::vector<std::string> TickNumbers(const TTickSettings& s, std::span<const double> values,
                                     const std::function<std::string(double, int)>& number) {
  if (s.LabelType == ftUserText || s.LabelType == ftNoFigs) return {};
  return DistinctNumbers(values, number);
}

// The label of the n-th labelled tick (1-based): the user's text n, or its number with the inscript.
std::string NumericLabel(const TTickSettings& s, const std::vector<std::string>& numbers, int n) {
  if (s.LabelType == ftUserText) return UserTickItem(s.UserTickText, n);
  return ApplyInscript(numbers[static_cast<std::size_t>(n - 1)], s.ScaleInscript);
}

}  // namespace

TTickList LayoutLinearTicks(const TTickSettings& s) {
  TTickList list;
  const TNiceTickStep nice = NiceTickStep(s.MinTicks, s.RangeLow, s.RangeHigh);
  if (nice.Step == 0) return list;
  const double step = nice.Step;
  const double shortStep = step / nice.SubDivisions;
  const int dir = s.RangeHigh > s.RangeLow ? 1 : -1;
  const auto passedHigh = [&](double v, double unit) {
    return !(dir * (static_cast<long double>(v) - s.RangeHigh) <= 0.001L * std::fabs(unit));
  };

  if (s.ShortTicks) {
    // A short tick within a thousandth of a short step of either bound counts as inside and lies on
    // that bound: the walk adds a step rounded to double, so it lands a hair beside a bound it should
    // meet (0..1 with MinTicks 10 reaches 0 as -3.5e-18, 0.3..0 with MinTicks 3 as 4.2e-17).
    const long double tolerance = 0.001L * std::fabs(shortStep);
    const auto onBound = [&](double v) {
      for (const double bound : {s.RangeLow, s.RangeHigh}) {
        if (std::fabs(static_cast<long double>(v) - bound) <= tolerance) return bound;
      }
      return v;
    };
    const long double start = static_cast<long double>(nice.First) - step;
    for (int k = 0; k < kMaxTicksPerPass; ++k) {
      const double v = static_cast<double>(start + static_cast<long double>(k) * shortStep);
      if (dir * (static_cast<long double>(v) - s.RangeLow) >= -tolerance) {
        list.Ticks.push_back(MakeTick(onBound(v), tmShort, true));
      }
      if (passedHigh(static_cast<double>(start + static_cast<long double>(k + 1) * shortStep), shortStep))
        break;
    }
  }

  std::vector<double> majors;
  for (int k = 0; k < kMaxTicksPerPass; ++k) {
    majors.push_back(static_cast<double>(nice.First + static_cast<long double>(k) * step));
    if (passedHigh(static_cast<double>(nice.First + static_cast<long double>(k + 1) * step), step)) break;
  }
  const int decimals = AutoDecimals(s.DecPlaces, s.RangeHigh, s.RangeLow);
  std::vector<double> labelValues;
  for (const double v : majors) labelValues.push_back(LinearLabelValue(s, v));
  const std::vector<std::string> numbers =
      TickNumbers(s, labelValues, [&](double v, int extra) { return LinearNumber(s, v, decimals, extra); });
  for (std::size_t k = 0; k < majors.size(); ++k) {
    TTick tick = MakeTick(majors[k], tmMajor, s.Vertical || !s.ShortTicks);
    tick.LabelBeforeDrawn = !s.Vertical;
    if (s.LabelType != ftNoFigs) {
      tick.Labelled = true;
      tick.LabelValue = labelValues[k];
      tick.Label = NumericLabel(s, numbers, static_cast<int>(k) + 1);
      tick.LabelIndex = Round(static_cast<long double>(majors[k]) / step);
    }
    list.Ticks.push_back(std::move(tick));
  }
  return list;
}

namespace {

// The label number of a decade tick when only decades are labelled: its decimal exponent.
std::string DecadeExponent(double decade) {
  return FormatTickNumber(static_cast<double>(Round(std::log10(static_cast<long double>(decade)))), 0);
}

// Automatic decimals show no trailing zeros on a logarithmic scale: 2.500 reads 2.5, 3.000 reads 3.
std::string WithoutTrailingZeros(const TTickSettings& s, std::string text) {
  if (s.DecPlaces == -2 && text.find('.') != std::string::npos &&
      text.find_first_of("eE") == std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  return text;
}

struct TLogCandidate {
  double Value;
  int Multiple;  // 1 .. 9 times its decade
};

}  // namespace

TTickList LayoutLogTicks(const TTickSettings& s) {
  const double low = s.RangeLow;
  const double high = s.RangeHigh;
  if (!std::isfinite(low) || !std::isfinite(high) || !(low > 0) || !(high > 0)) return {};
  const long double decades = std::fabs(std::log10(static_cast<long double>(high) / low));
  if (decades < 1) return LayoutLinearTicks(s);

  const double min = std::min(low, high);
  const double max = std::max(low, high);
  const long double d = Pow10(static_cast<int>(std::floor(std::log10(min * kNearlyOne))));
  const bool withMultiples = s.MinTicks > decades + 0.5L;
  const auto isMajor = [](int multiple) { return multiple == 1 || multiple == 2 || multiple == 5; };

  // The candidates that lie inside the range, in drawing order. One pass per decade; the decades of
  // the double range (about 630) bound it.
  std::vector<TLogCandidate> candidates;
  std::vector<double> majors;
  const auto candidate = [&](int multiple, long double decade) {
    if (!isMajor(multiple) && s.Vertical && !s.ShortTicks) return;
    const double v = static_cast<double>(multiple * decade);
    if (min >= v / kNearlyOne || !(max > v * kNearlyOne)) return;
    candidates.push_back({v, multiple});
    if (isMajor(multiple)) majors.push_back(v);
  };
  long double m10 = 1;
  for (int pass = 0; pass < kMaxTicksPerPass; ++pass) {
    const long double decade = d * m10;
    candidate(1, decade);
    if (withMultiples) {
      for (int i = 2; i <= 9; ++i) candidate(i, decade);
    }
    m10 *= 10;
    if (max < kNearlyOne * d * m10) break;
  }

  const int decimals = AutoDecimalsLog(s.DecPlaces, max, min);
  std::vector<std::string> numbers;
  if (decimals == -3) {
    // Only the decades are labelled, with exponents that tell them apart.
    for (const auto [v, multiple] : candidates) {
      if (isMajor(multiple)) numbers.push_back(multiple == 1 ? DecadeExponent(v) : std::string());
    }
  } else {
    numbers = TickNumbers(s, majors, [&](double v, int extra) {
      std::string text = FormatTickNumber(v, decimals, extra);
      if (extra == 0 && text.size() > kMaxLabelLength) text.resize(kMaxLabelLength);
      return WithoutTrailingZeros(s, std::move(text));
    });
  }
  TTickList list;
  int n = 0;
  for (const auto [v, multiple] : candidates) {
    const bool major = isMajor(multiple);
    // Vertical scales draw every processed candidate long; horizontal ones draw short candidates
    // short, and only with ShortTicks (they still fire their event).
    TTick tick =
        s.Vertical ? MakeTick(v, tmMajor, true)
                   : MakeTick(v, major ? tmMajor : (s.ShortTicks ? tmShort : tmNone), major || s.ShortTicks);
    if (major && s.LabelType != ftNoFigs) {
      tick.Labelled = true;
      ++n;
      tick.Label = NumericLabel(s, numbers, n);
      tick.LabelIndex = n;
    }
    list.Ticks.push_back(std::move(tick));
  }
  return list;
}

std::optional<TTickList> LayoutTimeTicks(const TTickSettings& s) {
  // MinTicks 0 has no step per interval to look up; the numeric routine takes over.
  if (s.MinTicks <= 0 || !std::isfinite(s.RangeLow) || !std::isfinite(s.RangeHigh)) return std::nullopt;
  const double low = s.RangeLow;
  const double high = s.RangeHigh;
  const int dir = high > low ? 1 : -1;
  const long double q = std::fabs(static_cast<long double>(high) - low) / s.MinTicks;
  int index = 0;
  for (int i = 0; i < kTimeStepCount; ++i) {
    if (TimeStepTable[i].Step <= q) index = i + 1;
  }
  if (index == 0 || index == kTimeStepCount) return std::nullopt;
  const TTimeStep& entry = TimeStepTable[index - 1];
  const double major = dir * entry.Step;
  const double shortStep =
      static_cast<double>(static_cast<long double>(dir) * entry.Step / entry.SubDivisions);
  const bool withMs = index <= 9;

  // The first major tick at or before RangeLow, walking from RangeLow towards RangeHigh. A start a
  // hair before a major tick snaps onto it; the snap is at most a thousandth of a step so that
  // large values do not skip ticks.
  const long double r = static_cast<long double>(low) / major;
  long double snapped = r / kNearlyOne;
  if (std::fabs(snapped - r) > 0.001L) snapped = r + std::copysign(0.001L, snapped - r);
  const double first = static_cast<double>(std::floor(snapped) * major);
  // Enough steps from First to pass RangeHigh, also when First lies a step before RangeLow.
  const std::int64_t count = std::clamp<std::int64_t>(
      Trunc((static_cast<long double>(high) - first) / shortStep) + 5, 0, kMaxTicksPerPass);

  // The range widened by one part in 10^9 at each end (by at most a thousandth of a short step), on
  // whichever side each bound lies.
  const long double tolerance = 0.001L * std::fabs(shortStep);
  const long double lower = std::min(low, high);
  const long double upper = std::max(low, high);
  const long double lowerLimit =
      std::max(lower >= 0 ? lower * kNearlyOne : lower / kNearlyOne, lower - tolerance);
  const long double upperLimit =
      std::min(upper > 0 ? upper / kNearlyOne : upper * kNearlyOne, upper + tolerance);
  const auto inside = [&](double v) { return lowerLimit <= v && v <= upperLimit; };
  const auto valueAt = [&](std::int64_t t) {
    return static_cast<double>(first + static_cast<long double>(t) * shortStep);
  };

  TTickList list;
  if (s.ShortTicks) {
    for (std::int64_t t = 0; t <= count; ++t) {
      const double v = valueAt(t);
      if (inside(v)) list.Ticks.push_back(MakeTick(v, tmShort, true));
    }
  }
  for (std::int64_t t = 0; t <= count; ++t) {
    const double v = valueAt(t);
    const long double ratio = v / static_cast<long double>(major);
    if (!(std::fabs(ratio - std::round(ratio)) < 0.01L) || !inside(v)) continue;
    TTick tick = MakeTick(v, tmMajor, s.Vertical || !s.ShortTicks);
    tick.Labelled = true;
    tick.LabelBeforeDrawn = true;
    tick.Label = FormatTimeLabel(v, withMs);
    tick.LabelIndex = Round(ratio);
    list.Ticks.push_back(std::move(tick));
  }
  return list;
}

TTickList LayoutTicks(const TTickSettings& settings) {
  if (settings.LabelType == ftTime) {
    if (std::optional<TTickList> ticks = LayoutTimeTicks(settings)) return std::move(*ticks);
  }
  return settings.Logarithmic ? LayoutLogTicks(settings) : LayoutLinearTicks(settings);
}

}  // namespace nox
