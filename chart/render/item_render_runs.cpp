// Line-to runs drawn from the block summaries of their list (block_summaries.h), with exactly the
// pixels and the state that drawing their items one by one leaves.
//
// Why this is exact. With a 1-pixel solid pen in copy mode a polyline paints the union of its
// segments, each from its first point up to but without its last (platform/raster_line.h); batches
// of 200 points joined at their ends paint the same union as one long polyline, and the order of
// painting within one colour does not matter. For a chain P0 .. Pm let k be the last index with
// Pk != Pm. Every point before k starts a segment that paints it, so the chain paints
//     (closed segments P0-P1, ..., P(k-1)-Pk)  and  (the segment Pk-Pm without Pm),
// and nothing at all when there is no such k. The closed segments are gathered column by column:
// consecutive points in one column join into the rows between their least and greatest y (a chain
// of vertical segments leaves no gap), and a segment from one column to another is drawn as it is
// (its end points lie in the columns' rows already). A uniform block whose points all map to one
// column adds its rows from the pixels of its box corners, as every point of the block maps between
// them: the map of a linear axis is monotone, that of a logarithmic one where no corner lies near a
// rounding tie and no point at or below 1e-100 (MapSpanToPixels; other blocks are split). One whose
// box lies wholly outside the image adds only its first and last point, since every pixel of a
// segment lies within the box of its end points. Wider solid pens take the same walk with
// round-capped strokes (item_render_wide_runs.cpp).
//
// At a device scale s >= 1 the pen paints the bitmap's device pixels: it is as wide as its device
// width (DeviceMap::PenWidth, so a 1-pixel pen may become a wide one) and draws through the device
// pixel of each point (DeviceMap::CentrePoint), each coordinate mapped on its own and strictly
// increasing, as consecutive logical pixels lie at least one device pixel apart. So the chain of
// device points has its points in the same columns, its rows in the same order and the same equal
// and unequal points as the chain of logical ones, and the rules above hold for it word for word:
// the chain is gathered in logical pixels and painted in device pixels (column_chain.h), and the
// device pixels of a block's box corners bound those of its points. Below 1 two logical pixels may
// share a device pixel, and every point is drawn one by one.
//
// The state: drawing item by item, the point that completes a batch flushes it, and what is left
// is that point alone (pending polyline, CurrentPosition and pen position). So a run is taken up to
// the last such point; the fewer than 200 points after it are drawn one by one.

#include <algorithm>
#include <array>

#include "chart/Nox_grafon.h"
#include "chart/model/item_list.h"
#include "chart/model/series_store.h"
#include "chart/render/column_chain.h"
#include "chart/render/item_render.h"
#include "platform/raster_canvas.h"

