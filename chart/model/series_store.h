#pragma once
// TSeriesStore: the storage of one item list (the data list or the annotation list), items
// 0 .. Count() - 1, kept compact; the record view the chart hands out; and the block summaries the
// fast renderers walk (block_summaries.h).
//
// Layout. Items have absolute positions that only grow: removing the oldest items raises the first
// position and renumbers nothing. Every item has a slot in three columns - x and y as doubles and a
// one-byte tag - held in chunks of 4096 slots (68 KiB); a list's first chunk starts at 16 slots and
// doubles, so a small list stays small. A plain point, that is a line-to, move-to or mark item
// whose record holds nothing but its coordinates and the pen the append operations copy into it,
// keeps only its slot: X1 and Y1 in the columns, its kind in the tag, and its pen in the run it
// belongs to. A run is a range of positions whose points share Color, PenStyle, LineWidth, Layer,
// ItemClass, Attr and CoordMode, and, among its line-tos, FillColor, among its marks, the mark
// type (Param3); it is one entry of 120 bytes however long. Every other item - another kind, any other
// field set, a move-to or mark with a FillColor, a line-to with a Param3 - keeps its full record
// in a side table; its tag says so, and its x slot holds the record's number. Points with the same
// pen on both sides of such a record stay in one run.
//
// Bytes a point of a long series of plain line-tos: 16 (x, y) + 1 (tag) + 3.5 (a 56-byte level-0
// summary per 16 points) + 0.23 (the levels above) + 0.1 (the allocator's overhead), about 21.
//
// The record view. operator[](i) gives the record exactly as the chart's append operations filled
// it, field for field (a line-to takes FillColor, a move-to and a mark hold 0 there; a mark holds
// its type in Param3; every other field not named by the pen is 0). Capacity() is the length of the
// array the chart's API shows: it grows in the chart's AllocSize steps as items are appended, never
// shrinks but by Clear(), and costs nothing (entries from Count() on read as zero records). A
// cursor (TSeriesCursor) reads the items front to back without a search per item.
//
// Appends are all-or-nothing: when memory runs out (std::bad_alloc), when the capacity would pass
// the largest one allowed (ENoxGrafonError), or on bad arguments (std::invalid_argument), the store
// and its summaries are exactly as before the call. RemoveOldest takes time in proportion to what
// it removes and returns the chunks and summaries that fall wholly before the new first item.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <limits>
#include <memory>
#include <span>
#include <type_traits>

#include "chart/model/block_summaries.h"
#include "chart/model/chart_item.h"

namespace nox::detail {

// The attributes the chart's pen gives a point it appends (and a run shares).
struct TPointPen {
  TColor Color = 0;              // DataColor
  TColor FillColor = 0;          // FillColor; only line-to items take it, the others hold 0
  std::int32_t LineWidth = 0;    // LineWidth
  std::int32_t Layer = 0;        // the current layer
  std::int32_t Attr = 0;         // the current item attribute
  std::int32_t MarkType = 0;     // Param3 of mark items; the others hold 0
  TPenStyle PenStyle = psSolid;  // PenStyle
  std::uint8_t ItemClass = 0;    // ClassDefault
  std::uint8_t CoordMode = 0;    // 0 in the data list and for marks; else the mode byte
  std::uint8_t Unused = 0;       // fills the last word, so that pens compare as their bytes
  // Compared on every point appended: as bytes, without a branch per field.
  friend bool operator==(const TPointPen& a, const TPointPen& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
};
static_assert(std::has_unique_object_representations_v<TPointPen>, "pens compare as their bytes");

// A number for AppendPoint's penSerial that no call has returned before (never 0).
std::uint64_t NewPenSerial();

class TSeriesCursor;

class TSeriesStore {
 public:
  static constexpr int kChunkShift = 12;
  static constexpr std::size_t kChunkItems = std::size_t{1} << kChunkShift;

