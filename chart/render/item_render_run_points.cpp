// Line-to runs whose pen no block may skip - dashed and dotted pens, XOR mode, the clear pen: every
// point goes into the pending polyline, as drawing the items one by one puts it there, but the
// points of uniform blocks are read straight from the list's columns (y in place) and mapped in
// double straight into the pending polyline, those of consecutive blocks in one column (y alone)
// or across columns together, a few hundred at a time.
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
// and greatest x map to one column (AxisSpanPixels), every x of the block maps to it. Items outside
// uniform blocks are classified and mapped one by one, as drawing them does. Points that wait for
// the blocks after them go into the pending polyline before any point after them does.
//
// Quiet stretches. A copy pen one device pixel wide draws each batch as 1-pixel segments, each from
// its first pixel up to its end pixel left out, in the pen's pixel where its dash pattern is on;
// the pattern starts afresh with every Polyline call and moves on by each segment's length; gaps
// paint nothing. Take consecutive uniform blocks in one canvas column whose points span rows lo ..
// hi, where every pixel of the column in those rows holds the pen's pixel already (or lies outside
// the image), or lo = hi. Every segment between two of their points is vertical within lo .. hi (of
// no length when lo = hi), so it paints nothing new, whatever its phase; and nothing but this pen
// paints during the run, so it stays so. Only the segment into the first point, and the segments
// after the last one, need their phase. So the first point goes into the pending polyline and the
// others are only counted: a batch they would complete is drawn with the first point as its last,
// which paints what it would (the rest of it paints nothing new), batches within the stretch are
// not drawn, and the pending polyline is set to what it would hold: the last point that completed a
// batch (the pen moved there), then the points after it. Pixels of that column found to hold the
// pen's pixel are remembered for the run (TPaintedRows), as they keep it.
//
// Drawn ahead. The points of a quiet stretch that stay in the pending polyline paint nothing new
// either, but the segments after them take their phase from them. So they are mapped and marked as
// drawn ahead (TPolylineBuffer::DrawnAhead) with the pattern position they bring the batch to: the
// position before them plus their steps, which for segments within one column are the distances of
// their rows. The batch up to the stretch's first point is drawn at once, where the stretch
// completes no batch: a Polyline call continued from a position paints what the whole call paints
// from there (copy mode), and painting part of a batch earlier paints the same pixels, as only this
// pen paints during the run. When the batch is drawn, only its segments after those drawn ahead
// are; at the end of the run the pending polyline forgets what was drawn ahead, so that drawing it
// paints it whole, as drawing item by item does (what was drawn ahead again, painting nothing new).

#include <algorithm>
#include <array>
#include <cstdlib>
#include <optional>

#include "chart/Nox_grafon.h"
#include "chart/model/item_list.h"
#include "chart/model/series_store.h"
#include "chart/render/item_render.h"
#include "chart/render/painted_rows.h"
#include "platform/raster_canvas.h"

