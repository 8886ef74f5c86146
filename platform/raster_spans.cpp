#include "platform/raster_spans.h"

#include <algorithm>

namespace nox::detail {

void SpanSet::XorUnion(const XorSink& sink) {
  std::sort(m_spans.begin(), m_spans.end(),
            [](const RowSpan& a, const RowSpan& b) { return a.y != b.y ? a.y < b.y : a.x0 < b.x0; });
  std::size_t i = 0;
  while (i < m_spans.size()) {
    const int y = m_spans[i].y;
    int x0 = m_spans[i].x0;
    int x1 = m_spans[i].x1;
    for (++i; i < m_spans.size() && m_spans[i].y == y && m_spans[i].x0 <= x1 + 1; ++i) {
      x1 = std::max(x1, m_spans[i].x1);
    }
    sink.Span(y, x0, x1);
  }
  m_spans.clear();
}

}  // namespace nox::detail
