#include "qt/control_widget.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <exception>
#include <utility>
#include <vector>

#include "platform/host.h"
#include "platform/popup_menu.h"
#include "qt/control_layout.h"
#include "qt/cursor_conversion.h"
#include "qt/input_mapping.h"
#include "qt/qt_host.h"

namespace nox {

namespace detail {

// The widget's face towards its control.
class TWidgetSite final : public TControlSite {
 public:
  explicit TWidgetSite(TControlWidget& widget) : m_widget(widget) {}
  TControlWidget& Widget() const { return m_widget; }

  void UpdateArea(TControl& /*control*/, const TRect& area) override { m_widget.AreaChanged(area); }
  void ControlDestroyed(TControl& /*control*/) override { m_widget.ControlGone(); }
  void StandardPropertiesChanged(TControl& /*control*/) override { m_widget.StandardPropertiesChanged(); }
  void ShowPopupMenu(TControl& /*control*/, TPopupMenu& menu, TPoint at) override {
    m_widget.ShowPopupMenu(menu, at);
  }

 private:
  TControlWidget& m_widget;
};

}  // namespace detail

namespace {

bool IsArrowKey(int qtKey) {
  return qtKey == Qt::Key_Left || qtKey == Qt::Key_Right || qtKey == Qt::Key_Up || qtKey == Qt::Key_Down;
}

// Hidden by a call, not only because its parent is not shown yet: an aligned widget so hidden
// takes no room.
bool HiddenByProgram(const QWidget& widget) {
  return widget.isHidden() && widget.testAttribute(Qt::WA_WState_ExplicitShowHide);
}

bool IsTabKey(int qtKey) { return qtKey == Qt::Key_Tab || qtKey == Qt::Key_Backtab; }

}  // namespace

TControlWidget::TControlWidget(QWidget* parent)
    : QWidget(parent), m_site(std::make_unique<detail::TWidgetSite>(*this)) {
  setMouseTracking(true);
  setFocusPolicy(Qt::ClickFocus);
  // Every pixel is painted (the image, and the window colour beside a smaller control).
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAcceptDrops(true);
  WatchParent();
}

TControlWidget::TControlWidget(TControl& control, QWidget* parent) : TControlWidget(parent) {
  SetControl(&control);
}

TControlWidget::~TControlWidget() { SetControl(nullptr); }

void TControlWidget::SetControl(TControl* control) {
  if (control == m_control) return;
  if (m_control && m_control->Site() == m_site.get()) m_control->SetSite(nullptr);
  m_control = nullptr;
  m_image = QImage();
  m_wrappedBits = nullptr;
  if (m_menu) m_menu->close();
  if (!control) {
    setFocusPolicy(Qt::ClickFocus);
    unsetCursor();
    m_shownCursor = crDefault;
    ApplyConstraints();
    update();
    return;
  }
  if (auto* other = dynamic_cast<detail::TWidgetSite*>(control->Site())) other->Widget().SetControl(nullptr);
  m_control = control;
  m_control->SetSite(m_site.get());
  setFocusPolicy(DialogCode() != 0 ? Qt::StrongFocus : Qt::ClickFocus);
  m_scale = PixelScale();
  Forward("SetDeviceScale", [&](TControl& c) { c.SetDeviceScale(m_scale.DeviceRatio()); });
  if (!m_control) return;
  ApplyConstraints();
  resize(m_control->Width(), m_control->Height());
  LayOutSiblings();
  ApplyParentFont();
  if (isVisible()) Forward("HandleNeeded", [](TControl& c) { c.HandleNeeded(); });
  m_shownCursor = crDefault;
  unsetCursor();
  SyncCursor();
  if (isVisible()) ApplyBounds();
  update();
}

QSize TControlWidget::sizeHint() const {
  if (!m_control) return QWidget::sizeHint();
  return {m_control->Width(), m_control->Height()};
}

// --- site notifications ---

void TControlWidget::AreaChanged(const TRect& area) {
  if (!m_control) return;
  const QRect changed = QRect(QPoint(area.Left, area.Top), QPoint(area.Right - 1, area.Bottom - 1)) & rect();
  if (changed.isEmpty()) return;
  if (m_painting) {
    m_changedWhilePainting += changed;
  } else {
    update(changed);
  }
}

void TControlWidget::ControlGone() {
  // The control is being destroyed: forget it without calling it again.
  m_control = nullptr;
  m_image = QImage();
  m_wrappedBits = nullptr;
  m_dragPress.reset();
  if (m_menu) m_menu->close();
  unsetCursor();
  m_shownCursor = crDefault;
  update();
}

void TControlWidget::ShowPopupMenu(TPopupMenu& menu, TPoint at) {
  if (m_menu) m_menu->close();
  auto* shown = new QMenu(this);
  shown->setAttribute(Qt::WA_DeleteOnClose);
  for (int i = 0; i < menu.Count(); ++i) {
    const TMenuItem& item = *menu.Item(i);
    if (item.Caption == "-") {
      shown->addSeparator();
      continue;
    }
    QAction* action = shown->addAction(QString::fromStdString(item.Caption));
    action->setEnabled(item.Enabled);
    // Chosen later, from the event loop: the item is looked up again, in case the control has
    // dropped the menu meanwhile.
    connect(action, &QAction::triggered, this, [this, menu = &menu, i, at] {
      TMenuItem* chosen = m_control && m_control->PopupMenuAt(at) == menu ? menu->Item(i) : nullptr;
      if (!chosen || !chosen->OnClick) return;
      try {
        chosen->OnClick(chosen);
      } catch (const std::exception& e) {
        qWarning("nox: a menu item failed: %s", e.what());
      }
    });
  }
  m_menu = shown;
  const QPoint where = at.X == -1 && at.Y == -1 ? rect().center() : QPoint(at.X, at.Y);
  shown->popup(mapToGlobal(where));
}

void TControlWidget::StandardPropertiesChanged() {
  ApplyConstraints();
  ApplyParentFont();
  LayOutSiblings();
}

// --- standard properties ---

void TControlWidget::ApplyConstraints() {
  if (!m_control) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    return;
  }
  const TSizeConstraints& bounds = m_control->Constraints();
  setMinimumSize(bounds.MinWidth(), bounds.MinHeight());
  setMaximumSize(bounds.MaxWidth() > 0 ? bounds.MaxWidth() : QWIDGETSIZE_MAX,
                 bounds.MaxHeight() > 0 ? bounds.MaxHeight() : QWIDGETSIZE_MAX);
}

