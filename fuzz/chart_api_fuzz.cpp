// The chart's whole public API in one random sequence of calls (fuzz/chart_driver.h): every group
// of operations, a window now and then, a few paints per input.

#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz/chart_driver.h"

namespace nox::fuzz {
namespace {

constexpr std::array<TGroup, 8> kGroups = {RunRanges,  RunItems,           RunAxis,  RunProperties,
                                           RunOverlays, RunControl, RunPaintAndSharing, RunSeries};

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::TFuzzInput in(data, size);
  nox::fuzz::DriveChart(in, {.Groups = nox::fuzz::kGroups});
  return 0;
}
