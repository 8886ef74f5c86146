// Mark symbols on real pixels: the patterns and shapes, their printer variants, the brush rules,
// the character marks, clipping at the edges and far away, and golden pictures of every symbol.

#include "base/draw_mark.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "support/golden.h"
#include "support/pixel_helpers.h"

namespace nox {
namespace {

using test::Ascii;
using test::CountOther;
using test::Extent;

constexpr TColor kPaper = clWhite;
constexpr TColor kInk = clNavy;
constexpr int kPrinterPpi = 600;

// A white bitmap with a navy pen and a solid blue brush (a colour no symbol should paint with).
struct MarkBitmap {
  explicit MarkBitmap(int width = 31, int height = 31, bool printer = false) : bitmap(width, height) {
    bitmap.Fill(kPaper);
    Canvas().Pen().SetColor(kInk);
    Canvas().Brush().SetColor(clBlue);
    Canvas().SetPrinter(printer, kPrinterPpi);
  }
  TCanvas& Canvas() { return bitmap.Canvas(); }
  TBitmap bitmap;
};

int Ones(const std::string& picture) {
  return static_cast<int>(std::count(picture.begin(), picture.end(), '#'));
}

// A picture of a mark, rows of equal length, the centre in the middle; '#' the pen colour, '.' paper.
// The mark must paint exactly these pixels: nothing outside the picture.
void ExpectPicture(int type, const std::vector<std::string>& rows, bool printer = false, int penWidth = 1) {
  MarkBitmap m(41, 41, printer);
  m.Canvas().Pen().SetWidth(penWidth);
  DrawMark(m.Canvas(), static_cast<std::uint8_t>(type), 20, 20);
  const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
  const TRect region{20 - w / 2, 20 - h / 2, 20 - w / 2 + w, 20 - h / 2 + h};
  std::string expected;
  for (const std::string& row : rows) expected += row + '\n';
  EXPECT_EQ(Ascii(m.bitmap, region, kPaper, kInk), expected)
      << "type " << type << (printer ? " (printer)" : "");
  EXPECT_EQ(CountOther(m.bitmap, kPaper), Ones(expected)) << "type " << type << " paints outside its picture";
}

TEST(DrawMark, ScreenPatternsSetTheirTablePixels) {
  ExpectPicture(1, {".......", ".......", "...#...", "..###..", "...#...", ".......", "......."});
  ExpectPicture(2, {".......", "...#...", "...#...", ".#####.", "...#...", "...#...", "......."});
  ExpectPicture(3, {"...#...", "...#...", "...#...", "#######", "...#...", "...#...", "...#..."});
  ExpectPicture(4, {".......", ".......", "..#.#..", "...#...", "..#.#..", ".......", "......."});
  ExpectPicture(5, {".......", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "......."});
  ExpectPicture(6, {"#.....#", ".#...#.", "..#.#..", "...#...", "..#.#..", ".#...#.", "#.....#"});
  ExpectPicture(18, {"#.#.#.#", ".#.#.#.", "#.#.#.#", ".#.#.#.", "#.#.#.#", ".#.#.#.", "#.#.#.#"});
  ExpectPicture(0, {"...", ".#.", "..."});
}

TEST(DrawMark, ScreenPatternsIgnoreThePenWidth) {
  ExpectPicture(3, {"...#...", "...#...", "...#...", "#######", "...#...", "...#...", "...#..."}, false, 4);
  MarkBitmap m;
  m.Canvas().Pen().SetStyle(psClear);
  DrawMark(m.Canvas(), 6, 15, 15);
  EXPECT_EQ(CountOther(m.bitmap, kPaper), 13);
}

// On paper the pluses and crosses are lines of the pen, one pixel larger; a line leaves out its end.
TEST(DrawMark, PrinterPlusesAndCrossesAreLines) {
  ExpectPicture(1, {".......", "...#...", "...#...", ".####..", "...#...", ".......", "......."}, true);
  ExpectPicture(3,
                {"....#....", "....#....", "....#....", "....#....", "########.", "....#....", "....#....",
                 "....#....", "........."},
                true);
  ExpectPicture(4, {".......", ".#.....", "..#.#..", "...#...", "..#.#..", ".#.....", "......."}, true);
  // A wide pen on paper: the horizontal arm of type 3 is three rows high.
  MarkBitmap m(31, 31, true);
  m.Canvas().Pen().SetWidth(3);
  DrawMark(m.Canvas(), 3, 15, 15);
  EXPECT_EQ(m.bitmap.Pixel(12, 14), kInk);
  EXPECT_EQ(m.bitmap.Pixel(12, 16), kInk);
}

// The checkerboard's dots must show on paper: with a 1-pixel pen they are the screen's pixels, with
// a wider pen round dots that together cover the square one pixel beyond the pattern.
TEST(DrawMark, PrinterCheckerboardDrawsItsDots) {
  ExpectPicture(18, {"#.#.#.#", ".#.#.#.", "#.#.#.#", ".#.#.#.", "#.#.#.#", ".#.#.#.", "#.#.#.#"}, true);
  MarkBitmap m(31, 31, true);
  m.Canvas().Pen().SetWidth(3);
  DrawMark(m.Canvas(), 18, 15, 15);
  EXPECT_EQ(Extent(m.bitmap, kPaper), Rect(11, 11, 20, 20));
  EXPECT_EQ(CountOther(m.bitmap, kPaper), 81);
}

TEST(DrawMark, FilledSquaresCoverTheirBoxes) {
  for (const int a : {1, 2, 3}) {
    MarkBitmap m;
    DrawMark(m.Canvas(), static_cast<std::uint8_t>(6 + a), 15, 15);
    EXPECT_EQ(Extent(m.bitmap, kPaper), Rect(15 - a, 15 - a, 16 + a, 16 + a)) << "type " << 6 + a;
    EXPECT_EQ(CountOther(m.bitmap, kPaper), (2 * a + 1) * (2 * a + 1)) << "type " << 6 + a;
  }
}

TEST(DrawMark, OutlinesAndLineSymbols) {
  ExpectPicture(12, {"#######", "#.....#", "#.....#", "#.....#", "#.....#", "#.....#", "#######"});
  ExpectPicture(13, {"...#...", "..#.#..", ".#...#.", "#..#..#", ".#...#.", "..#.#..", "...#..."});
  ExpectPicture(19, {"...#...", "..#.#..", ".#...#.", "#.....#", ".#...#.", "..#.#..", "...#..."});
  ExpectPicture(20, {".......", ".......", ".......", "...#...", "..#.#..", ".#...#.", "......."});
  ExpectPicture(23, {"#.....#", ".#...#.", "..#.#..", "...#...", ".......", ".......", "......."});
  ExpectPicture(25, {"##...##", "###.###", ".#####.", "..###..", ".#####.", "###.###", "##...##"});
  ExpectPicture(37, {"...#...", "...#...", "...#...", "...#...", "...#...", "...#...", "...#...", "#######",
                     ".......", ".......", ".......", ".......", ".......", ".......", "......."});
  ExpectPicture(38, {".......", "#######", "...#...", "...#...", "...#...", "#######", "......."});
  ExpectPicture(48, {"#######", "#..#..#", "#..#..#", "#######", "#..#..#", "#..#..#", "#######"});
  ExpectPicture(49, {"....#....", "....#....", "..#####..", "..#.#.#..", "#########", "..#.#.#..",
                     "..#####..", "....#....", "....#...."});
  ExpectPicture(50, {"....#....", ".#..#..#.", "..#.#.#..", "...###...", "#########", "...###...",
                     "..#.#.#..", ".#..#..#.", "....#...."});
  ExpectPicture(51, {"....#....", "...###...", "....#....", ".#..#..#.", "#########", ".#..#..#.",
                     "....#....", "...###...", "....#...."});
}

// Pixels of a mark drawn alone at (15, 15), sorted.
std::vector<std::pair<int, int>> MarkPixels(int type, TBrushStyle brushStyle = bsSolid) {
  MarkBitmap m;
  m.Canvas().Brush().SetStyle(brushStyle);
  DrawMark(m.Canvas(), static_cast<std::uint8_t>(type), 15, 15);
  auto pixels = test::PixelsOf(m.bitmap, kInk);
  std::sort(pixels.begin(), pixels.end());
  return pixels;
}

// Each filled symbol has an outline twin: the filled one covers it and more, in the pen colour only,
// and drawn with a clear brush it is its twin.
TEST(DrawMark, FilledSymbolsAreTheirOutlinesFilled) {
  const std::pair<int, int> pairs[] = {{7, 10},  {8, 11},  {9, 12},  {15, 19}, {26, 16},
                                       {24, 17}, {28, 27}, {29, 31}, {30, 32}, {34, 33},
                                       {36, 35}, {41, 40}, {43, 42}, {45, 44}, {47, 46}};
  for (const auto& [filled, open] : pairs) {
    const auto full = MarkPixels(filled), outline = MarkPixels(open);
    EXPECT_TRUE(std::includes(full.begin(), full.end(), outline.begin(), outline.end())) << filled;
    EXPECT_GT(full.size(), outline.size()) << filled << " is not filled";
    EXPECT_EQ(MarkPixels(filled, bsClear), outline) << filled << " with a clear brush";
  }
}

TEST(DrawMark, EllipsesAndTrianglesFillTheirBoxes) {
  struct Box {
    int type;
    TRect box;   // offsets from the centre, right and bottom edge left out
    bool round;  // an ellipse leaves the corners of its box empty
  };
  const Box boxes[] = {{16, {-2, -2, 3, 3}, true},  {17, {-3, -3, 4, 4}, true},  {27, {-2, -2, 2, 2}, true},
                       {39, {-3, -3, 4, 4}, true},  {30, {-3, 0, 4, 4}, false},  {33, {-4, -3, 5, 5}, false},
                       {35, {-4, -4, 5, 4}, false}, {42, {-3, -3, 5, 4}, false}, {46, {-4, -3, 4, 4}, false}};
  for (const Box& b : boxes) {
    MarkBitmap m;
    DrawMark(m.Canvas(), static_cast<std::uint8_t>(b.type), 15, 15);
    EXPECT_EQ(Extent(m.bitmap, kPaper),
              Rect(15 + b.box.Left, 15 + b.box.Top, 15 + b.box.Right, 15 + b.box.Bottom))
        << "type " << b.type;
    if (b.round) {
      EXPECT_EQ(m.bitmap.Pixel(15 + b.box.Left, 15 + b.box.Top), kPaper) << "type " << b.type;
    }
  }
}

// Types 0..51 give back the brush colour they found; open symbols leave the brush solid, filled ones
// as they found it; no symbol paints in the brush's colour.
TEST(DrawMark, ShapesLeaveTheBrushColourAsFound) {
  const std::vector<int> open = {16, 17, 27, 31, 32, 33, 35, 39, 40, 42, 44, 46, 48, 49, 50, 51};
  for (const bool printer : {false, true}) {
    for (int type = 0; type < kFirstCharacterMark; ++type) {
      for (const TBrushStyle style : {bsSolid, bsClear}) {
        MarkBitmap m(31, 31, printer);
        m.Canvas().Brush().SetStyle(style);
        const TColor before = m.Canvas().Brush().Color();
        DrawMark(m.Canvas(), static_cast<std::uint8_t>(type), 15, 15);
        const bool isOpen = std::find(open.begin(), open.end(), type) != open.end();
        EXPECT_EQ(m.Canvas().Brush().Color(), before) << "type " << type;
        EXPECT_EQ(m.Canvas().Brush().Style(), isOpen ? bsSolid : style) << "type " << type;
        EXPECT_EQ(test::CountColor(m.bitmap, clBlue), 0) << "type " << type;
        EXPECT_GT(CountOther(m.bitmap, kPaper), 0) << "type " << type << " drew nothing";
      }
    }
  }
}

TEST(DrawMark, LeavesThePenPositionAsFound) {
  for (int type = 0; type < 256; ++type) {
    MarkBitmap m;
    m.Canvas().MoveTo(3, 4);
    DrawMark(m.Canvas(), static_cast<std::uint8_t>(type), 15, 15);
    EXPECT_EQ(m.Canvas().PenPos(), Point(3, 4)) << "type " << type;
  }
}

// Whether the image shows just the text drawn the plain way: TextOut in the ink colour with a clear
// brush at (x, y) on paper.
::testing::AssertionResult ShowsPlainText(const TBitmap& actual, const std::string& text, int x, int y) {
  TBitmap expected(actual.Width(), actual.Height());
  expected.Fill(kPaper);
  expected.Canvas().Font().SetColor(kInk);
  expected.Canvas().Brush().SetStyle(bsClear);
  expected.Canvas().TextOut(x, y, text);
  return test::SameImage(expected, actual);
}

TEST(DrawMark, CharacterMarksAreCentredCharacters) {
  const std::pair<int, std::string> marks[] = {{205, "5"}, {200, "0"}, {209, "9"},        {65, "A"},
                                               {52, "4"},  {120, "x"}, {0xE9, "\xC3\xA9"}};
  for (const auto& [type, text] : marks) {
    MarkBitmap m;
    m.Canvas().Font().SetColor(clGreen);
    const TSize extent = m.Canvas().TextExtent(text);
    DrawMark(m.Canvas(), static_cast<std::uint8_t>(type), 15, 15);
    EXPECT_TRUE(ShowsPlainText(m.bitmap, text, 15 - extent.cx / 2, 15 - extent.cy / 2)) << "type " << type;
    EXPECT_EQ(m.Canvas().Font().Color(), clGreen) << "type " << type;
    EXPECT_EQ(m.Canvas().Brush().Style(), bsClear) << "type " << type;
  }
}

// Whatever alignment and brush the canvas has, the character sits by its top left corner, on no
// background; the alignment is given back.
TEST(DrawMark, CharacterMarksIgnoreAlignmentAndSolidBrush) {
  MarkBitmap m;
  m.Canvas().SetTextAlign(TA_CENTER | TA_BASELINE | TA_UPDATECP);
  const TSize extent = m.Canvas().TextExtent("A");
  DrawMark(m.Canvas(), 65, 15, 15);
  EXPECT_TRUE(ShowsPlainText(m.bitmap, "A", 15 - extent.cx / 2, 15 - extent.cy / 2));
  EXPECT_EQ(m.Canvas().TextAlign(), TA_CENTER | TA_BASELINE | TA_UPDATECP);
}

// On paper the character keeps the pixel size of the font as the canvas holds it: sizing the font for
// the printer is the caller's part.
TEST(DrawMark, CharacterMarksOnPaperUseTheFontAsHeld) {
  MarkBitmap screen, paper(31, 31, true);
  for (TCanvas* canvas : {&screen.Canvas(), &paper.Canvas()}) {
    canvas->Font().SetPixelsPerInch(96);
    canvas->Font().SetSize(12);
  }
  paper.Canvas().Font().SetPixelsPerInch(kPrinterPpi);
  DrawMark(screen.Canvas(), 205, 15, 15);
  DrawMark(paper.Canvas(), 205, 15, 15);
  EXPECT_TRUE(test::SameImage(screen.bitmap, paper.bitmap));
  EXPECT_GT(CountOther(paper.bitmap, kPaper), 0);
}

// Drawn at an edge, a mark paints what the same mark shows of itself in the middle of a large image.
TEST(DrawMark, ClipsAtTheBitmapEdges) {
  for (const bool printer : {false, true}) {
    for (int type = 0; type < 256; ++type) {
      MarkBitmap large(60, 60, printer);
      large.Canvas().Pen().SetWidth(type % 3 + 1);
      DrawMark(large.Canvas(), static_cast<std::uint8_t>(type), 30, 30);
      for (const TPoint at : {Point(0, 0), Point(13, 12), Point(-3, 5), Point(2, 14), Point(16, -4)}) {
        MarkBitmap small(14, 13, printer);
        small.Canvas().Pen().SetWidth(type % 3 + 1);
        DrawMark(small.Canvas(), static_cast<std::uint8_t>(type), at.X, at.Y);
        for (int y = 0; y < small.bitmap.Height(); ++y)
          for (int x = 0; x < small.bitmap.Width(); ++x)
            ASSERT_EQ(small.bitmap.Pixel(x, y), large.bitmap.Pixel(x - at.X + 30, y - at.Y + 30))
                << "type " << type << " at (" << at.X << ", " << at.Y << "), pixel (" << x << ", " << y
                << ")";
      }
    }
  }
}

TEST(DrawMark, FarOffMarksDrawNothing) {
  const TPoint far[] = {{INT_MAX, INT_MAX}, {INT_MIN, INT_MIN},  {INT_MAX, 10},
                        {10, INT_MIN},      {-INT_MAX, INT_MAX}, {-30000, 30000}};
  for (const bool printer : {false, true}) {
    for (const int width : {1, 5}) {
      MarkBitmap m(20, 20, printer);
      m.Canvas().Pen().SetWidth(width);
      for (int type = 0; type < 256; ++type)
        for (const TPoint p : far) DrawMark(m.Canvas(), static_cast<std::uint8_t>(type), p.X, p.Y);
      EXPECT_EQ(CountOther(m.bitmap, kPaper), 0);
    }
  }
}

// Golden pictures: every symbol in a cell of its own, the cells framed in silver.
constexpr int kCell = 24;
constexpr int kColumns = 13;

void FrameCells(TBitmap& bitmap) {
  for (int x = 0; x < bitmap.Width(); x += kCell)
    for (int y = 0; y < bitmap.Height(); ++y) bitmap.SetPixel(x, y, clSilver);
  for (int y = 0; y < bitmap.Height(); y += kCell)
    for (int x = 0; x < bitmap.Width(); ++x) bitmap.SetPixel(x, y, clSilver);
}

void DrawInCells(TCanvas& canvas, const std::vector<int>& types, int firstRow) {
  for (std::size_t i = 0; i < types.size(); ++i) {
    const int column = static_cast<int>(i) % kColumns, row = firstRow + static_cast<int>(i) / kColumns;
    DrawMark(canvas, static_cast<std::uint8_t>(types[i]), column * kCell + kCell / 2,
             row * kCell + kCell / 2);
  }
}

std::vector<int> ShapeTypes() {
  std::vector<int> types;
  for (int t = 0; t < kFirstCharacterMark; ++t) types.push_back(t);
  return types;
}

// Rows 1..4: types 0..51, 13 a row, navy on white with a yellow brush that must not show. Row 5: the
// character marks 52 ("4"), 65 ("A"), 97 ("a") and 200..209 ("0".."9"), each centred in its cell.
TEST(DrawMark, GoldenScreenMarks) {
  TBitmap image(kColumns * kCell + 1, 5 * kCell + 1);
  image.Fill(kPaper);
  FrameCells(image);
  TCanvas& canvas = image.Canvas();
  canvas.Pen().SetColor(kInk);
  canvas.Brush().SetColor(clYellow);
  DrawInCells(canvas, ShapeTypes(), 0);
  canvas.Font().SetName("Arial");
  canvas.Font().SetHeight(-13);
  DrawInCells(canvas, {52, 65, 97, 200, 201, 202, 203, 204, 205, 206, 207, 208, 209}, 4);
  EXPECT_TRUE(test::MatchesGolden(image, "marks/screen"));
}

// Rows 1..4: types 0..51 on paper with a 1-pixel pen: the pluses, crosses and checkerboard drawn as
// lines and dots, the thick cross 25 in its paper size. Rows 5..8: the same with a 3-pixel pen.
TEST(DrawMark, GoldenPrinterMarks) {
  TBitmap image(kColumns * kCell + 1, 8 * kCell + 1);
  image.Fill(kPaper);
  FrameCells(image);
  TCanvas& canvas = image.Canvas();
  canvas.SetPrinter(true, kPrinterPpi);
  canvas.Pen().SetColor(kInk);
  canvas.Brush().SetColor(clYellow);
  DrawInCells(canvas, ShapeTypes(), 0);
  canvas.Pen().SetWidth(3);
  DrawInCells(canvas, ShapeTypes(), 4);
  EXPECT_TRUE(test::MatchesGolden(image, "marks/printer"));
}

}  // namespace
}  // namespace nox
