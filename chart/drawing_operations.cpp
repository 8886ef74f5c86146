// The control's front to its item store: the drawing operations, the pen properties with their
// rules, and the visibility tables, which repaint.

#include "chart/Nox_grafon.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace nox {

void TCustomGrafon::SetPenStyle(TPenStyle value) {
  if (value > psInsideFrame) return;
  m_items.Pen.Style = value;
}

void TCustomGrafon::SetClassDefault(std::uint8_t value) {
  if (value == 255) return;
  m_items.Pen.Class = value;
}

void TCustomGrafon::SetAllocSize(int value) {
  if (value < 1 || value > 1000000) return;
  m_items.AllocSize = value;
}

void TCustomGrafon::SetCurrentLayer(int layer) {
  if (layer < 1 || layer > kLayerCount) return;
  m_items.Pen.Layer = layer;
}

void TCustomGrafon::AppendMoveTo(std::uint8_t mode, double x, double y) {
  m_items.AppendPoint(ikMoveTo, x, y, mode);
}

void TCustomGrafon::AppendLineTo(std::uint8_t mode, double x, double y) {
  m_items.AppendPoint(ikLineTo, x, y, mode);
}

void TCustomGrafon::AppendMark(std::uint8_t markType, double x, double y) {
  // Marks keep CoordMode 0 in either list.
  m_items.AppendPoint(ikMark, x, y, 0, markType);
}

void TCustomGrafon::MoveToPoint(int x, int y) { AppendMoveTo(1, x, y); }

void TCustomGrafon::LineToPoint(int x, double y) { AppendLineTo(4, x, y); }

void TCustomGrafon::AddMark(int markType, double x, double y) {
  AppendMark(static_cast<std::uint8_t>(markType & 0xFF), x, y);
}

void TCustomGrafon::MoveTo(double x, double y) { m_items.AppendPoint(ikMoveTo, x, y, 0); }

void TCustomGrafon::LineTo(double x, double y) { m_items.AppendPoint(ikLineTo, x, y, 0); }

void TCustomGrafon::AppendSeries(std::span<const double> x, std::span<const double> y) {
  m_items.Target().AppendSeries(m_items.PointPen(0, 0), x, y, m_items.AllocSize);
}

void TCustomGrafon::AppendSeries(double x0, double dx, std::span<const double> y) {
  if (!std::isfinite(x0) || !std::isfinite(dx)) {
    throw std::invalid_argument("AppendSeries needs a finite x0 and dx, not " + std::to_string(x0) + " and " +
                                std::to_string(dx));
  }
  m_items.Target().AppendSeries(m_items.PointPen(0, 0), x0, dx, y, m_items.AllocSize);
}

void TCustomGrafon::ItemsRemoved() {
  RepaintIfAutomatic();
  AskTiedChartsToRepaint();
}

void TCustomGrafon::ClearData() {
  m_items.Data->Clear();
  ItemsRemoved();
}

void TCustomGrafon::ClearAnnotations() {
  m_items.Annotations.Clear();
  ItemsRemoved();
}

void TCustomGrafon::RemoveFirstItems(int n) {
  if (n <= 0) return;
  m_items.Data->RemoveFirst(static_cast<std::size_t>(n));
  ItemsRemoved();
}

void TCustomGrafon::SetDataLimit(int n) {
  if (n < 0) return;
  const int before = DataCount();
  m_items.Data->SetLimit(n);
  if (DataCount() != before) ItemsRemoved();
}

void TCustomGrafon::ShowItems() {
  if (Visible()) {
    if (m_autoRedraw)
      RefreshChartArea();
    else
      Repaint();
  }
  AskTiedChartsToRepaint();
}

void TCustomGrafon::SetDataClassVisible(std::uint8_t itemClass, bool visible) {
  m_items.DataClassVisible[itemClass] = visible;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetAnnotationClassVisible(std::uint8_t itemClass, bool visible) {
  m_items.AnnotationClassVisible[itemClass] = visible;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetLayerVisible(int layer, bool visible) {
  if (layer < 1 || layer > kLayerCount) return;
  m_items.LayerShown[static_cast<std::size_t>(layer - 1)] = visible;
  RepaintIfAutomatic();
}

}  // namespace nox
