#include "chart/model/scale_props.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace nox {

namespace {

// A range whose span overflows a Double cannot be mapped or laid out with ticks.
bool SpanFits(double a, double b) { return std::isfinite(a - b); }

// Copies the seven settings; the receiver keeps notifying its own owner.
void CopyDateFormatValues(TDTLabel& dest, const TDTLabel& source) {
  TNotifyEvent own = std::move(dest.OnChange);
  dest.Assign(source);
  dest.OnChange = std::move(own);
}

}  // namespace

TScaleProps::TScaleProps() {
  m_dateFormat.SetScaleDefaults();
  m_font.OnChange = [this](TObject*) { Changed(); };
}

TScaleProps::~TScaleProps() {
  m_font.OnChange = nullptr;
  m_dateFormat.OnChange = nullptr;
}

void TScaleProps::ResetFields() {
  m_caption.clear();
  m_captionPosX = 0;
  m_captionPosY = 0;
  m_captionAlignment = taCenter;
  m_captionAnchor = uaSclTopLft;
  m_colorScale = clBlack;
  {
    TNotifyEvent own = std::move(m_dateFormat.OnChange);
    TDTLabel defaults;
    defaults.SetScaleDefaults();
    m_dateFormat.Assign(defaults);
    m_dateFormat.OnChange = std::move(own);
  }
  m_decPlaces = -2;
  m_logarithmic = false;
  m_labelType = ftNum;
  CopyFontQuietly(TFont());
  m_minTicks = 3;
  m_loadingGuard = true;
  m_rangeLow = 0.0;
  m_rangeHigh = 1.0;
  m_shortTicks = true;
  m_scaleInscript.clear();
  m_scaleType = sctXT;
  m_scalePos[0] = 0;
  m_scalePos[1] = 0;
  m_minRange = 1e-10;
  m_mouseAction = maNone;
  m_userTickText.clear();
  m_visible = false;
  m_rangeFromForm = false;
}

void TScaleProps::ResetDefaults() { ResetFields(); }

void TScaleProps::CopyFontQuietly(const TFont& source) {
  TNotifyEvent own = std::move(m_font.OnChange);
  m_font.Assign(source);
  m_font.OnChange = std::move(own);
}

void TScaleProps::Changed() {
  if (OnChange) OnChange(this);
}

TScaleProps::TAxisSettings TScaleProps::AxisSettings() const {
  return {m_logarithmic, m_rangeLow, m_rangeHigh, m_minRange};
}

void TScaleProps::ChangedOrRestored(const TAxisSettings& before) {
  try {
    Changed();
  } catch (...) {
    // The owner refused the new state (a logarithmic axis over a bound <= 0 cannot be mapped): the
    // setting is refused as a whole, and the owner learns of the old state again.
    m_logarithmic = before.Logarithmic;
    m_rangeLow = before.RangeLow;
    m_rangeHigh = before.RangeHigh;
    m_minRange = before.MinRange;
    Changed();
    throw;
  }
}

void TScaleProps::SetCaption(const std::string& value) {
  m_caption = value;
  Changed();
}

void TScaleProps::SetCaptionPosX(int value) {
  m_captionPosX = value;
  Changed();
}

void TScaleProps::SetCaptionPosY(int value) {
  m_captionPosY = value;
  Changed();
}

void TScaleProps::SetCaptionAlignment(TAlignment value) {
  if (value > taCenter) return;
  m_captionAlignment = value;
  Changed();
}

void TScaleProps::SetCaptionAnchor(TScaleUnitAnchor value) {
  if (value > uaSclBotRgt) return;
  m_captionAnchor = value;
  Changed();
}

void TScaleProps::SetColorScale(TColor value) {
  m_colorScale = value;
  Changed();
}

void TScaleProps::SetDateFormat(const TDTLabel& value) {
  if (&value != &m_dateFormat) CopyDateFormatValues(m_dateFormat, value);
  Changed();
}

void TScaleProps::SetDecPlaces(int value) {
  m_decPlaces = std::clamp(value, -3, 12);
  Changed();
}

void TScaleProps::SetLogarithmic(bool value) {
  const TAxisSettings before = AxisSettings();
  if (!value) {
    m_logarithmic = false;
  } else if (m_loadingGuard) {
    m_logarithmic = true;
  } else if (m_rangeLow >= kMinLogValue && m_rangeHigh >= kMinLogValue && m_labelType != ftDateTime) {
    m_logarithmic = true;
  }
  ChangedOrRestored(before);
}

void TScaleProps::SetLabelType(TFigType value) {
  if (value >= kFigTypeCount) return;
  m_labelType = value;
  if (value == ftDateTime) m_logarithmic = false;
  if (value == ftTime) m_decPlaces = 4;
  Changed();
}

void TScaleProps::SetFont(const TFont& value) {
  // The owned font notifies through its own change handler.
  if (&value != &m_font) m_font.Assign(value);
}

