#pragma once
// Components and windowed controls.
//
// TComponent: an owner (informational: members own their parts in C++), a name, a tag and the
// component state (loading from a stored form, designing, destroying).
// TControl: bounds, visibility, font, cursor, the standard events, and the control's screen image:
// a bitmap of the control's size that is what the user sees. Paint draws into it through Canvas();
// a host presents it. Code that draws on the screen image outside Paint (rubber figures, live
// traces) calls ScreenChanged so the host shows the change.
//
// Mouse, key and window notifications come in through the Dispatch* calls (from a host widget or a
// test); they call the protected virtual handlers, whose base versions fire the standard events.
// A disabled control ignores mouse, wheel and key input. Wheel and key input carry the host's
// timestamp of the event (milliseconds on a clock of the host's choosing; 0: not known), which the
// handlers read as EventTime.
//
// Context menu: a right click (press and release inside the client area, no other button held at
// the press) that the control's mouse handling did not take as part of a gesture (TakeRightClick),
// or a request from the keyboard, fires OnContextPopup; unless a handler sets Handled, the site
// shows the control's PopupMenu.
//
// Click rule: a left-button release fires MouseUp and then, when the release lies inside the client
// area and the last left press was inside it too, Click. The press that comes with a double click
// (ssDouble in its shift state) does not lead to a Click.
//
// Standard properties that the host acts on: Align and Anchors (how the host lays the control out in
// its parent), Constraints (bounds of the size, which SetBounds applies too, except while a stored
// form is read: Loaded applies them then, as a form may give the size first), ParentFont (the host
// gives the control its parent's font), DragMode, DragKind and DragCursor (how the host drags the
// control). Drag and drop comes in through the Dispatch*Drag* calls: a control takes a dragged
// object only when an OnDragOver handler leaves Accept true (it starts true). ParentShowHint is kept
// for the program and stored forms.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/object.h"
#include "platform/size_constraints.h"
#include "platform/ui_types.h"

namespace nox {

class TPopupMenu;

enum TComponentStateFlag : std::uint8_t { csLoading, csReading, csWriting, csDestroying, csDesigning };
using TComponentState = TSet<TComponentStateFlag>;

using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TKeyEvent = std::function<void(TObject* Sender, std::uint16_t& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char& Key)>;
using TMouseWheelEvent =
    std::function<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
// MousePos: control pixels of the click, or (-1, -1) when the menu was asked for from the keyboard.
using TContextPopupEvent = std::function<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = std::function<void(TObject* Sender, int& NewWidth, int& NewHeight, bool& Resize)>;
// Source: what is dragged (the dragged control, or the object its OnStartDrag named); Target: the
// control that took the drop, nullptr when none did. X, Y in the receiving control's pixels.
using TDragDropEvent = std::function<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TDragOverEvent =
    std::function<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
// DragObject starts as nullptr; a handler may name the object to drag instead of the control (it
// must outlive the drag).
using TStartDragEvent = std::function<void(TObject* Sender, TObject*& DragObject)>;
using TEndDragEvent = std::function<void(TObject* Sender, TObject* Target, int X, int Y)>;

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* owner);
  std::string_view ClassName() const override { return "TComponent"; }

  TComponent* Owner() const { return m_owner; }
  const std::string& Name() const { return m_name; }
  void SetName(const std::string& name) { m_name = name; }
  std::intptr_t Tag() const { return m_tag; }
  void SetTag(std::intptr_t tag) { m_tag = tag; }

  TComponentState ComponentState() const { return m_state; }
  bool IsLoading() const { return m_state.Contains(csLoading); }
  bool IsDesigning() const { return m_state.Contains(csDesigning); }
  // Stored-form readers set csLoading and csReading, apply properties, then call Loaded (which clears
  // both); derived classes call the base Loaded first.
  void BeginLoading() { m_state.Include(csLoading).Include(csReading); }
  void SetDesigning(bool designing);
  virtual void Loaded();

 protected:
  void IncludeState(TComponentStateFlag flag) { m_state.Include(flag); }
  void ExcludeState(TComponentStateFlag flag) { m_state.Exclude(flag); }

 private:
  TComponent* m_owner;
  std::string m_name;
  std::intptr_t m_tag = 0;
  TComponentState m_state;
};

