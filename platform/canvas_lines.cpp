// LineTo and Polyline: 1-pixel lines walked along their major axis, wider pens as round-capped
// strokes (platform/raster_line.h, platform/raster_stroke.h).

#include "platform/canvas.h"

#include "platform/raster_canvas.h"
#include "platform/raster_line.h"
#include "platform/raster_thin_polyline.h"

namespace nox {

detail::PenInk TCanvas::DeviceInk() const {
  detail::PenInk ink = detail::InkOf(m_pen);
  if (!m_map.Unit()) {
    ink.width = m_map.PenWidth(ink.width);
    // A dashed 1-pixel pen keeps its pattern, scaled with the pen.
    if (!ink.dash.Solid()) ink.dashScale = m_map.scale;
  }
  return ink;
}

void TCanvas::DevicePoints(std::span<const TPoint> points, int width, std::vector<TPoint>& out) const {
  out.clear();
  for (const TPoint p : points) out.push_back(m_map.CentrePoint(p, width));
}

void TCanvas::LineTo(int x, int y) {
  const detail::PenInk ink = DeviceInk();
  const TPoint from = m_map.CentrePoint(m_penPos, ink.width), to = m_map.CentrePoint({x, y}, ink.width);
  m_penPos = {x, y};
  const std::int64_t phase = m_dashPhase;
  m_dashPhase = detail::NextPhase(ink, phase, detail::LineSteps(from.X, from.Y, to.X, to.Y));
  if (!ink.draws || m_target.Empty()) return;
  const detail::Surface surface = detail::SurfaceOf(m_target);
  // One segment covers each of its pixels once, so XOR may go straight to the image.
  detail::WithPenSink(ink, surface, m_scratch->marks, false,
                      [&](auto& sink) { detail::PenSegment(ink, surface, from, to, phase, sink); });
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  const detail::PenInk ink = DeviceInk();
  if (!ink.draws || m_target.Empty()) return;
  if (!m_map.Unit()) {
    DevicePoints(points, ink.width, m_scratch->points);
    points = m_scratch->points;
  }
  const detail::Surface surface = detail::SurfaceOf(m_target);
  detail::WithPenSink(ink, surface, m_scratch->marks, true, [&](auto& sink) {
    // A 1-pixel line in device pixels, the case of long polylines of many short segments.
    if (!ink.Wide() && ink.dashScale == 1) {
      detail::ThinPolyline(surface, ink.dash, points, sink);
      return;
    }
    std::int64_t phase = 0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      phase = detail::NextPhase(ink, phase, detail::PenSegment(ink, surface, points[i], points[i + 1], phase, sink));
    }
  });
}

}  // namespace nox
