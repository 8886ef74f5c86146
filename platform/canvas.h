#pragma once
// A raster canvas on a TBitmap, with the pixel rules of a classic desktop drawing device.
//
// Pixel rules (x to the right, y downward, integer pixel coordinates). Every coordinate is clipped
// to the bitmap before any stepping: any int, up to +-(2^31 - 1), is safe and costs only the pixels
// that are visible.
//
// Lines
// - A 1-pixel line from A to B steps along its major axis (x when |dx| >= |dy|), one pixel per step,
//   from A up to B but without B ("end pixel left out"); at each step the minor coordinate is the one
//   nearest to the ideal line, a tie going to the larger coordinate. LineTo then moves the pen
//   position to B. A clipped line paints exactly the pixels the whole line would paint there.
// - Polyline draws its segments the same way: every joint once, the final point left out; it
//   neither uses nor moves the pen position.
// - A pen wider than 1 paints every pixel whose centre lies closer than width / 2 to the segment:
//   round caps with both end pixels included, round joins. An even width measures from the centre
//   moved half a pixel right and down, so its extra row or column lies above or left of the line.
//   Width 0 draws like 1.
// - Dash patterns belong to 1-pixel pens (wider pens draw solid lines): dash 18 on 6 off, dot 3 3,
//   dash-dot 9 6 3 6, dash-dot-dot 9 3 3 3 3 3, counted in pixels along the way (along the major
//   axis on lines). The pattern starts afresh with every Polyline, Polygon, Rectangle, Ellipse and
//   Arc, and with MoveTo / SetPenPos; consecutive LineTo calls continue it, and it runs on across
//   the vertices of Polyline and Polygon. Around a Rectangle it runs clockwise from the top left
//   corner; around an Ellipse or Arc counter-clockwise from the rightmost point, one step per row
//   where the outline is steep and per column where it is flat. psClear draws no outline at all.
//
// Figures
// - Rectangle(x1, y1, x2, y2) and Ellipse(x1, y1, x2, y2) cover the pixels x1 .. x2 - 1 and
//   y1 .. y2 - 1: the right and bottom edge are left out. Corners given in any order are sorted; an
//   empty box draws nothing. The outline is drawn with the pen and what it encloses with the brush
//   (not at all with bsClear); with a psClear pen the brush fills the whole figure. A wide outline is
//   centred on the box's outermost pixels (an even width puts its extra pixel outside on the left and
//   top, inside on the right and bottom), or with psInsideFrame lies inside the box: it is the ring
//   between the figure of that outer box and the figure of the outer box shrunk by the width.
// - Ellipse: the ideal curve passes through the centres of the box's outermost pixels; a pixel
//   belongs to the ellipse when its centre, moved half a pixel toward the middle along x or along y,
//   lies on or inside that curve. So every row and column of the box has pixels, thin boxes (1 or 2
//   pixels) included, and the figure is symmetric about both middle lines of the box. The outline is
//   the ellipse's pixels that have a 4-neighbour outside it: closed and one pixel thick.
// - Polygon fills with the brush by the even-odd rule, its vertices naming pixel centres, as the
//   outline's do: a pixel is inside when its centre is, its top and left edges counting as inside
//   and its bottom and right edges as outside (a centre exactly on a slanted edge counts for the
//   inside to its right). So the polygon through a rectangle's corners fills like FillRect, and a
//   filled shape has no gaps inside its outline. It then draws the closed outline with the pen:
//   lines from each vertex to the next, every vertex included.
// - Arc draws the pixels of the Ellipse outline of the same box and pen whose centres lie in the
//   angular range counter-clockwise on screen from the ray centre -> (x3, y3) to the ray
//   centre -> (x4, y4), both rays included; the centre is the middle of the box. Rays of the same
//   direction give the whole outline; a ray point at the centre points right. The rays may be given
//   by points at any distance (exact). A wide arc ends flat along the rays.
// - FillRect paints the brush over the rectangle (right and bottom edge left out); an empty or
//   inverted rectangle, or bsClear, paints nothing.
//
// XOR
// - In pmXor mode every pixel of a figure's outline has its colour bits flipped with the pen colour
//   exactly once per call, however the figure's parts overlap (corners, joints, crossing segments,
//   wide caps), so drawing the same figure twice restores the image. Brush fills always paint.
//   Separate calls are separate figures: two wide LineTo calls flip their overlapping caps twice.
//
// Images
// - Draw copies a bitmap with its top left corner at a point. StretchDraw and CopyRect scale by the
//   nearest pixel: a destination pixel takes the source pixel under its centre. Empty or inverted
//   rectangles copy nothing; destination pixels whose source pixel lies outside the source image keep
//   their colour; copying within one image reads the pixels as they were before the call.
//
// Text
// - TextOut places the text by the text alignment (default left/top: (x, y) is the top left
//   corner of the text cell). With a solid brush the cell (TextWidth x TextHeight) is filled with
//   the brush colour first. TextWidth is the sum of the glyph advances, rounded once; TextHeight is
//   the font's cell height (ascent + descent).

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>
#include <vector>

