// A soak of the demo's main window on Qt's offscreen platform: a long run of random gestures from a
// seeded generator, sent through the window as a person would make them (drags in every mouse mode,
// axis drags and double clicks, clicks on every control, the warning dialog answered, history
// recalls, re-activations, resizes of the chart, wheel and keys), each followed by the checks:
// - every axis of the 16 layers has finite, distinct bounds (positive ones when logarithmic);
// - with confinement on, an axis that a confined gesture (a pan, a zoom drag, a scale drag) moved
//   lies inside the box, or covers it where a pan keeps a span wider than the box;
// - the zoom history's write position lies in its ring and every entry is finite;
// - the widget shows the chart's screen image, and a repaint changes nothing on it: no stale part
//   and no stray figure is left; after a gesture that may draw rubber figures (a window gesture, a
//   rubber band, a select rectangle, a rectangle pick) the screen is the picture the chart composes
//   for a file, which has no figures: none is left in the chart's account either.
//
// Environment: NOX_SOAK_GESTURES (default 10000), NOX_SOAK_SEED (default 19), NOX_SOAK_MEMORY_EVERY
// (print the resident memory every that many gestures; default never). A failure prints the seed,
// the gesture number, the command that replays the run up to it and the gestures that led there.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <memory>
#include <random>
#include <string>

#include "demo/program.h"
#include "platform/host.h"
#include "qt/control_widget.h"
#include "qt/qt_host.h"

namespace {

constexpr long kDefaultGestures = 10000;
constexpr long kDefaultSeed = 19;
constexpr std::size_t kKeptGestures = 10000;  // the gestures a failure report lists

long EnvNumber(const char* name, long fallback) {
  const char* text = std::getenv(name);
  return text != nullptr && *text != '\0' ? std::strtol(text, nullptr, 10) : fallback;
}

// The process's resident memory in KiB, from /proc/self/status (0 where there is none).
long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmRSS:") {
      long kib = 0;
      status >> kib;
      return kib;
    }
  }
  return 0;
}

// The offscreen platform says at every raise and keyboard grab that it has none; the soak makes
// many. Everything else goes on to Qt Test.
QtMessageHandler g_qtHandler = nullptr;
void QuietPlatform(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (message.startsWith("This plugin does not support")) return;
  g_qtHandler(type, context, message);
}

struct TAxis {
  double low, high;
  friend bool operator==(const TAxis&, const TAxis&) = default;
};

// Inside [lo, hi] or, for a pan that keeps a span wider than the box, covering it.
bool ConfinedTo(const TAxis& axis, double lo, double hi) {
  const double first = std::min(axis.low, axis.high);
  const double last = std::max(axis.low, axis.high);
  return (first >= lo && last <= hi) || (first <= lo && last >= hi);
}

QString Point(QPoint p) { return QString("(%1,%2)").arg(p.x()).arg(p.y()); }

}  // namespace

