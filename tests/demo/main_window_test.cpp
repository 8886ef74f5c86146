// The demo's main window and its warning dialog on Qt's offscreen platform, driven as a person
// would: mouse clicks and keys go through the windows (QWindow overloads of QTest), so modality,
// focus and activation work as on a desktop. Every case starts the program afresh.
#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWheelEvent>
#include <QWindow>
#include <cmath>
#include <functional>
#include <memory>

#include "demo/program.h"
#include "platform/bitmap.h"
#include "platform/host.h"
#include "qt/control_widget.h"
#include "qt/qt_host.h"
#include "support/golden.h"

namespace {

constexpr int kSeriesItems = 677;  // the three series: 1 + 300 + 1 + 300 items and 75 marks
constexpr const char* kOffHint = "Select from Zoom Mode box to use interactive zooming and panning";

struct TRanges {
  double xLow, xHigh, yLow, yHigh;
};

TRanges Layer1(nox::TGrafon& chart) {
  return {chart.Scale1X().RangeLow(), chart.Scale1X().RangeHigh(), chart.Scale1Y().RangeLow(),
          chart.Scale1Y().RangeHigh()};
}

bool Close(double a, double b, double tolerance) { return std::fabs(a - b) <= tolerance; }

// A part of a Qt image into a bitmap, for the golden comparison.
void CopyToBitmap(const QImage& image, const QRect& part, nox::TBitmap& bitmap) {
  bitmap.SetSize(part.width(), part.height());
  for (int y = 0; y < part.height(); ++y) {
    for (int x = 0; x < part.width(); ++x) {
      const QRgb p = image.pixel(part.left() + x, part.top() + y);
      bitmap.SetPixel(x, y,
                      nox::RGB(static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                               static_cast<std::uint8_t>(qBlue(p))));
    }
  }
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase();
  void init();
  void cleanup();

  void controlsSitWhereTheFormPutsThem();
  void windowHasItsFixedSizeTitleAndPlace();
  void tabOrderFollowsTheForm();
  void nothingIsCheckedBeforeTheFirstActivation();
  void firstActivationSwitchesOffAndDrawsTheSeries();
  void chartTakesItsStoredSettings();
  void screenshotShowsTheChartsStartPicture();

  void radioButtonsSetTheMouseActionAndTheHint_data();
  void radioButtonsSetTheMouseActionAndTheHint();
  void zoomInShrinksBothSpansAboutTheCentre();
  void zoomOutThenInReturnsToTheStartView();
  void zoomStepBeyondSingleRangeIsRefused();
  void resetRestoresTheStartViewAndLinearAxes();
  void panDragMovesTheRangesByTheDraggedDistance();

  void logScaleOverNonPositiveRangeWarnsAndStaysLinear();
  void dialogBlocksTheMainWindowUntilClosed();
  void reactivationKeepsTheViewZoomModeAndItems();
  void closeBoxOfTheDialogActsAsOk();
  void logScaleOverPositiveRangeMakesTheAxisLogarithmic();

  void zoomHistoryMinusOneRightAfterStartGivesUnitRanges();
  void pickingFromTheHistoryListKeepsTheWindowActive();
  void typedHistoryTextRecallsNothing();
  void confineSetsAndClearsTheBox();
  void confineKeepsAPanInsideTheBox();
  void isometricGivesBothAxesOneScale();
  void doneClosesTheMainWindow();
  void movingOverTheBackgroundResetsTheCursor();

  void wheelZoomsTheChartAboutThePointer();
  void tabLeadsIntoTheChartAndOnOut();
  void rightClickOpensTheChartMenuOutsideAGesture();
  void printingAfterTheDialogWritesThePage();
  void chartAnnouncesItsCaptionAndRanges();
  void hoverOverAPointShowsItsValues();

 private:
  template <class W>
  W* Find(const char* name) {
    W* widget = m_program->Form1().findChild<W*>(name);
    if (!widget) qFatal("no control %s", name);
    return widget;
  }
  nox::TForm1& Form() { return m_program->Form1(); }
  nox::TGrafon& Chart() { return m_program->Form1().Grafon1(); }
  QWindow* Window() { return m_program->Form1().windowHandle(); }
  // A left click at a point of a control (its centre by default), sent through its window.
  void Click(QWidget* widget, QPoint local = QPoint(-1, -1));
  // Clicks a check box or radio button on its indicator (its caption may end before the centre).
  void ClickBox(QWidget* box) { Click(box, QPoint(7, box->height() / 2)); }
  void ShowAndActivate();
  // A left-button drag on the chart from chart pixel `from` by `by` pixels. The chart takes the
  // drag's start at the first move with the button held, one pixel right of the press.
  void DragOnChart(QPoint from, QPoint by);
  // Runs `what` (which makes the warning dialog appear), handing the open dialog to `inside`, which
  // must close it; returns whether the dialog appeared.
  bool WithDialog(const std::function<void()>& what, const std::function<void(nox::TLogWarnForm&)>& inside);
  void ClickOk(nox::TLogWarnForm& dialog);

  std::unique_ptr<nox::TQtHost> m_host;
  std::unique_ptr<nox::TZoomPanProgram> m_program;
};

void TestMainWindow::initTestCase() {
  m_host = std::make_unique<nox::TQtHost>();
  nox::SetHost(m_host.get());
}

void TestMainWindow::init() { m_program = std::make_unique<nox::TZoomPanProgram>(); }

void TestMainWindow::cleanup() { m_program.reset(); }

void TestMainWindow::Click(QWidget* widget, QPoint local) {
  if (local == QPoint(-1, -1)) local = widget->rect().center();
  QWidget* window = widget->window();
  QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, widget->mapTo(window, local));
}

