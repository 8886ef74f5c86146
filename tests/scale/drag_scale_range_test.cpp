#include "scale/drag_scale_range.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nox {
namespace {

// A 400 x 400 control with margins of 20: plot extents of 360 pixels.
TScaleDrag Drag(TMouseActMode action, double low, double high, bool vertical = false,
                bool logarithmic = false) {
  TScaleDrag d;
  d.Width = 400;
  d.Height = 400;
  d.MarginLeft = d.MarginRight = d.MarginTop = d.MarginBottom = 20;
  d.SavedLow = d.Low = low;
  d.SavedHigh = d.High = high;
  d.Action = action;
  d.Vertical = vertical;
  d.Logarithmic = logarithmic;
  return d;
}

TScaleDrag Moved(TScaleDrag d, int startX, int startY, int x, int y) {
  d.StartX = startX;
  d.StartY = startY;
  d.X = x;
  d.Y = y;
  return d;
}

void ExpectRange(const std::optional<TScaleRange>& range, double low, double high) {
  ASSERT_TRUE(range.has_value());
  EXPECT_NEAR(range->Low, low, 1e-9 * std::max(1.0, std::fabs(low)));
  EXPECT_NEAR(range->High, high, 1e-9 * std::max(1.0, std::fabs(high)));
}

TEST(DragScaleRange, PanFollowsThePointer) {
  // A tenth of the plot to the right moves a horizontal range a tenth down.
  ExpectRange(DragScaleRange(Moved(Drag(maPan, 0, 100), 100, 10, 136, 10)), -10, 90);
  // Downwards on a vertical scale moves the range up.
  ExpectRange(DragScaleRange(Moved(Drag(maPan, 0, 100, true), 10, 100, 10, 136)), 10, 110);
}

TEST(DragScaleRange, PanUsesTheCurrentRangeForItsUnits) {
  TScaleDrag d = Moved(Drag(maPan, 0, 100), 100, 10, 136, 10);
  d.Low = 0;
  d.High = 50;  // zoomed since the drag started
  ExpectRange(DragScaleRange(d), -5, 95);
}

TEST(DragScaleRange, LogarithmicPanMovesByFactors) {
  // A third of the plot over three decades is one decade.
  ExpectRange(DragScaleRange(Moved(Drag(maPan, 1, 1000, false, true), 100, 10, 220, 10)), 0.1, 100);
  ExpectRange(DragScaleRange(Moved(Drag(maPan, 1, 1000, true, true), 10, 100, 10, 220)), 10, 10000);
}

TEST(DragScaleRange, ZoomKeepsTheFarEndAndTheGrabbedValueUnderThePointer) {
  // Grabbed at 300 (value 77.8, right half): the low end stays, the value moves to pixel 160.
  const std::optional<TScaleRange> right = DragScaleRange(Moved(Drag(maZoom, 0, 100), 300, 10, 160, 10));
  ExpectRange(right, 0, 200);
  EXPECT_NEAR((160 - 20) / 360.0 * right->High, (300 - 20) / 360.0 * 100, 1e-9);
  // Grabbed at 110 (value 25, left half): the high end stays.
  ExpectRange(DragScaleRange(Moved(Drag(maZoom, 0, 100), 110, 10, 200, 10)), -50, 100);
}

TEST(DragScaleRange, VerticalZoomAnchorsByHalf) {
  ExpectRange(DragScaleRange(Moved(Drag(maZoom, 0, 100, true), 10, 300, 10, 160)), -100, 100);
  ExpectRange(DragScaleRange(Moved(Drag(maZoom, 0, 100, true), 10, 110, 10, 200)), 0, 150);
}

TEST(DragScaleRange, LogarithmicZoomFollowsThePowerLaw) {
  // 1 .. 10000: centre 100, half a plot of drag raises the free end by a factor of 10.
  ExpectRange(DragScaleRange(Moved(Drag(maZoom, 1, 10000, false, true), 300, 10, 120, 10)), 1, 100000);
  ExpectRange(DragScaleRange(Moved(Drag(maZoom, 1, 10000, false, true), 110, 10, 290, 10)), 0.1, 10000);
  ExpectRange(DragScaleRange(Moved(Drag(maZoom, 1, 10000, true, true), 10, 300, 10, 120)), 0.1, 10000);
  ExpectRange(DragScaleRange(Moved(Drag(maZoom, 1, 10000, true, true), 10, 110, 10, 290)), 1, 100000);
}

TEST(DragScaleRange, ZoomDragScalesAboutTheCentre) {
  ExpectRange(DragScaleRange(Moved(Drag(maZoomDrag, 0, 100), 100, 10, 140, 10)), 5, 95);
  ExpectRange(DragScaleRange(Moved(Drag(maZoomDrag, 0, 100, true), 10, 100, 10, 140)), -5, 105);
  ExpectRange(DragScaleRange(Moved(Drag(maZoomDrag, 1, 10000, false, true), 100, 10, 300, 10)), 10, 1000);
}

TEST(DragScaleRange, NoMovementKeepsTheSavedRange) {
  for (TMouseActMode action : {maPan, maZoom, maZoomDrag}) {
    for (bool log : {false, true}) {
      ExpectRange(DragScaleRange(Moved(Drag(action, 2, 50, false, log), 250, 10, 250, 10)), 2, 50);
      ExpectRange(DragScaleRange(Moved(Drag(action, 2, 50, true, log), 10, 250, 10, 250)), 2, 50);
    }
  }
}

TEST(DragScaleRange, OtherActionsDoNotApply) {
  for (TMouseActMode action : {maNone, maPanHoriz, maPanVert, maZoomWind, maRubberBand, maSelectRect}) {
    EXPECT_FALSE(DragScaleRange(Moved(Drag(action, 0, 100), 100, 10, 136, 10))) << int{action};
  }
}

TEST(DragScaleRange, ResultsThatAreNotFiniteAreRefused) {
  TScaleDrag noPlot = Moved(Drag(maPan, 0, 100), 100, 10, 136, 10);
  noPlot.MarginLeft = noPlot.MarginRight = 200;  // no pixels left for the plot
  EXPECT_FALSE(DragScaleRange(noPlot));
  noPlot.X = noPlot.StartX;  // 0 / 0
  EXPECT_FALSE(DragScaleRange(noPlot));
  // Dragging onto the anchored end of a zoom would stretch the range without bound.
  EXPECT_FALSE(DragScaleRange(Moved(Drag(maZoom, 0, 100), 300, 10, 20, 10)));
  EXPECT_FALSE(DragScaleRange(Moved(Drag(maPan, -1, 100, false, true), 100, 10, 136, 10)));
  TScaleDrag empty = Moved(Drag(maZoomDrag, 0, 100), 100, 10, 140, 10);
  empty.Width = 0;
  EXPECT_FALSE(DragScaleRange(empty));
}

}  // namespace
}  // namespace nox
