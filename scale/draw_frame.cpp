#include "scale/draw_frame.h"

#include "base/Nox_noxbase.h"
#include "platform/raster_math.h"

namespace nox {

namespace {
// v + d without overflow at the ends of int (the canvas clips such coordinates anyway).
int Offset(int v, int d) { return detail::SaturateToInt(std::int64_t{v} + d); }
}  // namespace

void DrawBevel(TCanvas& canvas, int X1, int Y1, int X2, int Y2, TColor P1, TColor P2, TColor P3, TColor P4) {
  // Corners are shared: each ring's first colour takes the top-left corner and the top row up to the
  // right edge, its second colour the right column below it and the bottom row.
  canvas.Pen().SetColor(P1);
  canvas.MoveTo(X1, Y2);
  canvas.LineTo(X1, Y1);
  canvas.LineTo(Offset(X2, 1), Y1);
  canvas.MoveTo(X2, Offset(Y1, 1));
  canvas.Pen().SetColor(P2);
  canvas.LineTo(X2, Y2);
  canvas.LineTo(Offset(X1, -1), Y2);
  canvas.Pen().SetColor(P3);
  canvas.MoveTo(Offset(X1, 1), Offset(Y2, -1));
  canvas.LineTo(Offset(X1, 1), Offset(Y1, 1));
  canvas.LineTo(X2, Offset(Y1, 1));
  canvas.MoveTo(Offset(X2, -1), Offset(Y1, 2));
  canvas.Pen().SetColor(P4);
  canvas.LineTo(Offset(X2, -1), Offset(Y2, -1));
  canvas.LineTo(X1, Offset(Y2, -1));
}

void DrawFrame(TCanvas& canvas, int Style, int X1, int Y1, int X2, int Y2, TColor Light, TColor Mid,
               TColor Shadow, TColor Dark, TColor Outline) {
  switch (Style & 0x7F) {
    case fsSimple:
      canvas.Pen().SetColor(Outline);
      canvas.MoveTo(X1, Y1);
      canvas.LineTo(X1, Y2);
      canvas.LineTo(X2, Y2);
      canvas.LineTo(X2, Y1);
      canvas.LineTo(X1, Y1);
      break;
    case fsLowered:
      DrawBevel(canvas, X1, Y1, X2, Y2, Shadow, Light, Dark, Mid);
      break;
    case fsRaised:
      DrawBevel(canvas, X1, Y1, X2, Y2, Light, Dark, Mid, Shadow);
      break;
    case fsEmbossed:
      DrawBevel(canvas, X1, Y1, X2, Y2, Light, Shadow, Shadow, Light);
      break;
    case fsEngraved:
      DrawBevel(canvas, X1, Y1, X2, Y2, Shadow, Light, Light, Shadow);
      break;
    default:  // fsNone and values beyond the styles
      break;
  }
}

}  // namespace nox
