// The zoom and pan demo: a chart of three generated series that the user pans, zooms, recalls from
// the zoom history, confines and makes logarithmic.
//
//   zoompan_demo                     the window; the program ends when it closes
//   zoompan_demo --screenshot FILE   writes the started window (after its first activation and
//                                    paint) to FILE as PNG and ends; without a display it runs on
//                                    Qt's offscreen platform
//   zoompan_demo --time-first-paint  prints how long after program start the chart first painted
//                                    the window's series, and ends (offscreen without a display)
//   zoompan_demo --help              prints the usage and ends
//
// Qt's own options (-platform NAME, -style NAME, ...) are taken as well. Any other argument prints
// the usage and ends with status 2, before a window opens.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPixmap>
#include <QStringList>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <optional>
#include <string>

#include "demo/program.h"
#include "qt/qt_host.h"

namespace {

constexpr int kActivationWaitMs = 10000;  // how long a screenshot waits for the window to be active

constexpr const char* kUsage =
    "usage: zoompan_demo [--screenshot FILE | --time-first-paint | --help] [Qt options]\n"
    "  (none)               opens the window \"Time Series Plot\"\n"
    "  --screenshot FILE    writes the started window to FILE as PNG and ends\n"
    "  --time-first-paint   prints how long the chart took to first show the series, and ends\n"
    "  --help               prints this text\n"
    "  Qt options           such as -platform NAME or -style NAME\n";

struct TOptions {
  std::optional<std::string> screenshot;  // the PNG file to write instead of running
  bool timeFirstPaint = false;             // report the time to the first paint and end
  bool help = false;
  bool valid = true;
};

// The demo's own options; with qtParsed (the arguments Qt left after taking its own), anything
// else is refused too.
TOptions ParseOptions(const QStringList& args, bool qtParsed) {
  TOptions options;
  for (qsizetype i = 1; i < args.size(); ++i) {
    const QString& arg = args[i];
    if (arg == "--screenshot" && i + 1 < args.size()) {
      options.screenshot = args[++i].toStdString();
    } else if (arg == "--time-first-paint") {
      options.timeFirstPaint = true;
    } else if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--screenshot" || qtParsed) {
      options.valid = false;
    }
  }
  return options;
}

QStringList Arguments(int argc, char** argv) {
  QStringList args;
  for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
  return args;
}

int PrintUsage(std::FILE* to, int status) {
  std::fputs(kUsage, to);
  return status;
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

// Watches the chart's widget; the first paint after the window's first activation (the first that
// shows the series) is timed once Qt has handled it, then the program ends. The time is reported
// from main's start and as a point on the monotonic clock, so that a caller which noted the clock
// when it launched the program can tell the whole start-up, loading of libraries included.
class TFirstPaintTimer : public QObject {
 public:
  TFirstPaintTimer(nox::TForm1& window, std::chrono::steady_clock::time_point start)
      : m_window(window), m_start(start) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && m_window.ActivationCount() > 0 && !m_seen) {
      m_seen = true;
      // Runs after the paint event that is being delivered now.
      QTimer::singleShot(0, this, [this] { Report(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Report() {
    const auto now = std::chrono::steady_clock::now();
    const double ms = std::chrono::duration<double, std::milli>(now - m_start).count();
    const long long clockNs =
        std::chrono::duration_cast<std::chrono::nanoseconds>(now.time_since_epoch()).count();
    std::printf("first paint %.1f ms after main started; monotonic clock %lld ns\n", ms, clockNs);
    std::fflush(stdout);
    QApplication::quit();
  }

  nox::TForm1& m_window;
  std::chrono::steady_clock::time_point m_start;
  bool m_seen = false;
};

int TimeFirstPaint(nox::TForm1& window, std::chrono::steady_clock::time_point start) {
  QWidget* chart = window.findChild<QWidget*>("Grafon1");
  if (chart == nullptr) {
    std::fprintf(stderr, "zoompan_demo: the window has no chart widget to time\n");
    return 1;
  }
  TFirstPaintTimer timer(window, start);
  chart->installEventFilter(&timer);
  const int result = QApplication::exec();
  chart->removeEventFilter(&timer);
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const auto start = std::chrono::steady_clock::now();
  // Before Qt: asking for help or a malformed option of the demo needs no display.
  const TOptions options = ParseOptions(Arguments(argc, argv), false);
  if (options.help) return PrintUsage(stdout, 0);
  if (!options.valid) return PrintUsage(stderr, 2);
  if (!HasDisplay()) {
    if (!options.screenshot && !options.timeFirstPaint) {
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
    // What Qt did not take must be the demo's.
    if (!ParseOptions(QApplication::arguments(), true).valid) return PrintUsage(stderr, 2);
    nox::TQtHost host;
    nox::SetHost(&host);
    nox::TZoomPanProgram program;
    program.Form1().show();
    if (options.screenshot) {
      return WriteScreenshot(app, program.Form1(), QString::fromStdString(*options.screenshot));
    }
    if (options.timeFirstPaint) return TimeFirstPaint(program.Form1(), start);
    return QApplication::exec();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "zoompan_demo: %s\n", e.what());
    return 1;
  }
}
