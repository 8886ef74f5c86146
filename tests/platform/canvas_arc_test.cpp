// Arc on real pixels: the ellipse's own outline cut by two rays, counter-clockwise on screen.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "support/pixel_helpers.h"

namespace nox {
namespace {

using test::CountColor;
using test::SameImage;

// The ray point of angle a (radians, counter-clockwise from the right) at a distance from (cx, cy).
TPoint RayPoint(int cx, int cy, double a, double distance) {
  return {cx + static_cast<int>(std::lround(std::cos(a) * distance)),
          cy - static_cast<int>(std::lround(std::sin(a) * distance))};
}

TEST(CanvasArc, EqualRaysGiveTheWholeOutline) {
  TBitmap arc(40, 40), ellipse(40, 40);
  arc.Canvas().Arc(4, 6, 36, 30, 30, 10, 30, 10);
  ellipse.Canvas().Brush().SetStyle(bsClear);
  ellipse.Canvas().Ellipse(4, 6, 36, 30);
  EXPECT_TRUE(SameImage(ellipse, arc));
  // Rays of the same direction but different lengths are equal rays too (the centre is
  // (19.5, 17.5)).
  arc.Fill(clWhite);
  arc.Canvas().Arc(4, 6, 36, 30, 25, 15, 36, 10);
  EXPECT_TRUE(SameImage(ellipse, arc));
}

TEST(CanvasArc, RunsCounterClockwiseOnScreen) {
  // Box 0..40 in both directions: centre (20, 20).
  TBitmap b(42, 42);
  // From the right (angle 0) to the top (90 degrees): the upper right quarter only.
  b.Canvas().Arc(0, 0, 41, 41, 40, 20, 20, 0);
  for (const auto& [x, y] : test::PixelsOf(b, clBlack)) {
    EXPECT_GE(x, 20);
    EXPECT_LE(y, 20);
  }
  EXPECT_EQ(b.Pixel(20, 0), clBlack);
  EXPECT_EQ(b.Pixel(40, 20), clBlack);
  // The other way round: the remaining three quarters.
  TBitmap rest(42, 42);
  rest.Canvas().Arc(0, 0, 41, 41, 20, 0, 40, 20);
  EXPECT_EQ(rest.Pixel(0, 20), clBlack);
  EXPECT_EQ(rest.Pixel(20, 40), clBlack);
  for (const auto& [x, y] : test::PixelsOf(rest, clBlack)) EXPECT_FALSE(x > 20 && y < 20) << x << "," << y;
}

TEST(CanvasArc, ComplementaryArcsShareOnlyTheirRayPixels) {
  const int x1 = 3, y1 = 5, x2 = 57, y2 = 41;
  for (int k = 0; k < 24; ++k) {
    const double a = k * 0.37, b = a + 1.0 + k * 0.11;
    const int cx = (x1 + x2) / 2, cy = (y1 + y2) / 2;
    const TPoint p = RayPoint(cx, cy, a, 1000), q = RayPoint(cx, cy, b, 1000);
    TBitmap one(60, 46), other(60, 46), whole(60, 46);
    one.Canvas().Arc(x1, y1, x2, y2, p.X, p.Y, q.X, q.Y);
    other.Canvas().Arc(x1, y1, x2, y2, q.X, q.Y, p.X, p.Y);
    whole.Canvas().Brush().SetStyle(bsClear);
    whole.Canvas().Ellipse(x1, y1, x2, y2);
    int both = 0;
    for (int y = 0; y < 46; ++y) {
      for (int x = 0; x < 60; ++x) {
        const bool inOne = one.Pixel(x, y) == clBlack, inOther = other.Pixel(x, y) == clBlack;
        ASSERT_EQ(inOne || inOther, whole.Pixel(x, y) == clBlack) << k << ": " << x << "," << y;
        both += inOne && inOther ? 1 : 0;
      }
    }
    EXPECT_LE(both, 2) << k;  // at most the pixels lying exactly on a ray
  }
}

TEST(CanvasArc, FarAwayRayPointsAreExact) {
  // The chart passes ray points like centre + 10^8 (cos a, -sin a); the same directions given by
  // near points must give the same pixels. Box 5..45: centre (25, 25).
  TBitmap farRays(50, 50), nearRays(50, 50);
  farRays.Canvas().Arc(5, 5, 46, 46, 25 + 100000000, 25 - 100000000, 25 - 100000000, 25);
  nearRays.Canvas().Arc(5, 5, 46, 46, 26, 24, 24, 25);
  EXPECT_TRUE(SameImage(nearRays, farRays));
  EXPECT_GT(CountColor(farRays, clBlack), 20);
  // Each outline pixel is in or out by its angle against the rays' own angles; pixels within a
  // hair of a ray are left out of the check.
  TBitmap whole(50, 50);
  whole.Canvas().Brush().SetStyle(bsClear);
  whole.Canvas().Ellipse(5, 5, 46, 46);
  const double twoPi = 2 * std::acos(-1.0);
  const auto angle = [&](long double dx, long double dy) {
    const double t = static_cast<double>(std::atan2(-dy, dx));
    return t < 0 ? t + twoPi : t;
  };
  for (int k = 0; k < 16; ++k) {
    const double a = -3.0 + k * 0.41, b = a + 0.3 + k * 0.33;
    const TPoint p = RayPoint(25, 25, a, 1e8), q = RayPoint(25, 25, b, 1e8);
    farRays.Fill(clWhite);
    farRays.Canvas().Arc(5, 5, 46, 46, p.X, p.Y, q.X, q.Y);
    const double start = angle(p.X - 25.0L, p.Y - 25.0L), end = angle(q.X - 25.0L, q.Y - 25.0L);
    const double span = std::fmod(end - start + twoPi, twoPi);
    for (const auto& [x, y] : test::PixelsOf(whole, clBlack)) {
      const double t = angle(x - 25.0L, y - 25.0L);
      const double from = std::fmod(t - start + twoPi, twoPi);
      if (std::fabs(from) < 1e-12 || std::fabs(from - span) < 1e-12 || std::fabs(from - twoPi) < 1e-12)
        continue;
      EXPECT_EQ(farRays.Pixel(x, y) == clBlack, from <= span) << k << ": " << x << "," << y;
    }
  }
}

TEST(CanvasArc, ExtremeBoxesAndRays) {
  TBitmap b(30, 30);
  TCanvas& c = b.Canvas();
  c.Arc(-INT_MAX, 3, INT_MAX, INT_MAX, INT_MAX, INT_MIN, INT_MIN, INT_MIN);  // the top half's flat top
  EXPECT_EQ(CountColor(b, clBlack), 30);
  b.Fill(clWhite);
  c.Arc(INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0, 0, 0, 0);  // a centre ray: whole ellipse, far away
  EXPECT_EQ(CountColor(b, clBlack), 0);
  c.Pen().SetWidth(5);
  c.Arc(-20, -20, 20, 20, 0, 100, 100, 0);  // the wide lower right quarter reaches into the bitmap
  EXPECT_GT(CountColor(b, clBlack), 0);
}

TEST(CanvasArc, XorFlipsEveryPixelOnceAndTwiceRestores) {
  for (const int width : {1, 3}) {
    for (const TPenStyle style : {psSolid, psDashDot}) {
      const auto pen = [&](TPen& p) {
        p.SetStyle(style);
        p.SetWidth(width);
      };
      EXPECT_TRUE(test::XorRoundTrip(40, 40, pen, [](TCanvas& c) { c.Arc(2, 4, 38, 36, 40, 0, 0, 39); }))
          << width << " " << style;
      EXPECT_TRUE(test::XorRoundTrip(40, 40, pen, [](TCanvas& c) { c.Arc(2, 4, 38, 36, 0, 39, 40, 0); }))
          << width << " " << style;
    }
  }
}

}  // namespace
}  // namespace nox
