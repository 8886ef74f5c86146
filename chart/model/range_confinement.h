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

}  // namespace nox::detail
