#include "platform/canvas.h"

#include "platform/bitmap.h"
#include "platform/host.h"
#include "platform/raster_canvas.h"

namespace nox {

TCanvas::TCanvas(TBitmap& target) : m_target(target), m_scratch(std::make_unique<detail::RasterScratch>()) {}

TCanvas::~TCanvas() = default;

int TCanvas::Width() const { return m_target.Width(); }
int TCanvas::Height() const { return m_target.Height(); }
TRect TCanvas::ClipRect() const { return {0, 0, m_target.Width(), m_target.Height()}; }

TColor TCanvas::Pixel(int x, int y) const { return m_target.Pixel(x, y); }
void TCanvas::SetPixel(int x, int y, TColor color) { m_target.SetPixel(x, y, color); }

int TCanvas::PrinterPixelsPerInchY() const {
  return m_isPrinter && m_printerPixelsPerInchY > 0 ? m_printerPixelsPerInchY : Host().ScreenPixelsPerInch();
}

void TCanvas::SetPrinter(bool isPrinter, int pixelsPerInchY) {
  m_isPrinter = isPrinter;
  m_printerPixelsPerInchY = pixelsPerInchY;
}

}  // namespace nox
