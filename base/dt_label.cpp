#include "base/Nox_noxbase.h"
#include "base/assign_to.h"

namespace nox {

// Owners hand out their own repaint as the handler; clearing it first keeps a late notification
// during destruction from reaching an owner that is going away.
TDTLabel::~TDTLabel() { OnChange = nullptr; }

void TDTLabel::Changed() {
  if (OnChange) OnChange(this);
}

void TDTLabel::SetScaleDefaults() {
  m_timeFormat = tfHHMMSS;
  m_dateSeparator = '-';
  m_timeSeparator = ':';
  m_yearLength = ylYYYY;
  m_monthName = true;
  m_dateOrder = doDDMMYY;
  m_dateForTime = dtOnePerDay;
}

void TDTLabel::SetTimeFormat(TTimeFormat value) {
  m_timeFormat = value;
  Changed();
}
void TDTLabel::SetDateSeparator(char value) {
  if (m_dateSeparator == value) return;
  m_dateSeparator = value;
  Changed();
}
void TDTLabel::SetTimeSeparator(char value) {
  if (m_timeSeparator == value) return;
  m_timeSeparator = value;
  Changed();
}
void TDTLabel::SetYearLength(TYearLength value) {
  if (m_yearLength == value) return;
  m_yearLength = value;
  Changed();
}
void TDTLabel::SetMonthName(bool value) {
  if (m_monthName == value) return;
  m_monthName = value;
  Changed();
}
void TDTLabel::SetDateOrder(TDateOrder value) {
  m_dateOrder = value;
  Changed();
}
void TDTLabel::SetDateForTime(TDateForTime value) {
  if (m_dateForTime == value) return;
  m_dateForTime = value;
  Changed();
}

void TDTLabel::Assign(const TPersistent& Source) {
  if (const auto* other = dynamic_cast<const TDTLabel*>(&Source)) {
    m_timeFormat = other->m_timeFormat;
    m_dateSeparator = other->m_dateSeparator;
    m_timeSeparator = other->m_timeSeparator;
    m_yearLength = other->m_yearLength;
    m_monthName = other->m_monthName;
    m_dateOrder = other->m_dateOrder;
    m_dateForTime = other->m_dateForTime;
    OnChange = other->OnChange;
    return;
  }
  TPersistent::Assign(Source);
}

void TDTLabel::AssignTo(TPersistent& Dest) const { detail::AssignToSameClass(*this, Dest); }

}  // namespace nox
