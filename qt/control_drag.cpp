// Drag and drop of hosted controls: the drag data, and the TControlWidget members that start a drag
// of its control and answer drags over it (qt/control_widget.h says when).
#include "qt/control_drag.h"

#include <QCursor>
#include <QDrag>
#include <QDropEvent>
#include <QPointer>

#include "qt/control_widget.h"
#include "qt/qt_host.h"

namespace nox {

namespace detail {

TControlDragData::TControlDragData(TObject* source) : m_source(source) { setData(kMimeType, QByteArray()); }

}  // namespace detail

namespace {

const detail::TControlDragData* DragDataOf(const QDropEvent& event) {
  return qobject_cast<const detail::TControlDragData*>(event.mimeData());
}

}  // namespace

bool TControlWidget::DragsItself() const {
  return m_control && m_control->DragMode() == dmAutomatic && m_control->DragKind() == dkDrag;
}

void TControlWidget::DragControl() {
  TObject* source = nullptr;
  if (!Forward("StartDrag", [&](TControl& c) { source = c.DispatchStartDrag(); }) || !source) return;
  const QPointer<TControlWidget> self(this);
  auto* dragged = new detail::TControlDragData(source);
  const QPointer<detail::TControlDragData> watched(dragged);
  auto* drag = new QDrag(this);  // Qt deletes it, and the data with it, after the drag
  drag->setMimeData(dragged);
  const QPixmap cursor = QtCursorFor(m_control->DragCursor()).pixmap();
  if (!cursor.isNull()) drag->setDragCursor(cursor, Qt::MoveAction);
  drag->exec(Qt::MoveAction);
  if (!self) return;
  TControl* target = watched ? watched->Target() : nullptr;
  const TPoint at = target ? watched->DropPoint() : TPoint{};
  Forward("EndDrag", [&](TControl& c) { c.DispatchEndDrag(target, at.X, at.Y); });
}

bool TControlWidget::AskDragOver(const QDropEvent& event, TDragState state) {
  const detail::TControlDragData* dragged = DragDataOf(event);
  if (!dragged) return false;
  const TPoint p = m_scale.ControlPoint(event.position());
  bool accept = false;
  Forward("DragOver", [&](TControl& c) { accept = c.DispatchDragOver(dragged->Source(), p.X, p.Y, state); });
  return accept;
}

void TControlWidget::dragEnterEvent(QDragEnterEvent* event) {
  const detail::TControlDragData* dragged = DragDataOf(*event);
  if (!dragged || !m_control) {
    event->ignore();
    return;
  }
  m_dragSource = dragged->Source();
  m_dropAccepted = AskDragOver(*event, dsDragEnter);
  // Accepted whatever the answer, or Qt sends no moves to ask again; the answer decides the drop.
  event->accept();
  if (!m_dropAccepted) event->setDropAction(Qt::IgnoreAction);
}

void TControlWidget::dragMoveEvent(QDragMoveEvent* event) {
  m_dropAccepted = m_control && AskDragOver(*event, dsDragMove);
  if (m_dropAccepted) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TControlWidget::dragLeaveEvent(QDragLeaveEvent* /*event*/) {
  TObject* source = std::exchange(m_dragSource, nullptr);
  m_dropAccepted = false;
  if (!source) return;
  const TPoint p = m_scale.ControlPoint(QPointF(mapFromGlobal(QCursor::pos())));
  Forward("DragOver", [&](TControl& c) { c.DispatchDragOver(source, p.X, p.Y, dsDragLeave); });
}

void TControlWidget::dropEvent(QDropEvent* event) {
  const detail::TControlDragData* dragged = DragDataOf(*event);
  const bool take = dragged && m_control && m_dropAccepted;
  m_dragSource = nullptr;
  m_dropAccepted = false;
  if (!take) {
    event->ignore();
    return;
  }
  const TPoint p = m_scale.ControlPoint(event->position());
  dragged->TakenBy(*m_control, p);
  Forward("DragDrop", [&](TControl& c) { c.DispatchDragDrop(dragged->Source(), p.X, p.Y); });
  event->acceptProposedAction();
}

}  // namespace nox
