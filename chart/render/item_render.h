#pragma once
// The item renderer: draws the chart's display-list items onto a canvas, one RenderItem call per
// visible item, for one rendering (TCustomGrafon::RenderData builds it, walks the lists and throws
// it away). Where the kinds are drawn:
//   dispatch, attribute cache, coordinates   item_render.cpp
//   moves and lines                          item_render_lines.cpp
//   marks and error bars                     item_render_marks.cpp
//   line-to runs and stretches of marks      item_render_runs.cpp, item_render_mark_runs.cpp
//     drawn from block summaries
//   rectangles, bars, ellipses, arcs, cross  item_render_shapes.cpp
//   arrows                                   item_render_arrows.cpp
//   texts                                    item_render_text.cpp
//
// Rules every kind keeps:
// - The renderer never changes a stored item; it draws the copy it is given.
// - Pen colour, pen style, brush colour and font colour are set on the canvas only when they differ
//   from what the renderer last set (TRenderState), and the pen width only when an item's LineWidth
//   differs (the text kinds hold a text index there and leave the width alone).
// - Coordinates: world points are mapped by the item's layer to control pixels and moved to the
//   canvas by (OffsetX - MarginLeft, OffsetY - MarginTop); pixel coordinates count from the chart
//   area's top left corner. Every resolved pixel is limited to -30000..30000 per axis (ClampPixel).
// - Bad items are skipped without drawing or flushing, like hidden ones: a layer outside 1..16, a
//   coordinate the kind uses that is NaN or infinite, a CoordMode the kind does not list (above 3 for
//   ikLine, ikRect, ikFrame3D, ikVertLine, ikHorizLine; above 5 for ikLineTo, ikText, ikMoveTo and
//   the arrows; above 2 for ikCrossMark), a text index above 50. Kind codes without a drawing (0,
//   10, 11, above 24) only take part in the pen-width check.
// - Huge sizes (head lengths, bar depths, offsets) are computed in 64 bits and saturated, so no
//   arithmetic overflows; the canvas clips whatever lies outside its bitmap.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/rounding.h"
#include "chart/model/block_summaries.h"
#include "chart/model/chart_item.h"
#include "chart/render/render_state.h"
#include "platform/canvas.h"
#include "platform/raster_math.h"
#include "scale/axis_mapping.h"

namespace nox {
class TCustomGrafon;
}

namespace nox::detail {

class TItemList;
struct TSummaryBox;

// One layer's mapping as the renderer needs it, taken from the chart once per rendering.
struct TLayerPixels {
  TDoubleAxisMapping X, Y;  // the layer's maps, exact and in double
  bool LogX = false;
  bool LogY = false;
  int BelowX = 0;              // control pixel of x <= 1e-100 on a logarithmic X axis
  int BelowY = 0;              // control pixel of y <= 1e-100 on a logarithmic Y axis
  double XLow = 0, XHigh = 0;  // the X range, XLow <= XHigh
  double YLow = 0, YHigh = 0;  // the Y range, YLow <= YHigh
};
using TLayerPixelTable = std::array<TLayerPixels, 16>;

// The fixed inputs of one rendering.
struct TRenderTarget {
  TCanvas* Canvas = nullptr;
  int OffsetX = 0;  // where the chart area's top left corner lies on the canvas
  int OffsetY = 0;
  bool Monochrome = false;  // pens black, fills silver, text backgrounds white
};

// The limit every drawn chart pixel keeps to, whatever the world value: items, the background
// area, the grid, the mouse trace and the text labels' anchors.
constexpr int kPixelLimit = 30000;
// Limits both coordinates to -kPixelLimit..kPixelLimit; true if one was changed.
bool ClampPixel(int& x, int& y);
// A 64-bit coordinate limited to -kPixelLimit..kPixelLimit.
inline int ClampCoordinate(std::int64_t v) {
  return static_cast<int>(std::clamp<std::int64_t>(v, -kPixelLimit, kPixelLimit));
}
// A pixel distance of an item rounded, limited to +-2^40 so that sums with any int stay exact in
// 64 bits and saturate no result wrongly (a coordinate is limited to +-30000 in the end anyway).
inline std::int64_t RoundedPixels(double v) {
  constexpr std::int64_t kLimit = std::int64_t{1} << 40;
  const std::int64_t r = nox::Round(v);
  return r < -kLimit ? -kLimit : r > kLimit ? kLimit : r;
}

// Which items of a list one loop of a rendering draws: the loop's filter on the stored kind, and
// the class and layer visibility tables.
struct TListFilter {
  bool (*Select)(std::uint8_t kind) = nullptr;
  const std::array<bool, 256>* ClassVisible = nullptr;
  const std::array<bool, 16>* LayerVisible = nullptr;
  bool Visible(const TgfChartItem& item) const {
    return Select(item.Kind) && (*ClassVisible)[item.ItemClass] && item.Layer >= 1 && item.Layer <= 16 &&
           (*LayerVisible)[static_cast<std::size_t>(item.Layer - 1)];
  }
};

// What RenderLineRun did: the items before Next are done (drawn, or passed over as hidden ones
// are); the items from there up to PlainUntil are to be drawn one by one.
struct TRunStep {
  int Next = 0;
  int PlainUntil = 0;
};

class TItemRenderer {
 public:
  TItemRenderer(TCustomGrafon& chart, const TRenderTarget& target, const TLayerPixelTable& layers,
                TRenderState& state);

