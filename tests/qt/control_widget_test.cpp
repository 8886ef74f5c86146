// The host widget on Qt's offscreen platform: what the window really shows (read back from the
// window's backing store), and the input a control receives from events sent through the window
// as a person's would be. The same program runs at device pixel ratios 1, 2 and 1.5; the
// positions used are even numbers of logical pixels, which land on whole device pixels at each.
#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QWheelEvent>
#include <cmath>
#include <memory>
#include <stdexcept>

#include "platform/host.h"
#include "qt/control_widget.h"
#include "qt/recording_control.h"

using nox::test::PatternColor;
using nox::test::TRecordingControl;
using EventList = std::vector<std::string>;

// Lets a failed comparison of event lists print them.
template <>
inline char* QTest::toString(const EventList& events) {
  QByteArray text;
  for (const std::string& e : events) text += "\n      " + QByteArray::fromStdString(e);
  return qstrdup(text.constData());
}

namespace {

// A control that will not grow wider than 50 pixels, whatever it is asked.
class TNarrowControl : public TRecordingControl {
 public:
  void SetBounds(int left, int top, int width, int height) override {
    TRecordingControl::SetBounds(left, top, std::min(width, 50), height);
  }
};

}  // namespace

constexpr QPoint kParking(5, 190);

class TestControlWidget : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void showsTheControlsPixelsExactly();
  void takesItsInitialSizeFromTheControl();
  void showingCreatesTheControlsWindow();
  void resizingGivesTheControlNewBoundsAndRepaints();
  void movingGivesTheControlItsPlaceWithoutRepainting();
  void aSmallerControlLeavesTheWindowColourBesideIt();
  void anOversizedWidgetGivesTheControlTheLargestBitmap();
  void invalidateRepaintsThroughPaint();
  void screenChangedShowsTheChangedAreaWithoutPaint();

  void thePointerLandsOnThePixelItPointsAt();
  void buttonsAndShiftStatesArrive();
  void movesWithoutButtonsArrive();
  void extraMouseButtonsAreIgnored();
  void doubleClickComesInTheClassicOrder();
  void enterAndLeaveArrive();
  void wheelTurnsArriveAndUnhandledOnesGoToTheParent();
  void exceptionsFromTheControlAreStopped();
  void theWidgetShowsTheControlsCursor();

  void keysArriveWithVirtualCodesAndCharacters();
  void arrowKeysFollowTheDialogCode();
  void tabFollowsTheDialogCode();

  void destroyingTheControlFirstLeavesTheWidgetEmpty();
  void destroyingTheWidgetFirstClearsTheSite();
  void aSecondWidgetTakesTheControlOver();
  void detachingClearsTheSite();

 private:
  double Ratio() const { return m_window->devicePixelRatioF(); }
  // Device position of a logical position (the tests use positions that land on whole pixels).
  int Device(int logical) const { return static_cast<int>(std::lround(logical * Ratio())); }
  // The control pixel under a point of the widget given in logical pixels: control pixels are
  // logical ones at every ratio.
  QString At(int x, int y) const { return QString("%1,%2").arg(x).arg(y); }
  // Window position of a point of the control widget.
  QPoint InWindow(int x, int y) const { return m_widget->pos() + QPoint(x, y); }
  QWindow* Window() const { return m_window->windowHandle(); }
  // What the window shows: its backing store, in device pixels. (The offscreen platform hands out
  // only the top left part of it, as many device pixels as the window has logical ones; the
  // window is large enough for the widget to lie inside that part.)
  QImage Shown() const {
    return m_window->screen()->grabWindow(m_window->winId()).toImage().convertToFormat(QImage::Format_RGB32);
  }
  // Whether the widget shows the pattern of this seed pixel for pixel over the control's area, and
  // the window colour beside it.
  bool ShowsPattern(int seed, QString* why = nullptr) const;
  void ShowAndWait();

  std::unique_ptr<QWidget> m_window;
  QPointer<nox::TControlWidget> m_widget;
  QPointer<QLineEdit> m_neighbour;
  std::unique_ptr<TRecordingControl> m_control;
};

