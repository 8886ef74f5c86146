// The seven standard layouts: margins, chart caption and the placement of the scales of layers
// 1..4 (layers 5..16 are hidden by every layout).

#include <array>

#include "chart/Nox_grafon.h"
#include "chart/flag_scope.h"
#include "chart/paint_hold.h"

namespace nox {

namespace {

// One axis of layers 1..4 in a layout. farSide: top for X, right for Y.
struct TAxisPlacement {
  bool Visible;
  bool FarSide;
  int Pos;
  int CaptionPosX;
  int CaptionPosY;
  TAlignment CaptionAlignment;
  TScaleUnitAnchor CaptionAnchor;
};

struct TLayoutValues {
  int MarginLeft, MarginRight, MarginTop, MarginBottom;
  int CaptionPosX, CaptionPosY;
  TAlignment CaptionAlignment;
  TCaptionAnchorHoriz CaptionAnchorHoriz;
  TCaptionAnchorVert CaptionAnchorVert;
  std::array<TAxisPlacement, 4> X;
  std::array<TAxisPlacement, 4> Y;
};

// Scales a layout does not show.
constexpr TAxisPlacement kHiddenX{false, false, 0, 10, 100, taCenter, uaSclCenter};
constexpr TAxisPlacement kHiddenY{false, false, 0, 10, 100, taRightJustify, uaSclTopLft};

constexpr TAxisPlacement kX1Bottom{true, false, 0, 0, 22, taCenter, uaSclCenter};
constexpr TAxisPlacement LeftY(int pos) { return {true, false, pos, 0, -23, taRightJustify, uaSclTopLft}; }

constexpr std::array<TLayoutValues, kgfLayoutCount> kLayouts{{
    // gfl_X1Bottom_Y1Left
    {50,
     20,
     20,
     40,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {TAxisPlacement{true, false, 0, 0, -16, taLeftJustify, uaSclTopLft}, kHiddenY, kHiddenY, kHiddenY}},
    // gfl_X1Bottom_Y2Left
    {100,
     20,
     24,
     40,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {LeftY(0), LeftY(50), kHiddenY, kHiddenY}},
    // gfl_X1Bottom_Y3Left
    {150,
     20,
     24,
     40,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {LeftY(0), LeftY(50), LeftY(100), kHiddenY}},
    // gfl_X1Bottom_Y4Left
    {200,
     20,
     24,
     40,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {LeftY(0), LeftY(50), LeftY(100), LeftY(150)}},
    // gfl_X1Bottom_Y2Both
    {50,
     50,
     24,
     40,
     0,
     -20,
     taCenter,
     cahChartCenter,
     cavChartTop,
     {kX1Bottom, kHiddenX, kHiddenX, kHiddenX},
     {LeftY(0), TAxisPlacement{true, true, 0, 0, -23, taLeftJustify, uaSclTopLft}, kHiddenY, kHiddenY}},
    // gfl_X2Bottom_Y2Left
    {100,
     20,
     24,
     70,
     0,
     -16,
     taRightJustify,
     cahChartRight,
     cavChartTop,
     {TAxisPlacement{true, false, 0, -20, 7, taRightJustify, uaSclTopLft},
      TAxisPlacement{true, false, 30, -20, 7, taRightJustify, uaSclTopLft}, kHiddenX, kHiddenX},
     {LeftY(0), LeftY(50), kHiddenY, kHiddenY}},
    // gfl_X2Both_Y2Both
    {50,
     50,
     64,
     40,
     0,
     -60,
     taCenter,
     cahChartCenter,
     cavChartTop,
     {TAxisPlacement{true, false, 0, 0, 20, taCenter, uaSclCenter},
      TAxisPlacement{true, true, 0, 0, -40, taCenter, uaSclCenter}, kHiddenX, kHiddenX},
     {TAxisPlacement{true, false, 0, 0, -40, taRightJustify, uaSclTopLft},
      TAxisPlacement{true, true, 0, 0, -40, taLeftJustify, uaSclTopLft},
      TAxisPlacement{false, false, 0, 0, -23, taRightJustify, uaSclTopLft},
      TAxisPlacement{false, false, 0, 0, -23, taRightJustify, uaSclTopLft}}},
}};

template <class TProps, class TLocation>
void Place(TProps& props, const TAxisPlacement& p, TLocation nearSide, TLocation farSide) {
  props.SetScaleLocation(p.FarSide ? farSide : nearSide);
  props.SetCaptionPosX(p.CaptionPosX);
  props.SetCaptionPosY(p.CaptionPosY);
  props.SetCaptionAlignment(p.CaptionAlignment);
  props.SetCaptionAnchor(p.CaptionAnchor);
  props.SetScalePos(p.Pos);
  props.SetVisible(p.Visible);
}

}  // namespace

void TCustomGrafon::SetStandardLayout(TgfLayout value) {
  if (value >= kgfLayoutCount) return;
  TPaintHold hold(*this);
  TScaleChangeBatch batch(*this);
  m_standardLayout = value;
  const TLayoutValues& layout = kLayouts[value];
  {
    // One new chart image for the four margins, not one per margin.
    const detail::TFlagScope settingMargins(m_settingLayout);
    SetMarginLeft(layout.MarginLeft);
    SetMarginRight(layout.MarginRight);
    SetMarginTop(layout.MarginTop);
    SetMarginBottom(layout.MarginBottom);
  }
  ResizeChartImage(true, true);
  SetCaptionPosX(layout.CaptionPosX);
  SetCaptionPosY(layout.CaptionPosY);
  SetCaptionAlignment(layout.CaptionAlignment);
  SetCaptionAnchorHoriz(layout.CaptionAnchorHoriz);
  SetCaptionAnchorVert(layout.CaptionAnchorVert);
  for (std::size_t i = 0; i < 4; ++i) {
    Place(m_propsX[i], layout.X[i], slBottom, slTop);
    Place(m_propsY[i], layout.Y[i], slLeft, slRight);
  }
  for (std::size_t i = 4; i < static_cast<std::size_t>(kLayerCount); ++i) {
    m_propsX[i].SetVisible(false);
    m_propsY[i].SetVisible(false);
  }
  PushAllScaleProps();
  batch.Finish();
  hold.Release();
}

}  // namespace nox
