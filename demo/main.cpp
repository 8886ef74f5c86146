// The zoom and pan demo: a chart of three generated series that the user pans, zooms, recalls from
// the zoom history, confines and makes logarithmic.
//
//   zoompan_demo                     the window; the program ends when it closes
//   zoompan_demo --screenshot FILE   writes the started window (after its first activation and
//                                    paint) to FILE as PNG and ends; without a display it runs on
//                                    Qt's offscreen platform

#include <QApplication>
#include <QElapsedTimer>
#include <QPixmap>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>
#include <string_view>

#include "demo/program.h"
#include "qt/qt_host.h"

namespace {

constexpr int kActivationWaitMs = 10000;  // how long a screenshot waits for the window to be active

struct TOptions {
  std::optional<std::string> screenshot;  // the PNG file to write instead of running
  bool valid = true;
};

TOptions ParseOptions(int argc, char** argv) {
  TOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--screenshot" && i + 1 < argc) {
      options.screenshot = argv[++i];
    } else if (arg == "--screenshot") {
      options.valid = false;
    }
    // Anything else is Qt's (-platform, -style, ...).
  }
  return options;
}

bool IsSet(const char* variable) {
  const char* value = std::getenv(variable);
  return value != nullptr && *value != '\0';
}

// A display to show on, or a platform chosen by the caller.
bool HasDisplay() { return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY") || IsSet("QT_QPA_PLATFORM"); }

int WriteScreenshot(QApplication& app, nox::TForm1& window, const QString& file) {
  QElapsedTimer waited;
  waited.start();
  while (window.ActivationCount() == 0 && waited.elapsed() < kActivationWaitMs) {
    app.processEvents(QEventLoop::AllEvents, 50);
  }
  if (window.ActivationCount() == 0) {
    std::fprintf(stderr, "zoompan_demo: the window was never activated; no screenshot written\n");
    return 1;
  }
  app.processEvents();  // the paint the activation asked for
  if (!window.grab().save(file, "PNG")) {
    std::fprintf(stderr, "zoompan_demo: cannot write %s\n", qPrintable(file));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const TOptions options = ParseOptions(argc, argv);
  if (!options.valid) {
    std::fprintf(stderr, "usage: zoompan_demo [--screenshot FILE]\n");
    return 2;
  }
  if (!HasDisplay()) {
    if (!options.screenshot) {
      std::fprintf(stderr,
                   "zoompan_demo: no display. Run it under a virtual X server "
                   "(xvfb-run -s '-screen 0 1024x768x24' zoompan_demo) or write a screenshot "
                   "(zoompan_demo --screenshot FILE).\n");
      return 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }

  try {
    QApplication app(argc, argv);
    nox::TQtHost host;
    nox::SetHost(&host);
    nox::TZoomPanProgram program;
    program.Form1().show();
    if (options.screenshot) {
      return WriteScreenshot(app, program.Form1(), QString::fromStdString(*options.screenshot));
    }
    return QApplication::exec();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zoompan_demo: %s\n", e.what());
    return 1;
  }
}
