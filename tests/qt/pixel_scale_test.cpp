// Control pixels against logical and device pixels: the whole-number factor, sizes that cover the
// widget, pointer positions and changed areas.
#include <QTest>
#include <cmath>
#include <limits>

#include "qt/pixel_scale.h"

using nox::detail::TPixelScale;

class TestPixelScale : public QObject {
  Q_OBJECT

 private slots:
  void factorIsTheRatioRoundedToAWholeNumber_data();
  void factorIsTheRatioRoundedToAWholeNumber();
  void controlSizeCoversTheWidget();
  void logicalSizesRoundUpAndDown();
  void pointerPositionsRoundDownAndAreLimited();
  void changedAreasRoundOutward();
};

void TestPixelScale::factorIsTheRatioRoundedToAWholeNumber_data() {
  QTest::addColumn<double>("ratio");
  QTest::addColumn<int>("factor");
  QTest::addColumn<double>("kept");
  QTest::newRow("1") << 1.0 << 1 << 1.0;
  QTest::newRow("1.25") << 1.25 << 1 << 1.25;
  QTest::newRow("1.5 rounds up") << 1.5 << 2 << 1.5;
  QTest::newRow("1.75") << 1.75 << 2 << 1.75;
  QTest::newRow("2") << 2.0 << 2 << 2.0;
  QTest::newRow("2.5 rounds up") << 2.5 << 3 << 2.5;
  QTest::newRow("0.5 keeps a factor of 1") << 0.5 << 1 << 0.5;
  QTest::newRow("zero") << 0.0 << 1 << 1.0;
  QTest::newRow("negative") << -2.0 << 1 << 1.0;
  QTest::newRow("NaN") << std::nan("") << 1 << 1.0;
  QTest::newRow("infinite") << std::numeric_limits<double>::infinity() << 1 << 1.0;
  QTest::newRow("huge") << 1e300 << 16 << 16.0;
}

void TestPixelScale::factorIsTheRatioRoundedToAWholeNumber() {
  QFETCH(double, ratio);
  QFETCH(int, factor);
  QFETCH(double, kept);
  const TPixelScale scale(ratio);
  QCOMPARE(scale.Factor(), factor);
  QCOMPARE(scale.DeviceRatio(), kept);
}

void TestPixelScale::controlSizeCoversTheWidget() {
  QCOMPARE(TPixelScale(1).ControlSize(QSize(120, 80)), QSize(120, 80));
  QCOMPARE(TPixelScale(2).ControlSize(QSize(120, 80)), QSize(120, 80));
  QCOMPARE(TPixelScale(3).ControlSize(QSize(7, 5)), QSize(7, 5));
  // 101 logical pixels are 151.5 device pixels, 75.75 control pixels: 76 cover them.
  QCOMPARE(TPixelScale(1.5).ControlSize(QSize(101, 100)), QSize(76, 75));
  // 1.25 keeps one device pixel per control pixel: 100 logical pixels need 125.
  QCOMPARE(TPixelScale(1.25).ControlSize(QSize(100, 3)), QSize(125, 4));
  // 30 * 1.1 is a hair above 33 in floating point; it still needs only 33 pixels.
  QCOMPARE(TPixelScale(1.1).ControlSize(QSize(30, 10)), QSize(33, 11));
  QCOMPARE(TPixelScale(2).ControlSize(QSize(-5, 0)), QSize(0, 0));
  QCOMPARE(TPixelScale(16).ControlSize(QSize(QWIDGETSIZE_MAX, 1)).width(), QWIDGETSIZE_MAX);
}

void TestPixelScale::logicalSizesRoundUpAndDown() {
  QCOMPARE(TPixelScale(2).LogicalSize(120, 80), QSize(120, 80));
  // 80 control pixels at 1.5 are 106.67 logical pixels: shown in 107, wholly covering 106.
  QCOMPARE(TPixelScale(1.5).LogicalSize(120, 80), QSize(160, 107));
  QCOMPARE(TPixelScale(1.5).CoveredLogicalSize(120, 80), QSize(160, 106));
  QCOMPARE(TPixelScale(1).LogicalSize(-1, 0), QSize(0, 0));
  QCOMPARE(TPixelScale(1.5).CoveredLogicalSize(-1, 1), QSize(0, 1));
}

void TestPixelScale::pointerPositionsRoundDownAndAreLimited() {
  const TPixelScale unit(1);
  QCOMPARE(unit.ControlPoint(QPointF(10.9, -0.5)), (nox::TPoint{10, -1}));
  const TPixelScale half(1.5);  // 1.5 device pixels per logical one, 2 per control pixel
  QCOMPARE(half.ControlPoint(QPointF(10, 11)), (nox::TPoint{7, 8}));
  QCOMPARE(half.ControlPoint(QPointF(-2, 0)), (nox::TPoint{-2, 0}));
  const TPixelScale tenth(1.1);
  QCOMPARE(tenth.ControlPoint(QPointF(30, 20)), (nox::TPoint{33, 22}));
  const int limit = nox::detail::kMaxPointerCoordinate;
  QCOMPARE(unit.ControlPoint(QPointF(1e30, -1e30)), (nox::TPoint{limit, -limit}));
  QCOMPARE(unit.ControlPoint(QPointF(std::nan(""), std::numeric_limits<double>::infinity())),
           (nox::TPoint{0, limit}));
}

void TestPixelScale::changedAreasRoundOutward() {
  QCOMPARE(TPixelScale(1).LogicalRect(nox::Rect(4, 10, 30, 20)), QRect(4, 10, 26, 10));
  QCOMPARE(TPixelScale(2).LogicalRect(nox::Rect(4, 10, 30, 20)), QRect(4, 10, 26, 10));
  // At 1.5 a control pixel is 4/3 logical pixels: 1..2 spans 1.33..2.67, so logical 1..3.
  QCOMPARE(TPixelScale(1.5).LogicalRect(nox::Rect(1, 1, 2, 2)), QRect(QPoint(1, 1), QPoint(2, 2)));
  QVERIFY(TPixelScale(1).LogicalRect(nox::Rect(5, 5, 5, 9)).isEmpty());
  const QRect huge = TPixelScale(1.5).LogicalRect(nox::Rect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
  QVERIFY(huge.contains(QRect(0, 0, 100000, 100000)));
}

QTEST_APPLESS_MAIN(TestPixelScale)
#include "pixel_scale_test.moc"
