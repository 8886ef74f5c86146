// Presenting a control's picture through the host widget on the offscreen platform: a full frame
// (the control image drawn into the window's backing store) and the small updates of rubber
// figures (an area reported with ScreenChanged).
#include <benchmark/benchmark.h>

#include <QApplication>

#include "platform/control.h"
#include "qt/control_widget.h"

namespace {

class TFilledControl : public nox::TControl {
 public:
  TFilledControl() : TControl(nullptr) { SetBounds(0, 0, 800, 600); }

 protected:
  void Paint() override { ScreenImage().Fill(nox::clTeal); }
};

struct TShownWidget {
  TFilledControl control;
  nox::TControlWidget widget{control};
  TShownWidget() {
    widget.show();
    QApplication::processEvents();
  }
};

// The frame only: no Paint, the wrapped image drawn into the backing store.
void BM_PresentFrame(benchmark::State& state) {
  TShownWidget shown;
  for (auto _ : state) shown.widget.repaint();
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_PresentFrame);

// Invalidate: the control paints (fills) and the frame is presented.
void BM_InvalidateAndPresent(benchmark::State& state) {
  TShownWidget shown;
  for (auto _ : state) {
    shown.control.Invalidate();
    shown.widget.repaint();
  }
  state.SetItemsProcessed(state.iterations() * 800 * 600);
}
BENCHMARK(BM_InvalidateAndPresent);

// A rubber band's edge: a 1-pixel wide strip reported as changed and presented.
void BM_PresentChangedStrip(benchmark::State& state) {
  TShownWidget shown;
  for (auto _ : state) {
    shown.control.ScreenChanged(nox::Rect(100, 50, 101, 550));
    QApplication::processEvents();
  }
}
BENCHMARK(BM_PresentChangedStrip);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
