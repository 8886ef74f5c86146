#pragma once
// Program start of the zoom and pan demo, apart from the message loop: the application's title and
// the two windows in their creation order. The main window comes first, so it is the application's
// main window (closing it ends the program); the warning dialog follows, hidden.

#include <memory>

#include "demo/log_warning_dialog.h"
#include "demo/main_window.h"

namespace nox {

constexpr const char* kApplicationTitle = "Example of Zooming and Panning";

class TZoomPanProgram {
 public:
  // Needs the QApplication. Sets the application's title (message boxes carry it; the main window
  // keeps its own caption), then creates the windows; nothing is shown yet.
  TZoomPanProgram();
  ~TZoomPanProgram();
  TZoomPanProgram(const TZoomPanProgram&) = delete;
  TZoomPanProgram& operator=(const TZoomPanProgram&) = delete;

  TForm1& Form1() { return *m_form1; }
  TLogWarnForm& LogWarnForm() { return *m_logWarnForm; }

 private:
  std::unique_ptr<TForm1> m_form1;
  std::unique_ptr<TLogWarnForm> m_logWarnForm;  // a child window of Form1, destroyed before it
};

}  // namespace nox
