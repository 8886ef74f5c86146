#pragma once
// What the canvas operations share: the image as a Surface, the pen and brush reduced to what the
// rasterisers need (pixel values computed once per call), the working memory kept by the canvas,
// and the choice of sink by pen mode.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "platform/bitmap.h"
#include "platform/brush.h"
#include "platform/geometry.h"
#include "platform/pen.h"
#include "platform/raster_dash.h"
#include "platform/raster_ellipse.h"
#include "platform/raster_line.h"
#include "platform/raster_polygon.h"
#include "platform/raster_spans.h"
#include "platform/raster_stroke.h"

namespace nox::detail {

struct RasterScratch {
  PixelMarks marks;
  PolygonFiller polygon;
  std::vector<TPoint> points;  // vertices mapped to device pixels
};

inline Surface SurfaceOf(TBitmap& bitmap) { return {bitmap.Bits(), bitmap.Width(), bitmap.Height()}; }

struct PenInk {
  bool draws = false;        // not psClear
  bool xorMode = false;      // pmXor
  std::uint32_t pixel = 0;   // the pixel value (copy) or the colour bits to flip (XOR)
  int width = 1;             // at least 1
  bool insideFrame = false;  // psInsideFrame: wide outlines stay inside the figure's box
  DashPattern dash;          // solid for wide pens, but for a dashed 1-pixel pen at a device scale
  double dashScale = 1;      // device steps per step of the pattern (a pen at a device scale)
  bool Wide() const { return width > 1; }
  // Whether the pattern paints the device step at this position along the way: the position scaled
  // back to the pattern's own steps.
  bool DashOn(std::int64_t position) const {
    return dash.On(static_cast<std::int64_t>(std::floor(static_cast<double>(position) / dashScale)));
  }
};

// The pattern position after a segment of `steps` from phase. It is kept modulo the pattern cycle,
// except on a scaled pattern, whose cycle is no whole number of steps.
inline std::int64_t NextPhase(const PenInk& ink, std::int64_t phase, std::int64_t steps) {
  return ink.dashScale == 1 ? (phase + steps) % kPatternCycle : phase + steps;
}

inline PenInk InkOf(const TPen& pen) {
  PenInk ink;
  ink.draws = pen.Style() != psClear;
  ink.xorMode = pen.Mode() == pmXor;
  const std::uint32_t pixel = ColorToPixel(pen.Color());
  ink.pixel = ink.xorMode ? (pixel & kColorBits) : pixel;
  ink.width = pen.Width() < 1 ? 1 : pen.Width();
  ink.insideFrame = pen.Style() == psInsideFrame;
  ink.dash = PatternOf(pen.Style(), ink.width);
  return ink;
}

// The brush's pixel, or nothing with bsClear.
inline bool BrushPixel(const TBrush& brush, std::uint32_t& pixel) {
  if (brush.Style() == bsClear) return false;
  pixel = ColorToPixel(brush.Color());
  return true;
}

// Calls draw(sink) with the sink for the pen's mode. In XOR mode a figure whose parts may cover a
// pixel twice (crossing segments, wide joints) flips each pixel once.
template <class Draw>
void WithPenSink(const PenInk& ink, const Surface& surface, PixelMarks& marks, bool mayOverlap, Draw&& draw) {
  if (!ink.xorMode) {
    CopySink sink{surface, ink.pixel};
    draw(sink);
  } else if (!mayOverlap) {
    XorSink sink{surface, ink.pixel};
    draw(sink);
  } else {
    marks.Prepare(static_cast<std::size_t>(surface.width) * static_cast<std::size_t>(surface.height));
    XorOnceSink sink{surface, ink.pixel, &marks};
    draw(sink);
    marks.Clear();
  }
}

// Sends the part of the span x0 .. x1 of row y (any 64-bit values) inside the surface.
template <class Sink>
void ClippedSpan(Sink& sink, const Surface& surface, std::int64_t y, std::int64_t x0, std::int64_t x1) {
  if (y < 0 || y >= surface.height) return;
  if (x0 < 0) x0 = 0;
  if (x1 >= surface.width) x1 = surface.width - 1;
  if (x0 <= x1) sink.Span(static_cast<int>(y), static_cast<int>(x0), static_cast<int>(x1));
}

// A box of pixels left .. right - 1, top .. bottom - 1, sorted; 64 bits so that growing it by a
// pen's width never overflows.
struct Box {
  std::int64_t left = 0, top = 0, right = 0, bottom = 0;
  bool Empty() const { return right <= left || bottom <= top; }
};

inline Box SortedBox(int x1, int y1, int x2, int y2) {
  return {x1 < x2 ? x1 : x2, y1 < y2 ? y1 : y2, x1 < x2 ? x2 : x1, y1 < y2 ? y2 : y1};
}

// The outer edge of a wide outline: centred on the box's outermost pixels (an even width puts its
// extra pixel outside on the left and top, inside on the right and bottom), or the box itself
// with psInsideFrame.
inline Box OutlineBox(const Box& box, const PenInk& ink) {
  if (ink.insideFrame) return box;
  const std::int64_t before = ink.width / 2, after = (ink.width - 1) / 2;
  return {box.left - before, box.top - before, box.right + after, box.bottom + after};
}

inline Box Shrunk(const Box& box, std::int64_t by) {
  return {box.left + by, box.top + by, box.right - by, box.bottom - by};
}

// Sends the visible pixels of a box to the sink.
template <class Sink>
void FillBox(Sink& sink, const Surface& surface, const Box& box) {
  if (box.Empty()) return;
  const std::int64_t first = box.top < 0 ? 0 : box.top;
  const std::int64_t last = box.bottom > surface.height ? surface.height - 1 : box.bottom - 1;
  for (std::int64_t y = first; y <= last; ++y) ClippedSpan(sink, surface, y, box.left, box.right - 1);
}

// The visible rows of a figure with rows top .. bottom - 1.
inline bool VisibleRows(const Surface& surface, std::int64_t top, std::int64_t bottom, std::int64_t& first,
                        std::int64_t& last) {
  first = top < 0 ? 0 : top;
  last = bottom > surface.height ? surface.height - 1 : bottom - 1;
  return first <= last;
}

// Sends the outline part of a ring row (everything but its inside) to the sink.
template <class Sink>
void OutlineOfRow(Sink& sink, const Surface& surface, std::int64_t y, const RingRow& row) {
  if (row.in0 > row.in1) {
    ClippedSpan(sink, surface, y, row.x0, row.x1);
    return;
  }
  ClippedSpan(sink, surface, y, row.x0, row.in0 - 1);
  ClippedSpan(sink, surface, y, row.in1 + 1, row.x1);
}

// The same, pixel by pixel, keeping the pixels for which keep(x) is true.
template <class Sink, class Keep>
void OutlineOfRowWhere(Sink& sink, const Surface& surface, std::int64_t y, const RingRow& row, Keep&& keep) {
  if (y < 0 || y >= surface.height) return;
  const auto run = [&](std::int64_t x0, std::int64_t x1) {
    if (x0 < 0) x0 = 0;
    if (x1 >= surface.width) x1 = surface.width - 1;
    for (std::int64_t x = x0; x <= x1; ++x) {
      if (keep(x)) sink.Apply(surface.At(static_cast<int>(x), static_cast<int>(y)));
    }
  };
  if (row.in0 > row.in1) {
    run(row.x0, row.x1);
  } else {
    run(row.x0, row.in0 - 1);
    run(row.in1 + 1, row.x1);
  }
}

// A dashed 1-pixel pen drawn at a device scale: the steps of the segment from a to b (without b)
// whose pattern position, scaled back, is on are stroked as dashes of the pen's device width.
// Returns the segment's steps.
template <class Sink>
std::int64_t DashedStroke(const PenInk& ink, const Surface& surface, TPoint a, TPoint b, std::int64_t phase,
                          Sink& sink) {
  const std::int64_t steps = LineSteps(a.X, a.Y, b.X, b.Y);
  const auto on = [&](std::int64_t i) { return ink.DashOn(phase + i); };
  const auto at = [&](std::int64_t i) {
    const double t = steps == 0 ? 0 : static_cast<double>(i) / static_cast<double>(steps);
    return TPoint{static_cast<int>(std::lround(a.X + (b.X - a.X) * t)),
                  static_cast<int>(std::lround(a.Y + (b.Y - a.Y) * t))};
  };
  for (std::int64_t i = 0; i < std::max<std::int64_t>(steps, 1);) {
    if (!on(i)) {
      ++i;
      continue;
    }
    std::int64_t end = i + 1;
    while (end < steps && on(end)) ++end;
    const TPoint from = at(i), to = at(end - 1);
    StrokeSegment(Capsule(from.X, from.Y, to.X, to.Y, ink.width), surface.width, surface.height, sink);
    i = end;
  }
  return steps;
}

// Paints the segment from a to b with the pen: a 1-pixel line without its end pixel whose pattern
// starts at phase, or a wide stroke. Returns the segment's steps, by which a pattern moves on.
template <class Sink>
std::int64_t PenSegment(const PenInk& ink, const Surface& surface, TPoint a, TPoint b, std::int64_t phase,
                        Sink& sink) {
  if (!ink.dash.Solid() && (ink.Wide() || ink.dashScale != 1))
    return DashedStroke(ink, surface, a, b, phase, sink);
  if (ink.Wide()) {
    const Capsule capsule(a.X, a.Y, b.X, b.Y, ink.width);
    StrokeSegment(capsule, surface.width, surface.height, sink);
    return 0;
  }
  LineWalk walk;
  if (ClipLine(a.X, a.Y, b.X, b.Y, surface.width, surface.height, walk))
    WalkLine(walk, ink.dash, phase, surface, sink);
  return LineSteps(a.X, a.Y, b.X, b.Y);
}

}  // namespace nox::detail
