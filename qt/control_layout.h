#pragma once
// Where a hosted control's widget goes in its parent: the rules of Align and Anchors
// (platform/ui_types.h), as pure functions of rectangles in the parent's logical pixels.

#include <QRect>
#include <QSize>
#include <vector>

#include "platform/ui_types.h"

namespace nox::detail {

// One aligned control: its alignment and its current size.
struct TAlignItem {
  TAlign Align = alNone;
  QSize Size;
};

// The rectangles of the items in room, in their order: alTop and alBottom items take their height
// across the whole room left, at its top or bottom edge, and shrink the room by it; alLeft and
// alRight likewise with their width; then every alClient item takes the room that is left. Items of
// alNone and alCustom get a null rectangle (they are not aligned). Room never shrinks below empty.
std::vector<QRect> AlignedRects(const QRect& room, const std::vector<TAlignItem>& items);

// The rectangle of a control with these anchors, which had rect while its parent was of size from,
// now that the parent is of size to: along each axis, anchored at both sides it stretches by the
// parent's change; at the far side only (right, bottom) it moves by it; at neither side it moves by
// half of it; at the near side only (left, top) it stays. Sizes never fall below 0.
QRect AnchoredRect(const QRect& rect, QSize from, QSize to, TAnchors anchors);

}  // namespace nox::detail
