#include "qt/cursor_conversion.h"

#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cstddef>
#include <string>

#include "platform/object.h"

namespace nox::detail {

Qt::CursorShape PlatformCursorShape(TCursor cursor) {
  switch (cursor) {
    case crNone:
      return Qt::BlankCursor;
    case crCross:
      return Qt::CrossCursor;
    case crIBeam:
      return Qt::IBeamCursor;
    case crSizeNESW:
      return Qt::SizeBDiagCursor;
    case crSizeNS:
      return Qt::SizeVerCursor;
    case crSizeNWSE:
      return Qt::SizeFDiagCursor;
    case crSizeWE:
      return Qt::SizeHorCursor;
    case crUpArrow:
      return Qt::UpArrowCursor;
    case crHourGlass:
      return Qt::WaitCursor;
    case crNo:
      return Qt::ForbiddenCursor;
    case crHandPoint:
      return Qt::PointingHandCursor;
    case crSizeAll:
      return Qt::SizeAllCursor;
    default:  // crDefault, crArrow and values without a cursor of their own
      return Qt::ArrowCursor;
  }
}

QCursor CursorFromImage(const TCursorImage& image) {
  if (image.Width <= 0 || image.Height <= 0 || image.Width > kMaxCursorSide ||
      image.Height > kMaxCursorSide) {
    throw EInvalidGraphic("cursor image of " + std::to_string(image.Width) + " x " +
                          std::to_string(image.Height) + " pixels: each side must be 1 to " +
                          std::to_string(kMaxCursorSide));
  }
  const std::size_t expected = static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height);
  if (image.Pixels.size() != expected) {
    throw EInvalidGraphic("cursor image of " + std::to_string(image.Width) + " x " +
                          std::to_string(image.Height) + " pixels holds " +
                          std::to_string(image.Pixels.size()) + " pixels");
  }
  // Format_ARGB32 is 0xAARRGGBB per pixel, the layout of the cursor image; copy() detaches it from
  // the caller's vector.
  const QImage wrapped(reinterpret_cast<const uchar*>(image.Pixels.data()), image.Width, image.Height,
                       static_cast<qsizetype>(image.Width) * 4, QImage::Format_ARGB32);
  const int hotX = std::clamp(image.HotX, 0, image.Width - 1);
  const int hotY = std::clamp(image.HotY, 0, image.Height - 1);
  return QCursor(QPixmap::fromImage(wrapped.copy()), hotX, hotY);
}

}  // namespace nox::detail