void TControlWidget::ApplyParentFont() {
  if (!m_control || !m_control->ParentFont()) return;
  const QFont qtFont = font();  // the parent's, as Qt passes it on
  TFont given;
  given.SetName(qtFont.family().toStdString());
  given.SetHeight(-QFontInfo(qtFont).pixelSize());
  TFontStyles style;
  if (qtFont.bold()) style.Include(fsBold);
  if (qtFont.italic()) style.Include(fsItalic);
  if (qtFont.underline()) style.Include(fsUnderline);
  if (qtFont.strikeOut()) style.Include(fsStrikeOut);
  given.SetStyle(style);
  const QColor text = palette().color(QPalette::WindowText);
  given.SetColor(RGB(static_cast<std::uint8_t>(text.red()), static_cast<std::uint8_t>(text.green()),
                     static_cast<std::uint8_t>(text.blue())));
  given.SetPixelsPerInch(m_control->Font().PixelsPerInch());
  Forward("ParentFont", [&](TControl& c) { c.SetFont(given); });
}

void TControlWidget::WatchParent() {
  if (m_watchedParent == parentWidget()) return;
  if (m_watchedParent) m_watchedParent->removeEventFilter(this);
  m_watchedParent = parentWidget();
  if (m_watchedParent) {
    m_watchedParent->installEventFilter(this);
    m_parentSize = m_watchedParent->size();
  }
  m_anchored = QRect();
}

bool TControlWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_watchedParent && event->type() == QEvent::Resize) {
    // A hidden parent's resizes reach it only when it is shown, as one without the old size.
    const QSize old = static_cast<QResizeEvent*>(event)->oldSize();
    FollowAnchors(old.isValid() ? old : m_parentSize);
    LayOut();
    m_parentSize = m_watchedParent->size();
  }
  return QWidget::eventFilter(watched, event);
}

void TControlWidget::FollowAnchors(QSize oldParentSize) {
  if (!m_control || m_control->Align() != alNone || !parentWidget() || isWindow()) return;
  // Put elsewhere since this rule last placed it (or never placed by it): measured from there.
  if (geometry() != m_anchored) {
    m_anchorRect = geometry();
    m_anchorParentSize = oldParentSize;
  }
  m_anchored =
      detail::AnchoredRect(m_anchorRect, m_anchorParentSize, parentWidget()->size(), m_control->Anchors());
  if (m_anchored != geometry()) setGeometry(m_anchored);
}

