#pragma once
// Stored-form tables of the platform's font and of the library's property objects, for the
// controls' own tables to nest (.Object("Font", &C::Font, FontStoredTable())). None of these
// properties has a declared default, so each is always written, in the order listed, unless said
// otherwise.

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
// TSizeConstraints: MinWidth, MinHeight, MaxWidth, MaxHeight, each left out when 0.
const TStoredTable& SizeConstraintsStoredTable();
// The standard properties every control keeps (platform/control.h), for the controls' tables to
// include (.Include(ControlStoredTable())), each left out at its default: Align (alNone), Anchors
// ([akLeft, akTop]), Constraints {...}, ParentFont (false), ParentShowHint (false), DragCursor
// (crDrag, -12), DragKind (dkDrag), DragMode (dmManual).
const TStoredTableOf<TControl>& ControlStoredTable();

}  // namespace nox