void TestMainWindow::ShowAndActivate() {
  Form().show();
  QVERIFY(QTest::qWaitForWindowExposed(&Form()));
  QTRY_COMPARE(Form().ActivationCount(), 1);
  QVERIFY(Form().isActiveWindow());
}

void TestMainWindow::DragOnChart(QPoint from, QPoint by) {
  QWidget* chart = Find<QWidget>("Grafon1");
  const QPoint press = chart->mapTo(&Form(), from);
  const QPoint start = press + QPoint(1, 0);
  QTest::mousePress(Window(), Qt::LeftButton, {}, press);
  QTest::mouseMove(Window(), start);
  // In steps, as a hand moves.
  for (int step = 1; step <= 4; ++step) QTest::mouseMove(Window(), start + by * step / 4);
  QTest::mouseRelease(Window(), Qt::LeftButton, {}, start + by);
}

bool TestMainWindow::WithDialog(const std::function<void()>& what,
                                const std::function<void(nox::TLogWarnForm&)>& inside) {
  nox::TLogWarnForm& dialog = m_program->LogWarnForm();
  bool appeared = false;
  QTimer poll;
  poll.setInterval(10);
  connect(&poll, &QTimer::timeout, this, [&] {
    if (QApplication::activeModalWidget() != &dialog || !dialog.isVisible()) return;
    poll.stop();
    appeared = true;
    inside(dialog);
  });
  poll.start();
  what();
  poll.stop();
  return appeared;
}

void TestMainWindow::ClickOk(nox::TLogWarnForm& dialog) {
  auto* ok = dialog.findChild<QPushButton*>("Button1");
  QVERIFY(ok);
  Click(ok);
}

// --- the form ---

void TestMainWindow::controlsSitWhereTheFormPutsThem() {
  struct TRow {
    const char* name;
    QRect bounds;  // in the parent (radio buttons: in the group box)
    const char* caption;
    int fontPixels;
    bool bold;
  };
  const TRow rows[] = {
      {"Bevel1", {168, 8, 433, 369}, nullptr, 15, false},
      {"Grafon1", {170, 10, 429, 365}, nullptr, 15, false},
      {"GroupBox1", {8, 8, 153, 121}, "Zoom Mode", 15, false},
      {"RBPan", {16, 24, 113, 17}, "Pan", 15, false},
      {"RBZoom", {16, 40, 129, 17}, "Zoom Drag", 15, false},
      {"RBZoomWind", {16, 56, 129, 17}, "Zoom Window", 15, false},
      {"RBZoomWindPos", {16, 72, 129, 17}, "Zoom WindPos", 15, false},
      {"RBZoomPanOff", {16, 96, 113, 17}, "Off", 15, false},
      {"ComboBox1", {8, 136, 153, 25}, nullptr, 15, false},
      {"CBConfine", {8, 168, 145, 17}, "Confine Zoom/Pan", 15, false},
      {"CBoxIsometric", {8, 192, 153, 17}, "Isometric", 15, false},
      {"But07", {8, 216, 73, 25}, "x 0.7", 17, true},
      {"But14", {88, 216, 73, 25}, "x 1.4", 17, true},
      {"ButNorm", {8, 248, 153, 25}, "Reset", 17, true},
      {"CBLogX", {32, 280, 121, 25}, "log. x scale", 15, false},
      {"CBLogY", {32, 304, 121, 25}, "log. y scale", 15, false},
      {"BBtDone", {8, 336, 153, 41}, "Done", 17, true},
      {"PnlHints", {8, 384, 593, 33}, "PnlHints", 15, false},
  };
  for (const TRow& row : rows) {
    const QWidget* w = Find<QWidget>(row.name);
    QVERIFY2(w->geometry() == row.bounds, row.name);
    QVERIFY2(w->font().pixelSize() == row.fontPixels, row.name);
    QVERIFY2(w->font().bold() == row.bold, row.name);
    if (!row.caption) continue;
    QString text;
    if (auto* b = qobject_cast<const QAbstractButton*>(w)) text = b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(w)) text = g->title();
    if (auto* l = qobject_cast<const QLabel*>(w)) text = l->text();
    QCOMPARE(text, QString(row.caption));
  }
  QCOMPARE(Find<QWidget>("RBPan")->parentWidget(), Find<QWidget>("GroupBox1"));
  QCOMPARE(Find<QWidget>("Bevel1")->font().families().first(), QString("Arial"));
  QCOMPARE(Find<QWidget>("But07")->font().families().first(), QString("System"));
  QVERIFY(!Find<QPushButton>("BBtDone")->icon().isNull());

  auto* combo = Find<QComboBox>("ComboBox1");
  QVERIFY(combo->isEditable());
  QCOMPARE(combo->count(), 8);
  for (int k = 0; k < 8; ++k) {
    QCOMPARE(combo->itemText(k), k == 0 ? QString("Zoom History [0]") : QString("Zoom History [-%1]").arg(k));
  }
  QCOMPARE(combo->currentText(), QString("Zoom History [0]"));

  const QColor hintColour = Find<QLabel>("PnlHints")->palette().color(QPalette::Window);
  QCOMPARE(hintColour, QColor(255, 255, 0));
  QCOMPARE(Form().palette().color(QPalette::Window), QColor(192, 192, 192));
  // The chart widget sits above the bevel that frames it.
  QCOMPARE(Form().childAt(171, 11), Find<QWidget>("Grafon1"));
}

