#include "chart/model/range_confinement.h"

#include <algorithm>
#include <cmath>

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

}  // namespace nox::detail
