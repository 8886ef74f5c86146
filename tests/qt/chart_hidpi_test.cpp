// A chart in the host widget on a high-density screen (run at the ratios 1, 1.25, 1.5 and 2 through
// QT_SCALE_FACTOR): what the window shows is the chart drawn at the screen's ratio, pixel for
// pixel, crisp (not the 1x picture enlarged) and with its text in proportion. The screenshots are
// kept in the test output folder (hidpi/chart_<ratio>.png).
#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <memory>

#include "qt/control_widget.h"
#include "qt/sample_chart.h"

namespace {

// Rows of a picture's top band (the caption's) that hold dark ink.
int DarkRows(const QImage& image, int band) {
  int rows = 0;
  for (int y = 0; y < std::min(band, image.height()); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) < 96) {
        ++rows;
        break;
      }
    }
  }
  return rows;
}

QImage ImageOf(const nox::TBitmap& b) {
  return QImage(reinterpret_cast<const uchar*>(b.Bits()), b.Width(), b.Height(), b.Width() * 4,
                QImage::Format_RGB32)
      .copy();
}

}  // namespace

class TestChartHiDpi : public QObject {
  Q_OBJECT

 private slots:
  void theWindowShowsTheChartDrawnAtTheScreensRatio();
};

void TestChartHiDpi::theWindowShowsTheChartDrawnAtTheScreensRatio() {
  QWidget window;
  // The offscreen platform grabs only as many device pixels as the window has logical ones: the
  // window is large enough for the chart to lie inside that part at 2.
  window.setFixedSize(700, 500);
  nox::TGrafon chart(nullptr);
  nox::test::BuildSampleChart(chart);
  auto* widget = new nox::TControlWidget(chart, &window);
  widget->move(10, 10);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  QTRY_VERIFY(!chart.PaintPending());
  const double ratio = window.devicePixelRatioF();
  QCOMPARE(chart.DeviceScale(), ratio);
  QCOMPARE(chart.Width(), nox::test::kSampleWidth);

  // The window's pixels over the widget are the chart's picture at the ratio, unresampled.
  const QImage grabbed =
      window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  nox::TBitmap picture;
  chart.Render(picture, ratio);
  const QImage expected = ImageOf(picture);
  const int origin = static_cast<int>(std::lround(10 * ratio));
  QImage shown = grabbed.copy(origin, origin, expected.width(), expected.height());
  shown.setDevicePixelRatio(1);
  const QString out = QString(NOX_TEST_OUTPUT_DIR) + "/hidpi";
  QDir().mkpath(out);
  shown.save(out + QString("/chart_%1.png").arg(ratio));
  expected.save(out + QString("/chart_%1_rendered.png").arg(ratio));
  QCOMPARE(shown, expected);

  // Text in proportion: the caption's ink is `ratio` times as tall as at 1 (within hinting).
  nox::TBitmap unitPicture;
  chart.Render(unitPicture, 1);
  const QImage unit = ImageOf(unitPicture);
  const int band = chart.MarginTop();
  const double unitRows = DarkRows(unit, band);
  QVERIFY(unitRows >= 6);
  const int rows = DarkRows(shown, static_cast<int>(band * ratio));
  QVERIFY2(std::abs(rows - unitRows * ratio) <= 2.0,
           qPrintable(QString("caption %1 rows at %2, %3 at 1").arg(rows).arg(ratio).arg(unitRows)));

  // Crisp: not the 1x picture enlarged. Enlarged by the nearest pixel it differs from the shown
  // picture in many pixels of the caption band, at least a fifth as many as the caption has ink
  // pixels (glyph edges drawn at the finer pixels).
  if (ratio != 1.0) {
    const QImage enlarged = unit.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation);
    int differing = 0, inked = 0;
    for (int y = 0; y < static_cast<int>(band * ratio); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        if (qGray(shown.pixel(x, y)) < 96) ++inked;
        if (shown.pixel(x, y) != enlarged.pixel(x, y)) ++differing;
      }
    }
    QVERIFY2(differing > inked / 5,
             qPrintable(QString("%1 of %2 ink pixels differ").arg(differing).arg(inked)));
  }
}

QTEST_MAIN(TestChartHiDpi)
#include "chart_hidpi_test.moc"
