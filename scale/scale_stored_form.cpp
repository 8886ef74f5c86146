#include "scale/scale_stored_form.h"

#include <array>
#include <exception>

#include "base/stored_form_identifiers.h"
#include "base/stored_form_tables.h"
#include "platform/bitmap.h"
#include "platform/file_replace.h"

namespace nox {

namespace {
using namespace std::string_view_literals;

constexpr std::array kScaleUnitAnchor = {"uaSclTopLft"sv, "uaSclCenter"sv, "uaSclBotRgt"sv};
static_assert(kScaleUnitAnchor.size() == kScaleUnitAnchorCount);

TFont& FontOf(TScale& scale) { return scale.Font(); }

// Initialising, then the text: what a reading does to a scale.
void ReadInitialising(TScale& scale, std::string_view json) {
  scale.BeginInitialising();
  ReadStoredForm(scale, json, ScaleStoredTable());
}

}  // namespace

TIdentifiers IdentifiersOf(TScaleUnitAnchor) { return TIdentifiers(kScaleUnitAnchor); }

const TStoredTable& ScaleStoredTable() {
  using C = TScale;
  static const TStoredTable table =
      TStoredTableOf<C>()
          .String("Name", &C::Name, &C::SetName)
          .Integer("Left", &C::Left, &C::SetLeft)
          .Integer("Top", &C::Top, &C::SetTop)
          .Integer("Width", &C::Width, &C::SetWidth)
          .Range(0, kMaxBitmapSide)
          .Integer("Height", &C::Height, &C::SetHeight)
          .Range(0, kMaxBitmapSide)
          .String("Caption", &C::Caption, &C::SetCaption)
          .Integer("CaptionPosX", &C::CaptionPosX, &C::SetCaptionPosX)
          .Integer("CaptionPosY", &C::CaptionPosY, &C::SetCaptionPosY)
          .Enum("CaptionAlignment", &C::CaptionAlignment, &C::SetCaptionAlignment)
          .Enum("CaptionAnchor", &C::CaptionAnchor, &C::SetCaptionAnchor)
          .Color("ColorBackGnd", &C::ColorBackGnd, &C::SetColorBackGnd)
          .Color("ColorScale", &C::ColorScale, &C::SetColorScale)
          .Enum("ColorScheme", &C::ColorScheme, &C::SetColorScheme)
          .Object("DateFormat", &C::DateFormat, DTLabelStoredTable())
          .Object("Font", FontOf, FontStoredTable())
          .Enum("FrameStyle", &C::FrameStyle, &C::SetFrameStyle)
          .Enum("LabelType", &C::LabelType, &C::SetLabelType)
          .Boolean("Logarithmic", &C::Logarithmic, &C::SetLogarithmic)
          .Integer("DecPlaces", &C::DecPlaces, &C::SetDecPlaces)
          .Integer("MarginTop", &C::MarginTop, &C::SetMarginTop)
          .Integer("MarginBottom", &C::MarginBottom, &C::SetMarginBottom)
          .Integer("MarginLeft", &C::MarginLeft, &C::SetMarginLeft)
          .Integer("MarginRight", &C::MarginRight, &C::SetMarginRight)
          .Integer("MinTicks", &C::MinTicks, &C::SetMinTicks)
          .Enum("MouseAction", &C::MouseAction, &C::SetMouseAction)
          .Double("RangeLow", &C::RangeLow, &C::SetRangeLow)
          .Double("RangeHigh", &C::RangeHigh, &C::SetRangeHigh)
          .Boolean("ShortTicks", &C::ShortTicks, &C::SetShortTicks)
          .Boolean("ShowBaseLine", &C::ShowBaseLine, &C::SetShowBaseLine)
          .String("ScaleInscript", &C::ScaleInscript, &C::SetScaleInscript)
          .Enum("ScaleType", &C::ScaleType, &C::SetScaleType)
          .Boolean("Transparent", &C::Transparent, &C::SetTransparent)
          .String("UserTickText", &C::UserTickText, &C::SetUserTickText)
          .Boolean("ShowHint", &C::ShowHint, &C::SetShowHint)
          .Boolean("Visible", &C::Visible, &C::SetVisible)
          .Include(ControlStoredTable());
  return table;
}

std::string WriteScaleForm(const TScale& scale) { return WriteStoredForm(scale, ScaleStoredTable()); }

void SaveScaleFormToFile(const TScale& scale, const std::string& path) {
  ReplaceFile(path, "stored form", WriteScaleForm(scale));
}

void ReadScaleForm(TScale& scale, std::string_view json) {
  // A text that does not fit the table is refused before anything is built.
  CheckStoredForm(json, ScaleStoredTable());
  // A setter may still refuse a value (a size the images cannot take). The trial read into a stand-in
  // holding the scale's stored state finds that, and its error is the one the scale would raise.
  {
    TScale trial(nullptr);
    bool prepared = true;
    try {
      ReadStoredForm(trial, WriteScaleForm(scale), ScaleStoredTable());
    } catch (const std::exception&) {
      prepared = false;  // the scale's own state does not read back; the reading itself decides
    }
    if (prepared) ReadInitialising(trial, json);
  }
  ReadInitialising(scale, json);
}

}  // namespace nox