#include "platform/brush.h"
#include "platform/color.h"
#include "platform/device_map.h"
#include "platform/font.h"
#include "platform/geometry.h"
#include "platform/pen.h"

namespace nox {

class TBitmap;
namespace detail {
struct RasterScratch;
struct PenInk;
struct Box;
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
  // A polyline continued from another that ended on its first point: the pattern at dashPosition
  // (0, or what the call before returned; not negative) at the first point. Returns the position
  // at the last point. In copy mode, drawing a polyline in parts this way paints what drawing it
  // whole paints.
  std::int64_t Polyline(std::span<const TPoint> points, std::int64_t dashPosition);

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

  // Device pixels per logical pixel (= 1). At 1 every coordinate is a pixel of the bitmap and the
  // rules above hold exactly. At another scale coordinates, pen widths and font heights are logical
  // and land on the bitmap's device pixels as platform/device_map.h says, so the picture is drawn
  // afresh at the device's resolution rather than enlarged:
  // - lines and outlines are PenWidth x scale device pixels wide (rounded, at least 1), round-capped
  //   like any wide pen, a dashed 1-pixel pen with its pattern scaled alike along lines and
  //   outlines (PenInk::DashOn); a figure's outline is the ring between its
  //   logical outline boxes mapped to the device, so it meets fills and other figures edge to edge;
  // - text is drawn with the font's pixel height times the scale, while TextWidth, TextHeight and
  //   TextExtent measure the logical font: a layout comes out the same at every scale;
  // - SetPixel fills the logical pixel's device pixels; Pixel reads the first of them;
  // - Draw puts the source's own pixels at the point's device position (images composed at the same
  //   scale fit together); StretchDraw and CopyRect map their rectangles;
  // - Width, Height and ClipRect are logical (the size given to SetLogicalSize).
  double DeviceScale() const { return m_map.scale; }
  const detail::DeviceMap& DeviceMapping() const { return m_map; }
  // Takes a scale in (0, kMaxDeviceScale] (anything else throws EInvalidGraphic and changes nothing)
  // and the bitmap's top left corner in logical coordinates of the picture it is part of.
  void SetDeviceScale(double scale, TPoint origin = {0, 0});
  // Sizes the bitmap to hold a logical area of this size at the canvas's scale.
  void SetLogicalSize(int width, int height);
  // The device pixels of a logical rectangle (the rectangle itself at scale 1).
  TRect DeviceRect(const TRect& r) const;

 private:
  // The pen as the rasterisers draw it at the device scale.
  detail::PenInk DeviceInk() const;
  // Logical points as the device points a pen of this device width draws through.
  void DevicePoints(std::span<const TPoint> points, int width, std::vector<TPoint>& out) const;
  // A logical box's device pixels.
  detail::Box DeviceBox(const detail::Box& box) const;
  // The outline of a figure in a box (wide, or at a scale other than 1) lies between these two
  // boxes: the logical outline boxes of the pen's logical width, mapped to the device.
  void OutlineBoxes(const detail::Box& box, const detail::PenInk& logicalInk, detail::Box& outer,
                   detail::Box& inner) const;

  TBitmap& m_target;
  TPen m_pen;
  TBrush m_brush;
  TFont m_font;
  TPoint m_penPos{0, 0};
  unsigned m_textAlign = TA_LEFT | TA_TOP | TA_NOUPDATECP;
  bool m_isPrinter = false;
  int m_printerPixelsPerInchY = 0;
  detail::DeviceMap m_map;
  TSize m_logicalSize{0, 0};  // Width and Height at a scale other than 1
  // Where the dash pattern of the next LineTo starts: consecutive LineTo calls continue it.
  std::int64_t m_dashPhase = 0;
  // Working memory of the rasterisers, kept between calls so that drawing does not allocate.
  std::unique_ptr<detail::RasterScratch> m_scratch;
};

}  // namespace nox
