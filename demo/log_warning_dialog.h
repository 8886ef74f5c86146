#pragma once
// TLogWarnForm, the modal warning "Warning: Negative or Zero Parts of Axis !" that the main window
// shows when a logarithmic axis is asked for over a range that is not entirely positive.
//
// One instance is created at program start and shown again each time (exec). "OK" and the
// window's close box both end it; exec then returns. On its first show the dialog places itself
// with its outer frame at screen position (385, 219), 356 x 159 pixels (the client area takes
// what the window manager's frame leaves, once that frame is known); later shows keep where the
// user left it.

#include <QDialog>

class QLabel;
class QPushButton;

namespace nox {

class TLogWarnForm : public QDialog {
  Q_OBJECT

 public:
  explicit TLogWarnForm(QWidget* parent = nullptr);
};

}  // namespace nox