class TestSoak : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void cleanupTestCase();
  void randomGesturesKeepTheChartSound();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  enum TAnswer { anOk, anCloseBox, anEscape };
  int Pick(int low, int high) {
    return low + static_cast<int>(m_random() % static_cast<unsigned>(high - low + 1));
  }
  bool Chance(int percent) { return Pick(1, 100) <= percent; }
  template <class W>
  W* Find(const char* name) {
    W* widget = Form().findChild<W*>(name);
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  nox::TForm1& Form() { return m_program->Form1(); }
  nox::TGrafon& Chart() { return Form().Grafon1(); }
  QWindow* Window() { return Form().windowHandle(); }
  nox::TControlWidget* ChartWidget() { return Find<nox::TControlWidget>("Grafon1"); }
  // A right click outside a gesture opened the chart's menu: an item is chosen now and then.
  QString AnswerMenu();
  void ClickAt(QWidget* widget, QPoint local);
  void ActivateForm();

  // the gestures; each returns what it did
  QString Gesture();
  QString Drag();
  QString DoubleClick();
  QString ClickControl();
  QString ChartMode();
  QString Recall();
  QString WheelAndKeys();
  QString Reactivate();
  QString Resize();
  // A point of the chart widget: in the chart area, on the left or bottom scale, or anywhere on it.
  QPoint ChartPoint();

  // the checks after each gesture; an empty text when all hold
  // action: the chart's mouse action when the gesture began
  QString Check(const std::array<TAxis, 32>& before, nox::TMouseActMode action);
  QString CheckPicture(bool figures, bool trace);
  // A failure text for two pictures that differ; both are written to the test output.
  QString Difference(const nox::TBitmap& was, const nox::TBitmap& is, const char* what);
  std::array<TAxis, 32> Axes();

  std::unique_ptr<nox::TQtHost> m_host;
  std::unique_ptr<nox::TZoomPanProgram> m_program;
  std::unique_ptr<QWidget> m_otherWindow;  // another program's window, for re-activations
  std::mt19937 m_random;
  TAnswer m_answer = anOk;  // how the warning dialog is answered when it comes
  std::string m_picturePath;
  QImage m_shown;          // what the chart widget shows
  nox::TBitmap m_painted;  // the chart's screen before a repaint
  QString m_fault;         // what a gesture found the window not doing
  bool m_mouse = false;    // the last gesture was one on the chart that keeps to the confinement box
  bool m_figures = false;  // and it may have drawn rubber figures
  quint64 m_clockMs = 1;   // timestamps of the wheel turns
};

void TestSoak::initTestCase() {
  g_qtHandler = qInstallMessageHandler(QuietPlatform);
  m_host = std::make_unique<nox::TQtHost>();
  nox::SetHost(m_host.get());
  // "Done" closes the main window; the soak opens it again.
  QApplication::setQuitOnLastWindowClosed(false);
  m_program = std::make_unique<nox::TZoomPanProgram>();
  m_program->LogWarnForm().installEventFilter(this);
  m_otherWindow = std::make_unique<QWidget>();
  m_otherWindow->setGeometry(0, 0, 80, 60);
  // The composed picture goes through a file at every check: memory-backed where there is such a
  // folder, since the chart makes each file it writes durable.
  const QString folder = QFileInfo("/dev/shm").isWritable() ? QString("/dev/shm") : QDir::tempPath();
  m_picturePath =
      QString("%1/nox_soak_%2.png").arg(folder).arg(QCoreApplication::applicationPid()).toStdString();
}

void TestSoak::cleanupTestCase() {
  qInstallMessageHandler(g_qtHandler);
  m_program.reset();
  m_otherWindow.reset();
  std::remove(m_picturePath.c_str());
}

bool TestSoak::eventFilter(QObject* watched, QEvent* event) {
  // The warning dialog runs its own event loop: it is answered from there, once it is up.
  if (event->type() == QEvent::Show) {
    auto* dialog = static_cast<QDialog*>(watched);
    QTimer::singleShot(0, dialog, [this, dialog] {
      switch (m_answer) {
        case anOk:
          ClickAt(dialog->findChild<QPushButton*>("Button1"), {20, 10});
          break;
        case anCloseBox:
          dialog->windowHandle()->close();
          break;
        case anEscape:
          QTest::keyClick(dialog->windowHandle(), Qt::Key_Escape);
          break;
      }
    });
  }
  return QObject::eventFilter(watched, event);
}

void TestSoak::ClickAt(QWidget* widget, QPoint local) {
  QWidget* window = widget->window();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, local));
}

void TestSoak::ActivateForm() {
  Form().show();
  Form().activateWindow();
  if (!QTest::qWaitFor([this] { return Form().isActiveWindow(); }, 2000)) {
    m_fault = "the main window stayed inactive";
  }
}

