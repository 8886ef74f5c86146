#pragma once
// Mark symbols: a small shape or one character drawn centred on a pixel, for the points of a chart
// and the centres of error bars. The routine knows nothing of charts; it draws with what the canvas
// holds: the pen (colour for every symbol; width, style and mode for lines and outlines), the brush
// style and the font.
//
// Mark types:
//   0        the single pixel (x, y)
//   1..3     plus of arm 1, 2, 3              4..6     diagonal cross of arm 1, 2, 3
//   7..9     filled squares of 3, 5, 7 pixels 10..12   square outlines of 3, 5, 7 pixels
//   13       diamond outline with its centre  14, 15   filled diamonds of radius 2, 3
//   16, 17   circles of 5 and 7 pixels        18       checkerboard of 7 x 7
//   19       diamond outline                  20, 21   caret (^), 22, 23 V
//   24       filled circle of 7 pixels        25       thick diagonal cross
//   26       filled circle of 5 pixels        27, 28   circle of 4 pixels, open and filled
//   29..32   triangles pointing down from a flat top at y (filled 29, 30; open 31, 32)
//   33..36   large triangles pointing down (33 open, 34 filled) and up (35 open, 36 filled)
//   37       inverted T with a long stem      38       I-beam
//   39       circle with a plus               40..43   triangles pointing left (40, 42 open)
//   44..47   triangles pointing right (44, 46 open)
//   48, 49   square with a plus               50       eight-armed star
//   51       plus with bars across its ends
//   52..255  a character: 200..209 the digits "0".."9", every other value its own character code
//            (128..255 as in Windows-1252)
//
// Pixel rules (see platform/canvas.h for the canvas's own):
// - Types 0..6 and 18 set single pixels in the pen colour on a screen canvas; like TCanvas::SetPixel
//   they ignore the pen's style, mode and width. Types 1..6 and 18 are the 7 x 7 patterns; on a
//   printer canvas (TCanvas::IsPrinter) they are drawn with lines of the pen instead, the pluses and
//   crosses one pixel larger, because printer pixels are much smaller.
// - Filled symbols fill in the pen colour with the brush style they find: with bsClear only the
//   outline shows. They leave the brush as they found it.
// - Open symbols draw with a clear brush and leave the brush bsSolid, in the colour it had.
// - Types 50 and 51 set the brush to bsSolid. No type 0..51 changes the brush colour.
// - Character marks are drawn with the canvas's font in the pen colour at
//   (x - width div 2, y - height div 2), width and height being the character's TextWidth and
//   TextHeight, placed by its top left corner whatever the canvas's text alignment. They leave the
//   brush bsClear (which reads back as clWhite) and the font, its colour included, and the text
//   alignment as found. On a printer canvas the caller sizes the font for paper first (the chart
//   applies the item's size under the printer's resolution); the mark draws with the font as it is.
// - The pen position is left where it was.
// - Any int coordinates are safe: what lies outside the canvas is clipped, and a symbol near the
//   limits of int is cut off rather than wrapped round.
// Character marks raise EFontError, as TCanvas::TextOut does, when no font face at all can be loaded.

#include <cstdint>

namespace nox {

class TCanvas;

// The first mark type that draws a character.
constexpr int kFirstCharacterMark = 52;

void DrawMark(TCanvas& canvas, std::uint8_t markType, int x, int y);

}  // namespace nox
