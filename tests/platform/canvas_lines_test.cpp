// LineTo and Polyline on real pixels: end pixels, rounding, clipping, dash patterns, wide pens, XOR.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <span>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "support/pixel_helpers.h"
#include "support/reference_raster.h"

namespace nox {
namespace {

using test::Ascii;
using test::CountColor;
using test::ReferenceLine;
using test::SameImage;

// The pixels of a row or column as a string, '#' for black and '.' for white.
std::string RowString(const TBitmap& b, int y, int x0, int x1) {
  std::string s;
  for (int x = x0; x < x1; ++x) s += b.Pixel(x, y) == clBlack ? '#' : '.';
  return s;
}

// The expected string of a pattern given as runs of on and off pixels.
std::string PatternString(std::initializer_list<int> runs, int length) {
  std::string period;
  bool on = true;
  for (const int r : runs) {
    period += std::string(static_cast<std::size_t>(r), on ? '#' : '.');
    on = !on;
  }
  std::string s;
  while (static_cast<int>(s.size()) < length) s += period;
  return s.substr(0, static_cast<std::size_t>(length));
}

TEST(CanvasLines, LineToLeavesOutEndPixelAndMovesThePen) {
  TBitmap b(12, 6);
  TCanvas& c = b.Canvas();
  c.MoveTo(2, 3);
  c.LineTo(7, 3);
  EXPECT_EQ(RowString(b, 3, 0, 12), "..#####.....");
  EXPECT_EQ(c.PenPos(), (TPoint{7, 3}));
  c.LineTo(7, 5);  // continues from the pen position, leaving out (7, 5)
  EXPECT_EQ(b.Pixel(7, 3), clBlack);
  EXPECT_EQ(b.Pixel(7, 4), clBlack);
  EXPECT_EQ(b.Pixel(7, 5), clWhite);
  EXPECT_EQ(CountColor(b, clBlack), 7);
}

TEST(CanvasLines, ZeroLengthLinePaintsNothing) {
  TBitmap b(5, 5);
  b.Canvas().MoveTo(2, 2);
  b.Canvas().LineTo(2, 2);
  EXPECT_EQ(CountColor(b, clBlack), 0);
}

TEST(CanvasLines, MinorCoordinateIsNearestWithTiesTowardLarger) {
  TBitmap b(8, 8);
  TCanvas& c = b.Canvas();
  // (0,0)-(2,1): at x = 1 the ideal y is 1/2, a tie, which goes down.
  c.MoveTo(0, 0);
  c.LineTo(2, 1);
  EXPECT_EQ(b.Pixel(1, 1), clBlack);
  // Drawn upward, (0,1)-(2,0): the tie at x = 1 again goes to the larger y.
  c.MoveTo(4, 1);
  c.LineTo(6, 0);
  EXPECT_EQ(b.Pixel(5, 1), clBlack);
  // Steep lines tie toward the larger x: (0,3)-(1,5) paints (1, 4).
  c.MoveTo(0, 3);
  c.LineTo(1, 5);
  EXPECT_EQ(b.Pixel(1, 4), clBlack);
}

// Every line between points of a grid reaching beyond a small bitmap paints exactly the pixels of
// the step-by-step rule, so clipping neither adds, drops nor shifts a pixel.
TEST(CanvasLines, ClippedLinesMatchTheStepRuleExhaustively) {
  TBitmap fast(9, 7), slow(9, 7);
  for (int x0 = -4; x0 <= 12; ++x0) {
    for (int y0 = -4; y0 <= 10; ++y0) {
      for (int x1 = -4; x1 <= 12; ++x1) {
        for (int y1 = -4; y1 <= 10; ++y1) {
          fast.Fill(clWhite);
          slow.Fill(clWhite);
          fast.Canvas().MoveTo(x0, y0);
          fast.Canvas().LineTo(x1, y1);
          ReferenceLine(slow, x0, y0, x1, y1, clBlack);
          ASSERT_TRUE(SameImage(slow, fast))
              << "line (" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << ")";
        }
      }
    }
  }
}

TEST(CanvasLines, LongLinesClipToThePixelsOfTheWholeWalk) {
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> far(-30000, 30000);
  TBitmap fast(64, 48), slow(64, 48);
  for (int n = 0; n < 3000; ++n) {
    // One end near the bitmap, the other anywhere up to +-30000, so that many lines cross it.
    const int x0 = far(rng) % 100, y0 = far(rng) % 80, x1 = far(rng), y1 = far(rng);
    fast.Fill(clWhite);
    slow.Fill(clWhite);
    fast.Canvas().MoveTo(x0, y0);
    fast.Canvas().LineTo(x1, y1);
    ReferenceLine(slow, x0, y0, x1, y1, clBlack);
    ASSERT_TRUE(SameImage(slow, fast)) << "line (" << x0 << "," << y0 << ")-(" << x1 << "," << y1 << ")";
  }
}

// Lines between the extreme ints: a walk over every step would take minutes; the clipped one must
// finish at once and still agree with the step rule.
TEST(CanvasLines, ExtremeCoordinatesClipExactly) {
  const int m = INT_MAX, n = -INT_MAX;
  const std::vector<std::array<int, 4>> lines = {{n, n, m, m},
                                                 {m, n, n, m},
                                                 {n, 20, m, 21},
                                                 {30, n, 31, m},
                                                 {n, 0, m, 300},
                                                 {0, n, 40, m},
                                                 {5, 5, m, m - 100},
                                                 {m, m, 5, 7},
                                                 {INT_MIN, INT_MIN, m, m},
                                                 {n, 10, 10, n},
                                                 {-5, 1000000000, 30, -1000000000}};
  TBitmap fast(50, 40), slow(50, 40);
  for (const auto& l : lines) {
    fast.Fill(clWhite);
    slow.Fill(clWhite);
    fast.Canvas().MoveTo(l[0], l[1]);
    fast.Canvas().LineTo(l[2], l[3]);
    ReferenceLine(slow, l[0], l[1], l[2], l[3], clBlack);
    EXPECT_TRUE(SameImage(slow, fast))
        << "line (" << l[0] << "," << l[1] << ")-(" << l[2] << "," << l[3] << ")";
  }
  // The diagonal through the whole int range crosses the bitmap on its main diagonal.
  fast.Fill(clWhite);
  fast.Canvas().MoveTo(n, n);
  fast.Canvas().LineTo(m, m);
  EXPECT_EQ(CountColor(fast, clBlack), 40);
}

TEST(CanvasLines, PolylineLeavesOutOnlyItsFinalPoint) {
  TBitmap b(10, 10);
  const TPoint pts[] = {{1, 1}, {5, 1}, {5, 6}};
  b.Canvas().MoveTo(8, 8);
  b.Canvas().Polyline(pts);
  EXPECT_EQ(RowString(b, 1, 0, 10), ".#####....");  // the joint (5, 1) is drawn
  EXPECT_EQ(b.Pixel(5, 5), clBlack);
  EXPECT_EQ(b.Pixel(5, 6), clWhite);
  EXPECT_EQ(CountColor(b, clBlack), 9);
  EXPECT_EQ(b.Canvas().PenPos(), (TPoint{8, 8}));  // neither used nor moved
}

TEST(CanvasLines, DashPatternsAlongTheMajorAxis) {
  struct Case {
    TPenStyle style;
    std::initializer_list<int> runs;
  };
  const Case cases[] = {
      {psDash, {18, 6}}, {psDot, {3, 3}},     {psDashDot, {9, 6, 3, 6}}, {psDashDotDot, {9, 3, 3, 3, 3, 3}},
      {psSolid, {1}},    {psInsideFrame, {1}}};
  for (const Case& k : cases) {
    TBitmap b(80, 80);
    TCanvas& c = b.Canvas();
    c.Pen().SetStyle(k.style);
    c.MoveTo(0, 0);
    c.LineTo(73, 0);
    EXPECT_EQ(RowString(b, 0, 0, 74), PatternString(k.runs, 73) + ".") << k.style;
    // A steep line counts its pattern in rows.
    b.Fill(clWhite);
    c.MoveTo(10, 5);
    c.LineTo(40, 77);
    TBitmap ref(80, 80);
    std::uint32_t bits = 0;
    int period = 0;
    bool on = true;
    for (const int r : k.runs) {
      if (on) bits |= ((1u << r) - 1u) << period;
      period += r;
      on = !on;
    }
    ReferenceLine(ref, 10, 5, 40, 77, clBlack, bits, period);
    EXPECT_TRUE(SameImage(ref, b)) << k.style;
  }
}

TEST(CanvasLines, PatternRunsOnAcrossPolylineVerticesAndLineToCalls) {
  const std::string expected = PatternString({9, 3, 3, 3, 3, 3}, 30);
  const auto path = [](const TBitmap& b) {  // along (0,0) -> (10,0) -> (10,20)
    std::string s;
    for (int x = 0; x < 10; ++x) s += b.Pixel(x, 0) == clBlack ? '#' : '.';
    for (int y = 0; y < 20; ++y) s += b.Pixel(10, y) == clBlack ? '#' : '.';
    return s;
  };
  TBitmap a(12, 22);
  a.Canvas().Pen().SetStyle(psDashDotDot);
  const TPoint pts[] = {{0, 0}, {10, 0}, {10, 20}};
  a.Canvas().Polyline(pts);
  EXPECT_EQ(path(a), expected);

  TBitmap b(12, 22);
  b.Canvas().Pen().SetStyle(psDashDotDot);
  b.Canvas().MoveTo(0, 0);
  b.Canvas().LineTo(10, 0);
  b.Canvas().LineTo(10, 20);
  EXPECT_EQ(path(b), expected);

  // MoveTo starts the pattern afresh.
  TBitmap d(12, 22);
  d.Canvas().Pen().SetStyle(psDashDotDot);
  d.Canvas().MoveTo(0, 0);
  d.Canvas().LineTo(10, 0);
  d.Canvas().MoveTo(10, 0);
  d.Canvas().LineTo(10, 20);
  EXPECT_EQ(path(d), PatternString({9, 3, 3, 3, 3, 3}, 10) + PatternString({9, 3, 3, 3, 3, 3}, 20));
}

// A polyline of a 1-pixel pen paints what MoveTo to its first point and LineTo through the rest
// paint (the pattern starting afresh at the MoveTo), and so does the polyline drawn in parts, each
// continuing the pattern from where the one before left it: long chains of short steps, some
// leaving the image, some far outside, some standing still, some straight up or down the image; in
// the later rounds mostly up and down one column, a dense series' way, in steps of up to a pattern
// cycle and a little more, some of them off the image, a few to the farthest rows an int holds.
// Drawn in parts on an empty image, it reports the same pattern positions.
TEST(CanvasLines, ThinPolylinePaintsItsSegmentsOneByOne) {
  std::mt19937 rng(23);
  const auto between = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  for (const TPenStyle style : {psSolid, psDash, psDot, psDashDot, psDashDotDot}) {
    for (int round = 0; round < 30; ++round) {
      std::vector<TPoint> path{{between(-5, 45), between(-5, 35)}};
      while (path.size() < 300) {
        const TPoint last = path.back();
        if (round >= 20 && between(0, 19) > 0) {
          path.push_back({last.X, std::clamp(last.Y + between(-26, 26), -3, 32)});
          continue;
        }
        const int kind = between(0, 30);
        path.push_back(kind == 0   ? TPoint{between(-3000, 3000), between(-3000, 3000)}
                       : kind == 1 ? TPoint{last.X, between(0, 29)}
                       : kind == 2 ? TPoint{last.X, between(0, 1) == 0 ? INT_MIN : INT_MAX}
                                   : TPoint{last.X + between(-4, 4), last.Y + between(-9, 9)});
        if (std::abs(std::int64_t{path.back().X}) > 100 || std::abs(std::int64_t{path.back().Y}) > 100)
          path.push_back({20, 15});
      }
      TBitmap polyline(40, 30), lines(40, 30), parts(40, 30);
      for (TBitmap* b : {&polyline, &lines, &parts}) b->Canvas().Pen().SetStyle(style);
      polyline.Canvas().Polyline(path);
      lines.Canvas().MoveTo(path[0].X, path[0].Y);
      for (const TPoint p : path) lines.Canvas().LineTo(p.X, p.Y);
      TBitmap empty;
      empty.Canvas().Pen().SetStyle(style);
      std::int64_t position = 0, unpainted = 0;
      for (std::size_t from = 0; from + 1 < path.size();) {
        const std::size_t to = std::min(path.size() - 1, from + static_cast<std::size_t>(between(1, 40)));
        const auto part = std::span(path).subspan(from, to - from + 1);
        position = parts.Canvas().Polyline(part, position);
        unpainted = empty.Canvas().Polyline(part, unpainted);
        ASSERT_EQ(unpainted, position) << style << " round " << round;
        from = to;
      }
      ASSERT_TRUE(SameImage(lines, polyline)) << style << " round " << round;
      ASSERT_TRUE(SameImage(lines, parts)) << style << " round " << round;
    }
  }
}

TEST(CanvasLines, ClippedDashedLineKeepsItsPhase) {
  TBitmap fast(30, 30), slow(30, 30);
  fast.Canvas().Pen().SetStyle(psDashDot);
  fast.Canvas().MoveTo(-1000, -377);
  fast.Canvas().LineTo(1000, 401);
  ReferenceLine(slow, -1000, -377, 1000, 401, clBlack, (((1u << 9) - 1u)) | (((1u << 3) - 1u) << 15), 24);
  EXPECT_TRUE(SameImage(slow, fast));
  EXPECT_GT(CountColor(fast, clBlack), 0);
}

TEST(CanvasLines, ClearPenDrawsNothingAndWidthZeroDrawsLikeOne) {
  TBitmap b(10, 10);
  TCanvas& c = b.Canvas();
  c.Pen().SetStyle(psClear);
  c.MoveTo(0, 0);
  c.LineTo(9, 9);
  const TPoint pts[] = {{0, 5}, {9, 5}, {9, 0}};
  c.Polyline(pts);
  EXPECT_EQ(CountColor(b, clBlack), 0);
  EXPECT_EQ(c.PenPos(), (TPoint{9, 9}));
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(0);
  c.MoveTo(0, 0);
  c.LineTo(9, 9);
  EXPECT_EQ(CountColor(b, clBlack), 9);
}

TEST(CanvasLines, WidePenThicknessAndRoundCaps) {
  TBitmap b(40, 40);
  TCanvas& c = b.Canvas();
  c.Pen().SetWidth(3);
  c.MoveTo(10, 10);
  c.LineTo(30, 10);
  EXPECT_EQ(test::Extent(b, clWhite), (TRect{9, 9, 32, 12}));  // both caps included
  b.Fill(clWhite);
  c.Pen().SetWidth(2);  // even width: the extra row lies above
  c.MoveTo(10, 20);
  c.LineTo(30, 20);
  EXPECT_EQ(RowString(b, 18, 20, 21), ".");
  EXPECT_EQ(RowString(b, 19, 20, 21), "#");
  EXPECT_EQ(RowString(b, 20, 20, 21), "#");
  EXPECT_EQ(RowString(b, 21, 20, 21), ".");
  b.Fill(clWhite);
  c.Pen().SetWidth(5);  // a dot: the disc of diameter 5
  c.MoveTo(20, 20);
  c.LineTo(20, 20);
  EXPECT_EQ(Ascii(b, {18, 18, 23, 23}, clWhite, clBlack), ".###.\n#####\n#####\n#####\n.###.\n");
}

TEST(CanvasLines, WideLinesMatchTheDistanceRule) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-8, 40);
  std::uniform_int_distribution<int> width(2, 9);
  TBitmap fast(32, 32), slow(32, 32);
  for (int n = 0; n < 400; ++n) {
    const TPoint a{coord(rng), coord(rng)};
    const TPoint e{n % 4 == 0 ? a.X : coord(rng), coord(rng)};  // every fourth one vertical
    const int w = width(rng);
    fast.Fill(clWhite);
    slow.Fill(clWhite);
    fast.Canvas().Pen().SetWidth(w);
    fast.Canvas().MoveTo(a.X, a.Y);
    fast.Canvas().LineTo(e.X, e.Y);
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        if (test::ReferenceStrokeCovers(a, e, w, x, y)) slow.SetPixel(x, y, clBlack);
      }
    }
    ASSERT_TRUE(SameImage(slow, fast))
        << "width " << w << " (" << a.X << "," << a.Y << ")-(" << e.X << "," << e.Y << ")";
  }
}

