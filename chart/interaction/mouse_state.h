#pragma once
// The state of the chart's mouse gestures: drag start, zoom window, rectangle pick and the
// selected cross hair or label. Cleared at construction; the mouse handling (the mouse_*.cpp files
// and rect_pick.cpp of this room) owns its meaning.

#include <array>
#include <cstdint>

#include "base/Nox_noxbase.h"
#include "platform/geometry.h"
#include "platform/ui_types.h"

namespace nox {

// zsDrawWin while a zoom window, rubber band or select rectangle is being drawn.
enum TZoomWindowState : std::uint8_t { zsNormal, zsDrawWin };
// The two-click rectangle pick: idle, armed (the next press sets the first corner), drawing (the
// rectangle follows the mouse), finished (both corners set; the caller reads them).
enum TRectPickState : std::uint8_t { msNormal, msFirstCorner, msRectDraw, msFinished };

namespace detail {

// Where a drag started, and the layer's ranges at that moment.
struct TLayerDragStart {
  int X = 0;  // pointer, control pixels
  int Y = 0;
  double XLow = 0;
  double XHigh = 0;
  double YLow = 0;
  double YHigh = 0;
  friend bool operator==(const TLayerDragStart&, const TLayerDragStart&) = default;
};

struct TMouseState {
  bool DragStarted = false;          // set once a drag recorded its start
  TMouseActMode PickedFor = maNone;  // maDragCrossH or maDragLabel once this drag picked its object
  std::array<TLayerDragStart, 16> DragStart{};  // per layer, index 0 is layer 1
  TZoomWindowState WindowState = zsNormal;
  TPoint WindowStart;        // start corner (X1, Y1), pixels
  TPoint WindowEnd;          // moving corner (X2, Y2), the one last drawn; shared with the pick
  TPoint LastPos;            // last mouse position, pixels
  bool SkipNext = false;     // set by a double click: the next press or release is ignored
  bool InMouseMove = false;  // re-entry guard of the mouse-move hook
  double LastWorldX = 0;     // world position of the last move inside the chart area
  double LastWorldY = 0;
  int SelectedCrossHair = 0;  // 1..4 once one was picked
  int SelectedTextLabel = 0;  // 1..50 once one was picked
  TRectPickState RectPick = msNormal;
  TPoint RectPickFirst;   // pixels
  TPoint RectPickSecond;  // pixels
  // The application-wide cursor the chart set last (so leaving the control can give it back).
  TCursor CursorSet = crDefault;
  friend bool operator==(const TMouseState&, const TMouseState&) = default;
};

}  // namespace detail
}  // namespace nox