void TestMainWindow::windowHasItsFixedSizeTitleAndPlace() {
  QCOMPARE(QApplication::applicationDisplayName(), QString("Example of Zooming and Panning"));
  QCOMPARE(Form().windowTitle(), QString("Time Series Plot"));
  ShowAndActivate();
  QCOMPARE(Form().size(), QSize(611, 419));
  QCOMPARE(Form().minimumSize(), QSize(611, 419));
  QCOMPARE(Form().maximumSize(), QSize(611, 419));
  QVERIFY(!(Form().windowFlags() & Qt::WindowMaximizeButtonHint));
  // Centred on the screen (the offscreen platform adds no frame).
  const QRect screen = Form().screen()->availableGeometry();
  QVERIFY(std::abs(Form().frameGeometry().center().x() - screen.center().x()) <= 1);
  QVERIFY(std::abs(Form().frameGeometry().center().y() - screen.center().y()) <= 1);
}

void TestMainWindow::tabOrderFollowsTheForm() {
  ShowAndActivate();
  Find<QWidget>("But07")->setFocus(Qt::TabFocusReason);
  QStringList visited;
  for (int i = 0; i < 10; ++i) {
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus);
    // The zoom-mode group counts once, whichever of its buttons takes the focus.
    const bool inGroup = focus->parentWidget() == Find<QWidget>("GroupBox1");
    const QString name = inGroup ? QString("GroupBox1") : focus->objectName();
    if (visited.isEmpty() || visited.last() != name) visited << name;
    QTest::keyClick(Window(), Qt::Key_Tab);
  }
  const QStringList expected = {"But07",  "But14",  "GroupBox1", "ButNorm",   "BBtDone",
                                "CBLogX", "CBLogY", "ComboBox1", "CBConfine", "CBoxIsometric"};
  QCOMPARE(visited.mid(0, expected.size()), expected);
}

void TestMainWindow::nothingIsCheckedBeforeTheFirstActivation() {
  for (QAbstractButton* b : Form().findChildren<QAbstractButton*>()) {
    QVERIFY2(!b->isChecked(), qPrintable(b->objectName()));
  }
  // The chart is as its stored form left it.
  QCOMPARE(Chart().MouseAction(), nox::maPan);
  QCOMPARE(Chart().DataCount(), 0);
  QCOMPARE(Find<QLabel>("PnlHints")->text(), QString("PnlHints"));
}

void TestMainWindow::firstActivationSwitchesOffAndDrawsTheSeries() {
  ShowAndActivate();
  QVERIFY(Find<QRadioButton>("RBZoomPanOff")->isChecked());
  QCOMPARE(Chart().MouseAction(), nox::maNone);
  QCOMPARE(Find<QLabel>("PnlHints")->text(), QString(kOffHint));
  const TRanges r = Layer1(Chart());
  QCOMPARE(r.xLow, 0.0);
  QCOMPARE(r.xHigh, 300.0);
  QCOMPARE(r.yLow, -60.0);
  QCOMPARE(r.yHigh, 110.0);
  QCOMPARE(Chart().DataCount(), kSeriesItems);
  // The chart was asked to paint the new items.
  QTRY_VERIFY(!Chart().PaintPending());
}

void TestMainWindow::chartTakesItsStoredSettings() {
  nox::TGrafon& g = Chart();
  QCOMPARE(g.Left(), 170);
  QCOMPARE(g.Top(), 10);
  QCOMPARE(g.Width(), 429);
  QCOMPARE(g.Height(), 365);
  QCOMPARE(g.MarginLeft(), 60);
  QCOMPARE(g.MarginRight(), 15);
  QCOMPARE(g.MarginTop(), 20);
  QCOMPARE(g.MarginBottom(), 40);
  QCOMPARE(g.Caption(), std::string("Caption"));
  QCOMPARE(g.ChartColor(), nox::clBtnFace);
  QCOMPARE(g.GridDx(), 1.0);
  QCOMPARE(g.MouseCursorFixed(), false);
  QCOMPARE(g.ShadowColor(), nox::clGray);
  QCOMPARE(g.ShadowBakColor(), nox::clSilver);
  QCOMPARE(g.FillColor(), nox::clWhite);
  QCOMPARE(g.Font().Name(), std::string("Arial"));
  QCOMPARE(g.Font().Height(), -13);
  QCOMPARE(g.CrossHair(3).Layer(), 3);
  QCOMPARE(g.CrossHair(3).Color(), nox::clBlack);
  QCOMPARE(g.CrossHair(3).LineType(), nox::psSolid);
  QCOMPARE(g.Scale1X().RangeHigh(), 300.0);
  QCOMPARE(g.Scale1X().CaptionPosY(), 22);
  QCOMPARE(g.Scale1X().CaptionAnchor(), nox::uaSclCenter);
  QCOMPARE(g.Scale1Y().RangeLow(), -60.0);
  QCOMPARE(g.Scale1Y().CaptionAlignment(), nox::taLeftJustify);
  QCOMPARE(g.Scale1Y().Font().Height(), -13);
  QCOMPARE(g.Scale2X().ColorScale(), nox::clMaroon);
  QCOMPARE(g.Scale2Y().CaptionPosY(), 100);
  QVERIFY(!g.Scale2X().Visible());
  // The form was read in the loading state and Loaded ended it.
  QVERIFY(!g.IsLoading());
  QVERIFY(!g.Scale1X().LoadingGuard());
}

