#pragma once
// Confinement of zooming and panning to a box of world coordinates, one axis at a time.

namespace nox::detail {

// Keeps the requested range [low, high] of one axis inside the box [boxLow, boxHigh] (the box
// bounds may come in either order). low may exceed high (a reversed axis).
//   zooming: a bound that leaves the box is cut back to its edge, so the range shrinks;
//   panning: the window is shifted back inside, keeping its span. A window wider than the box cannot
//     lie inside it; it is shifted only as far as needed to cover the whole box, so that dragging
//     it stays smooth and it never uncovers part of the box.
void ConfineAxis(long double& low, long double& high, long double boxLow, long double boxHigh, bool panning);

// The same for a logarithmic axis, in logarithmic units: a pan keeps the ratio of the bounds (the
// window's span on screen), and the part of the box below the smallest logarithmic bound does not
// count. A request with a bound that is not positive, or a box with no part above that bound, is
// confined as on a linear axis.
void ConfineLogAxis(long double& low, long double& high, long double boxLow, long double boxHigh,
                    bool panning);

// The box confined gestures keep to, in world coordinates; all four bounds 0: no confinement.
struct TConfinementBox {
  long double XLow = 0;
  long double YLow = 0;
  long double XHigh = 0;
  long double YHigh = 0;

  bool Active() const { return XLow != 0 || YLow != 0 || XHigh != 0 || YHigh != 0; }
  // How an axis is confined: whether the gesture pans it, and whether it is logarithmic.
  struct TAxisGesture {
    bool Panning = false;
    bool Logarithmic = false;
  };
  // Both axes of a requested range, each zoomed or panned as ConfineAxis or ConfineLogAxis says.
  void Confine(long double& xLow, long double& yLow, long double& xHigh, long double& yHigh, TAxisGesture x,
               TAxisGesture y) const {
    (x.Logarithmic ? ConfineLogAxis : ConfineAxis)(xLow, xHigh, XLow, XHigh, x.Panning);
    (y.Logarithmic ? ConfineLogAxis : ConfineAxis)(yLow, yHigh, YLow, YHigh, y.Panning);
  }
};

}  // namespace nox::detail
