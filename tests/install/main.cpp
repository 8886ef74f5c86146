// Uses the installed package: draws a line and a filled rectangle and checks a few pixels.
#include <cstdio>

#include "base/rounding.h"
#include "platform/bitmap.h"
#include "platform/canvas.h"

int main(int argc, char** argv) {
  nox::TBitmap bitmap(20, 10);
  bitmap.Canvas().Brush().SetColor(nox::clRed);
  bitmap.Canvas().Rectangle(0, 0, 10, 10);
  bitmap.Canvas().MoveTo(12, 5);
  bitmap.Canvas().LineTo(19, 5);
  const bool ok = bitmap.Pixel(5, 5) == nox::clRed && bitmap.Pixel(0, 0) == nox::clBlack &&
                  bitmap.Pixel(18, 5) == nox::clBlack && bitmap.Pixel(19, 5) == nox::clWhite &&
                  nox::Round(2.5L) == 2;
  if (argc > 1) bitmap.SaveToPngFile(argv[1]);
  std::puts(ok ? "ok" : "wrong pixels");
  return ok ? 0 : 1;
}
