// Cost of text on the canvas: tick labels drawn and measured the way a scale paints them.
#include <benchmark/benchmark.h>

#include <array>
#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/text_fonts.h"

namespace {

// Tick labels of the demo's axes.
const std::array<std::string, 10> kLabels = {"12.5",  "-60", "0",     "25.0", "100",
                                             "137.5", "-40", "0.001", "250",  "1000"};

void UsePinnedFonts() {
  static const bool once = [] {
    nox::SetFontDirectory(NOX_TEST_DATA_DIR "/fonts");
    return true;
  }();
  (void)once;
}

void PrepareCanvas(nox::TCanvas& canvas) {
  canvas.Font().SetName("MS Sans Serif");
  canvas.Font().SetHeight(-13);
  canvas.Font().SetColor(nox::clBlack);
  canvas.Brush().SetStyle(nox::bsClear);
}

// 1000 tick labels over a 429 x 365 chart image, as one benchmark iteration.
void BM_TextOutTickLabels(benchmark::State& state) {
  UsePinnedFonts();
  nox::TBitmap bitmap(429, 365);
  PrepareCanvas(bitmap.Canvas());
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      const std::string& label = kLabels[i % kLabels.size()];
      bitmap.Canvas().TextOut((i * 37) % 400, (i * 53) % 350, label);
    }
    benchmark::DoNotOptimize(bitmap.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_TextOutTickLabels)->Unit(benchmark::kMicrosecond);

// The same with a solid brush, which fills each label's cell first.
void BM_TextOutTickLabelsOpaque(benchmark::State& state) {
  UsePinnedFonts();
  nox::TBitmap bitmap(429, 365);
  PrepareCanvas(bitmap.Canvas());
  bitmap.Canvas().Brush().SetColor(nox::clWhite);
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      const std::string& label = kLabels[i % kLabels.size()];
      bitmap.Canvas().TextOut((i * 37) % 400, (i * 53) % 350, label);
    }
    benchmark::DoNotOptimize(bitmap.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_TextOutTickLabelsOpaque)->Unit(benchmark::kMicrosecond);

// 1000 label widths, as a scale measures its labels before placing them.
void BM_TextWidthTickLabels(benchmark::State& state) {
  UsePinnedFonts();
  nox::TBitmap bitmap(429, 365);
  PrepareCanvas(bitmap.Canvas());
  for (auto _ : state) {
    int sum = 0;
    for (int i = 0; i < 1000; ++i) sum += bitmap.Canvas().TextWidth(kLabels[i % kLabels.size()]);
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_TextWidthTickLabels)->Unit(benchmark::kMicrosecond);

// Alternating between two fonts (labels and caption), which defeats the last-font shortcut.
void BM_TextWidthTwoFonts(benchmark::State& state) {
  UsePinnedFonts();
  nox::TBitmap bitmap(429, 365);
  nox::TCanvas& canvas = bitmap.Canvas();
  PrepareCanvas(canvas);
  nox::TFont caption;
  caption.SetName("Arial");
  caption.SetHeight(-15);
  caption.SetStyle({nox::fsBold});
  nox::TFont labels;
  labels.Assign(canvas.Font());
  for (auto _ : state) {
    int sum = 0;
    for (int i = 0; i < 1000; ++i) {
      canvas.SetFont(i % 2 == 0 ? labels : caption);
      sum += canvas.TextWidth(kLabels[i % kLabels.size()]);
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_TextWidthTwoFonts)->Unit(benchmark::kMicrosecond);

// Text right after the caches were emptied: the face file is loaded and every glyph rendered by
// FreeType. (Changing the font folder empties the caches; both spellings name the same folder.)
void BM_TextOutCold(benchmark::State& state) {
  UsePinnedFonts();
  nox::TBitmap bitmap(429, 365);
  PrepareCanvas(bitmap.Canvas());
  bool trailingSlash = false;
  for (auto _ : state) {
    trailingSlash = !trailingSlash;
    nox::SetFontDirectory(trailingSlash ? NOX_TEST_DATA_DIR "/fonts/" : NOX_TEST_DATA_DIR "/fonts");
    bitmap.Canvas().TextOut(10, 10, "0123456789.-");
  }
}
BENCHMARK(BM_TextOutCold)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
