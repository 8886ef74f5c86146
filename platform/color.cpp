#include "platform/color.h"

#include <array>

namespace nox {

namespace {
// Classic light theme, indexed like the system colour table.
constexpr std::array<TColor, 25> kSystemColors = {
    RGB(192, 192, 192),  // clScrollBar
    RGB(0, 128, 128),    // clBackground
    RGB(0, 0, 128),      // clActiveCaption
    RGB(128, 128, 128),  // clInactiveCaption
    RGB(192, 192, 192),  // clMenu
    RGB(255, 255, 255),  // clWindow
    RGB(0, 0, 0),        // clWindowFrame
    RGB(0, 0, 0),        // clMenuText
    RGB(0, 0, 0),        // clWindowText
    RGB(255, 255, 255),  // clCaptionText
    RGB(192, 192, 192),  // clActiveBorder
    RGB(192, 192, 192),  // clInactiveBorder
    RGB(128, 128, 128),  // clAppWorkSpace
    RGB(0, 0, 128),      // clHighlight
    RGB(255, 255, 255),  // clHighlightText
    RGB(192, 192, 192),  // clBtnFace
    RGB(128, 128, 128),  // clBtnShadow
    RGB(128, 128, 128),  // clGrayText
    RGB(0, 0, 0),        // clBtnText
    RGB(192, 192, 192),  // clInactiveCaptionText
    RGB(255, 255, 255),  // clBtnHighlight
    RGB(0, 0, 0),        // cl3DDkShadow
    RGB(223, 223, 223),  // cl3DLight
    RGB(0, 0, 0),        // clInfoText
    RGB(255, 255, 225),  // clInfoBk
};
}  // namespace

TColor ColorToRGB(TColor color) {
  if ((color & 0xFF000000u) == clSystemColor) {
    const TColor index = color & 0x00FFFFFFu;
    return index < kSystemColors.size() ? kSystemColors[index] : clBlack;
  }
  return color & 0x00FFFFFFu;
}

}  // namespace nox
