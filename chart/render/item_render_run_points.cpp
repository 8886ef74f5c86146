// Line-to runs whose pen no block may skip - dashed and dotted pens, XOR mode, the clear pen: every
// point goes into the pending polyline, as drawing the items one by one puts it there, but the
// points of a uniform block are read straight from the list's columns and mapped in double.
//
// Why this is exact. Drawing item by item, each item of the run either is passed over (hidden or
// undrawable: nothing happens) or is a point of the run: it maps to a pixel and goes into the
// pending polyline by AddPolylinePoint, which draws each full batch with one Polyline call. This
// walk makes those same AddPolylinePoint calls, with the same pixels and in the same order, so the
// canvas sees the same calls: the same pixels for any pen, mode and dash phase, and the same state
// after the run. A uniform block's summary says that its items are all passed over, or all points
// of the run with world coordinates on one layer (block_summaries.h); their coordinates are X1 and
// Y1 whether they sit in the columns or in records, and MapToPixelInDouble gives the pixel of
// MapToPixel exactly (WorldStretch applies its test to many values at once); where the box's least
// and greatest x map to one column (MapSpanToPixels), every x of the block maps to it. Items outside
// uniform blocks are classified and mapped one by one, as drawing them does.

#include <algorithm>
#include <array>

#include "chart/Nox_grafon.h"
#include "chart/model/item_list.h"
#include "chart/model/series_store.h"
#include "chart/render/item_render.h"

namespace nox::detail {

void TItemRenderer::WorldStretch(const TDoubleAxisMapping& m, bool logarithmic, int below, std::int64_t shift,
                                 std::span<const double> v, int* out) {
  if (logarithmic) {
    for (std::size_t i = 0; i < v.size(); ++i)
      out[i] = ClampCoordinate(MapToPixelInDouble(m, true, v[i], below) + shift);
    return;
  }
  // The pixels in double first, in a loop without branches that vectorises (r and the shift are
  // integers far below 2^53, so their sum and its clamping are exact); a value near a tie is
  // marked by a pixel beyond the clamping limits and mapped again, exactly.
  constexpr double kNearTie = 2.0 * kPixelLimit;
  const double k = m.k, o = m.o, offset = static_cast<double>(shift);
  std::array<double, 64> pixels;
  for (std::size_t from = 0; from < v.size(); from += pixels.size()) {
    const std::size_t n = std::min(pixels.size(), v.size() - from);
    for (std::size_t i = 0; i < n; ++i) {
      double r;
      const bool rounds = RoundsInDouble(v[from + i] * k, o, r);
      const double clamped = std::min(std::max(r + offset, double{-kPixelLimit}), double{kPixelLimit});
      pixels[i] = rounds ? clamped : kNearTie;
    }
    for (std::size_t i = 0; i < n; ++i) {
      out[from + i] = pixels[i] != kNearTie
                          ? static_cast<int>(pixels[i])
                          : ClampCoordinate(MapToPixelInDouble(m, false, v[from + i], below) + shift);
    }
  }
}

TRunStep TItemRenderer::RenderRunPoints(const TItemList& list, std::size_t first, std::size_t end,
                                        const TListFilter& filter) {
  const TBlockSummaries& tree = list.Blocks();
  TSeriesCursor cursor(list.Items(), first);
  // The coordinates of a stretch of a block, read at once, and their pixels.
  constexpr std::size_t kStretch = 256;
  std::array<double, kStretch> xs, ys;
  std::array<int, kStretch> columns, rows;
  std::array<TPoint, kStretch> pixels;
  const std::size_t next = tree.WalkForward(
      first, end,
      [&](int level, std::size_t block, std::size_t start) {
        const TSummaryBox& box = tree.Block(level, block);
        if (!box.UniformLines()) return bsSplit;
        switch (ClassifyRunBlock(box, filter)) {
          case riSkipped:
            return bsTake;
          case riEnd:
            return bsStop;
          default:
            break;
        }
        const TLayerPixels& layer = m_layers[static_cast<std::size_t>(box.Attributes.Layer - 1)];
        // A block within one column (as most are where many points share the chart's width) needs
        // only its y values mapped: every x maps between the pixels of its box's extremes.
        int columnLo = 0, columnHi = 0;
        const bool oneColumn =
            MapSpanToPixels(layer.X, layer.LogX, box.MinX, box.MaxX, layer.BelowX, columnLo, columnHi) &&
            columnLo == columnHi;
        if (!oneColumn && level > 0) return bsSplit;  // its smaller blocks may be
        const int column = ClampCoordinate(columnLo + m_shiftX);
        cursor.MoveTo(start);
        for (std::size_t left = TBlockSummaries::BlockItems(level); left > 0;) {
          const std::size_t n = std::min(left, kStretch);
          cursor.ReadCoordinates(n, xs.data(), ys.data());
          WorldStretch(layer.Y, layer.LogY, layer.BelowY, m_shiftY, {ys.data(), n}, rows.data());
          if (!oneColumn)
            WorldStretch(layer.X, layer.LogX, layer.BelowX, m_shiftX, {xs.data(), n}, columns.data());
          for (std::size_t i = 0; i < n; ++i) pixels[i] = {oneColumn ? column : columns[i], rows[i]};
          AddPolylinePoints({pixels.data(), n});
          left -= n;
        }
        return bsTake;
      },
      [&](std::size_t i) {
        cursor.MoveTo(i);
        const TgfChartItem item = cursor.Item();
        const TRunItem kind = ClassifyRunItem(item, filter);
        if (kind == riPoint) {
          const TPoint p = ResolveOnePoint(item, m_layers[static_cast<std::size_t>(item.Layer - 1)]);
          AddPolylinePoint(p.X, p.Y);
        }
        return kind != riEnd;
      });
  const auto stop = static_cast<int>(next);
  if (next == first) return {stop, stop + 1};
  return {stop, stop};
}

}  // namespace nox::detail
