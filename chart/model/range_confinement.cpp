#include "chart/model/range_confinement.h"

#include <algorithm>
#include <cmath>

#include "scale/axis_mapping.h"

namespace nox::detail {

void ConfineAxis(long double& low, long double& high, long double boxLow, long double boxHigh, bool panning) {
  const long double cLow = std::min(boxLow, boxHigh);
  const long double cHigh = std::max(boxLow, boxHigh);
  const long double d = high - low;

  if (panning && std::fabs(d) > cHigh - cLow) {
    // Shifting inside would move the far end outside again; cover the box instead.
    const long double first = std::min(low, high);
    const long double last = std::max(low, high);
    long double shift = 0;
    if (first > cLow)
      shift = cLow - first;
    else if (last < cHigh)
      shift = cHigh - last;
    low += shift;
    high += shift;
    return;
  }

  // The last test that fires decides where a panned window ends up.
  if (low < cLow) {
    low = cLow;
    if (panning) high = low + d;
  }
  if (low > cHigh) {
    low = cHigh;
    if (panning) high = low + d;
  }
  if (high < cLow) {
    high = cLow;
    if (panning) low = high - d;
  }
  if (high > cHigh) {
    high = cHigh;
    if (panning) low = high - d;
  }
}

void ConfineLogAxis(long double& low, long double& high, long double boxLow, long double boxHigh,
                    bool panning) {
  const long double cLow = std::max(std::min(boxLow, boxHigh), static_cast<long double>(kMinLogValue));
  const long double cHigh = std::max(boxLow, boxHigh);
  if (!(low > 0 && high > 0) || !(cHigh > cLow)) {
    ConfineAxis(low, high, boxLow, boxHigh, panning);
    return;
  }
  const long double logLow = std::log(low);
  const long double logHigh = std::log(high);
  long double l = logLow;
  long double h = logHigh;
  ConfineAxis(l, h, std::log(cLow), std::log(cHigh), panning);
  // Only a bound that moved is taken back, and never below the smallest logarithmic bound.
  if (l != logLow) low = std::max(std::exp(l), static_cast<long double>(kMinLogValue));
  if (h != logHigh) high = std::max(std::exp(h), static_cast<long double>(kMinLogValue));
}

}  // namespace nox::detail