void TestControlWidget::init() {
  m_window = std::make_unique<QWidget>();
  m_window->setFixedSize(600, 400);
  m_control = std::make_unique<TRecordingControl>(120, 80);
  m_widget = new nox::TControlWidget(*m_control, m_window.get());
  m_widget->move(20, 20);
  m_neighbour = new QLineEdit(m_window.get());
  m_neighbour->setGeometry(180, 20, 100, 24);
}

void TestControlWidget::cleanup() {
  m_window.reset();
  m_control.reset();
}

void TestControlWidget::ShowAndWait() {
  m_window->show();
  QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
  QTRY_VERIFY(m_control->PaintCount > 0 && !m_control->PaintPending());
  // Park the pointer beside the widget: Qt drops a move to where the pointer already is, and the
  // previous test may have left it on a spot this one uses.
  QTest::mouseMove(Window(), kParking);
  m_control->TakeEvents();
}

bool TestControlWidget::ShowsPattern(int seed, QString* why) const {
  const QImage shown = Shown();
  const QRect area(QPoint(Device(m_widget->x()), Device(m_widget->y())),
                   QSize(Device(m_widget->width()), Device(m_widget->height())));
  const QRgb window = m_widget->palette().window().color().rgb();
  // The control paints its pattern over the device pixels of its screen image.
  const nox::TBitmap& image = m_control->ScreenImage();
  for (int dy = 0; dy < area.height(); ++dy) {
    for (int dx = 0; dx < area.width(); ++dx) {
      const bool inControl = dx < image.Width() && dy < image.Height();
      const QRgb expected = inControl ? nox::ToPixel(PatternColor(dx, dy, seed)) : window;
      const QRgb actual = shown.pixel(area.x() + dx, area.y() + dy);
      if (actual != expected) {
        if (why) {
          *why = QString("device pixel %1,%2 is %3, expected %4")
                     .arg(dx)
                     .arg(dy)
                     .arg(actual, 8, 16, QChar('0'))
                     .arg(expected, 8, 16, QChar('0'));
        }
        return false;
      }
    }
  }
  return true;
}

// --- picture and geometry ---

void TestControlWidget::showsTheControlsPixelsExactly() {
  ShowAndWait();
  QString why;
  QVERIFY2(ShowsPattern(0, &why), qPrintable(why));
}

void TestControlWidget::takesItsInitialSizeFromTheControl() {
  // The widget covers the control's 120 x 80 pixels, which are logical pixels at every ratio.
  QCOMPARE(m_widget->size(), QSize(120, 80));
  QCOMPARE(m_control->DeviceScale(), Ratio());
  QCOMPARE(m_widget->sizeHint(), m_widget->size());
}

void TestControlWidget::showingCreatesTheControlsWindow() {
  QVERIFY(!m_control->HandleAllocated());
  ShowAndWait();
  QVERIFY(m_control->HandleAllocated());
}

void TestControlWidget::resizingGivesTheControlNewBoundsAndRepaints() {
  ShowAndWait();
  const int paints = m_control->PaintCount;
  m_control->Seed = 3;
  m_widget->resize(160, 100);
  QCOMPARE(m_control->Width(), 160);
  QCOMPARE(m_control->Height(), 100);
  QCOMPARE(m_control->Left(), 20);
  QTRY_VERIFY(m_control->PaintCount > paints);
  QString why;
  QTRY_VERIFY2(ShowsPattern(3, &why), qPrintable(why));
}

void TestControlWidget::movingGivesTheControlItsPlaceWithoutRepainting() {
  ShowAndWait();
  const int paints = m_control->PaintCount;
  m_widget->move(40, 60);
  QCOMPARE(m_control->Left(), 40);
  QCOMPARE(m_control->Top(), 60);
  QString why;
  QTRY_VERIFY2(ShowsPattern(0, &why), qPrintable(why));
  QCOMPARE(m_control->PaintCount, paints);
}

void TestControlWidget::aSmallerControlLeavesTheWindowColourBesideIt() {
  std::unique_ptr<TRecordingControl> narrow = std::make_unique<TNarrowControl>();
  m_widget->SetControl(narrow.get());
  m_control = std::move(narrow);
  ShowAndWait();
  QCOMPARE(m_control->Width(), 50);
  QString why;
  QVERIFY2(ShowsPattern(0, &why), qPrintable(why));
}

