#pragma once
// TScale: the axis control of the library.
//
// A scale owns one numeric range (RangeLow .. RangeHigh), maps world values of that range to pixel
// positions along one edge of its area, chooses round tick positions, formats tick labels and draws
// base line, ticks, labels, caption and frame. It works stand-alone (a control that paints itself,
// through an off-screen bitmap or, when Transparent, straight onto its canvas) or hosted by a chart,
// which suspends its self-painting, gives it the chart's off-screen canvas (SetHostCanvas) and asks
// it to paint (PaintNow) when the chart renders.
//
// Every property setter repairs bad values where it stores them and ends with RequestRedraw: an
// opaque or hosted scale paints at once (nothing happens while painting is suspended or the scale is
// loading), a transparent stand-alone scale invalidates itself. Setters that change the mapping
// (range, margins, orientation, Logarithmic, DecPlaces) also run UpdateMapping first.
//
// Which ticks come and what their labels say is decided by scale/tick_layout.h; the drawing is
// scale/scale_paint.h; the scale's own mouse dragging uses scale/drag_scale_range.h.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/Nox_noxbase.h"
#include "platform/canvas.h"
#include "platform/control.h"
#include "scale/axis_mapping.h"

namespace nox {

/// Reference point of the caption along the scale: start (top or left), middle, end (bottom or right).
///@{
enum TScaleUnitAnchor : std::uint8_t { uaSclTopLft, uaSclCenter, uaSclBotRgt };
constexpr int kScaleUnitAnchorCount = uaSclBotRgt + 1;
///@}

/// After each tick line is drawn: the tick's world value and the pixel of its foot on the base line,
/// in the coordinates of Canvas (the canvas drawn on).
using TScaleTickDrawnEvent = std::function<void(TObject* Sender, TCanvas& Canvas, TScaleType ScaleType,
                                                double CurrentTickPos, int ChartX, int ChartY)>;
/// Before each label is measured and drawn; the handler may replace TickLabel.
using TBeforeTickLabelEvent =
    std::function<void(TObject* Sender, TScaleType ScaleType, double CurrentTickPos, std::string& TickLabel)>;
/// Before and after a scale is rendered, with the canvas it is drawn on.
using TScaleRenderedEvent = std::function<void(TObject* Sender, TCanvas& Canvas)>;

/// Why a logarithmic axis over a bound <= 0 is refused, by a scale read from a stored form and by a
/// chart that cannot map it.
constexpr const char* kNegativeLogAxis = "Logarithmic axis must not be negative.";

/// The tick list keeps the values of the first 250 ticks of a drawing; later ticks are drawn but not kept.
///@{
constexpr int kTickListCapacity = 250;
using TTickValues = std::array<double, kTickListCapacity>;
///@}

struct TTickList;
namespace detail {
class TScalePainter;
}

/// An axis: a linear, logarithmic or date/time scale with ticks and labels, on its own or hosted by
/// a chart, which maps it with the chart's own map of that axis.
class TScale : public TControl {
 public:
  /// Create: a 400 x 400 scale with the defaults of ResetDefaults; painting stays suspended until the
  /// window exists (CreateWnd).
  explicit TScale(TComponent* AOwner);
  /// Destroy: frees the owned date format first.
  ///@{
  ~TScale() override;
  std::string_view ClassName() const override { return "TScale"; }
  ///@}