QPoint TestSoak::ChartPoint() {
  const nox::TGrafon& g = Chart();
  const int w = g.Width(), h = g.Height();
  const int right = w - g.MarginRight(), bottom = h - g.MarginBottom();
  switch (Pick(0, 3)) {
    case 0:  // the left scale
      return {Pick(0, g.MarginLeft()), Pick(g.MarginTop(), bottom)};
    case 1:  // the bottom scale
      return {Pick(g.MarginLeft(), right), Pick(bottom, h - 1)};
    case 2:  // anywhere on the control
      return {Pick(0, w - 1), Pick(0, h - 1)};
    default:  // the chart area
      return {Pick(g.MarginLeft(), right), Pick(g.MarginTop(), bottom)};
  }
}

QString TestSoak::Gesture() {
  const int kind = Pick(1, 100);
  m_mouse = kind <= 46;
  m_figures = false;
  if (kind <= 40) return Drag();
  if (kind <= 46) return DoubleClick();
  if (kind <= 76) return ClickControl();
  if (kind <= 81) return ChartMode();
  if (kind <= 89) return Recall();
  if (kind <= 93) return WheelAndKeys();
  if (kind <= 96) return Reactivate();
  return Resize();
}

QString TestSoak::Drag() {
  static constexpr Qt::MouseButton kButtons[] = {Qt::LeftButton, Qt::LeftButton,  Qt::LeftButton,
                                                 Qt::LeftButton, Qt::RightButton, Qt::MiddleButton};
  const Qt::MouseButton button = kButtons[Pick(0, 5)];
  const Qt::KeyboardModifiers keys = Chance(10) ? Qt::ShiftModifier : Qt::NoModifier;
  // A second button pressed and released in the middle of the drag, now and then.
  const bool chord = Chance(5);
  const nox::TMouseActMode action = Chart().MouseAction();
  QWidget* chart = ChartWidget();
  const QPoint local = ChartPoint();
  const QPoint press = chart->mapTo(&Form(), local);
  // A window gesture starts at a left press in the chart area (taken a pixel wider here); an armed
  // rectangle pick at any press.
  const nox::TGrafon& g = Chart();
  const bool inArea = local.x() >= g.MarginLeft() - 1 && local.x() <= g.Width() - g.MarginRight() + 1 &&
                      local.y() >= g.MarginTop() - 1 && local.y() <= g.Height() - g.MarginBottom() + 1;
  const bool window = action == nox::maZoomWind || action == nox::maZoomWindPos ||
                      action == nox::maRubberBand || action == nox::maSelectRect;
  m_figures = g.RectPickState() != nox::msNormal || (window && inArea && button == Qt::LeftButton);
  QString text = QString("drag %1 mode %2 from %3").arg(int(button)).arg(int(action)).arg(Point(press));
  QTest::mousePress(Window(), button, keys, press);
  const int moves = Pick(1, 6);
  for (int m = 0; m < moves; ++m) {
    // Mostly over the chart, sometimes beyond it (the widget keeps the mouse).
    const QPoint to = Chance(85) ? chart->mapTo(&Form(), ChartPoint()) : QPoint(Pick(0, 610), Pick(0, 418));
    QTest::mouseMove(Window(), to);
    text += " " + Point(to);
    if (chord && m == 0) {
      QTest::mousePress(Window(), Qt::RightButton, keys, to);
      QTest::mouseRelease(Window(), Qt::RightButton, keys, to);
      text += " chord";
    }
  }
  const QPoint release = chart->mapTo(&Form(), ChartPoint());
  QTest::mouseRelease(Window(), button, keys, release);
  return text + " up " + Point(release);
}

QString TestSoak::DoubleClick() {
  m_figures = Chart().RectPickState() != nox::msNormal;
  const QPoint at = ChartWidget()->mapTo(&Form(), ChartPoint());
  QTest::mouseDClick(Window(), Qt::LeftButton, {}, at);
  return "double click " + Point(at);
}

