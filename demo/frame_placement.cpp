#include "demo/frame_placement.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <utility>

namespace nox {

TFramePlacement::TFramePlacement(QWidget& window, TOuterRule rule)
    : QObject(&window), m_window(window), m_rule(std::move(rule)) {
  window.installEventFilter(this);
}

bool TFramePlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &m_window || m_settled) return QObject::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Expose:
      PlaceIfFrameChanged();
      break;
    case QEvent::WindowActivate:
      PlaceIfFrameChanged();
      m_settled = true;
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

void TFramePlacement::PlaceIfFrameChanged() {
  if (!m_window.isVisible()) return;
  const QWindow* handle = m_window.windowHandle();
  const QMargins frame = handle ? handle->frameMargins() : QMargins();
  if (m_placedWith == frame) return;
  m_placedWith = frame;
  // By the client area: a position given for the frame is taken by some window managers before
  // they have framed the window, that is for the client area.
  m_window.setGeometry(m_rule(frame).marginsRemoved(frame));
}

TFramePlacement::TOuterRule CentredOnScreen(QWidget& window, QSize clientSize) {
  return [&window, clientSize](const QMargins& frame) {
    QRect outer(QPoint(), clientSize.grownBy(frame));
    const QScreen* screen = window.screen();
    if (!screen) return outer;
    const QRect area = screen->availableGeometry();
    outer.moveCenter(area.center());
    outer.moveTopLeft(QPoint(std::max(outer.left(), area.left()), std::max(outer.top(), area.top())));
    return outer;
  };
}

}  // namespace nox