void TestControlWidget::anOversizedWidgetGivesTheControlTheLargestBitmap() {
  // Hidden, so that no backing store of that size is made; the resize event is sent by hand.
  m_widget->resize(40000, 30);
  QResizeEvent resize(m_widget->size(), QSize(120, 80));
  QApplication::sendEvent(m_widget, &resize);
  // The control's image holds its device pixels: as many control pixels as fit them.
  QCOMPARE(m_control->Width(), static_cast<int>(nox::kMaxBitmapSide / Ratio()));
  QVERIFY(m_control->ScreenImage().Width() <= nox::kMaxBitmapSide);
  QVERIFY(m_control->ScreenImage().Width() > nox::kMaxBitmapSide - Ratio());
}

void TestControlWidget::invalidateRepaintsThroughPaint() {
  ShowAndWait();
  const int paints = m_control->PaintCount;
  m_control->Seed = 5;
  m_control->Invalidate();
  QString why;
  QTRY_VERIFY2(ShowsPattern(5, &why), qPrintable(why));
  QCOMPARE(m_control->PaintCount, paints + 1);
}

void TestControlWidget::screenChangedShowsTheChangedAreaWithoutPaint() {
  ShowAndWait();
  const int paints = m_control->PaintCount;
  nox::TCanvas& canvas = m_control->Canvas();
  canvas.Brush().SetColor(nox::clRed);
  canvas.FillRect(nox::Rect(4, 10, 30, 20));
  canvas.SetPixel(100, 70, nox::clRed);  // drawn, but not reported as changed
  m_control->ScreenChanged(nox::Rect(4, 10, 30, 20));

  // Control pixel (cx, cy) begins at device pixel (Device(cx), Device(cy)) of the control's image.
  auto shownAt = [&](int cx, int cy) {
    return Shown().pixel(Device(m_widget->x() + cx), Device(m_widget->y() + cy));
  };
  QTRY_COMPARE(shownAt(4, 10), nox::ToPixel(nox::clRed));
  QCOMPARE(shownAt(29, 19), nox::ToPixel(nox::clRed));
  QCOMPARE(shownAt(30, 19), nox::ToPixel(PatternColor(Device(30), Device(19), 0)));
  QCOMPARE(shownAt(100, 70), nox::ToPixel(PatternColor(Device(100), Device(70), 0)));
  QCOMPARE(m_control->PaintCount, paints);
}

// --- mouse ---

void TestControlWidget::thePointerLandsOnThePixelItPointsAt() {
  ShowAndWait();
  const QImage shown = Shown();
  for (const QPoint local : {QPoint(0, 0), QPoint(2, 4), QPoint(10, 6), QPoint(58, 40), QPoint(118, 78)}) {
    QTest::mouseMove(Window(), InWindow(local.x(), local.y()));
    const EventList moves = m_control->TakeEvents("move");
    QVERIFY(!moves.empty());
    int x = -1;
    int y = -1;
    QCOMPARE(std::sscanf(moves.back().c_str(), "move - %d,%d", &x, &y), 2);
    const QRgb underPointer =
        shown.pixel(Device(InWindow(local.x(), local.y()).x()), Device(InWindow(local.x(), local.y()).y()));
    QCOMPARE(underPointer, nox::ToPixel(PatternColor(Device(x), Device(y), 0)));
  }
}