QString TestSoak::ClickControl() {
  static constexpr const char* kControls[] = {"RBPan",        "RBZoom", "RBZoomWind", "RBZoomWindPos",
                                              "RBZoomPanOff", "But07",  "But14",      "ButNorm",
                                              "CBLogX",       "CBLogY", "CBConfine",  "CBoxIsometric"};
  const char* name = kControls[Pick(0, static_cast<int>(std::size(kControls)) - 1)];
  m_answer = static_cast<TAnswer>(Pick(0, 2));
  QWidget* control = Find<QWidget>(name);
  // Check boxes and radio buttons on their indicator (a caption may end before the centre).
  const bool box = qobject_cast<QCheckBox*>(control) || qobject_cast<QRadioButton*>(control);
  ClickAt(control, box ? QPoint(7, control->height() / 2) : control->rect().center());
  return QString("click %1 answer %2").arg(name).arg(int(m_answer));
}

QString TestSoak::ChartMode() {
  // The modes the demo has no button for, as a program would set them; or the two-click pick.
  if (Chance(25)) {
    Chart().ArmRectPick();
    return "arm rectangle pick";
  }
  if (Chance(10)) {
    Chart().ClearMouseTrace();
    return "clear trace";
  }
  const auto mode = static_cast<nox::TMouseActMode>(Pick(0, nox::maZoomPanColors));
  Chart().SetMouseAction(mode);
  return QString("chart mode %1").arg(int(mode));
}

QString TestSoak::Recall() {
  auto* combo = Find<QComboBox>("ComboBox1");
  switch (Pick(0, 3)) {
    case 0:
    case 1: {  // back or forward through the list with the arrow keys
      const Qt::Key key = Chance(50) ? Qt::Key_Down : Qt::Key_Up;
      ClickAt(combo->lineEdit(), {5, 5});
      QTest::keyClick(Window(), key);
      return QString("history key %1").arg(key == Qt::Key_Down ? "down" : "up");
    }
    case 2: {  // an entry picked from the open list: the first or any other
      const int row = Chance(30) ? 0 : Pick(0, combo->count() - 1);
      ClickAt(combo, {combo->width() - 8, combo->height() / 2});
      QWidget* popup = combo->view()->window();
      if (!QTest::qWaitFor([popup] { return popup->isVisible(); }, 1000)) {
        m_fault = "the history list did not open";
        return "history list";
      }
      QAbstractItemView* view = combo->view();
      const QPoint item = view->visualRect(view->model()->index(row, 0)).center();
      QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {}, view->viewport()->mapTo(popup, item));
      return QString("history pick %1").arg(row);
    }
    default: {  // typed text recalls nothing
      ClickAt(combo->lineEdit(), {5, 5});
      QTest::keyClick(Window(), Qt::Key(Qt::Key_0 + Pick(0, 9)));
      return "history typed";
    }
  }
}

QString TestSoak::WheelAndKeys() {
  QWidget* chart = ChartWidget();
  const QPoint at = ChartPoint();
  const int delta = Pick(-3, 3) * 40;
  // Now and then a touchpad's pixels, or a turn of a wheel with a modifier.
  const bool pixels = Chance(20);
  Qt::KeyboardModifiers keys = Qt::NoModifier;
  if (Chance(30)) keys = Chance(50) ? Qt::ShiftModifier : Qt::ControlModifier;
  QWheelEvent wheel(at, chart->mapToGlobal(at), pixels ? QPoint(0, delta) : QPoint(),
                    pixels ? QPoint() : QPoint(0, delta), Qt::NoButton, keys, Qt::NoScrollPhase, false);
  m_clockMs += static_cast<quint64>(Pick(0, 900));
  wheel.setTimestamp(m_clockMs);
  QApplication::sendEvent(chart, &wheel);
  static constexpr Qt::Key kKeys[] = {Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,       Qt::Key_Down,
                                      Qt::Key_Plus,   Qt::Key_Minus, Qt::Key_Equal,    Qt::Key_Home,
                                      Qt::Key_Escape, Qt::Key_Tab,   Qt::Key_Backspace};
  const Qt::Key key = kKeys[Pick(0, static_cast<int>(std::size(kKeys)) - 1)];
  for (int repeat = Chance(10) ? Pick(2, 40) : 1; repeat > 0; --repeat) QTest::keyClick(chart, key);
  // Home and Backspace go back to views that may lie outside the box.
  m_mouse = key != Qt::Key_Home && key != Qt::Key_Backspace;
  return QString("wheel %1%2 at %3, key %4").arg(delta).arg(pixels ? " pixels" : "").arg(Point(at)).arg(key);
}