void TControlWidget::LayOut() {
  QWidget* parent = parentWidget();
  if (!m_control || !parent || isWindow() || HiddenByProgram(*this)) return;
  const TAlign align = m_control->Align();
  if (align == alNone || align == alCustom) return;
  std::vector<detail::TAlignItem> items;
  std::size_t mine = 0;
  for (QObject* child : parent->children()) {
    auto* sibling = qobject_cast<TControlWidget*>(child);
    if (!sibling || !sibling->m_control || HiddenByProgram(*sibling)) continue;
    if (sibling == this) mine = items.size();
    items.push_back({sibling->m_control->Align(), sibling->size()});
  }
  const QRect target = detail::AlignedRects(parent->rect(), items)[mine];
  if (target != geometry()) setGeometry(target);
}

void TControlWidget::LayOutSiblings() {
  if (!parentWidget()) {
    LayOut();
    return;
  }
  for (QObject* child : parentWidget()->children()) {
    if (auto* sibling = qobject_cast<TControlWidget*>(child)) sibling->LayOut();
  }
}

// --- geometry ---

void TControlWidget::ApplyBounds() {
  if (!m_control) return;
  m_scale = PixelScale();
  const TPoint origin = m_scale.ControlPoint(QPointF(pos()));
  const QSize size = m_scale.ControlSize(this->size());
  const bool resized = size.width() != m_control->Width() || size.height() != m_control->Height();
  if (m_control->DeviceScale() != m_scale.DeviceRatio()) {
    // Drawn afresh at the screen's ratio (a new screen, or its ratio changed).
    Forward("SetDeviceScale", [&](TControl& c) { c.SetDeviceScale(m_scale.DeviceRatio()); });
    if (!m_control) return;
  }
  if (!resized && origin.X == m_control->Left() && origin.Y == m_control->Top()) return;
  Forward("SetBounds", [&](TControl& c) {
    c.SetBounds(origin.X, origin.Y, size.width(), size.height());
    if (resized) c.Invalidate();  // a move alone leaves the picture as it is
  });
}

void TControlWidget::resizeEvent(QResizeEvent* /*event*/) { ApplyBounds(); }

void TControlWidget::moveEvent(QMoveEvent* /*event*/) { ApplyBounds(); }

void TControlWidget::showEvent(QShowEvent* /*event*/) {
  Forward("HandleNeeded", [](TControl& c) { c.HandleNeeded(); });
}

// --- painting ---

void TControlWidget::WrapScreenImage() {
  const TBitmap& screen = m_control->ScreenImage();
  const void* bits = screen.Bits();
  if (bits == m_wrappedBits && m_image.width() == screen.Width() && m_image.height() == screen.Height())
    return;
  m_wrappedBits = bits;
  if (screen.Empty() || !bits) {
    m_image = QImage();
    return;
  }
  m_image = QImage(static_cast<const uchar*>(bits), screen.Width(), screen.Height(),
                   static_cast<qsizetype>(screen.Width()) * static_cast<qsizetype>(sizeof(std::uint32_t)),
                   QImage::Format_RGB32);
}

void TControlWidget::paintEvent(QPaintEvent* event) {
  if (m_control) {
    m_painting = true;
    m_changedWhilePainting = QRegion();
    if (PixelScale() != m_scale) ApplyBounds();  // moved to a screen of another ratio
    Forward("Paint", [](TControl& c) { c.PaintIfPending(); });
    m_painting = false;
  }
  QPainter painter(this);
  QSize covered(0, 0);
  if (m_control) {
    WrapScreenImage();
    covered = m_scale.CoveredLogicalSize(m_image.width(), m_image.height());
  }
  // The window colour goes first where the image does not cover whole logical pixels, so that at
  // fractional ratios the image's last device pixels are drawn over it and none is left out.
  for (const QRect& r : (QRegion(rect()) - QRect(QPoint(0, 0), covered)) & event->region()) {
    painter.fillRect(r, palette().window());
  }
  if (!m_image.isNull()) {
    // Drawn through a target rectangle rather than the image's own pixel ratio: setting that
    // would detach the image from the control's buffer. One image pixel per device pixel.
    const double ratio = m_scale.DeviceRatio();
    painter.drawImage(QRectF(0, 0, m_image.width() / ratio, m_image.height() / ratio), m_image);
  }
  if (m_focusFrame) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(1, 1, -2, -2));
  }
  SyncAccessibleText();
  // What the control drew beyond this event's area while painting is shown by the next one.
  const QRegion rest = m_changedWhilePainting - event->region();
  m_changedWhilePainting = QRegion();
  if (!rest.isEmpty()) update(rest);
  SyncCursor();
}

