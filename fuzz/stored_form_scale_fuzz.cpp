// Stored forms of the axis control: any text is either read into a new scale or refused with
// EStoredFormError, a refused text leaves the scale as it was, and what a scale writes after a
// read reads back into another new scale to the same text. Scales of up to kMaxPaintedPixels are
// then painted with the settings the text gave them.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.h"
#include "platform/host.h"
#include "scale/scale_stored_form.h"

namespace nox::fuzz {
namespace {

// Larger scales are read and written but not painted: painting them costs much time and proves
// nothing a small one does not.
constexpr long long kMaxPaintedPixels = 1 << 20;

void ReadScale(std::string_view text) {
  PrepareProcess();
  THeadlessHost host;
  TScopedHost scoped(host);

  TScale scale(nullptr);
  const std::string before = WriteScaleForm(scale);
  try {
    ReadScaleForm(scale, text);
  } catch (const EStoredFormError&) {
    Check(WriteScaleForm(scale) == before, "a refused form changed the scale");
    Check(!scale.IsLoading(), "a refused form left the scale loading");
    return;
  }
  Check(!scale.IsLoading() && !scale.Initialising(), "a read scale is still loading");

  const std::string written = WriteScaleForm(scale);
  TScale copy(nullptr);
  try {
    ReadScaleForm(copy, written);
  } catch (const EStoredFormError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    Fault("a scale's own form was refused");
  }
  Check(WriteScaleForm(copy) == written, "write, read, write changed the form");

  if (static_cast<long long>(scale.Width()) * scale.Height() <= kMaxPaintedPixels) {
    scale.HandleNeeded();
    scale.PaintNow();
    Check(scale.NumTicks() >= 0 && scale.NumTicks() <= kTickListCapacity, "tick list overflow");
  }
}

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::ReadScale(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
