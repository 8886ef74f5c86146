#include "qt/chart_print.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <vector>

#include "platform/bitmap.h"
#include "platform/device_map.h"
#include "platform/file_replace.h"

namespace nox {

namespace {

constexpr int kPdfResolution = 300;

// The largest scale at most `fit` whose picture of a w x h control stays within the image limit.
double LimitedScale(double fit, int w, int h) {
  double scale = std::min(fit, detail::kMaxDeviceScale);
  const detail::DeviceMap map{scale};
  const auto fits = [w, h](const detail::DeviceMap& m) {
    const std::int64_t dw = m.ExtentX(w), dh = m.ExtentY(h);
    return dw <= kMaxBitmapSide && dh <= kMaxBitmapSide &&
           static_cast<std::size_t>(dw * dh) <= kMaxBitmapPixels;
  };
  if (fits(map)) return scale;
  scale = std::min({scale, (kMaxBitmapSide - 1.0) / w, (kMaxBitmapSide - 1.0) / h,
                    std::sqrt(static_cast<double>(kMaxBitmapPixels) / (static_cast<double>(w) * h)) * 0.999});
  return scale;
}

}  // namespace

void PrintChart(TCustomGrafon& chart, QPrinter& printer) {
  const int w = chart.Width(), h = chart.Height();
  if (w <= 0 || h <= 0) throw ENoxGrafonError("An empty chart cannot be printed.");
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  if (page.width() <= 0 || page.height() <= 0)
    throw ENoxGrafonError("The printer's page has no printable area.");
  const double fit = std::min(static_cast<double>(page.width()) / w, static_cast<double>(page.height()) / h);
  const double scale = LimitedScale(fit, w, h);

  // Composed before the printer starts, so that a chart that cannot be drawn leaves no job behind.
  TBitmap picture;
  chart.Render(picture, scale, printer.resolution());
  const QImage image(reinterpret_cast<const uchar*>(picture.Bits()), picture.Width(), picture.Height(),
                     static_cast<qsizetype>(picture.Width()) * 4, QImage::Format_RGB32);

  QPainter painter;
  if (!painter.begin(&printer)) throw ENoxGrafonError("The printer could not be started.");
  // Page coordinates are the printable area's device pixels; the picture covers w x h at `fit`.
  painter.drawImage(QRectF(0, 0, w * fit, h * fit), image);
  if (!painter.end() || printer.printerState() == QPrinter::Error)
    throw ENoxGrafonError("The page could not be printed.");
}

void ExportPdf(TCustomGrafon& chart, const std::string& path) {
  QTemporaryDir folder;
  if (!folder.isValid())
    throw ENoxGrafonError("No temporary folder for the PDF: " + folder.errorString().toStdString());
  const QString draft = folder.filePath("chart.pdf");
  {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(draft);
    printer.setResolution(kPdfResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(chart.Width() > chart.Height() ? QPageLayout::Landscape
                                                              : QPageLayout::Portrait);
    PrintChart(chart, printer);
  }
  std::ifstream in(draft.toStdString(), std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (!in.good() && !in.eof()) throw ENoxGrafonError("The PDF could not be read back.");
  if (bytes.empty()) throw ENoxGrafonError("The PDF came out empty.");
  ReplaceFile(path, "PDF file", std::string_view(bytes.data(), bytes.size()));
}

}  // namespace nox
