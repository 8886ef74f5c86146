// The compact series store against the records the chart's own append operations make, kept in a
// plain array: the record view (field for field, bit for bit), the capacity, the block summaries
// and their walks, after random appends (point by point, in bulk, any record) and removals; appends
// that leave nothing behind when an allocation fails; refused arguments.

#include "chart/model/series_store.h"

#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <functional>
#include <limits>
#include <new>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "chart/model/grafon_error.h"
#include "tests/chart/chart_fixture.h"
#include "tests/support/failing_allocator.h"

namespace nox::test {
namespace {

using detail::TBlockSummaries;
using detail::TPointPen;
using detail::TSeriesStore;
using detail::TSummaryBox;

// Every field's bits, so that NaN payloads and -0.0 count.
auto Bits(const TgfChartItem& r) {
  const auto bits = [](double v) { return std::bit_cast<std::uint64_t>(v); };
  return std::tuple(bits(r.X1), bits(r.Y1), bits(r.X2), bits(r.Y2), r.Color, r.FillColor, r.FrameColor1,
                    r.FrameColor2, r.PenStyle, r.Attr, r.LineWidth, r.ItemClass, r.Kind, r.Layer, r.Flag, r.Style,
                    std::bit_cast<std::array<std::uint8_t, sizeof r.ShortText>>(r.ShortText), r.Param1,
                    r.Param2, r.Param3, r.CoordMode);
}

// The old store: the records in an array whose length grows in AllocSize steps.
struct TReference {
  std::vector<TgfChartItem> Items;
  int Capacity = 0;