void TScaleProps::SetMinTicks(int value) {
  m_minTicks = value;
  Changed();
}

void TScaleProps::SetShortTicks(bool value) {
  m_shortTicks = value;
  Changed();
}

void TScaleProps::SetScaleInscript(const std::string& value) {
  m_scaleInscript = value;
  Changed();
}

void TScaleProps::SetUserTickText(const std::string& value) {
  m_userTickText = value;
  Changed();
}

void TScaleProps::SetVisible(bool value) {
  m_visible = value;
  Changed();
}

void TScaleProps::SetRangeLow(double value) {
  if (!std::isfinite(value)) return;
  const TAxisSettings before = AxisSettings();
  if (std::fabs(m_rangeHigh - value) < m_minRange) {
    const double high = value + m_minRange;
    if (!std::isfinite(high)) return;
    m_rangeLow = value;
    m_rangeHigh = high;
  } else if (!(m_logarithmic && value < kMinLogValue)) {
    if (!SpanFits(m_rangeHigh, value)) return;
    m_rangeLow = value;
  }
  ChangedOrRestored(before);
}

void TScaleProps::SetRangeHigh(double value) {
  if (!std::isfinite(value)) return;
  const TAxisSettings before = AxisSettings();
  if (std::fabs(m_rangeLow - value) < m_minRange) {
    const double low = value - m_minRange;
    if (!std::isfinite(low)) return;
    m_rangeHigh = value;
    m_rangeLow = low;
  } else if (!(m_logarithmic && value < kMinLogValue)) {
    if (!SpanFits(value, m_rangeLow)) return;
    m_rangeHigh = value;
  }
  ChangedOrRestored(before);
}

void TScaleProps::SetRangeLowAsStored(double value) {
  m_rangeLow = value;
  m_rangeFromForm = true;
}

void TScaleProps::SetRangeHighAsStored(double value) {
  m_rangeHigh = value;
  m_rangeFromForm = true;
}

void TScaleProps::SetMinRange(double value) {
  if (!std::isfinite(value) || value <= kMinLogValue) return;
  if (std::fabs(m_rangeHigh - m_rangeLow) >= value) {
    m_minRange = value;
    return;
  }
  const double mid = (m_rangeHigh + m_rangeLow) / 2;
  const double low = mid - value / 2;
  const double high = mid + value / 2;
  if (!std::isfinite(low) || !std::isfinite(high) || !SpanFits(high, low)) return;
  const TAxisSettings before = AxisSettings();
  m_minRange = value;
  m_rangeLow = low;
  m_rangeHigh = high;
  ChangedOrRestored(before);
}

void TScaleProps::SetScaleType(TScaleType value) {
  if (value >= kScaleTypeCount) return;
  m_scaleType = value;
  Changed();
}

void TScaleProps::SetScalePos(int value) {
  m_scalePos[SlotOf(m_scaleType)] = value;
  Changed();
}

void TScaleProps::SetMouseAction(TMouseActMode value) {
  if (value >= kMouseActModeCount) return;
  m_mouseAction = value;
}

void TScaleProps::Assign(const TPersistent& Source) {
  const auto* source = dynamic_cast<const TScaleProps*>(&Source);
  if (source == nullptr) {
    TPersistent::Assign(Source);
    return;
  }
  if (source == this) return;
  m_caption = source->m_caption;
  m_captionPosX = source->m_captionPosX;
  m_captionPosY = source->m_captionPosY;
  m_captionAlignment = source->m_captionAlignment;
  m_captionAnchor = source->m_captionAnchor;
  m_colorScale = source->m_colorScale;
  CopyDateFormatValues(m_dateFormat, source->m_dateFormat);
  m_decPlaces = source->m_decPlaces;
  m_logarithmic = source->m_logarithmic;
  m_labelType = source->m_labelType;
  CopyFontQuietly(source->m_font);
  m_minTicks = source->m_minTicks;
  m_loadingGuard = source->m_loadingGuard;
  m_rangeLow = source->m_rangeLow;
  m_rangeHigh = source->m_rangeHigh;
  m_shortTicks = source->m_shortTicks;
  m_scaleInscript = source->m_scaleInscript;
  m_scaleType = source->m_scaleType;
  m_scalePos[0] = source->m_scalePos[0];
  m_scalePos[1] = source->m_scalePos[1];
  m_minRange = source->m_minRange;
  m_userTickText = source->m_userTickText;
  m_visible = source->m_visible;
}

void TScalePropsHoriz::SetScaleLocation(TScaleLocationHoriz value) {
  if (value >= kScaleLocationHorizCount) return;
  SetScaleType(value == slTop ? sctXB : sctXT);
}

void TScalePropsVert::SetScaleLocation(TScaleLocationVert value) {
  if (value >= kScaleLocationVertCount) return;
  SetScaleType(value == slLeft ? sctYR : sctYL);
}

}  // namespace nox
