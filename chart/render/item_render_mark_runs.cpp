// Stretches of marks drawn from the block summaries of their list (block_summaries.h), with exactly
// the pixels and the state that drawing their items one by one leaves.
//
// Why this is exact. The stretch takes the marks that a screen canvas draws as single pixels in the
// pen colour (types 0..6 and 18, base/mark_shapes.h), with hidden items among them, and stops at
// any other item. Drawn one by one, such a mark in world units (CoordMode 0):
//  - sets the pen width when its LineWidth differs (flushing the pending polyline), whether it is
//    drawn or not;
//  - is left out, without anything else, when its centre lies outside the visible ranges;
//  - else flushes the pending polyline, sets the pen colour and style, and sets the pixels of its
//    pattern round its centre in the canvas's pen colour, unless the duplicate-mark map leaves it
//    out; a drawn one reads the brush colour back, which such a mark leaves alone.
// Flushing, setting what is set already and reading back what did not change do nothing, so doing
// them once for a block whose items share their attributes gives the same state. Setting pixels to
// one colour gives the same image in any order and however often, as long as nothing else paints
// in between: a pattern is painted once per centre (TMarkStamps) for as long as the pen's pixel
// stays the same, and a change of colour starts afresh; so without the duplicate-mark map the
// centres of a stretch that lie in one column are stamped together, in the order of their rows. A
// block's box tells without reading its items whether all of them, or none, lie within the visible
// ranges (the test compares world values), and, where its corners map to one pixel or one column
// (MapSpanToPixels), that every item has that centre or that column. The duplicate-mark map is asked for
// every mark in turn, as drawing one by one does, but once for a block on one pixel: after the
// first, every other mark of the same type on that pixel finds the type recorded there, or the
// pixel has no cell and the mark paints what is painted. Without that map, a block in one column
// has centres in the rows of its least and greatest y (two of its points, mapped exactly): when
// every row between those has its pattern stamped in this period, stamping the two rows paints
// all that its marks would, and it is not read (when all its rows have it, it paints nothing new);
// the parts of a block in one column lie in that column with its attributes and within the
// visible ranges too, so only their rows are mapped to judge them. A block whose attributes equal
// those of the last block prepared, with nothing prepared in between, finds the pen width, colour
// and style and the pattern set already. In XOR mode, on a printer (whose patterns are lines) or
// on an empty image, items are drawn one by one.

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <optional>
#include <span>

#include "base/mark_shapes.h"
#include "chart/Nox_grafon.h"
#include "chart/model/item_list.h"
#include "chart/model/series_store.h"
#include "chart/render/item_render.h"
#include "platform/bitmap.h"
#include "platform/raster_canvas.h"

