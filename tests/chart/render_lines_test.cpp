// Moves and lines: the polyline batches of line-to runs, what ends a batch, clamping, and the line
// kinds placed by pixels.

#include <vector>

#include "chart/render_fixture.h"

namespace nox::test {
namespace {

class RenderLines : public RenderTest {
 protected:
  RenderLines() { chart.SetChartFrameColor(clWhite); }

  TgfChartItem LineTo(double x, double y, TColor color = clBlack, int width = 1) {
    TgfChartItem item = Item(ikLineTo, x, y);
    item.Color = color;
    item.LineWidth = width;
    return item;
  }
};

// A run of line-to items is drawn as polylines of at most 200 points, each starting at the last point
// of the one before. A dashed pen shows where a polyline starts, since every polyline starts its
// dash pattern afresh.
TEST_F(RenderLines, LineToRunsAreDrawnAsPolylinesOf200Points) {
  std::vector<TPoint> points;
  for (int i = 0; i <= 450; ++i) points.push_back({10 + i % 150, 10 + 4 * (i / 150)});
  for (std::size_t i = 0; i < points.size(); ++i) {
    TgfChartItem item = Item(i == 0 ? ikMoveTo : ikLineTo, points[i].X, PixelY(points[i].Y));
    item.PenStyle = psDash;
    Add(item);
  }
  Render();

  const auto draw = [&](TBitmap& expected,
                        std::initializer_list<std::pair<std::size_t, std::size_t>> batches) {
    expected.SetSize(kArea + 1, kArea + 1);
    expected.Fill(clWhite);
    expected.Canvas().Pen().SetStyle(psDash);
    for (const auto& [first, last] : batches) {
      expected.Canvas().Polyline(std::span(points).subspan(first, last - first + 1));
    }
  };
  // 450 items after the move: 200 points (the start and 199 items), 200 and 53.
  TBitmap batches, single;
  draw(batches, {{0, 199}, {199, 398}, {398, 450}});
  draw(single, {{0, 450}});
  EXPECT_TRUE(SameImage(batches, image));
  EXPECT_FALSE(SamePixels(single, image));
}

// A change of colour or width ends the pending polyline; the new one starts where the old one
// ended, so the old colour reaches up to the point of change (the polyline leaves out its end).
TEST_F(RenderLines, ColourAndWidthChangesStartANewPolylineAtThePointReached) {
  Add(Item(ikMoveTo, 10, 100));
  Add(LineTo(50, 100));
  Add(LineTo(90, 100, clRed));
  Add(LineTo(130, 100, clRed, 5));
  Render();
  const int y = PixelY(100);
  EXPECT_EQ(image.Pixel(49, y), clBlack);
  EXPECT_EQ(image.Pixel(50, y), clRed);
  EXPECT_EQ(image.Pixel(70, y - 1), clWhite);  // the 1-pixel red part
  EXPECT_EQ(image.Pixel(110, y - 2), clRed);   // the 5-pixel part
  EXPECT_EQ(image.Pixel(133, y), clWhite);     // beyond the round cap
}

// A point beyond +-30000 pixels is moved to the limit on each axis by itself, which changes the
// line's slope: the line to (100000, 50000) runs along the diagonal.
TEST_F(RenderLines, CoordinatesAreClampedTo30000) {
  TgfChartItem line = Item(ikLine, 10, 10, 100000, 50000);
  line.CoordMode = 1;
  Annotate(line);
  Render();
  EXPECT_EQ(image.Pixel(150, 150), clBlack);
  EXPECT_EQ(image.Pixel(150, 80), clWhite);
}

// A relative line starts at the canvas pen position: where the last move or drawn polyline ended,
// not at points still waiting in the buffer.
TEST_F(RenderLines, RelativeLinesStartAtThePenPosition) {
  Add(Item(ikMoveTo, 20, 100));
  Add(LineTo(60, 100));
  Add(Item(ikLineRel, 0, 30));  // from (20, 100): the line-to is still pending
  Add(Item(ikMoveRel, 100, 0));
  Add(Item(ikLineRel, 0, -30));  // from (120, 100)
  Render();
  EXPECT_EQ(image.Pixel(40, 100), clBlack);
  EXPECT_EQ(image.Pixel(40, 115), clBlack);  // (60, 100) -> (20, 130), halfway
  EXPECT_EQ(image.Pixel(120, 85), clBlack);
  EXPECT_EQ(image.Pixel(90, 100), clWhite);  // no line along the move
}

// Vertical and horizontal lines run across the whole chart area (end pixel left out); a world
// line's ends and a delta line's second point are shifted in pixels.
TEST_F(RenderLines, LineKindsPlacedInWorldAndPixels) {
  Add(Item(ikVertLine, 30, 0));
  Add(Item(ikHorizLine, 0, 170));
  TgfChartItem worldLine = Item(ikWorldLine, 100, 100, 150, 100);
  worldLine.Param1 = 5;
  worldLine.Param2 = -10;
  Add(worldLine);
  Add(Item(ikDeltaLine, 100, 50, 40, 0));  // from (100, 150) 40 pixels right
  Add(LineTo(140, 0));                     // continues from the delta line's end
  Render();
  EXPECT_EQ(image.Pixel(30, 1), clBlack);  // row 0 carries the (white) frame
  EXPECT_EQ(image.Pixel(30, kArea - 1), clBlack);
  EXPECT_EQ(image.Pixel(1, PixelY(170)), clBlack);
  EXPECT_EQ(image.Pixel(kArea - 1, PixelY(170)), clBlack);
  EXPECT_EQ(image.Pixel(104, 90), clWhite);
  EXPECT_EQ(image.Pixel(105, 90), clBlack);
  EXPECT_EQ(image.Pixel(154, 90), clBlack);
  EXPECT_EQ(image.Pixel(120, 150), clBlack);
  EXPECT_EQ(image.Pixel(140, 175), clBlack);
}

}  // namespace
}  // namespace nox::test