class TControl;

// Whoever shows a control on screen (a host widget). A control without a site keeps its screen
// image and pending-paint flag for whoever looks at it (tests).
class TControlSite {
 public:
  virtual ~TControlSite() = default;
  // The area of the control's screen image that has changed or must be painted; the site presents
  // it soon (calling PaintIfPending first).
  virtual void UpdateArea(TControl& control, const TRect& area) = 0;
  // The control is being destroyed (its derived parts already are): the site must drop every
  // reference to it. A site that goes away first calls SetSite(nullptr) on its control.
  virtual void ControlDestroyed(TControl& /*control*/) {}
  // Align, Anchors, Constraints or ParentFont changed: the site lays the control out again.
  virtual void StandardPropertiesChanged(TControl& /*control*/) {}
  // Shows the control's context menu (its DoPopup has run) at a point in control pixels ((-1, -1):
  // where the site sees fit). The menu must outlive its being shown.
  virtual void ShowPopupMenu(TControl& /*control*/, TPopupMenu& /*menu*/, TPoint /*at*/) {}
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  std::string_view ClassName() const override { return "TControl"; }

  // bounds
  int Left() const { return m_left; }
  int Top() const { return m_top; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  TRect BoundsRect() const { return {m_left, m_top, m_left + m_width, m_top + m_height}; }
  TRect ClientRect() const { return {0, 0, m_width, m_height}; }
  // Moves and sizes the control. Negative sizes count as 0. A new size is first offered to
  // CanResize (OnCanResize may change it or veto it; a veto keeps the old size, the move still
  // happens); when the size then differs, the screen image is resized (new pixels white), the control
  // is invalidated and Resize fires OnResize. A size beyond the bitmap limits raises EInvalidGraphic
  // and leaves the control as it was.
  virtual void SetBounds(int left, int top, int width, int height);
  // Ends loading, then brings the size within Constraints.
  void Loaded() override;
  void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
  void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
  void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
  void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }

  // state
  bool Visible() const { return m_visible; }
  // A change of visibility invalidates the control, so its site shows or hides it.
  virtual void SetVisible(bool visible);
  bool Enabled() const { return m_enabled; }
  void SetEnabled(bool enabled) { m_enabled = enabled; }
  const std::string& Hint() const { return m_hint; }
  void SetHint(const std::string& hint) { m_hint = hint; }
  bool ShowHint() const { return m_showHint; }
  void SetShowHint(bool show) { m_showHint = show; }
  TCursor Cursor() const { return m_cursor; }
  void SetCursor(TCursor cursor) { m_cursor = cursor; }

  // The control's font (Assign copies values in; its change notification calls FontChanged).
  TFont& Font() { return m_font; }
  const TFont& Font() const { return m_font; }
  void SetFont(const TFont& font) { m_font.Assign(font); }

  // standard properties the host acts on (see above); changes of the first four tell the site
  TAlign Align() const { return m_align; }  // = alNone
  void SetAlign(TAlign align);
  TAnchors Anchors() const { return m_anchors; }  // = [akLeft, akTop]
  void SetAnchors(TAnchors anchors);
  // Assign copies values in; a change applies the bounds to the control's size at once.
  TSizeConstraints& Constraints() { return m_constraints; }
  const TSizeConstraints& Constraints() const { return m_constraints; }
  void SetConstraints(const TSizeConstraints& constraints) { m_constraints.Assign(constraints); }
  bool ParentFont() const { return m_parentFont; }  // = false: the control keeps its own font
  void SetParentFont(bool value);
  bool ParentShowHint() const { return m_parentShowHint; }  // = false
  void SetParentShowHint(bool value) { m_parentShowHint = value; }
  TCursor DragCursor() const { return m_dragCursor; }  // = crDrag, shown while dragging the control
  void SetDragCursor(TCursor cursor) { m_dragCursor = cursor; }
  TDragKind DragKind() const { return m_dragKind; }  // = dkDrag
  void SetDragKind(TDragKind kind) { m_dragKind = kind; }
  TDragMode DragMode() const { return m_dragMode; }  // = dmManual
  void SetDragMode(TDragMode mode) { m_dragMode = mode; }
  // The context menu, not owned (nullptr: none); it must outlive the control or be unset first.
  TPopupMenu* PopupMenu() const { return m_popupMenu; }  // = nullptr
  void SetPopupMenu(TPopupMenu* menu) { m_popupMenu = menu; }
  // The menu a context request at mousePos shows: PopupMenu; a control made of parts that carry
  // menus of their own gives the menu of the part there.
  virtual TPopupMenu* PopupMenuAt(TPoint /*mousePos*/) const { return m_popupMenu; }