namespace nox::detail {

namespace {

// A pattern as the offsets of its pixels from its centre, and its bit in TMarkStamps.
struct TStampShape {
  std::array<TPoint, 49> Offsets{};
  int Count = 0;
  unsigned Bit = 0;
};

TStampShape ShapeOf(int markType, const TMarkPattern& rows) {
  TStampShape shape;
  for (int row = 0; row < 7; ++row) {
    for (int bit = 0; bit < 7; ++bit) {
      if ((rows[static_cast<std::size_t>(row)] >> bit) & 1u)
        shape.Offsets[static_cast<std::size_t>(shape.Count++)] = {3 - bit, row - 3};
    }
  }
  shape.Bit = markType == 18 ? 7u : static_cast<unsigned>(markType);
  return shape;
}

void PaintStamp(const Surface& surface, std::uint32_t pixel, const TStampShape& shape, int x, int y) {
  constexpr int r = TMarkStamps::kReach;
  const std::span<const TPoint> offsets(shape.Offsets.data(), static_cast<std::size_t>(shape.Count));
  if (x >= r && y >= r && x < surface.width - r && y < surface.height - r) {
    for (const TPoint d : offsets) *surface.At(x + d.X, y + d.Y) = pixel;
    return;
  }
  for (const TPoint d : offsets) {
    const int px = x + d.X, py = y + d.Y;
    if (px >= 0 && py >= 0 && px < surface.width && py < surface.height) *surface.At(px, py) = pixel;
  }
}

}  // namespace

TRunStep TItemRenderer::RenderMarkRun(const TItemList& list, int firstIndex, int endIndex,
                                      const TListFilter& filter) {
  const TRunStep none{firstIndex, firstIndex + 1};
  // Marks are stamped in the bitmap's own pixels: at another device scale they draw one by one.
  if (m_printer || m_canvas.Pen().Mode() != pmCopy || m_canvas.Target().Empty() ||
      m_canvas.DeviceScale() != 1.0)
    return none;
  const TBlockSummaries& tree = list.Blocks();
  const auto first = static_cast<std::size_t>(firstIndex);
  const auto end = static_cast<std::size_t>(std::min(endIndex, list.Count()));
  TSeriesCursor cursor(list.Items(), first);
  // The coordinates of a stretch of a block, read at once.
  constexpr std::size_t kStretch = 256;
  constexpr int kFewCentres = 16;
  std::array<double, kStretch> xs, ys;
  std::array<int, kStretch> centreXs, centreYs;  // their pixels
  const Surface surface = SurfaceOf(m_canvas.Target());
  TMarkStamps& stamps = m_state.MarkStamps;

  // The pattern and pixel being stamped, and whether any mark was drawn.
  TStampShape shape;
  int shapeType = -1;
  std::uint32_t pixel = 0;
  bool stamping = false;
  bool drawn = false;
  // The attributes of the block prepared last, when nothing else was prepared since.
  TSummaryBox::TAttributes preparedFor;
  bool prepared = false;
  // The steps of a mark with these attributes whose centre lies within the visible ranges.
  const auto prepare = [&](TColor color, TPenStyle style, int markType, const TMarkPattern& rows) {
    FlushPolyline();
    SetPenColor(m_target.Monochrome ? 0x000000 : color);
    SetPenStyle(style);
    const std::uint32_t penPixel = ColorToPixel(m_canvas.Pen().Color());
    if (!stamping || penPixel != pixel) {
      stamps.Begin(surface.width, surface.height);
      pixel = penPixel;
      stamping = true;
    }
    if (markType != shapeType) {
      shape = ShapeOf(markType, rows);
      shapeType = markType;
    }
  };
  // The mark at (x, y); `cells` is column x of the stamps.
  const auto stamp = [&](int x, int y, TMarkStamps::TColumn& cells) {
    if (m_avoidDuplicateMarks &&
        m_state.DuplicateMarks.SeenOrRecord(x, y, static_cast<std::uint8_t>(shapeType))) {
      return;
    }
    drawn = true;
    if (cells.Take(y, shape.Bit)) PaintStamp(surface, pixel, shape, x, y);
  };
  // A block whose centres lie in column x, rows y0 .. y1, has centres in rows y0 and y1 (its least
  // and greatest y); when every row between them is stamped, those two are all it may add, and it
  // needs no reading. Without the duplicate-mark map.
  const auto stampByEnds = [&](TMarkStamps::TColumn& cells, int x, int y0, int y1) {
    if (y1 - y0 >= 2 && cells.Untaken(y0 + 1, y1 - 1, shape.Bit) != 0) return false;
    drawn = true;
    if (cells.Take(y0, shape.Bit)) PaintStamp(surface, pixel, shape, x, y0);
    if (y1 != y0 && cells.Take(y1, shape.Bit)) PaintStamp(surface, pixel, shape, x, y1);
    return true;
  };
  const auto stampAnywhere = [&](int x, int y) {
    TMarkStamps::TColumn cells = stamps.Column(x);
    stamp(x, y, cells);
  };
  // The centres of the marks of a block of `level` from item `start` on, all within the visible
  // ranges of `layer` (in column `column` when that is given), a stretch at a time: each stretch of
  // n goes to take(n) in centreXs and centreYs.
  const auto mapBlock = [&](const TLayerPixels& layer, int level, std::size_t start, std::optional<int> column,
                            auto&& take) {
    cursor.MoveTo(start);
    for (std::size_t left = TBlockSummaries::BlockItems(level); left > 0;) {
      // Where only y is needed, it is mapped from the store's column in place when it can be.
      std::span<const double> yValues;
      if (column) {
        yValues = cursor.YStretch(std::min(left, kStretch), ys.data());
      } else {
        yValues = {ys.data(), std::min(left, kStretch)};
        cursor.ReadCoordinates(yValues.size(), xs.data(), ys.data());
      }
      const std::size_t n = yValues.size();
      WorldStretch(layer.Y, layer.LogY, layer.BelowY, m_shiftY, yValues, centreYs.data());
      if (column) {
        std::fill_n(centreXs.data(), n, *column);
      } else {
        WorldStretch(layer.X, layer.LogX, layer.BelowX, m_shiftX, {xs.data(), n}, centreXs.data());
      }
      take(n);
      left -= n;
    }
  };
  // Such a block's marks, consecutive centres in one column taken together.
  const auto readBlock = [&](const TLayerPixels& layer, int level, std::size_t start, std::optional<int> column) {
    drawn = true;
    mapBlock(layer, level, start, column, [&](std::size_t n) {
      for (std::size_t i = 0, to = 0; i < n; i = to) {
        const int x = centreXs[i];
        for (to = i + 1; to < n && centreXs[to] == x;) ++to;
        stamps.Column(x).TakeRows({centreYs.data() + i, to - i}, shape.Bit,
                                  [&](int y) { PaintStamp(surface, pixel, shape, x, y); });
      }
    });
  };
  // The same one mark after the other, each asking the duplicate-mark map.
  const auto readMarkByMark = [&](const TLayerPixels& layer, int level, std::size_t start,
                                  std::optional<int> column) {
    int lastX = INT_MIN;
    TMarkStamps::TColumn cells;
    mapBlock(layer, level, start, column, [&](std::size_t n) {
      for (std::size_t i = 0; i < n; ++i) {
        const int x = centreXs[i];
        if (x != lastX) {
          cells = stamps.Column(x);
          lastX = x;
        }
        stamp(x, centreYs[i], cells);
      }
    });
  };
  // The column of a block of marks within the visible ranges of `layer` when all its centres lie
  // in one, and then their rows.
  const auto columnOf = [&](const TLayerPixels& layer, const TSummaryBox& box, TPixelBox& pixels) {
    return AxisSpanPixels(layer.X, layer.LogX, layer.BelowX, m_shiftX, box.MinX, box.MaxX, pixels.X0, pixels.X1) &&
           pixels.X0 == pixels.X1 &&
           AxisSpanPixels(layer.Y, layer.LogY, layer.BelowY, m_shiftY, box.MinY, box.MaxY, pixels.Y0, pixels.Y1);
  };
  // The blocks of 16 of a block of 256 whose marks all lie within the visible ranges (in canvas
  // column `column` when that is given), taken here as the walk would take them: they share its
  // attributes and lie within the ranges too. One in one column is judged by its rows alone and
  // read only when they leave it open.
  const auto takeParts = [&](const TLayerPixels& layer, std::size_t block, std::size_t start,
                             std::optional<int> column) {
    drawn = true;
    const TSummaryBox* sideBySide = tree.PartsSideBySide(1, block);
    const std::size_t firstPart = block * TBlockSummaries::kFan;
    for (std::size_t k = 0; k < TBlockSummaries::kFan; ++k) {
      const TSummaryBox& part = sideBySide != nullptr ? sideBySide[k] : tree.Block(0, firstPart + k);
      const std::size_t partStart = start + k * TBlockSummaries::kFan;
      TPixelBox p;
      bool oneColumn;
      if (column) {
        p.X0 = *column;
        oneColumn = AxisSpanPixels(layer.Y, layer.LogY, layer.BelowY, m_shiftY, part.MinY, part.MaxY, p.Y0, p.Y1);
      } else {
        oneColumn = columnOf(layer, part, p);
      }
      if (!oneColumn) {
        readBlock(layer, 0, partStart, column);
        continue;
      }
      TMarkStamps::TColumn cells = stamps.Column(p.X0);
      if (!stampByEnds(cells, p.X0, p.Y0, p.Y1)) readBlock(layer, 0, partStart, p.X0);
    }
  };
  const auto visibleBlock = [&](const TSummaryBox::TAttributes& a) {
    return filter.Select(ikMark) && (*filter.ClassVisible)[a.ItemClass] &&
           (*filter.LayerVisible)[static_cast<std::size_t>(a.Layer - 1)];
  };

  const std::size_t next = tree.WalkForward(
      first, end,
      [&](int level, std::size_t block, std::size_t start) {
        const TSummaryBox& box = tree.Block(level, block);
        if (!box.UniformMarks()) return bsSplit;
        const TSummaryBox::TAttributes& a = box.Attributes;
        // The steps below up to prepare() leave the state as the last block with these
        // attributes left it, when no other came between.
        const bool preparedAlready = prepared && a == preparedFor;
        TMarkPattern rows;
        if (!preparedAlready) {
          prepared = false;
          if (!visibleBlock(a)) return bsTake;
          if (!MarkPixelPattern(a.MarkType & 0xFF, rows)) return bsStop;
          ApplyPenWidth(a.LineWidth);
        }
        const TLayerPixels& layer = m_layers[static_cast<std::size_t>(a.Layer - 1)];
        if (box.MaxX < layer.XLow || box.MinX > layer.XHigh || box.MaxY < layer.YLow ||
            box.MinY > layer.YHigh)
          return bsTake;  // no centre within the ranges
        if (box.MinX < layer.XLow || box.MaxX > layer.XHigh || box.MinY < layer.YLow ||
            box.MaxY > layer.YHigh)
          return bsSplit;  // some within
        if (!preparedAlready) {
          prepare(a.Color, a.PenStyle, a.MarkType & 0xFF, rows);
          preparedFor = a;
          prepared = true;
        }
        TPixelBox pixels;
        const bool oneColumn = columnOf(layer, box, pixels);
        if (oneColumn && pixels.Y0 == pixels.Y1) {
          stampAnywhere(pixels.X0, pixels.Y0);
          return bsTake;
        }
        if (m_avoidDuplicateMarks) {
          // Every mark asks the map in turn. A block within one column needs only its y values
          // mapped; others are split down to blocks of 16, where one may lie in one column or on
          // one pixel.
          if (!oneColumn && level > 0) return bsSplit;
          readMarkByMark(layer, level, start, oneColumn ? std::optional<int>(pixels.X0) : std::nullopt);
          return bsTake;
        }
        if (oneColumn) {
          // Once a column is covered, most of its blocks land on what is stamped there already.
          // A block with a few centres left to stamp is taken part by part, as most of its
          // smaller blocks are likely to be decided by their rows; one of 256 with many is read
          // at once.
          TMarkStamps::TColumn cells = stamps.Column(pixels.X0);
          if (stampByEnds(cells, pixels.X0, pixels.Y0, pixels.Y1)) return bsTake;
          const int untaken = cells.Untaken(pixels.Y0, pixels.Y1, shape.Bit);
          if (level == 1 && untaken <= kFewCentres) {
            takeParts(layer, block, start, pixels.X0);
            return bsTake;
          }
          if (level > 1) return bsSplit;
        } else if (level > 1) {
          return bsSplit;  // most of its parts lie in one column
        } else if (level == 1) {
          takeParts(layer, block, start, std::nullopt);
          return bsTake;
        }
        readBlock(layer, level, start, oneColumn ? std::optional<int>(pixels.X0) : std::nullopt);
        return bsTake;
      },
      [&](std::size_t i) {
        prepared = false;
        cursor.MoveTo(i);
        const TgfChartItem item = cursor.Item();
        if (!filter.Visible(item) || !Drawable(item)) return true;
        const int markType = item.Param3 & 0xFF;
        TMarkPattern rows;
        if (item.Kind != ikMark || item.CoordMode != 0 || !MarkPixelPattern(markType, rows)) return false;
        ApplyPenWidth(item.LineWidth);
        const TLayerPixels& layer = m_layers[static_cast<std::size_t>(item.Layer - 1)];
        if (!(item.X1 >= layer.XLow && item.X1 <= layer.XHigh && item.Y1 >= layer.YLow &&
              item.Y1 <= layer.YHigh)) {
          return true;
        }
        prepare(item.Color, item.PenStyle, markType, rows);
        const TPoint p = World(layer, item.X1, item.Y1);
        stampAnywhere(p.X, p.Y);
        return true;
      });
  if (drawn) m_state.CurrentBrushColor = m_canvas.Brush().Color();
  if (next == first) return none;
  return {static_cast<int>(next), static_cast<int>(next)};
}

}  // namespace nox::detail
