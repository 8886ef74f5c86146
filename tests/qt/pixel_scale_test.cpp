// Control pixels against logical and device pixels: the ratio kept, control sizes limited by the
// device image, pointer positions and the logical area an image covers.
#include <QTest>
#include <cmath>
#include <limits>

#include "platform/bitmap.h"
#include "qt/pixel_scale.h"

using nox::detail::TPixelScale;

class TestPixelScale : public QObject {
  Q_OBJECT

 private slots:
  void ratioIsKeptWithinTheCanvasLimits_data();
  void ratioIsKeptWithinTheCanvasLimits();
  void controlSizeIsTheWidgetsWhileItsDeviceImageFits();
  void pointerPositionsRoundDownAndAreLimited();
  void coveredLogicalSizesRoundDown();
};

void TestPixelScale::ratioIsKeptWithinTheCanvasLimits_data() {
  QTest::addColumn<double>("ratio");
  QTest::addColumn<double>("kept");
  QTest::newRow("1") << 1.0 << 1.0;
  QTest::newRow("1.25") << 1.25 << 1.25;
  QTest::newRow("1.5") << 1.5 << 1.5;
  QTest::newRow("2") << 2.0 << 2.0;
  QTest::newRow("0.5") << 0.5 << 0.5;
  QTest::newRow("zero") << 0.0 << 1.0;
  QTest::newRow("negative") << -2.0 << 1.0;
  QTest::newRow("NaN") << std::nan("") << 1.0;
  QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 1.0;
  QTest::newRow("huge") << 1e300 << 8.0;
}

void TestPixelScale::ratioIsKeptWithinTheCanvasLimits() {
  QFETCH(double, ratio);
  QFETCH(double, kept);
  QCOMPARE(TPixelScale(ratio).DeviceRatio(), kept);
}

void TestPixelScale::controlSizeIsTheWidgetsWhileItsDeviceImageFits() {
  for (const double ratio : {1.0, 1.25, 1.5, 2.0}) {
    QCOMPARE(TPixelScale(ratio).ControlSize(QSize(120, 80)), QSize(120, 80));
  }
  QCOMPARE(TPixelScale(2).ControlSize(QSize(-5, 0)), QSize(0, 0));
  QCOMPARE(TPixelScale(1).ControlSize(QSize(QWIDGETSIZE_MAX, 1)).width(), nox::kMaxBitmapSide);
  QCOMPARE(TPixelScale(2).ControlSize(QSize(QWIDGETSIZE_MAX, 1)).width(), nox::kMaxBitmapSide / 2);
  // A huge widget at 1.5: both sides and the area of the device image within the limits.
  const QSize most = TPixelScale(1.5).ControlSize(QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
  const double w = std::floor(most.width() * 1.5 + 0.5), h = std::floor(most.height() * 1.5 + 0.5);
  QVERIFY(w <= nox::kMaxBitmapSide && h <= nox::kMaxBitmapSide && w * h <= nox::kMaxBitmapPixels);
  QVERIFY(w * (h + 2) > nox::kMaxBitmapPixels);
}

void TestPixelScale::pointerPositionsRoundDownAndAreLimited() {
  for (const double ratio : {1.0, 1.5, 2.0}) {
    QCOMPARE(TPixelScale(ratio).ControlPoint(QPointF(10.9, -0.5)), (nox::TPoint{10, -1}));
  }
  const TPixelScale unit(1);
  const int limit = nox::detail::kMaxPointerCoordinate;
  QCOMPARE(unit.ControlPoint(QPointF(1e30, -1e30)), (nox::TPoint{limit, -limit}));
  QCOMPARE(unit.ControlPoint(QPointF(std::nan(""), std::numeric_limits<double>::infinity())),
           (nox::TPoint{0, limit}));
}

void TestPixelScale::coveredLogicalSizesRoundDown() {
  QCOMPARE(TPixelScale(2).CoveredLogicalSize(240, 161), QSize(120, 80));
  // 151 device pixels at 1.5 are 100.67 logical pixels: 100 are covered.
  QCOMPARE(TPixelScale(1.5).CoveredLogicalSize(151, 150), QSize(100, 100));
  // 33 device pixels at 1.1 are a hair below 30 in floating point; they still cover 30.
  QCOMPARE(TPixelScale(1.1).CoveredLogicalSize(33, 0), QSize(30, 0));
  QCOMPARE(TPixelScale(1).CoveredLogicalSize(-1, 1), QSize(0, 1));
}

QTEST_APPLESS_MAIN(TestPixelScale)
#include "pixel_scale_test.moc"
