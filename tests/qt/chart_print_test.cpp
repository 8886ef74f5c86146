// Print and PDF: the exported PDF, turned back into pixels by pdftoppm, shows the chart where the
// page layout puts it, and brought down to the chart's size it agrees with the screen's picture
// (layout and text positions). A print that fails is reported and leaves the chart as it was.
#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>

#include "platform/bitmap.h"
#include "platform/object.h"
#include "qt/chart_print.h"
#include "qt/sample_chart.h"

namespace {

QImage ImageOf(const nox::TBitmap& b) {
  return QImage(reinterpret_cast<const uchar*>(b.Bits()), b.Width(), b.Height(), b.Width() * 4,
                QImage::Format_RGB32)
      .copy();
}

// The bounding box of dark ink inside an area of a picture.
QRect InkBox(const QImage& image, const QRect& area) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (qGray(image.pixel(x, y)) < 96) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

}  // namespace

class TestChartPrint : public QObject {
  Q_OBJECT

 private slots:
  void init();
  void thePdfShowsTheScreensPicture();
  void aFailedPrintLeavesTheChartAsItWas();

 private:
  std::unique_ptr<nox::TGrafon> m_chart;
  nox::TGrafon& Chart() { return *m_chart; }
  QTemporaryDir m_dir;
};

void TestChartPrint::init() {
  m_chart = std::make_unique<nox::TGrafon>(nullptr);
  m_chart->HandleNeeded();
  nox::test::BuildSampleChart(*m_chart);
  m_chart->Paint();
}

void TestChartPrint::thePdfShowsTheScreensPicture() {
  if (QStandardPaths::findExecutable("pdftoppm").isEmpty()) QFAIL("pdftoppm (poppler-utils) is missing");
  const QString pdf = m_dir.filePath("chart.pdf");
  nox::ExportPdf(Chart(), pdf.toStdString());

  // The page as ExportPdf lays it out: A4 landscape at 300 dpi, the chart fitted to the printable
  // area's width or height from its top left corner.
  QPrinter layout(QPrinter::HighResolution);
  layout.setOutputFormat(QPrinter::PdfFormat);
  layout.setResolution(300);
  layout.setPageSize(QPageSize(QPageSize::A4));
  layout.setPageOrientation(QPageLayout::Landscape);
  const QRect printable = layout.pageLayout().paintRectPixels(300);
  const double fit = std::min(static_cast<double>(printable.width()) / nox::test::kSampleWidth,
                              static_cast<double>(printable.height()) / nox::test::kSampleHeight);

  QProcess raster;
  raster.start("pdftoppm", {"-r", "300", "-png", "-singlefile", pdf, m_dir.filePath("page")});
  QVERIFY(raster.waitForFinished(60000));
  QCOMPARE(raster.exitCode(), 0);
  const QImage page = QImage(m_dir.filePath("page.png")).convertToFormat(QImage::Format_RGB32);
  QVERIFY(!page.isNull());
  QDir().mkpath(QString(NOX_TEST_OUTPUT_DIR) + "/print");
  page.save(QString(NOX_TEST_OUTPUT_DIR) + "/print/page.png");

  // The chart's place on the page, brought down to the screen's size.
  const QRect placed(printable.topLeft(), QSize(static_cast<int>(nox::test::kSampleWidth * fit),
                                                static_cast<int>(nox::test::kSampleHeight * fit)));
  QVERIFY(page.rect().contains(placed));
  const QImage printed = page.copy(placed).scaled(nox::test::kSampleWidth, nox::test::kSampleHeight,
                                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  printed.save(QString(NOX_TEST_OUTPUT_DIR) + "/print/chart_from_pdf.png");
  const QImage screen = ImageOf(Chart().ScreenImage());

  // Layout: nearly every pixel of the same grey within a tolerance (glyph edges and the marks'
  // printer forms differ a little).
  int far = 0;
  for (int y = 0; y < screen.height(); ++y) {
    for (int x = 0; x < screen.width(); ++x) {
      if (std::abs(qGray(screen.pixel(x, y)) - qGray(printed.pixel(x, y))) > 96) ++far;
    }
  }
  QVERIFY2(far < screen.width() * screen.height() / 50, qPrintable(QString("%1 pixels differ").arg(far)));
  // Text positions: the caption's ink box agrees within 2 pixels on each side.
  const QRect band(0, 0, screen.width(), Chart().MarginTop());
  const QRect onScreen = InkBox(screen, band), onPaper = InkBox(printed, band);
  QVERIFY(!onScreen.isEmpty());
  for (const auto& [a, b] : {std::pair{onScreen.left(), onPaper.left()},
                             {onScreen.right(), onPaper.right()},
                             {onScreen.top(), onPaper.top()},
                             {onScreen.bottom(), onPaper.bottom()}}) {
    QVERIFY2(std::abs(a - b) <= 2, qPrintable(QString("caption at %1 on screen, %2 on paper").arg(a).arg(b)));
  }
}

void TestChartPrint::aFailedPrintLeavesTheChartAsItWas() {
  nox::TBitmap before;
  before.Assign(Chart().ScreenImage());
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(m_dir.filePath("no/such/folder/chart.pdf"));
  QVERIFY_THROWS_EXCEPTION(nox::ENoxGrafonError, nox::PrintChart(Chart(), printer));
  // A PDF that cannot be written leaves the file that was there.
  const QString kept = m_dir.filePath("kept.pdf");
  QDir().mkpath(kept);
  QVERIFY_THROWS_EXCEPTION(nox::EFileError, nox::ExportPdf(Chart(), kept.toStdString()));
  QVERIFY(QFileInfo(kept).isDir());
  QVERIFY(SamePixels(before, Chart().ScreenImage()));
  QCOMPARE(Chart().DeviceScale(), 1.0);
}

QTEST_MAIN(TestChartPrint)
#include "chart_print_test.moc"
