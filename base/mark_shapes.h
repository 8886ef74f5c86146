#pragma once
// The 52 pixel shapes of the mark symbols (types 0..51); base/draw_mark.h states what each looks like
// and how it treats the brush.

#include <cstdint>
#include <limits>

namespace nox {
class TCanvas;
}

namespace nox::detail {

// A point of a symbol limited to the range of int: a symbol centred near the limits is cut off
// instead of wrapped round (it lies far outside any bitmap then).
inline int SaturatedInt(std::int64_t v) {
  constexpr std::int64_t lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  return static_cast<int>(v < lo ? lo : v > hi ? hi : v);
}

// markType < kFirstCharacterMark (base/draw_mark.h). Moves the pen position; the caller puts it back.
void DrawShapeMark(TCanvas& canvas, int markType, std::int64_t x, std::int64_t y);

}  // namespace nox::detail
