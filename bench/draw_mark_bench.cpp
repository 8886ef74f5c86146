// Cost of mark symbols: 1000 marks of one type over a chart image, as a chart draws a series of points.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "base/draw_mark.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/text_fonts.h"

namespace {

void UsePinnedFonts() {
  static const bool once = [] {
    nox::SetFontDirectory(NOX_TEST_DATA_DIR "/fonts");
    return true;
  }();
  (void)once;
}

// Argument: the mark type. range(1) != 0 draws on a printer canvas.
void BM_DrawMark(benchmark::State& state) {
  UsePinnedFonts();
  nox::TBitmap bitmap(429, 365);
  nox::TCanvas& canvas = bitmap.Canvas();
  canvas.Pen().SetColor(nox::clNavy);
  canvas.SetPrinter(state.range(1) != 0, 600);
  const auto type = static_cast<std::uint8_t>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) nox::DrawMark(canvas, type, (i * 37) % 429, (i * 53) % 365);
    benchmark::DoNotOptimize(bitmap.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
// 3 and 18: patterns (lines on paper); 9: filled square; 17: open circle; 24: filled circle; 36: filled
// triangle; 50: star of lines; 65 and 205: characters.
BENCHMARK(BM_DrawMark)
    ->ArgsProduct({{3, 9, 17, 18, 24, 36, 50, 65, 205}, {0}})
    ->Args({3, 1})
    ->Args({18, 1})
    ->Unit(benchmark::kMicrosecond);

// Marks far outside the image cost only their clipping.
void BM_DrawMarkFarOff(benchmark::State& state) {
  nox::TBitmap bitmap(429, 365);
  nox::TCanvas& canvas = bitmap.Canvas();
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i)
      nox::DrawMark(canvas, static_cast<std::uint8_t>(i % 52), -30000, 30000 - i);
    benchmark::DoNotOptimize(bitmap.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_DrawMarkFarOff)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
