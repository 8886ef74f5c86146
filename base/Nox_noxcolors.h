#pragma once
// Default colours of the layers' scales, and the grey value and contrast colour that keep text
// readable on a coloured background.

#include "platform/color.h"

namespace nox {

constexpr int kLayerCount = 16;

// Colour of layer n (1..16): black, maroon, green, olive, navy, purple, teal, gray, silver, red, lime,
// yellow, blue, fuchsia, aqua, white. Outside 1..16: black.
TColor DefaultLayerColor(int layer);

// 0.3 R + 0.59 G + 0.11 B in extended precision, rounded (ties to even); components 0..255.
// Components outside that range are weighed as given; the result saturates at the int range.
int GreyValue(int r, int g, int b);
// Grey value of a colour's low three bytes (a system colour's top byte is ignored, not resolved).
int GreyValue(TColor color);
// Black when the grey value is 140 or more, white below.
TColor ContrastColor(TColor color);

}  // namespace nox
