#pragma once
// How a control's pixels sit on the device pixels of a widget.
//
// Control pixels are the widget's logical pixels: sizes, positions and the pointer keep the values
// the widgets around it use. The control draws its picture at the screen's device pixel ratio
// (TControl::DeviceScale): at 2 a 1-pixel line is 2 device pixels wide and text is set at twice its
// pixel height, never enlarged from a 1x picture; fractional ratios (1.25, 1.5) likewise. The
// image is shown 1 : 1 on the device. A ratio that is not finite or not positive counts as 1;
// ratios above the canvas's largest device scale (8) count as that.

#include <QPointF>
#include <QSize>

#include "platform/geometry.h"

namespace nox::detail {

// Control coordinates of a pointer are limited to this magnitude, far outside any control.
constexpr int kMaxPointerCoordinate = 1 << 24;

class TPixelScale {
 public:
  explicit TPixelScale(double deviceRatio = 1.0);

  double DeviceRatio() const { return m_ratio; }  // device pixels per logical (= control) pixel

  // The control's size for a widget of this logical size: negative counts as 0, and it is limited
  // so that the control's device image stays within the bitmap limits (kMaxBitmapSide,
  // kMaxBitmapPixels).
  QSize ControlSize(QSize logical) const;
  // The control pixel under a logical position (rounded down, limited to kMaxPointerCoordinate;
  // a coordinate that is not a number counts as 0).
  TPoint ControlPoint(QPointF logical) const;
  // The logical size that an image of this many device pixels covers entirely (rounded down).
  QSize CoveredLogicalSize(int deviceWidth, int deviceHeight) const;

  friend bool operator==(const TPixelScale&, const TPixelScale&) = default;

 private:
  double m_ratio;
};

}  // namespace nox::detail
