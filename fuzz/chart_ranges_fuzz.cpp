// Ranges and zoom history (fuzz/chart_driver.h): every range operation, confinement, joins and
// recalls with any double, on a chart without a window, so that nothing paints and every run is
// short; the axis properties and items that change what the ranges mean come in between.

#include <array>
#include <cstddef>
#include <cstdint>

#include "fuzz/chart_driver.h"

namespace nox::fuzz {
namespace {

constexpr std::array<TGroup, 5> kGroups = {RunRanges, RunRanges, RunRanges, RunAxis, RunItems};

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::TFuzzInput in(data, size);
  nox::fuzz::DriveChart(in, {.Groups = nox::fuzz::kGroups, .MayShow = false});
  return 0;
}