  // Draws one item (a copy; Index and IsAnnotation go to OnBeforeRenderText).
  void RenderItem(const TgfChartItem& item, int index, bool isAnnotation, const TLongTextArray& longTexts);
  // Draws the pending polyline, if any, and continues from its last point.
  void FlushPolyline();
  // Adds a point to the pending polyline; a full buffer (200 points) is drawn at once.
  void AddPolylinePoint(int x, int y) {
    if (m_state.Polyline.Add(m_state.CurrentPosition, {x, y})) {
      FlushPolyline();
      m_state.Polyline.Restart({x, y});
    }
  }
  // Splits text at line feeds; returns the line count and gives the line height (TextHeight of the
  // whole text + 1), the total height and the widest line's width (TextWidth of the whole text when
  // every line is empty of width).
  int MeasureText(std::string_view text, int& lineHeight, int& totalHeight, int& maxWidth) const;

  // Draws, from block summaries, the line-to run of the list that starts at item `first` (among the
  // items first .. end - 1 of the loop), as far as that gives exactly what drawing its items one by
  // one gives: pixels, pen position, pending polyline. It takes runs drawn with a solid pen of any
  // width in copy mode whose first item would go into the pending polyline as it is, and stops at
  // the last point that completes a 200-point batch, where drawing item by item leaves a state that
  // one point determines; runs of every other pen it takes whole, point by point (RenderRunPoints).
  // Otherwise it draws nothing (Next = first). item_render_runs.cpp, item_render_wide_runs.cpp.
  TRunStep RenderLineRun(const TItemList& list, int first, int end, const TListFilter& filter);
  // The same for the stretch of marks that starts at item `first`: marks that a screen canvas draws
  // as single pixels, in world units, with hidden items among them, up to the first other item; not
  // on a printer or with an XOR pen (then Next = first). item_render_mark_runs.cpp.
  TRunStep RenderMarkRun(const TItemList& list, int first, int end, const TListFilter& filter);

 private:
  // How a run treats an item: passed over as a hidden one, a point of the run, or the item that
  // ends it (it draws, flushes or changes the pen).
  enum TRunItem : std::uint8_t { riSkipped, riPoint, riEnd };
  TRunItem ClassifyRunItem(const TgfChartItem& item, const TListFilter& filter) const;
  // The same for every item of a uniform line-to block: all passed over, all points of the run, or
  // the first one ends it; its summary tells which, without reading its records.
  TRunItem ClassifyRunBlock(const TSummaryBox& box, const TListFilter& filter) const;
  // Puts the run's points into the pending polyline one by one, as drawing its items does, reading
  // uniform blocks straight from the list's columns; for the pens whose runs no block may skip.
  // item_render_run_points.cpp.
  TRunStep RenderRunPoints(const TItemList& list, std::size_t first, std::size_t end, const TListFilter& filter);
  // Whether a line-to item, or every item of a uniform block, continues the pending polyline as it
  // is.
  template <class Attributes>
  bool ContinuesRun(const Attributes& a) const {
    return a.LineWidth == m_state.CurrentPenWidth && !LineAttributesDiffer(a);
  }

