// Draws a test picture with the canvas and writes it to a PNG file.
//
//   nox_sample [output.png]     (default ./nox_sample.png)
//
// The picture shows, in labelled panels: a line in each pen style, XOR figures (drawn once, and
// drawn twice, which must leave no trace), rectangles and ellipses with solid and clear brushes,
// an even-odd filled polygon, arcs, text in several sizes and alignments, and a BMP built in memory
// drawn at its own size and stretched.
#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "platform/bitmap.h"
#include "platform/canvas.h"

namespace {

using namespace nox;

constexpr int kWidth = 720;
constexpr int kHeight = 520;

void Label(TCanvas& c, int x, int y, const std::string& text) {
  c.Brush().SetStyle(bsClear);
  c.Font().SetColor(clBlack);
  c.Font().SetSize(8);
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.TextOut(x, y, text);
}

void Panel(TCanvas& c, const TRect& r, const std::string& title) {
  c.Pen().SetMode(pmCopy);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  c.Pen().SetColor(clGray);
  c.Brush().SetStyle(bsClear);
  c.Rectangle(r);
  Label(c, r.Left + 6, r.Top + 4, title);
}

void PenStyles(TCanvas& c, int left, int top) {
  Panel(c, Rect(left, top, left + 230, top + 200), "Pen styles (1 pixel, then 3 pixels)");
  const struct {
    TPenStyle Style;
    const char* Name;
  } styles[] = {{psSolid, "psSolid"},
                {psDash, "psDash"},
                {psDot, "psDot"},
                {psDashDot, "psDashDot"},
                {psDashDotDot, "psDashDotDot"},
                {psClear, "psClear (nothing)"},
                {psInsideFrame, "psInsideFrame"}};
  int y = top + 26;
  for (const auto& s : styles) {
    Label(c, left + 8, y - 7, s.Name);
    c.Pen().SetColor(clNavy);
    c.Pen().SetStyle(s.Style);
    c.Pen().SetWidth(1);
    c.MoveTo(left + 110, y);
    c.LineTo(left + 220, y);
    c.Pen().SetWidth(3);
    c.MoveTo(left + 110, y + 8);
    c.LineTo(left + 220, y + 8);
    y += 24;
  }
  c.Pen().SetWidth(1);
  c.Pen().SetStyle(psSolid);
}

void XorFigures(TCanvas& c, int left, int top) {
  Panel(c, Rect(left, top, left + 230, top + 200), "XOR pen: once (left), twice (right)");
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clTeal);
  c.Pen().SetColor(clTeal);
  c.Rectangle(left + 10, top + 24, left + 220, top + 190);
  // XOR with white inverts what lies under the outline; the same figure drawn twice restores it.
  c.Pen().SetMode(pmXor);
  c.Pen().SetColor(clWhite);
  c.Brush().SetStyle(bsClear);
  for (int pass = 0; pass < 3; ++pass) {
    const int dx = pass == 0 ? 0 : 110;
    c.Rectangle(left + 20 + dx, top + 40, left + 100 + dx, top + 120);
    c.MoveTo(left + 20 + dx, top + 180);
    c.LineTo(left + 100 + dx, top + 130);
    c.Ellipse(left + 30 + dx, top + 60, left + 90 + dx, top + 170);
  }
  c.Pen().SetMode(pmCopy);
  Label(c, left + 130, top + 100, "(no trace)");
}

void Figures(TCanvas& c, int left, int top) {
  Panel(c, Rect(left, top, left + 230, top + 200), "Rectangles and ellipses");
  c.Pen().SetColor(clBlack);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clYellow);
  c.Rectangle(left + 10, top + 24, left + 70, top + 84);
  c.Brush().SetStyle(bsClear);
  c.Pen().SetWidth(4);
  c.Pen().SetColor(clMaroon);
  c.Rectangle(left + 80, top + 24, left + 140, top + 84);
  c.Pen().SetStyle(psInsideFrame);
  c.Rectangle(left + 150, top + 24, left + 220, top + 84);
  c.Pen().SetStyle(psSolid);
  c.Pen().SetWidth(1);
  c.Pen().SetColor(clBlack);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clAqua);
  c.Ellipse(left + 10, top + 100, left + 110, top + 190);
  c.Brush().SetStyle(bsClear);
  c.Pen().SetColor(clPurple);
  c.Pen().SetWidth(2);
  c.Ellipse(left + 120, top + 110, left + 220, top + 180);
  c.Pen().SetWidth(1);
  // Small squares of side 3 to 7: the right and bottom edge are left out, so a square of side s
  // has an outline of s pixels and s - 2 pixels of fill inside.
  c.Pen().SetColor(clBlack);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clRed);
  for (int s = 3, x = left + 150; s <= 7; x += s + 5, ++s) c.Rectangle(x, top + 89, x + s, top + 89 + s);
}

void PolygonAndArcs(TCanvas& c, int left, int top) {
  Panel(c, Rect(left, top, left + 230, top + 200), "Polygon (even-odd) and arcs");
  const TPoint star[] = {{left + 60, top + 26},
                         {left + 90, top + 120},
                         {left + 12, top + 62},
                         {left + 108, top + 62},
                         {left + 30, top + 120}};
  c.Pen().SetColor(clGreen);
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clLime);
  c.Polygon(star);
  c.Brush().SetStyle(bsClear);
  c.Pen().SetColor(clBlue);
  // quarter arcs, counter-clockwise from the first ray to the second
  const int x = left + 130, y = top + 30;
  c.Arc(x, y, x + 80, y + 80, x + 80, y + 40, x + 40, y);  // upper right quarter
  c.Pen().SetColor(clRed);
  c.Arc(x, y, x + 80, y + 80, x, y + 40, x + 40, y + 80);  // lower left quarter
  c.Pen().SetColor(clBlack);
  c.Arc(left + 20, top + 130, left + 210, top + 190, left + 210, top + 160, left + 210, top + 160);  // whole
  c.Pen().SetWidth(3);
  c.Pen().SetColor(clOlive);
  // the lower half: counter-clockwise from the left to the right
  c.Arc(left + 60, top + 140, left + 170, top + 185, left + 20, top + 140, left + 210, top + 140);
  c.Pen().SetWidth(1);
}

