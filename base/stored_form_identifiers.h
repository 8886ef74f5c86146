#pragma once
// The identifiers of enumeration values in stored forms, in ordinal order ("maPan", "tlsimple"):
// those of the library's shared enumerations and of the platform's enumerations that controls
// publish. Table builders find them by IdentifiersOf(value); a layer that declares an enumeration of
// its own declares its IdentifiersOf beside it.

#include "base/Nox_noxbase.h"
#include "base/stored_form.h"
#include "platform/brush.h"
#include "platform/font.h"
#include "platform/pen.h"
#include "platform/ui_types.h"

namespace nox {

TIdentifiers IdentifiersOf(TBkgFill);
TIdentifiers IdentifiersOf(TColorScheme);
TIdentifiers IdentifiersOf(TFigType);
TIdentifiers IdentifiersOf(TScaleType);
TIdentifiers IdentifiersOf(TVerticalAlignment);
TIdentifiers IdentifiersOf(TYearLength);
TIdentifiers IdentifiersOf(TDateOrder);
TIdentifiers IdentifiersOf(TDateForTime);
TIdentifiers IdentifiersOf(TShadowStyle);
TIdentifiers IdentifiersOf(TFrameStyle);
TIdentifiers IdentifiersOf(TTimeFormat);
TIdentifiers IdentifiersOf(TCrossHMode);
TIdentifiers IdentifiersOf(TTxtLblAttachMode);
TIdentifiers IdentifiersOf(TTxtLblMode);
TIdentifiers IdentifiersOf(TMouseActMode);

// platform
TIdentifiers IdentifiersOf(TAlignment);
TIdentifiers IdentifiersOf(TPenStyle);
TIdentifiers IdentifiersOf(TBrushStyle);
TIdentifiers IdentifiersOf(TFontStyle);
TIdentifiers IdentifiersOf(TShiftStateFlag);
TIdentifiers IdentifiersOf(TAlign);
TIdentifiers IdentifiersOf(TAnchorKind);
TIdentifiers IdentifiersOf(TDragKind);
TIdentifiers IdentifiersOf(TDragMode);

}  // namespace nox
