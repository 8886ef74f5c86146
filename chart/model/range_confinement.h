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

// The box confined gestures keep to, in world coordinates; all four bounds 0: no confinement.
struct TConfinementBox {
  long double XLow = 0;
  long double YLow = 0;
  long double XHigh = 0;
  long double YHigh = 0;

  bool Active() const { return XLow != 0 || YLow != 0 || XHigh != 0 || YHigh != 0; }
  // Both axes of a requested range, each zoomed or panned as ConfineAxis says.
  void Confine(long double& xLow, long double& yLow, long double& xHigh, long double& yHigh, bool panningX,
               bool panningY) const {
    ConfineAxis(xLow, xHigh, XLow, XHigh, panningX);
    ConfineAxis(yLow, yHigh, YLow, YHigh, panningY);
  }
};

}  // namespace nox::detail
