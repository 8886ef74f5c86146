// Setters of the chart's published properties that store and repaint (margins, shadow and size are
// in chart_geometry.cpp, the pen in item_store.cpp, ranges in layer_ranges.cpp).

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "chart/Nox_grafon.h"

namespace nox {

void TCustomGrafon::SetShadowStyle(TShadowStyle value) {
  if (value >= kShadowStyleCount) return;
  m_shadowStyle = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetShadowColor(TColor value) {
  m_shadowColor = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetShadowBakColor(TColor value) {
  m_shadowBakColor = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetAvoidDuplicateMarks(bool value) {
  if (value == m_avoidDuplicateMarks) return;
  m_avoidDuplicateMarks = value;
  Repaint();
}

void TCustomGrafon::SetMinDupMarkDist(int value) {
  if (value == m_minDupMarkDist) return;
  m_minDupMarkDist = std::clamp(value, 1, 3);
  Repaint();
}

void TCustomGrafon::SetBackGroundImg(const TBakGndImg& value) {
  if (&value != &m_backGroundImg) m_backGroundImg.Assign(value);
  RepaintIfAutomatic();
}

void TCustomGrafon::SetGridStyle(GridStyleType value) {
  if (value >= kGridStyleTypeCount) return;
  m_gridStyle = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetGridDx(double value) {
  if (!std::isfinite(value) || value < -3) return;
  m_gridDx = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetGridDy(double value) {
  if (!std::isfinite(value) || value < -3) return;
  m_gridDy = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetGridColor(TColor value) {
  m_gridColor = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetChartFrameColor(TColor value) {
  m_chartFrameColor = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetChartColor(TColor value) {
  m_chartColor = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetWindColor(TColor value) {
  m_windColor = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetCaption(const std::string& value) {
  if (value.size() > kMaxCaptionLength) {
    throw ENoxGrafonError("Caption is " + std::to_string(value.size()) +
                          " bytes long; a chart caption may have " + std::to_string(kMaxCaptionLength) +
                          " at most.");
  }
  m_caption = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetCaptionPosX(int value) {
  m_captionPosX = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetCaptionPosY(int value) {
  m_captionPosY = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetCaptionAlignment(TAlignment value) {
  if (value > taCenter) return;
  m_captionAlignment = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetCaptionAnchorHoriz(TCaptionAnchorHoriz value) {
  if (value >= kCaptionAnchorHorizCount) return;
  m_captionAnchorHoriz = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetCaptionAnchorVert(TCaptionAnchorVert value) {
  if (value >= kCaptionAnchorVertCount) return;
  m_captionAnchorVert = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetCaptionTrim(int value) {
  m_captionTrim = value == 0 ? 0 : std::clamp(value, 5, 100);
  RepaintIfAutomatic();
}

void TCustomGrafon::AssignCrossHair(int index, const TCrossHair& value) {
  TCrossHair& target = CrossHair(index);
  if (&value != &target) {
    // The owned cross hair keeps notifying this chart.
    TNotifyEvent own = std::move(target.OnChange);
    target.Assign(value);
    target.OnChange = std::move(own);
  }
  RepaintIfAutomatic();
}

void TCustomGrafon::SetMouseAction(TMouseActMode value) {
  if (value >= kMouseActModeCount) return;
  m_mouseAction = value;
}

void TCustomGrafon::SetPanGridDx(double value) {
  if (std::isfinite(value)) m_panGridDx = value;
}

void TCustomGrafon::SetPanGridDy(double value) {
  if (std::isfinite(value)) m_panGridDy = value;
}

void TCustomGrafon::SetPanGridOffsX(double value) {
  if (std::isfinite(value)) m_panGridOffsX = value;
}

void TCustomGrafon::SetPanGridOffsY(double value) {
  if (std::isfinite(value)) m_panGridOffsY = value;
}

bool TCustomGrafon::LayerMouseActive(int layer) const {
  return layer >= 1 && layer <= kLayerCount && m_layerMouseActive[static_cast<std::size_t>(layer - 1)];
}

void TCustomGrafon::SetLayerMouseActive(int layer, bool value) {
  if (layer < 1 || layer > kLayerCount) return;
  m_layerMouseActive[static_cast<std::size_t>(layer - 1)] = value;
}

void TCustomGrafon::SetTextBkStyle(TTextBkg value) {
  if (value >= kTextBkgCount) return;
  m_textBkStyle = value;
}

void TCustomGrafon::SetTextAlignment(TAlignment value) {
  if (value > taCenter) return;
  m_textAlignment = value;
  RepaintIfAutomatic();
}

void TCustomGrafon::SetJointLayers(const TJointLayers& value) {
  if (&value != &m_jointLayers) m_jointLayers.Assign(value);
  RepaintIfAutomatic();
}

}  // namespace nox