  void Append(const TgfChartItem& item, int allocSize) {
    if (static_cast<int>(Items.size()) == Capacity) Capacity += std::max(allocSize, 1);
    Items.push_back(item);
  }
  void RemoveOldest(std::size_t n) {
    Items.erase(Items.begin(), Items.begin() + static_cast<std::ptrdiff_t>(std::min(n, Items.size())));
  }
};

// The block box of items first .. first + count - 1 by the documented rule, written out afresh.
TSummaryBox ExpectedBox(const std::vector<TgfChartItem>& items, std::size_t first, std::size_t count) {
  const auto plainKind = [](const TgfChartItem& item) {
    const bool placed = std::isfinite(item.X1) && std::isfinite(item.Y1) && item.Layer >= 1 && item.Layer <= 16;
    if (placed && item.Kind == ikLineTo && (item.CoordMode == 0 || item.CoordMode == 2)) return ikLineTo;
    if (placed && item.Kind == ikMark && item.CoordMode == 0 && item.Param1 == 0) return ikMark;
    return TgfItemKind{};
  };
  const TgfChartItem& lead = items[first];
  TSummaryBox box{lead.X1, lead.X1, lead.Y1, lead.Y1, {}};
  auto& a = box.Attributes;
  a = {lead.Color, lead.FillColor, lead.LineWidth, lead.Kind == ikMark ? lead.Param3 : 0,
       static_cast<std::uint8_t>(lead.Layer), lead.ItemClass, lead.PenStyle, plainKind(lead)};
  for (std::size_t i = first; i < first + count && box.Uniform(); ++i) {
    const TgfChartItem& item = items[i];
    if (plainKind(item) != a.Kind || item.Color != lead.Color || item.FillColor != lead.FillColor ||
        item.LineWidth != lead.LineWidth || item.ItemClass != lead.ItemClass || item.Layer != lead.Layer ||
        item.PenStyle != lead.PenStyle || (a.Kind == ikMark && item.Param3 != lead.Param3)) {
      a.Kind = TgfItemKind{};
    }
    box.MinX = std::min(box.MinX, item.X1);
    box.MaxX = std::max(box.MaxX, item.X1);
    box.MinY = std::min(box.MinY, item.Y1);
    box.MaxY = std::max(box.MaxY, item.Y1);
  }
  return box;
}

// The store shows exactly the reference: count, capacity, every record (by index and by cursor),
// zero records beyond the count, every block that lies within the list, and walks that offer only
// such blocks.
void ExpectSame(const TSeriesStore& store, const TReference& reference, std::mt19937_64& rng) {
  const std::vector<TgfChartItem>& items = reference.Items;
  ASSERT_EQ(store.Count(), static_cast<int>(items.size()));
  ASSERT_EQ(store.Capacity(), reference.Capacity);
  detail::TSeriesCursor cursor(store, 0);
  for (std::size_t i = 0; i < items.size(); ++i, cursor.Next()) {
    ASSERT_EQ(Bits(store[i]), Bits(items[i])) << "item " << i;
    ASSERT_FALSE(cursor.AtEnd());
    ASSERT_EQ(cursor.Index(), i);
    ASSERT_EQ(Bits(cursor.Item()), Bits(items[i])) << "cursor at " << i;
    ASSERT_EQ(std::bit_cast<std::uint64_t>(cursor.X()), std::bit_cast<std::uint64_t>(items[i].X1));
    ASSERT_EQ(cursor.Kind(), items[i].Kind);
  }
  EXPECT_TRUE(cursor.AtEnd());
  EXPECT_EQ(Bits(store[items.size()]), Bits(TgfChartItem{}));

  const TBlockSummaries& blocks = store.Blocks();
  const std::size_t base = blocks.Base();
  ASSERT_EQ(blocks.End() - base, items.size());
  for (int level = 0; level < TBlockSummaries::kLevels; ++level) {
    const std::size_t size = TBlockSummaries::BlockItems(level);
    ASSERT_EQ(blocks.EndBlock(level), blocks.End() / size);
    ASSERT_LE(blocks.FirstBlock(level), (base + size - 1) / size);
    for (std::size_t b = (base + size - 1) / size; b < blocks.EndBlock(level); ++b) {
      ASSERT_EQ(blocks.Block(level, b), ExpectedBox(items, b * size - base, size)) << level << " " << b;
    }
  }
  if (items.empty()) return;
  std::uniform_int_distribution<std::size_t> position(0, items.size());
  std::size_t first = position(rng), last = position(rng);
  if (first > last) std::swap(first, last);
  // Coordinates read in one go (both, or y alone), across chunks and records, are the records' own.
  {
    std::vector<double> xs(last - first), ys(last - first);
    detail::TSeriesCursor reader(store, first);
    reader.ReadCoordinates(last - first, xs.data(), ys.data());
    for (std::size_t i = first; i < last; ++i) {
      ASSERT_EQ(std::bit_cast<std::uint64_t>(xs[i - first]), std::bit_cast<std::uint64_t>(items[i].X1)) << i;
      ASSERT_EQ(std::bit_cast<std::uint64_t>(ys[i - first]), std::bit_cast<std::uint64_t>(items[i].Y1)) << i;
    }
    EXPECT_EQ(reader.Index(), last);
    std::vector<double> yAlone(last - first);
    detail::TSeriesCursor yReader(store, first);
    yReader.ReadY(last - first, yAlone.data());
    for (std::size_t i = first; i < last; ++i)
      ASSERT_EQ(std::bit_cast<std::uint64_t>(yAlone[i - first]), std::bit_cast<std::uint64_t>(items[i].Y1))
          << i;
    EXPECT_EQ(yReader.Index(), last);
    // ... and 16 at a time, as the renderers read blocks: both, and y in place where it can be (up
    // to a chunk's end).
    detail::TSeriesCursor blockReader(store, first), yStretches(store, first);
    std::array<double, 16> bx, by, scratch;
    for (std::size_t i = first; i < last;) {
      const std::span<const double> y = yStretches.YStretch(std::min<std::size_t>(16, last - i), scratch.data());
      ASSERT_FALSE(y.empty());
      blockReader.ReadCoordinates(y.size(), bx.data(), by.data());
      for (std::size_t k = 0; k < y.size(); ++k) {
        const TgfChartItem& item = items[i + k];
        ASSERT_EQ(std::bit_cast<std::uint64_t>(bx[k]), std::bit_cast<std::uint64_t>(item.X1)) << i + k;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(by[k]), std::bit_cast<std::uint64_t>(item.Y1)) << i + k;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(y[k]), std::bit_cast<std::uint64_t>(item.Y1)) << i + k;
      }
      i += y.size();
    }
  }
  // Walks take the uniform blocks whole and pass the others item by item; an item comes on its own
  // only when no level-0 block holding it fits the range, or that block was offered and split.
  for (const bool forward : {true, false}) {
    std::size_t next = forward ? first : last, passed = 0, split = ~std::size_t{0};
    const auto block = [&](int level, std::size_t number, std::size_t start) {
      const std::size_t size = TBlockSummaries::BlockItems(level);
      EXPECT_EQ(start + base, number * size);
      EXPECT_EQ(forward ? start : start + size, next);
      EXPECT_TRUE(start >= first && start + size <= last);
      if (!blocks.Block(level, number).Uniform()) {
        if (level == 0) split = start;
        return detail::bsSplit;
      }
      next = forward ? start + size : start;
      passed += size;
      return detail::bsTake;
    };
    const auto item = [&](std::size_t i) {
      EXPECT_EQ(i, forward ? next : next - 1);
      const std::size_t leaf = (i + base) / 16 * 16;  // where i's level-0 block starts
      if ((i + base) % 16 == (forward ? 0 : 15) && leaf >= base + first && leaf + 16 <= base + last) {
        EXPECT_EQ(split, leaf - base);
      }
      next = forward ? i + 1 : i;
      ++passed;
      return true;
    };
    const std::size_t end = forward ? blocks.WalkForward(first, last, block, item)
                                    : blocks.WalkBackward(first, last, block, item);
    EXPECT_EQ(end, forward ? last : first);
    EXPECT_EQ(passed, last - first);
  }
}

