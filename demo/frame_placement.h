#pragma once
// Places a top-level window by its outer rectangle, frame included, under any window manager.
//
// A window is placed through its client area, and the frame around it is known only when the
// window manager has taken the window on, which is after it was shown. So the placement is made at
// the first show with the frame known then (none without a window manager) and made again, with
// the same rule, whenever the frame turns out different, until the window first becomes active.
// After that the window stays where the user puts it, also when it is shown again.

#include <QMargins>
#include <QObject>
#include <QRect>
#include <functional>
#include <optional>

class QWidget;

namespace nox {

class TFramePlacement : public QObject {
 public:
  // The outer rectangle (in screen coordinates) the window should take, given its frame margins.
  using TOuterRule = std::function<QRect(const QMargins& frame)>;

  // Watches window, which must outlive this object (make it the window's child).
  TFramePlacement(QWidget& window, TOuterRule rule);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceIfFrameChanged();

  QWidget& m_window;
  TOuterRule m_rule;
  std::optional<QMargins> m_placedWith;  // the frame the last placement was made for
  bool m_settled = false;                // the window has been active: placement is over
};

// The rule for a window of a fixed client size centred on its screen's available area, its outer
// top-left corner kept inside that area when the window is larger than it (so its title bar stays
// reachable).
TFramePlacement::TOuterRule CentredOnScreen(QWidget& window, QSize clientSize);

}  // namespace nox
