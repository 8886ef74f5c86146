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
// MapToPixel exactly; where the box's least and greatest x map to one column (MapSpanToPixels),
// every x of the block maps to it. Items outside uniform blocks are classified and mapped one by one, as
// drawing them does.

#include <algorithm>
#include <array>

#include "chart/Nox_grafon.h"
#include "chart/model/item_list.h"
#include "chart/model/series_store.h"
#include "chart/render/item_render.h"

namespace nox::detail {

TRunStep TItemRenderer::RenderRunPoints(const TItemList& list, std::size_t first, std::size_t end,
                                        const TListFilter& filter) {
  const TBlockSummaries& tree = list.Blocks();
  TSeriesCursor cursor(list.Items(), first);
  // The coordinates of a stretch of a block, read at once, and their pixels.
  constexpr std::size_t kStretch = 256;
  std::array<double, kStretch> xs, ys;
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
          for (std::size_t i = 0; i < n; ++i)
            pixels[i].Y = ClampCoordinate(MapToPixelInDouble(layer.Y, layer.LogY, ys[i], layer.BelowY) + m_shiftY);
          for (std::size_t i = 0; i < n; ++i) {
            pixels[i].X = oneColumn ? column
                                    : ClampCoordinate(MapToPixelInDouble(layer.X, layer.LogX, xs[i], layer.BelowX) + m_shiftX);
          }
          for (std::size_t i = 0; i < n; ++i) AddPolylinePoint(pixels[i].X, pixels[i].Y);
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
