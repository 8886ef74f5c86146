#pragma once
// A raster canvas on a TBitmap, with the pixel rules of a classic desktop drawing device.
//
// Pixel rules (x to the right, y downward, integer pixel coordinates):
// - A line from A to B paints A and every pixel up to B, but not B itself ("end pixel left out");
//   LineTo then moves the pen position to B. A 1-pixel pen steps along the major axis, one pixel per
//   step, choosing the pixel nearest to the ideal line (ties resolved the same way for every line).
// - Polyline draws its segments the same way, the last point left out too; it neither uses nor moves
//   the pen position. Dash patterns run on across the vertices.
// - Rectangle(x1, y1, x2, y2) and Ellipse(x1, y1, x2, y2) cover the pixels x1 .. x2 - 1 and
//   y1 .. y2 - 1: the right and bottom edge are left out. The outline is drawn with the pen, the
//   inside filled with the brush (not at all with bsClear). Corners given in any order are sorted.
// - Polygon fills with the brush (even-odd rule, pixel centres inside the outline) and draws the
//   closed outline with the pen, every vertex included.
// - Arc draws the outline of the ellipse of its box counter-clockwise (on screen) from the ray
//   centre -> (x3, y3) to the ray centre -> (x4, y4); equal rays give the whole ellipse.
// - In pmXor mode every pixel of a figure's outline is combined with the pen colour exactly once, so
//   drawing the same figure twice restores the image. Brush fills always paint.
// - Every coordinate is clipped to the bitmap before any stepping; any int, up to +-(2^31 - 1), is
//   safe and costs only the pixels that are visible.
// - Text: TextOut places the text by the text alignment (default left/top: (x, y) is the top left
//   corner of the text cell). With a solid brush the cell (TextWidth x TextHeight) is filled with
//   the brush colour first. TextWidth is the sum of the glyph advances, rounded once; TextHeight is
//   the font's cell height (ascent + descent).

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "platform/brush.h"
#include "platform/color.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/pen.h"

namespace nox {

class TBitmap;
namespace detail {
struct RasterScratch;
}

// Text alignment flags of the drawing device.
constexpr unsigned TA_NOUPDATECP = 0;
constexpr unsigned TA_UPDATECP = 1;
constexpr unsigned TA_LEFT = 0;
constexpr unsigned TA_RIGHT = 2;
constexpr unsigned TA_CENTER = 6;
constexpr unsigned TA_TOP = 0;
constexpr unsigned TA_BOTTOM = 8;
constexpr unsigned TA_BASELINE = 24;

class TCanvas {
 public:
  explicit TCanvas(TBitmap& target);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  TBitmap& Target() { return m_target; }
  const TBitmap& Target() const { return m_target; }
  int Width() const;
  int Height() const;
  // The drawable area: the whole bitmap.
  TRect ClipRect() const;

  TPen& Pen() { return m_pen; }
  const TPen& Pen() const { return m_pen; }
  TBrush& Brush() { return m_brush; }
  const TBrush& Brush() const { return m_brush; }
  TFont& Font() { return m_font; }
  const TFont& Font() const { return m_font; }
  void SetFont(const TFont& font) { m_font.Assign(font); }

  // lines
  TPoint PenPos() const { return m_penPos; }
  void SetPenPos(TPoint p) {
    m_penPos = p;
    m_dashPhase = 0;
  }
  void MoveTo(int x, int y) { SetPenPos({x, y}); }
  void LineTo(int x, int y);
  void Polyline(std::span<const TPoint> points);

  // figures
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const TRect& r) { Rectangle(r.Left, r.Top, r.Right, r.Bottom); }
  void Ellipse(int x1, int y1, int x2, int y2);
  void Polygon(std::span<const TPoint> points);
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  // Fills the rectangle (right and bottom edge left out) with the brush colour; nothing with bsClear.
  void FillRect(const TRect& r);

  // pixels: direct access, independent of pen and mode; outside the bitmap reads clNone, writes nothing.
  TColor Pixel(int x, int y) const;
  void SetPixel(int x, int y, TColor color);

  // text (UTF-8; a byte that is not valid UTF-8 is taken on its own as a Latin-1 character, 0x80..0x9F
  // as the Windows-1252 ones; control characters take no room and draw nothing; faces and sizes:
  // platform/text_fonts.h)
  void TextOut(int x, int y, std::string_view text);
  int TextWidth(std::string_view text) const;
  int TextHeight(std::string_view text) const;
  TSize TextExtent(std::string_view text) const;
  unsigned TextAlign() const { return m_textAlign; }
  void SetTextAlign(unsigned flags) { m_textAlign = flags; }

  // images
  // Copies the bitmap with its top left corner at (x, y), clipped to this canvas.
  void Draw(int x, int y, const TBitmap& source);
  // Copies the bitmap scaled into dest (nearest pixel; right and bottom edge of dest left out).
  void StretchDraw(const TRect& dest, const TBitmap& source);
  // Copies the source rectangle of another canvas into dest, scaled when the sizes differ.
  void CopyRect(const TRect& dest, const TCanvas& source, const TRect& sourceRect);

  // device
  // A printer canvas: drawing routines that size fonts and marks for paper ask for it.
  bool IsPrinter() const { return m_isPrinter; }
  // Pixels per inch of the printer in y (the LOGPIXELSY capability); screen canvases report the
  // screen's value.
  int PrinterPixelsPerInchY() const;
  void SetPrinter(bool isPrinter, int pixelsPerInchY);

 private:
  TBitmap& m_target;
  TPen m_pen;
  TBrush m_brush;
  TFont m_font;
  TPoint m_penPos{0, 0};
  unsigned m_textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  bool m_isPrinter = false;
  int m_printerPixelsPerInchY = 0;
  // Where the dash pattern of the next LineTo starts: consecutive LineTo calls continue it.
  std::int64_t m_dashPhase = 0;
  // Working memory of the rasterisers, kept between calls so that drawing does not allocate.
  std::unique_ptr<detail::RasterScratch> m_scratch;
};

}  // namespace nox
