// Mouse gestures (fuzz/chart_driver.h): presses, drags, releases, double clicks, enter and leave
// with any coordinates, in every mouse action, on a shown chart whose ranges, properties, overlays
// and items change in between.

#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz/chart_driver.h"

namespace nox::fuzz {
namespace {

void RunMouseAction(TContext& c) { c.Chart.SetMouseAction(c.In.Enum<TMouseActMode>(maZoomPanColors + 1)); }

constexpr std::array<TGroup, 9> kGroups = {RunControl, RunControl,    RunControl,  RunControl, RunMouseAction,
                                           RunRanges,  RunProperties, RunOverlays, RunItems};

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::TFuzzInput in(data, size);
  nox::fuzz::DriveChart(in, {.Groups = nox::fuzz::kGroups, .MaxPaints = 4});
  return 0;
}
