// Marks and error bars: the range test on the centre, duplicate-mark suppression and its settings,
// the bars and ticks of error bars.

#include "chart/chart_fixture.h"
#include "chart/render_fixture.h"

namespace nox::test {
namespace {

class RenderMarks : public RenderTest {
 protected:
  RenderMarks() { chart.SetChartFrameColor(clWhite); }

  void Mark(int type, double x, double y, TColor color = clBlack) {
    TgfChartItem item = Item(ikMark, x, y);
    item.Param3 = type;
    item.Color = color;
    Add(item);
  }
};

// Only the centre decides: a 7 x 7 square centred exactly on RangeHigh is drawn (the part inside
// shows), one a hair outside is not drawn at all though half of it would lie inside.
TEST_F(RenderMarks, MarksAreDrawnOnlyWithTheirCentreInTheRanges) {
  Mark(9, kArea, kArea);
  Mark(9, 100, kArea * (1 + 1e-12), clRed);
  TgfChartItem pixelMark = Item(ikMark, kArea + 1, 50);  // pixels: outside 0..200
  pixelMark.CoordMode = 1;
  pixelMark.Param3 = 9;
  Annotate(pixelMark);
  Render();
  EXPECT_EQ(image.Pixel(197, 3), clBlack);
  // The quarter inside, 4 x 4, less the (white) frame in row 0 and column 200.
  EXPECT_EQ(CountColor(image, clBlack), 9);
  EXPECT_EQ(CountColor(image, clRed), 0);
}

// With MinDupMarkDist 1 a mark of the same type within one pixel in both x and y is left out;
// marks of different types never hide each other.
TEST_F(RenderMarks, DuplicateMarksOfOneTypeWithinTheDistanceAreLeftOut) {
  chart.SetAvoidDuplicateMarks(true);
  Mark(7, 10, 10);
  Mark(7, 11, 11);  // hidden
  Mark(7, 50, 10);
  Mark(7, 52, 10);  // two pixels away: drawn
  Mark(8, 100, 10, clBlue);
  Mark(7, 100, 10, clRed);  // other type: drawn
  Render();
  EXPECT_EQ(CountColor(image, clBlack), 9 + 15);
  EXPECT_EQ(image.Pixel(100, PixelY(10)), clRed);

  // The map is reset at every rendering, and the switch off draws them all.
  chart.SetAvoidDuplicateMarks(false);
  Render();
  EXPECT_EQ(CountColor(image, clBlack), 14 + 15);
}

TEST(RenderMarkSettings, DistanceIsKeptWithin1To3AndChangesPaintAtOnce) {
  THeadlessHost host;
  TScopedHost scoped(host);
  TTestGrafon chart;
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.Paints = 0;
  chart.SetMinDupMarkDist(0);
  EXPECT_EQ(chart.MinDupMarkDist(), 1);
  chart.SetMinDupMarkDist(7);
  EXPECT_EQ(chart.MinDupMarkDist(), 3);
  chart.SetMinDupMarkDist(3);  // the stored value: nothing happens
  chart.SetAvoidDuplicateMarks(true);
  chart.SetAvoidDuplicateMarks(true);
  EXPECT_EQ(chart.Paints, 3);
}

// Vertical bars (Param1 0) reach |X2| below and |Y2| above the centre, each ending in a tick of 7
// pixels; the mark is drawn at the centre. Bars whose extent misses the ranges are not drawn.
TEST_F(RenderMarks, ErrorBarsReachTheirExtentAndEndInTicks) {
  TgfChartItem bars = Item(ikErrorBars, 100, 100, -20, 30);
  bars.Param3 = 7;
  Add(bars);
  TgfChartItem horizontal = Item(ikErrorBars, 250, 50, 40, 10);  // reaches 210..260: outside
  horizontal.Param1 = 1;
  horizontal.Color = clRed;
  Add(horizontal);
  Render();
  EXPECT_EQ(image.Pixel(100, PixelY(120)), clBlack);
  EXPECT_EQ(image.Pixel(100, PixelY(81)), clBlack);
  EXPECT_EQ(image.Pixel(97, PixelY(130)), clBlack);
  EXPECT_EQ(image.Pixel(103, PixelY(80)), clBlack);
  EXPECT_EQ(image.Pixel(104, PixelY(80)), clWhite);
  EXPECT_EQ(image.Pixel(101, PixelY(101)), clBlack);  // the 3 x 3 mark
  EXPECT_EQ(CountColor(image, clRed), 0);
}

// Character marks draw in the canvas's font. A 24-pt text item after the mark and a text label with
// a large font must not carry their font over to the next paint: every paint looks like the first.
TEST_F(RenderMarks, CharacterMarksKeepTheirFontFromPaintToPaint) {
  chart.SetAutoRedraw(false);  // the first paint is the one below
  Mark('A', 50, 50);
  TgfChartItem text = Item(ikText, 150, 150);
  text.Param1 = 24;
  text.LineWidth = 0;  // the short text
  text.ShortText.Assign("T");
  Add(text);
  TTextLabel& label = chart.TextLabel(1);
  label.Font().SetSize(30);
  label.SetCaption("L");
  label.SetPosX(200);
  label.SetPosY(150);
  label.SetMode(tlsimple);
  label.SetVisible(true);
  chart.Repaint();
  TBitmap first;
  first.Assign(chart.ScreenImage());
  chart.Repaint();
  EXPECT_TRUE(SamePixels(first, chart.ScreenImage()));
}

}  // namespace
}  // namespace nox::test