  TSeriesStore();
  // maxCapacity: the largest capacity the view may reach (by default the largest int).
  explicit TSeriesStore(int maxCapacity);
  TSeriesStore(const TSeriesStore& other);
  TSeriesStore& operator=(const TSeriesStore& other);
  TSeriesStore(TSeriesStore&& other) noexcept;
  TSeriesStore& operator=(TSeriesStore&& other) noexcept;
  ~TSeriesStore();

  // the record view
  int Count() const;
  int Capacity() const { return m_capacity; }
  // The view's length, as an array of records: the capacity.
  std::size_t size() const { return static_cast<std::size_t>(m_capacity); }
  bool empty() const { return m_capacity == 0; }
  // Item i as its record; a zero record from Count() on.
  TgfChartItem operator[](std::size_t i) const;
  // A number that every change of the store alters; cursors of an older number are not valid.
  std::uint64_t Changes() const { return m_changes; }
  // The summaries of items 0 .. Count() - 1 (walk positions are item indices).
  const TBlockSummaries& Blocks() const;

  // appends; allocSize: the capacity step (values below 1 count as 1)
  // Any record; plain points go to the columns.
  void Append(const TgfChartItem& item, int allocSize);
  // The record the chart's append operations make of a point of kind ikLineTo, ikMoveTo or ikMark
  // (std::invalid_argument for any other kind) drawn with `pen` at x, y: it takes the pen's
  // FillColor only if a line-to, its MarkType only if a mark. penSerial, when not 0, names the pen's
  // bytes: every call that passes the same number passes an equal pen (NewPenSerial gives numbers
  // never given before), so that point after point with one pen is not compared byte for byte.
  void AppendPoint(TgfItemKind kind, const TPointPen& pen, double x, double y, int allocSize,
                   std::uint64_t penSerial = 0) {
    if (m_lane.Takes(kind, pen, penSerial)) {
      m_lane.Append(x, y);
      ++m_changes;
      return;
    }
    AppendPointSlowly(kind, pen, x, y, allocSize, penSerial);
  }
  // Points x[i], y[i], the first of kind firstKind (ikMoveTo starts a new line), the others of
  // `kind`. Spans of different lengths: std::invalid_argument, nothing appended.
  void AppendPoints(TgfItemKind firstKind, TgfItemKind kind, const TPointPen& pen, std::span<const double> x,
                    std::span<const double> y, int allocSize);
  // The same with x[i] = x0 + i * dx.
  void AppendPoints(TgfItemKind firstKind, TgfItemKind kind, const TPointPen& pen, double x0, double dx,
                    std::span<const double> y, int allocSize);

  // removal
  // Removes items 0 .. n - 1 (all of them when n >= Count()); the rest move to the front. The
  // capacity stays.
  void RemoveOldest(std::size_t n) noexcept;
  // Empty, capacity 0, all storage freed.
  void Clear() noexcept;
  // Takes over source's items with the capacity allocSize * (count / allocSize + 1) (Assign).
  void CopyFrom(const TSeriesStore& source, int allocSize);

  // Bytes held for the items and their summaries (without the allocator's overhead).
  std::size_t AllocatedBytes() const;

 private:
  friend class TSeriesCursor;

  // What a slot holds.
  enum TSlot : std::uint8_t { slRecord, slLineTo, slMoveTo, slMark };
  struct TChunk {
    std::unique_ptr<double[]> Data;  // x[Room], y[Room], then Room tag bytes
    std::size_t Room = 0;
    double* X() const { return Data.get(); }
    double* Y() const { return Data.get() + Room; }
    std::uint8_t* Tags() const { return reinterpret_cast<std::uint8_t*>(Data.get() + 2 * Room); }
  };
  struct TRun {
    std::size_t Start = 0;  // absolute position of the first slot
    TPointPen Pen;
    bool FillPinned = false;  // a line-to has fixed Pen.FillColor
    bool MarkPinned = false;  // a mark has fixed Pen.MarkType
    // What the summaries see of a point of each slot kind (SummaryAttributes).
    std::array<TSummaryBox::TAttributes, 4> Summary{};
  };
  struct TRecord {
    std::size_t Position = 0;  // absolute
    TgfChartItem Item;
  };
  struct TBody;
  // Where an x column is filled from: the values, or x0 + i * dx.
  struct TXSource {
    const double* Values = nullptr;
    double X0 = 0, Dx = 0;
    double At(std::size_t i) const { return Values != nullptr ? Values[i] : X0 + static_cast<double>(i) * Dx; }
  };
  struct TReservation;
  struct TUndo;