TEST(CanvasLines, WideLinesWithExtremeCoordinatesAndWidths) {
  struct Case {
    TPoint a, b;
    int width;
    TRect covered;  // the covered pixels of a 24 x 24 bitmap, worked out by hand
  };
  const Case cases[] = {
      // Nearly horizontal through y = 10: rows whose centre is closer than 3.5 to it.
      {{-INT_MAX, 3}, {INT_MAX, 17}, 7, {0, 7, 24, 14}},
      // Nearly vertical through x = 7, even width: sample points x + 1/2 within 2 of it.
      {{5, -INT_MAX}, {9, INT_MAX}, 4, {5, 0, 9, 24}},
      // A disc far away whose radius reaches over the whole bitmap.
      {{-1000000000, 12}, {-500000000, 12}, 2000000000, {0, 0, 24, 24}},
      {{12, 12}, {12, 12}, INT_MAX, {0, 0, 24, 24}},
      // A wide pen just missing the bitmap.
      {{-1000000000, 12}, {-1000000000, 12}, 2000000000, {}},
  };
  for (const Case& k : cases) {
    TBitmap b(24, 24);
    b.Canvas().Pen().SetWidth(k.width);
    b.Canvas().MoveTo(k.a.X, k.a.Y);
    b.Canvas().LineTo(k.b.X, k.b.Y);
    EXPECT_EQ(test::Extent(b, clWhite), k.covered) << k.width;
    EXPECT_EQ(CountColor(b, clBlack), k.covered.Width() * k.covered.Height()) << k.width;
  }
  // The diagonal through the whole range, width 10: sample points closer than 5 to y = x, |x - y| <= 7.
  TBitmap d(24, 24);
  d.Canvas().Pen().SetWidth(10);
  d.Canvas().MoveTo(-INT_MAX, -INT_MAX);
  d.Canvas().LineTo(INT_MAX, INT_MAX);
  for (int y = 0; y < 24; ++y) {
    for (int x = 0; x < 24; ++x) EXPECT_EQ(d.Pixel(x, y) == clBlack, std::abs(x - y) <= 7) << x << "," << y;
  }
}

