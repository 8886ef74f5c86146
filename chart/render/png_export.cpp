// Exporting the composed control (screenshots, golden images, printing): into a bitmap or a PNG
// file, at the screen's device scale or any other.

#include <cstdio>

#include "chart/Nox_grafon.h"

namespace nox {

void detail::TGrafonRenderer::SetImageDevice(double scale, int printerPixelsPerInchY) {
  m_imageScale = scale;
  for (TBitmap* image : {&m_controlImage, &m_chartImage}) {
    image->Canvas().SetPrinter(printerPixelsPerInchY > 0, printerPixelsPerInchY);
  }
  m_controlImage.Canvas().SetDeviceScale(scale);
  m_controlImage.Canvas().SetLogicalSize(m_chart.Width(), m_chart.Height());
  m_chart.ResizeChartImage(true, true);
}

void TCustomGrafon::DeviceScaleChanged() { m_renderer.SetImageDevice(DeviceScale(), 0); }

void TCustomGrafon::Render(TBitmap& bitmap, double scale, int printerPixelsPerInchY) {
  char text[160];
  if (!detail::ValidDeviceScale(scale)) {
    std::snprintf(text, sizeof text, "A scale of %g is outside (0, %g].", scale, detail::kMaxDeviceScale);
    throw ENoxGrafonError(text);
  }
  // The picture being composed is not finished; composing another one inside it would run the
  // handler that asked again, and again.
  if (m_renderer.Composing()) throw ENoxGrafonError("The chart cannot be saved while it is being painted.");
  const detail::DeviceMap map{scale};
  const std::int64_t w = map.ExtentX(Width()), h = map.ExtentY(Height());
  if (w > kMaxBitmapSide || h > kMaxBitmapSide || static_cast<std::size_t>(w * h) > kMaxBitmapPixels) {
    std::snprintf(text, sizeof text, "A picture of %lld x %lld pixels is beyond the image limit.",
                  static_cast<long long>(w), static_cast<long long>(h));
    throw ENoxGrafonError(text);
  }
  const bool screenDevice = scale == DeviceScale() && printerPixelsPerInchY <= 0;
  bool changed = false;
  try {
    if (!screenDevice) m_renderer.SetImageDevice(scale, printerPixelsPerInchY);
    changed = m_renderer.ComposeSettled();
    m_renderer.DrawCrossHairs(0, 0, m_renderer.ControlImage());
    bitmap.Assign(m_renderer.ControlImage());
  } catch (...) {
    if (!screenDevice) m_renderer.SetImageDevice(DeviceScale(), 0);
    throw;
  }
  if (!screenDevice) m_renderer.SetImageDevice(DeviceScale(), 0);
  // An event handler changed the chart meanwhile: the screen shows it too. After another device
  // the off-screen images are the screen's again, composed afresh.
  if (changed || !screenDevice) Repaint();
}

void TCustomGrafon::SaveToPngFile(const std::string& path, double scale) {
  TBitmap picture;
  Render(picture, scale);
  picture.SaveToPngFile(path);
}

void TCustomGrafon::SaveToPngFile(const std::string& path) { SaveToPngFile(path, DeviceScale()); }

}  // namespace nox
