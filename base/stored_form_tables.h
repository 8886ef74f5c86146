#pragma once
// Stored-form tables of the platform's font and of the library's property objects, for the
// controls' own tables to nest (.Object("Font", &C::Font, FontStoredTable())). None of these
// properties has a declared default, so each is always written, in the order listed.

#include "base/stored_form.h"

namespace nox {

// TFont: Color, Height, Name, Style.
const TStoredTable& FontStoredTable();
// TCrossHair: PosX, PosY, Color, Mode, LineType, LineWid, Layer.
const TStoredTable& CrossHairStoredTable();
// TCustomTextLabel and derived labels: PosX, PosY, Layer, ShadowDx, ShadowDy, ColorShadow, Alignment,
// VerticalAlignment, AttachToData, ColorBkg, ColorBorder, Transparent, Font, Caption, Mode, Visible.
const TStoredTable& TextLabelStoredTable();
// TDTLabel: TimeFormat, DateSeparator, TimeSeparator, YearLength, MonthName, DateOrder, DateForTime.
const TStoredTable& DTLabelStoredTable();

}  // namespace nox