void Texts(TCanvas& c, int left, int top) {
  Panel(c, Rect(left, top, left + 230, top + 200), "Text: sizes and alignments");
  c.Brush().SetStyle(bsClear);
  c.Font().SetName("Arial");
  int y = top + 24;
  for (int size : {8, 12, 18}) {
    c.Font().SetSize(size);
    c.Font().SetColor(clNavy);
    c.SetTextAlign(TA_LEFT | TA_TOP);
    c.TextOut(left + 8, y, std::to_string(size) + " pt Arial");
    y += c.TextHeight("Ag") + 2;
  }
  c.Font().SetSize(10);
  c.Font().SetStyle({fsBold});
  c.Brush().SetStyle(bsSolid);
  c.Brush().SetColor(clSilver);
  c.TextOut(left + 8, y + 2, "bold on a solid brush");
  c.Font().SetStyle({});
  c.Brush().SetStyle(bsClear);
  // Alignment around the marked point: left, centre, right; top and baseline.
  const int ax = left + 115;
  const int ay = top + 160;
  c.Pen().SetColor(clRed);
  c.MoveTo(ax, ay - 30);
  c.LineTo(ax, ay + 12);
  c.MoveTo(left + 8, ay);
  c.LineTo(left + 222, ay);
  c.Font().SetColor(clBlack);
  c.SetTextAlign(TA_RIGHT | TA_BASELINE);
  c.TextOut(ax, ay - 18, "right");
  c.SetTextAlign(TA_CENTER | TA_BOTTOM);
  c.TextOut(ax, ay - 2, "centre");
  c.SetTextAlign(TA_LEFT | TA_TOP);
  c.TextOut(ax, ay + 2, "left/top");
  c.SetTextAlign(TA_LEFT | TA_TOP);
}

// A 12 x 8 picture with an 8-bit palette: a colour ramp with a white diagonal, as a BMP file would
// hold it (bottom-up rows padded to 4 bytes).
std::vector<std::uint8_t> MakeBmp() {
  constexpr int w = 12, h = 8, palette = 16;
  constexpr int stride = (w + 3) / 4 * 4;
  constexpr int offset = 14 + 40 + palette * 4;
  std::vector<std::uint8_t> f(offset + stride * h, 0);
  auto put32 = [&](int at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) f[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  f[0] = 'B';
  f[1] = 'M';
  put32(2, static_cast<std::uint32_t>(f.size()));
  put32(10, offset);
  put32(14, 40);
  put32(18, w);
  put32(22, h);
  put32(26, 1 | (8u << 16));  // one plane, 8 bits per pixel
  put32(46, palette);
  for (int i = 0; i < palette; ++i) {
    const int at = 54 + 4 * i;
    f[static_cast<std::size_t>(at)] = static_cast<std::uint8_t>(255 - i * 16);     // blue
    f[static_cast<std::size_t>(at + 1)] = static_cast<std::uint8_t>(i * 8);        // green
    f[static_cast<std::size_t>(at + 2)] = static_cast<std::uint8_t>(i * 16 + 15);  // red
  }
  f[54 + 4 * 15] = f[55 + 4 * 15] = f[56 + 4 * 15] = 255;  // entry 15: white
  for (int row = 0; row < h; ++row) {
    const int y = h - 1 - row;
    for (int x = 0; x < w; ++x) {
      f[static_cast<std::size_t>(offset + row * stride + x)] = static_cast<std::uint8_t>(x == y + 2 ? 15 : x);
    }
  }
  return f;
}

void Pictures(TCanvas& c, int left, int top) {
  Panel(c, Rect(left, top, left + 230, top + 200), "BMP from memory: own size, stretched");
  TBitmap picture;
  picture.LoadFromBmpData(MakeBmp());
  c.Draw(left + 10, top + 30, picture);
  c.StretchDraw(Rect(left + 40, top + 30, left + 220, top + 150), picture);
  c.StretchDraw(Rect(left + 10, top + 160, left + 220, top + 190), picture);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string path = argc > 1 ? argv[1] : "./nox_sample.png";
  try {
    TBitmap image(kWidth, kHeight);
    TCanvas& c = image.Canvas();
    c.Brush().SetColor(clWhite);
    c.FillRect(Rect(0, 0, kWidth, kHeight));
    c.Font().SetName("Arial");
    c.Font().SetSize(14);
    c.Font().SetStyle({fsBold});
    c.Brush().SetStyle(bsClear);
    c.TextOut(10, 8, "nox canvas test picture");
    c.Font().SetStyle({});

    PenStyles(c, 10, 40);
    XorFigures(c, 245, 40);
    Figures(c, 480, 40);
    PolygonAndArcs(c, 10, 250);
    Texts(c, 245, 250);
    Pictures(c, 480, 250);

    image.SaveToPngFile(path);
    std::printf("%s\n", path.c_str());
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "nox_sample: %s\n", e.what());
    return 1;
  }
}
