// Uses the installed package: draws with the canvas, then paints a chart with a line series and
// checks a few pixels of both.
#include <cmath>
#include <cstdio>

#include "base/rounding.h"
#include "chart/Nox_grafon.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

int main(int argc, char** argv) {
  nox::TBitmap bitmap(20, 10);
  bitmap.Canvas().Brush().SetColor(nox::clRed);
  bitmap.Canvas().Rectangle(0, 0, 10, 10);
  bitmap.Canvas().MoveTo(12, 5);
  bitmap.Canvas().LineTo(19, 5);
  bool ok = bitmap.Pixel(5, 5) == nox::clRed && bitmap.Pixel(0, 0) == nox::clBlack &&
            bitmap.Pixel(18, 5) == nox::clBlack && bitmap.Pixel(19, 5) == nox::clWhite && nox::Round(2.5L) == 2;

  nox::TGrafon chart(nullptr);
  chart.SetBounds(0, 0, 300, 200);
  chart.SetLayerRange(1, 0, -1, 100, 1);
  chart.SetDataColor(nox::clRed);
  chart.MoveToPoint(0, 0);
  for (int i = 1; i <= 100; ++i) chart.LineToPoint(i, std::sin(i / 10.0));
  chart.HandleNeeded();
  chart.Paint();
  int red = 0;
  const nox::TBitmap& screen = chart.ScreenImage();
  for (int y = 0; y < screen.Height(); ++y)
    for (int x = 0; x < screen.Width(); ++x) red += screen.Pixel(x, y) == nox::clRed ? 1 : 0;
  ok = ok && red > 100;
  if (argc > 1) chart.SaveToPngFile(argv[1]);
  std::puts(ok ? "ok" : "wrong pixels");
  return ok ? 0 : 1;
}
