#pragma once
// The chart's appearance properties: margins and shadow, the chart area's colours, grid and
// background, the caption, the mark rules, the cross hairs and the text labels. The part stores and
// checks its values and tells the control what changed (PictureChanged and the other hooks); the
// control repaints and makes the geometry follow.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/Nox_noxbase.h"
#include "chart/grafon_types.h"
#include "chart/render/background_image.h"
#include "platform/color.h"

namespace nox {

constexpr int kCrossHairCount = 4;   ///< cross hairs of a chart
constexpr int kTextLabelCount = 50;  ///< text labels of a chart
/// Margins are kept within 0..kMaxMargin pixels, so the minimum control size stays a valid image.
constexpr int kMaxMargin = 3000;
/// Bytes of the chart's Caption: a title of a line or a few. Longer text cannot show in a control and
/// would still be measured at every paint.
constexpr std::size_t kMaxCaptionLength = 4096;

/// The appearance properties of the chart, a part of TCustomGrafon ("repaints" means
/// repaint-if-automatic).
class TGrafonAppearance {
 public:
  /// Margins of the chart area, pixels, kept within 0..kMaxMargin; each change resizes the chart
  /// image, re-fits isometric layers, updates scale controls and mapping, repaints.
  ///@{
  int MarginLeft() const { return m_marginLeft; }  ///< = 50
  void SetMarginLeft(int value);
  int MarginRight() const { return m_marginRight; }  ///< = 20
  void SetMarginRight(int value);
  int MarginTop() const { return m_marginTop; }  ///< = 20
  void SetMarginTop(int value);
  int MarginBottom() const { return m_marginBottom; }  ///< = 40
  void SetMarginBottom(int value);
  int LRim() const { return m_marginLeft; }
  void SetLRim(int value) { SetMarginLeft(value); }
  int RRim() const { return m_marginRight; }
  void SetRRim(int value) { SetMarginRight(value); }
  int TRim() const { return m_marginTop; }
  void SetTRim(int value) { SetMarginTop(value); }
  int BRim() const { return m_marginBottom; }
  void SetBRim(int value) { SetMarginBottom(value); }
  ///@}

  /// Clamped into 0..32; no isometric re-fit.
  ///@{
  int ShadowWidth() const { return m_shadowWidth; }  ///< = 0, pixels
  void SetShadowWidth(int value);
  TShadowStyle ShadowStyle() const { return m_shadowStyle; }  ///< = ssFlying; repaints
  void SetShadowStyle(TShadowStyle value);
  TColor ShadowColor() const { return m_shadowColor; }  ///< = clGrayText; repaints
  void SetShadowColor(TColor value);
  TColor ShadowBakColor() const { return m_shadowBakColor; }  ///< = clBtnFace; repaints
  void SetShadowBakColor(TColor value);
  ///@}

  /// True: long runs of line-to items drawn with a solid pen in copy mode are painted from block
  /// summaries of the item lists, column by column, giving exactly the pixels of drawing them item
  /// by item at a cost that follows the chart's width rather than the item count; runs of other pens
  /// are read straight from the lists' columns. False draws every item on its own (the reference
  /// the fast paths are checked against). Neither value repaints.
  ///@{
  bool FastLineRuns() const { return m_fastLineRuns; }  ///< = True
  void SetFastLineRuns(bool value) { m_fastLineRuns = value; }
  ///@}

  /// Suppression of marks of the same type drawn within MinDupMarkDist pixels; changes paint at once.
  ///@{
  bool AvoidDuplicateMarks() const { return m_avoidDuplicateMarks; }  ///< = False
  void SetAvoidDuplicateMarks(bool value);
  ///@}
  /// Kept within 1..3; setting the stored value again does nothing.
  ///@{
  int MinDupMarkDist() const { return m_minDupMarkDist; }  ///< = 1, pixels
  void SetMinDupMarkDist(int value);
  ///@}

  /// Setting copies the values in, then repaints.
  ///@{
  TBakGndImg& BackGroundImg() { return m_backGroundImg; }
  const TBakGndImg& BackGroundImg() const { return m_backGroundImg; }
  void SetBackGroundImg(const TBakGndImg& value);
  ///@}

  /// The grid drawn in the chart area.
  ///@{
  GridStyleType GridStyle() const { return m_gridStyle; }  ///< = gsNone; repaints
  void SetGridStyle(GridStyleType value);
  ///@}
  /// Grid steps; a value below -3 (or not finite) is refused, others stored; repaints.
  ///@{
  double GridDx() const { return m_gridDx; }  ///< = 0
  void SetGridDx(double value);
  double GridDy() const { return m_gridDy; }  ///< = 0
  void SetGridDy(double value);
  TColor GridColor() const { return m_gridColor; }  ///< = 0; repaints
  void SetGridColor(TColor value);
  ///@}

  /// Colours of the chart area's frame, the chart area and the control around it.
  ///@{
  TColor ChartFrameColor() const { return m_chartFrameColor; }  ///< = 0; repaints
  void SetChartFrameColor(TColor value);
  TColor ChartColor() const { return m_chartColor; }  ///< = $FFFFFF, chart-area background; repaints
  void SetChartColor(TColor value);
  TColor WindColor() const { return m_windColor; }  ///< = clBtnFace, control background; repaints
  void SetWindColor(TColor value);
  ///@}