void TestControlWidget::buttonsAndShiftStatesArrive() {
  ShowAndWait();
  m_control->TakeEvents();
  QTest::mousePress(Window(), Qt::LeftButton, Qt::ShiftModifier, InWindow(10, 12));
  QTest::mouseMove(Window(), InWindow(30, 20));
  QTest::mouseRelease(Window(), Qt::LeftButton, Qt::ShiftModifier, InWindow(30, 20));
  QTest::mousePress(Window(), Qt::RightButton, Qt::ControlModifier, InWindow(40, 42));
  QTest::mouseRelease(Window(), Qt::RightButton, Qt::ControlModifier, InWindow(40, 42));
  QTest::mousePress(Window(), Qt::MiddleButton, Qt::AltModifier, InWindow(50, 44));
  QTest::mouseRelease(Window(), Qt::MiddleButton, Qt::AltModifier, InWindow(50, 44));
  const EventList expected = {
      ("down mbLeft ssShift|ssLeft " + At(10, 12)).toStdString(),
      ("move ssLeft " + At(30, 20)).toStdString(),
      ("up mbLeft ssShift " + At(30, 20)).toStdString(),
      ("down mbRight ssCtrl|ssRight " + At(40, 42)).toStdString(),
      ("up mbRight ssCtrl " + At(40, 42)).toStdString(),
      ("down mbMiddle ssAlt|ssMiddle " + At(50, 44)).toStdString(),
      ("up mbMiddle ssAlt " + At(50, 44)).toStdString(),
  };
  EventList received;
  for (const std::string& e : m_control->TakeEvents()) {
    // Entering and moving to each press position come first; of the moves only the drag is kept.
    if (e.rfind("down", 0) == 0 || e.rfind("up", 0) == 0 || e.rfind("move ssLeft", 0) == 0)
      received.push_back(e);
  }
  QCOMPARE(received, expected);
}

void TestControlWidget::movesWithoutButtonsArrive() {
  ShowAndWait();
  m_control->TakeEvents();
  QTest::mouseMove(Window(), InWindow(8, 8));
  QTest::mouseMove(Window(), InWindow(64, 32));
  const EventList moves = m_control->TakeEvents("move");
  QVERIFY(!moves.empty());
  QCOMPARE(moves.back(), ("move - " + At(64, 32)).toStdString());
}

void TestControlWidget::extraMouseButtonsAreIgnored() {
  ShowAndWait();
  QTest::mouseMove(Window(), InWindow(8, 8));
  m_control->TakeEvents();
  QTest::mousePress(Window(), Qt::BackButton, {}, InWindow(8, 8));
  QTest::mouseRelease(Window(), Qt::BackButton, {}, InWindow(8, 8));
  QCOMPARE(m_control->TakeEvents("down"), EventList{});
  QCOMPARE(m_control->TakeEvents("up"), EventList{});
}

void TestControlWidget::doubleClickComesInTheClassicOrder() {
  ShowAndWait();
  QTest::mouseMove(Window(), InWindow(20, 10));
  m_control->TakeEvents();
  QTest::mouseDClick(Window(), Qt::LeftButton, {}, InWindow(20, 10));
  const std::string at = At(20, 10).toStdString();
  QCOMPARE((m_control->TakeEvents()), (EventList{"down mbLeft ssLeft " + at, "up mbLeft - " + at, "dblclick",
                                                 "down mbLeft ssLeft|ssDouble " + at, "up mbLeft - " + at}));
  // Only the left button's double click is a DblClick; the others are a press with ssDouble.
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  QTest::mouseDClick(Window(), Qt::RightButton, {}, InWindow(20, 10));
  QCOMPARE((m_control->TakeEvents()),
           (EventList{"down mbRight ssRight " + at, "up mbRight - " + at,
                      "down mbRight ssRight|ssDouble " + at, "up mbRight - " + at}));
}

void TestControlWidget::enterAndLeaveArrive() {
  ShowAndWait();
  QTest::mouseMove(Window(), InWindow(30, 30));
  EventList received = m_control->TakeEvents();
  QVERIFY(!received.empty());
  QCOMPARE(received.front(), std::string("enter"));
  QTest::mouseMove(Window(), kParking);
  received = m_control->TakeEvents();
  QCOMPARE(received, EventList{"leave"});
}

