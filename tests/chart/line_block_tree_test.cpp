// The block summaries of an item list, checked against boxes computed item by item, and kept in
// step by clearing and copying the list.

#include "chart/model/line_block_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <random>

#include "chart/model/item_list.h"
#include "tests/support/failing_allocator.h"

namespace nox::test {
namespace {

using detail::TBlockBox;
using detail::TItemList;
using detail::TLineBlockTree;

// A list of mostly plain line-to items, with now and then an item that spoils its block: another
// kind, a NaN, a pixel CoordMode, another colour, width, class or layer.
void Fill(TItemList& list, int count, std::uint64_t seed) {
  std::mt19937_64 rng(seed);
  std::uniform_real_distribution<double> value(-1e3, 1e3);
  std::uniform_int_distribution<int> spoil(0, 4000);
  for (int i = 0; i < count; ++i) {
    TgfChartItem item;
    item.Kind = ikLineTo;
    item.Layer = 1;
    item.LineWidth = 1;
    item.X1 = value(rng);
    item.Y1 = value(rng);
    switch (spoil(rng)) {
      case 0:
        item.Kind = ikMark;
        break;
      case 1:
        item.Y1 = std::numeric_limits<double>::quiet_NaN();
        break;
      case 2:
        item.CoordMode = 1;
        break;
      case 3:
        item.Color = 0xFF;
        break;
      case 4:
        item.LineWidth = 2;
        break;
      case 5:
        item.ItemClass = 3;
        break;
      case 6:
        item.Layer = 2;
        break;
      case 7:
        item.X1 = std::numeric_limits<double>::infinity();
        break;
      case 8:
        item.Layer = 0;
        break;
      default:
        break;
    }
    list.Append(item, 1000);
  }
}

TBlockBox BoxOf(const TGfItemContainer& items, std::size_t first, std::size_t count) {
  const TgfChartItem& lead = items[first];
  TBlockBox box = TBlockBox::Of(lead);
  for (std::size_t i = first; i < first + count; ++i) {
    const TgfChartItem& item = items[i];
    const bool plain = item.Kind == ikLineTo && item.CoordMode == 0 && std::isfinite(item.X1) &&
                       std::isfinite(item.Y1) && item.Layer >= 1 && item.Layer <= 16;
    if (!plain || item.Color != lead.Color || item.LineWidth != lead.LineWidth ||
        item.ItemClass != lead.ItemClass || item.Layer != lead.Layer || item.FillColor != lead.FillColor ||
        item.PenStyle != lead.PenStyle) {
      return {std::numeric_limits<double>::quiet_NaN(), 0, 0, 0};
    }
    box.MinX = std::min(box.MinX, item.X1);
    box.MaxX = std::max(box.MaxX, item.X1);
    box.MinY = std::min(box.MinY, item.Y1);
    box.MaxY = std::max(box.MaxY, item.Y1);
  }
  return box;
}

// Every complete block of every level, and no incomplete one, against the boxes of its items.
TEST(LineBlockTree, BlocksSummariseTheirItems) {
  TItemList list;
  const int count = 70000;  // three full levels, a level-3 block of 65536, and an incomplete tail
  Fill(list, count, 1);
  const TLineBlockTree& tree = list.Blocks();
  int uniform = 0, spoilt = 0;
  for (int level = 0; level < TLineBlockTree::kLevels; ++level) {
    const std::size_t size = TLineBlockTree::BlockItems(level);
    ASSERT_EQ(tree.BlockCount(level), static_cast<std::size_t>(count) / size) << level;
    for (std::size_t b = 0; b < tree.BlockCount(level); ++b) {
      const TBlockBox expected = BoxOf(list.Items(), b * size, size);
      ASSERT_EQ(tree.Block(level, b), expected) << "level " << level << " block " << b;
      ++(expected.Uniform() ? uniform : spoilt);
    }
  }
  // Both kinds of block occur, so the comparison means something.
  EXPECT_GT(uniform, 1000);
  EXPECT_GT(spoilt, 50);
}

// Clearing starts the summaries afresh; a copy (whole or by CopyFrom) carries them along and goes
// on summarising what is appended to it.
TEST(LineBlockTree, ClearingAndCopyingKeepTheListInStep) {
  TItemList list;
  Fill(list, 9000, 2);
  list.Clear();
  Fill(list, 5000, 3);
  TItemList fresh;
  Fill(fresh, 5000, 3);
  EXPECT_TRUE(list.Blocks() == fresh.Blocks());

  TItemList copied;
  Fill(copied, 300, 4);
  copied.CopyFrom(list, 7);
  EXPECT_TRUE(copied.Blocks() == list.Blocks());
  TItemList constructed(list);
  Fill(copied, 4000, 5);
  Fill(constructed, 4000, 5);
  Fill(fresh, 4000, 5);
  EXPECT_TRUE(copied.Blocks() == fresh.Blocks());
  EXPECT_TRUE(constructed.Blocks() == fresh.Blocks());
}

// An append that runs out of memory at any of its allocations (the records, a level of the
// summaries) is refused whole: the list keeps its count and summaries, and appending on gives the
// summaries of a list that never failed.
TEST(LineBlockTree, AnAppendThatRunsOutOfMemoryLeavesTheListAsItWas) {
  TItemList reference;
  Fill(reference, 5000, 6);  // level-0 and level-1 blocks growing, record chunks added
  TItemList list;
  int refused = 0;
  for (int i = 0; i < reference.Count(); ++i) {
    for (int failAt = 1;; ++failAt) {
      const TLineBlockTree before = list.Blocks();
      FailAllocationAfter(failAt - 1);
      try {
        list.Append(reference.Items()[static_cast<std::size_t>(i)], 64);
        FailAllocationAfter(-1);
        break;
      } catch (const std::bad_alloc&) {
        FailAllocationAfter(-1);
        ++refused;
        ASSERT_EQ(list.Count(), i);
        ASSERT_TRUE(list.Blocks() == before) << "item " << i << " allocation " << failAt;
      }
    }
  }
  EXPECT_GT(refused, 10);
  EXPECT_EQ(list.Count(), reference.Count());
  EXPECT_TRUE(list.Blocks() == reference.Blocks());
  for (int i = 0; i < list.Count(); ++i) {
    const auto at = static_cast<std::size_t>(i);
    ASSERT_EQ(list.Items()[at].X1, reference.Items()[at].X1) << i;
  }
}

}  // namespace
}  // namespace nox::test
