#pragma once
// The 52 pixel shapes of the mark symbols (types 0..51), drawn around a centre that may lie anywhere
// in 64 bits; base/draw_mark.h states what each looks like and how it treats the brush.

#include <cstdint>

namespace nox {
class TCanvas;
}

namespace nox::detail {

constexpr int kShapeMarkCount = 52;

// markType < kShapeMarkCount. Moves the pen position; the caller puts it back.
void DrawShapeMark(TCanvas& canvas, int markType, std::int64_t x, std::int64_t y);

}  // namespace nox::detail
