#pragma once
// The names of the platform's colour constants ("clRed", "clBtnFace"), as stored forms accept them.

#include <optional>
#include <string_view>

#include "platform/color.h"

namespace nox {

// The colour of a name of platform/color.h, compared exactly (case matters); nothing for other text.
std::optional<TColor> ColorFromName(std::string_view name);

}  // namespace nox
