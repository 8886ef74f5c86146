// The Qt host: the cursor table, the application-wide cursor on Qt's override stack, the modal
// information box and the screen's facts.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <memory>

#include "platform/cursors.h"
#include "platform/host.h"
#include "platform/object.h"
#include "qt/qt_host.h"

namespace {

// A 3 x 2 cursor image whose every pixel differs, half of them see-through.
nox::TCursorImage SmallCursor(std::uint32_t tint) {
  nox::TCursorImage image;
  image.Width = 3;
  image.Height = 2;
  image.HotX = 2;
  image.HotY = 1;
  image.Pixels = {0xFF000000u | tint, 0x00000000u,        0xFFFF0000u ^ tint,
                  0x00FFFFFFu,        0xFF00FF00u ^ tint, 0xFF0000FFu};
  return image;
}

// Depth of Qt's override cursor stack (restores it afterwards).
int OverrideDepth() {
  std::vector<QCursor> popped;
  while (const QCursor* top = QGuiApplication::overrideCursor()) {
    popped.push_back(*top);
    QGuiApplication::restoreOverrideCursor();
  }
  for (auto it = popped.rbegin(); it != popped.rend(); ++it) QGuiApplication::setOverrideCursor(*it);
  return static_cast<int>(popped.size());
}

Qt::CursorShape OverrideShape() {
  const QCursor* top = QGuiApplication::overrideCursor();
  return top ? top->shape() : Qt::CustomCursor;
}

}  // namespace

class TestQtHost : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void cleanup();

  void platformCursorsShowTheirQtShapes();
  void defaultRemovesTheOverrideWithoutLeakingLevels();
  void registeredCursorsShowTheirImageAndHotSpot();
  void reRegisteringTheShownCursorUpdatesTheScreen();
  void anUnregisteredIndexShowsTheArrow();
  void badCursorImagesAndIndicesAreRefused();
  void theProgramsCursorResourcesRegister();
  void informationIsAModalBoxWithOneOkButton();
  void informationTextIsShownAsPlainText();
  void screenFacts();
  void destroyingTheHostTakesBackItsCursorAndUninstallsIt();

 private:
  std::unique_ptr<nox::TQtHost> m_host;
};

void TestQtHost::init() {
  m_host = std::make_unique<nox::TQtHost>();
  nox::SetHost(m_host.get());
}

void TestQtHost::cleanup() {
  m_host.reset();
  while (QGuiApplication::overrideCursor()) QGuiApplication::restoreOverrideCursor();
}

void TestQtHost::platformCursorsShowTheirQtShapes() {
  const std::pair<nox::TCursor, Qt::CursorShape> cases[] = {
      {nox::crCross, Qt::CrossCursor},
      {nox::crArrow, Qt::ArrowCursor},
      {nox::crHandPoint, Qt::PointingHandCursor},
      {nox::crSizeWE, Qt::SizeHorCursor},
      {nox::crSizeNESW, Qt::SizeBDiagCursor},
      {nox::crHourGlass, Qt::WaitCursor},
      {nox::crNone, Qt::BlankCursor},
      {-5, Qt::ArrowCursor},  // a value with no cursor
  };
  for (const auto& [cursor, shape] : cases) {
    m_host->SetScreenCursor(cursor);
    QCOMPARE(m_host->ScreenCursor(), cursor);
    QCOMPARE(OverrideShape(), shape);
  }
  QCOMPARE(OverrideDepth(), 1);
}

void TestQtHost::defaultRemovesTheOverrideWithoutLeakingLevels() {
  // The application's own override below the host's must survive untouched.
  QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
  m_host->SetScreenCursor(nox::crDefault);  // nothing to remove yet
  QCOMPARE(OverrideDepth(), 1);
  m_host->SetScreenCursor(nox::crCross);
  m_host->SetScreenCursor(nox::crSizeNS);
  m_host->SetScreenCursor(nox::crCross);
  QCOMPARE(OverrideDepth(), 2);
  QCOMPARE(OverrideShape(), Qt::CrossCursor);
  m_host->SetScreenCursor(nox::crDefault);
  m_host->SetScreenCursor(nox::crDefault);
  QCOMPARE(OverrideDepth(), 1);
  QCOMPARE(OverrideShape(), Qt::BusyCursor);
  QCOMPARE(m_host->ScreenCursor(), nox::crDefault);
}

void TestQtHost::registeredCursorsShowTheirImageAndHotSpot() {
  const nox::TCursorImage image = SmallCursor(0x123456);
  m_host->RegisterCursor(1, image);
  m_host->RegisterCursor(4, SmallCursor(0x654321));
  m_host->SetScreenCursor(1);
  const QCursor* shown = QGuiApplication::overrideCursor();
  QVERIFY(shown);
  QCOMPARE(shown->shape(), Qt::BitmapCursor);
  QCOMPARE(shown->hotSpot(), QPoint(2, 1));
  const QImage pixels = shown->pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
  QCOMPARE(pixels.size(), QSize(3, 2));
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      const std::uint32_t expected = image.Pixels[static_cast<std::size_t>(y * 3 + x)];
      const QRgb actual = pixels.pixel(x, y);
      // See-through pixels carry no colour worth comparing.
      if (qAlpha(expected) == 0) {
        QCOMPARE(qAlpha(actual), 0);
      } else {
        QCOMPARE(actual, expected);
      }
    }
  }
  m_host->SetScreenCursor(4);
  QCOMPARE(QGuiApplication::overrideCursor()
               ->pixmap()
               .toImage()
               .convertToFormat(QImage::Format_ARGB32)
               .pixel(0, 0),
           0xFF654321u);
  QCOMPARE(OverrideDepth(), 1);
}

