// The 32 hosted scale controls: preparing and wiring them, copying the axis property objects into
// them, and the chart's reaction to a change of any property object (ScaleChanged).

#include <algorithm>

#include "chart/Nox_grafon.h"
#include "chart/paint_hold.h"
#include "platform/raster_math.h"

namespace nox {

namespace {

// What TFont::Assign and TDTLabel::Assign copy.
bool SameFont(const TFont& a, const TFont& b) {
  return a.Name() == b.Name() && a.Height() == b.Height() && a.Style() == b.Style() &&
         a.Color() == b.Color() && a.PixelsPerInch() == b.PixelsPerInch();
}

bool SameDateFormat(const TDTLabel& a, const TDTLabel& b) {
  return a.TimeFormat() == b.TimeFormat() && a.DateSeparator() == b.DateSeparator() &&
         a.TimeSeparator() == b.TimeSeparator() && a.YearLength() == b.YearLength() &&
         a.MonthName() == b.MonthName() && a.DateOrder() == b.DateOrder() &&
         a.DateForTime() == b.DateForTime();
}

}  // namespace

TCustomGrafon::TScaleChangeBatch::TScaleChangeBatch(TCustomGrafon& chart) : m_chart(chart) {
  ++m_chart.m_scaleChangeDepth;
}

TCustomGrafon::TScaleChangeBatch::~TScaleChangeBatch() {
  if (m_done) return;
  // Left early by an error: the changes collected so far are dropped with it.
  if (--m_chart.m_scaleChangeDepth == 0) m_chart.m_scaleChangePending = false;
}

bool TCustomGrafon::TScaleChangeBatch::Finish() {
  m_done = true;
  if (--m_chart.m_scaleChangeDepth > 0 || !m_chart.m_scaleChangePending) return false;
  m_chart.m_scaleChangePending = false;
  m_chart.ScaleChanged(&m_chart);
  return true;
}

void TCustomGrafon::PrepareScaleControl(TScale& scale, bool xAxis) {
  // The control is new: it holds the scale's defaults.
  scale.SetHosted(true);
  scale.SetPaintSuspended(true);
  scale.SetHostCanvas(&m_renderer.ControlImage().Canvas(), 0, 0);
  scale.SetBounds(0, 0, Width(), Height());
  scale.SetTransparent(true);
  scale.SetColorBackGnd(m_windColor);
  scale.SetFrameStyle(fsNone);
  if (xAxis) scale.SetMouseAction(maZoom);
  WireScaleControl(scale);
}

void TCustomGrafon::WireScaleControl(TScale& scale) {
  scale.OnScaleTickDrawn = [this](TObject*, TCanvas& canvas, TScaleType type, double pos, int x, int y) {
    if (OnScaleTickDrawn) OnScaleTickDrawn(this, canvas, type, pos, x, y);
  };
  scale.OnBeforeTickLabel = [this](TObject*, TScaleType type, double pos, std::string& label) {
    if (OnBeforeTickLabel) OnBeforeTickLabel(this, type, pos, label);
  };
  scale.OnZoomPan = [this](TObject* sender) { ScaleChanged(sender); };
}

void TCustomGrafon::PushScaleProps(TScale& scale, const TScaleProps& props) {
  // Each setter is called only when the value differs: a push of unchanged properties (as every
  // paint, resize and range step makes for all 32 controls) then costs comparisons only, and a
  // setter called with the value a control holds changes nothing a chart shows.
  auto setMargin = [&scale](int (TScale::*get)() const, void (TScale::*set)(int), long long value) {
    const int v = detail::SaturateToInt(value);
    if ((scale.*get)() != v) (scale.*set)(v);
  };
  auto set = [&scale](auto get, auto setter, const auto& value) {
    if (!((scale.*get)() == value)) (scale.*setter)(value);
  };
  const long long w = Width();
  const long long h = Height();
  const long long pos = props.ScalePos();
  set(&TScale::ScaleType, &TScale::SetScaleType, props.ScaleType());
  // The scale covers the whole control; one margin puts its axis line on the chart area's edge.
  switch (props.ScaleType()) {
    case sctXB:
      setMargin(&TScale::MarginBottom, &TScale::SetMarginBottom, pos + h - m_marginTop - 1);
      break;
    case sctXT:
      setMargin(&TScale::MarginTop, &TScale::SetMarginTop, pos + h - m_marginBottom - m_shadowWidth);
      break;
    case sctYL:
      setMargin(&TScale::MarginLeft, &TScale::SetMarginLeft, pos + w - m_marginRight - m_shadowWidth);
      break;
    case sctYR:
      setMargin(&TScale::MarginRight, &TScale::SetMarginRight, pos + w - m_marginLeft - 1);
      break;
  }
  if (scale.RangeLow() != props.RangeLow() || scale.RangeHigh() != props.RangeHigh()) {
    scale.SetRange(props.RangeLow(), props.RangeHigh());
  }
  set(&TScale::Visible, &TScale::SetVisible, props.Visible());
  set(&TScale::Caption, &TScale::SetCaption, props.Caption());
  set(&TScale::CaptionPosX, &TScale::SetCaptionPosX, props.CaptionPosX());
  set(&TScale::CaptionPosY, &TScale::SetCaptionPosY, props.CaptionPosY());
  set(&TScale::CaptionAlignment, &TScale::SetCaptionAlignment, props.CaptionAlignment());
  set(&TScale::CaptionAnchor, &TScale::SetCaptionAnchor, props.CaptionAnchor());
  set(&TScale::ColorScale, &TScale::SetColorScale, props.ColorScale());
  set(&TScale::DecPlaces, &TScale::SetDecPlaces, props.DecPlaces());
  set(&TScale::Logarithmic, &TScale::SetLogarithmic, props.Logarithmic());
  set(&TScale::LabelType, &TScale::SetLabelType, props.LabelType());
  set(&TScale::ShortTicks, &TScale::SetShortTicks, props.ShortTicks());
  set(&TScale::MinTicks, &TScale::SetMinTicks, props.MinTicks());
  set(&TScale::ScaleInscript, &TScale::SetScaleInscript, props.ScaleInscript());
  set(&TScale::UserTickText, &TScale::SetUserTickText, props.UserTickText());
  if (!SameFont(scale.Font(), props.Font())) scale.SetFont(props.Font());
  if (!SameDateFormat(scale.DateFormat(), props.DateFormat())) scale.SetDateFormat(props.DateFormat());
}

void TCustomGrafon::PushAllScaleProps() {
  for (int l = 1; l <= kLayerCount; ++l) {
    PushScaleProps(ScaleControlX(l), ScaleXOf(l));
    PushScaleProps(ScaleControlY(l), ScaleYOf(l));
  }
}

void TCustomGrafon::ScaleChanged(TObject* /*Sender*/) {
  // A stored form being read is taken as one state: Loaded pushes the property objects, and joined
  // layers do not follow ranges read halfway.
  if (IsLoading()) return;
  if (m_scaleChangeDepth > 0) {
    m_scaleChangePending = true;
    return;
  }
  TPaintHold hold(*this);
  PushAllScaleProps();
  for (int l = 1; l <= kLayerCount; ++l) {
    const TScaleProps& px = ScaleXOf(l);
    const TScaleProps& py = ScaleYOf(l);
    SetJointRange(l, false, false, px.RangeLow(), py.RangeLow(), px.RangeHigh(), py.RangeHigh());
  }
  hold.RestoreQuietly();
  Repaint();
}

void TCustomGrafon::ScalePropsAssigned() {
  if (IsDesigning()) Repaint();
}

}  // namespace nox
