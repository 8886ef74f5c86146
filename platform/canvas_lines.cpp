// LineTo and Polyline: 1-pixel lines walked along their major axis, wider pens as round-capped
// strokes (platform/raster_line.h, platform/raster_stroke.h).

#include "platform/canvas.h"

#include "platform/raster_canvas.h"
#include "platform/raster_line.h"

namespace nox {

void TCanvas::LineTo(int x, int y) {
  const TPoint from = m_penPos, to{x, y};
  m_penPos = to;
  const detail::PenInk ink = detail::InkOf(m_pen);
  const std::int64_t phase = m_dashPhase;
  m_dashPhase = (phase + detail::LineSteps(from.X, from.Y, to.X, to.Y)) % detail::kPatternCycle;
  if (!ink.draws || m_target.Empty()) return;
  const detail::Surface surface = detail::SurfaceOf(m_target);
  // One segment covers each of its pixels once, so XOR may go straight to the image.
  detail::WithPenSink(ink, surface, m_scratch->marks, false,
                      [&](auto& sink) { detail::PenSegment(ink, surface, from, to, phase, sink); });
}

void TCanvas::Polyline(std::span<const TPoint> points) {
  if (points.size() < 2) return;
  const detail::PenInk ink = detail::InkOf(m_pen);
  if (!ink.draws || m_target.Empty()) return;
  const detail::Surface surface = detail::SurfaceOf(m_target);
  detail::WithPenSink(ink, surface, m_scratch->marks, true, [&](auto& sink) {
    std::int64_t phase = 0;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
      phase = (phase + detail::PenSegment(ink, surface, points[i], points[i + 1], phase, sink)) %
              detail::kPatternCycle;
    }
  });
}

}  // namespace nox
