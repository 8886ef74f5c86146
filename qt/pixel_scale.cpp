#include "qt/pixel_scale.h"

#include <algorithm>
#include <cmath>

#include "platform/bitmap.h"
#include "platform/device_map.h"

namespace nox::detail {

namespace {

// Products like 30 * 1.1 land a hair off the whole number they stand for; this much is forgiven.
constexpr double kSlack = 1e-6;

int ToIntClamped(double v, double limit) {
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::clamp(v, -limit, limit));
}

}  // namespace

TPixelScale::TPixelScale(double deviceRatio) {
  m_ratio = std::isfinite(deviceRatio) && deviceRatio > 0 ? std::min(deviceRatio, kMaxDeviceScale) : 1.0;
}

QSize TPixelScale::ControlSize(QSize logical) const {
  const DeviceMap map{m_ratio};
  // The largest logical extent whose device extent fits the limit.
  const auto fit = [&](int extent, long long limit, auto deviceExtent) {
    extent = std::max(extent, 0);
    while (extent > 0 && deviceExtent(extent) > limit) {
      extent = std::min(extent - 1, static_cast<int>(static_cast<double>(limit) / m_ratio));
    }
    return extent;
  };
  const int width = fit(logical.width(), kMaxBitmapSide, [&](int w) { return map.ExtentX(w); });
  const long long deviceWidth = std::max<long long>(map.ExtentX(width), 1);
  const long long rows =
      std::min<long long>(kMaxBitmapSide, static_cast<long long>(kMaxBitmapPixels) / deviceWidth);
  const int height = fit(logical.height(), rows, [&](int h) { return map.ExtentY(h); });
  return {width, height};
}

TPoint TPixelScale::ControlPoint(QPointF logical) const {
  auto coordinate = [](double v) { return ToIntClamped(std::floor(v), kMaxPointerCoordinate); };
  return {coordinate(logical.x()), coordinate(logical.y())};
}

QSize TPixelScale::CoveredLogicalSize(int deviceWidth, int deviceHeight) const {
  auto extent = [this](int v) { return static_cast<int>(std::floor(std::max(v, 0) / m_ratio + kSlack)); };
  return {extent(deviceWidth), extent(deviceHeight)};
}

}  // namespace nox::detail
