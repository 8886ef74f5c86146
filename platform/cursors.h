#pragma once
// Cursor images that a program carries as resources, found by name.

#include <cstdint>
#include <string_view>
#include <vector>

namespace nox {

struct TCursorImage {
  int Width = 0;
  int Height = 0;
  int HotX = 0;                       // hot spot, pixels from the left
  int HotY = 0;                       // hot spot, pixels from the top
  std::vector<std::uint32_t> Pixels;  // Width x Height, 0xAARRGGBB, top row first; alpha 0 is see-through
};

// The cursor resource of that name: "CURHAND" (an open hand, for panning), "CURZOOMW" (zoom to a
// window), "CURZOOMD" (zoom by dragging), "CURZOOMP" (zoom window keeping orientation).
// Returns nullptr for an unknown name.
const TCursorImage* FindCursorResource(std::string_view name);

}  // namespace nox