// The path crosses itself at (5, 5) and runs back over its first segment; wide pens overlap at
// every joint. Each pixel is flipped once all the same.
TEST(CanvasLines, XorFlipsEveryPixelOnceAndTwiceRestores) {
  const TPoint path[] = {{0, 5}, {10, 5}, {5, 0}, {5, 10}, {1, 5}, {8, 5}, {14, 14}, {2, 13}};
  for (const TPenStyle style : {psSolid, psDash, psDot, psDashDot, psDashDotDot, psInsideFrame}) {
    for (const int width : {1, 2, 3, 6}) {
      const auto pen = [&](TPen& p) {
        p.SetStyle(style);
        p.SetWidth(width);
      };
      EXPECT_TRUE(test::XorRoundTrip(18, 18, pen, [&](TCanvas& c) { c.Polyline(path); }))
          << style << " " << width;
      EXPECT_TRUE(test::XorRoundTrip(30, 30, pen,
                                     [](TCanvas& c) {
                                       c.MoveTo(-3, 4);
                                       c.LineTo(27, 25);
                                     }))
          << style << " " << width;
    }
  }
}

TEST(CanvasLines, EmptyBitmapIgnoresEveryDrawing) {
  TBitmap empty, source(3, 3);
  TCanvas& c = empty.Canvas();
  for (const int width : {1, 4}) {
    for (const TPenMode mode : {pmCopy, pmXor}) {
      c.Pen().SetWidth(width);
      c.Pen().SetMode(mode);
      c.MoveTo(-5, -5);
      c.LineTo(5, 5);
      const TPoint pts[] = {{0, 0}, {3, 3}, {0, 3}};
      c.Polyline(pts);
      c.Polygon(pts);
      c.Rectangle(-1, -1, 2, 2);
      c.Ellipse(-1, -1, 2, 2);
      c.Arc(-1, -1, 2, 2, 0, 0, 1, 1);
      c.FillRect({0, 0, 2, 2});
      c.Draw(0, 0, source);
      c.StretchDraw({0, 0, 2, 2}, source);
      c.CopyRect({0, 0, 2, 2}, source.Canvas(), {0, 0, 3, 3});
    }
  }
  EXPECT_TRUE(empty.Empty());
  EXPECT_EQ(c.PenPos(), (TPoint{5, 5}));
}

TEST(CanvasLines, SystemColoursAreResolved) {
  TBitmap b(4, 1);
  b.Canvas().Pen().SetColor(clBtnShadow);
  b.Canvas().MoveTo(0, 0);
  b.Canvas().LineTo(3, 0);
  EXPECT_EQ(b.Pixel(1, 0), clGray);
}

}  // namespace
}  // namespace nox