  // What assistive technology announces for the control: its name and a description of what it
  // shows now. The base gives the component's Name and nothing.
  virtual std::string AccessibleName() const { return Name(); }
  virtual std::string AccessibleDescription() const { return {}; }

  // The window: created once, when a host first shows the control (or a test asks for it);
  // HandleNeeded calls CreateWnd the first time only.
  bool HandleAllocated() const { return m_handleAllocated; }
  void HandleNeeded();

  // painting
  // What the user sees: the control's screen image and its canvas. The image takes the control's
  // size when it is first asked for after a resize, so controls that only ever draw elsewhere (a
  // chart's hosted scales) never hold pixels of their own.
  TBitmap& ScreenImage() {
    SyncScreenSize();
    return m_screen;
  }
  const TBitmap& ScreenImage() const {
    SyncScreenSize();
    return m_screen;
  }
  TCanvas& Canvas() { return ScreenImage().Canvas(); }
  // Device pixels per logical pixel of the screen image (= 1). A host on a high-density screen
  // gives its device pixel ratio, and the control draws at the device's resolution (TCanvas's
  // device scale) while its size, coordinates and mouse positions stay logical. A scale outside
  // (0, 8] throws EInvalidGraphic and changes nothing; a new scale asks for a repaint.
  double DeviceScale() const { return m_deviceScale; }
  void SetDeviceScale(double scale);
  // Asks for a repaint: marks the control for painting and tells the site (the whole client area).
  void Invalidate();
  bool PaintPending() const { return m_paintPending; }
  // Paints now if a repaint was asked for; the mark is cleared first, so Paint may ask again.
  void PaintIfPending();
  // Draws the control into its screen image.
  virtual void Paint() {}
  // Tells the site that this area of the screen image was drawn on directly (clipped to the client
  // area; an empty area tells nothing).
  void ScreenChanged(const TRect& area);
  void ScreenChanged() { ScreenChanged(ClientRect()); }
  TControlSite* Site() const { return m_site; }
  void SetSite(TControlSite* site) { m_site = site; }

  // The answer to the dialog-code query (dlgcWantArrows | dlgcWantTab, ...); 0 by default.
  virtual int DialogCode() const { return 0; }

