#include "qt/control_layout.h"

#include <algorithm>

namespace nox::detail {

std::vector<QRect> AlignedRects(const QRect& room, const std::vector<TAlignItem>& items) {
  std::vector<QRect> rects(items.size());
  int left = room.left();
  int top = room.top();
  int right = room.left() + std::max(room.width(), 0);  // exclusive
  int bottom = room.top() + std::max(room.height(), 0);
  const auto take = [](int& from, int& to, int extent) { return std::clamp(extent, 0, to - from); };
  for (std::size_t i = 0; i < items.size(); ++i) {
    const QSize size = items[i].Size;
    switch (items[i].Align) {
      case alTop: {
        const int h = take(top, bottom, size.height());
        rects[i] = QRect(left, top, right - left, h);
        top += h;
        break;
      }
      case alBottom: {
        const int h = take(top, bottom, size.height());
        bottom -= h;
        rects[i] = QRect(left, bottom, right - left, h);
        break;
      }
      case alLeft: {
        const int w = take(left, right, size.width());
        rects[i] = QRect(left, top, w, bottom - top);
        left += w;
        break;
      }
      case alRight: {
        const int w = take(left, right, size.width());
        right -= w;
        rects[i] = QRect(right, top, w, bottom - top);
        break;
      }
      default:
        break;
    }
  }
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].Align == alClient) rects[i] = QRect(left, top, right - left, bottom - top);
  }
  return rects;
}

namespace {

// One axis of AnchoredRect: start and extent for a parent change of delta.
void Follow(int& start, int& extent, int delta, bool nearSide, bool farSide) {
  if (nearSide && farSide) {
    extent = std::max(extent + delta, 0);
  } else if (farSide) {
    start += delta;
  } else if (!nearSide) {
    start += delta / 2;
  }
}

}  // namespace

QRect AnchoredRect(const QRect& rect, QSize from, QSize to, TAnchors anchors) {
  int x = rect.x();
  int y = rect.y();
  int w = rect.width();
  int h = rect.height();
  Follow(x, w, to.width() - from.width(), anchors.Contains(akLeft), anchors.Contains(akRight));
  Follow(y, h, to.height() - from.height(), anchors.Contains(akTop), anchors.Contains(akBottom));
  return {x, y, w, h};
}

}  // namespace nox::detail
