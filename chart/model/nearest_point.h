#pragma once
// The data point nearest to a pixel: what a value readout under the mouse pointer shows. Points are
// the line-to, move-to and mark items of a list with world coordinates, on a visible layer and of
// a visible class, whose pixel lies in the chart area.
//
// The search walks the list's block summaries and passes over every uniform block whose pixel box
// lies farther from the pointer than the nearest point found so far (or the search radius), so a
// pointer over a long series looks at the few blocks around it, not at every item. The box of a
// block maps through its corners because each axis' map never runs against the order of the values
// (a logarithmic axis only above kMinLogValue: a block that reaches down to it is looked into).

#include <array>
#include <cstddef>
#include <optional>

#include "base/Nox_noxcolors.h"
#include "chart/model/series_store.h"
#include "platform/geometry.h"
#include "scale/axis_mapping.h"

namespace nox::detail {

// How one axis of a layer maps world values to control pixels.
struct TAxisPixels {
  TAxisMapping Map;
  bool Logarithmic = false;
  int BelowLogPixel = 0;  // the pixel of values <= kMinLogValue on a logarithmic axis
  int Pixel(double v) const { return MapToPixel(Map, Logarithmic, v, BelowLogPixel); }
};

struct TNearestPointQuery {
  TPoint Pointer;           // control pixels
  int Radius = 0;           // pixels; points farther away are not found
  TRect Area;               // control pixels where points are drawn
  std::array<TAxisPixels, kLayerCount> X{}, Y{};
  std::array<bool, kLayerCount> LayerVisible{};
  const std::array<bool, 256>* ClassVisible = nullptr;
};

struct TNearestPoint {
  std::size_t Index = 0;  // in the list
  TPoint Pixel;           // control pixels
};

// The point of store nearest to the query's pointer within its radius; of points at the same
// distance the last in the list (drawn on top). None when the radius is negative or nothing is near.
std::optional<TNearestPoint> FindNearestPoint(const TSeriesStore& store, const TNearestPointQuery& query);

}  // namespace nox::detail
