#pragma once
// Frames around a rectangle: a simple outline or one of four two-pixel bevels.

#include "platform/canvas.h"
#include "platform/color.h"

namespace nox {

// Draws the frame of Style (a TFrameStyle value; only its low seven bits count, and values beyond
// fsEngraved draw nothing) inside X1, Y1 .. X2, Y2, both corners included:
// - fsNone: nothing; fsSimple: a closed outline in the Outline colour;
// - fsLowered, fsRaised, fsEmbossed, fsEngraved: DrawBevel with, for the outer top/left, outer
//   bottom/right, inner top/left and inner bottom/right ring halves:
//   lowered Shadow Light Dark Mid, raised Light Dark Mid Shadow, embossed Light Shadow Shadow Light,
//   engraved Shadow Light Light Shadow.
// Leaves the pen colour at the last colour used and the pen position at the end of the last line.
void DrawFrame(TCanvas& canvas, int Style, int X1, int Y1, int X2, int Y2, TColor Light, TColor Mid,
               TColor Shadow, TColor Dark, TColor Outline);

// Two one-pixel rings inside X1, Y1 .. X2, Y2: the outer ring's top and left edge in P1, its bottom
// and right edge in P2; the inner ring's top and left in P3, bottom and right in P4.
void DrawBevel(TCanvas& canvas, int X1, int Y1, int X2, int Y2, TColor P1, TColor P2, TColor P3, TColor P4);

}  // namespace nox
