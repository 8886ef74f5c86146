// The rendering both ways (fuzz/chart_driver.h): items of every kind, axes, properties and
// overlays, with the line-to runs drawn from their block summaries compared byte for byte with
// drawing item by item, at any offset during the run and once more at its end. No window: the
// comparison and the export are the only paints.

#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz/chart_driver.h"

namespace nox::fuzz {
namespace {

constexpr std::array<TGroup, 9> kGroups = {RunItems,  RunItems,      RunItems,
                                           RunAxis,   RunProperties, RunOverlays,
                                           RunRanges, RunCompare,    RunPaintAndSharing};

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::TFuzzInput in(data, size);
  nox::fuzz::DriveChart(in, {.Groups = nox::fuzz::kGroups, .MayShow = false, .CompareAtEnd = true});
  return 0;
}
