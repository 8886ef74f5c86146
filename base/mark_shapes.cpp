// The pixel shapes of the mark symbols. Every shape is given by offsets from the centre, in the
// canvas's own terms: a line leaves out its end pixel, a rectangle or ellipse its right and bottom
// edge, a polygon includes every vertex.

#include "base/mark_shapes.h"

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>

#include "platform/canvas.h"
#include "platform/raster_math.h"

namespace nox::detail {

namespace {

constexpr TMarkPattern kPixelPattern = {0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00};  // 0: one pixel
constexpr std::array<TMarkPattern, 6> kCrossPatterns = {{
    {0x00, 0x00, 0x08, 0x1C, 0x08, 0x00, 0x00},  // 1: plus of arm 1
    {0x00, 0x08, 0x08, 0x3E, 0x08, 0x08, 0x00},  // 2: plus of arm 2
    {0x08, 0x08, 0x08, 0x7F, 0x08, 0x08, 0x08},  // 3: plus of arm 3
    {0x00, 0x00, 0x14, 0x08, 0x14, 0x00, 0x00},  // 4: diagonal cross of arm 1
    {0x00, 0x22, 0x14, 0x08, 0x14, 0x22, 0x00},  // 5: diagonal cross of arm 2
    {0x41, 0x22, 0x14, 0x08, 0x14, 0x22, 0x41},  // 6: diagonal cross of arm 3
}};
constexpr TMarkPattern kCheckerboard = {0x55, 0x2A, 0x55, 0x2A, 0x55, 0x2A, 0x55};

struct Offset {
  int dx = 0;
  int dy = 0;
};

// Draws around a centre held in 64 bits, so that no offset overflows.
class MarkPainter {
 public:
  MarkPainter(TCanvas& canvas, std::int64_t x, std::int64_t y) : m_canvas(canvas), m_x(x), m_y(y) {}

  TCanvas& Canvas() { return m_canvas; }

  void Pixel(int dx, int dy) {
    const TPoint p = At(dx, dy);
    m_canvas.SetPixel(p.X, p.Y, m_canvas.Pen().Color());
  }

  void Pattern(const TMarkPattern& rows) {
    for (int row = 0; row < 7; ++row) {
      for (int bit = 0; bit < 7; ++bit) {
        if ((rows[row] >> bit) & 1u) Pixel(3 - bit, row - 3);
      }
    }
  }

  void Line(int dx0, int dy0, int dx1, int dy1) {
    const TPoint from = At(dx0, dy0), to = At(dx1, dy1);
    m_canvas.MoveTo(from.X, from.Y);
    m_canvas.LineTo(to.X, to.Y);
  }

  // One dot of the pen at an offset. A line from a point to itself paints no pixel with a 1-pixel
  // pen (the end pixel is left out), so that pen takes one step to the right instead; a wider pen
  // paints its round dot for the point itself.
  void Dot(int dx, int dy) { Line(dx, dy, m_canvas.Pen().Width() > 1 ? dx : dx + 1, dy); }

  // Horizontal and vertical line through the centre from -a to +b (end pixel left out).
  void Plus(int a, int b) {
    Line(-a, 0, b, 0);
    Line(0, -a, 0, b);
  }

  // The two diagonals, from the corners at -a to those at +b.
  void Cross(int a, int b) {
    Line(-a, -a, b, b);
    Line(-a, a, b, -b);
  }

  // Rectangle and ellipse with the corners (x - a, y - a) and (x + b, y + b).
  void Rectangle(int a, int b) {
    const TPoint p = At(-a, -a), q = At(b, b);
    m_canvas.Rectangle(p.X, p.Y, q.X, q.Y);
  }
  void Ellipse(int a, int b) {
    const TPoint p = At(-a, -a), q = At(b, b);
    m_canvas.Ellipse(p.X, p.Y, q.X, q.Y);
  }
  void Ellipse(Offset topLeft, Offset bottomRight) {
    const TPoint p = At(topLeft.dx, topLeft.dy), q = At(bottomRight.dx, bottomRight.dy);
    m_canvas.Ellipse(p.X, p.Y, q.X, q.Y);
  }