  /// --- properties (in the order they are stored) ---
  ///@{
  const std::string& Caption() const { return m_caption; }
  void SetCaption(const std::string& value);
  int CaptionPosX() const { return m_captionPosX; }  ///< = 4, pixels added to the caption's reference x
  void SetCaptionPosX(int value);
  int CaptionPosY() const { return m_captionPosY; }  ///< = 4, pixels added to the caption's reference y
  void SetCaptionPosY(int value);
  TAlignment CaptionAlignment() const { return m_captionAlignment; }  ///< = taCenter
  void SetCaptionAlignment(TAlignment value);  ///< a value outside the enumeration is ignored
  TScaleUnitAnchor CaptionAnchor() const { return m_captionAnchor; }  ///< = uaSclTopLft
  void SetCaptionAnchor(TScaleUnitAnchor value);                      ///< outside the enumeration: ignored
  TColor ColorBackGnd() const { return m_colorBackGnd; }              ///< = clBtnFace
  void SetColorBackGnd(TColor value);
  TColor ColorScale() const { return m_colorScale; }  ///< = clBlack, pen of base line and ticks
  void SetColorScale(TColor value);
  ///@}
  /// csSystem sets the frame's shadow and light colours to the system button colours, csBWG to
  /// clGray and clWhite. A value outside the enumeration is ignored.
  ///@{
  TColorScheme ColorScheme() const { return m_colorScheme; }  ///< = csBWG
  void SetColorScheme(TColorScheme value);
  ///@}
  /// The scale owns its date format; setting it copies the seven settings in (the owned object keeps
  /// notifying this scale). Any change of the owned object redraws the scale.
  ///@{
  TDTLabel& DateFormat() { return m_dateFormat; }
  const TDTLabel& DateFormat() const { return m_dateFormat; }
  void SetDateFormat(const TDTLabel& value);
  ///@}
  /// 0..12 fixed decimals; -1 exponent form; -2 automatic; -3 automatic, and on logarithmic scales
  /// only the decades labelled with their exponent. Clamped to -3..12.
  ///@{
  int DecPlaces() const { return m_decPlaces; }  ///< = -2
  void SetDecPlaces(int value);
  TFrameStyle FrameStyle() const { return m_frameStyle; }  ///< = fsLowered, drawn around an opaque scale
  void SetFrameStyle(TFrameStyle value);                   ///< a value outside the enumeration is ignored
  ///@}
  /// ftDateTime turns Logarithmic off; ftTime sets DecPlaces to 4. Outside the enumeration: ignored.
  ///@{
  TFigType LabelType() const { return m_labelType; }  ///< = ftNum
  void SetLabelType(TFigType value);
  ///@}
  /// False always takes effect. True takes effect while the scale is read from a stored form (the
  /// range comes later: Loaded refuses it then over a bound < 1e-100), or when both bounds are
  /// >= 1e-100 and LabelType is not ftDateTime; otherwise the request is ignored silently.
  ///@{
  bool Logarithmic() const { return m_logarithmic; }  ///< = false
  void SetLogarithmic(bool value);
  ///@}
  /// Margins between the control's edges and the axis; negative values store 0.
  ///@{
  int MarginTop() const { return m_marginTop; }  ///< = 20, pixels
  void SetMarginTop(int value);
  int MarginBottom() const { return m_marginBottom; }  ///< = 20, pixels
  void SetMarginBottom(int value);
  int MarginLeft() const { return m_marginLeft; }  ///< = 20, pixels
  void SetMarginLeft(int value);
  int MarginRight() const { return m_marginRight; }  ///< = 20, pixels
  void SetMarginRight(int value);
  ///@}
  /// The least number of intervals between labelled ticks: 0 (a fixed step of 1) or 2..10 (other
  /// values are clamped into 2..10). No remapping.
  ///@{
  int MinTicks() const { return m_minTicks; }  ///< = 3
  void SetMinTicks(int value);
  ///@}
  /// Dragging the scale with the left button: maPan, maZoom and maZoomDrag act, others do nothing.
  ///@{
  TMouseActMode MouseAction() const { return m_mouseAction; }  ///< = maNone
  void SetMouseAction(TMouseActMode value) { m_mouseAction = value; }
  ///@}
  /// Number of values in the tick list after the last drawing (at most kTickListCapacity).
  int NumTicks() const { return m_numTicks; }
  /// Bounds of the axis. A bound equal to the other one is pulled apart: setting RangeLow to RangeHigh
  /// moves RangeHigh to the value + 1, setting RangeHigh to RangeLow moves RangeLow to the value + 1
  /// (the scale then runs downwards); where 1 vanishes against the value, the next representable
  /// number is used. RangeLow > RangeHigh is a descending scale. NaN and infinite values are ignored.
  ///@{
  double RangeLow() const { return m_rangeLow; }  ///< = 0
  void SetRangeLow(double value);
  double RangeHigh() const { return m_rangeHigh; }  ///< = 100
  void SetRangeHigh(double value);
  bool ShortTicks() const { return m_shortTicks; }  ///< = true, unlabelled subdivision ticks
  void SetShortTicks(bool value);
  bool ShowBaseLine() const { return m_showBaseLine; }  ///< = true
  void SetShowBaseLine(bool value);
  ///@}
  /// Prefix and suffix of numeric labels: the part before the first "&" goes in front, the part after
  /// it behind; without "&" the whole text is a prefix.
  ///@{
  const std::string& ScaleInscript() const { return m_scaleInscript; }  ///< = empty
  void SetScaleInscript(const std::string& value);
  TScaleType ScaleType() const { return m_scaleType; }  ///< = sctXB
  void SetScaleType(TScaleType value);                  ///< a value outside the enumeration is ignored
  bool Transparent() const { return m_transparent; }    ///< = false: paints without background and frame
  void SetTransparent(bool value);
  ///@}
  /// Label texts for ftUserText, separated by "|"; ticks beyond the last item repeat it.
  ///@{
  const std::string& UserTickText() const { return m_userTickText; }  ///< = empty
  void SetUserTickText(const std::string& value);
  ///@}

