#pragma once
// Pixel helpers for tests that check what a canvas painted: counting, locating and comparing
// pixels, and ASCII pictures of a region to print when a check fails.

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/color.h"
#include "platform/geometry.h"

namespace nox::test {

// Number of pixels of exactly this colour.
int CountColor(const TBitmap& bitmap, TColor color);
// Number of pixels that are not this colour.
int CountOther(const TBitmap& bitmap, TColor color);
// Smallest rectangle (half-open) holding every pixel that is not the background; empty if none.
TRect Extent(const TBitmap& bitmap, TColor background);
// Coordinates of every pixel of this colour, row by row.
std::vector<std::pair<int, int>> PixelsOf(const TBitmap& bitmap, TColor color);

// A picture of a region, one line per row: '.' for the background colour, '#' for `ink`, and 'o'
// for any other colour.
std::string Ascii(const TBitmap& bitmap, const TRect& region, TColor background, TColor ink);

// Succeeds when both bitmaps have the same size and pixels; otherwise says how many pixels differ,
// where the first one is, and shows both around it.
::testing::AssertionResult SameImage(const TBitmap& expected, const TBitmap& actual);

// Draws a figure in XOR mode on a width x height image of many colours, with the pen that setPen
// gives (mode and colour are then set here; the brush is clear). Succeeds when the first call
// changes exactly the pixels the same figure paints in copy mode, each flipped once, and the
// second call restores the image.
::testing::AssertionResult XorRoundTrip(int width, int height, const std::function<void(TPen&)>& setPen,
                                        const std::function<void(TCanvas&)>& draw);

// FNV-1a over width, height and the pixel values: a short fingerprint of an image.
std::uint64_t Checksum(const TBitmap& bitmap);

}  // namespace nox::test
