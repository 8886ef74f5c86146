#include "base/Nox_noxcolors.h"

#include <array>

#include "base/rounding.h"

namespace nox {

namespace {
constexpr std::array<TColor, kLayerCount> kLayerColors = {
    clBlack,  clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clGray,
    clSilver, clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite,
};
}  // namespace

TColor DefaultLayerColor(int layer) {
  if (layer < 1 || layer > kLayerCount) return clBlack;
  return kLayerColors[static_cast<std::size_t>(layer - 1)];
}

int GreyValue(int r, int g, int b) {
  // Extended precision, left to right, so ties fall the same way for every caller.
  return RoundToInt(0.3L * r + 0.59L * g + 0.11L * b);
}

int GreyValue(TColor color) { return GreyValue(GetRValue(color), GetGValue(color), GetBValue(color)); }

TColor ContrastColor(TColor color) { return GreyValue(color) >= 140 ? clBlack : clWhite; }

}  // namespace nox