void TestMainWindow::screenshotShowsTheChartsStartPicture() {
  ShowAndActivate();
  QTRY_VERIFY(!Chart().PaintPending());
  // What the window shows where the chart sits: the black noisy curve, the red smooth curve and the
  // blue marks over the silver chart area, both axes with their labels, the caption "Caption" at the
  // top right.
  const QImage shot = Form().grab().toImage();
  QCOMPARE(shot.size(), QSize(611, 419));
  nox::TBitmap chart;
  CopyToBitmap(shot, QRect(170, 10, 429, 365), chart);
  const ::testing::AssertionResult matches = nox::test::MatchesGolden(chart, "demo/start_view");
  QVERIFY2(matches, matches.message());
}

// --- zoom mode, zoom steps, reset ---

void TestMainWindow::radioButtonsSetTheMouseActionAndTheHint_data() {
  QTest::addColumn<QString>("button");
  QTest::addColumn<int>("action");
  QTest::addColumn<QString>("hint");
  QTest::newRow("Pan") << "RBPan" << int{nox::maPan} << "maPan: Click and drag on graphics";
  QTest::newRow("Zoom Drag") << "RBZoom" << int{nox::maZoomDrag} << "maZoomDrag: Click and drag on graphics";
  QTest::newRow("Zoom Window") << "RBZoomWind" << int{nox::maZoomWind}
                               << "maZoomWind: Click on graphics area to define window corners";
  QTest::newRow("Zoom WindPos") << "RBZoomWindPos" << int{nox::maZoomWindPos}
                                << "maZoomWindPos: Click on graphics area to define window corners";
}

void TestMainWindow::radioButtonsSetTheMouseActionAndTheHint() {
  QFETCH(QString, button);
  QFETCH(int, action);
  QFETCH(QString, hint);
  ShowAndActivate();
  ClickBox(Find<QRadioButton>(qPrintable(button)));
  QCOMPARE(int{Chart().MouseAction()}, action);
  QCOMPARE(Find<QLabel>("PnlHints")->text(), hint);
  // "Off" brings back no mouse action and its hint.
  ClickBox(Find<QRadioButton>("RBZoomPanOff"));
  QCOMPARE(Chart().MouseAction(), nox::maNone);
  QCOMPARE(Find<QLabel>("PnlHints")->text(), QString(kOffHint));
}

void TestMainWindow::zoomInShrinksBothSpansAboutTheCentre() {
  ShowAndActivate();
  Click(Find<QPushButton>("But14"));
  // Centre and half span in single precision: 150 +- 300 / 2.8 and 25 +- 170 / 2.8.
  const long double hx = static_cast<float>(300 / 2.8L);
  const long double hy = static_cast<float>(170 / 2.8L);
  const TRanges r = Layer1(Chart());
  QCOMPARE(r.xLow, static_cast<double>(150 - hx));
  QCOMPARE(r.xHigh, static_cast<double>(150 + hx));
  QCOMPARE(r.yLow, static_cast<double>(25 - hy));
  QCOMPARE(r.yHigh, static_cast<double>(25 + hy));
  QVERIFY(Close(r.xLow, 42.857, 1e-3) && Close(r.xHigh, 257.143, 1e-3));
  QVERIFY(Close(r.yLow, -35.714, 1e-3) && Close(r.yHigh, 85.714, 1e-3));
}

void TestMainWindow::zoomOutThenInReturnsToTheStartView() {
  ShowAndActivate();
  Click(Find<QPushButton>("But07"));
  const TRanges out = Layer1(Chart());
  QVERIFY(Close(out.xLow, -60, 1e-4) && Close(out.xHigh, 360, 1e-4));
  QVERIFY(Close(out.yLow, -94, 1e-4) && Close(out.yHigh, 144, 1e-4));
  Click(Find<QPushButton>("But14"));
  const TRanges back = Layer1(Chart());
  QVERIFY(Close(back.xLow, 0, 1e-4) && Close(back.xHigh, 300, 1e-4));
  QVERIFY(Close(back.yLow, -60, 1e-4) && Close(back.yHigh, 110, 1e-4));
}

