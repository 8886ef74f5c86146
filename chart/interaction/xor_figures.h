#pragma once
// Rubber figures: lines and rectangles drawn straight onto a screen image with the XOR pen, so that
// following the mouse needs no repaint and drawing a figure a second time erases it.
//
// The XOR rule: pen mode XOR with pen colour $FFFFFF and a clear brush; afterwards pen mode copy
// and a solid brush. Pen width and style are whatever the canvas has.
//
// TXorOverlay keeps account of the figures that are on the image now (drawn an odd number of
// times), so that the owner can take them all away when its gestures end, and put them back after
// something repainted the image underneath them.

#include <cstdint>
#include <vector>

#include "platform/canvas.h"
#include "platform/geometry.h"

namespace nox::detail {

enum TXorFigureKind : std::uint8_t { xfLine, xfRect };

struct TXorFigure {
  TXorFigureKind Kind = xfLine;
  TPoint From;  // a line: from this point (drawn) to To (left out); a rectangle: two opposite corners
  TPoint To;
  friend bool operator==(const TXorFigure&, const TXorFigure&) = default;
};

// Draws the figure by the XOR rule. A rectangle has its right and bottom edge left out, whatever
// the order of its corners. Returns the area of the canvas the figure may have changed (pen width
// included; possibly beyond the canvas, never overflowing).
TRect DrawXorFigure(TCanvas& canvas, const TXorFigure& figure);

// The pixels a line or rectangle between these points can touch with a pen of that width (possibly
// beyond the canvas, never overflowing).
TRect FigureArea(const TXorFigure& figure, int penWidth);

// The smallest rectangle holding both (an empty one counts as nothing).
TRect UnionRect(const TRect& a, const TRect& b);

class TXorOverlay {
 public:
  // Draws the figure; a figure that was on the image is gone afterwards, one that was not is on it.
  TRect Toggle(TCanvas& canvas, const TXorFigure& figure);
  // Draws every figure on the image once more, which takes them all away; the account is empty.
  TRect EraseAll(TCanvas& canvas);
  // Draws every figure again after the image was painted anew underneath them.
  TRect DrawAll(TCanvas& canvas) const;

  bool Empty() const { return m_figures.empty(); }
  const std::vector<TXorFigure>& Figures() const { return m_figures; }

 private:
  std::vector<TXorFigure> m_figures;  // on the image now, in the order they were drawn
};

}  // namespace nox::detail
