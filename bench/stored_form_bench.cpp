// Stored forms of the chart and the axis control: writing, and reading with and without the trial
// read that lets a refused text leave the control untouched.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "chart/form/grafon_stored_form.h"
#include "scale/scale_stored_form.h"

namespace {

// A chart with values away from its defaults in every part, so that every property is written.
std::string BusyChartForm() {
  nox::TGrafon chart(nullptr);
  chart.SetBounds(170, 10, 429, 365);
  chart.SetMarginLeft(60);
  chart.SetCaption("Caption");
  chart.SetMouseAction(nox::maPan);
  chart.Scale1X().SetRangeHigh(300);
  chart.Scale1Y().SetRangeLow(-60);
  chart.Scale1Y().SetRangeHigh(110);
  chart.JointLayers().SetXControlledBy(2, 1);
  return nox::WriteGrafonForm(chart);
}

void BM_WriteGrafonForm(benchmark::State& state) {
  nox::TGrafon chart(nullptr);
  for (auto _ : state) benchmark::DoNotOptimize(nox::WriteGrafonForm(chart));
}
BENCHMARK(BM_WriteGrafonForm)->Unit(benchmark::kMicrosecond);

// What a window pays to build its chart from a form: a new chart, then the reading.
void BM_ConstructAndReadGrafonForm(benchmark::State& state) {
  const std::string form = BusyChartForm();
  for (auto _ : state) {
    nox::TGrafon chart(nullptr);
    nox::ReadGrafonForm(chart, form);
    benchmark::DoNotOptimize(chart.Width());
  }
}
BENCHMARK(BM_ConstructAndReadGrafonForm)->Unit(benchmark::kMillisecond);

// The construction alone, the share of the above that is not reading.
void BM_ConstructGrafon(benchmark::State& state) {
  for (auto _ : state) {
    nox::TGrafon chart(nullptr);
    benchmark::DoNotOptimize(chart.Width());
  }
}
BENCHMARK(BM_ConstructGrafon)->Unit(benchmark::kMillisecond);

// The reading alone into one chart, with the trial read (ReadGrafonForm) and without it (the
// framework's reading of the same table): the price of refusing a text as a whole.
void BM_ReadGrafonForm(benchmark::State& state) {
  const std::string form = BusyChartForm();
  nox::TGrafon chart(nullptr);
  for (auto _ : state) nox::ReadGrafonForm(chart, form);
}
BENCHMARK(BM_ReadGrafonForm)->Unit(benchmark::kMillisecond);

void BM_ReadGrafonFormWithoutTrial(benchmark::State& state) {
  const std::string form = BusyChartForm();
  nox::TGrafon chart(nullptr);
  for (auto _ : state) nox::ReadStoredForm(chart, form, nox::GrafonStoredTable());
}
BENCHMARK(BM_ReadGrafonFormWithoutTrial)->Unit(benchmark::kMillisecond);

void BM_ReadScaleForm(benchmark::State& state) {
  nox::TScale source(nullptr);
  source.SetCaption("depth");
  const std::string form = nox::WriteScaleForm(source);
  nox::TScale scale(nullptr);
  for (auto _ : state) nox::ReadScaleForm(scale, form);
}
BENCHMARK(BM_ReadScaleForm)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