void TestMainWindow::zoomStepBeyondSingleRangeIsRefused() {
  ShowAndActivate();
  // A half span of 3.5e38 has no single-precision value: the step leaves the view alone.
  Chart().SetLayerRange(1, 0, 0, 5e38L, 1);
  Click(Find<QPushButton>("But07"));
  const TRanges r = Layer1(Chart());
  QCOMPARE(r.xLow, 0.0);
  QCOMPARE(r.xHigh, 5e38);
  QCOMPARE(r.yHigh, 1.0);
}

void TestMainWindow::resetRestoresTheStartViewAndLinearAxes() {
  ShowAndActivate();
  Chart().SetLayerRange(1, 10, 5, 20, 50);
  ClickBox(Find<QCheckBox>("CBLogX"));
  ClickBox(Find<QCheckBox>("CBLogY"));
  QVERIFY(Chart().Scale1X().Logarithmic() && Chart().Scale1Y().Logarithmic());
  const int items = Chart().DataCount();
  Click(Find<QPushButton>("ButNorm"));
  QVERIFY(!Find<QCheckBox>("CBLogX")->isChecked());
  QVERIFY(!Find<QCheckBox>("CBLogY")->isChecked());
  QVERIFY(!Chart().Scale1X().Logarithmic() && !Chart().Scale1Y().Logarithmic());
  const TRanges r = Layer1(Chart());
  QCOMPARE(r.xLow, 0.0);
  QCOMPARE(r.xHigh, 300.0);
  QCOMPARE(r.yLow, -60.0);
  QCOMPARE(r.yHigh, 110.0);
  QCOMPARE(Chart().DataCount(), items);
}

void TestMainWindow::panDragMovesTheRangesByTheDraggedDistance() {
  ShowAndActivate();
  ClickBox(Find<QRadioButton>("RBPan"));
  // The chart area is 429 - 60 - 15 = 354 pixels wide for 300 units and 365 - 20 - 40 = 305 high
  // for 170. Dragging right and down moves the view left and up: the ranges fall in x, rise in y.
  DragOnChart(QPoint(200, 150), QPoint(50, 30));
  const TRanges r = Layer1(Chart());
  const double dx = 50.0 * 300 / 354;
  const double dy = 30.0 * 170 / 305;
  QVERIFY(Close(r.xLow, -dx, 1e-9) && Close(r.xHigh, 300 - dx, 1e-9));
  QVERIFY(Close(r.yLow, -60 + dy, 1e-9) && Close(r.yHigh, 110 + dy, 1e-9));
  // The pan is one zoom-history entry: [-1] is the start view again.
  Chart().RecallZoom(-1);
  QCOMPARE(Layer1(Chart()).xHigh, 300.0);
}

// --- logarithmic axes and the warning dialog ---

void TestMainWindow::logScaleOverNonPositiveRangeWarnsAndStaysLinear() {
  ShowAndActivate();
  auto* box = Find<QCheckBox>("CBLogY");
  QString title;
  QRect frame;
  QStringList texts;
  const bool warned = WithDialog([&] { ClickBox(box); },
                                 [&](nox::TLogWarnForm& dialog) {
                                   title = dialog.windowTitle();
                                   frame = dialog.frameGeometry();
                                   for (const char* name : {"Label1", "Label2", "Label3", "Label4"}) {
                                     texts << dialog.findChild<QLabel*>(name)->text();
                                   }
                                   ClickOk(dialog);
                                 });
  QVERIFY(warned);
  QCOMPARE(title, QString("Warning: Negative or Zero Parts of Axis !"));
  QCOMPARE(frame, QRect(385, 219, 356, 159));
  const QStringList expected = {"Sorry, you must not switch to logarithmic scales",
                                "if parts of the axis are negative or zero.",
                                "Hint: Pan the data window to a positive range by dragging",
                                "using the mouse (select  Zoom Mode = pan)"};
  QCOMPARE(texts, expected);
  QVERIFY(!box->isChecked());
  QVERIFY(!Chart().Scale1Y().Logarithmic());
  QVERIFY(!m_program->LogWarnForm().isVisible());

  // The x axis starts at 0, which is not positive either.
  auto* boxX = Find<QCheckBox>("CBLogX");
  QVERIFY(WithDialog([&] { ClickBox(boxX); }, [&](nox::TLogWarnForm& dialog) { ClickOk(dialog); }));
  QVERIFY(!boxX->isChecked());
  QVERIFY(!Chart().Scale1X().Logarithmic());
}

void TestMainWindow::dialogBlocksTheMainWindowUntilClosed() {
  ShowAndActivate();
  TRanges during{};
  const bool warned = WithDialog([&] { ClickBox(Find<QCheckBox>("CBLogY")); },
                                 [&](nox::TLogWarnForm& dialog) {
                                   // A click on "x 1.4" while the dialog is open does nothing.
                                   Click(Find<QPushButton>("But14"));
                                   during = Layer1(Chart());
                                   ClickOk(dialog);
                                 });
  QVERIFY(warned);
  QCOMPARE(during.xLow, 0.0);
  QCOMPARE(during.xHigh, 300.0);
}

