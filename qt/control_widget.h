#pragma once
// A Qt widget that shows a control and feeds it the user's input.
//
// The widget owns no control: the application owns it and attaches it with SetControl (or the
// constructor). While attached, the widget is the control's site:
// - Attaching sets the control's site to the widget, resizes the widget to the control's size and,
//   if the widget is shown, creates the control's window (HandleNeeded). A control that another
//   TControlWidget shows is taken from it first (that widget is left empty): a control has one
//   site at a time. Detaching (SetControl(nullptr) or another control) clears the site.
// - Destroying the widget detaches it. Destroying the control first tells the widget through the
//   site (TControlSite::ControlDestroyed), which leaves the widget empty. Either order is safe.
// - The application must not set the control's site itself while the widget shows it.
//
// Picture: paintEvent paints the control if a repaint is pending (PaintIfPending) and draws its
// screen image, which a QImage wraps without copying (rewrapped when the image was resized, since
// its buffer moves). A control smaller than the widget leaves the rest in the palette's window
// colour. On high-DPI screens the control draws at the screen's device pixel ratio and its image is
// shown pixel for pixel; see qt/pixel_scale.h for how control pixels relate to device pixels.
//
// Geometry: resizing or moving the widget gives the control its bounds in control pixels
// (SetBounds, then Invalidate when the size changed) and the screen's ratio as its device scale; the
// control's size is limited so that its device image fits a bitmap (kMaxBitmapSide per side,
// kMaxBitmapBytes in all).
//
// Input, all in control pixels:
// - press, move, release: DispatchMouseDown/Move/Up with the button (left, right, middle; other
//   buttons are ignored) and the shift state (Shift, Ctrl, Alt; the buttons held after the event).
//   Moves without a button arrive too (mouse tracking). While a button is held the widget keeps the
//   mouse, so moves and the release outside the widget still arrive, with coordinates outside.
// - double click: Qt sends press, release, double click, release; the double click becomes
//   DispatchDblClick (left button only) followed by DispatchMouseDown with ssDouble.
// - enter and leave: DispatchMouseEnter / DispatchMouseLeave.
// - wheel: DispatchMouseWheel with 120 per notch (finer steps of smooth wheels as they come; a
//   touchpad that reports pixels only gives 120 per kWheelPixelsPerNotch pixels), the pointer in
//   control coordinates and the event's timestamp; the turn goes on to the parent widget if the
//   control did not take it.
// - keys: DispatchKeyDown / DispatchKeyUp with the virtual key code (see detail::VirtualKeyOf;
//   auto-repeat sends KeyDown again, KeyUp only once), then DispatchKeyPress with the typed
//   character, both with the event's timestamp. Tab and the arrow keys reach the control only if its
//   DialogCode asks for them (dlgcWantTab, dlgcWantArrows); otherwise they move the focus as in a
//   dialog: Tab and Shift+Tab through the focus chain, Right and Down to the next widget, Left and
//   Up to the previous one. A Tab the control asked for but left as it was (its key still vkTab
//   after KeyDown) moves the focus on all the same, so that focus never stays trapped.
// - context menu: the control decides at a right-button release (platform/control.h); the menu key
//   asks with (-1, -1). The control's PopupMenu shows as a QMenu at the click (the widget's centre
//   for the key) that closes when chosen from; a chosen item's OnClick runs if the control still
//   carries that menu.
// Focus: a control that asks for keys (a DialogCode other than 0) takes the focus by Tab and by
// clicking, others by clicking only. While it came by the keyboard, a dotted frame just inside the
// widget's edge shows it; a press in the widget takes the frame away (the pointer shows where the
// user is). The widget shows the control's own Cursor (for cursors from the application's table it
// needs the TQtHost to be the current host). The control's AccessibleName and
// AccessibleDescription become the widget's, brought up to date at each paint.
//
// Standard properties of the control (platform/control.h), applied when the control is attached
// and whenever they change:
// - Align: the widget is laid out in its parent widget with the aligned sibling TControlWidgets, in
//   their order as children (qt/control_layout.h), again whenever the parent is resized.
// - Anchors (alNone): when the parent is resized the widget keeps its distance to the anchored
//   sides, measured from where it was last put by anything but this rule (a hidden parent's
//   resizes count once it is shown).
// - Constraints: the widget's least and greatest size (and the control's, through SetBounds).
// - ParentFont: while set, the control gets the widget's font, which Qt inherits from the parent
//   (family, pixel height, bold, italic, underline, strike-out), in the palette's text colour.
// - Drag and drop (qt/control_drag.h): with DragMode dmAutomatic and DragKind dkDrag a left-button
//   drag of at least Qt's start distance drags the control: OnStartDrag, Qt's drag, OnEndDrag with
//   the control that took the drop. Such a left-button gesture does not reach the control's mouse
//   handling, except a press released without that movement, which arrives as press and release
//   at the release. A DragCursor from the application's table shows while the drop would be
//   taken; the platform's own cursors leave Qt's drag cursors. Docking (dkDock) is not hosted.
//   Dragged hosted controls reach OnDragOver (enter, move, leave) and OnDragDrop of the control
//   under the pointer; other drags are refused.
// An exception that escapes the control from an event is stopped here and reported with
// qWarning: Qt cannot carry exceptions through its event loop.

