// Polygon: even-odd fill with the brush (platform/raster_polygon.h), then the closed outline with
// the pen, every vertex included.

#include "platform/canvas.h"

#include <algorithm>

#include "platform/raster_canvas.h"

namespace nox {

void TCanvas::Polygon(std::span<const TPoint> points) {
  if (points.empty() || m_target.Empty()) return;
  const detail::Surface surface = detail::SurfaceOf(m_target);
  const detail::PenInk ink = DeviceInk();
  if (!m_map.Unit()) {
    DevicePoints(points, ink.width, m_scratch->points);
    points = m_scratch->points;
  }
  std::uint32_t brush = 0;
  if (points.size() >= 3 && detail::BrushPixel(m_brush, brush)) {
    detail::CopySink fill{surface, brush};
    m_scratch->polygon.Fill(points, surface.width, surface.height, fill);
  }
  if (!ink.draws) return;
  // Edges may cross or run over each other: in XOR mode their union is flipped once.
  detail::WithPenSink(ink, surface, m_scratch->marks, true, [&](auto& sink) {
    std::int64_t phase = 0;
    for (std::size_t i = 0; i < points.size(); ++i) {
      const TPoint a = points[i], b = points[(i + 1) % points.size()];
      phase = detail::NextPhase(ink, phase, detail::PenSegment(ink, surface, a, b, phase, sink));
    }
    // A polygon shrunk to one point still shows its vertex.
    const TPoint p = points.front();
    if (!ink.Wide() && std::all_of(points.begin(), points.end(), [p](TPoint q) { return q == p; }) &&
        p.X >= 0 && p.X < surface.width && p.Y >= 0 && p.Y < surface.height) {
      sink.Apply(surface.At(p.X, p.Y));
    }
  });
}

}  // namespace nox
