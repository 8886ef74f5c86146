#include "base/stored_form_identifiers.h"

#include <array>
#include <string_view>

namespace nox {

namespace {
using namespace std::string_view_literals;

// Each list is checked against its enumeration's count, so that a value added to an enumeration
// cannot silently lack its identifier.
template <std::size_t N>
constexpr TIdentifiers Span(const std::array<std::string_view, N>& list) {
  return TIdentifiers(list.data(), list.size());
}

constexpr std::array kBkgFill = {"bfSimple"sv, "bfStretch"sv, "bfTile"sv};
constexpr std::array kColorScheme = {"csBWG"sv, "csSystem"sv};
constexpr std::array kFigType = {"ftNoFigs"sv, "ftNum"sv, "ftTime"sv, "ftDateTime"sv, "ftUserText"sv};
constexpr std::array kScaleType = {"sctXB"sv, "sctXT"sv, "sctYL"sv, "sctYR"sv};
constexpr std::array kVerticalAlignment = {"vaTop"sv, "vaCenter"sv, "vaBottom"sv};
constexpr std::array kYearLength = {"ylNone"sv, "ylYY"sv, "ylYYYY"sv};
constexpr std::array kDateOrder = {"doMMDDYY"sv, "doDDMMYY"sv, "doYYMMDD"sv};
constexpr std::array kDateForTime = {"dtNone"sv, "dtOnePerChart"sv, "dtOnePerDay"sv, "dtAllTicks"sv};
constexpr std::array kShadowStyle = {"ssFlying"sv, "ssBox"sv};
constexpr std::array kFrameStyle = {"fsNone"sv,   "fsSimple"sv,   "fsLowered"sv,
                                    "fsRaised"sv, "fsEmbossed"sv, "fsEngraved"sv};
constexpr std::array kTimeFormat = {"tfHHMMSS"sv, "tfHHhMM"sv, "tfAMPM"sv};
constexpr std::array kCrossHMode = {"chOff"sv,  "chHoriz"sv,    "chVert"sv,
                                    "chBoth"sv, "chCrossBox"sv, "chBox"sv};
constexpr std::array kTxtLblAttachMode = {"tlamNone"sv, "tlamXOnly"sv, "tlamYOnly"sv, "tlamBoth"sv};
constexpr std::array kTxtLblMode = {"tlOff"sv, "tlsimple"sv, "tlBox"sv, "tlUnderline"sv, "tlShadow"sv};
constexpr std::array kMouseActMode = {
    "maNone"sv,       "maPan"sv,        "maPanHoriz"sv,   "maPanVert"sv,      "maPanGrid"sv,
    "maRubberBand"sv, "maZoom"sv,       "maZoomWind"sv,   "maZoomWindPos"sv,  "maZoomDrag"sv,
    "maDragCrossH"sv, "maDragLabel"sv,  "maRotate"sv,     "maRotAndZoom"sv,   "maRotXOnly"sv,
    "maRotZOnly"sv,   "maSelectRect"sv, "maDrawMTrace"sv, "maZoomPanColors"sv};

constexpr std::array kAlignment = {"taLeftJustify"sv, "taRightJustify"sv, "taCenter"sv};
constexpr std::array kPenStyle = {"psSolid"sv,      "psDash"sv,  "psDot"sv,        "psDashDot"sv,
                                  "psDashDotDot"sv, "psClear"sv, "psInsideFrame"sv};
constexpr std::array kBrushStyle = {"bsSolid"sv, "bsClear"sv};
constexpr std::array kFontStyle = {"fsBold"sv, "fsItalic"sv, "fsUnderline"sv, "fsStrikeOut"sv};
constexpr std::array kShiftStateFlag = {"ssShift"sv, "ssAlt"sv,    "ssCtrl"sv,  "ssLeft"sv,
                                        "ssRight"sv, "ssMiddle"sv, "ssDouble"sv};
constexpr std::array kAlign = {"alNone"sv,  "alTop"sv,    "alBottom"sv, "alLeft"sv,
                               "alRight"sv, "alClient"sv, "alCustom"sv};
constexpr std::array kAnchorKind = {"akLeft"sv, "akTop"sv, "akRight"sv, "akBottom"sv};
constexpr std::array kDragKind = {"dkDrag"sv, "dkDock"sv};
constexpr std::array kDragMode = {"dmManual"sv, "dmAutomatic"sv};

static_assert(kBkgFill.size() == kBkgFillCount);
static_assert(kColorScheme.size() == kColorSchemeCount);
static_assert(kFigType.size() == kFigTypeCount);
static_assert(kScaleType.size() == kScaleTypeCount);
static_assert(kVerticalAlignment.size() == kVerticalAlignmentCount);
static_assert(kYearLength.size() == kYearLengthCount);
static_assert(kDateOrder.size() == kDateOrderCount);
static_assert(kDateForTime.size() == kDateForTimeCount);
static_assert(kShadowStyle.size() == kShadowStyleCount);
static_assert(kFrameStyle.size() == kFrameStyleCount);
static_assert(kTimeFormat.size() == kTimeFormatCount);
static_assert(kCrossHMode.size() == kCrossHModeCount);
static_assert(kTxtLblAttachMode.size() == kTxtLblAttachModeCount);
static_assert(kTxtLblMode.size() == kTxtLblModeCount);
static_assert(kMouseActMode.size() == kMouseActModeCount);
static_assert(kAlignment.size() == taCenter + 1);
static_assert(kPenStyle.size() == psInsideFrame + 1);
static_assert(kBrushStyle.size() == bsClear + 1);
static_assert(kFontStyle.size() == fsStrikeOut + 1);
static_assert(kShiftStateFlag.size() == ssDouble + 1);
static_assert(kAlign.size() == kAlignCount);
static_assert(kAnchorKind.size() == kAnchorKindCount);
static_assert(kDragKind.size() == kDragKindCount);
static_assert(kDragMode.size() == kDragModeCount);
}  // namespace

TIdentifiers IdentifiersOf(TBkgFill) { return Span(kBkgFill); }
TIdentifiers IdentifiersOf(TColorScheme) { return Span(kColorScheme); }
TIdentifiers IdentifiersOf(TFigType) { return Span(kFigType); }
TIdentifiers IdentifiersOf(TScaleType) { return Span(kScaleType); }
TIdentifiers IdentifiersOf(TVerticalAlignment) { return Span(kVerticalAlignment); }
TIdentifiers IdentifiersOf(TYearLength) { return Span(kYearLength); }
TIdentifiers IdentifiersOf(TDateOrder) { return Span(kDateOrder); }
TIdentifiers IdentifiersOf(TDateForTime) { return Span(kDateForTime); }
TIdentifiers IdentifiersOf(TShadowStyle) { return Span(kShadowStyle); }
TIdentifiers IdentifiersOf(TFrameStyle) { return Span(kFrameStyle); }
TIdentifiers IdentifiersOf(TTimeFormat) { return Span(kTimeFormat); }
TIdentifiers IdentifiersOf(TCrossHMode) { return Span(kCrossHMode); }
TIdentifiers IdentifiersOf(TTxtLblAttachMode) { return Span(kTxtLblAttachMode); }
TIdentifiers IdentifiersOf(TTxtLblMode) { return Span(kTxtLblMode); }
TIdentifiers IdentifiersOf(TMouseActMode) { return Span(kMouseActMode); }
TIdentifiers IdentifiersOf(TAlignment) { return Span(kAlignment); }
TIdentifiers IdentifiersOf(TPenStyle) { return Span(kPenStyle); }
TIdentifiers IdentifiersOf(TBrushStyle) { return Span(kBrushStyle); }
TIdentifiers IdentifiersOf(TFontStyle) { return Span(kFontStyle); }
TIdentifiers IdentifiersOf(TShiftStateFlag) { return Span(kShiftStateFlag); }
TIdentifiers IdentifiersOf(TAlign) { return Span(kAlign); }
TIdentifiers IdentifiersOf(TAnchorKind) { return Span(kAnchorKind); }
TIdentifiers IdentifiersOf(TDragKind) { return Span(kDragKind); }
TIdentifiers IdentifiersOf(TDragMode) { return Span(kDragMode); }

}  // namespace nox
