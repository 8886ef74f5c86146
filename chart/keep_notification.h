#pragma once
// Copying settings into an object the chart owns (a cross hair, a text label) while its change
// notification stays the chart's own: the copy must not make it notify the source's chart.

#include <utility>

#include "platform/object.h"

namespace nox::detail {

// target takes value's settings (Assign) and keeps its own OnChange; copying onto itself does nothing.
template <class T>
void AssignKeepingOnChange(T& target, const T& value) {
  if (&target == &value) return;
  TNotifyEvent own = std::move(target.OnChange);
  target.Assign(value);
  target.OnChange = std::move(own);
}

}  // namespace nox::detail