  // Where the points of one kind and pen go as they are, inline, while nothing else changes the
  // store: the free slots of the tail chunk within the capacity, in the last run. A point costs its
  // x and y slots and a count: the tags of a block's slots are written before its first point
  // comes (slots past the end hold no meaning, and whatever appends there writes its own tag); the
  // summaries take a block's points from the columns when its 16th comes, or when the lane closes.
  // An append that goes the long way opens it for its kind and pen; every other change closes it.
  struct TAppendLane {
    TBlockSummaries* Blocks = nullptr;  // null: closed
    std::size_t Position = 0;           // Blocks->End(), kept here to be read without a detour
    std::size_t End = 0;                // the absolute position where the lane ends
    std::size_t Pending = 0;            // the first point counted but not yet summarised
    TgfItemKind Kind{};
    std::uint8_t Tag = 0;  // the slot kind written
    TPointPen Pen;
    std::uint64_t PenSerial = 0;  // the serial Pen came with; 0: none
    TSummaryBox::TAttributes Summary;
    double* X = nullptr;  // the tail chunk's columns
    double* Y = nullptr;
    std::uint8_t* Tags = nullptr;

    bool Takes(TgfItemKind kind, const TPointPen& pen, std::uint64_t penSerial) const {
      return Blocks != nullptr && Position < End && kind == Kind &&
             ((penSerial != 0 && penSerial == PenSerial) || pen == Pen);
    }
    // All or nothing: a block that the point completes is summarised first (it may fail).
    void Append(double x, double y) {
      const std::size_t slot = Position & (kChunkItems - 1);
      X[slot] = x;
      Y[slot] = y;
      if (((Position + 1) & (TBlockSummaries::kFan - 1)) != 0) {
        Blocks->CountPoint(Position++);
      } else {
        CompleteBlock();
      }
    }
    // Counts the point at Blocks->End(), written to its slots, with the block it completes.
    void CompleteBlock();
    // Writes Tag to the lane's slots from Position to the end of its block.
    void TagBlock();
    // Summarises the points counted but not summarised into blocks, the columns being x and y.
    void Summarise(TBlockSummaries& blocks, const double* x, const double* y) const;
  };

  static TSlot SlotOf(TgfItemKind kind);
  static TgfItemKind KindOf(TSlot slot);
  static TgfChartItem PointRecord(TSlot slot, const TPointPen& pen, double x, double y);
  static TSummaryBox::TAttributes SummaryAttributes(TSlot slot, const TPointPen& pen);
  // Whether a point of that slot kind drawn with pen belongs in run (pinned: and changes nothing).
  static bool Takes(const TRun& run, TSlot slot, const TPointPen& pen);
  static bool TakesPinned(const TRun& run, TSlot slot, const TPointPen& pen);
  static void Pin(TRun& run, TSlot slot, const TPointPen& pen);
  static TRun RunOf(std::size_t start, const TPointPen& pen);