void TControlWidget::SyncAccessibleText() {
  if (!m_control) return;
  QString name;
  QString description;
  Forward("Accessible", [&](TControl& c) {
    name = QString::fromStdString(c.AccessibleName());
    description = QString::fromStdString(c.AccessibleDescription());
  });
  // Qt tells assistive technology of each change.
  if (name != accessibleName()) setAccessibleName(name);
  if (description != accessibleDescription()) setAccessibleDescription(description);
}

void TControlWidget::ShowFocusFrame(bool shown) {
  if (shown == m_focusFrame) return;
  m_focusFrame = shown;
  update();
}

void TControlWidget::focusInEvent(QFocusEvent* event) {
  const Qt::FocusReason reason = event->reason();
  ShowFocusFrame(reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                 reason == Qt::ShortcutFocusReason ||
                 (reason == Qt::ActiveWindowFocusReason && m_focusFrame));
  QWidget::focusInEvent(event);
}

void TControlWidget::focusOutEvent(QFocusEvent* event) {
  // Leaving for another window keeps it for the return.
  if (event->reason() != Qt::ActiveWindowFocusReason) ShowFocusFrame(false);
  QWidget::focusOutEvent(event);
}

void TControlWidget::contextMenuEvent(QContextMenuEvent* event) {
  // The mouse's clicks reach the control as presses and releases; it decides at the release.
  if (event->reason() == QContextMenuEvent::Keyboard) {
    Forward("ContextPopup", [](TControl& c) { c.DispatchContextPopup({-1, -1}); });
  }
  event->accept();
}

void TControlWidget::SyncCursor() {
  if (!m_control || m_control->Cursor() == m_shownCursor) return;
  m_shownCursor = m_control->Cursor();
  if (m_shownCursor == crDefault) {
    unsetCursor();
  } else {
    setCursor(QtCursorFor(m_shownCursor));
  }
}

// --- mouse ---

void TControlWidget::mousePressEvent(QMouseEvent* event) {
  const auto button = detail::MouseButtonOf(event->button());
  if (!button || !m_control) {
    event->ignore();
    return;
  }
  ShowFocusFrame(false);
  const TShiftState shift = detail::ShiftStateOf(event->modifiers(), event->buttons());
  if (*button == mbLeft && DragsItself()) {
    // Held back: a drag of the control, or a press that the release hands on.
    m_dragPress = event->position().toPoint();
    m_dragPressShift = shift;
    return;
  }
  const TPoint p = m_scale.ControlPoint(event->position());
  Forward("MouseDown", [&](TControl& c) { c.DispatchMouseDown(*button, shift, p.X, p.Y); });
  SyncCursor();
}

void TControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  const auto button = detail::MouseButtonOf(event->button());
  if (!button || !m_control) {
    event->ignore();
    return;
  }
  const TShiftState shift =
      detail::ShiftStateOf(event->modifiers(), event->buttons()) | TShiftState{ssDouble};
  const TPoint p = m_scale.ControlPoint(event->position());
  if (*button == mbLeft && !Forward("DblClick", [](TControl& c) { c.DispatchDblClick(); })) return;
  Forward("MouseDown", [&](TControl& c) { c.DispatchMouseDown(*button, shift, p.X, p.Y); });
  SyncCursor();
}

void TControlWidget::mouseMoveEvent(QMouseEvent* event) {
  if (!m_control) {
    event->ignore();
    return;
  }
  if (m_dragPress) {
    if ((event->position().toPoint() - *m_dragPress).manhattanLength() >= QApplication::startDragDistance()) {
      m_dragPress.reset();
      DragControl();
    }
    return;
  }
  const TShiftState shift = detail::ShiftStateOf(event->modifiers(), event->buttons());
  const TPoint p = m_scale.ControlPoint(event->position());
  Forward("MouseMove", [&](TControl& c) { c.DispatchMouseMove(shift, p.X, p.Y); });
  SyncCursor();
}

void TControlWidget::mouseReleaseEvent(QMouseEvent* event) {
  const auto button = detail::MouseButtonOf(event->button());
  if (!button || !m_control) {
    event->ignore();
    return;
  }
  if (*button == mbLeft && m_dragPress) {
    // No drag came of the press: the control gets it now, before its release.
    const TPoint press = m_scale.ControlPoint(QPointF(*std::exchange(m_dragPress, std::nullopt)));
    if (!Forward("MouseDown",
                 [&](TControl& c) { c.DispatchMouseDown(mbLeft, m_dragPressShift, press.X, press.Y); }))
      return;
  }
  const TShiftState shift = detail::ShiftStateOf(event->modifiers(), event->buttons());
  const TPoint p = m_scale.ControlPoint(event->position());
  Forward("MouseUp", [&](TControl& c) { c.DispatchMouseUp(*button, shift, p.X, p.Y); });
  SyncCursor();
}

