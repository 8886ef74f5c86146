// Bulk checks of the raster canvas: many seeded random primitives with random pens and brushes.
//
// RandomPrimitivesChecksum draws thousands of lines, polylines, rectangles, ellipses, polygons,
// arcs, fills and stretched copies (every pen style and mode, widths 0 to 9, coordinates from just
// around the bitmap out to the int limits) and compares one checksum of the result. Every
// primitive is bit-exact by construction (integer geometry; floating point only narrows down
// candidates that are then decided exactly), so none is left out. Text is not drawn here: it
// belongs to the text module and depends on the font rasteriser.
//
// Updating: when a pixel rule changes on purpose, the failing test prints the new checksum and
// writes the final image to <build>/test-output/canvas_bulk.png. Look at the image (and at the focused
// tests of the rule that changed), then paste the new value into kExpectedChecksum.

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "support/pixel_helpers.h"

namespace nox {
namespace {

constexpr std::uint64_t kExpectedChecksum = 17567079113808164402u;

// splitmix64: a generator whose sequence is the same on every platform and library (the
// distributions of <random> are not).
class Random {
 public:
  explicit Random(std::uint64_t seed) : m_state(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform enough in lo .. hi (both included) for a test.
  int Between(int lo, int hi) {
    const auto range = static_cast<std::uint64_t>(std::int64_t{hi} - lo) + 1;
    return static_cast<int>(lo + static_cast<std::int64_t>(Next() % range));
  }
  bool OneIn(int n) { return Next() % static_cast<std::uint64_t>(n) == 0; }

 private:
  std::uint64_t m_state;
};

constexpr int kWidth = 160, kHeight = 120;

// Mostly near the bitmap, now and then far away or at the int limits.
int Coordinate(Random& r, int extent) {
  switch (r.Between(0, 19)) {
    case 0:
      return r.Between(-30000, 30000);
    case 1:
      return r.OneIn(2) ? INT_MAX - r.Between(0, 3) : -INT_MAX + r.Between(0, 3);
    case 2:
      return r.Between(-2000000000, 2000000000);
    default:
      return r.Between(-40, extent + 40);
  }
}

TPoint RandomPoint(Random& r) { return {Coordinate(r, kWidth), Coordinate(r, kHeight)}; }

TColor RandomColor(Random& r) {
  if (r.OneIn(10)) return clSystemColor | static_cast<TColor>(r.Between(0, 24));
  return static_cast<TColor>(r.Next() & 0xFFFFFF);
}

void RandomPen(Random& r, TPen& pen, bool xorOnly) {
  static constexpr TPenStyle kStyles[] = {psSolid,      psDash,  psDot,        psDashDot,
                                          psDashDotDot, psClear, psInsideFrame};
  static constexpr int kWidths[] = {0, 1, 1, 1, 1, 2, 3, 4, 5, 9};
  pen.SetColor(RandomColor(r));
  pen.SetStyle(kStyles[r.Between(0, xorOnly ? 4 : 6)]);
  pen.SetWidth(kWidths[r.Between(0, 9)]);
  pen.SetMode(xorOnly || r.OneIn(3) ? pmXor : pmCopy);
}

// Draws one random primitive; with outlineOnly the brush is clear and nothing else paints.
void RandomPrimitive(Random& r, TCanvas& c, const TBitmap& stamp, bool outlineOnly) {
  const int kind = r.Between(0, outlineOnly ? 5 : 7);
  const TPoint a = RandomPoint(r), b = RandomPoint(r);
  switch (kind) {
    case 0: {
      const TPoint inside{r.Between(0, kWidth), r.Between(0, kHeight)};  // braces fix the order of the draws
      c.MoveTo(a.X, a.Y);
      c.LineTo(b.X, b.Y);
      c.LineTo(inside.X, inside.Y);
      break;
    }
    case 1: {
      std::vector<TPoint> points(static_cast<std::size_t>(r.Between(2, 12)));
      for (TPoint& p : points)
        p = r.OneIn(4) ? RandomPoint(r) : TPoint{r.Between(-20, kWidth + 20), r.Between(-20, kHeight + 20)};
      c.Polyline(points);
      break;
    }
    case 2:
      c.Rectangle(a.X, a.Y, b.X, b.Y);
      break;
    case 3:
      c.Ellipse(a.X, a.Y, b.X, b.Y);
      break;
    case 4: {
      std::vector<TPoint> points(static_cast<std::size_t>(r.Between(1, 9)));
      for (TPoint& p : points) p = RandomPoint(r);
      c.Polygon(points);
      break;
    }
    case 5: {
      const TPoint s = RandomPoint(r), e = r.OneIn(8) ? s : RandomPoint(r);
      c.Arc(a.X, a.Y, b.X, b.Y, s.X, s.Y, e.X, e.Y);
      break;
    }
    case 6:
      c.FillRect({a.X, a.Y, b.X, b.Y});
      break;
    default:
      c.StretchDraw({a.X, a.Y, b.X, b.Y}, stamp);
      break;
  }
}

TEST(CanvasBulk, RandomPrimitivesChecksum) {
  TBitmap stamp(7, 5);
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 7; ++x)
      stamp.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x * 36), static_cast<std::uint8_t>(y * 50), 128));
  }
  TBitmap b(kWidth, kHeight);
  TCanvas& c = b.Canvas();
  Random r(20240611);
  // Big fills soon cover what came before, so the image is fingerprinted every 25 primitives and
  // the fingerprints are chained.
  std::uint64_t checksum = 0;
  for (int n = 1; n <= 4000; ++n) {
    RandomPen(r, c.Pen(), false);
    if (r.OneIn(2)) {
      c.Brush().SetStyle(bsClear);
    } else {
      c.Brush().SetColor(RandomColor(r));
    }
    RandomPrimitive(r, c, stamp, false);
    if (n % 25 == 0) checksum = checksum * 31 + test::Checksum(b);
  }
  if (checksum != kExpectedChecksum) {
    const std::filesystem::path dir = NOX_TEST_OUTPUT_DIR;
    std::filesystem::create_directories(dir);
    b.SaveToPngFile((dir / "canvas_bulk.png").string());
  }
  EXPECT_EQ(checksum, kExpectedChecksum) << "image written to " << NOX_TEST_OUTPUT_DIR << "/canvas_bulk.png";
}

// Every outline drawn twice in XOR mode, with random pens and figures: the image must come back
// unchanged, which fails if two identical calls flip different pixels or if anything but the XOR
// outline touches the image.
TEST(CanvasBulk, RandomXorFiguresDrawnTwiceRestoreTheImage) {
  TBitmap stamp(1, 1);
  TBitmap b(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x)
      b.SetPixel(x, y, RGB(static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y * 2), 200));
  }
  TBitmap before(kWidth, kHeight);
  before.Assign(b);
  TCanvas& c = b.Canvas();
  c.Brush().SetStyle(bsClear);
  Random r(77);
  for (int n = 0; n < 1500; ++n) {
    RandomPen(r, c.Pen(), true);
    const std::uint64_t seed = r.Next();
    for (int twice = 0; twice < 2; ++twice) {
      Random same(seed);
      RandomPrimitive(same, c, stamp, true);
    }
    ASSERT_TRUE(test::SameImage(before, b)) << "figure " << n;
  }
}

}  // namespace
}  // namespace nox
