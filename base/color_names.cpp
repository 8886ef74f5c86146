#include "base/color_names.h"

#include <array>
#include <utility>

namespace nox {

namespace {
using namespace std::string_view_literals;

constexpr std::array<std::pair<std::string_view, TColor>, 42> kColorNames = {{
    {"clBlack"sv, clBlack},
    {"clMaroon"sv, clMaroon},
    {"clGreen"sv, clGreen},
    {"clOlive"sv, clOlive},
    {"clNavy"sv, clNavy},
    {"clPurple"sv, clPurple},
    {"clTeal"sv, clTeal},
    {"clGray"sv, clGray},
    {"clSilver"sv, clSilver},
    {"clRed"sv, clRed},
    {"clLime"sv, clLime},
    {"clYellow"sv, clYellow},
    {"clBlue"sv, clBlue},
    {"clFuchsia"sv, clFuchsia},
    {"clAqua"sv, clAqua},
    {"clWhite"sv, clWhite},
    {"clNone"sv, clNone},
    {"clScrollBar"sv, clScrollBar},
    {"clBackground"sv, clBackground},
    {"clActiveCaption"sv, clActiveCaption},
    {"clInactiveCaption"sv, clInactiveCaption},
    {"clMenu"sv, clMenu},
    {"clWindow"sv, clWindow},
    {"clWindowFrame"sv, clWindowFrame},
    {"clMenuText"sv, clMenuText},
    {"clWindowText"sv, clWindowText},
    {"clCaptionText"sv, clCaptionText},
    {"clActiveBorder"sv, clActiveBorder},
    {"clInactiveBorder"sv, clInactiveBorder},
    {"clAppWorkSpace"sv, clAppWorkSpace},
    {"clHighlight"sv, clHighlight},
    {"clHighlightText"sv, clHighlightText},
    {"clBtnFace"sv, clBtnFace},
    {"clBtnShadow"sv, clBtnShadow},
    {"clGrayText"sv, clGrayText},
    {"clBtnText"sv, clBtnText},
    {"clInactiveCaptionText"sv, clInactiveCaptionText},
    {"clBtnHighlight"sv, clBtnHighlight},
    {"cl3DDkShadow"sv, cl3DDkShadow},
    {"cl3DLight"sv, cl3DLight},
    {"clInfoText"sv, clInfoText},
    {"clInfoBk"sv, clInfoBk},
}};
}  // namespace

std::optional<TColor> ColorFromName(std::string_view name) {
  for (const auto& [text, color] : kColorNames) {
    if (text == name) return color;
  }
  return std::nullopt;
}

}  // namespace nox
