// The chunked record array behind the item lists: lengths, zero records, stable records, copies and
// the memory it holds.

#include "chart/model/item_container.h"

#include <gtest/gtest.h>

#include <vector>

namespace nox::test {
namespace {

constexpr std::size_t kChunk = TGfItemContainer::kChunkItems;

TgfChartItem Numbered(std::size_t i) {
  TgfChartItem item;
  item.X1 = static_cast<double>(i);
  item.Kind = ikLineTo;
  return item;
}

// Growing keeps every record written, gives zero records beyond, and never moves the records of a
// full chunk (the first chunk may move while it grows to a whole chunk).
TEST(ItemContainer, GrowingKeepsRecordsAndAddsZeroOnes) {
  TGfItemContainer items;
  std::vector<bool> written;
  std::vector<const TgfChartItem*> fullChunks;
  for (const std::size_t length : {std::size_t{1}, std::size_t{17}, std::size_t{1000}, kChunk - 1, kChunk,
                                   kChunk + 1, 3 * kChunk + 5, 10 * kChunk}) {
    items.GrowTo(length);
    ASSERT_EQ(items.size(), length);
    written.resize(length, false);
    for (std::size_t i = 0; i < length; ++i) {
      ASSERT_EQ(items[i], written[i] ? Numbered(i) : TgfChartItem{}) << i << " of " << length;
    }
    for (std::size_t c = 0; c < fullChunks.size(); ++c) EXPECT_EQ(&items[c * kChunk], fullChunks[c]);
    for (std::size_t i = length / 2; i < length; i += 3) {
      items[i] = Numbered(i);
      written[i] = true;
    }
    fullChunks.clear();
    for (std::size_t c = 0; (c + 1) * kChunk <= length; ++c) fullChunks.push_back(&items[c * kChunk]);
  }
  items.GrowTo(5);  // never shrinks
  EXPECT_EQ(items.size(), 10 * kChunk);
  items.clear();
  EXPECT_TRUE(items.empty());
  EXPECT_EQ(items.AllocatedBytes(), 0u);
}

TEST(ItemContainer, CopiesAreDeep) {
  TGfItemContainer items;
  items.GrowTo(2 * kChunk + 10);
  for (std::size_t i = 0; i < items.size(); i += 7) items[i] = Numbered(i);
  TGfItemContainer copy(items);
  EXPECT_TRUE(copy == items);
  copy[kChunk + 3].X1 = -1;
  EXPECT_FALSE(copy == items);
  EXPECT_EQ(items[kChunk + 3].X1, 0);
  TGfItemContainer moved(std::move(copy));
  EXPECT_EQ(moved[kChunk + 3].X1, -1);
  EXPECT_TRUE(copy.empty());  // NOLINT(bugprone-use-after-move): a moved-from container is empty
  copy = items;
  EXPECT_TRUE(copy == items);
}

// A large container holds at most one chunk beyond its length (plus the chunk table); a small one
// at most twice its length, and never less than it.
TEST(ItemContainer, HoldsLittleMoreThanItsLength) {
  for (const std::size_t length : {std::size_t{10}, std::size_t{1000}, kChunk, kChunk + 1, std::size_t{100000},
                                   std::size_t{1000000}}) {
    TGfItemContainer items;
    for (std::size_t n = 1000; n < length; n += 1000) items.GrowTo(n);  // in AllocSize steps
    items.GrowTo(length);
    const std::size_t records = length * sizeof(TgfChartItem);
    EXPECT_GE(items.AllocatedBytes(), records);
    if (length < kChunk) {
      EXPECT_LE(items.AllocatedBytes(), 2 * records + 16 * sizeof(TgfChartItem) + 64) << length;
    } else {
      EXPECT_LE(items.AllocatedBytes(), records + kChunk * sizeof(TgfChartItem) + length / kChunk * 16 + 64)
          << length;
    }
  }
}

}  // namespace
}  // namespace nox::test