  /// The chart caption; every setter repaints.
  const std::string& Caption() const { return m_caption; }  ///< = empty
  /// A caption longer than kMaxCaptionLength bytes is refused with ENoxGrafonError and changes nothing.
  ///@{
  void SetCaption(const std::string& value);
  int CaptionPosX() const { return m_captionPosX; }  ///< = 0, pixels from the anchor
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return m_captionPosY; }  ///< = -16, pixels from the anchor
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return m_captionAlignment; }  ///< = taRightJustify
  void SetCaptionAlignment(TAlignment value);
  TCaptionAnchorHoriz CaptionAnchorHoriz() const { return m_captionAnchorHoriz; }  ///< = cahChartRight
  void SetCaptionAnchorHoriz(TCaptionAnchorHoriz value);
  TCaptionAnchorVert CaptionAnchorVert() const { return m_captionAnchorVert; }  ///< = cavChartTop
  void SetCaptionAnchorVert(TCaptionAnchorVert value);
  ///@}
  /// Longest caption as a percentage of the chart width: 0 (no trimming) or 5..100 (clamped).
  ///@{
  int CaptionTrim() const { return m_captionTrim; }  ///< = 100
  void SetCaptionTrim(int value);
  ///@}

  /// Cross hairs 1..4; setting one copies the values in (it keeps notifying this chart), repaints.
  ///@{
  TCrossHair& CrossHair1() { return m_crossHairs[0]; }
  TCrossHair& CrossHair2() { return m_crossHairs[1]; }
  TCrossHair& CrossHair3() { return m_crossHairs[2]; }
  TCrossHair& CrossHair4() { return m_crossHairs[3]; }
  void SetCrossHair1(const TCrossHair& value) { AssignCrossHair(1, value); }
  void SetCrossHair2(const TCrossHair& value) { AssignCrossHair(2, value); }
  void SetCrossHair3(const TCrossHair& value) { AssignCrossHair(3, value); }
  void SetCrossHair4(const TCrossHair& value) { AssignCrossHair(4, value); }
  ///@}
  /// Cross hair 1..4 (any other index gives cross hair 1).
  ///@{
  TCrossHair& CrossHair(int index) { return m_crossHairs[IndexIn(index, kCrossHairCount)]; }
  const TCrossHair& CrossHair(int index) const { return m_crossHairs[IndexIn(index, kCrossHairCount)]; }
  ///@}
  /// Text label 1..50 (any other index gives label 1).
  ///@{
  TTextLabel& TextLabel(int index) { return m_textLabels[IndexIn(index, kTextLabelCount)]; }
  const TTextLabel& TextLabel(int index) const { return m_textLabels[IndexIn(index, kTextLabelCount)]; }
  ///@}

 protected:
  ~TGrafonAppearance() = default;  ///< owned as a part of the control only

  /// The side a margin setter changed.
  enum TMarginSide : std::uint8_t { mgLeft, mgRight, mgTop, mgBottom };
  /// What the control does when a value changed: repaints if automatic (PictureChanged), repaints
  /// at once (MarkRuleChanged), or makes the chart image, the scale controls and the mapping follow
  /// a margin or the shadow width, then repaints.
  ///@{
  virtual void PictureChanged() = 0;
  virtual void MarkRuleChanged() = 0;
  virtual void MarginChanged(TMarginSide side) = 0;
  virtual void ShadowWidthChanged() = 0;
  ///@}

  /// Item index - 1 of index in 1..count, else 0.
  static std::size_t IndexIn(int index, int count) {
    return index >= 1 && index <= count ? static_cast<std::size_t>(index - 1) : 0;
  }
  /// Copies value into cross hair index (1..4), keeping its notification, then repaints.
  void AssignCrossHair(int index, const TCrossHair& value);

  /// The values of the properties above.
  ///@{
  int m_marginLeft = 50;    ///< pixels
  int m_marginRight = 10;   ///< pixels
  int m_marginTop = 16;     ///< pixels
  int m_marginBottom = 32;  ///< pixels
  int m_shadowWidth = 0;    ///< pixels, 0..32
  TShadowStyle m_shadowStyle = ssFlying;
  TColor m_shadowColor = clGrayText;
  TColor m_shadowBakColor = clBtnFace;
  bool m_fastLineRuns = true;  ///< line-to runs drawn from block summaries
  bool m_avoidDuplicateMarks = false;
  int m_minDupMarkDist = 1;  ///< pixels, 1..3
  TBakGndImg m_backGroundImg;
  GridStyleType m_gridStyle = gsNone;
  double m_gridDx = 0;
  double m_gridDy = 0;
  TColor m_gridColor = 0;
  TColor m_chartFrameColor = 0;
  TColor m_chartColor = 0xFFFFFF;
  TColor m_windColor = clBtnFace;
  std::string m_caption;
  int m_captionPosX = 0;
  int m_captionPosY = -16;
  TAlignment m_captionAlignment = taRightJustify;
  TCaptionAnchorHoriz m_captionAnchorHoriz = cahChartRight;
  TCaptionAnchorVert m_captionAnchorVert = cavChartTop;
  int m_captionTrim = 100;  ///< 0 or 5..100, percent
  std::array<TCrossHair, kCrossHairCount> m_crossHairs;
  std::array<TTextLabel, kTextLabelCount> m_textLabels;
  ///@}
};

}  // namespace nox