void TControlWidget::enterEvent(QEnterEvent* /*event*/) {
  Forward("MouseEnter", [](TControl& c) { c.DispatchMouseEnter(); });
  SyncCursor();
}

void TControlWidget::leaveEvent(QEvent* /*event*/) {
  Forward("MouseLeave", [](TControl& c) { c.DispatchMouseLeave(); });
  SyncCursor();
}

void TControlWidget::wheelEvent(QWheelEvent* event) {
  // Some systems turn the wheel with Alt or Shift held into a sideways one.
  const auto along = [](QPoint d) { return d.y() != 0 ? d.y() : d.x(); };
  int delta = along(event->angleDelta());
  if (delta == 0) {
    const long long notchParts =
        static_cast<long long>(along(event->pixelDelta())) * 120 / kWheelPixelsPerNotch;
    delta = static_cast<int>(std::clamp<long long>(notchParts, INT_MIN, INT_MAX));
  }
  bool handled = false;
  if (delta != 0) {
    const TShiftState shift = detail::ShiftStateOf(event->modifiers(), event->buttons());
    const TPoint p = m_scale.ControlPoint(event->position());
    Forward("MouseWheel",
            [&](TControl& c) { handled = c.DispatchMouseWheel(shift, delta, p, event->timestamp()); });
  }
  event->setAccepted(handled);
}

// --- keys ---

int TControlWidget::DialogCode() const {
  if (!m_control) return 0;
  try {
    return m_control->DialogCode();
  } catch (...) {
    return 0;
  }
}

bool TControlWidget::WantsKey(int qtKey) const {
  if (!m_control) return false;
  const int code = DialogCode();
  if (IsTabKey(qtKey)) return (code & dlgcWantTab) != 0;
  if (IsArrowKey(qtKey)) return (code & dlgcWantArrows) != 0;
  return true;
}

bool TControlWidget::event(QEvent* event) {
  switch (event->type()) {
    case QEvent::ParentChange:
      WatchParent();
      ApplyParentFont();
      LayOutSiblings();
      break;
    case QEvent::FontChange:  // also when the parent's font passes on to the widget
    case QEvent::PaletteChange:
      ApplyParentFont();
      break;
    default:
      break;
  }
  // QWidget::event moves the focus on Tab before keyPressEvent sees it; a control that wants Tab
  // gets it instead.
  if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsTabKey(key->key()) && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) &&
        WantsKey(key->key())) {
      keyPressEvent(key);
      return true;
    }
  }
  return QWidget::event(event);
}

void TControlWidget::keyPressEvent(QKeyEvent* event) {
  const int qtKey = event->key();
  if (!m_control) {
    event->ignore();
    return;
  }
  if (!WantsKey(qtKey)) {
    // The dialog way: arrows walk the focus chain; Tab already did in QWidget::event.
    if (IsArrowKey(qtKey)) {
      focusNextPrevChild(qtKey == Qt::Key_Right || qtKey == Qt::Key_Down);
      event->accept();
    } else {
      event->ignore();
    }
    return;
  }
  const TShiftState shift = detail::ShiftStateOf(event->modifiers(), QGuiApplication::mouseButtons());
  std::uint16_t key = detail::VirtualKeyOf(qtKey);
  char typed = detail::TypedCharOf(event->text());
  if (key == 0 && typed == 0) {
    event->ignore();
    return;
  }
  const std::uint64_t time = event->timestamp();
  if (key != 0 && !Forward("KeyDown", [&](TControl& c) { c.DispatchKeyDown(key, shift, time); })) return;
  if (key == vkTab) {
    // Asked for and left alone: the focus moves on rather than stay trapped.
    focusNextPrevChild(qtKey == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
    event->accept();
    return;
  }
  if (typed != 0) Forward("KeyPress", [&](TControl& c) { c.DispatchKeyPress(typed, time); });
  event->accept();
}

void TControlWidget::keyReleaseEvent(QKeyEvent* event) {
  const int qtKey = event->key();
  std::uint16_t key = detail::VirtualKeyOf(qtKey);
  if (!m_control || event->isAutoRepeat() || key == 0 || !WantsKey(qtKey)) {
    event->ignore();
    return;
  }
  const TShiftState shift = detail::ShiftStateOf(event->modifiers(), QGuiApplication::mouseButtons());
  Forward("KeyUp", [&](TControl& c) { c.DispatchKeyUp(key, shift); });
  event->accept();
}

}  // namespace nox
