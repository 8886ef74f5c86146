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
  // Without a pattern position to return, a pen that paints nothing has nothing to do.
  if (points.size() < 2 || !DeviceInk().draws || m_target.Empty()) return;
  Polyline(points, 0);
}

std::int64_t TCanvas::Polyline(std::span<const TPoint> points, std::int64_t dashPosition) {
  if (points.size() < 2) return dashPosition;
  const detail::PenInk ink = DeviceInk();
  if (!m_map.Unit()) {
    DevicePoints(points, ink.width, m_scratch->points);
    points = m_scratch->points;
  }
  std::int64_t phase = ink.dashScale == 1 ? dashPosition % detail::kPatternCycle : dashPosition;
  if (!ink.draws || m_target.Empty()) {
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      const TPoint a = points[i], b = points[i + 1];
      phase = detail::NextPhase(ink, phase, detail::LineSteps(a.X, a.Y, b.X, b.Y));
    }
    return phase;
  }
  const detail::Surface surface = detail::SurfaceOf(m_target);
  detail::WithPenSink(ink, surface, m_scratch->marks, true, [&](auto& sink) {
    // A 1-pixel line in device pixels, the case of long polylines of many short segments.
    if (!ink.Wide() && ink.dashScale == 1) {
      phase = detail::ThinPolyline(surface, ink.dash, points, sink, static_cast<int>(phase));
      return;
    }
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      phase = detail::NextPhase(ink, phase, detail::PenSegment(ink, surface, points[i], points[i + 1], phase, sink));
    }
  });
  return phase;
}

}  // namespace nox
