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
// The walk is cheap per block, as a run among many (several series, each over the chart's whole
// width) meets every column and so splits a block at every column border. A uniform block's parts
// are uniform with its attributes, so they are classified with it. Consecutive blocks of one layer
// in one column add their rows at once, from the least and greatest y of them all in world units:
// on a linear Y axis the map is monotone, so those two values' pixels are the least and greatest
// row of the blocks' points. Whether a block lies in the column of the blocks before it is told
// without mapping it where that column's world x is known: the ends of a span of world x that
// map to the column (MapSpanToPixels) bound every x that does between them, so a block whose
// least and greatest x lie within them has all its points there. The points of a block of 16 that
// must be drawn one by one map in double together, each to the pixel MapToPixel gives it
// (RoundsInDouble), and again one by one should one of them lie near a rounding tie.
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
#include <cstdint>
#include <span>

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
    // The walk first decides what the chain takes, in order, from the summaries alone; the chain
    // then takes it, reading the items it needs, which are fetched as the walk goes on.
    struct TStep {
      enum : std::uint8_t { sColumn, sEnds, sPoints, sItem } Kind = sItem;
      int X = 0, Y0 = 0, Y1 = 0;             // sColumn: its column and rows
      const TLayerPixels* Layer = nullptr;  // sPoints: the block's layer
      std::size_t First = 0, Last = 0;      // the items of the block (sItem: First alone)
    };
    // A few hundred at a time, so that a run of any length needs no more room.
    std::array<TStep, 512> steps;
    std::size_t stepCount = 0;
    // The points of a block of 16 that the rules below do not take, one by one: plain line-tos in
    // world units of the block's layer, each mapped as World maps it. On linear axes they are
    // mapped together in double (RoundsInDouble), and again one by one should one of them lie near
    // a rounding tie.
    std::array<double, TBlockSummaries::kFan> xs, ys;
    std::array<TPoint, TBlockSummaries::kFan> blockPoints;
    const auto addPoints = [&](const TLayerPixels& layer, std::size_t start) {
      // (Read first: the chain moves the cursor when it resolves a point.)
      cursor.MoveTo(start);
      cursor.ReadCoordinates(TBlockSummaries::kFan, xs.data(), ys.data());
      bool rounds = !layer.LogX && !layer.LogY;
      if (rounds) {
        const double shiftX = static_cast<double>(m_shiftX), shiftY = static_cast<double>(m_shiftY);
        std::array<double, TBlockSummaries::kFan> columns, rows;
        for (std::size_t i = 0; i < TBlockSummaries::kFan; ++i) {
          double rx, ry;
          rounds &= RoundsInDouble(xs[i] * layer.X.k, layer.X.o, rx);
          rounds &= RoundsInDouble(ys[i] * layer.Y.k, layer.Y.o, ry);
          // r and the shift are integers far below 2^53: their sum and its clamping are exact.
          columns[i] = std::clamp(rx + shiftX, double{-kPixelLimit}, double{kPixelLimit});
          rows[i] = std::clamp(ry + shiftY, double{-kPixelLimit}, double{kPixelLimit});
        }
        if (rounds) {
          for (std::size_t i = 0; i < TBlockSummaries::kFan; ++i)
            blockPoints[i] = {static_cast<int>(columns[i]), static_cast<int>(rows[i])};
        }
      }
      if (!rounds) {
        for (std::size_t i = 0; i < TBlockSummaries::kFan; ++i) blockPoints[i] = World(layer, xs[i], ys[i]);
      }
      chain.AddPoints(blockPoints.data(), blockPoints.size());
    };
    // The chain takes the steps decided so far.
    const auto drawSteps = [&] {
      for (const TStep& step : std::span(steps.data(), stepCount)) {
        switch (step.Kind) {
          case TStep::sColumn:
            chain.AddColumn(step.X, step.Y0, step.Y1, step.First, step.Last);
            break;
          case TStep::sEnds:
            chain.AddPoint(resolve(step.First));
            chain.AddPoint(resolve(step.Last));
            break;
          case TStep::sPoints:
            addPoints(*step.Layer, step.First);
            break;
          default: {
            const TgfChartItem item = itemAt(step.First);
            if (ClassifyRunItem(item, filter) == riPoint) chain.AddPoint(resolveItem(item));
            break;
          }
        }
      }
      stepCount = 0;
    };
    const auto addStep = [&](const TStep& step) {
      steps[stepCount++] = step;
      if (stepCount == steps.size()) drawSteps();
    };
    // Consecutive blocks of one layer in one column whose rows come from a linear Y axis: their
    // least and greatest y in world units, mapped once when the column or the layer changes.
    struct {
      const TLayerPixels* Layer = nullptr;  // none waits
      int X = 0;
      double MinY = 0, MaxY = 0;
      std::size_t FirstItem = 0, LastItem = 0;
      double XLo = 1, XHi = 0;  // world x that maps to column X (none when XLo > XHi)
    } waiting;
    // Whether every x of a block of `layer` maps to the waiting column, without mapping it.
    const auto joinsWaiting = [&](const TSummaryBox& box, const TLayerPixels& layer) {
      return waiting.Layer == &layer && box.MinX >= waiting.XLo && box.MaxX <= waiting.XHi;
    };
    const auto join = [&](const TSummaryBox& box, std::size_t lastItem) {
      waiting.MinY = std::min(waiting.MinY, box.MinY);
      waiting.MaxY = std::max(waiting.MaxY, box.MaxY);
      waiting.LastItem = lastItem;
    };
    const auto addWaiting = [&] {
      if (waiting.Layer == nullptr) return;
      const TLayerPixels& layer = *waiting.Layer;
      int y0, y1;
      AxisSpanPixels(layer.Y, false, layer.BelowY, m_shiftY, waiting.MinY, waiting.MaxY, y0, y1);
      addStep({TStep::sColumn, waiting.X, y0, y1, nullptr, waiting.FirstItem, waiting.LastItem});
      waiting.Layer = nullptr;
    };
    // A uniform block of the run's points, its x pixels x0 .. x1 when `xKnown` (when its least and
    // greatest x bound those of all its points): taken whole where the rules allow, else part by
    // part. Its parts share its attributes, so they are points of the run on its layer too.
    const auto take = [&](auto& self, int level, std::size_t block, std::size_t start, const TSummaryBox& box,
                          const TLayerPixels& layer, bool xKnown, int x0, int x1) -> void {
      const std::size_t last = start + TBlockSummaries::BlockItems(level) - 1;
      if (xKnown && x0 == x1 && !layer.LogY) {
        if (waiting.Layer == &layer && waiting.X == x0) {
          join(box, last);
        } else {
          addWaiting();
          waiting = {&layer, x0, box.MinY, box.MaxY, start, last};
          ColumnWorldSpan(layer, x0, waiting.XLo, waiting.XHi);
        }
        return;
      }
      addWaiting();
      if (xKnown) {
        // The device pixels of the box's corners bound those of its points.
        if (x0 != x1 && (grid.X(x1) + reach < 0 || grid.X(x0) - reach >= surface.width)) {
          addStep({TStep::sEnds, 0, 0, 0, nullptr, start, last});
          return;
        }
        int y0, y1;
        if (AxisSpanPixels(layer.Y, layer.LogY, layer.BelowY, m_shiftY, box.MinY, box.MaxY, y0, y1)) {
          if (x0 == x1) {
            addStep({TStep::sColumn, x0, y0, y1, nullptr, start, last});
            return;
          }
          if (grid.Y(y1) + reach < 0 || grid.Y(y0) - reach >= surface.height) {
            addStep({TStep::sEnds, 0, 0, 0, nullptr, start, last});
            return;
          }
        }
      }
      if (level == 0) {
        cursor.Prefetch(start);
        addStep({TStep::sPoints, 0, 0, 0, &layer, start, last});
        return;
      }
      const int partLevel = level - 1;
      const std::size_t partItems = TBlockSummaries::BlockItems(partLevel);
      const std::size_t firstPart = block * TBlockSummaries::kFan;
      if (partLevel == 0) {
        // Most parts of a run among many join the column before them: that takes two comparisons,
        // the others are mapped.
        const TSummaryBox* sideBySide = tree.PartsSideBySide(level, block);
        for (std::size_t k = 0; k < TBlockSummaries::kFan; ++k) {
          const TSummaryBox& part = sideBySide != nullptr ? sideBySide[k] : tree.Block(0, firstPart + k);
          const std::size_t partStart = start + k * partItems;
          if (joinsWaiting(part, layer)) {
            join(part, partStart + partItems - 1);
            continue;
          }
          int p0, p1;
          const bool known =
              AxisSpanPixels(layer.X, layer.LogX, layer.BelowX, m_shiftX, part.MinX, part.MaxX, p0, p1);
          self(self, 0, firstPart + k, partStart, part, layer, known, p0, p1);
        }
        return;
      }
      // The parts' x first, to know which of them are split in turn: the parts of all of those are
      // fetched at once, so that their cache misses overlap. A part that joins the waiting column
      // needs no x, unless a part before it moves on to another column.
      std::array<const TSummaryBox*, TBlockSummaries::kFan> parts;
      std::array<int, TBlockSummaries::kFan> px0{}, px1{};
      std::array<bool, TBlockSummaries::kFan> known{}, mapped{};
      const auto mapPart = [&](std::size_t k) {
        known[k] = AxisSpanPixels(layer.X, layer.LogX, layer.BelowX, m_shiftX, parts[k]->MinX, parts[k]->MaxX,
                                  px0[k], px1[k]);
        mapped[k] = true;
      };
      for (std::size_t k = 0; k < TBlockSummaries::kFan; ++k) {
        parts[k] = &tree.Block(partLevel, firstPart + k);
        if (joinsWaiting(*parts[k], layer)) continue;
        mapPart(k);
        if (!(known[k] && px0[k] == px1[k])) tree.PrefetchParts(partLevel, firstPart + k);
      }
      for (std::size_t k = 0; k < TBlockSummaries::kFan; ++k) {
        const std::size_t partStart = start + k * partItems;
        if (joinsWaiting(*parts[k], layer)) {
          join(*parts[k], partStart + partItems - 1);
          continue;
        }
        if (!mapped[k]) mapPart(k);
        self(self, partLevel, firstPart + k, partStart, *parts[k], layer, known[k], px0[k], px1[k]);
      }
    };
    // The class of the last block's attributes: most blocks of a run share them.
    TSummaryBox::TAttributes classified{};
    TRunItem classifiedKind = riEnd;
    tree.WalkForward(
        first, to,
        [&](int level, std::size_t block, std::size_t start) {
          const TSummaryBox& box = tree.Block(level, block);
          if (!box.UniformLines()) return bsSplit;
          if (!(box.Attributes == classified)) {
            classified = box.Attributes;
            classifiedKind = blockKind(box);
          }
          if (classifiedKind == riSkipped) return bsTake;
          const TLayerPixels& layer = blockLayer(box);
          if (joinsWaiting(box, layer)) {
            join(box, start + TBlockSummaries::BlockItems(level) - 1);
            return bsTake;
          }
          int x0 = 0, x1 = 0;
          const bool xKnown =
              AxisSpanPixels(layer.X, layer.LogX, layer.BelowX, m_shiftX, box.MinX, box.MaxX, x0, x1);
          take(take, level, block, start, box, layer, xKnown, x0, x1);
          return bsTake;
        },
        [&](std::size_t i) {
          addWaiting();
          addStep({TStep::sItem, 0, 0, 0, nullptr, i, i});
          return true;
        });
    addWaiting();
    drawSteps();
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