  // An open path through the points in order (the last point left out, as for every line).
  void Path(std::initializer_list<Offset> offsets) { m_canvas.Polyline(Points(offsets)); }

  // A closed outline filled with the brush.
  void Polygon(std::initializer_list<Offset> offsets) { m_canvas.Polygon(Points(offsets)); }

  // The outline of the square of half side a, closed.
  void Square(int a) { Path({{-a, -a}, {-a, a}, {a, a}, {a, -a}, {-a, -a}}); }

  // The closed diamond of radius 3.
  void Diamond() { Path({{-3, 0}, {0, 3}, {3, 0}, {0, -3}, {-3, 0}}); }

 private:
  TPoint At(int dx, int dy) const { return {SaturateToInt(m_x + dx), SaturateToInt(m_y + dy)}; }

  std::span<const TPoint> Points(std::initializer_list<Offset> offsets) {
    std::size_t n = 0;
    for (const Offset& o : offsets) {
      if (n == m_points.size()) break;
      m_points[n++] = At(o.dx, o.dy);
    }
    return {m_points.data(), n};
  }

  TCanvas& m_canvas;
  std::int64_t m_x;
  std::int64_t m_y;
  std::array<TPoint, 5> m_points{};  // the longest path: a closed square or diamond
};

// Fills in the pen colour with the brush style as found, and leaves the brush as found. Choosing a
// brush colour makes a clear brush solid, so a clear brush is made clear again for the drawing.
template <class Draw>
void Filled(TCanvas& canvas, Draw&& draw) {
  TBrush& brush = canvas.Brush();
  const TColor color = brush.Color();
  const TBrushStyle style = brush.Style();
  brush.SetColor(canvas.Pen().Color());
  if (style == bsClear) brush.SetStyle(bsClear);
  draw();
  brush.SetColor(color);
  brush.SetStyle(style);
}

// Draws with a clear brush, then leaves the brush solid in the colour it had.
template <class Draw>
void Open(TCanvas& canvas, Draw&& draw) {
  TBrush& brush = canvas.Brush();
  const TColor color = brush.Color();
  brush.SetStyle(bsClear);
  draw();
  brush.SetStyle(bsSolid);
  brush.SetColor(color);
}

// Triangles given by three offsets, open or filled.
void Triangle(MarkPainter& p, bool filled, Offset a, Offset b, Offset c) {
  const auto draw = [&] { p.Polygon({a, b, c}); };
  if (filled) {
    Filled(p.Canvas(), draw);
  } else {
    Open(p.Canvas(), draw);
  }
}

}  // namespace

bool MarkPixelPattern(int markType, TMarkPattern& rows) {
  if (markType == 0) {
    rows = kPixelPattern;
  } else if (markType >= 1 && markType <= 6) {
    rows = kCrossPatterns[static_cast<std::size_t>(markType - 1)];
  } else if (markType == 18) {
    rows = kCheckerboard;
  } else {
    return false;
  }
  return true;
}

void DrawShapeMark(TCanvas& canvas, int markType, std::int64_t x, std::int64_t y) {
  MarkPainter p(canvas, x, y);
  // Pixel patterns would come out as blocks at another device scale: the line forms draw there too.
  const bool printer = canvas.IsPrinter() || canvas.DeviceScale() != 1.0;
  TMarkPattern pattern;
  if (MarkPixelPattern(markType, pattern) && (!printer || markType == 0)) {
    p.Pattern(pattern);
    return;
  }
  switch (markType) {
    case 1:
    case 2:
    case 3:
      p.Plus(markType + 1, markType + 1);
      break;
    case 4:
    case 5:
    case 6:
      p.Cross(markType - 2, markType - 2);
      break;
    case 7:
    case 8:
    case 9: {
      const int a = markType - 6;
      Filled(canvas, [&] { p.Rectangle(a, a + 1); });
      break;
    }
    case 10:
    case 11:
    case 12:
      p.Square(markType - 9);
      break;
    case 13:
      p.Diamond();
      p.Pixel(0, 0);
      break;
    case 14:
    case 15: {
      const int a = markType - 12;
      Filled(canvas, [&] { p.Polygon({{-a, 0}, {0, a}, {a, 0}, {0, -a}}); });
      break;
    }
    case 16:
    case 17: {
      const int a = markType - 14;
      Open(canvas, [&] { p.Ellipse(a, a + 1); });
      break;
    }
    case 18:
      for (int j = -3; j <= 3; ++j) {
        for (int i = -3; i <= 3; ++i) {
          if ((i + j) % 2 == 0) p.Dot(i, j);
        }
      }
      break;
    case 19:
      p.Diamond();
      break;
    case 20:
    case 21: {
      const int a = markType - 17;
      p.Line(0, 0, -a, a);
      p.Line(0, 0, a, a);
      break;
    }
    case 22:
    case 23: {
      const int a = markType - 19;
      p.Line(0, 0, -a, -a);
      p.Line(0, 0, a, -a);
      break;
    }
    case 24:
      Filled(canvas, [&] { p.Ellipse(3, 4); });
      break;
    case 25: {
      // On screen the lines reach one pixel further, for the end pixel a line leaves out.
      const int a = printer ? 3 : 4, b = printer ? 2 : 3;
      p.Line(-3, -3, a, a);
      p.Line(-3, -2, b, a);
      p.Line(-2, -3, a, b);
      p.Line(-3, 3, a, -a);
      p.Line(-3, 2, b, -a);
      p.Line(-2, 3, a, -b);
      break;
    }
    case 26:
      Filled(canvas, [&] { p.Ellipse(2, 3); });
      break;
    case 27:
      Open(canvas, [&] { p.Ellipse(2, 2); });
      break;
    case 28:
      Filled(canvas, [&] { p.Ellipse({-2, -2}, {2, 2}); });
      break;
    case 29:
    case 30:
    case 31:
    case 32: {
      const int a = markType <= 30 ? markType - 27 : markType - 29;
      Triangle(p, markType <= 30, {-a, 0}, {0, a}, {a, 0});
      break;
    }
    case 33:
    case 34:
      Triangle(p, markType == 34, {-4, -3}, {0, 4}, {4, -3});
      break;
    case 35:
    case 36:
      Triangle(p, markType == 36, {-4, 3}, {0, -4}, {4, 3});
      break;
    case 37:
      p.Line(-3, 0, 4, 0);
      p.Line(0, 0, 0, -8);
      break;
    case 38:
      p.Line(-3, -2, 4, -2);
      p.Line(-3, 2, 4, 2);
      p.Line(0, -2, 0, 2);
      break;
    case 39:
      Open(canvas, [&] { p.Ellipse(3, 4); });
      p.Plus(3, 4);
      break;
    case 40:
    case 41:
    case 42:
    case 43: {
      const bool large = markType >= 42;
      const int a = large ? 4 : 3, b = large ? 3 : 2;
      Triangle(p, markType % 2 == 1, {a, -b}, {-b, 0}, {a, b});
      break;
    }
    case 44:
    case 45:
    case 46:
    case 47: {
      const bool large = markType >= 46;
      const int a = large ? 4 : 3, b = large ? 3 : 2;
      Triangle(p, markType % 2 == 1, {-a, -b}, {b, 0}, {-a, b});
      break;
    }
    case 48:
      Open(canvas, [&] { p.Rectangle(3, 4); });
      p.Plus(3, 4);
      break;
    case 49:
      Open(canvas, [&] { p.Rectangle(2, 3); });
      p.Plus(4, 5);
      break;
    case 50:
      canvas.Brush().SetStyle(bsSolid);
      p.Plus(4, 5);
      p.Cross(3, 4);
      break;
    case 51:
      canvas.Brush().SetStyle(bsSolid);
      p.Plus(4, 5);
      p.Line(-1, -3, 2, -3);
      p.Line(-1, 3, 2, 3);
      p.Line(-3, -1, -3, 2);
      p.Line(3, -1, 3, 2);
      break;
    default:
      break;
  }
}

}  // namespace nox::detail
