// A canvas drawing at a device scale: figures land on the device edges of their logical pixels,
// pens and text grow with the scale, measuring stays logical, images of one picture fit together.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace nox {
namespace {

// Device edge of a logical coordinate at the origin 0.
int Edge(int x, double scale) { return static_cast<int>(std::floor(x * scale + 0.5)); }

// Rows (or columns) of the bitmap that hold a pixel of this colour.
int InkRows(const TBitmap& b, TColor color, bool columns = false) {
  int count = 0;
  const int outer = columns ? b.Width() : b.Height(), inner = columns ? b.Height() : b.Width();
  for (int i = 0; i < outer; ++i) {
    for (int j = 0; j < inner; ++j) {
      if ((columns ? b.Pixel(i, j) : b.Pixel(j, i)) == color) {
        ++count;
        break;
      }
    }
  }
  return count;
}

class CanvasDeviceScale : public ::testing::TestWithParam<double> {
 protected:
  void SetUp() override {
    canvas.SetDeviceScale(GetParam());
    canvas.SetLogicalSize(60, 40);
    bitmap.Fill(clWhite);
  }
  double Scale() const { return GetParam(); }
  TBitmap bitmap;
  TCanvas& canvas = bitmap.Canvas();
};

TEST_P(CanvasDeviceScale, FiguresPensAndTextFollowTheScale) {
  const double s = Scale();
  EXPECT_EQ(bitmap.Width(), Edge(60, s));
  EXPECT_EQ(canvas.Width(), 60);
  EXPECT_EQ(canvas.ClipRect(), Rect(0, 0, 60, 40));

  // A filled rectangle covers exactly the device pixels of its logical pixels.
  canvas.Brush().SetColor(clRed);
  canvas.FillRect(Rect(3, 5, 17, 9));
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const bool inside = x >= Edge(3, s) && x < Edge(17, s) && y >= Edge(5, s) && y < Edge(9, s);
      ASSERT_EQ(bitmap.Pixel(x, y) == clRed, inside) << x << "," << y;
    }
  }

  // A 1-pixel and a 3-pixel line are about 1 and 3 times the scale wide.
  for (const int width : {1, 3}) {
    bitmap.Fill(clWhite);
    canvas.Pen().SetWidth(width);
    canvas.Pen().SetColor(clBlue);
    canvas.MoveTo(10, 20);
    canvas.LineTo(50, 20);
    EXPECT_EQ(InkRows(bitmap, clBlue), static_cast<int>(std::lround(width * s)));
  }

  // A rectangle's outline meets its fill edge to edge, on the device edges of its box.
  bitmap.Fill(clWhite);
  canvas.Pen().SetWidth(1);
  canvas.Pen().SetColor(clBlack);
  canvas.Brush().SetColor(clLime);
  canvas.Rectangle(10, 10, 30, 20);
  EXPECT_EQ(InkRows(bitmap, clBlack, true), Edge(30, s) - Edge(10, s));
  EXPECT_EQ(bitmap.Pixel(Edge(10, s), Edge(10, s)), clBlack);
  EXPECT_EQ(bitmap.Pixel(Edge(30, s) - 1, Edge(20, s) - 1), clBlack);
  EXPECT_EQ(bitmap.Pixel(Edge(11, s), Edge(11, s)), clLime);
  EXPECT_EQ(bitmap.Pixel(Edge(30, s), Edge(20, s)), clWhite);

  // Text: measured in logical pixels as at 1, drawn with its height times the scale.
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-13);
  TBitmap unit(60, 40);
  unit.Canvas().SetFont(canvas.Font());
  EXPECT_EQ(canvas.TextExtent("Height 0"), unit.Canvas().TextExtent("Height 0"));
  unit.Fill(clWhite);
  unit.Canvas().Brush().SetStyle(bsClear);
  unit.Canvas().TextOut(2, 2, "Hg");
  bitmap.Fill(clWhite);
  canvas.Brush().SetStyle(bsClear);
  canvas.TextOut(2, 2, "Hg");
  const auto darkRows = [](const TBitmap& b) {
    int rows = 0;
    for (int y = 0; y < b.Height(); ++y) {
      for (int x = 0; x < b.Width(); ++x) {
        if ((b.Pixel(x, y) & 0xFF) < 128) {
          ++rows;
          break;
        }
      }
    }
    return rows;
  };
  EXPECT_NEAR(darkRows(bitmap), darkRows(unit) * s, 1.5);
}

TEST_P(CanvasDeviceScale, DashedPensKeepTheirPatternAtTheScale) {
  const double s = Scale();
  const struct {
    TPenStyle style;
    double inked;  // the pattern's share of painted pixels
    int dashes;    // in the 48 pixels of the line: two periods, or eight of the dots
  } cases[] = {{psDash, 18 / 24.0, 2}, {psDot, 3 / 6.0, 8}, {psDashDot, 12 / 24.0, 4}, {psDashDotDot, 15 / 24.0, 6}};
  for (const auto& c : cases) {
    bitmap.Fill(clWhite);
    canvas.Pen().SetWidth(1);
    canvas.Pen().SetStyle(c.style);
    canvas.Pen().SetColor(clBlue);
    const TPoint line[] = {{2, 20}, {50, 20}};
    canvas.Polyline(line);
    // Along the line's fullest device row: dashes and gaps, each dash about s times as long.
    int best = 0, bestRow = 0;
    for (int y = 0; y < bitmap.Height(); ++y) {
      int n = 0;
      for (int x = 0; x < bitmap.Width(); ++x) n += bitmap.Pixel(x, y) == clBlue;
      if (n > best) best = n, bestRow = y;
    }
    int dashes = 0;
    for (int x = 0; x < bitmap.Width(); ++x) {
      dashes += bitmap.Pixel(x, bestRow) == clBlue && (x == 0 || bitmap.Pixel(x - 1, bestRow) != clBlue);
    }
    const double length = Edge(50, s) - Edge(2, s);
    EXPECT_NEAR(best / length, c.inked, 0.2) << "style " << c.style << " at " << s;
    EXPECT_NEAR(dashes, c.dashes, 1) << "style " << c.style << " at " << s;
  }
  canvas.Pen().SetStyle(psSolid);
}