void TestMainWindow::reactivationKeepsTheViewZoomModeAndItems() {
  ShowAndActivate();
  ClickBox(Find<QRadioButton>("RBPan"));
  Click(Find<QPushButton>("But14"));
  const TRanges zoomed = Layer1(Chart());
  // Back from the warning dialog, then back from another window.
  QVERIFY(WithDialog([&] { ClickBox(Find<QCheckBox>("CBLogY")); },
                     [&](nox::TLogWarnForm& dialog) { ClickOk(dialog); }));
  QTRY_COMPARE(Form().ActivationCount(), 2);
  QWidget other;
  other.show();
  other.activateWindow();
  QTRY_VERIFY(other.isActiveWindow());
  Form().activateWindow();
  QTRY_COMPARE(Form().ActivationCount(), 3);
  QCOMPARE(Chart().DataCount(), kSeriesItems);
  QCOMPARE(Layer1(Chart()).xLow, zoomed.xLow);
  QCOMPARE(Layer1(Chart()).yHigh, zoomed.yHigh);
  QVERIFY(Find<QRadioButton>("RBPan")->isChecked());
  QCOMPARE(Chart().MouseAction(), nox::maPan);
}

void TestMainWindow::closeBoxOfTheDialogActsAsOk() {
  ShowAndActivate();
  auto* box = Find<QCheckBox>("CBLogX");
  QVERIFY(
      WithDialog([&] { ClickBox(box); }, [&](nox::TLogWarnForm& dialog) { dialog.windowHandle()->close(); }));
  QVERIFY(!m_program->LogWarnForm().isVisible());
  QVERIFY(!box->isChecked());
  QTRY_COMPARE(Form().ActivationCount(), 2);
  QCOMPARE(Chart().DataCount(), kSeriesItems);
}

void TestMainWindow::logScaleOverPositiveRangeMakesTheAxisLogarithmic() {
  ShowAndActivate();
  // Pan y up by 150 pixels: 150 / 305 x 170 = 83.6 units, so y runs from 23.6 to 193.6.
  ClickBox(Find<QRadioButton>("RBPan"));
  DragOnChart(QPoint(200, 60), QPoint(0, 150));
  QVERIFY(Chart().Scale1Y().RangeLow() > 20);
  auto* box = Find<QCheckBox>("CBLogY");
  bool warned = false;
  // A timer of this test's own, so that it cannot fire in a later test (and close that test's box).
  QTimer watch;
  watch.setSingleShot(true);
  connect(&watch, &QTimer::timeout, this, [&] {
    if (QApplication::activeModalWidget()) {
      warned = true;
      QApplication::activeModalWidget()->close();
    }
  });
  watch.start(2000);
  ClickBox(box);
  QVERIFY(!warned);
  QVERIFY(box->isChecked());
  QVERIFY(Chart().Scale1Y().Logarithmic());
  // Unchecking makes it linear again without a warning.
  ClickBox(box);
  QVERIFY(!box->isChecked());
  QVERIFY(!Chart().Scale1Y().Logarithmic());
  QCOMPARE(Form().ActivationCount(), 1);
}

// --- zoom history, confinement, isometric, done, cursor ---

void TestMainWindow::zoomHistoryMinusOneRightAfterStartGivesUnitRanges() {
  ShowAndActivate();
  auto* combo = Find<QComboBox>("ComboBox1");
  combo->setFocus(Qt::MouseFocusReason);
  QTest::keyClick(Window(), Qt::Key_Down);
  QCOMPARE(combo->currentText(), QString("Zoom History [-1]"));
  // The entry before the activation's SetLayerRange: the ranges after construction (the stored
  // form's ranges were set while loading, which records nothing).
  const TRanges r = Layer1(Chart());
  QCOMPARE(r.xLow, 0.0);
  QCOMPARE(r.xHigh, 1.0);
  QCOMPARE(r.yLow, 0.0);
  QCOMPARE(r.yHigh, 1.0);
  // Back to [0]: the start view.
  QTest::keyClick(Window(), Qt::Key_Up);
  QCOMPARE(Layer1(Chart()).xHigh, 300.0);
  QCOMPARE(Layer1(Chart()).yLow, -60.0);
}

void TestMainWindow::pickingFromTheHistoryListKeepsTheWindowActive() {
  ShowAndActivate();
  Click(Find<QPushButton>("But14"));
  auto* combo = Find<QComboBox>("ComboBox1");
  // Open the list with the arrow at the box's right end and click "Zoom History [-1]" in it.
  Click(combo, QPoint(combo->width() - 8, combo->height() / 2));
  QWidget* popup = combo->view()->window();
  QTRY_VERIFY(popup->isVisible());
  QAbstractItemView* view = combo->view();
  const QPoint item = view->visualRect(view->model()->index(1, 0)).center();
  QTest::mouseClick(popup->windowHandle(), Qt::LeftButton, {}, view->viewport()->mapTo(popup, item));
  QTRY_VERIFY(!popup->isVisible());
  QCOMPARE(combo->currentText(), QString("Zoom History [-1]"));
  // The list is no window of its own for activation: the recalled view (the start view, before
  // the zoom step) stays, nothing is added.
  QTest::qWait(50);
  QCOMPARE(Form().ActivationCount(), 1);
  QCOMPARE(Chart().DataCount(), kSeriesItems);
  QCOMPARE(Layer1(Chart()).xHigh, 300.0);
  QCOMPARE(Layer1(Chart()).yLow, -60.0);
}