  // effective colours
  TColor PenOf(const TgfChartItem& item) const { return m_target.Monochrome ? 0x000000 : item.Color; }
  TColor FillOf(const TgfChartItem& item) const { return m_target.Monochrome ? 0xC0C0C0 : item.FillColor; }
  TColor TextBackgroundOf(const TgfChartItem& item) const {
    return m_target.Monochrome ? 0xFFFFFF : item.FillColor;
  }

  // attribute cache
  void SetPenColor(TColor color);
  void SetPenStyle(TPenStyle style);
  void SetBrushColor(TColor color);
  void SetFontColor(TColor color);
  // The brush for filled figures: clear when `clear`, else solid in `color`; the cache reads back.
  void SetFillBrush(TColor color, bool clear);
  // Whether the pen colour, pen style or fill of an item (or of a uniform block of items) differ
  // from the pending ones.
  template <class Attributes>
  bool LineAttributesDiffer(const Attributes& a) const {
    const TColor pen = m_target.Monochrome ? 0x000000 : a.Color;
    return pen != m_state.CurrentPenColor || a.PenStyle != m_state.CurrentPenStyle ||
           a.FillColor != m_state.CurrentBrushColor;
  }
  // Sets the pen colour, pen style and brush colour of the line kinds from an item.
  void SetLineAttributes(const TgfChartItem& item);

  // coordinates (canvas pixels, clamped)
  int WorldX(const TLayerPixels& layer, double x) const {
    return ClampCoordinate(MapToPixelInDouble(layer.X, layer.LogX, x, layer.BelowX) + m_shiftX);
  }
  int WorldY(const TLayerPixels& layer, double y) const {
    return ClampCoordinate(MapToPixelInDouble(layer.Y, layer.LogY, y, layer.BelowY) + m_shiftY);
  }
  // The canvas pixels of values v of one axis (map, logarithmic, below-log pixel, shift), as WorldX
  // or WorldY gives them; a linear axis maps them all in a loop without branches, and again, each
  // in turn, if one of them lies near a rounding tie.
  static void WorldStretch(const TDoubleAxisMapping& m, bool logarithmic, int below, std::int64_t shift,
                           std::span<const double> v, int* out);
  // The same for the rows of points in canvas column `column`: out[i] = {column, row of v[i]}.
  static void WorldStretch(const TDoubleAxisMapping& m, bool logarithmic, int below, std::int64_t shift,
                           std::span<const double> v, int column, TPoint* out);
  TPoint World(const TLayerPixels& layer, double x, double y) const {
    return {WorldX(layer, x), WorldY(layer, y)};
  }
  // The canvas pixels of a uniform block's box, each the pixel of one of the block's points, when
  // every point of the block is known to lie within them (MapSpanToPixels): columns x0 <= x1, rows
  // y0 <= y1. False otherwise.
  struct TPixelBox {
    int X0 = 0, X1 = 0, Y0 = 0, Y1 = 0;
  };
  bool BoxPixels(const TLayerPixels& layer, const TSummaryBox& box, TPixelBox& out) const;
  // The same for one axis (map, logarithmic, below-log pixel, shift to the canvas) and values
  // lo <= hi: their canvas pixels p0 <= p1. A linear axis maps both in double here, inline, unless
  // one lies near a rounding tie.
  static bool AxisSpanPixels(const TDoubleAxisMapping& m, bool logarithmic, int below, std::int64_t shift,
                             double lo, double hi, int& p0, int& p1) {
    double r0, r1;
    if (!logarithmic && RoundsInDouble(lo * m.k, m.o, r0) && RoundsInDouble(hi * m.k, m.o, r1)) {
      p0 = static_cast<int>(r0);
      p1 = static_cast<int>(r1);
    } else if (!MapSpanToPixels(m, logarithmic, lo, hi, below, p0, p1)) {
      return false;
    }
    // Moving to the canvas and clamping keep the order.
    p0 = ClampCoordinate(p0 + shift);
    p1 = ClampCoordinate(p1 + shift);
    if (p1 < p0) std::swap(p0, p1);
    return true;
  }
  // The world x of `layer` that maps to canvas column `column`, as lo .. hi: every value between
  // them maps there (MapSpanToPixels). Leaves lo > hi when it finds none. Kept for the columns of
  // the image, which the runs of several series meet in turn.
  void ColumnWorldSpan(const TLayerPixels& layer, int column, double& lo, double& hi);
  void FindColumnWorldSpan(const TLayerPixels& layer, int column, double& lo, double& hi) const;
  // A pixel coordinate of the item, rounded, with the output offset added when `offset` is set.
  static int PixelCoordinate(double v, int offset) { return ClampCoordinate(RoundedPixels(v) + offset); }
  TPoint ResolveOnePoint(const TgfChartItem& item, const TLayerPixels& layer) const;
  // The two points of a two-point kind by CoordMode 0..5; `offset` adds the output offset to pixel
  // coordinates.
  void ResolveTwoPoints(const TgfChartItem& item, const TLayerPixels& layer, bool offset, TPoint& a,
                        TPoint& b) const;

