// TScale: properties and their repairs, life cycle, mapping, copying and the scale's own mouse drag.
// Painting is scale/scale_paint.cpp, the choice of ticks scale/tick_layout.cpp.

#include "scale/Nox_Scale.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "base/stored_form.h"
#include "scale/drag_scale_range.h"
#include "scale/scale_paint.h"
#include "scale/tick_layout.h"

namespace nox {

namespace {

// Passes of one paint at most (see Paint).
constexpr int kMaxPaintPasses = 3;

// The bound that pulls a range apart from value: value + 1, or the next representable number where
// 1 vanishes against the value (and the previous one at the top of the double range).
double PulledApart(double value) {
  const double plusOne = value + 1;
  if (plusOne != value && std::isfinite(plusOne)) return plusOne;
  const double next = std::nextafter(value, HUGE_VAL);
  return std::isfinite(next) ? next : std::nextafter(value, -HUGE_VAL);
}

template <class E>
bool InEnum(E value, int count) {
  return static_cast<int>(value) >= 0 && static_cast<int>(value) < count;
}

}  // namespace

// --- life cycle ---

TScale::TScale(TComponent* AOwner) : TControl(AOwner) {
  m_paintSuspended = true;
  SetBounds(Left(), Top(), 400, 400);
  ResetDefaults();
}

TScale::~TScale() { m_dateFormat.OnChange = nullptr; }

void TScale::ResetDefaults() {
  m_paintSuspended = true;
  m_dragging = false;
  m_dragStartX = m_dragStartY = 0;
  m_dragLow = m_dragHigh = 0;
  m_frameStyle = fsLowered;
  m_colorScale = clBlack;
  m_colorBackGnd = clBtnFace;
  m_colorScheme = csBWG;
  m_frameColorDark = clBlack;
  m_frameColorShadow = clGray;
  m_frameColorLight = clWhite;
  m_caption.clear();
  m_hosted = false;
  m_hostCanvas = nullptr;
  m_hostMapping.reset();
  m_logarithmic = false;
  m_mapping = {1, 0};
  m_rangeHigh = 100;
  m_rangeLow = 0;
  m_shortTicks = true;
  m_decPlaces = -2;
  m_userTickText.clear();
  m_scaleInscript.clear();
  m_minTicks = 3;
  m_mouseAction = maNone;
  m_scaleType = sctXB;
  m_labelType = ftNum;
  m_showBaseLine = true;
  m_transparent = false;
  m_marginTop = m_marginBottom = m_marginLeft = m_marginRight = 20;
  m_captionPosX = 4;
  m_captionPosY = 4;
  m_captionAlignment = taCenter;
  m_captionAnchor = uaSclTopLft;
  m_hostOffsetX = m_hostOffsetY = 0;
  OnZoomPan = nullptr;
  OnScaleTickDrawn = nullptr;
  OnBeforeTickLabel = nullptr;
  OnBeforeScaleRendered = nullptr;
  OnAfterScaleRendered = nullptr;
  m_initialising = true;
  // The date format's defaults are set quietly: painting is suspended, so each notification would
  // only ask for a paint that does not happen.
  m_dateFormat.OnChange = nullptr;
  m_dateFormat.SetTimeFormat(tfHHMMSS);
  m_dateFormat.SetDateSeparator('-');
  m_dateFormat.SetTimeSeparator(':');
  m_dateFormat.SetYearLength(ylYYYY);
  m_dateFormat.SetMonthName(true);
  m_dateFormat.SetDateForTime(dtOnePerDay);
  m_dateFormat.SetDateOrder(doDDMMYY);
  m_dateFormat.OnChange = [this](TObject* sender) { DateFormatChanged(sender); };
  UpdateMapping();
}

void TScale::CreateWnd() {
  TControl::CreateWnd();
  m_paintSuspended = false;
}

void TScale::Loaded() {
  TControl::Loaded();
  m_initialising = false;
  // A stored logarithmic switch is taken before the range it needs; over a range that is not
  // positive it is refused now, leaving the scale linear.
  const bool refused = m_logarithmic && !LogRangePositive();
  if (refused) m_logarithmic = false;
  UpdateMapping();
  RequestRedraw();
  if (refused) throw EStoredFormError("Logarithmic", 0, 0, kNegativeLogAxis);
}

bool TScale::LogRangePositive() const { return m_rangeLow >= kMinLogValue && m_rangeHigh >= kMinLogValue; }

void TScale::SetBounds(int left, int top, int width, int height) {
  TControl::SetBounds(left, top, width, height);
  UpdateMapping();
  RequestRedraw();
}

void TScale::DateFormatChanged(TObject*) { RequestRedraw(); }

void TScale::FontChanged() { Invalidate(); }

// --- properties ---

void TScale::SetCaption(const std::string& value) {
  m_caption = value;
  RequestRedraw();
}

void TScale::SetCaptionPosX(int value) {
  m_captionPosX = value;
  RequestRedraw();
}

void TScale::SetCaptionPosY(int value) {
  m_captionPosY = value;
  RequestRedraw();
}

void TScale::SetCaptionAlignment(TAlignment value) {
  if (!InEnum(value, taCenter + 1)) return;
  m_captionAlignment = value;
  RequestRedraw();
}

void TScale::SetCaptionAnchor(TScaleUnitAnchor value) {
  if (!InEnum(value, kScaleUnitAnchorCount)) return;
  m_captionAnchor = value;
  RequestRedraw();
}

void TScale::SetColorBackGnd(TColor value) {
  if (value == m_colorBackGnd) return;
  m_colorBackGnd = value;
  RequestRedraw();
}

void TScale::SetColorScale(TColor value) {
  if (value == m_colorScale) return;
  m_colorScale = value;
  RequestRedraw();
}

void TScale::SetColorScheme(TColorScheme value) {
  if (value == m_colorScheme || !InEnum(value, kColorSchemeCount)) return;
  m_colorScheme = value;
  if (value == csSystem) {
    m_frameColorShadow = clBtnShadow;
    m_frameColorLight = clBtnHighlight;
  } else {
    m_frameColorShadow = clGray;
    m_frameColorLight = clWhite;
  }
  RequestRedraw();
}

void TScale::SetDateFormat(const TDTLabel& value) {
  if (&value != &m_dateFormat) {
    // Assign also takes over the source's change handler; the owned object keeps notifying us.
    TNotifyEvent own = std::move(m_dateFormat.OnChange);
    m_dateFormat.Assign(value);
    m_dateFormat.OnChange = std::move(own);
  }
  RequestRedraw();
}

void TScale::SetDecPlaces(int value) {
  m_decPlaces = std::clamp(value, -3, 12);
  UpdateMapping();
  RequestRedraw();
}

void TScale::SetFrameStyle(TFrameStyle value) {
  if (value == m_frameStyle || !InEnum(value, kFrameStyleCount)) return;
  m_frameStyle = value;
  RequestRedraw();
}

void TScale::SetLabelType(TFigType value) {
  if (!InEnum(value, kFigTypeCount)) return;
  m_labelType = value;
  if (value == ftDateTime && m_logarithmic) {
    m_logarithmic = false;
    // The logarithmic mapping must not outlive the switch to a linear scale.
    UpdateMapping();
  }
  if (value == ftTime) m_decPlaces = 4;
  RequestRedraw();
}

void TScale::SetLogarithmic(bool value) {
  if (!value) {
    m_logarithmic = false;
  } else if (IsLoading() || (LogRangePositive() && m_labelType != ftDateTime)) {
    // While a stored form is read the range comes later; Loaded checks it.
    m_logarithmic = true;
  }
  UpdateMapping();
  RequestRedraw();
}

void TScale::SetMargin(int& margin, int value) {
  margin = std::max(value, 0);
  UpdateMapping();
  RequestRedraw();
}

void TScale::SetMarginTop(int value) { SetMargin(m_marginTop, value); }
void TScale::SetMarginBottom(int value) { SetMargin(m_marginBottom, value); }
void TScale::SetMarginLeft(int value) { SetMargin(m_marginLeft, value); }
void TScale::SetMarginRight(int value) { SetMargin(m_marginRight, value); }

void TScale::SetMinTicks(int value) {
  m_minTicks = value == 0 ? 0 : std::clamp(value, 2, 10);
  RequestRedraw();
}

void TScale::SetRangeLow(double value) {
  if (!std::isfinite(value)) return;
  m_rangeLow = value;
  if (m_rangeLow == m_rangeHigh) m_rangeHigh = PulledApart(value);
  UpdateMapping();
  RequestRedraw();
}

void TScale::SetRangeHigh(double value) {
  if (!std::isfinite(value)) return;
  m_rangeHigh = value;
  if (m_rangeHigh == m_rangeLow) m_rangeLow = PulledApart(value);
  UpdateMapping();
  RequestRedraw();
}

void TScale::SetShortTicks(bool value) {
  if (value == m_shortTicks) return;
  m_shortTicks = value;
  RequestRedraw();
}

void TScale::SetShowBaseLine(bool value) {
  m_showBaseLine = value;
  RequestRedraw();
}

void TScale::SetScaleInscript(const std::string& value) {
  m_scaleInscript = value;
  RequestRedraw();
}

void TScale::SetScaleType(TScaleType value) {
  if (value == m_scaleType || !InEnum(value, kScaleTypeCount)) return;
  m_scaleType = value;
  UpdateMapping();
  RequestRedraw();
}

void TScale::SetTransparent(bool value) {
  m_transparent = value;
  RequestRedraw();
}

void TScale::SetUserTickText(const std::string& value) {
  m_userTickText = value;
  RequestRedraw();
}

// --- operations ---

void TScale::RequestRedraw() {
  if (m_painting) {
    // A handler of a paint event changed the scale: drawn by the next pass, not inside this one.
    m_redrawAsked = true;
    return;
  }
  if (!m_transparent || m_hosted) {
    Paint();
  } else {
    Invalidate();
  }
}

void TScale::SetPaintSuspended(bool value) {
  if (value == m_paintSuspended) return;
  m_paintSuspended = value;
  if (!value) RequestRedraw();
}

void TScale::PaintNow() {
  const bool suspended = m_paintSuspended;
  m_paintSuspended = false;
  RequestRedraw();
  m_paintSuspended = suspended;
}

void TScale::SetHostCanvas(TCanvas* canvas, int offsetX, int offsetY) {
  m_hostCanvas = canvas;
  m_hostOffsetX = offsetX;
  m_hostOffsetY = offsetY;
}

void TScale::SetHosted(bool value) {
  if (value == m_hosted) return;
  m_hosted = value;
  RequestRedraw();
}

void TScale::SetRange(double low, double high) {
  if (!std::isfinite(low) || !std::isfinite(high)) return;
  m_rangeLow = low;
  m_rangeHigh = high == low ? PulledApart(low) : high;
  UpdateMapping();
  RequestRedraw();
}

void TScale::UpdateMapping() {
  if (IsLoading() || m_rangeHigh == m_rangeLow) return;
  if (m_logarithmic && !(m_rangeLow > 0 && m_rangeHigh > 0)) return;
  // RangeLow at the first pixel after the left margin (horizontal) or the last one above the bottom
  // margin (vertical); RangeHigh at the last pixel before the right margin or at the top margin.
  // In 64 bits: margins may be as large as int allows.
  const bool vertical = IsVertical();
  const long long lowPixel = vertical ? static_cast<long long>(Height()) - m_marginBottom - 1 : m_marginLeft;
  const long long highPixel = vertical ? m_marginTop : static_cast<long long>(Width()) - m_marginRight - 1;
  const long long extent = vertical ? lowPixel - highPixel : highPixel - lowPixel;
  const long double centre = (vertical ? Height() : Width()) / 2.0L;
  detail::ComputeAxisMapping(m_logarithmic, m_rangeLow, m_rangeHigh, static_cast<long double>(lowPixel),
                             static_cast<long double>(highPixel), static_cast<long double>(extent), centre,
                             m_mapping);
}

void TScale::SetHostMapping(const detail::TAxisMapping& mapping) { m_hostMapping = mapping; }

int TScale::ValueToPixel(double value) const {
  const detail::TAxisMapping& mapping = m_hosted && m_hostMapping ? *m_hostMapping : m_mapping;
  return detail::MapToPixel(mapping, m_logarithmic, value, m_rangeHigh >= m_rangeLow ? 0 : Width());
}

double TScale::TickPos(int Index) const {
  return Index >= 1 && Index <= m_numTicks ? m_tickList[static_cast<std::size_t>(Index - 1)] : 0;
}

TTickList TScale::CurrentTicks() const {
  TTickSettings settings;
  settings.RangeLow = m_rangeLow;
  settings.RangeHigh = m_rangeHigh;
  settings.MinTicks = m_minTicks;
  settings.ShortTicks = m_shortTicks;
  settings.Logarithmic = m_logarithmic;
  settings.LabelType = m_labelType;
  settings.DecPlaces = m_decPlaces;
  settings.UserTickText = m_userTickText;
  settings.ScaleInscript = m_scaleInscript;
  settings.Vertical = IsVertical();
  return LayoutTicks(settings);
}

void TScale::RecordTick(double value) {
  if (m_numTicks < kTickListCapacity) m_tickList[static_cast<std::size_t>(m_numTicks++)] = value;
}

void TScale::Paint() {
  if (m_painting) {
    m_redrawAsked = true;
    return;
  }
  if ((!Visible() && (!IsDesigning() || m_hosted)) || IsLoading() || m_paintSuspended) return;
  struct TPaintingGuard {
    bool& flag;
    ~TPaintingGuard() { flag = false; }
  };
  // A handler that changes the scale while it paints has its change drawn by the next pass; one
  // that changes it at every pass is stopped after a few. A hosted scale is drawn again by its
  // chart, which paints anew when a handler changes it.
  for (int pass = 1; pass <= kMaxPaintPasses; ++pass) {
    m_redrawAsked = false;
    const bool invalidated = PaintPending();
    {
      m_painting = true;
      const TPaintingGuard guard{m_painting};
      detail::TScalePainter(*this).Paint();
      // A handler that resized the scale invalidated it: a request like any other (while painting,
      // PaintIfPending takes the mark and only records it).
      if (!invalidated) PaintIfPending();
    }
    if (!m_redrawAsked || m_hosted) break;
  }
  m_redrawAsked = false;
}

void TScale::DrawHorzScale(TCanvas& canvas, int baseLine) {
  if (!IsVertical()) detail::TScalePainter(*this).DrawScale(canvas, baseLine);
}

void TScale::DrawVertScale(TCanvas& canvas, int baseLine) {
  if (IsVertical()) detail::TScalePainter(*this).DrawScale(canvas, baseLine);
}

// --- copying ---

void TScale::Assign(const TPersistent& Source) {
  const auto* source = dynamic_cast<const TScale*>(&Source);
  if (!source) {
    TControl::Assign(Source);
    return;
  }
  if (source == this) {
    RequestRedraw();
    return;
  }
  m_frameStyle = source->m_frameStyle;
  m_colorBackGnd = source->m_colorBackGnd;
  m_colorScale = source->m_colorScale;
  m_frameColorDark = source->m_frameColorDark;
  m_frameColorShadow = source->m_frameColorShadow;
  m_frameColorLight = source->m_frameColorLight;
  m_colorScheme = source->m_colorScheme;
  OnScaleTickDrawn = source->OnScaleTickDrawn;
  OnBeforeTickLabel = source->OnBeforeTickLabel;
  m_logarithmic = source->m_logarithmic;
  m_mapping = source->m_mapping;
  m_rangeHigh = source->m_rangeHigh;
  m_rangeLow = source->m_rangeLow;
  m_shortTicks = source->m_shortTicks;
  m_numTicks = source->m_numTicks;
  m_minTicks = source->m_minTicks;
  m_decPlaces = source->m_decPlaces;
  m_showBaseLine = source->m_showBaseLine;
  m_transparent = source->m_transparent;
  m_labelType = source->m_labelType;
  {
    TNotifyEvent own = std::move(m_dateFormat.OnChange);
    m_dateFormat.Assign(source->m_dateFormat);
    m_dateFormat.OnChange = std::move(own);
  }
  m_marginTop = source->m_marginTop;
  m_marginBottom = source->m_marginBottom;
  m_marginLeft = source->m_marginLeft;
  m_marginRight = source->m_marginRight;
  m_captionPosX = source->m_captionPosX;
  m_captionPosY = source->m_captionPosY;
  m_userTickText = source->m_userTickText;
  m_scaleInscript = source->m_scaleInscript;
  m_tickList = source->m_tickList;
  m_caption = source->m_caption;
  m_captionAnchor = source->m_captionAnchor;
  m_captionAlignment = source->m_captionAlignment;
  m_hostOffsetX = source->m_hostOffsetX;
  m_hostOffsetY = source->m_hostOffsetY;
  m_scaleType = source->m_scaleType;
  m_hosted = source->m_hosted;
  OnBeforeScaleRendered = source->OnBeforeScaleRendered;
  OnAfterScaleRendered = source->OnAfterScaleRendered;
  m_paintSuspended = source->m_paintSuspended;
  RequestRedraw();
}

void TScale::AssignTo(TPersistent& Dest) const {
  if (auto* dest = dynamic_cast<TScale*>(&Dest)) {
    dest->Assign(*this);
    return;
  }
  TControl::AssignTo(Dest);
}

// --- mouse ---

void TScale::MouseMove(TShiftState shift, int x, int y) {
  TControl::MouseMove(shift, x, y);
  const bool insideAxis =
      IsVertical() ? (0 < x && x < Width() && m_marginTop < y &&
                      static_cast<long long>(y) < static_cast<long long>(Height()) - m_marginBottom)
                   : (m_marginLeft < x &&
                      static_cast<long long>(x) < static_cast<long long>(Width()) - m_marginRight && 0 < y &&
                      y < Height());
  if (!shift.Contains(ssLeft) || !insideAxis) return;
  if (!m_dragging) {
    m_dragStartX = x;
    m_dragStartY = y;
    m_dragLow = m_rangeLow;
    m_dragHigh = m_rangeHigh;
  } else {
    TScaleDrag drag;
    drag.X = x;
    drag.Y = y;
    drag.StartX = m_dragStartX;
    drag.StartY = m_dragStartY;
    drag.Width = Width();
    drag.Height = Height();
    drag.MarginLeft = m_marginLeft;
    drag.MarginRight = m_marginRight;
    drag.MarginTop = m_marginTop;
    drag.MarginBottom = m_marginBottom;
    drag.SavedLow = m_dragLow;
    drag.SavedHigh = m_dragHigh;
    drag.Low = m_rangeLow;
    drag.High = m_rangeHigh;
    drag.Action = m_mouseAction;
    drag.Vertical = IsVertical();
    drag.Logarithmic = m_logarithmic;
    if (const std::optional<TScaleRange> range = DragScaleRange(drag)) {
      const bool suspended = m_paintSuspended;
      m_paintSuspended = true;
      SetRange(range->Low, range->High);
      SetPaintSuspended(suspended);
      if (OnZoomPan) OnZoomPan(this);
    }
  }
  m_dragging = true;
}

void TScale::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  m_dragging = false;
  TControl::MouseUp(button, shift, x, y);
}

void TScale::DblClick() {
  if (m_mouseAction == maPan) {
    m_mouseAction = maZoom;
  } else if (m_mouseAction == maZoom) {
    m_mouseAction = maPan;
  }
  TControl::DblClick();
}

}  // namespace nox