void TestControlWidget::wheelTurnsArriveAndUnhandledOnesGoToTheParent() {
  ShowAndWait();
  // Returns whether the widget accepted the turn: Qt passes one that it did not on to the parent.
  // (Qt Test has no wheel for windows; this goes to the widget straight.)
  auto turn = [&](int delta, Qt::KeyboardModifiers modifiers) {
    const QPointF local(24, 16);
    QWheelEvent wheel(local, m_widget->mapToGlobal(local), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_widget, &wheel);
    return wheel.isAccepted();
  };
  QVERIFY(turn(120, Qt::ControlModifier));
  QVERIFY(turn(-240, Qt::NoModifier));
  QCOMPARE((m_control->TakeEvents()), (EventList{("wheel ssCtrl 120 " + At(24, 16)).toStdString(),
                                                 ("wheel - -240 " + At(24, 16)).toStdString()}));
  m_control->WheelHandled = false;
  QVERIFY(!turn(120, Qt::NoModifier));
  QCOMPARE(m_control->TakeEvents().size(), std::size_t{1});
}

void TestControlWidget::exceptionsFromTheControlAreStopped() {
  ShowAndWait();
  m_control->OnMouseDown = [](nox::TObject*, nox::TMouseButton, nox::TShiftState, int, int) {
    throw std::runtime_error("handler broke");
  };
  QTest::ignoreMessage(QtWarningMsg, QRegularExpression("MouseDown.*handler broke"));
  QTest::mousePress(Window(), Qt::LeftButton, {}, InWindow(10, 10));
  QTest::mouseRelease(Window(), Qt::LeftButton, {}, InWindow(10, 10));
  QVERIFY(!m_control->TakeEvents("up").empty());
  // A paint that fails is stopped too, and the widget goes on painting once the control can.
  m_control->PaintThrows = true;
  QTest::ignoreMessage(QtWarningMsg, QRegularExpression("Paint.*paint broke"));
  const int failed = m_control->PaintCount;
  m_control->Invalidate();
  QTRY_VERIFY(m_control->PaintCount > failed);
  m_control->PaintThrows = false;
  m_control->Invalidate();
  QTRY_VERIFY(!m_control->PaintPending());
  QVERIFY(m_control->PaintCount >= failed + 2);
}

void TestControlWidget::theWidgetShowsTheControlsCursor() {
  ShowAndWait();
  m_control->SetCursor(nox::crCross);
  QTest::mouseMove(Window(), InWindow(10, 10));
  QCOMPARE(m_widget->cursor().shape(), Qt::CrossCursor);
  m_control->SetCursor(nox::crDefault);
  QTest::mouseMove(Window(), InWindow(12, 10));
  QVERIFY(!m_widget->testAttribute(Qt::WA_SetCursor));
}

// --- keys ---

void TestControlWidget::keysArriveWithVirtualCodesAndCharacters() {
  ShowAndWait();
  m_window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
  m_widget->setFocus();
  QTRY_VERIFY(m_widget->hasFocus());
  m_control->TakeEvents();

  QTest::keyClick(Window(), 'a');
  QTest::keyClick(Window(), 'A', Qt::ShiftModifier);
  QTest::keyClick(Window(), '5');
  QTest::keyClick(Window(), Qt::Key_Return);
  QTest::keyClick(Window(), Qt::Key_Escape, Qt::ControlModifier);
  QCOMPARE(
      (m_control->TakeEvents()),
      (EventList{"keydown 65 -", "keypress 97", "keyup 65 -",  //
                 "keydown 16 ssShift", "keydown 65 ssShift", "keypress 65", "keyup 65 ssShift", "keyup 16 -",
                 "keydown 53 -", "keypress 53", "keyup 53 -",  //
                 "keydown 13 -", "keypress 13", "keyup 13 -",  //
                 "keydown 17 ssCtrl", "keydown 27 ssCtrl", "keypress 27", "keyup 27 ssCtrl", "keyup 17 -"}));
}

void TestControlWidget::arrowKeysFollowTheDialogCode() {
  ShowAndWait();
  m_window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

  m_control->Code = nox::dlgcWantArrows;
  m_widget->setFocus();
  QTRY_VERIFY(m_widget->hasFocus());
  m_control->TakeEvents();
  QTest::keyClick(Window(), Qt::Key_Right);
  QTest::keyClick(Window(), Qt::Key_Up, Qt::ShiftModifier);
  QCOMPARE((m_control->TakeEvents()), (EventList{"keydown 39 -", "keyup 39 -", "keydown 16 ssShift",
                                                 "keydown 38 ssShift", "keyup 38 ssShift", "keyup 16 -"}));
  QVERIFY(m_widget->hasFocus());

  // Not asked for: the arrow moves the focus on, as in a dialog, and the control hears nothing.
  m_control->Code = 0;
  QTest::keyClick(Window(), Qt::Key_Right);
  QCOMPARE(m_control->TakeEvents("key"), EventList{});
  QTRY_VERIFY(m_neighbour->hasFocus());
}