QString TestSoak::AnswerMenu() {
  QMenu* menu = ChartWidget()->OpenMenu();
  if (!menu) return {};
  QString text = " menu";
  // Back in history or Reset view; Copy image and the file dialog of Save as PNG are left alone.
  if (Chance(30)) {
    const int item = Chance(50) ? 3 : 4;
    menu->actions()[item]->trigger();
    text += QString(" item %1").arg(item);
    m_mouse = false;  // history views may lie outside the box
  }
  menu->close();
  return text;
}

QString TestSoak::Reactivate() {
  switch (Pick(0, 2)) {
    case 0:  // another program's window comes to the front and goes again
      m_otherWindow->show();
      m_otherWindow->activateWindow();
      if (!QTest::qWaitFor([this] { return m_otherWindow->isActiveWindow(); }, 1000)) {
        m_fault = "the other window stayed inactive";
      }
      m_otherWindow->hide();
      ActivateForm();
      return "other window";
    case 1:
      Form().showMinimized();
      QCoreApplication::processEvents();
      Form().showNormal();
      ActivateForm();
      return "minimise and restore";
    default:
      ClickAt(Find<QWidget>("BBtDone"), {20, 20});
      ActivateForm();
      return "done and open again";
  }
}

QString TestSoak::Resize() {
  // Mostly small (each check costs by the pixel), below the chart's least size too; now and then
  // the size the form gives it.
  const QSize size = Chance(20) ? QSize(429, 365) : QSize(Pick(100, 300), Pick(50, 240));
  ChartWidget()->resize(size);
  return QString("resize %1x%2").arg(size.width()).arg(size.height());
}

std::array<TAxis, 32> TestSoak::Axes() {
  std::array<TAxis, 32> axes{};
  for (int l = 1; l <= 16; ++l) {
    axes[2 * (l - 1)] = {Chart().ScaleXOf(l).RangeLow(), Chart().ScaleXOf(l).RangeHigh()};
    axes[2 * (l - 1) + 1] = {Chart().ScaleYOf(l).RangeLow(), Chart().ScaleYOf(l).RangeHigh()};
  }
  return axes;
}

