// The appearance properties' rules: each setter checks and stores its value, then tells the control
// what changed (the control's answers are in chart_geometry.cpp and render/paint_pipeline.cpp).

#include <algorithm>
#include <cmath>
#include <string>

#include "chart/grafon_appearance.h"
#include "chart/keep_notification.h"
#include "chart/model/grafon_error.h"

namespace nox {

void TGrafonAppearance::SetMarginLeft(int value) {
  m_marginLeft = std::clamp(value, 0, kMaxMargin);
  MarginChanged(mgLeft);
}

void TGrafonAppearance::SetMarginRight(int value) {
  m_marginRight = std::clamp(value, 0, kMaxMargin);
  MarginChanged(mgRight);
}

void TGrafonAppearance::SetMarginTop(int value) {
  m_marginTop = std::clamp(value, 0, kMaxMargin);
  MarginChanged(mgTop);
}

void TGrafonAppearance::SetMarginBottom(int value) {
  m_marginBottom = std::clamp(value, 0, kMaxMargin);
  MarginChanged(mgBottom);
}

void TGrafonAppearance::SetShadowWidth(int value) {
  m_shadowWidth = std::clamp(value, 0, 32);
  ShadowWidthChanged();
}

void TGrafonAppearance::SetShadowStyle(TShadowStyle value) {
  if (value >= kShadowStyleCount) return;
  m_shadowStyle = value;
  PictureChanged();
}

void TGrafonAppearance::SetShadowColor(TColor value) {
  m_shadowColor = value;
  PictureChanged();
}

void TGrafonAppearance::SetShadowBakColor(TColor value) {
  m_shadowBakColor = value;
  PictureChanged();
}

void TGrafonAppearance::SetAvoidDuplicateMarks(bool value) {
  if (value == m_avoidDuplicateMarks) return;
  m_avoidDuplicateMarks = value;
  MarkRuleChanged();
}

void TGrafonAppearance::SetMinDupMarkDist(int value) {
  if (value == m_minDupMarkDist) return;
  m_minDupMarkDist = std::clamp(value, 1, 3);
  MarkRuleChanged();
}

void TGrafonAppearance::SetBackGroundImg(const TBakGndImg& value) {
  if (&value != &m_backGroundImg) m_backGroundImg.Assign(value);
  PictureChanged();
}

void TGrafonAppearance::SetGridStyle(GridStyleType value) {
  if (value >= kGridStyleTypeCount) return;
  m_gridStyle = value;
  PictureChanged();
}

void TGrafonAppearance::SetGridDx(double value) {
  if (!std::isfinite(value) || value < -3) return;
  m_gridDx = value;
  PictureChanged();
}

void TGrafonAppearance::SetGridDy(double value) {
  if (!std::isfinite(value) || value < -3) return;
  m_gridDy = value;
  PictureChanged();
}

void TGrafonAppearance::SetGridColor(TColor value) {
  m_gridColor = value;
  PictureChanged();
}

void TGrafonAppearance::SetChartFrameColor(TColor value) {
  m_chartFrameColor = value;
  PictureChanged();
}

void TGrafonAppearance::SetChartColor(TColor value) {
  m_chartColor = value;
  PictureChanged();
}

void TGrafonAppearance::SetWindColor(TColor value) {
  m_windColor = value;
  PictureChanged();
}

void TGrafonAppearance::SetCaption(const std::string& value) {
  if (value.size() > kMaxCaptionLength) {
    throw ENoxGrafonError("Caption is " + std::to_string(value.size()) +
                          " bytes long; a chart caption may have " + std::to_string(kMaxCaptionLength) +
                          " at most.");
  }
  m_caption = value;
  PictureChanged();
}

void TGrafonAppearance::SetCaptionPosX(int value) {
  m_captionPosX = value;
  PictureChanged();
}

void TGrafonAppearance::SetCaptionPosY(int value) {
  m_captionPosY = value;
  PictureChanged();
}

void TGrafonAppearance::SetCaptionAlignment(TAlignment value) {
  if (value > taCenter) return;
  m_captionAlignment = value;
  PictureChanged();
}

void TGrafonAppearance::SetCaptionAnchorHoriz(TCaptionAnchorHoriz value) {
  if (value >= kCaptionAnchorHorizCount) return;
  m_captionAnchorHoriz = value;
  PictureChanged();
}

void TGrafonAppearance::SetCaptionAnchorVert(TCaptionAnchorVert value) {
  if (value >= kCaptionAnchorVertCount) return;
  m_captionAnchorVert = value;
  PictureChanged();
}

void TGrafonAppearance::SetCaptionTrim(int value) {
  m_captionTrim = value == 0 ? 0 : std::clamp(value, 5, 100);
  PictureChanged();
}

void TGrafonAppearance::AssignCrossHair(int index, const TCrossHair& value) {
  detail::AssignKeepingOnChange(CrossHair(index), value);
  PictureChanged();
}

}  // namespace nox
