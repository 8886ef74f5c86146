#include "scale/drag_scale_range.h"

#include <cmath>

namespace nox {

namespace {

using Extended = long double;
using detail::TExtendedRange;

// The zoom about the geometric centre G of the saved range on a logarithmic axis: G / J^t .. G x J^t
// with J = High / G, so t = 1 gives the saved range back.
struct TLogZoom {
  Extended G;
  Extended J;
  Extended Down(Extended t) const { return G / std::exp(std::log(J) * t); }
  Extended Up(Extended t) const { return G * std::exp(std::log(J) * t); }
};

TExtendedRange Pan(const TScaleDrag& d, Extended plotExtent) {
  const Extended lo = d.Low;
  const Extended hi = d.High;
  const Extended sLo = d.SavedLow;
  const Extended sHi = d.SavedHigh;
  if (!d.Vertical) {
    if (d.Logarithmic) {
      const Extended f = std::exp(std::log(hi / lo) * (static_cast<Extended>(d.StartX) - d.X) / plotExtent);
      return {sLo * f, sHi * f};
    }
    const Extended shift = (hi - lo) * (static_cast<Extended>(d.X) - d.StartX) / plotExtent;
    return {sLo - shift, sHi - shift};
  }
  if (d.Logarithmic) {
    const Extended f = std::exp(std::log(hi / lo) * (static_cast<Extended>(d.Y) - d.StartY) / plotExtent);
    return {sLo * f, sHi * f};
  }
  const Extended shift = (hi - lo) * (static_cast<Extended>(d.Y) - d.StartY) / plotExtent;
  return {sLo + shift, sHi + shift};
}

// The end away from the grab point stays; on a linear axis the grabbed value follows the pointer.
TExtendedRange Zoom(const TScaleDrag& d, Extended plotExtent, const TLogZoom& log) {
  const Extended sLo = d.SavedLow;
  const Extended sHi = d.SavedHigh;
  const Extended x = d.X;
  const Extended y = d.Y;
  const Extended sx = d.StartX;
  const Extended sy = d.StartY;
  bool highStays = false;
  Extended ratio = 0;
  Extended t = 0;
  if (!d.Vertical) {
    highStays = sx < d.MarginLeft + plotExtent / 2;  // grabbed in the left half
    if (highStays) {
      ratio = (static_cast<Extended>(d.Width) - x - d.MarginRight) /
              (static_cast<Extended>(d.Width) - sx - d.MarginRight);
      t = 1 + (x - sx) / plotExtent;
    } else {
      ratio = (x - d.MarginLeft) / (sx - d.MarginLeft);
      t = 1 + (sx - x) / plotExtent;
    }
  } else {
    highStays = sy > d.MarginTop + plotExtent / 2;  // grabbed in the lower half
    if (highStays) {
      ratio = (y - d.MarginTop) / (sy - d.MarginTop);
      t = 1 + (sy - y) / plotExtent;
    } else {
      ratio = (static_cast<Extended>(d.Height) - y - d.MarginBottom) /
              (static_cast<Extended>(d.Height) - sy - d.MarginBottom);
      t = 1 + (y - sy) / plotExtent;
    }
  }
  if (d.Logarithmic) return highStays ? TExtendedRange{log.Down(t), sHi} : TExtendedRange{sLo, log.Up(t)};
  return highStays ? TExtendedRange{sHi - (sHi - sLo) / ratio, sHi}
                   : TExtendedRange{sLo, sLo + (sHi - sLo) / ratio};
}

// Zoom about the centre of the saved range, by the displacement relative to the whole control.
TExtendedRange ZoomDrag(const TScaleDrag& d, const TLogZoom& log) {
  const Extended t = d.Vertical ? 1 + (static_cast<Extended>(d.Y) - d.StartY) / d.Height
                                : 1 - (static_cast<Extended>(d.X) - d.StartX) / d.Width;
  if (d.Logarithmic) return {log.Down(t), log.Up(t)};
  return detail::ZoomAboutCentre(d.SavedLow, d.SavedHigh, t);
}

}  // namespace

namespace detail {

TExtendedRange ZoomAboutCentre(double savedLow, double savedHigh, long double factor) {
  const long double centre = (static_cast<long double>(savedLow) + savedHigh) / 2;
  const long double half = (static_cast<long double>(savedHigh) - savedLow) * factor / 2;
  return {centre - half, centre + half};
}

}  // namespace detail

std::optional<TScaleRange> DragScaleRange(const TScaleDrag& drag) {
  if (drag.Action != maPan && drag.Action != maZoom && drag.Action != maZoomDrag) return std::nullopt;
  const Extended plotExtent = drag.Vertical
                                  ? static_cast<Extended>(drag.Height) - drag.MarginTop - drag.MarginBottom
                                  : static_cast<Extended>(drag.Width) - drag.MarginLeft - drag.MarginRight;
  const Extended g = std::sqrt(static_cast<Extended>(drag.SavedLow) * drag.SavedHigh);
  const TLogZoom log{g, drag.SavedHigh / g};
  TExtendedRange range{};
  switch (drag.Action) {
    case maPan:
      range = Pan(drag, plotExtent);
      break;
    case maZoom:
      range = Zoom(drag, plotExtent, log);
      break;
    default:
      range = ZoomDrag(drag, log);
      break;
  }
  const TScaleRange result{static_cast<double>(range.Low), static_cast<double>(range.High)};
  if (!std::isfinite(result.Low) || !std::isfinite(result.High)) return std::nullopt;
  return result;
}

}  // namespace nox
