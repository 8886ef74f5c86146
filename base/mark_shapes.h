#pragma once
// The 52 pixel shapes of the mark symbols (types 0..51); base/draw_mark.h states what each looks like
// and how it treats the brush.

#include <cstdint>

namespace nox {
class TCanvas;
}

namespace nox::detail {

// markType < kFirstCharacterMark (base/draw_mark.h). Moves the pen position; the caller puts it back.
void DrawShapeMark(TCanvas& canvas, int markType, std::int64_t x, std::int64_t y);

}  // namespace nox::detail