namespace nox::detail {

TItemRenderer::TRunItem TItemRenderer::ClassifyRunItem(const TgfChartItem& item,
                                                       const TListFilter& filter) const {
  // As RenderItemList and RenderItem take them: hidden and undrawable items are passed over
  // without flushing.
  if (!filter.Visible(item) || !Drawable(item)) return riSkipped;
  if (item.Kind != ikLineTo || !ContinuesRun(item)) return riEnd;
  return riPoint;
}

TItemRenderer::TRunItem TItemRenderer::ClassifyRunBlock(const TSummaryBox& box, const TListFilter& filter) const {
  if (!filter.Select(ikLineTo) || !(*filter.ClassVisible)[box.Attributes.ItemClass] ||
      !(*filter.LayerVisible)[static_cast<std::size_t>(box.Attributes.Layer - 1)]) {
    return riSkipped;
  }
  return ContinuesRun(box.Attributes) ? riPoint : riEnd;
}

TRunStep TItemRenderer::RenderLineRun(const TItemList& list, int firstIndex, int endIndex,
                                      const TListFilter& filter) {
  const TRunStep none{firstIndex, firstIndex + 1};
  // The pen as it paints the device pixels.
  const DeviceMap& map = m_canvas.DeviceMapping();
  PenInk ink = InkOf(m_canvas.Pen());
  ink.width = map.PenWidth(ink.width);
  const auto first = static_cast<std::size_t>(firstIndex);
  const auto end = static_cast<std::size_t>(std::min(endIndex, list.Count()));
  // Every other pen puts every point into the pending polyline (item_render_run_points.cpp); so
  // does any pen at a device scale below 1, where two logical pixels may share a device pixel.
  if (!ink.draws || ink.xorMode || !ink.dash.Solid() || m_canvas.Target().Empty() || map.scale < 1.0)
    return RenderRunPoints(list, first, end, filter);
  const TBlockSummaries& tree = list.Blocks();
  // The walks go front to back, or back to front, a block or an item at a time: the cursor moves
  // with them without a search.
  TSeriesCursor cursor(list.Items(), first);
  const auto itemAt = [&](std::size_t i) {
    cursor.MoveTo(i);
    return cursor.Item();
  };
  if (first >= end || ClassifyRunItem(itemAt(first), filter) != riPoint) return none;

  const auto resolveItem = [&](const TgfChartItem& item) {
    return ResolveOnePoint(item, m_layers[static_cast<std::size_t>(item.Layer - 1)]);
  };
  const auto resolve = [&](std::size_t i) { return resolveItem(itemAt(i)); };
  const auto blockKind = [&](const TSummaryBox& box) { return ClassifyRunBlock(box, filter); };
  const auto blockLayer = [&](const TSummaryBox& box) -> const TLayerPixels& {
    return m_layers[static_cast<std::size_t>(box.Attributes.Layer - 1)];
  };

  // The run's extent and its number of points.
  std::size_t points = 0;
  const std::size_t runEnd = tree.WalkForward(
      first, end,
      [&](int level, std::size_t block, std::size_t) {
        const TSummaryBox& box = tree.Block(level, block);
        if (!box.UniformLines()) return bsSplit;
        switch (blockKind(box)) {
          case riSkipped:
            return bsTake;
          case riPoint:
            points += TBlockSummaries::BlockItems(level);
            return bsTake;
          default:
            return bsStop;
        }
      },
      [&](std::size_t i) {
        const TRunItem kind = ClassifyRunItem(itemAt(i), filter);
        if (kind == riPoint) ++points;
        return kind != riEnd;
      });

  // The points that complete a batch: the (200 - c)-th, where c is the pending polyline's count
  // (its start point counting when it is empty), then every 199th.
  const std::size_t pending = static_cast<std::size_t>(std::max(m_state.Polyline.Count(), 1));
  const std::size_t firstFlush = TPolylineBuffer::kCapacity - pending;
  constexpr std::size_t kFlushStep = TPolylineBuffer::kCapacity - 1;
  if (points < firstFlush) return {firstIndex, static_cast<int>(runEnd)};
  const std::size_t lastFlush = firstFlush + (points - firstFlush) / kFlushStep * kFlushStep;

  // The item of that point.
  std::size_t counted = 0;
  const std::size_t flushItem = tree.WalkForward(
      first, runEnd,
      [&](int level, std::size_t block, std::size_t) {
        const TSummaryBox& box = tree.Block(level, block);
        if (!box.UniformLines()) return bsSplit;
        if (blockKind(box) == riSkipped) return bsTake;
        const std::size_t size = TBlockSummaries::BlockItems(level);
        if (counted + size >= lastFlush) return bsSplit;
        counted += size;
        return bsTake;
      },
      [&](std::size_t i) {
        return !(ClassifyRunItem(itemAt(i), filter) == riPoint && ++counted == lastFlush);
      });
  const TPoint flushPoint = resolve(flushItem);

  // Adds the run's points of items first .. to - 1 to a chain: a block at a time where all its
  // points lie in one column, or where its box, grown by `reach` pixels, lies wholly outside the
  // image.
  const Surface surface = SurfaceOf(m_canvas.Target());
  const TDeviceGrid grid{map, ink.width};
  const auto gather = [&](auto& chain, std::size_t to, std::int64_t reach) {
    tree.WalkForward(
        first, to,
        [&](int level, std::size_t block, std::size_t start) {
          const TSummaryBox& box = tree.Block(level, block);
          if (!box.UniformLines()) return bsSplit;
          if (blockKind(box) == riSkipped) return bsTake;
          const TLayerPixels& layer = blockLayer(box);
          // The points of a block of 16 that the rules below do not take, one by one: a plain
          // line-to in world units of the block's layer each.
          // (Read first: the chain moves the cursor when it resolves a point.)
          const auto itemByItem = [&] {
            if (level > 0) return bsSplit;
            std::array<TPoint, TBlockSummaries::kFan> blockPoints;
            cursor.MoveTo(start);
            for (TPoint& p : blockPoints) {
              p = World(layer, cursor.X(), cursor.Y());
              cursor.Next();
            }
            for (const TPoint p : blockPoints) chain.AddPoint(p);
            return bsTake;
          };
          TPixelBox pixels;
          if (!BoxPixels(layer, box, pixels)) return itemByItem();
          const std::size_t last = start + TBlockSummaries::BlockItems(level) - 1;
          const auto [x0, x1, y0, y1] = pixels;
          // The device pixels of the box's corners bound those of its points.
          const int dx0 = grid.X(x0), dx1 = grid.X(x1), dy0 = grid.Y(y0), dy1 = grid.Y(y1);
          if (x0 != x1 && (dx1 + reach < 0 || dx0 - reach >= surface.width)) {
            chain.AddPoint(resolve(start));
            chain.AddPoint(resolve(last));
            return bsTake;
          }
          if (x0 == x1) {
            chain.AddColumn(x0, y0, y1, start, last);
            return bsTake;
          }
          if (dy1 + reach < 0 || dy0 - reach >= surface.height) {
            chain.AddPoint(resolve(start));
            chain.AddPoint(resolve(last));
            return bsTake;
          }
          return itemByItem();
        },
        [&](std::size_t i) {
          const TgfChartItem item = itemAt(i);
          if (ClassifyRunItem(item, filter) == riPoint) chain.AddPoint(resolveItem(item));
          return true;
        });
  };
  const std::span<const TPoint> buffered = m_state.Polyline.Points();
  const std::span<const TPoint> starts =
      buffered.empty() ? std::span<const TPoint>(&m_state.CurrentPosition, 1) : buffered;

  if (ink.Wide()) {
    // The whole chain, the flush point included (item_render_wide_runs.cpp).
    TColumnChain chain(TWideStrokes{surface, ink.pixel, grid}, resolve);
    for (const TPoint start : starts) chain.AddPoint(start);
    gather(chain, flushItem + 1, ink.width);
    chain.Close();
  } else {
    // The last point before the flush point on another pixel: an item of the run, or a point of
    // the pending polyline (its start when it is empty).
    const auto samePixelBlock = [&](const TSummaryBox& box) {
      TPixelBox pixels;
      return BoxPixels(blockLayer(box), box, pixels) && pixels.X0 == flushPoint.X &&
             pixels.X1 == flushPoint.X && pixels.Y0 == flushPoint.Y && pixels.Y1 == flushPoint.Y;
    };
    const std::size_t turn = tree.WalkBackward(
        first, flushItem,
        [&](int level, std::size_t block, std::size_t) {
          const TSummaryBox& box = tree.Block(level, block);
          if (!box.UniformLines()) return bsSplit;
          if (blockKind(box) == riSkipped) return bsTake;
          return samePixelBlock(box) ? bsTake : bsSplit;
        },
        [&](std::size_t i) {
          const TgfChartItem item = itemAt(i);
          return ClassifyRunItem(item, filter) != riPoint || resolveItem(item) == flushPoint;
        });
    const bool turnInRun = turn > first;  // item turn - 1 is the last point off the end pixel
    std::size_t startsBefore = starts.size();  // the chain's start points up to its turn
    if (!turnInRun) {
      while (startsBefore > 0 && starts[startsBefore - 1] == flushPoint) --startsBefore;
    }
    if (turnInRun || startsBefore > 0) {
      TColumnChain chain(TThinStrokes{surface, ink.pixel, grid}, resolve);
      for (std::size_t s = 0; s < startsBefore; ++s) chain.AddPoint(starts[s]);
      if (turnInRun) gather(chain, turn, 0);
      chain.FinishTo(flushPoint);
    }
  }

  // What drawing item by item leaves after the batch that point completes.
  m_state.Polyline.Restart(flushPoint);
  m_state.CurrentPosition = flushPoint;
  m_canvas.MoveTo(flushPoint.X, flushPoint.Y);
  // Hidden items after it change nothing either.
  const std::size_t next = tree.WalkForward(
      flushItem + 1, runEnd,
      [&](int level, std::size_t block, std::size_t) {
        const TSummaryBox& box = tree.Block(level, block);
        if (!box.UniformLines()) return bsSplit;
        return blockKind(box) == riSkipped ? bsTake : bsStop;
      },
      [&](std::size_t i) { return ClassifyRunItem(itemAt(i), filter) == riSkipped; });
  return {static_cast<int>(next), static_cast<int>(next)};
}

}  // namespace nox::detail