void TestControlWidget::tabFollowsTheDialogCode() {
  ShowAndWait();
  m_window->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(m_window.get()));

  m_control->Code = nox::dlgcWantTab | nox::dlgcWantArrows;
  m_widget->setFocus();
  QTRY_VERIFY(m_widget->hasFocus());
  m_control->TakeEvents();
  // Asked for and taken (the key set to 0): the focus stays.
  const nox::TKeyEvent record = m_control->OnKeyDown;
  m_control->OnKeyDown = [record](nox::TObject* sender, std::uint16_t& key, nox::TShiftState shift) {
    record(sender, key, shift);
    if (key == nox::vkTab) key = 0;
  };
  QTest::keyClick(Window(), Qt::Key_Tab);
  QTest::keyClick(Window(), Qt::Key_Backtab, Qt::ShiftModifier);
  QCOMPARE((m_control->TakeEvents("keydown")),
           (EventList{"keydown 9 -", "keydown 16 ssShift", "keydown 9 ssShift"}));
  QVERIFY(m_widget->hasFocus());

  // Asked for but left alone: the control hears it, and the focus moves on all the same.
  m_control->OnKeyDown = record;
  QTest::keyClick(Window(), Qt::Key_Tab);
  QCOMPARE(m_control->TakeEvents("keydown"), EventList{"keydown 9 -"});
  QTRY_VERIFY(m_neighbour->hasFocus());

  m_widget->setFocus();
  QTRY_VERIFY(m_widget->hasFocus());
  m_control->Code = nox::dlgcWantArrows;
  QTest::keyClick(Window(), Qt::Key_Tab);
  QCOMPARE(m_control->TakeEvents("key"), EventList{});
  QTRY_VERIFY(m_neighbour->hasFocus());
}

// --- attaching and destroying ---

void TestControlWidget::destroyingTheControlFirstLeavesTheWidgetEmpty() {
  ShowAndWait();
  m_control.reset();
  QCOMPARE(m_widget->Control(), nullptr);
  // EventList and painting after the control is gone touch nothing of it (the sanitizer run checks).
  QTest::mouseMove(Window(), InWindow(10, 10));
  QTest::mouseClick(Window(), Qt::LeftButton, {}, InWindow(10, 10));
  const QRgb window = m_widget->palette().window().color().rgb();
  QTRY_COMPARE(Shown().pixel(Device(m_widget->x()) + 1, Device(m_widget->y()) + 1), window);
}

void TestControlWidget::destroyingTheWidgetFirstClearsTheSite() {
  ShowAndWait();
  QVERIFY(m_control->Site() != nullptr);
  delete m_widget;
  QCOMPARE(m_control->Site(), nullptr);
  m_control->Invalidate();
  m_control->ScreenChanged();
  QVERIFY(m_control->PaintPending());
}

void TestControlWidget::aSecondWidgetTakesTheControlOver() {
  auto second = std::make_unique<nox::TControlWidget>(*m_control);
  QCOMPARE(m_widget->Control(), nullptr);
  QCOMPARE(second->Control(), m_control.get());
  // The first widget no longer holds the site, so its end leaves the second one's alone.
  delete m_widget;
  QVERIFY(m_control->Site() != nullptr);
  m_control.reset();
  QCOMPARE(second->Control(), nullptr);
}

void TestControlWidget::detachingClearsTheSite() {
  m_widget->SetControl(nullptr);
  QCOMPARE(m_control->Site(), nullptr);
  QCOMPARE(m_widget->Control(), nullptr);
}

QTEST_MAIN(TestControlWidget)
#include "control_widget_test.moc"
