#include "platform/size_constraints.h"

#include <algorithm>

namespace nox {

int TSizeConstraints::Constrain(int value, int minimum, int maximum) {
  if (maximum > 0) value = std::min(value, maximum);
  return std::max(value, minimum);
}

// Stores a pair that does not cross and notifies when it changed.
void TSizeConstraints::SetBounds(int& minimum, int& maximum, int newMinimum, int newMaximum) {
  if (newMinimum == minimum && newMaximum == maximum) return;
  minimum = newMinimum;
  maximum = newMaximum;
  if (OnChange) OnChange(this);
}

void TSizeConstraints::SetMinWidth(int value) {
  value = std::max(value, 0);
  SetBounds(m_minWidth, m_maxWidth, value, m_maxWidth > 0 ? std::max(m_maxWidth, value) : 0);
}

void TSizeConstraints::SetMinHeight(int value) {
  value = std::max(value, 0);
  SetBounds(m_minHeight, m_maxHeight, value, m_maxHeight > 0 ? std::max(m_maxHeight, value) : 0);
}

void TSizeConstraints::SetMaxWidth(int value) {
  value = std::max(value, 0);
  SetBounds(m_minWidth, m_maxWidth, value > 0 ? std::min(m_minWidth, value) : m_minWidth, value);
}

void TSizeConstraints::SetMaxHeight(int value) {
  value = std::max(value, 0);
  SetBounds(m_minHeight, m_maxHeight, value > 0 ? std::min(m_minHeight, value) : m_minHeight, value);
}

void TSizeConstraints::Assign(const TPersistent& Source) {
  const auto* other = dynamic_cast<const TSizeConstraints*>(&Source);
  if (!other) {
    TPersistent::Assign(Source);
    return;
  }
  const bool changed = m_minWidth != other->m_minWidth || m_minHeight != other->m_minHeight ||
                       m_maxWidth != other->m_maxWidth || m_maxHeight != other->m_maxHeight;
  m_minWidth = other->m_minWidth;
  m_minHeight = other->m_minHeight;
  m_maxWidth = other->m_maxWidth;
  m_maxHeight = other->m_maxHeight;
  if (changed && OnChange) OnChange(this);
}

}  // namespace nox
