#pragma once
// Drag and drop between hosted controls, through Qt's drag and drop.
//
// A drag of a hosted control carries a TControlDragData: what is dragged (the control, or the object
// its OnStartDrag named) under its own MIME type, so that only drags of hosted controls reach a
// control's OnDragOver and OnDragDrop. The widget that takes the drop notes there which control
// took it and where, for the dragged control's OnEndDrag.

#include <QMimeData>

#include "platform/control.h"

namespace nox::detail {

class TControlDragData : public QMimeData {
  Q_OBJECT

 public:
  static constexpr const char* kMimeType = "application/x-nox-dragged-object";

  // source: what is dragged; it must outlive the drag.
  explicit TControlDragData(TObject* source);

  TObject* Source() const { return m_source; }
  // The control that took the drop (nullptr while none did) and the drop's pixel in it.
  TControl* Target() const { return m_target; }
  TPoint DropPoint() const { return m_dropPoint; }
  // Receiving widgets see the data as const.
  void TakenBy(TControl& target, TPoint point) const {
    m_target = &target;
    m_dropPoint = point;
  }

 private:
  TObject* m_source;
  mutable TControl* m_target = nullptr;
  mutable TPoint m_dropPoint{0, 0};
};

}  // namespace nox::detail