  // Whether a point goes into the tail chunk and the last run as they are, within the capacity.
  bool TakesAsItIs(TSlot slot, const TPointPen& pen) const;
  void AppendPointSlowly(TgfItemKind kind, const TPointPen& pen, double x, double y, int allocSize,
                         std::uint64_t penSerial);
  // Opens the lane for points of this kind and pen (named by penSerial) if they go in as they are.
  void OpenLane(TgfItemKind kind, const TPointPen& pen, std::uint64_t penSerial);
  // Summarises what the lane has counted; a copy summarises it from its own columns.
  void CloseLane() noexcept;
  void SummariseLaneOf(const TSeriesStore& source) noexcept;
  // The capacity after appending n items; ENoxGrafonError past m_maxCapacity.
  int GrownCapacity(std::size_t n, int allocSize) const;
  void AppendColumns(TSlot firstSlot, TSlot slot, const TPointPen& pen, TXSource x, std::span<const double> y,
                     int allocSize);
  void AppendRecord(const TgfChartItem& item, int allocSize);
  // The body to append to (made if there is none), with what Rollback needs to take the append back.
  TBody& BeginAppend(TUndo& undo);
  void Rollback(TUndo& undo) noexcept;
  const TChunk& ChunkAt(std::size_t position) const;
  const TRun& RunAt(std::size_t position) const;
  const TgfChartItem& RecordAt(const TChunk& chunk, std::size_t slot) const;

  std::unique_ptr<TBody> m_body;  // null while empty
  TAppendLane m_lane;
  int m_capacity = 0;
  std::uint64_t m_changes = 0;
  int m_maxCapacity = std::numeric_limits<int>::max();
};

// Reads a store's items front to back; valid while the store does not change.
class TSeriesCursor {
 public:
  TSeriesCursor(const TSeriesStore& store, std::size_t first);

  std::size_t Index() const { return m_position - m_base; }
  bool AtEnd() const { return m_position >= m_end; }
  // Goes to item `index` (the end when past it); cheap within the current run, else a search.
  void MoveTo(std::size_t index);
  void Next() {
    ++m_position;
    if (m_position == m_chunkEnd || m_position == m_runEnd) Seat();
  }

  // Whether the item is a plain point; then Pen() is its run's pen (whose FillColor only a line-to
  // and whose MarkType only a mark takes).
  bool IsPoint() const { return Tag() != TSeriesStore::slRecord; }
  TgfItemKind Kind() const;
  double X() const;  // X1
  double Y() const;  // Y1
  const TPointPen& Pen() const;
  TgfChartItem Item() const;
  // X1 and Y1 of the item and the n - 1 after it (all before the end) into x[0 .. n - 1] and
  // y[0 .. n - 1], copied from the columns a chunk at a time; the cursor moves past them. With x
  // null, only the y values are read.
  void ReadCoordinates(std::size_t n, double* x, double* y);
  // The same for Y1 alone.
  void ReadY(std::size_t n, double* y) { ReadCoordinates(n, nullptr, y); }
  // Y1 of the item and of those after it, as many of the n given (all before the end) as lie in
  // its chunk: the column itself where they are all plain points, else a copy in scratch (room for
  // n). The cursor moves past them.
  std::span<const double> YStretch(std::size_t n, double* scratch);
  // Asks the processor to bring X1 and Y1 of items index .. index + 15 (those of its chunk; a block
  // of the summaries, which starts at a multiple of 16, lies in one) into its caches for a read soon
  // after; changes nothing.
  void Prefetch(std::size_t index) const;

 private:
  using TSlot = TSeriesStore::TSlot;
  std::size_t Slot() const { return m_position & (TSeriesStore::kChunkItems - 1); }
  TSlot Tag() const { return static_cast<TSlot>(m_chunk->Tags()[Slot()]); }
  // Finds the chunk and the run of m_position (runs from m_run on).
  void Seat();
  // The index among the store's runs of the run that holds m_position.
  std::size_t RunIndex() const;

  const TSeriesStore* m_store;
  std::size_t m_base = 0, m_end = 0, m_position = 0;
  const TSeriesStore::TChunk* m_chunk = nullptr;
  std::size_t m_chunkEnd = 0;  // absolute position past m_chunk's slots
  std::size_t m_run = 0;       // index of the run of m_position among the store's runs
  std::size_t m_runEnd = 0;    // absolute position where the next run starts
};

}  // namespace nox::detail
