// The demo's windows under a real window manager (openbox on Xvfb, run_under_window_manager.sh),
// where a window's frame is known only after it was shown: the outer geometry must still come out
// as laid down, on a screen large enough for the window and on one smaller than it.
#include <QApplication>
#include <QCheckBox>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <cstdlib>

#include "demo/program.h"
#include "platform/host.h"
#include "qt/qt_host.h"

namespace {

constexpr QRect kDialogOuter(385, 219, 356, 159);

// Centred: the gaps on either side differ by at most one pixel.
bool Centred(const QRect& outer, const QRect& area) {
  return std::abs((outer.left() - area.left()) - (area.right() - outer.right())) <= 1 &&
         std::abs((outer.top() - area.top()) - (area.bottom() - outer.bottom())) <= 1;
}

}  // namespace

class TestWindowManager : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    nox::SetHost(&m_host);
    QVERIFY2(QGuiApplication::platformName() == "xcb", "run this under X (run_under_window_manager.sh)");
  }
  void init() { m_program = std::make_unique<nox::TZoomPanProgram>(); }
  void cleanup() { m_program.reset(); }

  // Shown first, so that no frame of another window hints at the one it will get.
  void warningDialogTakesItsOuterGeometry() {
    nox::TLogWarnForm& dialog = m_program->LogWarnForm();
    if (!dialog.screen()->availableGeometry().contains(kDialogOuter))
      QSKIP("the screen cannot hold the dialog");
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTRY_COMPARE(dialog.frameGeometry(), kDialogOuter);
    QVERIFY2(dialog.windowHandle()->frameMargins().top() > 0, "the dialog got no frame: no window manager");
  }

  void mainWindowIsCentredFrameIncluded() {
    ShowForm();
    const QRect area = Form().screen()->availableGeometry();
    QCOMPARE(Form().size(), QSize(611, 419));
    if (area.width() >= Form().frameGeometry().width() && area.height() >= Form().frameGeometry().height()) {
      QTRY_VERIFY2(Centred(Form().frameGeometry(), area), qPrintable(Describe(Form().frameGeometry())));
    } else {
      // Larger than the screen: the title bar stays on it.
      QTRY_VERIFY2(area.contains(Form().frameGeometry().topLeft()),
                   qPrintable(Describe(Form().frameGeometry())));
    }
  }

  void restoringFromMinimisedKeepsTheItems() {
    ShowForm();
    const int items = Form().Grafon1().DataCount();
    const int activations = Form().ActivationCount();
    Form().showMinimized();
    QTRY_VERIFY(!Form().isActiveWindow());
    Form().showNormal();
    Form().activateWindow();
    QTRY_VERIFY(Form().ActivationCount() > activations);
    QCOMPARE(Form().Grafon1().DataCount(), items);
  }

 private:
  nox::TForm1& Form() { return m_program->Form1(); }
  void ShowForm() {
    Form().show();
    QTRY_VERIFY(Form().ActivationCount() > 0);
    QVERIFY2(Form().windowHandle()->frameMargins().top() > 0, "the window got no frame: no window manager");
  }
  static QString Describe(const QRect& r) {
    return QString("outer %1 x %2 at (%3, %4)").arg(r.width()).arg(r.height()).arg(r.x()).arg(r.y());
  }

  nox::TQtHost m_host;
  std::unique_ptr<nox::TZoomPanProgram> m_program;
};

QTEST_MAIN(TestWindowManager)
#include "window_manager_test.moc"
