#include "qt/pixel_scale.h"

#include <algorithm>
#include <cmath>

namespace nox::detail {

namespace {

// Products like 30 * 1.1 land a hair off the whole number they stand for; this much is forgiven.
constexpr double kSlack = 1e-6;
constexpr double kMaxExtent = 1 << 30;

int ToIntClamped(double v, double limit) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(v, -limit, limit));
}

}  // namespace

TPixelScale::TPixelScale(double deviceRatio) {
  m_ratio = std::isfinite(deviceRatio) && deviceRatio > 0 ? std::min(deviceRatio, kMaxDeviceRatio) : 1.0;
  m_factor = std::max(1, static_cast<int>(std::floor(m_ratio + 0.5)));
}

QSize TPixelScale::ControlSize(QSize logical) const {
  auto extent = [this](int v) {
    return ToIntClamped(std::ceil(std::max(v, 0) * m_ratio / m_factor - kSlack), kMaxExtent);
  };
  return {extent(logical.width()), extent(logical.height())};
}

QSize TPixelScale::LogicalSize(int controlWidth, int controlHeight) const {
  auto extent = [this](int v) {
    return ToIntClamped(std::ceil(std::max(v, 0) * static_cast<double>(m_factor) / m_ratio - kSlack),
                        kMaxExtent);
  };
  return {extent(controlWidth), extent(controlHeight)};
}

QSize TPixelScale::CoveredLogicalSize(int controlWidth, int controlHeight) const {
  auto extent = [this](int v) {
    return ToIntClamped(std::floor(std::max(v, 0) * static_cast<double>(m_factor) / m_ratio + kSlack),
                        kMaxExtent);
  };
  return {extent(controlWidth), extent(controlHeight)};
}

TPoint TPixelScale::ControlPoint(QPointF logical) const {
  auto coordinate = [this](double v) {
    return ToIntClamped(std::floor(v * m_ratio / m_factor + kSlack), kMaxPointerCoordinate);
  };
  return {coordinate(logical.x()), coordinate(logical.y())};
}

QRect TPixelScale::LogicalRect(const TRect& area) const {
  const double scale = m_factor / m_ratio;
  const int left = ToIntClamped(std::floor(area.Left * scale + kSlack), kMaxExtent);
  const int top = ToIntClamped(std::floor(area.Top * scale + kSlack), kMaxExtent);
  const int right = ToIntClamped(std::ceil(area.Right * scale - kSlack), kMaxExtent);
  const int bottom = ToIntClamped(std::ceil(area.Bottom * scale - kSlack), kMaxExtent);
  return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

}  // namespace nox::detail
