#pragma once
// The range a scale gets while it is dragged with the mouse: shared by the stand-alone scale and the
// chart, which drags the scales of its layers the same way.

#include <optional>

#include "base/Nox_noxbase.h"

namespace nox {

struct TScaleDrag {
  int X = 0;  // pointer, pixels
  int Y = 0;
  int StartX = 0;  // pointer at the start of the drag
  int StartY = 0;
  int Width = 0;  // the control the scale lies in
  int Height = 0;
  int MarginLeft = 0;
  int MarginRight = 0;
  int MarginTop = 0;
  int MarginBottom = 0;
  double SavedLow = 0;  // range at the start of the drag
  double SavedHigh = 0;
  double Low = 0;  // range now
  double High = 0;
  TMouseActMode Action = maNone;
  bool Vertical = false;  // a scale at the left or right (else at the top or bottom)
  bool Logarithmic = false;
};

struct TScaleRange {
  double Low = 0;
  double High = 0;
  friend bool operator==(const TScaleRange&, const TScaleRange&) = default;
};

// maPan shifts the saved range by the pointer's displacement (in units of the current range per
// plot extent; by factors on a logarithmic axis). maZoom stretches the axis so that the value grabbed
// at the start follows the pointer while the far end stays put (a power law on logarithmic axes).
// maZoomDrag zooms the saved range about its centre by the displacement relative to the full control
// size. The plot extents are Width - MarginLeft - MarginRight and Height - MarginTop - MarginBottom.
//
// Returns nothing for any other action, and also when the result is not a pair of finite numbers:
// that happens when an extent is 0, when the pointer sits on the anchored end of a zoom, or when a
// logarithmic range has a bound <= 0; the caller then keeps its range.
std::optional<TScaleRange> DragScaleRange(const TScaleDrag& drag);

namespace detail {

// A range in extended precision, before the caller checks and stores it.
struct TExtendedRange {
  long double Low = 0;
  long double High = 0;
};

// The saved range scaled by factor about its centre (factor 1 keeps it, 0.5 halves it; a negative
// factor reverses it): the linear zoom drag of a scale and of the chart area.
TExtendedRange ZoomAboutCentre(double savedLow, double savedHigh, long double factor);

}  // namespace detail

}  // namespace nox
