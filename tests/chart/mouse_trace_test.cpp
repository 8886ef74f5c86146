#include <gtest/gtest.h>

#include <memory>

#include "tests/chart/mouse_fixture.h"

namespace nox::test {
namespace {

class MouseFreehandTrace : public MouseTest {
 protected:
  void SetUp() override {
    MouseTest::SetUp();
    chart.SetMouseAction(maDrawMTrace);
  }

  // base with the segment drawn the way the trace draws it.
  static std::unique_ptr<TBitmap> WithSegment(const TBitmap& base, TPoint a, TPoint b, TColor color,
                                              bool xorMode) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(base);
    TCanvas& canvas = copy->Canvas();
    canvas.Pen().SetColor(color);
    canvas.Pen().SetMode(xorMode ? pmXor : pmCopy);
    canvas.MoveTo(a.X, a.Y);
    canvas.LineTo(b.X, b.Y);
    return copy;
  }
};

TEST_F(MouseFreehandTrace, PointsCarryWorldPositionFlagsAndColour) {
  chart.SetMouseTraceColor(0x0000FF);
  Press(100, 100);
  Drag(100, 100);
  chart.SetMouseTraceInvert(false);
  chart.SetMouseTraceColor(0x00FF00);
  Drag(120, 80);
  Release(120, 80);
  const auto& trace = chart.MouseTrace();
  ASSERT_EQ(trace.size(), 2u);
  EXPECT_EQ(trace[0], (TMouseTracePoint{5, 6, 2, 0x0000FF}));
  EXPECT_EQ(trace[1], (TMouseTracePoint{7, 8, 1, 0x00FF00}));  // the release ended the stroke
}

TEST_F(MouseFreehandTrace, EachSegmentIsDrawnAtOnce) {
  const auto before = Screen();
  chart.SetMouseTraceColor(0x0000FF);
  Press(100, 100);
  Drag(100, 100);
  EXPECT_TRUE(SameImage(*before, chart.ScreenImage()));
  site.Areas.clear();
  Drag(140, 80);
  EXPECT_TRUE(SameImage(*WithSegment(*before, {100, 100}, {140, 80}, 0x0000FF, true), chart.ScreenImage()));
  ASSERT_EQ(site.Areas.size(), 1u);
  const TRect area = site.Areas[0];
  EXPECT_TRUE(area.Left <= 100 && area.Top <= 80 && area.Right > 140 && area.Bottom > 100);
  EXPECT_EQ(chart.Paints, 0);
  // Drawn in copy mode when not inverted.
  const auto middle = Screen();
  chart.SetMouseTraceInvert(false);
  Drag(150, 120);
  EXPECT_TRUE(SameImage(*WithSegment(*middle, {140, 80}, {150, 120}, 0x0000FF, false), chart.ScreenImage()));
}

TEST_F(MouseFreehandTrace, MovesAreClampedToTheChartArea) {
  Press(100, 100);
  Drag(300, 10);
  Drag(-5, 500);
  ASSERT_EQ(chart.MouseTrace().size(), 2u);
  EXPECT_EQ(chart.MouseTrace()[0].X, 21);
  EXPECT_EQ(chart.MouseTrace()[0].Y, 14);
  EXPECT_EQ(chart.MouseTrace()[1].X, 0);
  EXPECT_EQ(chart.MouseTrace()[1].Y, 0);
  double wx = 0, wy = 0;
  chart.LastMouseWorldPos(wx, wy);  // the clamped point is in the chart area
  EXPECT_EQ(wx, 0);
}

TEST_F(MouseFreehandTrace, TwoStrokesAreNotJoined) {
  Press(100, 100);
  Drag(100, 100);
  Drag(120, 100);
  Release(120, 100);
  const auto afterFirst = Screen();
  Press(200, 50);
  Drag(200, 50);
  EXPECT_TRUE(SameImage(*afterFirst, chart.ScreenImage()));
  Drag(210, 60);
  EXPECT_TRUE(
      SameImage(*WithSegment(*afterFirst, {200, 50}, {210, 60}, 0xFFFFFF, true), chart.ScreenImage()));
  const auto& trace = chart.MouseTrace();
  ASSERT_EQ(trace.size(), 4u);
  EXPECT_EQ(trace[1].Flags, 3);
  EXPECT_EQ(trace[3].Flags, 2);
}

TEST_F(MouseFreehandTrace, ReleaseEndsTheStrokeAlsoAfterTheActionChanged) {
  Press(100, 100);
  Drag(100, 100);
  chart.SetMouseAction(maNone);
  Release(100, 100);
  EXPECT_EQ(chart.MouseTrace().back().Flags & 1, 1);
}

TEST_F(MouseFreehandTrace, FullStoreTakesAndDrawsNothingMore) {
  Press(100, 100);
  for (int i = 0; i < kMaxTracePoints; ++i) Drag(60 + i % 190, 30 + i / 190);
  ASSERT_EQ(chart.MouseTrace().size(), static_cast<std::size_t>(kMaxTracePoints));
  const auto full = Screen();
  Drag(250, 150);
  Drag(60, 150);
  EXPECT_EQ(chart.MouseTrace().size(), static_cast<std::size_t>(kMaxTracePoints));
  EXPECT_TRUE(SameImage(*full, chart.ScreenImage()));
}

TEST_F(MouseFreehandTrace, NothingWithoutTheLeftButton) {
  Hover(100, 100);
  chart.DispatchMouseMove(TShiftState{ssRight}, 120, 100);
  EXPECT_TRUE(chart.MouseTrace().empty());
}

TEST_F(MouseFreehandTrace, ClearEmptiesTheTraceAndRepaints) {
  Press(100, 100);
  Drag(100, 100);
  Drag(120, 100);
  Release(120, 100);
  chart.ClearMouseTrace();
  EXPECT_TRUE(chart.MouseTrace().empty());
  EXPECT_EQ(chart.Paints, 1);
  // The next stroke starts afresh: its first point draws nothing.
  const auto cleared = Screen();
  Press(200, 50);
  Drag(200, 50);
  EXPECT_TRUE(SameImage(*cleared, chart.ScreenImage()));
}

// Adding items refreshes only the chart area, which holds the trace: the trace stays on screen.
TEST_F(MouseFreehandTrace, RefreshOfTheChartAreaKeepsTheTrace) {
  Press(100, 100);
  Drag(100, 100);
  Drag(140, 80);
  Release(140, 80);
  chart.AddMark(9, 3, 3);
  chart.ShowItems();
  const auto refreshed = Screen();
  chart.Repaint();
  EXPECT_TRUE(SameImage(*refreshed, chart.ScreenImage()));
}

}  // namespace
}  // namespace nox::test