  // Whether the item can be drawn at all (layer, coordinates, CoordMode, text index).
  bool Drawable(const TgfChartItem& item) const;

  // The pen width of an item's LineWidth: what differs flushes the pending polyline first.
  void ApplyPenWidth(int width);
  // The point test: the single pixel in the pen colour when both corners are the same pixel.
  bool DrawnAsPoint(TPoint a, TPoint b);
  // Adds 1 to the larger x and the larger y (to the first when equal), so that a rectangle or
  // ellipse, which leave out their right and bottom edge, cover both corners.
  static void Widen(TPoint& a, TPoint& b);
  void Line(TPoint a, TPoint b);

  // kinds
  void RenderMark(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderErrorBars(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderLine(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderLineTo(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderMoveTo(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderMoveRel(const TgfChartItem& item);
  void RenderLineRel(const TgfChartItem& item);
  void RenderWorldLine(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderDeltaLine(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderVertLine(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderHorizLine(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderRect(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderFrame3D(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderBar3D(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderEllipse(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderPixelRect(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderArc(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderCrossMark(const TgfChartItem& item, const TLayerPixels& layer);
  void RenderArrow(const TgfChartItem& item, const TLayerPixels& layer, bool bothEnds);
  void RenderText(const TgfChartItem& item, const TLayerPixels& layer, int index, bool isAnnotation,
                  const TLongTextArray& longTexts);

  // helpers of the kinds
  void DrawMarkSymbol(std::uint8_t markType, int x, int y);
  void ApplyTextFont(int size);
  void DrawText(const TgfChartItem& item, TPoint anchor, int index, bool isAnnotation,
                const TLongTextArray& longTexts);

  TCustomGrafon& m_chart;
  TCanvas& m_canvas;
  TRenderTarget m_target;
  const TLayerPixelTable& m_layers;
  TRenderState& m_state;
  // the chart's geometry, read once
  int m_width, m_height;
  int m_marginLeft, m_marginRight, m_marginTop, m_marginBottom;
  // moves control pixels to canvas pixels: OffsetX - MarginLeft, OffsetY - MarginTop
  std::int64_t m_shiftX, m_shiftY;
  bool m_avoidDuplicateMarks;
  bool m_printer;
  std::string m_text;  // the text of the text item being drawn (its storage is reused)
  // The spans ColumnWorldSpan found in this rendering, per layer and column: lo and hi (lo NaN:
  // not looked for yet).
  std::array<std::vector<std::array<double, 2>>, std::tuple_size_v<TLayerPixelTable>> m_columnSpans;
};

}  // namespace nox::detail