void TestQtHost::reRegisteringTheShownCursorUpdatesTheScreen() {
  m_host->RegisterCursor(2, SmallCursor(0x111111));
  m_host->SetScreenCursor(2);
  nox::TCursorImage moved = SmallCursor(0x222222);
  moved.HotX = 0;
  moved.HotY = 0;
  m_host->RegisterCursor(2, moved);
  QCOMPARE(QGuiApplication::overrideCursor()->hotSpot(), QPoint(0, 0));
  QCOMPARE(OverrideDepth(), 1);
}

void TestQtHost::anUnregisteredIndexShowsTheArrow() {
  m_host->SetScreenCursor(3);
  QCOMPARE(OverrideShape(), Qt::ArrowCursor);
  QCOMPARE(m_host->ScreenCursor(), nox::TCursor{3});
}

void TestQtHost::badCursorImagesAndIndicesAreRefused() {
  nox::TCursorImage empty;
  QVERIFY_THROWS_EXCEPTION(nox::EInvalidGraphic, m_host->RegisterCursor(1, empty));
  nox::TCursorImage shortOfPixels = SmallCursor(0);
  shortOfPixels.Pixels.pop_back();
  QVERIFY_THROWS_EXCEPTION(nox::EInvalidGraphic, m_host->RegisterCursor(1, shortOfPixels));
  nox::TCursorImage huge;
  huge.Width = 100000;
  huge.Height = 100000;  // refused before anything is read or allocated
  QVERIFY_THROWS_EXCEPTION(nox::EInvalidGraphic, m_host->RegisterCursor(1, huge));
  QVERIFY_THROWS_EXCEPTION(nox::Exception, m_host->RegisterCursor(0, SmallCursor(0)));
  QVERIFY_THROWS_EXCEPTION(nox::Exception, m_host->RegisterCursor(40000, SmallCursor(0)));
  // Nothing was registered: index 1 still shows the arrow.
  m_host->SetScreenCursor(1);
  QCOMPARE(OverrideShape(), Qt::ArrowCursor);

  // A hot spot outside the image is moved onto it.
  nox::TCursorImage outside = SmallCursor(0);
  outside.HotX = -4;
  outside.HotY = 99;
  m_host->RegisterCursor(1, outside);
  m_host->SetScreenCursor(1);
  QCOMPARE(QGuiApplication::overrideCursor()->hotSpot(), QPoint(0, 1));
}

void TestQtHost::theProgramsCursorResourcesRegister() {
  int index = 1;
  for (const char* name : {"CURHAND", "CURZOOMW", "CURZOOMD", "CURZOOMP"}) {
    const nox::TCursorImage* image = nox::FindCursorResource(name);
    QVERIFY2(image, name);
    m_host->RegisterCursor(index, *image);
    m_host->SetScreenCursor(static_cast<nox::TCursor>(index));
    const QCursor* shown = QGuiApplication::overrideCursor();
    QCOMPARE(shown->pixmap().size(), QSize(image->Width, image->Height));
    QCOMPARE(shown->hotSpot(), QPoint(image->HotX, image->HotY));
    ++index;
  }
  QCOMPARE(OverrideDepth(), 1);
}

void TestQtHost::informationIsAModalBoxWithOneOkButton() {
  QWidget window;
  window.show();
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QGuiApplication::setApplicationDisplayName("Example of Zooming and Panning");

  bool seen = false;
  QTimer::singleShot(0, this, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    seen = true;
    QCOMPARE(box->text(), QString("Data are shared: ü"));
    QCOMPARE(box->windowTitle(), QString("Example of Zooming and Panning"));
    QCOMPARE(box->icon(), QMessageBox::Information);
    QCOMPARE(box->standardButtons(), QMessageBox::StandardButtons(QMessageBox::Ok));
    QCOMPARE(box->parentWidget(), &window);
    QVERIFY(box->isModal());
    box->button(QMessageBox::Ok)->click();
  });
  m_host->ShowInformation("Data are shared: \xC3\xBC");
  // ShowInformation returns only after the box was closed.
  QVERIFY(seen);
  QCOMPARE(QApplication::activeModalWidget(), nullptr);
}

void TestQtHost::informationTextIsShownAsPlainText() {
  QString shown;
  QTimer::singleShot(0, this, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box);
    const auto* label = box->findChild<QLabel*>("qt_msgbox_label");
    QVERIFY(label);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    shown = label->text();
    box->button(QMessageBox::Ok)->click();
  });
  m_host->ShowInformation("<b>not bold</b>");
  QCOMPARE(shown, QString("<b>not bold</b>"));
}

void TestQtHost::screenFacts() {
  QVERIFY(QGuiApplication::primaryScreen());
  // The offscreen platform's screen, like most, has 96 logical dots per inch.
  QCOMPARE(m_host->ScreenPixelsPerInch(), 96);
  QCOMPARE(m_host->DeviceAspectX(), 36);
  QCOMPARE(m_host->DeviceAspectY(), 36);
}

void TestQtHost::destroyingTheHostTakesBackItsCursorAndUninstallsIt() {
  m_host->SetScreenCursor(nox::crCross);
  QCOMPARE(&nox::Host(), m_host.get());
  m_host.reset();
  QCOMPARE(OverrideDepth(), 0);
  QVERIFY(dynamic_cast<nox::THeadlessHost*>(&nox::Host()));

  // A host that is not the current one leaves the current one alone.
  nox::THeadlessHost other;
  nox::TScopedHost scope(other);
  { nox::TQtHost idle; }
  QCOMPARE(&nox::Host(), &other);
}

QTEST_MAIN(TestQtHost)
#include "qt_host_test.moc"
