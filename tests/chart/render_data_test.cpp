// RenderData as a whole: the order of the lists, the annotation switches, the item and render
// events, visibility, the monochrome switch, the frame of the chart area, and items that cannot
// be drawn.

#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "chart/render_fixture.h"

namespace nox::test {
namespace {

class RenderData : public RenderTest {
 protected:
  TgfChartItem Square(TColor fill, double x = 50) {
    TgfChartItem item = Item(ikRect, x, 50, x + 40, 90);
    item.Color = item.FillColor = fill;
    return item;
  }
};

// Annotations lie over the data unless AnnotationsUnderData; ShowAnnotations False leaves them out.
TEST_F(RenderData, AnnotationSwitchesOrderTheLists) {
  Add(Square(clRed));
  Annotate(Square(clBlue));
  EXPECT_EQ(Render().Pixel(70, PixelY(70)), clBlue);
  chart.SetAnnotationsUnderData(true);
  EXPECT_EQ(Render().Pixel(70, PixelY(70)), clRed);
  chart.SetAnnotationsUnderData(false);
  chart.SetShowAnnotations(false);
  EXPECT_EQ(Render().Pixel(70, PixelY(70)), clRed);
  EXPECT_EQ(CountColor(image, clBlue), 0);
}

// Annotation texts come after every other annotation item, wherever they stand in the list.
TEST_F(RenderData, AnnotationTextsAreDrawnOnTop) {
  TgfChartItem text = Item(ikText, 70, 70);
  text.ShortText.Assign("X");
  text.LineWidth = 0;
  text.Param1 = 12;
  text.Param3 = 2;
  text.CoordMode = 0;
  Annotate(text);
  Annotate(Square(clBlue));
  Render();
  EXPECT_GT(CountColor(image, clBlack) - 4 * kArea, 0);  // ink of the X above the square
  chart.SetAnnotationTextsOnTop(false);
  Render();
  EXPECT_EQ(CountColor(image, clBlack), 4 * kArea);  // only the frame
}

// The handler gets a copy of each visible item with its index; changing it changes only this
// drawing. Items of a hidden class or layer reach neither the handler nor the canvas.
TEST_F(RenderData, TheItemHandlerChangesOnlyTheCopyItIsGiven) {
  Add(Square(clRed));
  TgfChartItem hidden = Square(clGreen, 120);
  hidden.ItemClass = 9;
  Add(hidden);
  TgfChartItem otherLayer = Square(clGreen, 120);
  otherLayer.Layer = 2;
  Add(otherLayer);
  chart.SetDataClassVisible(9, false);
  chart.SetLayerVisible(2, false);
  std::vector<int> indexes;
  chart.OnBeforeRenderChartItem = [&](TObject*, TgfChartItem& item, int index, bool isAnnotation) {
    EXPECT_FALSE(isAnnotation);
    indexes.push_back(index);
    item.FillColor = clYellow;
  };
  Render();
  EXPECT_EQ(indexes, std::vector<int>{0});
  EXPECT_EQ(image.Pixel(70, PixelY(70)), clYellow);
  EXPECT_EQ(chart.DataItems()[0].FillColor, clRed);
  EXPECT_EQ(CountColor(image, clGreen), 0);
}

// The render events see the canvas and where the chart area lies on it (Top before Left); what the
// second one draws lies over the items, under the frame.
TEST_F(RenderData, RenderEventsBracketTheItems) {
  Add(Item(ikMoveTo, 10, 100));
  Add(Item(ikLineTo, 190, 100));
  std::vector<std::pair<int, int>> places;
  chart.OnBeforeRenderData = [&](TObject*, TCanvas&, int top, int left) { places.emplace_back(top, left); };
  chart.OnDataRendered = [&](TObject*, TCanvas& canvas, int top, int left) {
    places.emplace_back(top, left);
    canvas.SetPixel(100, 100, clBlue);
  };
  TBitmap target(kArea + 11, kArea + 11);
  target.Fill(clWhite);
  chart.RenderDataToBitmap(target, 5, 7, false, 0);
  EXPECT_EQ(places, (std::vector<std::pair<int, int>>{{20 - 7, 50 - 5}, {20 - 7, 50 - 5}}));
  EXPECT_EQ(target.Pixel(15 + 5, 100 + 7), clBlack);
  EXPECT_EQ(target.Pixel(100, 100), clBlue);
  EXPECT_EQ(target.Pixel(5, 7 + 50), clBlack);  // the frame, moved by the offset
  EXPECT_EQ(target.Pixel(4, 7 + 50), clWhite);
}

// The monochrome switch draws pens black and fills silver; the frame is in ChartFrameColor.
TEST_F(RenderData, MonochromeDrawsBlackOnSilverAndTheFrameInItsColour) {
  TgfChartItem square = Square(clRed);
  square.Color = clBlue;
  Add(square);
  chart.SetChartFrameColor(clGreen);
  image.SetSize(kArea + 1, kArea + 1);
  image.Fill(clWhite);
  chart.RenderData(image.Canvas(), 0, 0, true, 0);
  EXPECT_EQ(image.Pixel(70, PixelY(70)), clSilver);
  EXPECT_EQ(image.Pixel(50, PixelY(70)), clBlack);
  for (const TPoint p :
       {TPoint{0, 0}, TPoint{kArea, 0}, TPoint{kArea, kArea}, TPoint{0, kArea}, TPoint{100, kArea}}) {
    EXPECT_EQ(image.Pixel(p.X, p.Y), clGreen) << p.X << ", " << p.Y;
  }
}

// An item that cannot be drawn is left out like a hidden one: amid a dashed line run it changes
// no pixel (it would restart the dash pattern if it flushed the run), just as a kind without a
// drawing does.
TEST_F(RenderData, ItemsThatCannotBeDrawnAreLeftOut) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  std::vector<TgfChartItem> bad{Item(ikLineTo, nan, 50), Item(ikMark, 50, inf),
                                Item(ikLine, 10, 10, -inf, 10), Item(ikEllipse, 100, 100, nan, 5)};
  bad.push_back(Item(ikRect, 0, 0, 100, 100));
  bad.back().Layer = 17;
  bad.push_back(Item(ikRect, 0, 0, 100, 100));
  bad.back().CoordMode = 4;
  bad.push_back(Item(ikText, 100, 100));
  bad.back().LineWidth = 51;