void TestMainWindow::typedHistoryTextRecallsNothing() {
  ShowAndActivate();
  Click(Find<QPushButton>("But14"));
  const TRanges zoomed = Layer1(Chart());
  auto* combo = Find<QComboBox>("ComboBox1");
  Click(combo->lineEdit());
  QTest::keyClick(Window(), '7');
  QTest::keyClick(Window(), Qt::Key_Return);
  const TRanges r = Layer1(Chart());
  QCOMPARE(r.xLow, zoomed.xLow);
  QCOMPARE(r.yHigh, zoomed.yHigh);
  QCOMPARE(combo->count(), 8);  // typed text adds no item
}

void TestMainWindow::confineSetsAndClearsTheBox() {
  ShowAndActivate();
  auto* box = Find<QCheckBox>("CBConfine");
  ClickBox(box);
  QVERIFY(box->isChecked());
  QVERIFY(Chart().ConfinementActive());
  ClickBox(box);
  QVERIFY(!Chart().ConfinementActive());
}

void TestMainWindow::confineKeepsAPanInsideTheBox() {
  ShowAndActivate();
  ClickBox(Find<QCheckBox>("CBConfine"));
  ClickBox(Find<QRadioButton>("RBPan"));
  // 300 pixels to the left ask for x 254..554; the box ends at 450 and the pan keeps the span.
  DragOnChart(QPoint(380, 150), QPoint(-300, 0));
  const TRanges r = Layer1(Chart());
  QCOMPARE(r.xLow, 150.0);
  QCOMPARE(r.xHigh, 450.0);
  // Without the box the same drag goes all the way.
  ClickBox(Find<QCheckBox>("CBConfine"));
  Click(Find<QPushButton>("ButNorm"));
  DragOnChart(QPoint(380, 150), QPoint(-300, 0));
  QVERIFY(Close(Layer1(Chart()).xHigh, 300 + 300.0 * 300 / 354, 1e-9));
}

void TestMainWindow::isometricGivesBothAxesOneScale() {
  ShowAndActivate();
  ClickBox(Find<QCheckBox>("CBoxIsometric"));
  QVERIFY(Chart().Isometric());
  // World units per pixel are the same on both axes (the offscreen screen has square pixels), and
  // the y range stays centred where it was.
  const TRanges r = Layer1(Chart());
  const double perPixelX = (r.xHigh - r.xLow) / (Chart().ChartAreaWidth() + 1);
  const double perPixelY = (r.yHigh - r.yLow) / (Chart().ChartAreaHeight() + 1);
  QVERIFY(Close(perPixelX, perPixelY, 1e-12));
  QVERIFY(Close((r.yLow + r.yHigh) / 2, 25, 1e-9));
  ClickBox(Find<QCheckBox>("CBoxIsometric"));
  QVERIFY(!Chart().Isometric());
}

void TestMainWindow::doneClosesTheMainWindow() {
  ShowAndActivate();
  Click(Find<QPushButton>("BBtDone"));
  QVERIFY(!Form().isVisible());
  // It was the last visible window, and closing it ends the message loop.
  QVERIFY(Form().testAttribute(Qt::WA_QuitOnClose) && QApplication::quitOnLastWindowClosed());
  for (const QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!w->isVisible());
}

void TestMainWindow::movingOverTheBackgroundResetsTheCursor() {
  ShowAndActivate();
  nox::Host().SetScreenCursor(nox::crCross);
  QTest::mouseMove(Window(), QPoint(300, 200));
  QTest::mouseMove(Window(), QPoint(164, 200));  // between the buttons and the bevel
  QCOMPARE(nox::Host().ScreenCursor(), nox::crDefault);
}

QTEST_MAIN(TestMainWindow)
// --- wheel, keys, menu and accessibility of the chart ---

void TestMainWindow::wheelZoomsTheChartAboutThePointer() {
  ShowAndActivate();
  auto* widget = Find<nox::TControlWidget>("Grafon1");
  const QPointF at(200, 150);
  double wx = 0, wy = 0;
  Chart().PixelToWorld(1, 200, 150, wx, wy);
  const auto turn = [&](QPoint angle, QPoint pixels) {
    QWheelEvent wheel(at, widget->mapToGlobal(at), pixels, angle, Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &wheel);
  };
  turn({0, 120}, {});
  const TRanges r = Layer1(Chart());
  QVERIFY(Close(r.xHigh - r.xLow, 240, 1e-9) && Close(r.yHigh - r.yLow, 136, 1e-9));
  double ax = 0, ay = 0;
  Chart().PixelToWorld(1, 200, 150, ax, ay);
  QVERIFY(Close(ax, wx, 1e-9) && Close(ay, wy, 1e-9));  // the point under the pointer stays
  // A touchpad that reports pixels only: 40 of them are a notch.
  turn({}, {0, -40});
  QVERIFY(Close(Layer1(Chart()).xHigh - Layer1(Chart()).xLow, 300, 1e-9));
}

