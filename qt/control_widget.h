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
// colour. The control's pixels are never resampled on high-DPI screens; see qt/pixel_scale.h for
// how control pixels relate to logical and device pixels.
//
// Geometry: resizing or moving the widget gives the control its bounds in control pixels
// (SetBounds, then Invalidate when the size changed); the control's size is limited to what a
// bitmap may hold (kMaxBitmapSide per side, kMaxBitmapBytes in all).
//
// Input, all in control pixels:
// - press, move, release: DispatchMouseDown/Move/Up with the button (left, right, middle; other
//   buttons are ignored) and the shift state (Shift, Ctrl, Alt; the buttons held after the event).
//   Moves without a button arrive too (mouse tracking). While a button is held the widget keeps the
//   mouse, so moves and the release outside the widget still arrive, with coordinates outside.
// - double click: Qt sends press, release, double click, release; the double click becomes
//   DispatchDblClick (left button only) followed by DispatchMouseDown with ssDouble.
// - enter and leave: DispatchMouseEnter / DispatchMouseLeave.
// - wheel: DispatchMouseWheel with 120 per notch (finer steps of smooth wheels as they come) and
//   the pointer in control coordinates; the turn goes on to the parent widget if no handler took it.
// - keys: DispatchKeyDown / DispatchKeyUp with the virtual key code (see detail::VirtualKeyOf;
//   auto-repeat sends KeyDown again, KeyUp only once), then DispatchKeyPress with the typed
//   character. Tab and the arrow keys reach the control only if its DialogCode asks for them
//   (dlgcWantTab, dlgcWantArrows); otherwise they move the focus as in a dialog: Tab and Shift+Tab
//   through the focus chain, Right and Down to the next widget, Left and Up to the previous one.
// Focus comes by clicking. The widget shows the control's own Cursor (for cursors from the
// application's table it needs the TQtHost to be the current host).
// An exception that escapes the control from an event is stopped here and reported with
// qWarning: Qt cannot carry exceptions through its event loop.

#include <QImage>
#include <QRegion>
#include <QWidget>
#include <memory>

#include "platform/control.h"
#include "qt/pixel_scale.h"

namespace nox {

namespace detail {
class TWidgetSite;
}

class TControlWidget : public QWidget {
  Q_OBJECT

 public:
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

 private:
  friend class detail::TWidgetSite;

  // site notifications
  void AreaChanged(const TRect& area);
  void ControlGone();

  // Gives the control the widget's bounds in control pixels (when they or the scale changed).
  void ApplyBounds();
  // Rewraps the screen image when its buffer or size changed.
  void WrapScreenImage();
  // Shows the control's cursor when it changed.
  void SyncCursor();
  bool WantsKey(int qtKey) const;
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
};

}  // namespace nox
