// The chart's display lists: the current pen, the append operations behind every drawing
// operation, and the visibility tables.

#include "chart/Nox_grafon.h"

namespace nox {

void TCustomGrafon::SetPenStyle(TPenStyle value) {
  if (value > psInsideFrame) return;
  m_penStyle = value;
}

void TCustomGrafon::SetClassDefault(std::uint8_t value) {
  if (value == 255) return;
  m_classDefault = value;
}

void TCustomGrafon::SetAllocSize(int value) {
  if (value < 1 || value > 1000000) return;
  m_allocSize = value;
}

void TCustomGrafon::SetCurrentLayer(int layer) {
  if (layer < 1 || layer > kLayerCount) return;
  m_currentLayer = layer;
}

void TCustomGrafon::AppendItem(const TgfChartItem& item, std::uint8_t mode) {
  if (m_annotationMode) {
    TgfChartItem annotation = item;
    annotation.CoordMode = mode;
    m_annotations.Append(annotation, m_allocSize);
    return;
  }
  // Data items are always in world units. The list object is shared by every chart tied to this
  // one's data, so they all see the item (and the count) at once.
  m_data->Append(item, m_allocSize);
}

void TCustomGrafon::AppendMoveTo(std::uint8_t mode, double x, double y) {
  TgfChartItem item;
  item.Kind = ikMoveTo;
  item.Layer = m_currentLayer;
  item.ItemClass = m_classDefault;
  item.X1 = x;
  item.Y1 = y;
  item.Color = m_dataColor;
  item.PenStyle = m_penStyle;
  item.Attr = m_itemAttribute;
  item.LineWidth = m_lineWidth;
  AppendItem(item, mode);
}

void TCustomGrafon::AppendLineTo(std::uint8_t mode, double x, double y) {
  TgfChartItem item;
  item.Kind = ikLineTo;
  item.Layer = m_currentLayer;
  item.ItemClass = m_classDefault;
  item.X1 = x;
  item.Y1 = y;
  item.Color = m_dataColor;
  item.FillColor = m_fillColor;
  item.PenStyle = m_penStyle;
  item.Attr = m_itemAttribute;
  item.LineWidth = m_lineWidth;
  AppendItem(item, mode);
}

void TCustomGrafon::AppendMark(std::uint8_t markType, double x, double y) {
  TgfChartItem item;
  item.Kind = ikMark;
  item.Layer = m_currentLayer;
  item.ItemClass = m_classDefault;
  item.X1 = x;
  item.Y1 = y;
  item.Color = m_dataColor;
  item.PenStyle = m_penStyle;
  item.Attr = m_itemAttribute;
  item.LineWidth = m_lineWidth;
  item.Param3 = markType;
  AppendItem(item, 0);
}

void TCustomGrafon::MoveToPoint(int x, int y) { AppendMoveTo(1, x, y); }

void TCustomGrafon::LineToPoint(int x, double y) { AppendLineTo(4, x, y); }

void TCustomGrafon::AddMark(int markType, double x, double y) {
  AppendMark(static_cast<std::uint8_t>(markType & 0xFF), x, y);
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
  m_dataClassVisible[itemClass] = visible;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetAnnotationClassVisible(std::uint8_t itemClass, bool visible) {
  m_annotationClassVisible[itemClass] = visible;
  RepaintIfAutomatic();
}

bool TCustomGrafon::LayerVisible(int layer) const {
  return layer >= 1 && layer <= kLayerCount && m_layerVisible[static_cast<std::size_t>(layer - 1)];
}

void TCustomGrafon::SetLayerVisible(int layer, bool visible) {
  if (layer < 1 || layer > kLayerCount) return;
  m_layerVisible[static_cast<std::size_t>(layer - 1)] = visible;
  RepaintIfAutomatic();
}

}  // namespace nox
