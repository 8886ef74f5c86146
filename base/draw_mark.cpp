// DrawMark: the pixel shapes (base/mark_shapes.cpp) and the character marks.

#include "base/draw_mark.h"

#include <cstdint>
#include <string>

#include "base/mark_shapes.h"
#include "platform/canvas.h"
#include "platform/raster_math.h"

namespace nox {

namespace {

// The character a mark type above the shapes stands for: 200..209 are the digits.
char MarkCharacter(std::uint8_t markType) {
  const int code = markType >= 200 && markType <= 209 ? markType - 152 : markType;
  return static_cast<char>(code);
}

// Puts back the font colour and the text alignment, also when text raises an error. Callers that
// cache the font colour (the chart's renderer) must find it unchanged.
class TextStateKeeper {
 public:
  explicit TextStateKeeper(TCanvas& canvas)
      : m_canvas(canvas), m_fontColor(canvas.Font().Color()), m_textAlign(canvas.TextAlign()) {}
  ~TextStateKeeper() {
    m_canvas.SetTextAlign(m_textAlign);
    m_canvas.Font().SetColor(m_fontColor);
  }
  TextStateKeeper(const TextStateKeeper&) = delete;
  TextStateKeeper& operator=(const TextStateKeeper&) = delete;

 private:
  TCanvas& m_canvas;
  TColor m_fontColor;
  unsigned m_textAlign;
};

void DrawCharacterMark(TCanvas& canvas, std::uint8_t markType, int x, int y) {
  // One byte: 128..255 are taken by the text code as Windows-1252 characters.
  const std::string text(1, MarkCharacter(markType));
  canvas.Brush().SetStyle(bsClear);
  const TextStateKeeper keeper(canvas);
  canvas.Font().SetColor(canvas.Pen().Color());
  canvas.SetTextAlign(TA_LEFT | TA_TOP | TA_NOUPDATECP);
  // The extent is TextWidth by TextHeight of the character.
  const TSize extent = canvas.TextExtent(text);
  canvas.TextOut(detail::SaturateToInt(std::int64_t{x} - extent.cx / 2),
                 detail::SaturateToInt(std::int64_t{y} - extent.cy / 2), text);
}

}  // namespace

void DrawMark(TCanvas& canvas, std::uint8_t markType, int x, int y) {
  const TPoint penPos = canvas.PenPos();
  if (markType < kFirstCharacterMark) {
    detail::DrawShapeMark(canvas, markType, x, y);
  } else {
    DrawCharacterMark(canvas, markType, x, y);
  }
  // A symbol is not a step of the caller's path: relative moves go on from where they were.
  canvas.SetPenPos(penPos);
}

}  // namespace nox
