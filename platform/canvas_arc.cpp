// Arc: the part of an ellipse's outline (Ellipse's, pixel for pixel) inside an angular range.

#include "platform/canvas.h"

#include <optional>

#include "platform/raster_canvas.h"
#include "platform/raster_canvas_ring_dash.h"
#include "platform/raster_ellipse.h"
#include "platform/raster_sector.h"

namespace nox {

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  const detail::Box box = detail::SortedBox(x1, y1, x2, y2);
  const detail::PenInk ink = detail::InkOf(m_pen);
  if (box.Empty() || m_target.Empty() || !ink.draws) return;
  const detail::Surface surface = detail::SurfaceOf(m_target);
  const detail::Box device = DeviceBox(box);
  const detail::EllipseRegion region(device.left, device.top, device.right, device.bottom);
  const std::int64_t cx2 = region.CentreX2(), cy2 = region.CentreY2();
  // The rays' points on the device: twice their pixel centres, as the centre is given.
  const auto rayX = [this](int x) { return 2 * m_map.CentreX(x, 1); };
  const auto rayY = [this](int y) { return 2 * m_map.CentreY(y, 1); };
  const detail::Sector sector(cx2, cy2, rayX(x3), rayY(y3), rayX(x4), rayY(y4));

  if (!ink.Wide() && m_map.Unit()) {
    std::int64_t first = 0, last = 0;
    if (!detail::VisibleRows(surface, region.Top(), region.Bottom(), first, last)) return;
    // The dash pattern is laid along the whole ellipse from its rightmost point.
    const std::optional<detail::EllipsePath> path =
        ink.dash.Solid() ? std::nullopt : std::optional<detail::EllipsePath>(std::in_place, region);
    detail::WithPenSink(ink, surface, m_scratch->marks, false, [&](auto& sink) {
      detail::OutlineRows rows(region, first);
      for (std::int64_t y = first; y <= last; ++y) {
        detail::OutlineOfRowWhere(sink, surface, y, rows.Next(), [&](std::int64_t x) {
          return sector.Contains(2 * x - cx2, 2 * y - cy2) && (!path || ink.dash.On(path->PositionOf(x, y)));
        });
      }
    });
    return;
  }

  // A wide arc is the wide ellipse outline cut by the rays, with flat ends; a dashed pen at a device
  // scale keeps its pattern along the whole ring, as along the thin outline.
  detail::Box outerBox, innerBox;
  OutlineBoxes(box, ink, outerBox, innerBox);
  const detail::PenInk deviceInk = DeviceInk();
  const std::optional<detail::EllipseRingPath> ringPath =
      deviceInk.dash.Solid() ? std::nullopt
                             : std::optional<detail::EllipseRingPath>(std::in_place, outerBox, innerBox);
  const detail::EllipseRegion outer(outerBox.left, outerBox.top, outerBox.right, outerBox.bottom);
  const detail::EllipseRegion inner(innerBox.left, innerBox.top, innerBox.right, innerBox.bottom);
  std::int64_t first = 0, last = 0;
  if (!detail::VisibleRows(surface, outer.Top(), outer.Bottom(), first, last)) return;
  detail::WithPenSink(ink, surface, m_scratch->marks, false, [&](auto& sink) {
    for (std::int64_t y = first; y <= last; ++y) {
      detail::OutlineOfRowWhere(sink, surface, y, detail::RingBetween(outer, inner, y), [&](std::int64_t x) {
        return sector.Contains(2 * x - cx2, 2 * y - cy2) &&
               (!ringPath || deviceInk.DashOn(ringPath->PositionOf(x, y)));
      });
    }
  });
}

}  // namespace nox
