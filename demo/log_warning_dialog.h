#pragma once
// TLogWarnForm, the modal warning "Warning: Negative or Zero Parts of Axis !" that the main window
// shows when a logarithmic axis is asked for over a range that is not entirely positive.
//
// One instance is created at program start and shown again each time (exec). "OK" and the
// window's close box both end it; exec then returns. On its first show the dialog places itself
// with its outer frame at screen position (385, 219), 356 x 159 pixels (the client area takes
// what the frame leaves); later shows keep where the user left it.

#include <QDialog>

class QLabel;
class QPushButton;

namespace nox {

class TLogWarnForm : public QDialog {
  Q_OBJECT

 public:
  explicit TLogWarnForm(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool m_placed = false;
};

}  // namespace nox
