#pragma once
// The 52 pixel shapes of the mark symbols (types 0..51); base/draw_mark.h states what each looks like
// and how it treats the brush.

#include <array>
#include <cstdint>

namespace nox {
class TCanvas;
}

namespace nox::detail {

// The mark types a screen canvas draws as single pixels in the pen colour (0..6 and 18): their 7 x 7
// pattern, one byte per row from y - 3 down to y + 3, bit k at x + 3 - k. Other types give false.
using TMarkPattern = std::array<std::uint8_t, 7>;
bool MarkPixelPattern(int markType, TMarkPattern& rows);

// markType < kFirstCharacterMark (base/draw_mark.h). Moves the pen position; the caller puts it back.
void DrawShapeMark(TCanvas& canvas, int markType, std::int64_t x, std::int64_t y);

}  // namespace nox::detail
