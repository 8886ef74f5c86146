#pragma once
// Fonts and colours of the demo's forms in Qt terms.

#include <QColor>
#include <QFont>

#include "platform/color.h"

namespace nox {

// A font of the given family with an em height of pixels (a form font of Height -pixels). Families
// the system does not have (the classic "MS Sans Serif" and "System") fall back to Liberation Sans,
// the face the library draws such fonts with.
QFont FormFont(const char* family, int pixels, bool bold = false);

// The colour a TColor stands for (system colours resolved).
QColor QtColor(TColor color);

}  // namespace nox