void TestMainWindow::tabLeadsIntoTheChartAndOnOut() {
  ShowAndActivate();
  auto* widget = Find<nox::TControlWidget>("Grafon1");
  Find<QWidget>("CBoxIsometric")->setFocus(Qt::TabFocusReason);
  QTest::keyClick(Window(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), widget);  // the last stop of the tab order
  QVERIFY(widget->FocusFrameShown());
  QTest::keyClick(Window(), Qt::Key_Right);  // a tenth of 300
  QVERIFY(Close(Layer1(Chart()).xLow, 30, 1e-9));
  // The chart asks for Tab and leaves it: the focus goes on, and comes back with Shift+Tab.
  QTest::keyClick(Window(), Qt::Key_Tab);
  QVERIFY(QApplication::focusWidget() != widget);
  QVERIFY(!widget->FocusFrameShown());
  QTest::keyClick(Window(), Qt::Key_Backtab, Qt::ShiftModifier);
  QCOMPARE(QApplication::focusWidget(), widget);
  QTest::keyClick(Window(), Qt::Key_Tab, Qt::ShiftModifier);
  QVERIFY(QApplication::focusWidget() != widget);
}

void TestMainWindow::rightClickOpensTheChartMenuOutsideAGesture() {
  ShowAndActivate();
  auto* widget = Find<nox::TControlWidget>("Grafon1");
  const QPoint at = widget->mapTo(&Form(), QPoint(200, 150));
  QTest::mouseClick(Window(), Qt::RightButton, {}, at);
  QMenu* menu = widget->OpenMenu();
  QVERIFY(menu && menu->isVisible());
  QStringList texts;
  for (QAction* a : menu->actions()) texts << (a->isSeparator() ? QString("-") : a->text());
  QCOMPARE(texts, (QStringList{"&Copy image", "&Save as PNG…", "&Print…", "Export P&DF…", "-",
                               "&Back in history", "&Reset view"}));
  menu->actions()[5]->trigger();  // back to the view before the start view: unit ranges
  QCOMPARE(Layer1(Chart()).xHigh, 1.0);
  menu->close();
  QTRY_VERIFY(!widget->OpenMenu());
  // A right click that cancels a zoom window opens nothing and zooms nothing.
  ClickBox(Find<QRadioButton>("RBZoomWind"));
  const QPoint corner = at + QPoint(40, 30);
  QTest::mousePress(Window(), Qt::LeftButton, {}, at);
  QTest::mouseMove(Window(), corner);
  QTest::mousePress(Window(), Qt::RightButton, {}, corner);
  QTest::mouseRelease(Window(), Qt::RightButton, {}, corner);
  QTest::mouseRelease(Window(), Qt::LeftButton, {}, corner);
  QTest::qWait(50);
  QVERIFY(!widget->OpenMenu());
  QCOMPARE(Layer1(Chart()).xHigh, 1.0);
}

// What the Print… action does once its dialog is accepted: the chart on a page of a PDF printer.
void TestMainWindow::printingAfterTheDialogWritesThePage() {
  ShowAndActivate();
  QTemporaryDir folder;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(folder.filePath("page.pdf"));
  QVERIFY(Form().PrintChartOn(printer));
  QFile page(folder.filePath("page.pdf"));
  QVERIFY(page.open(QIODevice::ReadOnly));
  QCOMPARE(page.read(5), QByteArray("%PDF-"));
  QVERIFY(page.size() > 10000);  // the chart's picture, not an empty page
}

void TestMainWindow::chartAnnouncesItsCaptionAndRanges() {
  ShowAndActivate();
  auto* widget = Find<nox::TControlWidget>("Grafon1");
  QTRY_COMPARE(widget->accessibleName(), QString("Caption"));
  QTRY_VERIFY(widget->accessibleDescription().contains("x from 0 to 300, y from -60 to 110"));
}

void TestMainWindow::hoverOverAPointShowsItsValues() {
  ShowAndActivate();
  auto* widget = Find<nox::TControlWidget>("Grafon1");
  const int index = Chart().DataCount() / 2;
  const nox::TgfChartItem item = Chart().DataItems()[static_cast<std::size_t>(index)];
  int px = 0, py = 0;
  Chart().WorldToPixel(item.Layer, item.X1, item.Y1, px, py);
  const std::optional<nox::TgfItemHit> hit = Chart().NearestDataItem(px, py, 5);
  QVERIFY(hit.has_value());
  QTest::mouseMove(Window(), widget->mapTo(&Form(), QPoint(px, py)));
  QTRY_VERIFY(QToolTip::isVisible());
  QCOMPARE(QToolTip::text(), QString("Point %1\nx = %2\ny = %3").arg(hit->Index).arg(hit->X).arg(hit->Y));
  // Away from every point the tooltip goes.
  QPoint empty(-1, -1);
  const int right = Chart().Width() - Chart().MarginRight(), bottom = Chart().Height() - Chart().MarginBottom();
  for (int y = Chart().MarginTop() + 5; y < bottom && empty.x() < 0; y += 7) {
    for (int x = Chart().MarginLeft() + 5; x < right && empty.x() < 0; x += 7) {
      if (!Chart().NearestDataItem(x, y, 5)) empty = {x, y};
    }
  }
  QVERIFY(empty.x() >= 0);
  QTest::mouseMove(Window(), widget->mapTo(&Form(), empty));
  QTRY_VERIFY(!QToolTip::isVisible());
}

#include "main_window_test.moc"