// Pieces of this colour: pixels joined by any of their 8 neighbours.
int InkPieces(const TBitmap& b, TColor color) {
  std::vector<bool> seen(static_cast<std::size_t>(b.Width() * b.Height()));
  int pieces = 0;
  for (int start = 0; start < b.Width() * b.Height(); ++start) {
    if (seen[start] || b.Pixel(start % b.Width(), start / b.Width()) != color) continue;
    ++pieces;
    std::vector<int> todo{start};
    seen[start] = true;
    while (!todo.empty()) {
      const int at = todo.back();
      todo.pop_back();
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          const int x = at % b.Width() + dx, y = at / b.Width() + dy;
          if (x < 0 || y < 0 || x >= b.Width() || y >= b.Height() || seen[y * b.Width() + x]) continue;
          if (b.Pixel(x, y) != color) continue;
          seen[y * b.Width() + x] = true;
          todo.push_back(y * b.Width() + x);
        }
      }
    }
  }
  return pieces;
}

TEST_P(CanvasDeviceScale, DashedOutlinesKeepTheirPatternAtTheScale) {
  const TPenStyle styles[] = {psDash, psDot, psDashDot, psDashDotDot};
  const struct {
    const char* name;
    void (*draw)(TCanvas&);
  } figures[] = {{"rectangle", [](TCanvas& c) { c.Rectangle(2, 2, 39, 27); }},
                 {"ellipse", [](TCanvas& c) { c.Ellipse(2, 2, 50, 36); }},
                 {"arc", [](TCanvas& c) { c.Arc(2, 2, 50, 36, 50, 19, 2, 19); }}};
  const auto draw = [](TBitmap& b, const auto& figure, TPenStyle style) {
    b.Fill(clWhite);
    b.Canvas().Pen().SetStyle(style);
    b.Canvas().Pen().SetColor(clBlue);
    b.Canvas().Brush().SetStyle(bsClear);
    figure.draw(b.Canvas());
    int inked = 0;
    for (int y = 0; y < b.Height(); ++y) {
      for (int x = 0; x < b.Width(); ++x) inked += b.Pixel(x, y) == clBlue;
    }
    return inked;
  };
  // Against the 1-pixel outline: the same share of the solid outline painted, and as many dashes,
  // each about s times as long and wide (give or take where the pattern meets itself again).
  TBitmap unit(60, 40), unitSolid(60, 40), solid;
  solid.Canvas().SetDeviceScale(Scale());
  solid.Canvas().SetLogicalSize(60, 40);
  for (const auto& figure : figures) {
    const int solidInk = draw(solid, figure, psSolid), unitSolidInk = draw(unitSolid, figure, psSolid);
    for (const TPenStyle style : styles) {
      const double share = static_cast<double>(draw(bitmap, figure, style)) / solidInk;
      const double unitShare = static_cast<double>(draw(unit, figure, style)) / unitSolidInk;
      EXPECT_NEAR(share, unitShare, 0.1) << figure.name << " style " << int{style} << " at " << Scale();
      EXPECT_NEAR(InkPieces(bitmap, clBlue), InkPieces(unit, clBlue), 2)
          << figure.name << " style " << int{style} << " at " << Scale();
    }
  }
}

TEST_P(CanvasDeviceScale, ImagesOfOnePictureShareItsDeviceGrid) {
  // A part drawn on its own image, placed at its logical origin, covers what it would have covered
  // drawn on the whole picture: no gap and no overlap at fractional scales.
  const double s = Scale();
  TBitmap part;
  part.Canvas().SetDeviceScale(s, {7, 5});
  part.Canvas().SetLogicalSize(11, 13);
  part.Fill(clRed);
  canvas.Draw(7, 5, part);
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) {
      const bool inside = x >= Edge(7, s) && x < Edge(18, s) && y >= Edge(5, s) && y < Edge(18, s);
      ASSERT_EQ(bitmap.Pixel(x, y) == clRed, inside) << x << "," << y;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, CanvasDeviceScale, ::testing::Values(1.0, 1.25, 1.5, 2.0, 3.0));

TEST(CanvasDeviceScale, ScalesOutsideTheRangeAreRefusedAndChangeNothing) {
  TBitmap bitmap(10, 10);
  for (const double bad : {0.0, -1.0, 8.01, std::nan(""), HUGE_VAL}) {
    EXPECT_THROW(bitmap.Canvas().SetDeviceScale(bad), EInvalidGraphic) << bad;
    EXPECT_EQ(bitmap.Canvas().DeviceScale(), 1.0);
  }
}

}  // namespace
}  // namespace nox
