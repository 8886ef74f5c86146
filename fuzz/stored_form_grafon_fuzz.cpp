// Stored forms of the chart: any text is either read into a new chart or refused (EStoredFormError,
// or ENoxGrafonError for a logarithmic axis with a bound <= 0), a refused text leaves the chart as
// it was (form, zoom history, loading state, the axis objects' loading guards), and what a chart
// writes after a read reads back into another new chart to the same text. Charts of up to
// kMaxPaintedPixels are then painted with the settings the text gave them.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "chart/form/grafon_stored_form.h"
#include "fuzz/fuzz_support.h"
#include "platform/host.h"

namespace nox::fuzz {
namespace {

// Larger charts are read and written but not painted: painting them costs much time and proves
// nothing a small one does not.
constexpr long long kMaxPaintedPixels = 1 << 20;

// What a refused read must leave alone.
struct TChartState {
  std::string Form;
  detail::TZoomHistory History;
  bool Loading;
  bool Guard;
  explicit TChartState(const TGrafon& chart)
      : Form(WriteGrafonForm(chart)),
        History(chart.ZoomHistory()),
        Loading(chart.IsLoading()),
        Guard(chart.ScaleXOf(1).LoadingGuard()) {}
  friend bool operator==(const TChartState&, const TChartState&) = default;
};

// Background pictures are read at every paint; a form may name any file, and reading devices or
// pipes is not what this target is about. Plain names in the working folder stay.
void KeepPlainBackgroundName(TGrafon& chart) {
  const std::string& name = chart.BackGroundImg().Name();
  if (name.find_first_of("/\\:") != std::string::npos) chart.BackGroundImg().SetName("");
}

void ReadChart(std::string_view text) {
  PrepareProcess();
  THeadlessHost host;
  TScopedHost scoped(host);

  // Every input starts from a new chart, whose state is taken once: writing a form costs as much
  // as reading one.
  static const TChartState before = [] {
    const TGrafon fresh(nullptr);
    return TChartState(fresh);
  }();
  TGrafon chart(nullptr);
  try {
    ReadGrafonForm(chart, text);
  } catch (const EStoredFormError&) {
    Check(TChartState(chart) == before, "a refused form changed the chart");
    return;
  } catch (const ENoxGrafonError&) {
    Check(TChartState(chart) == before, "a form refused for its logarithmic range changed the chart");
    return;
  }
  Check(!chart.IsLoading(), "a read chart is still loading");

  const std::string written = WriteGrafonForm(chart);
  TGrafon copy(nullptr);
  try {
    ReadGrafonForm(copy, written);
  } catch (const ENoxError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    Fault("a chart's own form was refused");
  }
  Check(WriteGrafonForm(copy) == written, "write, read, write changed the form");

  if (static_cast<long long>(chart.Width()) * chart.Height() <= kMaxPaintedPixels) {
    KeepPlainBackgroundName(chart);
    chart.HandleNeeded();
    try {
      chart.Repaint();
    } catch (const ENoxGrafonError& e) {
      // The read has checked the logarithmic ranges; the mapping must not find a bad one now.
      std::fprintf(stderr, "%s\n", e.what());
      Fault("a chart read from a form cannot be painted");
    }
  }
}

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::ReadChart(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
