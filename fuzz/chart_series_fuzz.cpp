// The series store (fuzz/chart_driver.h): bulk appends, removal of the oldest items, a kept window,
// items of every kind among the points and the value readout, with both renderings compared during
// the run and at its end. No window: the comparison and the export are the only paints.

#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz/chart_driver.h"

namespace nox::fuzz {
namespace {

constexpr std::array<TGroup, 7> kGroups = {RunSeries, RunSeries, RunSeries,         RunItems,
                                           RunRanges, RunCompare, RunPaintAndSharing};

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::TFuzzInput in(data, size);
  nox::fuzz::DriveChart(in, {.Groups = nox::fuzz::kGroups, .MayShow = false, .CompareAtEnd = true});
  return 0;
}
