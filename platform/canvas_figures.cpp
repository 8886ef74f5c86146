// Rectangle, Ellipse and FillRect: figures in a box, outline with the pen, inside with the brush.
// The inside is what the outline leaves inside it, so the two never share a pixel and the outline
// alone is combined with the image in XOR mode.

#include "platform/canvas.h"

#include <optional>

#include "platform/raster_canvas.h"
#include "platform/raster_canvas_ring_dash.h"
#include "platform/raster_ellipse.h"

namespace nox {

namespace {

using detail::Box;

// The 1-pixel frame of a box, clockwise from the top left corner for the dash pattern: the top
// row left to right, the right column down, the bottom row right to left, the left column up.
template <class Sink>
void ThinFrame(Sink& sink, const detail::Surface& surface, const Box& box, const detail::DashPattern& dash) {
  const std::int64_t l = box.left, t = box.top, r = box.right - 1, b = box.bottom - 1;
  if (dash.Solid()) {
    detail::ClippedSpan(sink, surface, t, l, r);
    if (b > t) detail::ClippedSpan(sink, surface, b, l, r);
    std::int64_t first = 0, last = 0;
    if (detail::VisibleRows(surface, t + 1, b, first, last)) {
      for (std::int64_t y = first; y <= last; ++y) {
        detail::ClippedSpan(sink, surface, y, l, l);
        if (r > l) detail::ClippedSpan(sink, surface, y, r, r);
      }
    }
    return;
  }
  const auto plot = [&](std::int64_t x, std::int64_t y, std::int64_t position) {
    if (dash.On(position)) sink.Apply(surface.At(static_cast<int>(x), static_cast<int>(y)));
  };
  const std::int64_t w = r - l, h = b - t;  // steps along the top and down the right side
  const std::int64_t x0 = l < 0 ? 0 : l, x1 = r >= surface.width ? surface.width - 1 : r;
  const std::int64_t y0 = t < 0 ? 0 : t, y1 = b >= surface.height ? surface.height - 1 : b;
  if (t >= 0 && t < surface.height) {
    for (std::int64_t x = x0; x <= x1; ++x) plot(x, t, x - l);
  }
  if (r >= 0 && r < surface.width) {
    for (std::int64_t y = y0 > t ? y0 : t + 1; y <= y1; ++y) plot(r, y, w + (y - t));
  }
  if (b > t && b >= 0 && b < surface.height) {
    for (std::int64_t x = x0; x <= x1 && x < r; ++x) plot(x, b, w + h + (r - x));
  }
  if (r > l && l >= 0 && l < surface.width) {
    for (std::int64_t y = y0 > t ? y0 : t + 1; y <= y1 && y < b; ++y) plot(l, y, 2 * w + h + (b - y));
  }
}

// The ring between two boxes, the inner one inside the outer one (or empty); with a dashed pen at
// a device scale, the pixels its pattern paints.
template <class Sink>
void WideFrame(Sink& sink, const detail::Surface& surface, const Box& outer, const Box& inner,
               const detail::PenInk& deviceInk) {
  std::int64_t first = 0, last = 0;
  if (!detail::VisibleRows(surface, outer.top, outer.bottom, first, last)) return;
  const detail::FrameRingPath path(outer, inner);
  for (std::int64_t y = first; y <= last; ++y) {
    detail::RingRow row{outer.left, outer.right - 1};
    if (!inner.Empty() && y >= inner.top && y < inner.bottom) {
      row.in0 = inner.left;
      row.in1 = inner.right - 1;
    }
    if (deviceInk.dash.Solid()) {
      detail::OutlineOfRow(sink, surface, y, row);
    } else {
      detail::OutlineOfRowWhere(sink, surface, y, row,
                                [&](std::int64_t x) { return deviceInk.DashOn(path.PositionOf(x, y)); });
    }
  }
}

}  // namespace

Box TCanvas::DeviceBox(const Box& box) const {
  if (m_map.Unit()) return box;
  return {m_map.EdgeX(box.left), m_map.EdgeY(box.top), m_map.EdgeX(box.right), m_map.EdgeY(box.bottom)};
}

void TCanvas::OutlineBoxes(const Box& box, const detail::PenInk& logicalInk, Box& outer, Box& inner) const {
  const Box logicalOuter = logicalInk.Wide() ? detail::OutlineBox(box, logicalInk) : box;
  outer = DeviceBox(logicalOuter);
  inner = DeviceBox(detail::Shrunk(logicalOuter, logicalInk.width));
}

void TCanvas::FillRect(const TRect& r) {
  std::uint32_t brush = 0;
  if (r.IsEmpty() || m_target.Empty() || !detail::BrushPixel(m_brush, brush)) return;
  const detail::Surface surface = detail::SurfaceOf(m_target);
  detail::CopySink sink{surface, brush};
  detail::FillBox(sink, surface, DeviceBox(Box{r.Left, r.Top, r.Right, r.Bottom}));
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  const Box box = detail::SortedBox(x1, y1, x2, y2);
  if (box.Empty() || m_target.Empty()) return;
  const detail::Surface surface = detail::SurfaceOf(m_target);
  const detail::PenInk ink = detail::InkOf(m_pen);
  std::uint32_t brush = 0;
  const bool fills = detail::BrushPixel(m_brush, brush);
  detail::CopySink fill{surface, brush};
  if (!ink.draws) {
    if (fills) detail::FillBox(fill, surface, DeviceBox(box));
    return;
  }
  if (!ink.Wide() && m_map.Unit()) {
    if (fills) detail::FillBox(fill, surface, detail::Shrunk(box, 1));
    detail::WithPenSink(ink, surface, m_scratch->marks, false,
                        [&](auto& sink) { ThinFrame(sink, surface, box, ink.dash); });
    return;
  }
  Box outer, inner;
  OutlineBoxes(box, ink, outer, inner);
  if (fills) detail::FillBox(fill, surface, inner);
  detail::WithPenSink(ink, surface, m_scratch->marks, false,
                      [&](auto& sink) { WideFrame(sink, surface, outer, inner, DeviceInk()); });
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  const Box box = detail::SortedBox(x1, y1, x2, y2);
  if (box.Empty() || m_target.Empty()) return;
  const detail::Surface surface = detail::SurfaceOf(m_target);
  const detail::PenInk ink = detail::InkOf(m_pen);
  std::uint32_t brush = 0;
  const bool fills = detail::BrushPixel(m_brush, brush);
  detail::CopySink fill{surface, brush};
  const auto inside = [&](std::int64_t y, const detail::RingRow& row) {
    if (fills && row.in0 <= row.in1) detail::ClippedSpan(fill, surface, y, row.in0, row.in1);
  };
  std::int64_t first = 0, last = 0;

  if (!ink.draws) {  // the brush alone, over the whole region
    const Box device = DeviceBox(box);
    const detail::EllipseRegion region(device.left, device.top, device.right, device.bottom);
    if (!fills || !detail::VisibleRows(surface, region.Top(), region.Bottom(), first, last)) return;
    for (std::int64_t y = first; y <= last; ++y) {
      std::int64_t a = 0, b = 0;
      region.Row(y, a, b);
      detail::ClippedSpan(fill, surface, y, a, b);
    }
    return;
  }

  if (ink.Wide() ||
      !m_map.Unit()) {  // the ring between the outer box's ellipse and the one a width further in
    Box outerBox, innerBox;
    OutlineBoxes(box, ink, outerBox, innerBox);
    const detail::EllipseRegion outer(outerBox.left, outerBox.top, outerBox.right, outerBox.bottom);
    const detail::EllipseRegion inner(innerBox.left, innerBox.top, innerBox.right, innerBox.bottom);
    if (!detail::VisibleRows(surface, outer.Top(), outer.Bottom(), first, last)) return;
    // A dashed pen at a device scale keeps its pattern along the ring.
    const detail::PenInk deviceInk = DeviceInk();
    const std::optional<detail::EllipseRingPath> path =
        deviceInk.dash.Solid() ? std::nullopt
                               : std::optional<detail::EllipseRingPath>(std::in_place, outerBox, innerBox);
    detail::WithPenSink(ink, surface, m_scratch->marks, false, [&](auto& sink) {
      for (std::int64_t y = first; y <= last; ++y) {
        const detail::RingRow row = detail::RingBetween(outer, inner, y);
        inside(y, row);
        if (!path) {
          detail::OutlineOfRow(sink, surface, y, row);
        } else {
          detail::OutlineOfRowWhere(sink, surface, y, row,
                                    [&](std::int64_t x) { return deviceInk.DashOn(path->PositionOf(x, y)); });
        }
      }
    });
    return;
  }

  const detail::EllipseRegion region(box.left, box.top, box.right, box.bottom);
  if (!detail::VisibleRows(surface, region.Top(), region.Bottom(), first, last)) return;
  if (ink.dash.Solid()) {
    detail::WithPenSink(ink, surface, m_scratch->marks, false, [&](auto& sink) {
      detail::OutlineRows rows(region, first);
      for (std::int64_t y = first; y <= last; ++y) {
        const detail::RingRow row = rows.Next();
        inside(y, row);
        detail::OutlineOfRow(sink, surface, y, row);
      }
    });
    return;
  }
  const detail::EllipsePath path(region);
  detail::WithPenSink(ink, surface, m_scratch->marks, false, [&](auto& sink) {
    detail::OutlineRows rows(region, first);
    for (std::int64_t y = first; y <= last; ++y) {
      const detail::RingRow row = rows.Next();
      inside(y, row);
      detail::OutlineOfRowWhere(sink, surface, y, row,
                                [&](std::int64_t x) { return ink.dash.On(path.PositionOf(x, y)); });
    }
  });
}

}  // namespace nox
