// Painting whole scales: one horizontal and one vertical opaque scale with 20 labels each (0 .. 95
// in steps of 5, short ticks every unit), and the same scales drawn transparently onto a host
// canvas the way a chart draws its axes. Run from a Release build (the "release" preset).

#include <benchmark/benchmark.h>

#include "platform/bitmap.h"
#include "platform/text_fonts.h"
#include "scale/Nox_Scale.h"
#include "scale/tick_layout.h"

namespace {

// The test fonts, so that the figures do not depend on the machine's fonts.
void UsePinnedFonts() {
  static const bool once = [] {
    nox::SetFontDirectory(NOX_TEST_DATA_DIR "/fonts");
    return true;
  }();
  (void)once;
}

void Configure(nox::TScale& scale, nox::TScaleType type) {
  const bool vertical = type == nox::sctYL || type == nox::sctYR;
  scale.SetBounds(0, 0, vertical ? 120 : 800, vertical ? 600 : 80);
  scale.SetScaleType(type);
  scale.SetMinTicks(10);
  scale.SetRange(0, 95);
}

void PaintOpaque(benchmark::State& state, nox::TScaleType type) {
  UsePinnedFonts();
  nox::TScale scale(nullptr);
  scale.HandleNeeded();
  Configure(scale, type);
  for (auto _ : state) {
    scale.RequestRedraw();
    benchmark::DoNotOptimize(scale.ScreenImage().Bits());
  }
}

void PaintHosted(benchmark::State& state, nox::TScaleType type) {
  UsePinnedFonts();
  nox::TBitmap host(800, 600);
  nox::TScale scale(nullptr);
  Configure(scale, type);
  scale.SetTransparent(true);
  scale.SetHosted(true);
  scale.SetHostCanvas(&host.Canvas(), 0, 0);
  for (auto _ : state) {
    scale.PaintNow();
    benchmark::DoNotOptimize(host.Bits());
  }
}

void BM_PaintHorizontalScale(benchmark::State& state) { PaintOpaque(state, nox::sctXB); }
void BM_PaintVerticalScale(benchmark::State& state) { PaintOpaque(state, nox::sctYL); }
void BM_PaintHostedHorizontalScale(benchmark::State& state) { PaintHosted(state, nox::sctXB); }
void BM_PaintHostedVerticalScale(benchmark::State& state) { PaintHosted(state, nox::sctYL); }

// The deciding part alone: ticks and label texts of the same scale.
void BM_LayoutLinearTicks(benchmark::State& state) {
  nox::TTickSettings settings;
  settings.MinTicks = 10;
  settings.RangeHigh = 95;
  for (auto _ : state) benchmark::DoNotOptimize(nox::LayoutTicks(settings));
}

// The worst case the bound allows: a step of 1 on a huge range.
void BM_LayoutBoundedTicks(benchmark::State& state) {
  nox::TTickSettings settings;
  settings.MinTicks = 0;
  settings.RangeHigh = 1e12;
  for (auto _ : state) benchmark::DoNotOptimize(nox::LayoutTicks(settings));
}

}  // namespace

BENCHMARK(BM_PaintHorizontalScale);
BENCHMARK(BM_PaintVerticalScale);
BENCHMARK(BM_PaintHostedHorizontalScale);
BENCHMARK(BM_PaintHostedVerticalScale);
BENCHMARK(BM_LayoutLinearTicks);
BENCHMARK(BM_LayoutBoundedTicks);
BENCHMARK_MAIN();
