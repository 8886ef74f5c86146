#include "platform/control.h"

#include <algorithm>
#include <utility>

#include "platform/canvas.h"
#include "platform/popup_menu.h"

namespace nox {

// ---- TComponent

TComponent::TComponent(TComponent* owner) : m_owner(owner) {}

void TComponent::SetDesigning(bool designing) {
  if (designing) {
    m_state.Include(csDesigning);
  } else {
    m_state.Exclude(csDesigning);
  }
}

void TComponent::Loaded() { m_state.Exclude(csLoading).Exclude(csReading); }

// ---- TControl

TControl::TControl(TComponent* owner) : TComponent(owner) {
  m_font.OnChange = [this](TObject*) { FontChanged(); };
  m_constraints.OnChange = [this](TObject*) {
    // While a stored form is read the size may come before the constraints; Loaded applies them.
    if (!IsLoading()) ApplyConstraints();
    NotifyStandardProperties();
  };
}

void TControl::ApplyConstraints() {
  // Only a size outside the bounds is changed (a resize has effects of its own).
  if (m_constraints.ConstrainWidth(m_width) != m_width || m_constraints.ConstrainHeight(m_height) != m_height)
    SetBounds(m_left, m_top, m_width, m_height);
}

void TControl::Loaded() {
  TComponent::Loaded();
  ApplyConstraints();
}

TControl::~TControl() {
  IncludeState(csDestroying);
  m_font.OnChange = nullptr;
  m_constraints.OnChange = nullptr;
  if (TControlSite* site = std::exchange(m_site, nullptr)) site->ControlDestroyed(*this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = std::max(width, 0);
  height = std::max(height, 0);
  if (width != m_width || height != m_height) {
    if (!CanResize(width, height)) {
      width = m_width;
      height = m_height;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
  }
  if (!IsLoading()) {
    width = m_constraints.ConstrainWidth(width);
    height = m_constraints.ConstrainHeight(height);
  }
  const bool resized = width != m_width || height != m_height;
  if (resized) CheckBitmapSize(width, height);  // may refuse the size; nothing has changed yet
  m_left = left;
  m_top = top;
  m_width = width;
  m_height = height;
  if (resized) {
    Invalidate();
    Resize();
  }
}

void TControl::SyncScreenSize() const {
  TCanvas& canvas = m_screen.Canvas();
  if (canvas.DeviceScale() != m_deviceScale) {
    canvas.SetDeviceScale(m_deviceScale);
    canvas.SetLogicalSize(m_width, m_height);
  } else if (canvas.Width() != m_width || canvas.Height() != m_height) {
    canvas.SetLogicalSize(m_width, m_height);
  }
}

void TControl::SetDeviceScale(double scale) {
  detail::CheckDeviceScale(scale);
  if (scale == m_deviceScale) return;
  m_deviceScale = scale;
  DeviceScaleChanged();
  Invalidate();
}

bool TControl::CanResize(int& newWidth, int& newHeight) {
  bool resize = true;
  if (OnCanResize) OnCanResize(this, newWidth, newHeight, resize);
  return resize;
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::SetAlign(TAlign align) {
  if (align == m_align) return;
  m_align = align;
  NotifyStandardProperties();
}

void TControl::SetAnchors(TAnchors anchors) {
  if (anchors == m_anchors) return;
  m_anchors = anchors;
  NotifyStandardProperties();
}

void TControl::SetParentFont(bool value) {
  if (value == m_parentFont) return;
  m_parentFont = value;
  NotifyStandardProperties();
}

void TControl::NotifyStandardProperties() {
  if (m_site) m_site->StandardPropertiesChanged(*this);
}

void TControl::SetVisible(bool visible) {
  if (visible == m_visible) return;
  m_visible = visible;
  Invalidate();
}

void TControl::HandleNeeded() {
  if (m_handleAllocated) return;
  m_handleAllocated = true;  // set first, so that CreateWnd may ask again without recursing
  CreateWnd();
}

void TControl::Invalidate() {
  m_paintPending = true;
  if (m_site) m_site->UpdateArea(*this, ClientRect());
}

void TControl::PaintIfPending() {
  if (!m_paintPending) return;
  m_paintPending = false;
  Paint();
}

void TControl::ScreenChanged(const TRect& area) {
  const TRect clipped{std::max(area.Left, 0), std::max(area.Top, 0), std::min(area.Right, m_width),
                      std::min(area.Bottom, m_height)};
  if (m_site && !clipped.IsEmpty()) m_site->UpdateArea(*this, clipped);
}

// ---- input

void TControl::DispatchMouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (!m_enabled) return;
  if (button == mbLeft) m_leftPressInside = !shift.Contains(ssDouble) && ClientRect().Contains({x, y});
  if (button == mbRight) {
    m_rightPressInside = ClientRect().Contains({x, y});
    // Pressed while another button is held: part of that button's gesture.
    m_rightClickTaken = shift.Contains(ssLeft) || shift.Contains(ssMiddle);
  }
  MouseDown(button, shift, x, y);
}

void TControl::DispatchMouseMove(TShiftState shift, int x, int y) {
  if (m_enabled) MouseMove(shift, x, y);
}

void TControl::DispatchMouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (!m_enabled) return;
  const bool click = button == mbLeft && m_leftPressInside && ClientRect().Contains({x, y});
  if (button == mbLeft) m_leftPressInside = false;
  const bool rightPress = button == mbRight && std::exchange(m_rightPressInside, false);
  MouseUp(button, shift, x, y);
  if (click) Click();
  if (rightPress && !m_rightClickTaken && ClientRect().Contains({x, y})) DispatchContextPopup({x, y});
}

void TControl::DispatchDblClick() {
  if (m_enabled) DblClick();
}

void TControl::DispatchKeyDown(std::uint16_t& key, TShiftState shift, std::uint64_t timeMs) {
  m_eventTime = timeMs;
  if (m_enabled) KeyDown(key, shift);
}

void TControl::DispatchKeyUp(std::uint16_t& key, TShiftState shift) {
  if (m_enabled) KeyUp(key, shift);
}

void TControl::DispatchKeyPress(char& key, std::uint64_t timeMs) {
  m_eventTime = timeMs;
  if (m_enabled) KeyPress(key);
}

bool TControl::DispatchMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos, std::uint64_t timeMs) {
  m_eventTime = timeMs;
  return m_enabled && MouseWheel(shift, wheelDelta, mousePos);
}

bool TControl::DispatchContextPopup(TPoint mousePos) {
  if (!m_enabled) return false;
  bool handled = false;
  DoContextPopup(mousePos, handled);
  if (handled) return true;
  TPopupMenu* const menu = PopupMenuAt(mousePos);
  if (!menu || !m_site) return false;
  menu->DoPopup();
  m_site->ShowPopupMenu(*this, *menu, mousePos);
  return true;
}

TObject* TControl::DispatchStartDrag() {
  if (!m_enabled) return nullptr;
  TObject* dragged = nullptr;
  DoStartDrag(dragged);
  return dragged ? dragged : this;
}

bool TControl::DispatchDragOver(TObject* source, int x, int y, TDragState state) {
  return m_enabled && DoDragOver(source, x, y, state);
}

void TControl::DispatchDragDrop(TObject* source, int x, int y) {
  if (m_enabled) DoDragDrop(source, x, y);
}

void TControl::DispatchEndDrag(TObject* target, int x, int y) { DoEndDrag(target, x, y); }

// ---- handlers: the base versions fire the standard events

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseEnter() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TControl::MouseLeave() {
  if (OnMouseLeave) OnMouseLeave(this);
}

void TControl::KeyDown(std::uint16_t& key, TShiftState shift) {
  if (OnKeyDown) OnKeyDown(this, key, shift);
}

void TControl::KeyUp(std::uint16_t& key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
}

void TControl::KeyPress(char& key) {
  if (OnKeyPress) OnKeyPress(this, key);
}

bool TControl::MouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, shift, wheelDelta, mousePos, handled);
  if (!handled) {
    if (wheelDelta > 0 && OnMouseWheelUp) OnMouseWheelUp(this, shift, mousePos, handled);
    if (wheelDelta < 0 && OnMouseWheelDown) OnMouseWheelDown(this, shift, mousePos, handled);
  }
  return handled;
}

void TControl::DoContextPopup(TPoint mousePos, bool& handled) {
  if (OnContextPopup) OnContextPopup(this, mousePos, handled);
}

void TControl::DoStartDrag(TObject*& dragObject) {
  if (OnStartDrag) OnStartDrag(this, dragObject);
}

bool TControl::DoDragOver(TObject* source, int x, int y, TDragState state) {
  if (!OnDragOver) return false;
  bool accept = true;
  OnDragOver(this, source, x, y, state, accept);
  return accept;
}

void TControl::DoDragDrop(TObject* source, int x, int y) {
  if (OnDragDrop) OnDragDrop(this, source, x, y);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
  if (OnEndDrag) OnEndDrag(this, target, x, y);
}

}  // namespace nox