namespace nox::detail {

namespace {

// WorldStretch with store(i, pixel) for each value v[i].
template <class Store>
void MapStretch(const TDoubleAxisMapping& m, bool logarithmic, int below, std::int64_t shift,
                std::span<const double> v, Store&& store) {
  if (logarithmic) {
    for (std::size_t i = 0; i < v.size(); ++i)
      store(i, ClampCoordinate(MapToPixelInDouble(m, true, v[i], below) + shift));
    return;
  }
  // The pixels in double first, in a loop without branches that vectorises (r and the shift are
  // integers far below 2^53, so their sum and its clamping are exact); a value near a tie is
  // marked by a pixel beyond the clamping limits, counted, and mapped again, exactly.
  constexpr double kNearTie = 2.0 * kPixelLimit;
  const double k = m.k, o = m.o, offset = static_cast<double>(shift);
  std::array<double, 64> pixels;
  for (std::size_t from = 0; from < v.size(); from += pixels.size()) {
    const std::size_t n = std::min(pixels.size(), v.size() - from);
    int nearTies = 0;
    for (std::size_t i = 0; i < n; ++i) {
      double r;
      const bool rounds = RoundsInDouble(v[from + i] * k, o, r);
      const double clamped = std::min(std::max(r + offset, double{-kPixelLimit}), double{kPixelLimit});
      pixels[i] = rounds ? clamped : kNearTie;
      nearTies += rounds ? 0 : 1;
    }
    for (std::size_t i = 0; i < n; ++i) store(from + i, static_cast<int>(pixels[i]));
    if (nearTies == 0) continue;
    for (std::size_t i = 0; i < n; ++i) {
      if (pixels[i] == kNearTie)
        store(from + i, ClampCoordinate(MapToPixelInDouble(m, false, v[from + i], below) + shift));
    }
  }
}

}  // namespace

void TItemRenderer::WorldStretch(const TDoubleAxisMapping& m, bool logarithmic, int below, std::int64_t shift,
                                 std::span<const double> v, int* out) {
  MapStretch(m, logarithmic, below, shift, v, [out](std::size_t i, int pixel) { out[i] = pixel; });
}

void TItemRenderer::WorldStretch(const TDoubleAxisMapping& m, bool logarithmic, int below, std::int64_t shift,
                                 std::span<const double> v, int column, TPoint* out) {
  MapStretch(m, logarithmic, below, shift, v, [out, column](std::size_t i, int row) { out[i] = {column, row}; });
}

TRunStep TItemRenderer::RenderRunPoints(const TItemList& list, std::size_t first, std::size_t end,
                                        const TListFilter& filter) {
  const TBlockSummaries& tree = list.Blocks();
  TSeriesCursor cursor(list.Items(), first);
  TPolylineBuffer& buffer = m_state.Polyline;
  // Coordinates read where they are not used in place, and their pixels.
  constexpr std::size_t kStretch = TPolylineBuffer::kCapacity;
  std::array<double, kStretch> xs, ys;
  std::array<int, kStretch> columns, rows;
  // Adds the points of items from .. from + count - 1, all in canvas column `column` (or anywhere,
  // when column is absent), mapped on `layer`, as AddPolylinePoint does one by one: mapped straight
  // into the pending polyline, y read in place.
  const auto addPoints = [&](const TLayerPixels& layer, std::size_t from, std::size_t count,
                             std::optional<int> column) {
    cursor.MoveTo(from);
    for (std::size_t left = count; left > 0;) {
      const std::span<TPoint> room = buffer.Room(m_state.CurrentPosition);
      std::size_t n = std::min(left, room.size());
      if (column) {
        const std::span<const double> y = cursor.YStretch(n, ys.data());
        n = y.size();
        WorldStretch(layer.Y, layer.LogY, layer.BelowY, m_shiftY, y, *column, room.data());
      } else {
        cursor.ReadCoordinates(n, xs.data(), ys.data());
        WorldStretch(layer.Y, layer.LogY, layer.BelowY, m_shiftY, {ys.data(), n}, rows.data());
        WorldStretch(layer.X, layer.LogX, layer.BelowX, m_shiftX, {xs.data(), n}, columns.data());
        for (std::size_t i = 0; i < n; ++i) room[i] = {columns[i], rows[i]};
      }
      buffer.Commit(n);
      if (buffer.Count() == TPolylineBuffer::kCapacity) {
        const TPoint last = buffer.Last();
        FlushPolyline();
        buffer.Restart(last);
      }
      left -= n;
    }
  };

  // A copy pen one device pixel wide draws a polyline as 1-pixel segments in its pixel (raster_
  // thin_polyline.h); then stretches of points in one column whose rows hold that pixel already
  // are passed over quietly (see the opening comment).
  const DeviceMap& map = m_canvas.DeviceMapping();
  const PenInk ink = InkOf(m_canvas.Pen());
  const bool quietStretches =
      ink.draws && !ink.xorMode && !ink.Wide() && map.Unit() && !m_canvas.Target().Empty();
  std::optional<TPaintedRows> painted;
  if (quietStretches) painted.emplace(SurfaceOf(m_canvas.Target()), ink.pixel);
  struct TQuiet {
    const TLayerPixels* Layer = nullptr;  // none: no quiet stretch
    int Column = 0, Low = 0, High = 0;    // its column and the rows its points span
    std::size_t First = 0, Count = 0;     // the items after its first point, all points
  } quiet;
  // Puts the pending polyline where adding the quiet stretch's points would have left it.
  const auto settle = [&] {
    if (quiet.Layer == nullptr) return;
    const TLayerPixels& layer = *quiet.Layer;
    quiet.Layer = nullptr;
    // The first point goes in now: nothing went into the pending polyline since the stretch began.
    cursor.MoveTo(quiet.First - 1);
    AddPolylinePoint(quiet.Column, WorldY(layer, cursor.Y()));
    const auto pending = static_cast<std::size_t>(buffer.Count());
    const std::size_t capacity = TPolylineBuffer::kCapacity;
    std::size_t from = 0;
    if (pending + quiet.Count >= capacity) {
      // The batch through the first point is drawn, and every later one in the stretch is passed
      // over; the pending polyline starts again at the last point that completed a batch.
      const std::size_t completing = capacity - 1 - pending;
      from = completing + (quiet.Count - 1 - completing) / (capacity - 1) * (capacity - 1);
      cursor.Prefetch(quiet.First + from);  // read after the batch is drawn
      FlushPolyline();
      cursor.MoveTo(quiet.First + from);
      const TPoint restart{quiet.Column, WorldY(layer, cursor.Y())};
      buffer.Restart(restart);
      m_canvas.MoveTo(restart.X, restart.Y);
      m_state.CurrentPosition = restart;
      ++from;
    } else {
      // The batch up to the first point is drawn now, so that the rest of the stretch may count
      // as drawn.
      buffer.DrawnAhead(m_canvas.Polyline(buffer.NotDrawnAhead(), buffer.AheadPosition()));
    }
    // The rest of the stretch: points of the batch whose segments paint nothing new, so they count
    // as drawn, the pattern moved on by their steps (all in one column: their rows' distances).
    // They do not fill the batch (they end before the next point that would complete one).
    const int before = buffer.Count();
    addPoints(layer, quiet.First + from, quiet.Count - from, quiet.Column);
    const std::span<const TPoint> points = buffer.Points();
    std::int64_t position = buffer.AheadPosition();
    for (std::size_t i = static_cast<std::size_t>(before); i < points.size(); ++i)
      position += std::abs(points[i].Y - points[i - 1].Y);
    buffer.DrawnAhead(position);
  };
  // Points of uniform blocks not passed over quietly wait here until the next block shows whether
  // they continue: consecutive items of one layer, all in one canvas column or (Column absent)
  // anywhere, so that long stretches are read and mapped at once.
  struct TWaiting {
    const TLayerPixels* Layer = nullptr;  // none: nothing waits
    std::optional<int> Column;
    std::size_t First = 0, Count = 0;
  } waiting;
  constexpr std::size_t kWaitingPoints = 128;
  const auto addWaiting = [&] {
    if (waiting.Layer == nullptr) return;
    addPoints(*waiting.Layer, waiting.First, waiting.Count, waiting.Column);
    waiting.Layer = nullptr;
  };
  // What waits, or passes quietly, goes into the pending polyline, in the order of the items.
  const auto addAll = [&] {
    settle();
    addWaiting();
  };
  const auto wait = [&](const TLayerPixels& layer, std::optional<int> column, std::size_t start,
                        std::size_t count) {
    settle();
    if (waiting.Layer == &layer && waiting.Column == column && waiting.First + waiting.Count == start) {
      waiting.Count += count;
    } else {
      addWaiting();
      waiting = {&layer, column, start, count};
    }
    // Not many more, so that the pixels the quiet stretches look for are drawn soon.
    if (waiting.Count >= kWaitingPoints) addWaiting();
  };
  // Whether the points of a block (rows y0 .. y1 of canvas column `column`, on `layer`, items
  // start .. start + count - 1) join a quiet stretch or start one.
  const auto quietly = [&](const TLayerPixels& layer, int column, int y0, int y1, std::size_t start,
                           std::size_t count) {
    // Segments within one row have no length: they paint nothing.
    const auto paintsNothingNew = [&](int low, int high) {
      return low == high || painted->All(column, low, high);
    };
    if (quiet.Layer == &layer && quiet.Column == column && quiet.First + quiet.Count == start &&
        paintsNothingNew(std::min(y0, quiet.Low), std::max(y1, quiet.High))) {
      quiet.Low = std::min(y0, quiet.Low);
      quiet.High = std::max(y1, quiet.High);
      quiet.Count += count;
      return true;
    }
    if (!paintsNothingNew(y0, y1)) return false;
    addAll();
    cursor.Prefetch(start);  // its first point, read when the stretch ends
    quiet = {&layer, column, y0, y1, start + 1, count - 1};
    return true;
  };

  // Looks at a block's parts, whose summaries are fetched at once: they lie apart from those the
  // walk read last.
  const auto split = [&](int level, std::size_t block) {
    tree.PrefetchParts(level, block);
    return bsSplit;
  };

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
        int column = 0, columnHi = 0;
        const bool oneColumn = AxisSpanPixels(layer.X, layer.LogX, layer.BelowX, m_shiftX, box.MinX, box.MaxX,
                                              column, columnHi) &&
                               column == columnHi;
        if (!oneColumn && level > 0) return split(level, block);  // its smaller blocks may be
        const std::size_t count = TBlockSummaries::BlockItems(level);
        int y0 = 0, y1 = 0;
        if (oneColumn && painted &&
            AxisSpanPixels(layer.Y, layer.LogY, layer.BelowY, m_shiftY, box.MinY, box.MaxY, y0, y1)) {
          if (quietly(layer, column, y0, y1, start, count)) return bsTake;
          if (level > 0) return split(level, block);  // its smaller blocks may pass quietly
        }
        wait(layer, oneColumn ? std::optional<int>(column) : std::nullopt, start, count);
        return bsTake;
      },
      [&](std::size_t i) {
        addAll();
        cursor.MoveTo(i);
        const TgfChartItem item = cursor.Item();
        const TRunItem kind = ClassifyRunItem(item, filter);
        if (kind == riPoint) {
          const TPoint p = ResolveOnePoint(item, m_layers[static_cast<std::size_t>(item.Layer - 1)]);
          AddPolylinePoint(p.X, p.Y);
        }
        return kind != riEnd;
      });
  addAll();
  // What was drawn ahead is drawn again with the batch (painting nothing new), so that the pending
  // polyline is exactly the one drawing item by item leaves.
  buffer.ForgetAhead();
  const auto stop = static_cast<int>(next);
  if (next == first) return {stop, stop + 1};
  return {stop, stop};
}

}  // namespace nox::detail
