#pragma once
// The stored form of a stand-alone TScale: its published properties as JSON (base/stored_form.h).
//
// Written in this order, every property always (TScale declares no defaults): Name, Left, Top, Width,
// Height; Caption, CaptionPosX, CaptionPosY, CaptionAlignment, CaptionAnchor, ColorBackGnd,
// ColorScale, ColorScheme, DateFormat {...}, Font {...}, FrameStyle, LabelType, Logarithmic,
// DecPlaces, MarginTop, MarginBottom, MarginLeft, MarginRight, MinTicks, MouseAction, RangeLow,
// RangeHigh, ShortTicks, ShowBaseLine, ScaleInscript, ScaleType, Transparent, UserTickText; ShowHint,
// Visible; then the standard control properties, each left out at its default (Align, Anchors,
// Constraints, ParentFont, ParentShowHint, DragCursor, DragKind, DragMode; see
// base/stored_form_tables.h). LabelType and Logarithmic come before the margins and the range, so
// that a stored logarithmic switch is taken while the range is still being read; DecPlaces comes
// after LabelType, because ftTime sets DecPlaces to 4 and a stored DecPlaces must win. NumTicks
// (read only) is not stored.

#include <string>
#include <string_view>

#include "base/stored_form.h"
#include "scale/Nox_Scale.h"

namespace nox {

TIdentifiers IdentifiersOf(TScaleUnitAnchor);

const TStoredTable& ScaleStoredTable();

// The scale's stored form (WriteStoredForm's layout).
std::string WriteScaleForm(const TScale& scale);
// Writes it to a file, replacing any old one in one step (platform/file_replace.h): EFileError on
// failure, and the old file stays as it was.
void SaveScaleFormToFile(const TScale& scale, const std::string& path);

// Reads a stored form into scale: the properties in the order of the text, with the scale
// initialising (so a stored Logarithmic True is taken before its range), then Loaded.
// A text that cannot be read is refused with EStoredFormError ("line L, column C: Path: reason") and
// the scale is left as it was; that includes a size the scale's images cannot take (Width or
// Height above kMaxBitmapSide, or an area too large), which is found by a trial read into a
// stand-in scale before the scale itself is touched.
void ReadScaleForm(TScale& scale, std::string_view json);

}  // namespace nox
