#pragma once
// Cursors in Qt's terms: the platform cursors as Qt shapes, cursor images as QCursor objects.

#include <QCursor>

#include "platform/cursors.h"
#include "platform/ui_types.h"

namespace nox::detail {

// Largest cursor image accepted, per side.
constexpr int kMaxCursorSide = 256;

// Qt's shape for a platform cursor (zero and below): crDefault and crArrow the arrow, crCross the
// cross, crNone the blank cursor and so on; the arrow for a value that names no platform cursor.
Qt::CursorShape PlatformCursorShape(TCursor cursor);

// A cursor from a cursor image (0xAARRGGBB pixels, top row first, hot spot). A hot spot outside
// the image is moved to its nearest pixel. Throws EInvalidGraphic when the image is empty, larger
// than kMaxCursorSide, or has not Width x Height pixels. Needs a running QGuiApplication.
QCursor CursorFromImage(const TCursorImage& image);

}  // namespace nox::detail