// Random coordinates, with now and then a NaN (payloads too), an infinity, -0.0 or a tiny one.
double Coordinate(std::mt19937_64& rng) {
  switch (std::uniform_int_distribution<int>(0, 40)(rng)) {
    case 0:
      return std::numeric_limits<double>::quiet_NaN();
    case 1:
      return std::bit_cast<double>(std::uint64_t{0x7FF0'0000'0000'0ABC});  // a signalling NaN
    case 2:
      return -std::numeric_limits<double>::infinity();
    case 3:
      return -0.0;
    case 4:
      return std::numeric_limits<double>::denorm_min();
    default:
      return std::uniform_real_distribution<double>(-1e3, 1e3)(rng);
  }
}

// A pen the chart can hold, from a small pool so that runs both continue and change; half of the
// time the last one with another fill colour or mark type, which a run takes when it has no
// line-to (or mark) yet.
TPointPen RandomPen(std::mt19937_64& rng, const TPointPen& last) {
  std::uniform_int_distribution<int> pick(0, 2);
  TPointPen pen = last;
  pen.FillColor = pick(rng) == 0 ? 0xC0C0C0 : 0x123456;
  pen.MarkType = pick(rng) * 3;
  if (pick(rng) != 0) return pen;
  pen.Color = static_cast<TColor>(pick(rng) * 0x40);
  pen.LineWidth = pick(rng) == 0 ? 2 : 1;
  pen.Layer = 1 + pick(rng) / 2;
  pen.Attr = pick(rng) == 0 ? 7 : 0;
  pen.PenStyle = pick(rng) == 0 ? psDash : psSolid;
  pen.ItemClass = static_cast<std::uint8_t>(pick(rng) == 0 ? 9 : 0);
  pen.CoordMode = static_cast<std::uint8_t>(pick(rng) == 0 ? pick(rng) * 2 : 0);
  return pen;
}

class SeriesStoreTest : public ChartTest {
 protected:
  // The record the chart's append operation of that kind makes with that pen: in the annotation
  // list when the pen's CoordMode is not 0 (it is the mode byte there), else in the data list.
  TgfChartItem ChartRecord(TgfItemKind kind, const TPointPen& pen, double x, double y) {
    m_chart.SetDataColor(pen.Color);
    m_chart.SetFillColor(pen.FillColor);
    m_chart.SetPenStyle(pen.PenStyle);
    m_chart.SetLineWidth(static_cast<std::uint8_t>(pen.LineWidth));
    m_chart.SetClassDefault(pen.ItemClass);
    m_chart.SetCurrentLayer(pen.Layer);
    m_chart.SetItemAttribute(pen.Attr);
    const bool annotation = pen.CoordMode != 0;
    m_chart.SetAnnotationMode(annotation);
    if (kind == ikMoveTo) m_chart.AppendMoveTo(pen.CoordMode, x, y);
    if (kind == ikLineTo) m_chart.AppendLineTo(pen.CoordMode, x, y);
    if (kind == ikMark) m_chart.AppendMark(static_cast<std::uint8_t>(pen.MarkType), x, y);
    return annotation ? m_chart.AnnotationItems()[static_cast<std::size_t>(m_chart.AnnotationCount() - 1)]
                      : m_chart.DataItems()[static_cast<std::size_t>(m_chart.DataCount() - 1)];
  }

  // A record of any kind, now and then with a field set that a point never has, or a point
  // record with such a field.
  TgfChartItem OddRecord(std::mt19937_64& rng) {
    std::uniform_int_distribution<int> pick(0, 12);
    const TgfItemKind kinds[] = {ikLineTo, ikMoveTo, ikMark, ikText, ikLine, ikErrorBars, TgfItemKind{0},
                                 TgfItemKind{11}};
    const TgfItemKind kind = kinds[static_cast<std::size_t>(pick(rng)) % std::size(kinds)];
    TgfChartItem item = kind == ikLineTo || kind == ikMoveTo || kind == ikMark
                            ? ChartRecord(kind, RandomPen(rng, {}), Coordinate(rng), Coordinate(rng))
                            : TgfChartItem{};
    item.Kind = kind;
    switch (pick(rng)) {
      case 0:
        item.X2 = -0.0;
        break;
      case 1:
        item.ShortText.Assign("abc");
        break;
      case 2:
        item.ShortText.Chars[16] = 'z';  // invisible to the text, not to the record
        break;
      case 3:
        item.Param1 = 4;
        break;
      case 4:
        item.FillColor = 0xFF;
        break;
      case 5:
        item.Param3 = 2;
        break;
      case 6:
        item.Layer = pick(rng) == 0 ? 0 : 17;
        break;
      case 7:
        item.FrameColor2 = 1;
        break;
      default:
        break;
    }
    return item;
  }

  TTestGrafon m_chart;
};

TEST_F(SeriesStoreTest, ShowsWhatTheChartsOwnAppendsStoreThroughAppendsAndRemovals) {
  std::mt19937_64 rng(14);
  TSeriesStore store;
  TReference reference;
  std::uniform_int_distribution<int> operation(0, 9);
  const TgfItemKind pointKinds[] = {ikLineTo, ikLineTo, ikLineTo, ikMoveTo, ikMark};
  std::uniform_int_distribution<std::size_t> anyKind(0, std::size(pointKinds) - 1);
  TPointPen pen;
  for (int step = 0; step < 400; ++step) {
    const int allocSize = std::array{1, 3, 1000}[step % 3];
    pen = RandomPen(rng, pen);
    switch (operation(rng)) {
      case 0:
      case 1:
      case 2: {  // points one by one, a few kinds with one pen
        const int n = std::uniform_int_distribution<int>(1, 300)(rng);
        for (int i = 0; i < n; ++i) {
          const TgfItemKind kind = pointKinds[anyKind(rng)];
          const double x = Coordinate(rng), y = Coordinate(rng);
          TPointPen markPen = pen;
          markPen.CoordMode = 0;  // marks are in world units in either list
          store.AppendPoint(kind, kind == ikMark ? markPen : pen, x, y, allocSize);
          reference.Append(ChartRecord(kind, pen, x, y), allocSize);
        }
        break;
      }
      case 3: {  // any records, a few of them points
        for (int i = std::uniform_int_distribution<int>(1, 20)(rng); i > 0; --i) {
          const TgfChartItem item = OddRecord(rng);
          store.Append(item, allocSize);
          reference.Append(item, allocSize);
        }
        break;
      }
      case 4:
      case 5:
      case 6: {  // a series in one call, evenly spaced or not, finite or not; now and then long
                 // enough for blocks of 65536
        const bool huge = step % 97 == 13;
        const std::size_t n = huge ? 140000 : std::uniform_int_distribution<std::size_t>(0, 5000)(rng);
        const TgfItemKind first = huge ? ikMoveTo : pointKinds[anyKind(rng)];
        const TgfItemKind kind = huge ? (step % 2 == 0 ? ikMark : ikLineTo) : pointKinds[anyKind(rng)];
        if (first == ikMark || kind == ikMark) pen.CoordMode = 0;
        const bool evenX = step % 2 == 0, finite = huge || step % 3 != 0;
        std::uniform_real_distribution<double> value(-1e3, 1e3);
        const auto coordinate = [&] { return finite ? value(rng) : Coordinate(rng); };
        const double x0 = coordinate(), dx = 0.25;
        std::vector<double> xs(n), ys(n);
        for (std::size_t i = 0; i < n; ++i) {
          xs[i] = evenX ? x0 + static_cast<double>(i) * dx : coordinate();
          ys[i] = coordinate();
          reference.Append(ChartRecord(i == 0 ? first : kind, pen, xs[i], ys[i]), allocSize);
        }
        if (evenX) {
          store.AppendPoints(first, kind, pen, x0, dx, ys, allocSize);
        } else {
          store.AppendPoints(first, kind, pen, xs, ys, allocSize);
        }
        break;
      }
      case 7:
      case 8: {  // the oldest items, sometimes more than there are
        const auto count = static_cast<std::size_t>(store.Count());
        const std::size_t n = std::uniform_int_distribution<std::size_t>(0, count + count / 8)(rng);
        store.RemoveOldest(n);
        reference.RemoveOldest(n);
        break;
      }
      default:
        if (step % 7 == 0) {
          store.Clear();
          reference = {};
        } else {  // a copy as Assign makes it, which goes on as the original does
          TSeriesStore copy;
          copy.CopyFrom(store, allocSize);
          store = std::move(copy);
          reference.Capacity = allocSize * (static_cast<int>(reference.Items.size()) / allocSize + 1);
        }
        break;
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSame(store, reference, rng)) << "step " << step;
  }
  // What is removed is given back: a few items hold a few chunks and blocks, not the history.
  store.RemoveOldest(static_cast<std::size_t>(std::max(store.Count() - 100, 0)));
  EXPECT_LT(store.AllocatedBytes(), 3 * TSeriesStore::kChunkItems * 17 + 100 * sizeof(TgfChartItem));
}

// A live series appended point after point with one pen: every block equals the documented box,
// whatever breaks it (a NaN, an infinity, a zero of either sign) and wherever in the block, with the
// appending started at a block's start or within a block of another pen.
TEST_F(SeriesStoreTest, SummarisesASeriesAppendedPointByPoint) {
  std::mt19937_64 rng(16);
  const TPointPen pen{.Color = 3, .FillColor = 0xC0C0C0, .LineWidth = 1, .Layer = 1};
  TPointPen other = pen;
  other.Color = 4;
  for (const int lead : {0, 5, 16}) {  // points of the other pen before
    TSeriesStore store;
    TReference reference;
    for (int i = 0; i < 16 * 70; ++i) {
      const TPointPen& p = i < lead ? other : pen;
      const bool odd = std::uniform_int_distribution<int>(0, 15)(rng) == 0;
      const double x = i, y = odd ? Coordinate(rng) : std::sin(i);
      store.AppendPoint(ikLineTo, p, x, y, 1000);
      reference.Append(ChartRecord(ikLineTo, p, x, y), 1000);
    }
    ASSERT_NO_FATAL_FAILURE(ExpectSame(store, reference, rng)) << lead;
  }
}

// A column of blocks copied or moved keeps its boxes in order across nodes, after drops from the
// front; a column moved from is empty and takes new boxes.
TEST_F(SeriesStoreTest, BoxColumnsCopyAndMoveWhole) {
  const auto box = [](int i) { return TSummaryBox{double(i), double(i), 0, 0, {.Kind = ikLineTo}}; };
  detail::TBoxColumn column;
  for (int i = 0; i < 200; ++i) column.push_back(box(i));
  for (int i = 0; i < 70; ++i) column.pop_front();
  const detail::TBoxColumn copy(column);
  detail::TBoxColumn moved(std::move(column));
  detail::TBoxColumn assigned;
  assigned = std::move(moved);
  for (const detail::TBoxColumn* c : std::array<const detail::TBoxColumn*, 2>{&copy, &assigned}) {
    ASSERT_EQ(c->size(), 130u);
    for (std::size_t i = 0; i < c->size(); ++i) EXPECT_EQ((*c)[i], box(int(i) + 70)) << i;
  }
  EXPECT_TRUE(column.empty());  // NOLINT(bugprone-use-after-move): moved-from state is defined
  EXPECT_TRUE(moved.empty());   // NOLINT(bugprone-use-after-move)
  column.push_back(box(1));
  EXPECT_EQ(column.size(), 1u);
  EXPECT_EQ(column[0], box(1));
}

// Pushes, pops from the back (as an append taken back does) and from the front, in any order and
// across the nodes of 64 boxes, keep the boxes a plain deque keeps; so does a copy taken meanwhile.
TEST_F(SeriesStoreTest, BoxColumnsKeepTheirBoxesThroughPushesAndPops) {
  const auto box = [](int i) { return TSummaryBox{double(i), double(i), 0, 0, {.Kind = ikLineTo}}; };
  const auto expectSame = [](const detail::TBoxColumn& column, const std::deque<TSummaryBox>& boxes) {
    ASSERT_EQ(column.size(), boxes.size());
    for (std::size_t i = 0; i < boxes.size(); ++i) ASSERT_EQ(column[i], boxes[i]) << i;
  };
  std::mt19937_64 rng(17);
  detail::TBoxColumn column;
  std::deque<TSummaryBox> boxes;
  int next = 0;
  for (int step = 0; step < 3000; ++step) {
    const int operation = std::uniform_int_distribution<int>(0, 9)(rng);
    if (operation < 6 || boxes.empty()) {
      column.push_back(box(next));
      boxes.push_back(box(next++));
    } else if (operation < 8) {
      column.pop_back();
      boxes.pop_back();
    } else {
      column.pop_front();
      boxes.pop_front();
    }
    ASSERT_NO_FATAL_FAILURE(expectSame(column, boxes)) << step;
    if (step % 50 == 0) {
      detail::TBoxColumn copy(column);
      copy.push_back(box(-1));
      boxes.push_back(box(-1));
      ASSERT_NO_FATAL_FAILURE(expectSame(copy, boxes)) << "copy at " << step;
      boxes.pop_back();
    }
  }
}

// A level-0 block's box, made from its 16 points in lanes, is the documented box whatever special
// value lies at whichever of the 16 places, in x or in y, appended in bulk or point by point.
TEST_F(SeriesStoreTest, BlockBoxesSeeEverySpecialValueAtEveryPlace) {
  const TPointPen pen{.Color = 5, .FillColor = 0xC0C0C0, .LineWidth = 1, .Layer = 1};
  constexpr double kLargest = std::numeric_limits<double>::max();
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const double specials[] = {std::numeric_limits<double>::quiet_NaN(), kInfinity, -kInfinity, kLargest,
                             -kLargest, -0.0};
  for (const double special : specials) {
    for (std::size_t place = 0; place < 32; ++place) {
      for (const bool bulk : {true, false}) {
        // Block 1 (points 16..31) is the one made from its points in both ways; the least and
        // greatest values lie in different lanes.
        std::vector<double> xs(32), ys(32);
        for (std::size_t i = 0; i < 32; ++i) {
          xs[i] = static_cast<double>(i % 16) - 8;
          ys[i] = static_cast<double>(i * 7 % 16) - 5;
        }
        (place < 16 ? xs[16 + place] : ys[place]) = special;
        TSeriesStore store;
        std::vector<TgfChartItem> items;
        for (std::size_t i = 0; i < 32; ++i) {
          items.push_back(ChartRecord(ikLineTo, pen, xs[i], ys[i]));
          if (!bulk) store.AppendPoint(ikLineTo, pen, xs[i], ys[i], 1000);
        }
        if (bulk) store.AppendPoints(ikLineTo, ikLineTo, pen, xs, ys, 1000);
        ASSERT_EQ(store.Blocks().Block(0, 1), ExpectedBox(items, 16, 16)) << special << " " << place << " " << bulk;
        // A bulk append copies the values as it summarises them: bit for bit.
        for (std::size_t i = 0; i < 32; ++i) ASSERT_EQ(Bits(store[i]), Bits(items[i])) << special << " " << place;
      }
    }
  }
}

// The items of a store as the reference keeps them.
TReference ViewOf(const TSeriesStore& store) {
  TReference view{{}, store.Capacity()};
  for (int i = 0; i < store.Count(); ++i) view.Items.push_back(store[static_cast<std::size_t>(i)]);
  return view;
}

// Whatever allocation fails, an append leaves the store as it was, down to the blocks it has not
// completed yet; and the same append then succeeds with the same result as without the failure.
TEST_F(SeriesStoreTest, AppendsAreAllOrNothingWhenMemoryRunsOut) {
  const TPointPen pen{.Color = 5, .FillColor = 0xC0C0C0, .LineWidth = 1, .Layer = 1};
  TPointPen other = pen;
  other.Color = 6;
  const std::vector<double> ys(10000, 2.0), probeYs(4200, 3.0);
  TgfChartItem text;
  text.Kind = ikText;
  text.Layer = 1;
  // Appends at the boundaries where storage grows: the first item, the first chunk's growth, a
  // level-0 block completed, a new run, a record completing level-0 to level-2 blocks and a chunk, a
  // long series (evenly spaced, and from x values), a copy.
  std::vector<std::pair<int, std::function<void(TSeriesStore&)>>> cases = {
      {0, [&](TSeriesStore& s) { s.AppendPoint(ikLineTo, pen, 1e6, -1e6, 1000); }},
      {16, [&](TSeriesStore& s) { s.AppendPoint(ikLineTo, pen, 1e6, -1e6, 1000); }},
      {15, [&](TSeriesStore& s) { s.AppendPoint(ikMark, pen, 1e6, -1e6, 1); }},
      {300, [&](TSeriesStore& s) { s.AppendPoint(ikLineTo, other, 1e6, -1e6, 1000); }},
      {4095, [&](TSeriesStore& s) { s.Append(text, 1000); }},
      {16, [&](TSeriesStore& s) { s.AppendPoints(ikMoveTo, ikLineTo, other, 0, 1, ys, 7); }},
      {9, [&](TSeriesStore& s) { s.AppendPoints(ikMoveTo, ikLineTo, other, probeYs, probeYs, 7); }},
      {5, [&](TSeriesStore& s) { s.CopyFrom(TSeriesStore(s), 10); }},
  };
  // Every level-1 block completed by one item, wherever its level needs room.
  for (int before = 255; before < 8192; before += 256) {
    cases.emplace_back(before, [&](TSeriesStore& s) { s.AppendPoint(ikLineTo, pen, 1e6, -1e6, 1); });
  }
  int failures = 0;
  for (const auto& [before, append] : cases) {
    TSeriesStore store;
    store.AppendPoints(ikMoveTo, ikLineTo, pen, 0, 1, std::span(ys).first(static_cast<std::size_t>(before)), 1000);
    TSeriesStore expected = store;
    append(expected);
    for (long fail = 0;; ++fail) {
      const TSeriesStore unchanged = store;
      const std::size_t bytes = store.AllocatedBytes();
      FailAllocationAfter(fail);
      try {
        append(store);
      } catch (const std::bad_alloc&) {
        FailAllocationAfter(-1);
        ++failures;
        ASSERT_EQ(store.AllocatedBytes(), bytes);
        TSeriesStore probe = store, probeUnchanged = unchanged;
        for (TSeriesStore* s : {&probe, &probeUnchanged}) s->AppendPoints(ikLineTo, ikLineTo, pen, -1, -1, probeYs, 7);
        std::mt19937_64 rng(static_cast<std::uint64_t>(fail));
        ASSERT_NO_FATAL_FAILURE(ExpectSame(probe, ViewOf(probeUnchanged), rng)) << before << " items, allocation " << fail;
        continue;
      }
      FailAllocationAfter(-1);
      break;
    }
    std::mt19937_64 rng(1);
    ASSERT_NO_FATAL_FAILURE(ExpectSame(store, ViewOf(expected), rng)) << before;
  }
  EXPECT_GT(failures, 50);  // the long series alone allocates a hundred times
}

// Points appended one by one are summarised a block at a time as its 16th comes: a 16th whose
// summaries cannot grow leaves the store as it was and goes in when retried, and a store copied,
// moved or given a record while a block is half full keeps that half in its summaries.
TEST_F(SeriesStoreTest, PointsAppendedOneByOneKeepTheirBlocksThroughFailuresAndCopies) {
  const TPointPen pen{.Color = 5, .FillColor = 0xC0C0C0, .LineWidth = 1, .Layer = 1};
  TgfChartItem text;
  text.Kind = ikText;
  text.Layer = 1;
  // What happens to the store after point `at` (counted from 0) of 1100.
  const std::vector<std::pair<int, std::function<void(TSeriesStore&, TReference&)>>> cases = {
      {254, [](TSeriesStore& s, TReference&) { s = TSeriesStore(s); }},  // a copy, half through a block
      {1000, [](TSeriesStore& s, TReference&) { TSeriesStore moved(std::move(s)); s = moved; }},
      {500, [&](TSeriesStore& s, TReference& r) {  // a mark: the lane turns to another kind
         s.AppendPoint(ikMark, pen, 0.5, 0.5, 1000);
         r.Append(ChartRecord(ikMark, pen, 0.5, 0.5), 1000);
       }},
      {1050, [&](TSeriesStore& s, TReference& r) { s.Append(text, 1000); r.Append(text, 1000); }},
  };
  for (const auto& [at, change] : cases) {
    TSeriesStore store;
    TReference reference;
    for (int i = 0; i < 1100; ++i) {
      const double x = i, y = std::sin(i);
      // Completes the first level-1 block, or the 65th level-0 block (a new node): the first
      // allocation fails.
      if (store.Count() == 255 || store.Count() == 1039) {
        const TSeriesStore before = store;
        FailAllocationAfter(0);
        EXPECT_THROW(store.AppendPoint(ikLineTo, pen, x, y, 1000), std::bad_alloc) << i;
        FailAllocationAfter(-1);
        std::mt19937_64 rng(static_cast<std::uint64_t>(i));
        ASSERT_NO_FATAL_FAILURE(ExpectSame(store, ViewOf(before), rng)) << at << " " << i;
      }
      store.AppendPoint(ikLineTo, pen, x, y, 1000);
      reference.Append(ChartRecord(ikLineTo, pen, x, y), 1000);
      if (i == at) change(store, reference);
    }
    std::mt19937_64 rng(static_cast<std::uint64_t>(at));
    ASSERT_NO_FATAL_FAILURE(ExpectSame(store, reference, rng)) << at;
  }
}

// Refused appends name the problem and append nothing.
TEST_F(SeriesStoreTest, RefusesBadArgumentsAndAppendsNothing) {
  const TPointPen pen{.Layer = 1};
  const std::vector<double> three{1, 2, 3}, two{1, 2}, eleven(11, 1.0);
  TgfChartItem rect;
  rect.Kind = ikRect;
  struct TCase {
    const char* name;
    std::function<void(TSeriesStore&)> append;
    std::string message;  // part of the error's text
    bool limit;           // an ENoxGrafonError, else a std::invalid_argument
  };
  const TCase cases[] = {
      {"spans of different lengths", [&](TSeriesStore& s) { s.AppendPoints(ikMoveTo, ikLineTo, pen, three, two, 1); },
       "3 x values and 2 y values", false},
      {"not a point kind", [&](TSeriesStore& s) { s.AppendPoint(ikLine, pen, 1, 2, 1); }, "kind 2", false},
      {"not a point kind in a series", [&](TSeriesStore& s) { s.AppendPoints(ikMoveTo, ikText, pen, 0, 1, two, 1); },
       "kind 7", false},
      {"past the largest capacity", [&](TSeriesStore& s) { s.AppendPoint(ikLineTo, pen, 1, 2, 20); },
       "more than 50 items", true},
      {"a series past it", [&](TSeriesStore& s) { s.AppendPoints(ikLineTo, ikLineTo, pen, 0, 1, eleven, 1); },
       "more than 50 items", true},
      {"a record past it", [&](TSeriesStore& s) { s.Append(rect, 20); },
       "more than 50 items", true},
      {"a copy past it", [&](TSeriesStore& s) { s.CopyFrom(TSeriesStore(s), 1000); }, "more than 50 items", true},
  };
  for (const TCase& c : cases) {
    TSeriesStore store(50);  // capacities 20, 40; the next step would pass 50
    store.AppendPoints(ikMoveTo, ikLineTo, pen, 0, 1, std::vector<double>(40, 1.0), 20);
    const TSeriesStore before = store;
    try {
      c.append(store);
      ADD_FAILURE() << c.name << ": accepted";
    } catch (const std::exception& e) {
      EXPECT_EQ(dynamic_cast<const ENoxGrafonError*>(&e) != nullptr, c.limit) << c.name;
      EXPECT_EQ(dynamic_cast<const std::invalid_argument*>(&e) != nullptr, !c.limit) << c.name;
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.name << ": " << e.what();
    }
    EXPECT_EQ(store.Count(), 40) << c.name;
    EXPECT_EQ(store.Capacity(), 40) << c.name;
    EXPECT_EQ(store.AllocatedBytes(), before.AllocatedBytes()) << c.name;
  }
}

}  // namespace
}  // namespace nox::test
