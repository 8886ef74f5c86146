#pragma once
// What the item renderer remembers while it draws: the pen, brush and font settings it last put on
// the canvas (so that it changes them only when an item needs other ones), the pixel where the
// next polyline starts, the pending polyline and the duplicate-mark map. The chart keeps one; every
// rendering resets it, so nothing in it carries over from one picture to the next.

#include "chart/render/mark_stamps.h"
#include "chart/render/polyline_buffer.h"
#include "chart/render/render_duplicate_marks.h"
#include "platform/color.h"
#include "platform/geometry.h"
#include "platform/pen.h"

namespace nox::detail {

struct TRenderState {
  TColor CurrentPenColor = 0;
  TPenStyle CurrentPenStyle = psSolid;
  TColor CurrentBrushColor = 0;  // read back from the canvas after brush-style changes
  TColor CurrentFontColor = 0;
  int CurrentPenWidth = 1;
  TPoint CurrentPosition;  // where the next polyline starts, canvas pixels
  TPolylineBuffer Polyline;
  TDuplicateMarkMap DuplicateMarks;
  TMarkStamps MarkStamps;  // kept so that its table is not allocated anew for every rendering
};

}  // namespace nox::detail