  /// --- internal state, readable ---
  /// = 1, pixels per world unit (per ln unit if log); negative on vertical scales
  double ScaleFactor() const { return static_cast<double>(m_mapping.k); }
  /// = 0, pixel of world value 0 (of ln value 0)
  ///@{
  double ScaleOffset() const { return static_cast<double>(m_mapping.o); }
  bool PaintSuspended() const { return m_paintSuspended; }
  bool Hosted() const { return m_hosted; }
  bool Initialising() const { return m_initialising; }
  ///@}
  /// --- stored forms (scale/scale_stored_form.h) ---
  /// Initialising again before a stored form is read into a scale that was loaded before, so that a
  /// stored Logarithmic True is taken ahead of its range as at the first reading; Loaded ends it.
  void BeginInitialising() { m_initialising = true; }
  /// ---
  ///@{
  TCanvas* HostCanvas() const { return m_hostCanvas; }
  int HostOffsetX() const { return m_hostOffsetX; }
  int HostOffsetY() const { return m_hostOffsetY; }
  TColor FrameColorDark() const { return m_frameColorDark; }      ///< = clBlack
  TColor FrameColorShadow() const { return m_frameColorShadow; }  ///< = clGray
  TColor FrameColorLight() const { return m_frameColorLight; }    ///< = clWhite
  ///@}

  /// --- operations ---
  /// Puts every property, the internal state and the date format back to their defaults and
  /// suspends painting (without painting); then computes the mapping.
  void ResetDefaults();
  /// Opaque or hosted: paints now; transparent stand-alone: invalidates the control.
  void RequestRedraw();
  /// Releasing the suspension redraws.
  void SetPaintSuspended(bool value);
  /// Paints once even while painting is suspended (the suspension is restored afterwards).
  void PaintNow();
  /// Draws on canvas (not owned; it must outlive its use here or be replaced) instead of the control's
  /// own, at the given offset; nullptr returns to the own canvas. No redraw.
  ///@{
  void SetHostCanvas(TCanvas* canvas, int offsetX, int offsetY);
  void SetHosted(bool value);
  ///@}
  /// The host's map of the axis this scale shows: while hosted, the scale places its ticks by it
  /// instead of its own mapping, so that they stand on the pixels of the host's data and grid (the
  /// host's axis may end where the scale's margins cannot put it, on the control's edge). The host
  /// gives it before each paint; ResetDefaults forgets it.
  void SetHostMapping(const detail::TAxisMapping& mapping);
  /// Sets both bounds at once; equal bounds give High = Low + 1. NaN or infinite bounds are ignored.
  void SetRange(double low, double high);
  /// Recomputes ScaleFactor and ScaleOffset from range, size and margins by the rule of
  /// scale/axis_mapping.h. Skipped while loading or when the bounds are equal; a logarithmic mapping
  /// with a bound <= 0 keeps the old mapping. An axis with no pixels (margins larger than the control)
  /// maps everything to the middle of the control.
  void UpdateMapping();
  /// Pixel position of a world value along the axis (by the host's map while hosted), rounded (ties to
  /// even) and limited to -2147483647..2147483647. On a logarithmic scale values <= 1e-100 map to 0
  /// (ascending range) or to Width (descending). NaN maps to 0.
  int ValueToPixel(double value) const;
  /// The Index-th value of the tick list, 1-based; 0 for an index outside 1..NumTicks.
  double TickPos(int Index) const;
  /// Ticks, labels and caption of a horizontal (sctXB, sctXT) or vertical (sctYL, sctYR) scale on
  /// canvas, with the base line at baseLine (a y for horizontal, an x for vertical scales), in the
  /// canvas's pen and font, as Paint draws them. Rebuilds the tick list. A scale of the other
  /// orientation draws nothing: its ticks have no place along this one.
  ///@{
  void DrawHorzScale(TCanvas& canvas, int baseLine);
  void DrawVertScale(TCanvas& canvas, int baseLine);
  ///@}

  /// Copies the scale's settings, mapping, tick list, events and paint state from another TScale
  /// (not Font, MouseAction, OnZoomPan, HostCanvas, Initialising nor the drag state), then redraws.
  /// Other sources go to the platform.
  ///@{
  void Assign(const TPersistent& Source) override;
  void AssignTo(TPersistent& Dest) const override;
  ///@}

  /// --- life cycle (platform overrides) ---
  /// After streaming: ends Initialising, computes the mapping and redraws. A stored Logarithmic True
  /// over a bound below 1e-100 is refused: the scale stays linear and Loaded throws EStoredFormError
  /// naming Logarithmic, with kNegativeLogAxis as its reason.
  ///@{
  void Loaded() override;
  void SetBounds(int left, int top, int width, int height) override;
  void Paint() override;
  ///@}