  for (const TgfChartItem& item : {Item(ikMoveTo, 10, 10), Item(ikLineTo, 120, 190), Item(ikLineTo, 150, 190),
                                   Item(ikLineTo, 190, 20)}) {
    TgfChartItem dashed = item;
    dashed.PenStyle = psDash;
    Add(dashed);
  }
  // The third item's copy is replaced: by a kind without a drawing, then by each bad item.
  TgfChartItem replacement = Item(TgfItemKind{0}, 0, 0);
  chart.OnBeforeRenderChartItem = [&](TObject*, TgfChartItem& item, int index, bool) {
    if (index == 2) item = replacement;
  };
  Render();
  const TBitmap& clean = image;
  TBitmap expected;
  expected.Assign(clean);
  for (const TgfChartItem& b : bad) {
    replacement = b;
    EXPECT_TRUE(SameImage(expected, Render())) << "kind " << int{b.Kind};
  }
}

// Extreme values in every field of every kind, drawn with ordinary and extreme output offsets,
// stay within the canvas and the int range (the sanitizer build checks the arithmetic); nothing
// of one rendering carries over to the next.
TEST_F(RenderData, ExtremeItemsRenderTheSameEveryTime) {
  const double values[] = {0, 1e9, -1e9, 1e308, -1e308, 5e-324, 150};
  const std::int32_t params[] = {
      0, 1, -1, 200, std::numeric_limits<std::int32_t>::max(), std::numeric_limits<std::int32_t>::min()};
  std::uint32_t seed = 1;
  const auto next = [&seed](std::size_t n) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<std::size_t>(seed >> 8) % n;
  };
  chart.SetLongText(1, std::string(300, '\n'));
  for (int i = 0; i < 600; ++i) {
    TgfChartItem item =
        Item(TgfItemKind(i % 26), values[next(7)], values[next(7)], values[next(7)], values[next(7)]);
    item.Param1 = params[next(6)];
    item.Param2 = params[next(6)];
    item.Param3 = params[next(6)];
    item.LineWidth = next(4) == 0 ? params[next(6)] : 1;
    item.Flag = static_cast<std::uint8_t>(next(2));
    item.Style = static_cast<std::uint8_t>(next(7));
    item.CoordMode = static_cast<std::uint8_t>(next(7));
    item.PenStyle = static_cast<TPenStyle>(next(8));
    (i % 3 == 0 ? Annotate(item) : Add(item));
  }
  chart.SetAvoidDuplicateMarks(true);
  for (const int offset : {0, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()}) {
    TBitmap first(kArea + 1, kArea + 1), second(kArea + 1, kArea + 1);
    chart.RenderDataToBitmap(first, offset, offset, false, 0);
    chart.RenderDataToBitmap(second, offset, offset, false, 0);
    EXPECT_TRUE(SameImage(first, second)) << "offset " << offset;
  }
}

}  // namespace
}  // namespace nox::test