#include <QImage>
#include <QMenu>
#include <QPointer>
#include <QRegion>
#include <QWidget>
#include <exception>
#include <memory>
#include <optional>

#include "platform/control.h"
#include "qt/pixel_scale.h"

namespace nox {

namespace detail {
class TWidgetSite;
}

class TControlWidget : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kWheelPixelsPerNotch = 40;

  explicit TControlWidget(QWidget* parent = nullptr);
  explicit TControlWidget(TControl& control, QWidget* parent = nullptr);
  ~TControlWidget() override;

  // The control shown, or nullptr.
  TControl* Control() const { return m_control; }
  // Detaches the control shown (if any) and attaches this one (nullptr: none).
  void SetControl(TControl* control);

  // The control's size in logical pixels (or QWidget's hint when empty).
  QSize sizeHint() const override;
  // How control pixels map to this widget's device pixels now.
  detail::TPixelScale PixelScale() const { return detail::TPixelScale(devicePixelRatioF()); }
  // Whether the keyboard-focus frame is drawn over the control's picture now.
  bool FocusFrameShown() const { return m_focusFrame; }
  // The control's context menu while it is open, else nullptr.
  QMenu* OpenMenu() const { return m_menu; }

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dragLeaveEvent(QDragLeaveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  // The parent's resizes.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend class detail::TWidgetSite;

  // site notifications
  void AreaChanged(const TRect& area);
  void ControlGone();
  void StandardPropertiesChanged();
  void ShowPopupMenu(TPopupMenu& menu, TPoint at);

  // standard properties
  void ApplyConstraints();
  void ApplyParentFont();
  void WatchParent();
  // Moves the widget as Anchors say, now that the parent has been resized from oldParentSize.
  void FollowAnchors(QSize oldParentSize);
  // Puts the widget where Align says in its parent.
  void LayOut();
  void LayOutSiblings();

  // drag and drop (qt/control_drag.cpp)
  bool DragsItself() const;
  void DragControl();
  // OnDragOver for a drag of a hosted control; false for other drags.
  bool AskDragOver(const QDropEvent& event, TDragState state);

  // Gives the control the widget's bounds in control pixels (when they or the scale changed).
  void ApplyBounds();
  // Rewraps the screen image when its buffer or size changed.
  void WrapScreenImage();
  // Shows the control's cursor when it changed.
  void SyncCursor();
  bool WantsKey(int qtKey) const;
  int DialogCode() const;
  void SyncAccessibleText();
  void ShowFocusFrame(bool shown);
  // Calls into the control, stopping exceptions; false when there is no control (any more).
  template <class F>
  bool Forward(const char* what, F&& call);

  TControl* m_control = nullptr;
  std::unique_ptr<detail::TWidgetSite> m_site;
  detail::TPixelScale m_scale;  // the scale the control's bounds were last given in
  QImage m_image;               // wraps the control's screen image
  const void* m_wrappedBits = nullptr;
  TCursor m_shownCursor = crDefault;
  bool m_painting = false;  // inside the control's Paint, called from paintEvent
  QRegion m_changedWhilePainting;
  bool m_focusFrame = false;  // the focus came by the keyboard
  QPointer<QMenu> m_menu;     // the context menu while it is open

  QPointer<QWidget> m_watchedParent;
  QSize m_parentSize;                 // the parent's size at the last of its resizes seen
  QRect m_anchorRect;                 // the widget's geometry ...
  QSize m_anchorParentSize;           // ... while its parent had this size
  QRect m_anchored;                   // where Anchors last put the widget
  std::optional<QPoint> m_dragPress;  // a left press that may start dragging the control
  TShiftState m_dragPressShift;
  TObject* m_dragSource = nullptr;  // what is being dragged over the widget
  bool m_dropAccepted = false;      // the control's last answer to it
};

template <class F>
inline bool TControlWidget::Forward(const char* what, F&& call) {
  if (!m_control) return false;
  try {
    call(*m_control);
  } catch (const std::exception& e) {
    qWarning("nox: the control failed in %s: %s", what, e.what());
  } catch (...) {
    qWarning("nox: the control failed in %s", what);
  }
  return m_control != nullptr;
}

}  // namespace nox
