#include "chart/render/grid_positions.h"

#include <algorithm>
#include <cmath>

#include "base/rounding.h"

namespace nox::detail {

namespace {

constexpr double kLn10 = 2.302585092994046;

double Pow10(double e) { return std::pow(10.0, e); }

// The multiple of ten within the decade of v (1..10, rounded) and the decade's exponent.
struct TDecadePlace {
  double Exponent = 0;
  long long Multiple = 0;
};

TDecadePlace DecadePlace(double v, bool snapToDecade) {
  double g = GridLog10(v);
  // A value that is a power of ten up to rounding counts as one, so that 100 does not fall into
  // the decade of 10 as 9.999...
  if (snapToDecade && std::fabs(g - static_cast<double>(Round(g))) < 1e-14) g = static_cast<double>(Round(g));
  const double e = std::floor(g);
  return {e, Round(Pow10(g - e))};
}

// The 1-2-5 value that follows multiple m within a decade.
double NextOneTwoFive(long long m) {
  if (m < 2) return 2;
  if (m < 5) return 5;
  return 10;
}

}  // namespace

double GridLog10(double v) { return std::log(v) / kLn10; }

double FirstGridPosition(bool logarithmic, double step, double low) {
  if (!logarithmic || step > 0) return std::ceil(low / step) * step;
  if (!(low > 0)) return std::nan("");
  if (step == -1) return Pow10(std::ceil(GridLog10(low)));
  if (step == -2) {
    const TDecadePlace place = DecadePlace(low, false);
    const double m = place.Multiple <= 2 ? 2 : (place.Multiple <= 5 ? 5 : 10);
    return Pow10(place.Exponent) * m;
  }
  if (step == -3) {
    const TDecadePlace place = DecadePlace(low, false);
    return Pow10(place.Exponent) * static_cast<double>(place.Multiple);
  }
  return low;
}

double NextGridStep(bool logarithmic, double step, double current) {
  if (!logarithmic || step > 0) return current + std::fabs(step);
  if (step == -1) return current * 10;
  const TDecadePlace place = DecadePlace(current, true);
  if (step == -2) return Pow10(place.Exponent) * NextOneTwoFive(place.Multiple);
  return Pow10(place.Exponent) * static_cast<double>(place.Multiple + 1);
}

std::vector<double> GridPositions(const TGridAxis& axis, std::span<const double> ticks) {
  std::vector<double> positions;
  if (!std::isfinite(axis.Low) || !std::isfinite(axis.High) || axis.Low > axis.High) return positions;
  if (axis.Step == 0) {
    for (double t : ticks) {
      if (t >= axis.Low && t < axis.High) positions.push_back(t);
    }
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    if (positions.size() > static_cast<std::size_t>(kMaxGridLines)) positions.resize(kMaxGridLines);
    if (ticks.empty() && axis.Low < axis.High) positions.push_back(axis.Low);
    return positions;
  }
  double x = FirstGridPosition(axis.Logarithmic, axis.Step, axis.Low);
  while (std::isfinite(x) && x < axis.High && positions.size() < static_cast<std::size_t>(kMaxGridLines)) {
    positions.push_back(x);
    x = NextGridStep(axis.Logarithmic, axis.Step, x);
  }
  return positions;
}

double NextGridPosition(const TGridAxis& axis, std::span<const double> ticks, int n, double current) {
  if (axis.Step != 0) return NextGridStep(axis.Logarithmic, axis.Step, current);
  if (n <= 0 || static_cast<std::size_t>(n) > ticks.size()) return axis.High;
  return ticks[static_cast<std::size_t>(n - 1)];
}

}  // namespace nox::detail
