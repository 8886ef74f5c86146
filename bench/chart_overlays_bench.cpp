// What the chart area's background, grid and text labels cost per paint: a tiled picture (the worst
// case is a 1 x 1 picture: one tile per pixel), the densest grid (1000 lines each way), and all 50
// labels.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "chart/Nox_grafon.h"
#include "tests/support/bmp_writer.h"

namespace {

class TBenchGrafon : public nox::TGrafon {
 public:
  TBenchGrafon() : nox::TGrafon(nullptr) {}
  using nox::TCustomGrafon::DrawGrid;
  using nox::TCustomGrafon::DrawTextLabels;
  using nox::TCustomGrafon::RenderBackground;
};

std::string WritePicture(int side) {
  nox::test::BmpContent bmp;
  bmp.Width = side;
  bmp.Height = side;
  bmp.Values.assign(static_cast<std::size_t>(side) * side, 0x336699);
  const std::vector<std::uint8_t> bytes = nox::test::WriteBmp(bmp);
  const std::string path = "/tmp/nox_bench_tile_" + std::to_string(side) + ".bmp";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  return path;
}

// A picture of side x side pixels tiled over a 2000 x 2000 area (the file is read at every paint).
void BM_TiledBackground(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  TBenchGrafon chart;
  chart.BackGroundImg().SetIncludePath(true);
  chart.BackGroundImg().SetName(WritePicture(side));
  chart.BackGroundImg().SetFillMode(nox::bfTile);
  nox::TBitmap image(2000, 2000);
  for (auto _ : state) chart.RenderBackground(image.Canvas(), 0, 0, 2000, 2000);
  std::remove(chart.BackGroundImg().Name().c_str());
  state.counters["Mpixels_per_s"] =
      benchmark::Counter(4.0 * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_TiledBackground)->Arg(1)->Arg(64)->Unit(benchmark::kMillisecond);

// gsDotLines with steps so small that both sets stop at 1000 lines, on a 1000 x 800 chart area.
void BM_DensestGrid(benchmark::State& state) {
  TBenchGrafon chart;
  chart.SetBounds(0, 0, 1070, 860);
  chart.SetLayerRange(1, 0, 0, 1, 1);
  chart.SetGridStyle(nox::gsDotLines);
  chart.SetGridDx(1e-4);
  chart.SetGridDy(1e-4);
  nox::TBitmap image(1001, 801);
  for (auto _ : state) chart.DrawGrid(image.Canvas(), 0, 0);
}
BENCHMARK(BM_DensestGrid)->Unit(benchmark::kMillisecond);

// All 50 labels shown, boxed, two lines each.
void BM_FiftyLabels(benchmark::State& state) {
  TBenchGrafon chart;
  for (int i = 1; i <= nox::kTextLabelCount; ++i) {
    nox::TTextLabel& label = chart.TextLabel(i);
    label.SetAttachToData(nox::tlamNone);
    label.SetPosX(60 + 4 * i);
    label.SetPosY(30 + 2 * i);
    label.SetCaption("Label " + std::to_string(i) + "\nsecond line");
    label.SetMode(nox::tlBox);
    label.SetVisible(true);
  }
  nox::TBitmap image(211, 141);
  for (auto _ : state) chart.DrawTextLabels(image.Canvas(), 0, 0);
}
BENCHMARK(BM_FiftyLabels)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
