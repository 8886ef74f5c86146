// The drawing surface over the item store: the drawing operations, removal, the pen properties with
// their rules, the visibility tables and the text settings; removals and visibility changes tell the
// control, which repaints.

#include "chart/grafon_drawing.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace nox {

void TGrafonDrawing::SetPenStyle(TPenStyle value) {
  if (value > psInsideFrame) return;
  m_items.Pen.Style = value;
}

void TGrafonDrawing::SetClassDefault(std::uint8_t value) {
  if (value == 255) return;
  m_items.Pen.Class = value;
}

void TGrafonDrawing::SetAllocSize(int value) {
  if (value < 1 || value > 1000000) return;
  m_items.AllocSize = value;
}

void TGrafonDrawing::SetCurrentLayer(int layer) {
  if (layer < 1 || layer > kLayerCount) return;
  m_items.Pen.Layer = layer;
}

void TGrafonDrawing::AppendMoveTo(std::uint8_t mode, double x, double y) {
  m_items.AppendPoint(ikMoveTo, x, y, mode);
}

void TGrafonDrawing::AppendLineTo(std::uint8_t mode, double x, double y) {
  m_items.AppendPoint(ikLineTo, x, y, mode);
}

void TGrafonDrawing::AppendMark(std::uint8_t markType, double x, double y) {
  // Marks keep CoordMode 0 in either list.
  m_items.AppendPoint(ikMark, x, y, 0, markType);
}

void TGrafonDrawing::MoveToPoint(int x, int y) { AppendMoveTo(1, x, y); }

void TGrafonDrawing::LineToPoint(int x, double y) { AppendLineTo(4, x, y); }

void TGrafonDrawing::AddMark(int markType, double x, double y) {
  AppendMark(static_cast<std::uint8_t>(markType & 0xFF), x, y);
}

void TGrafonDrawing::MoveTo(double x, double y) { m_items.AppendPoint(ikMoveTo, x, y, 0); }

void TGrafonDrawing::LineTo(double x, double y) { m_items.AppendPoint(ikLineTo, x, y, 0); }

void TGrafonDrawing::AppendSeries(std::span<const double> x, std::span<const double> y) {
  m_items.Target().AppendSeries(m_items.PointPen(0, 0), x, y, m_items.AllocSize);
}

void TGrafonDrawing::AppendSeries(double x0, double dx, std::span<const double> y) {
  if (!std::isfinite(x0) || !std::isfinite(dx)) {
    throw std::invalid_argument("AppendSeries needs a finite x0 and dx, not " + std::to_string(x0) + " and " +
                                std::to_string(dx));
  }
  m_items.Target().AppendSeries(m_items.PointPen(0, 0), x0, dx, y, m_items.AllocSize);
}

void TGrafonDrawing::ClearData() {
  m_items.Data->Clear();
  ItemsRemoved();
}

void TGrafonDrawing::ClearAnnotations() {
  m_items.Annotations.Clear();
  ItemsRemoved();
}

void TGrafonDrawing::RemoveFirstItems(int n) {
  if (n <= 0) return;
  m_items.Data->RemoveFirst(static_cast<std::size_t>(n));
  ItemsRemoved();
}

void TGrafonDrawing::SetDataLimit(int n) {
  if (n < 0) return;
  const int before = DataCount();
  m_items.Data->SetLimit(n);
  if (DataCount() != before) ItemsRemoved();
}

void TGrafonDrawing::SetDataClassVisible(std::uint8_t itemClass, bool visible) {
  m_items.DataClassVisible[itemClass] = visible;
  PictureChanged();
}

void TGrafonDrawing::SetAnnotationClassVisible(std::uint8_t itemClass, bool visible) {
  m_items.AnnotationClassVisible[itemClass] = visible;
  PictureChanged();
}

void TGrafonDrawing::SetLayerVisible(int layer, bool visible) {
  if (layer < 1 || layer > kLayerCount) return;
  m_items.LayerShown[static_cast<std::size_t>(layer - 1)] = visible;
  PictureChanged();
}

void TGrafonDrawing::SetTextBkStyle(TTextBkg value) {
  if (value >= kTextBkgCount) return;
  m_textBkStyle = value;
}

void TGrafonDrawing::SetTextAlignment(TAlignment value) {
  if (value > taCenter) return;
  m_textAlignment = value;
  PictureChanged();
}

}  // namespace nox