QString TestSoak::Check(const std::array<TAxis, 32>& before, nox::TMouseActMode action) {
  if (!m_fault.isEmpty()) return m_fault;
  if (!Form().isVisible()) return "the main window is not shown";
  const std::array<TAxis, 32> axes = Axes();
  // The window gestures zoom without confinement; pans, zoom drags and scale drags confine.
  const bool confined =
      m_mouse && Chart().ConfinementActive() && action != nox::maZoomWind && action != nox::maZoomWindPos;
  for (std::size_t a = 0; a < axes.size(); ++a) {
    const int layer = static_cast<int>(a / 2) + 1;
    const bool x = a % 2 == 0;
    const nox::TScaleProps& props =
        x ? static_cast<const nox::TScaleProps&>(Chart().ScaleXOf(layer)) : Chart().ScaleYOf(layer);
    const TAxis& r = axes[a];
    const QString axis = QString("layer %1 %2 %3..%4 (was %5..%6)")
                             .arg(layer)
                             .arg(x ? "x" : "y")
                             .arg(r.low, 0, 'g', 17)
                             .arg(r.high, 0, 'g', 17)
                             .arg(before[a].low, 0, 'g', 17)
                             .arg(before[a].high, 0, 'g', 17);
    if (!std::isfinite(r.low) || !std::isfinite(r.high) || r.low == r.high) return axis + " is not a range";
    if (props.Logarithmic() && !(r.low >= nox::kMinLogValue && r.high >= nox::kMinLogValue)) {
      return axis + " is logarithmic but not positive";
    }
    // The demo's box: x -150..450, y -100..150.
    if (confined && r != before[a] && !ConfinedTo(r, x ? -150 : -100, x ? 450 : 150)) {
      return axis + " left the confinement box";
    }
  }
  const nox::detail::TZoomHistory& history = Chart().ZoomHistory();
  if (history.WritePosition() < 1 || history.WritePosition() > nox::detail::TZoomHistory::kSlots) {
    return QString("zoom history write position %1").arg(history.WritePosition());
  }
  for (int s = 1; s <= nox::detail::TZoomHistory::kSlots; ++s) {
    for (const nox::detail::TLayerRanges& r : history.Slot(s)) {
      if (!std::isfinite(r.XLow) || !std::isfinite(r.XHigh) || !std::isfinite(r.YLow) ||
          !std::isfinite(r.YHigh)) {
        return QString("zoom history slot %1 holds a range that is not finite").arg(s);
      }
    }
  }
  return CheckPicture(m_figures, m_mouse && action == nox::maDrawMTrace);
}

QString TestSoak::CheckPicture(bool figures, bool trace) {
  nox::TGrafon& chart = Chart();
  const nox::TBitmap& screen = chart.ScreenImage();
  // Images kept from check to check: a fresh one each time costs more than the comparing.
  nox::TControlWidget* widget = ChartWidget();
  if (m_shown.size() != widget->size()) m_shown = QImage(widget->size(), QImage::Format_RGB32);
  widget->render(&m_shown);
  const int w = std::min(screen.Width(), m_shown.width());
  const int h = std::min(screen.Height(), m_shown.height());
  // The keyboard-focus frame: a dotted line one pixel inside the widget's edge, over the picture.
  const bool frame = widget->FocusFrameShown();
  const auto onFrame = [&](int x, int y) {
    return frame && (x == 1 || y == 1 || x == m_shown.width() - 2 || y == m_shown.height() - 2);
  };
  for (int y = 0; y < h; ++y) {
    const auto* row = reinterpret_cast<const std::uint32_t*>(m_shown.constScanLine(y));
    if (!frame && std::equal(row, row + w, screen.ScanLine(y))) continue;
    for (int x = 0; x < w; ++x) {
      if (row[x] != screen.ScanLine(y)[x] && !onFrame(x, y))
        return QString("the widget does not show row %1 of the chart").arg(y);
    }
  }
  if (m_painted.Width() != screen.Width() || m_painted.Height() != screen.Height()) {
    m_painted.SetSize(screen.Width(), screen.Height());
  }
  std::ranges::copy(screen.PixelData(), m_painted.Bits());
  chart.Repaint();
  // Trace segments go onto the screen over the cross hairs, a repaint puts them under.
  if (!trace && !SamePixels(m_painted, screen))
    return Difference(m_painted, screen, "a repaint changed the screen");
  if (!figures) return {};
  chart.SaveToPngFile(m_picturePath);
  nox::TBitmap composed;
  composed.LoadFromPngFile(m_picturePath);
  if (!SamePixels(composed, screen))
    return Difference(screen, composed, "a rubber figure was left on the screen");
  return {};
}

