#include "demo/form_fonts.h"

#include <QStringList>

namespace nox {

QFont FormFont(const char* family, int pixels, bool bold) {
  QFont font;
  font.setFamilies({QString::fromLatin1(family), QStringLiteral("Liberation Sans")});
  font.setPixelSize(pixels);
  font.setBold(bold);
  return font;
}

QColor QtColor(TColor color) {
  const TColor rgb = ColorToRGB(color);
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

}  // namespace nox
