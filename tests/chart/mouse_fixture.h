#pragma once
// Shared set-up of the mouse tests: a shown chart of the standard size and layout whose layer 1
// maps one world unit to ten pixels, and scripted mouse input through the control's dispatchers.
//
// Geometry after construction: 280 x 200 pixels, margins 50, 20, 20, 40, no shadow. The chart
// area runs from x = 50 to 260 and from y = 20 to 160 (AW 210, AH 140); layer 1 shows x 0..21 and
// y 0..14, so pixel x = 50 + 10 wx and pixel y = 160 - 10 wy.

#include <initializer_list>
#include <memory>
#include <vector>

#include "chart/interaction/xor_figures.h"
#include "platform/host.h"
#include "tests/chart/chart_fixture.h"
#include "tests/support/pixel_helpers.h"

namespace nox::test {

class TMouseGrafon : public TTestGrafon {
 public:
  using TCustomGrafon::MouseState;
  using TCustomGrafon::MouseTrace;
};

// Records what the chart tells its host about its screen image.
class TRecordingSite : public TControlSite {
 public:
  void UpdateArea(TControl& /*control*/, const TRect& area) override { Areas.push_back(area); }
  std::vector<TRect> Areas;
};

class MouseTest : public ChartTest {
 protected:
  void SetUp() override {
    chart.HandleNeeded();
    chart.SetLayerRange(1, 0, 0, 21, 14);
    chart.Repaint();
    chart.SetSite(&site);
    chart.Paints = 0;
  }
  void TearDown() override { chart.SetSite(nullptr); }

  void Press(int x, int y, TMouseButton button = mbLeft) {
    chart.DispatchMouseDown(button, Held(button), x, y);
  }
  // A move with the left button held.
  void Drag(int x, int y) { chart.DispatchMouseMove(TShiftState{ssLeft}, x, y); }
  // A move without buttons.
  void Hover(int x, int y) { chart.DispatchMouseMove(TShiftState{}, x, y); }
  void Release(int x, int y, TMouseButton button = mbLeft) {
    chart.DispatchMouseUp(button, TShiftState{}, x, y);
  }

  static TShiftState Held(TMouseButton button) {
    return TShiftState{button == mbLeft ? ssLeft : button == mbRight ? ssRight : ssMiddle};
  }

  // A copy of what the user sees now.
  std::unique_ptr<TBitmap> Screen() const {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(chart.ScreenImage());
    return copy;
  }

  // base with these figures XOR-drawn on it: what the screen must show while they are drawn.
  static std::unique_ptr<TBitmap> WithXor(const TBitmap& base,
                                          std::initializer_list<detail::TXorFigure> figures) {
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(base);
    for (const detail::TXorFigure& f : figures) detail::DrawXorFigure(copy->Canvas(), f);
    return copy;
  }
  static detail::TXorFigure RectFigure(TPoint a, TPoint b) { return {detail::xfRect, a, b}; }
  static detail::TXorFigure LineFigure(TPoint a, TPoint b) { return {detail::xfLine, a, b}; }

  TMouseGrafon chart;
  TRecordingSite site;
};

}  // namespace nox::test
