#include "platform/canvas.h"

#include <algorithm>
#include <cstdio>

#include "platform/bitmap.h"
#include "platform/host.h"
#include "platform/raster_canvas.h"
#include "platform/raster_math.h"

namespace nox {

TCanvas::TCanvas(TBitmap& target) : m_target(target), m_scratch(std::make_unique<detail::RasterScratch>()) {}

TCanvas::~TCanvas() = default;

int TCanvas::Width() const { return m_map.Unit() ? m_target.Width() : m_logicalSize.cx; }
int TCanvas::Height() const { return m_map.Unit() ? m_target.Height() : m_logicalSize.cy; }
TRect TCanvas::ClipRect() const { return {0, 0, Width(), Height()}; }

TColor TCanvas::Pixel(int x, int y) const {
  if (m_map.Unit()) return m_target.Pixel(x, y);
  return m_target.Pixel(detail::SaturateToInt(m_map.EdgeX(x)), detail::SaturateToInt(m_map.EdgeY(y)));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  if (m_map.Unit()) {
    m_target.SetPixel(x, y, color);
    return;
  }
  if (m_target.Empty()) return;
  detail::CopySink sink{detail::SurfaceOf(m_target), ColorToPixel(color)};
  detail::FillBox(
      sink, detail::SurfaceOf(m_target),
      {m_map.EdgeX(x), m_map.EdgeY(y), m_map.EdgeX(std::int64_t{x} + 1), m_map.EdgeY(std::int64_t{y} + 1)});
}

void detail::CheckDeviceScale(double scale) {
  if (ValidDeviceScale(scale)) return;
  char text[96];
  std::snprintf(text, sizeof text, "A device scale of %g is outside (0, %g].", scale, kMaxDeviceScale);
  throw EInvalidGraphic(text);
}

void TCanvas::SetDeviceScale(double scale, TPoint origin) {
  detail::CheckDeviceScale(scale);
  if (m_map.Unit()) m_logicalSize = {m_target.Width(), m_target.Height()};
  m_map = {scale, origin.X, origin.Y};
}

void TCanvas::SetLogicalSize(int width, int height) {
  m_target.SetSize(detail::SaturateToInt(m_map.ExtentX(width)), detail::SaturateToInt(m_map.ExtentY(height)));
  m_logicalSize = {std::max(width, 0), std::max(height, 0)};
}

int TCanvas::PrinterPixelsPerInchY() const {
  return m_isPrinter && m_printerPixelsPerInchY > 0 ? m_printerPixelsPerInchY : Host().ScreenPixelsPerInch();
}

void TCanvas::SetPrinter(bool isPrinter, int pixelsPerInchY) {
  m_isPrinter = isPrinter;
  m_printerPixelsPerInchY = pixelsPerInchY;
}

}  // namespace nox
