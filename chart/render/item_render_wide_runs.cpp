// Line-to runs drawn with a solid pen wider than one pixel in copy mode: the column rule of the run
// renderer (item_render_runs.cpp) with round-capped strokes.
//
// Why this is exact. A pen w > 1 pixels wide paints, for a segment A-B, every pixel whose sample
// point lies closer than w / 2 to the closed segment, both end points included
// (platform/raster_stroke.h), and a polyline the union of its segments' strokes. The distance to a
// union of segments is the least of the distances, so the batches of 200 points of a chain
// P0 .. Pm, joined at their ends, paint exactly the pixels whose sample lies closer than w / 2 to
// the set S = P0-P1 u ... u P(m-1)-Pm: what is painted depends on S alone, not on how S is cut into
// segments, nor on the order of painting. (The chain has m >= 1: the point that completes a batch
// is its 200th.)
//
// Consecutive points in one column x lie on one vertical line, and the segments between them cover
// every row from their least to their greatest, lo .. hi: their part of S is the one segment
// (x, lo)-(x, hi). So the chain paints the strokes of these column segments and of the segments
// from one column to the next, as they are. A uniform block whose points all map to one column has
// its least and greatest row at the pixels of its box corners (those points are among its own, and
// the map of a linear axis is monotone), so it extends the column's segment to those rows. A block
// whose box, grown by w pixels on every side, lies wholly outside the image adds only its first and
// last point: each of its segments lies within the box of its end points, so within the block's
// box, as does the segment from its first to its last point that stands for them, and a stroke
// reaches less than w / 2 + 1 / 2 <= w pixels beyond its segment.
//
// Unlike the 1-pixel pen, no end pixel is left out: the chain is painted up to the point that
// completes the last batch, and with it.
//
// At a device scale all of this holds in device pixels, w being the pen's device width and the
// points the device pixels they are drawn through (item_render_runs.cpp).

#include "chart/render/column_chain.h"

namespace nox::detail {

void TWideStrokes::Column(int x, int low, int high) const {
  PaintWideLine(Target, Pixel, {Grid.X(x), Grid.Y(low)}, {Grid.X(x), Grid.Y(high)}, Grid.PenWidth);
}

void TWideStrokes::Segment(TPoint a, TPoint b) const {
  PaintWideLine(Target, Pixel, Grid.Point(a), Grid.Point(b), Grid.PenWidth);
}

}  // namespace nox::detail
