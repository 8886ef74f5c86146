#pragma once
// How the chart's mouse handling groups the values of TMouseActMode, and the cursor each one shows
// over the chart area.

#include <optional>

#include "base/Nox_noxbase.h"
#include "platform/ui_types.h"

namespace nox::detail {

// maPan, maPanHoriz, maPanVert, maPanGrid.
inline bool IsPanAction(TMouseActMode action) {
  return action == maPan || action == maPanHoriz || action == maPanVert || action == maPanGrid;
}

// The gestures that draw a rubber figure from a press to a release.
inline bool IsWindowAction(TMouseActMode action) {
  return action == maRubberBand || action == maZoomWind || action == maZoomWindPos || action == maSelectRect;
}

// The cursor over the chart area: crCross for maNone, the hand (1) for the pans, the zoom cursors
// (2 window, 3 drag, 4 window keeping orientation), crDefault for the figures and object drags;
// nothing (the cursor stays as it is) for maZoom, maDrawMTrace and the actions without meaning in a
// 2-D chart.
std::optional<TCursor> CursorOfAction(TMouseActMode action);

}  // namespace nox::detail