  // input from the host (coordinates in control pixels; they may lie outside the control while
  // the mouse is captured)
  void DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void DispatchMouseMove(TShiftState shift, int x, int y);
  void DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void DispatchDblClick();
  void DispatchMouseEnter() { MouseEnter(); }
  void DispatchMouseLeave() { MouseLeave(); }
  void DispatchKeyDown(std::uint16_t& key, TShiftState shift, std::uint64_t timeMs = 0);
  void DispatchKeyUp(std::uint16_t& key, TShiftState shift);
  void DispatchKeyPress(char& key, std::uint64_t timeMs = 0);
  // Fires OnMouseWheel; if no handler took the turn, OnMouseWheelUp (delta > 0) or OnMouseWheelDown
  // (delta < 0). Returns whether a handler (or the control's own wheel handling) took it. 120 is
  // one notch of a wheel.
  bool DispatchMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos, std::uint64_t timeMs = 0);
  // The context menu is asked for at mousePos (control pixels; (-1, -1) from the keyboard): fires
  // OnContextPopup and, unless a handler took it, has the site show PopupMenu. Returns whether a
  // handler took it or a menu was shown.
  bool DispatchContextPopup(TPoint mousePos);
  // drag and drop from the host; a disabled control starts no drag and takes none
  // A drag of this control begins: fires OnStartDrag; returns what is dragged (the object the
  // handler named, else the control), or nullptr when the control is disabled.
  TObject* DispatchStartDrag();
  // Whether the control would take source dropped at (x, y); fires OnDragOver.
  bool DispatchDragOver(TObject* source, int x, int y, TDragState state);
  void DispatchDragDrop(TObject* source, int x, int y);
  // The drag of this control ended (target: the control that took it, or nullptr).
  void DispatchEndDrag(TObject* target, int x, int y);

  // standard events
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TNotifyEvent OnMouseEnter;
  TNotifyEvent OnMouseLeave;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TCanResizeEvent OnCanResize;
  TNotifyEvent OnResize;
  TDragDropEvent OnDragDrop;
  TDragOverEvent OnDragOver;
  TStartDragEvent OnStartDrag;
  TEndDragEvent OnEndDrag;
  TContextPopupEvent OnContextPopup;

 protected:
  // Called once when the window is created (HandleNeeded).
  virtual void CreateWnd() {}
  // Called after the font changed.
  virtual void FontChanged() {}
  // Offers a new size: the base fires OnCanResize; returns false to keep the old size.
  virtual bool CanResize(int& newWidth, int& newHeight);
  // After the size changed: the base fires OnResize.
  virtual void Resize();
  // The device scale changed: controls that compose images of their own give them the new scale.
  virtual void DeviceScaleChanged() {}

  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void Click();
  virtual void DblClick();
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void KeyDown(std::uint16_t& key, TShiftState shift);
  virtual void KeyUp(std::uint16_t& key, TShiftState shift);
  virtual void KeyPress(char& key);
  virtual bool MouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos);
  // Fires OnContextPopup.
  virtual void DoContextPopup(TPoint mousePos, bool& handled);
  // The host's timestamp of the wheel or key event being handled, milliseconds (0: not known).
  std::uint64_t EventTime() const { return m_eventTime; }
  // Called from the mouse handlers: the right click under way belongs to a gesture and opens no
  // context menu.
  void TakeRightClick() { m_rightClickTaken = true; }
  virtual void DoStartDrag(TObject*& dragObject);
  virtual bool DoDragOver(TObject* source, int x, int y, TDragState state);
  virtual void DoDragDrop(TObject* source, int x, int y);
  virtual void DoEndDrag(TObject* target, int x, int y);

 private:
  int m_left = 0;
  int m_top = 0;
  int m_width = 0;
  int m_height = 0;
  bool m_visible = true;
  bool m_enabled = true;
  bool m_showHint = false;
  std::string m_hint;
  TCursor m_cursor = crDefault;
  TFont m_font;
  TAlign m_align = alNone;
  TAnchors m_anchors{akLeft, akTop};
  TSizeConstraints m_constraints;
  bool m_parentFont = false;
  bool m_parentShowHint = false;
  TCursor m_dragCursor = crDrag;
  TDragKind m_dragKind = dkDrag;
  TDragMode m_dragMode = dmManual;
  void NotifyStandardProperties();
  void ApplyConstraints();
  void SyncScreenSize() const;
  mutable TBitmap m_screen;  // sized lazily, see ScreenImage
  double m_deviceScale = 1.0;
  bool m_handleAllocated = false;
  bool m_paintPending = false;
  bool m_leftPressInside = false;   // a left press inside the client area awaits its release (Click)
  bool m_rightPressInside = false;  // a right press inside the client area awaits its release (menu)
  bool m_rightClickTaken = false;   // ... and the mouse handling took it for a gesture
  std::uint64_t m_eventTime = 0;
  TPopupMenu* m_popupMenu = nullptr;
  TControlSite* m_site = nullptr;
};

}  // namespace nox
