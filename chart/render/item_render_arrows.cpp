// Arrows: ikArrow (a head at the second point) and ikArrowBoth (heads at both ends). A head is two
// lines (Flag set: open) or a filled triangle (Flag 0) whose sides leave the end at 20 degrees on
// either side of the shaft, Param1 pixels long; Param1 below 1 draws the shaft only.

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "base/Nox_noxcolors.h"
#include "chart/Nox_grafon.h"
#include "chart/render/item_render.h"

namespace nox::detail {

namespace {

constexpr long double kPi = std::numbers::pi_v<long double>;
constexpr long double kHeadAngle = 0.3490658503988659L;  // 20 degrees

// The direction of the shaft from a to b as the heads use it: pi for a shaft pointing down, 2 pi
// (or 0) for one pointing up, pi / 2 to the right, 3 pi / 2 to the left.
long double ShaftAngle(TPoint a, TPoint b) {
  if (a.X == b.X) return b.Y - a.Y < 1 ? 2 * kPi : kPi;
  const long double slope = static_cast<long double>(b.Y - a.Y) / (b.X - a.X);
  return std::atan(slope) + (b.X < a.X ? 3 * kPi / 2 : kPi / 2);
}

}  // namespace

void TItemRenderer::RenderArrow(const TgfChartItem& item, const TLayerPixels& layer, bool bothEnds) {
  FlushPolyline();
  const TColor pen = PenOf(item), fill = FillOf(item);
  SetPenColor(pen);
  SetBrushColor(fill);
  SetPenStyle(item.PenStyle);
  SetFillBrush(fill, item.Flag != 0);
  TPoint a, b;
  ResolveTwoPoints(item, layer, false, a, b);
  if (DrawnAsPoint(a, b)) return;

  m_canvas.MoveTo(a.X, a.Y);
  if (item.PenStyle != psSolid && fill == pen) {
    // The gaps of a patterned shaft stay visible against a fill of the pen's own colour.
    SetBrushColor(ContrastColor(pen));
    m_canvas.LineTo(b.X, b.Y);
    SetBrushColor(fill);
  } else {
    m_canvas.LineTo(b.X, b.Y);
  }
  if (item.Param1 < 1) return;

  const long double length = item.Param1;
  const long double alpha = ShaftAngle(a, b);
  SetPenStyle(psSolid);
  // Offsets of the two corners: sin and cos of the shaft angle turned by +-20 degrees.
  const std::int64_t sinPlus = Round(std::sin(alpha + kHeadAngle) * length);
  const std::int64_t cosPlus = Round(std::cos(alpha + kHeadAngle) * length);
  const std::int64_t sinMinus = Round(std::sin(alpha - kHeadAngle) * length);
  const std::int64_t cosMinus = Round(std::cos(alpha - kHeadAngle) * length);
  const bool open = item.Flag != 0;
  const auto head = [&](TPoint tip, TPoint c1, TPoint c2) {
    if (open) {
      Line(tip, c1);
      Line(tip, c2);
    } else {
      const TPoint triangle[] = {tip, c1, c2};
      m_canvas.Polygon(triangle);
    }
  };
  if (bothEnds) {
    head(a, {SaturateToInt(a.X + sinPlus), SaturateToInt(a.Y - cosPlus)},
         {SaturateToInt(a.X + sinMinus), SaturateToInt(a.Y - cosMinus)});
  }
  head(b, {SaturateToInt(b.X - sinPlus), SaturateToInt(b.Y + cosPlus)},
       {SaturateToInt(b.X - sinMinus), SaturateToInt(b.Y + cosMinus)});
}

}  // namespace nox::detail
