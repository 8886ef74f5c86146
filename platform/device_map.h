#pragma once
// How a canvas's logical coordinates land on the device pixels of its bitmap.
//
// At scale 1 a logical pixel is a device pixel and nothing is mapped. At scale s the logical pixel x
// covers the device pixels Edge(x) .. Edge(x + 1) - 1, with Edge(x) = round((x + origin) * s) minus
// the same for the origin: the origin is the bitmap's top left corner in logical coordinates of the
// whole picture, so that images drawn at different places of one picture share its device grid and
// fit together without gaps or overlaps at fractional scales.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/geometry.h"
#include "platform/raster_math.h"

namespace nox::detail {

// Largest device scale a canvas takes: an 8K screen or a printer page from a chart of usual size.
constexpr double kMaxDeviceScale = 8.0;

inline bool ValidDeviceScale(double scale) {
  return std::isfinite(scale) && scale > 0 && scale <= kMaxDeviceScale;
}
// Throws EInvalidGraphic, naming the scale, unless ValidDeviceScale.
void CheckDeviceScale(double scale);

struct DeviceMap {
  double scale = 1.0;  // device pixels per logical pixel
  int originX = 0;     // logical position of the bitmap's top left corner
  int originY = 0;

  bool Unit() const { return scale == 1.0; }

  std::int64_t EdgeX(std::int64_t x) const { return Edge(x, originX); }
  std::int64_t EdgeY(std::int64_t y) const { return Edge(y, originY); }
  // The device pixel a line of this device width is centred on for the logical pixel x (odd
  // widths: the pixel under the logical pixel's centre; even widths: the pixel right of it, since
  // an even pen puts its extra pixel before the point).
  std::int64_t CentreX(std::int64_t x, int width) const { return Centre(x, originX, width); }
  std::int64_t CentreY(std::int64_t y, int width) const { return Centre(y, originY, width); }
  // The device point a line of this device width is drawn through for a logical point.
  TPoint CentrePoint(TPoint p, int width) const {
    return {SaturateToInt(CentreX(p.X, width)), SaturateToInt(CentreY(p.Y, width))};
  }
  // Device width of a pen of this logical width (at least 1).
  int PenWidth(int width) const {
    const int w = std::max(width, 1);
    return Unit() ? w : std::max(1, static_cast<int>(std::lround(w * scale)));
  }
  // Device pixels that hold a logical extent starting at the origin.
  std::int64_t ExtentX(int width) const { return EdgeX(std::max(width, 0)); }
  std::int64_t ExtentY(int height) const { return EdgeY(std::max(height, 0)); }

 private:
  std::int64_t Edge(std::int64_t v, int origin) const {
    if (Unit()) return v;
    return Floor((static_cast<double>(v) + origin) * scale + 0.5) - Floor(origin * scale + 0.5);
  }
  std::int64_t Centre(std::int64_t v, int origin, int width) const {
    if (Unit()) return v;
    const double c =
        (static_cast<double>(v) + origin + 0.5) * scale - static_cast<double>(Floor(origin * scale + 0.5));
    return Floor(width % 2 != 0 ? c : c + 0.5);
  }
  // Coordinates are ints times at most kMaxDeviceScale: they fit 64 bits with room.
  static std::int64_t Floor(double v) { return static_cast<std::int64_t>(std::floor(v)); }
};

}  // namespace nox::detail
