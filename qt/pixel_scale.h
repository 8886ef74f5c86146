#pragma once
// How a control's pixels sit on the device pixels of a widget.
//
// A control draws with whole pixels and pixel-exact rules (1-pixel lines, XOR rubber figures), so
// its picture is never resampled: each control pixel covers Factor x Factor device pixels, with
// Factor the device pixel ratio rounded to the nearest whole number (halves round up, at least 1).
// - Integer ratios (1, 2, 3): Factor equals the ratio, so control pixels are logical pixels.
// - Fractional ratios (1.25, 1.5, 1.75): the control is given as many control pixels as cover the
//   widget, so it still fills the widget exactly; its elements come out up to 25% smaller or larger
//   than at the logical size. Scaling by the fraction instead would make a 1-pixel line alternately
//   1 and 2 device pixels wide and smear the XOR figures.
// A ratio that is not finite or not positive counts as 1; ratios above kMaxDeviceRatio count as that.

#include <QPointF>
#include <QRect>
#include <QSize>

#include "platform/geometry.h"

namespace nox::detail {

constexpr double kMaxDeviceRatio = 16.0;
// Control coordinates of a pointer are limited to this magnitude, far outside any control.
constexpr int kMaxPointerCoordinate = 1 << 24;

class TPixelScale {
 public:
  explicit TPixelScale(double deviceRatio = 1.0);

  double DeviceRatio() const { return m_ratio; }  // device pixels per logical pixel
  int Factor() const { return m_factor; }         // device pixels per control pixel, >= 1

  // Control pixels that cover a widget of this logical size (rounded up; negative counts as 0).
  QSize ControlSize(QSize logical) const;
  // Logical size that shows a control of this size (rounded up; negative counts as 0).
  QSize LogicalSize(int controlWidth, int controlHeight) const;
  // Logical size that a control of this size covers entirely (rounded down; negative counts as 0).
  QSize CoveredLogicalSize(int controlWidth, int controlHeight) const;
  // The control pixel under a logical position (rounded down, limited to kMaxPointerCoordinate;
  // a coordinate that is not a number counts as 0).
  TPoint ControlPoint(QPointF logical) const;
  // The logical rectangle that covers an area of control pixels (rounded outward).
  QRect LogicalRect(const TRect& area) const;
  // The device pixel ratio a control image is drawn with so that it lands Factor : 1.
  double ImageRatio() const { return m_ratio / m_factor; }

  friend bool operator==(const TPixelScale&, const TPixelScale&) = default;

 private:
  double m_ratio;
  int m_factor;
};

}  // namespace nox::detail