  /// --- events ---
  ///@{
  TZoomPanEvent OnZoomPan;  ///< after a mouse drag changed the range
  TScaleTickDrawnEvent OnScaleTickDrawn;
  TBeforeTickLabelEvent OnBeforeTickLabel;
  TScaleRenderedEvent OnBeforeScaleRendered;
  TScaleRenderedEvent OnAfterScaleRendered;
  ///@}

 protected:
  /// The window exists: painting starts.
  void CreateWnd() override;
  /// maPan and maZoom swap; then the platform fires OnDblClick.
  void DblClick() override;
  /// Dragging with the left button inside the axis area pans or zooms the range.
  ///@{
  void MouseMove(TShiftState shift, int x, int y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
  ///@}
  /// A new font shows at the next paint.
  void FontChanged() override;

 private:
  friend class detail::TScalePainter;

  bool IsVertical() const { return m_scaleType == sctYL || m_scaleType == sctYR; }
  /// Whether both bounds are at least 1e-100, as a logarithmic axis needs.
  ///@{
  bool LogRangePositive() const;
  void SetMargin(int& margin, int value);
  void DateFormatChanged(TObject* Sender);
  ///@}
  /// The ticks of a drawing from the current settings (scale/tick_layout.h).
  ///@{
  TTickList CurrentTicks() const;
  void ClearTickList() { m_numTicks = 0; }
  void RecordTick(double value);
  ///@}

  /// properties
  ///@{
  std::string m_caption;                           ///< drawn at the anchor + CaptionPos
  int m_captionPosX = 4;                           ///< pixels
  int m_captionPosY = 4;                           ///< pixels
  TAlignment m_captionAlignment = taCenter;        ///< caption relative to its reference x
  TScaleUnitAnchor m_captionAnchor = uaSclTopLft;  ///< caption's reference point along the axis
  TColor m_colorBackGnd = clBtnFace;               ///< background of an opaque scale
  TColor m_colorScale = clBlack;                   ///< pen of base line and ticks
  TColorScheme m_colorScheme = csBWG;              ///< frame colours
  TDTLabel m_dateFormat;                           ///< owned, notifies this scale
  int m_decPlaces = -2;                            ///< -3..12
  TFrameStyle m_frameStyle = fsLowered;            ///< frame of an opaque scale
  TFigType m_labelType = ftNum;                    ///< kind of labels
  bool m_logarithmic = false;                      ///< logarithmic mapping and ticks
  int m_marginTop = 20;                            ///< pixels, >= 0
  int m_marginBottom = 20;                         ///< pixels, >= 0
  int m_marginLeft = 20;                           ///< pixels, >= 0
  int m_marginRight = 20;                          ///< pixels, >= 0
  int m_minTicks = 3;                              ///< 0 or 2..10
  TMouseActMode m_mouseAction = maNone;            ///< what a drag on the scale does
  double m_rangeLow = 0;                           ///< world value at the start of the axis
  double m_rangeHigh = 100;                        ///< world value at the end of the axis
  bool m_shortTicks = true;                        ///< subdivision ticks
  bool m_showBaseLine = true;                      ///< line along the axis
  std::string m_scaleInscript;                     ///< label prefix & suffix
  TScaleType m_scaleType = sctXB;                  ///< orientation and side of the base line
  bool m_transparent = false;                      ///< no background, no frame, no bitmap
  std::string m_userTickText;                      ///< "|"-separated labels for ftUserText
  ///@}

  /// internal state
  /// ScaleFactor and ScaleOffset, in extended precision
  detail::TAxisMapping m_mapping{1, 0};
  /// the host's map of this axis, see SetHostMapping
  ///@{
  std::optional<detail::TAxisMapping> m_hostMapping;
  TTickValues m_tickList{};         ///< values of the last drawing's ticks
  int m_numTicks = 0;               ///< entries of m_tickList in use
  bool m_paintSuspended = true;     ///< Paint returns at once while set
  bool m_hosted = false;            ///< drawn by a chart
  bool m_initialising = true;       ///< until Loaded
  bool m_painting = false;          ///< guards against a paint started from an event handler
  bool m_redrawAsked = false;       ///< a redraw was asked for while painting
  TCanvas* m_hostCanvas = nullptr;  ///< not owned
  int m_hostOffsetX = 0;            ///< pixels
  int m_hostOffsetY = 0;            ///< pixels
  TColor m_frameColorDark = clBlack;
  TColor m_frameColorShadow = clGray;
  TColor m_frameColorLight = clWhite;
  ///@}

  /// mouse drag state
  ///@{
  bool m_dragging = false;
  int m_dragStartX = 0;
  int m_dragStartY = 0;
  double m_dragLow = 0;
  double m_dragHigh = 0;
  ///@}
};

}  // namespace nox