QString TestSoak::Difference(const nox::TBitmap& was, const nox::TBitmap& is, const char* what) {
  if (was.Width() != is.Width() || was.Height() != is.Height()) {
    return QString("%1: %2x%3 became %4x%5")
        .arg(what)
        .arg(was.Width())
        .arg(was.Height())
        .arg(is.Width())
        .arg(is.Height());
  }
  int differing = 0;
  QPoint first;
  for (int y = 0; y < was.Height(); ++y) {
    for (int x = 0; x < was.Width(); ++x) {
      if (was.ScanLine(y)[x] != is.ScanLine(y)[x] && differing++ == 0) first = {x, y};
    }
  }
  // Both pictures for a look at what was left.
  const QString output = QString(NOX_TEST_OUTPUT_DIR) + "/demo";
  QDir().mkpath(output);
  was.SaveToPngFile((output + "/soak_before.png").toStdString());
  is.SaveToPngFile((output + "/soak_after.png").toStdString());
  return QString("%1: %2 pixels differ, the first at %3 (%4/soak_before.png, soak_after.png)")
      .arg(what)
      .arg(differing)
      .arg(Point(first))
      .arg(output);
}

void TestSoak::randomGesturesKeepTheChartSound() {
  const long gestures = EnvNumber("NOX_SOAK_GESTURES", kDefaultGestures);
  const long seed = EnvNumber("NOX_SOAK_SEED", kDefaultSeed);
  const long memoryEvery = EnvNumber("NOX_SOAK_MEMORY_EVERY", 0);
  m_random.seed(static_cast<std::mt19937::result_type>(seed));
  ActivateForm();
  QCOMPARE(Form().ActivationCount(), 1);
  // Something for the cross-hair and label drags to move.
  Chart().CrossHair1().SetMode(nox::chBoth);
  Chart().CrossHair1().SetPosX(150);
  Chart().CrossHair1().SetPosY(25);
  Chart().TextLabel(1).SetPosX(60);
  Chart().TextLabel(1).SetPosY(80);
  Chart().TextLabel(1).SetCaption("soak");
  Chart().TextLabel(1).SetMode(nox::tlBox);
  Chart().TextLabel(1).SetVisible(true);
  ChartWidget()->resize(260, 200);
  // A menu still open when a drag's right button is released there chooses the item under it, and
  // "Save as PNG...", "Export PDF..." and "Print..." wait in their file or print dialog (or a
  // warning box): the dialog is cancelled as a user would.
  QTimer dialogCloser;
  QObject::connect(&dialogCloser, &QTimer::timeout, [] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog && (dialog->inherits("QFileDialog") || dialog->inherits("QPrintDialog") ||
                   dialog->inherits("QMessageBox"))) {
      dialog->reject();
    }
  });
  dialogCloser.start(50);
  std::deque<QString> done;
  QElapsedTimer clock;
  clock.start();
  for (long n = 1; n <= gestures; ++n) {
    const std::array<TAxis, 32> before = Axes();
    const nox::TMouseActMode action = Chart().MouseAction();
    done.push_back(QString("%1: ").arg(n) + Gesture());
    if (done.size() > kKeptGestures) done.pop_front();
    QCoreApplication::processEvents();
    done.back() += AnswerMenu();
    const QString fault = Check(before, action);
    if (!fault.isEmpty()) {
      std::fprintf(stderr,
                   "soak: gesture %ld (seed %ld): %s\nreplay: QT_QPA_PLATFORM=offscreen NOX_FONT_DIR=%s "
                   "NOX_SOAK_SEED=%ld NOX_SOAK_GESTURES=%ld %s\n",
                   n, seed, qPrintable(fault), qgetenv("NOX_FONT_DIR").constData(), seed, n,
                   qPrintable(QCoreApplication::applicationFilePath()));
      std::fprintf(stderr, "the gestures up to it (the last %zu kept):\n", done.size());
      for (const QString& g : done) std::fprintf(stderr, "  %s\n", qPrintable(g));
      QFAIL(qPrintable(fault));
    }
    if (memoryEvery > 0 && n % memoryEvery == 0) {
      std::printf("soak: %ld gestures, VmRSS %ld KiB, %lld s\n", n, ResidentKiB(), clock.elapsed() / 1000);
      std::fflush(stdout);
    }
  }
}

QTEST_MAIN(TestSoak)
#include "soak_test.moc"
