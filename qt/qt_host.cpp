#include "qt/qt_host.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QString>
#include <cmath>
#include <limits>
#include <string>

#include "platform/object.h"
#include "qt/cursor_conversion.h"

namespace nox {

TQtHost::TQtHost() {
  if (!qobject_cast<QApplication*>(QCoreApplication::instance())) {
    throw Exception("TQtHost needs a QApplication; create it first");
  }
}

TQtHost::~TQtHost() {
  if (m_overrideActive && QGuiApplication::instance()) QGuiApplication::restoreOverrideCursor();
  if (&Host() == this) SetHost(nullptr);
}

void TQtHost::RegisterCursor(int index, const TCursorImage& image) {
  if (index < 1 || index > std::numeric_limits<TCursor>::max()) {
    throw Exception("cursor index " + std::to_string(index) + " is outside 1 .. " +
                    std::to_string(std::numeric_limits<TCursor>::max()));
  }
  m_cursors.insert_or_assign(index, detail::CursorFromImage(image));
  if (m_overrideActive && m_screenCursor == index)
    QGuiApplication::changeOverrideCursor(QtCursor(m_screenCursor));
}

void TQtHost::SetScreenCursor(TCursor cursor) {
  m_screenCursor = cursor;
  if (cursor == crDefault) {
    if (m_overrideActive) QGuiApplication::restoreOverrideCursor();
    m_overrideActive = false;
    return;
  }
  if (m_overrideActive) {
    QGuiApplication::changeOverrideCursor(QtCursor(cursor));
  } else {
    QGuiApplication::setOverrideCursor(QtCursor(cursor));
    m_overrideActive = true;
  }
}

QCursor TQtHost::QtCursor(TCursor cursor) const {
  if (cursor >= 1) {
    const auto found = m_cursors.find(cursor);
    return found != m_cursors.end() ? found->second : QCursor(Qt::ArrowCursor);
  }
  return QCursor(detail::PlatformCursorShape(cursor));
}

void TQtHost::ShowInformation(std::string_view text) {
  QMessageBox box(QMessageBox::Information, QGuiApplication::applicationDisplayName(),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  box.exec();
}

int TQtHost::ScreenPixelsPerInch() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return 96;
  const double dpi = screen->logicalDotsPerInch();
  // A screen that reports nonsense gets the common value rather than a font of absurd size.
  if (!std::isfinite(dpi) || dpi < 1 || dpi > 10000) return 96;
  return static_cast<int>(std::lround(dpi));
}

QCursor QtCursorFor(TCursor cursor) {
  if (const auto* host = dynamic_cast<const TQtHost*>(&Host())) return host->QtCursor(cursor);
  return QCursor(cursor <= 0 ? detail::PlatformCursorShape(cursor) : Qt::ArrowCursor);
}

}  // namespace nox
