// Text items: where the text comes from, the background box of several lines, alignment, and the
// chart's text font applied at drawing time.

#include <tuple>
#include <vector>

#include "chart/render_fixture.h"

namespace nox::test {
namespace {

class RenderText : public RenderTest {
 protected:
  RenderText() { chart.SetChartFrameColor(clWhite); }

  // A text item at world (100, 100): the long-text entry `index`, or ShortText when index is 0.
  TgfChartItem Text(const std::string& shortText, int index = 0) {
    TgfChartItem item = Item(ikText, 100, 100);
    item.ShortText.Assign(shortText);
    item.LineWidth = index;
    item.Param1 = 10;
    return item;
  }
};

// A canvas with the font a text item of `size` points is drawn with.
struct TTextMetrics {
  explicit TTextMetrics(const TCustomGrafon& chart, int size) : bitmap(1, 1) {
    bitmap.Canvas().Font().SetName(chart.TextFont().Name());
    bitmap.Canvas().Font().SetStyle(chart.TextFont().Style());
    bitmap.Canvas().Font().SetSize(size);
  }
  int Width(std::string_view s) const { return bitmap.Canvas().TextWidth(s); }
  int LineHeight(std::string_view s) const { return bitmap.Canvas().TextHeight(s) + 1; }
  TBitmap bitmap;
};

// Two lines, centred (Param3 2), with a background (Param2 1): the box is MaxWidth + 8 wide and
// 2 x LineHeight + 4 high, the first line centred vertically on the anchor; the narrower line is
// centred within MaxWidth. The text index in LineWidth leaves the pen width of the line before
// alone, so the box's outline stays one pixel wide.
TEST_F(RenderText, SeveralLinesGetABoxAroundTheBlock) {
  Add(Item(ikMoveTo, 10, 10));
  Add(Item(ikLineTo, 20, 10));
  chart.SetLongText(7, "WWW\ni");
  TgfChartItem text = Text("", 7);
  text.Param2 = 1;
  text.Param3 = 2;
  text.FillColor = clYellow;
  Add(text);
  Render();

  const TTextMetrics m(chart, 10);
  const int maxWidth = m.Width("WWW");
  const int lineHeight = m.LineHeight("WWW\ni");
  const int left = 100 - maxWidth / 2, top = 100 - lineHeight / 2;
  const TRect box{left - 4, top - 2, left + maxWidth + 4, top + 2 * lineHeight + 2};
  EXPECT_EQ(Extent(image, clWhite), (TRect{10, box.Top, box.Right, 191}));
  EXPECT_EQ(image.Pixel(box.Left, box.Top), clYellow);
  EXPECT_EQ(image.Pixel(box.Right - 1, box.Bottom - 1), clYellow);
  EXPECT_EQ(image.Pixel(box.Left - 1, box.Top), clWhite);
  EXPECT_EQ(image.Pixel(box.Left, box.Bottom), clWhite);

  // The "i" sits in the middle of the second line.
  TRect ink{box.Right, 0, box.Left, 0};
  for (int y = top + lineHeight; y < top + 2 * lineHeight; ++y) {
    for (int x = box.Left; x < box.Right; ++x) {
      if (image.Pixel(x, y) == clYellow) continue;
      ink.Left = std::min(ink.Left, x);
      ink.Right = std::max(ink.Right, x + 1);
    }
  }
  const int iLeft = left + (maxWidth - m.Width("i")) / 2;
  EXPECT_GE(ink.Left, iLeft);
  EXPECT_LE(ink.Right, iLeft + m.Width("i"));
}

// The text is ShortText, or the long-text entry named by LineWidth; an index above 50 leaves the item
// out. The handler gets each text before it is drawn, with the item's index, and may replace it.
TEST_F(RenderText, TextsComeFromTheItemOrTheLongTextTableAndPassTheHandler) {
  chart.SetLongText(3, "from the table");
  Add(Text("short"));
  Add(Text("", 3));
  Add(Text("ignored", 51));
  std::vector<std::tuple<std::string, int, bool>> seen;
  chart.OnBeforeRenderText = [&](TObject* sender, std::string& text, int index, bool isAnnotation) {
    EXPECT_EQ(sender, &chart);
    seen.emplace_back(text, index, isAnnotation);
    text.clear();
  };
  Render();
  EXPECT_EQ(seen, (std::vector<std::tuple<std::string, int, bool>>{{"short", 0, false},
                                                                   {"from the table", 1, false}}));
  EXPECT_EQ(CountOther(image, clWhite), 0);
}

// The text font's name and style apply when the items are drawn, the size stays Param1.
TEST_F(RenderText, TheChartsTextFontAppliesAtDrawingTime) {
  Add(Text("Bold later"));
  Render();
  const int regular = CountColor(image, clBlack);
  const TRect regularExtent = Extent(image, clWhite);
  chart.SetTextFontStyle(TFontStyles{fsBold});
  Render();
  EXPECT_GT(CountColor(image, clBlack), regular);
  EXPECT_EQ(Extent(image, clWhite).Top, regularExtent.Top);
}

}  // namespace
}  // namespace nox::test
