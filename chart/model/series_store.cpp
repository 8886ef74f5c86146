#include "chart/model/series_store.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <iterator>
#include <stdexcept>
#include <string>
#include <utility>

#include "chart/model/grafon_error.h"

namespace nox::detail {

static_assert(sizeof(std::size_t) == 8, "absolute positions need 64 bits");

namespace {

constexpr std::size_t kSlotMask = TSeriesStore::kChunkItems - 1;
constexpr std::size_t kFirstRoom = 16;

bool Zero(double v) { return std::bit_cast<std::uint64_t>(v) == 0; }

// The position of the first zero byte among the count bytes from `bytes`, or count. Sixteen bytes,
// the tags of a block of 16 points, which most reads are, are looked at as two words: whether a
// word has a zero byte takes three operations, where a library call takes more.
std::size_t FirstZeroByte(const std::uint8_t* bytes, std::size_t count) {
  if (count == TBlockSummaries::kFan) {
    constexpr std::uint64_t kOnes = 0x0101010101010101u, kHighs = 0x8080808080808080u;
    std::uint64_t a, b;
    std::memcpy(&a, bytes, sizeof a);
    std::memcpy(&b, bytes + sizeof a, sizeof b);
    if (((((a - kOnes) & ~a) | ((b - kOnes) & ~b)) & kHighs) == 0) return count;
  }
  const void* first = std::memchr(bytes, 0, count);
  return first != nullptr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(first) - bytes) : count;
}

// Whether a record is what an append operation makes of a point: a line-to, move-to or mark with
// no field set beyond its coordinates and its pen (FillColor for line-tos, Param3 for marks).
bool IsPlainPoint(const TgfChartItem& item) {
  if (item.Kind != ikLineTo && item.Kind != ikMoveTo && item.Kind != ikMark) return false;
  constexpr char kNoText[TShortText::kCapacity] = {};
  return Zero(item.X2) && Zero(item.Y2) && item.FrameColor1 == 0 && item.FrameColor2 == 0 && item.Flag == 0 &&
         item.Style == 0 && item.ShortText.Length == 0 &&
         std::memcmp(item.ShortText.Chars, kNoText, sizeof kNoText) == 0 && item.Param1 == 0 &&
         item.Param2 == 0 && (item.Kind == ikLineTo || item.FillColor == 0) &&
         (item.Kind == ikMark || item.Param3 == 0);
}

TPointPen PenOf(const TgfChartItem& item) {
  TPointPen pen;
  pen.Color = item.Color;
  pen.FillColor = item.FillColor;
  pen.LineWidth = item.LineWidth;
  pen.Layer = item.Layer;
  pen.Attr = item.Attr;
  pen.MarkType = item.Param3;
  pen.PenStyle = item.PenStyle;
  pen.ItemClass = item.ItemClass;
  pen.CoordMode = item.CoordMode;
  return pen;
}

[[noreturn]] void RefuseKind(TgfItemKind kind) {
  throw std::invalid_argument("A point is a line-to, move-to or mark item, not an item of kind " +
                              std::to_string(static_cast<int>(kind)));
}

// The attributes every point of a run shares, whatever its kind.
bool SameShared(const TPointPen& a, const TPointPen& b) {
  return a.Color == b.Color && a.LineWidth == b.LineWidth && a.Layer == b.Layer && a.Attr == b.Attr &&
         a.PenStyle == b.PenStyle && a.ItemClass == b.ItemClass && a.CoordMode == b.CoordMode;
}

}  // namespace

struct TSeriesStore::TBody {
  std::deque<TChunk> Chunks;  // from the chunk of position Blocks.Base() on
  std::deque<TRun> Runs;      // by Start; the first one may start before Blocks.Base()
  std::deque<TRecord> Records;
  std::size_t RecordsDropped = 0;  // records removed: the number of Records.front()
  TBlockSummaries Blocks;          // also the absolute positions of the first item and the end
  TChunk* Tail = nullptr;          // the last chunk
  std::size_t TailEnd = 0;         // the absolute position past its slots

  TBody() = default;
  TBody(const TBody& other)
      : Runs(other.Runs), Records(other.Records), RecordsDropped(other.RecordsDropped), Blocks(other.Blocks) {
    for (const TChunk& chunk : other.Chunks) {
      TChunk copy = MakeChunk(chunk.Room);
      std::memcpy(copy.Data.get(), chunk.Data.get(), ChunkBytes(chunk.Room));
      Chunks.push_back(std::move(copy));
    }
    SeatTail();
  }
  TBody& operator=(const TBody&) = delete;

  static std::size_t ChunkBytes(std::size_t room) { return room * (2 * sizeof(double) + 1); }
  static TChunk MakeChunk(std::size_t room) {
    return {std::unique_ptr<double[]>(new double[2 * room + room / sizeof(double)]), room};
  }

  TChunk& ChunkOf(std::size_t position) {
    return Chunks[(position >> kChunkShift) - (Blocks.Base() >> kChunkShift)];
  }
  void SeatTail() {
    if (Chunks.empty()) {
      Tail = nullptr;
      TailEnd = 0;
      return;
    }
    Tail = &Chunks.back();
    TailEnd = ((Blocks.Base() >> kChunkShift) + Chunks.size() - 1) * kChunkItems + Tail->Room;
  }

  // Makes slots for n more items; Undo takes back what it added.
  void Reserve(std::size_t n, TReservation& reservation);
  void Undo(TReservation& reservation) noexcept;
};

struct TSeriesStore::TReservation {
  std::size_t Pushed = 0;  // chunks added at the back
  TChunk Replaced;         // the first chunk as it was before it grew, if it did
};

void TSeriesStore::TBody::Reserve(std::size_t n, TReservation& reservation) {
  const std::size_t need = Blocks.End() + n;
  if (need <= TailEnd) return;
  try {
    // A list's first chunk grows by doubling up to a whole chunk; it may move meanwhile.
    const bool firstChunk = Chunks.empty() || (Chunks.size() == 1 && Blocks.Base() < kChunkItems);
    if (firstChunk && (Chunks.empty() || Chunks[0].Room < kChunkItems)) {
      TChunk grown = MakeChunk(std::clamp(std::bit_ceil(need), kFirstRoom, kChunkItems));
      if (Chunks.empty()) {
        Chunks.push_back(std::move(grown));
        ++reservation.Pushed;
      } else {
        const TChunk& old = Chunks[0];
        const std::size_t used = Blocks.End();
        std::memcpy(grown.X(), old.X(), used * sizeof(double));
        std::memcpy(grown.Y(), old.Y(), used * sizeof(double));
        std::memcpy(grown.Tags(), old.Tags(), used);
        reservation.Replaced = std::exchange(Chunks[0], std::move(grown));
      }
      SeatTail();
    }
    while (TailEnd < need) {
      Chunks.push_back(MakeChunk(kChunkItems));
      ++reservation.Pushed;
      SeatTail();
    }
  } catch (...) {
    Undo(reservation);
    throw;
  }
}

void TSeriesStore::TBody::Undo(TReservation& reservation) noexcept {
  for (; reservation.Pushed > 0; --reservation.Pushed) Chunks.pop_back();
  if (reservation.Replaced.Data) Chunks[0] = std::move(reservation.Replaced);
  SeatTail();
}

std::uint64_t NewPenSerial() {
  static std::atomic<std::uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

TSeriesStore::TSeriesStore() = default;

TSeriesStore::TSeriesStore(int maxCapacity) : m_maxCapacity(maxCapacity) {}

TSeriesStore::TSeriesStore(const TSeriesStore& other)
    : m_body(other.m_body ? std::make_unique<TBody>(*other.m_body) : nullptr),
      m_capacity(other.m_capacity),
      m_maxCapacity(other.m_maxCapacity) {
  SummariseLaneOf(other);
}

TSeriesStore& TSeriesStore::operator=(const TSeriesStore& other) {
  if (this != &other) *this = TSeriesStore(other);
  return *this;
}

TSeriesStore::TSeriesStore(TSeriesStore&& other) noexcept : m_maxCapacity(other.m_maxCapacity) {
  other.CloseLane();
  m_body = std::move(other.m_body);
  m_capacity = std::exchange(other.m_capacity, 0);
}

TSeriesStore& TSeriesStore::operator=(TSeriesStore&& other) noexcept {
  CloseLane();
  other.CloseLane();
  m_body = std::move(other.m_body);
  m_capacity = std::exchange(other.m_capacity, 0);
  m_maxCapacity = other.m_maxCapacity;
  ++m_changes;
  ++other.m_changes;
  return *this;
}

TSeriesStore::~TSeriesStore() = default;

int TSeriesStore::Count() const {
  return m_body ? static_cast<int>(m_body->Blocks.End() - m_body->Blocks.Base()) : 0;
}

const TBlockSummaries& TSeriesStore::Blocks() const {
  static const TBlockSummaries kNone;
  return m_body ? m_body->Blocks : kNone;
}

TSeriesStore::TSlot TSeriesStore::SlotOf(TgfItemKind kind) {
  switch (kind) {
    case ikLineTo:
      return slLineTo;
    case ikMoveTo:
      return slMoveTo;
    case ikMark:
      return slMark;
    default:
      RefuseKind(kind);
  }
}

TgfItemKind TSeriesStore::KindOf(TSlot slot) {
  return slot == slLineTo ? ikLineTo : slot == slMoveTo ? ikMoveTo : ikMark;
}

TgfChartItem TSeriesStore::PointRecord(TSlot slot, const TPointPen& pen, double x, double y) {
  // Field by field as the append operations fill a record.
  TgfChartItem item;
  item.Kind = KindOf(slot);
  item.Layer = pen.Layer;
  item.ItemClass = pen.ItemClass;
  item.X1 = x;
  item.Y1 = y;
  item.Color = pen.Color;
  if (slot == slLineTo) item.FillColor = pen.FillColor;
  item.PenStyle = pen.PenStyle;
  item.Attr = pen.Attr;
  item.LineWidth = pen.LineWidth;
  if (slot == slMark) item.Param3 = pen.MarkType;
  item.CoordMode = pen.CoordMode;
  return item;
}

TSummaryBox::TAttributes TSeriesStore::SummaryAttributes(TSlot slot, const TPointPen& pen) {
  TSummaryBox::TAttributes attributes;
  attributes.Color = pen.Color;
  attributes.FillColor = slot == slLineTo ? pen.FillColor : 0;
  attributes.LineWidth = pen.LineWidth;
  attributes.MarkType = slot == slMark ? pen.MarkType : 0;
  attributes.Layer = static_cast<std::uint8_t>(pen.Layer);
  attributes.ItemClass = pen.ItemClass;
  attributes.PenStyle = pen.PenStyle;
  attributes.Kind = SummaryKind(KindOf(slot), pen.CoordMode, pen.Layer, 0);
  return attributes;
}

bool TSeriesStore::Takes(const TRun& run, TSlot slot, const TPointPen& pen) {
  if (!SameShared(run.Pen, pen)) return false;
  if (slot == slLineTo && run.FillPinned && run.Pen.FillColor != pen.FillColor) return false;
  return !(slot == slMark && run.MarkPinned && run.Pen.MarkType != pen.MarkType);
}

bool TSeriesStore::TakesPinned(const TRun& run, TSlot slot, const TPointPen& pen) {
  if (slot == slLineTo && !run.FillPinned) return false;
  if (slot == slMark && !run.MarkPinned) return false;
  return Takes(run, slot, pen);
}

void TSeriesStore::Pin(TRun& run, TSlot slot, const TPointPen& pen) {
  if (slot == slLineTo && !run.FillPinned) {
    run.Pen.FillColor = pen.FillColor;
    run.FillPinned = true;
    run.Summary[slLineTo] = SummaryAttributes(slLineTo, run.Pen);
  } else if (slot == slMark && !run.MarkPinned) {
    run.Pen.MarkType = pen.MarkType;
    run.MarkPinned = true;
    run.Summary[slMark] = SummaryAttributes(slMark, run.Pen);
  }
}

TSeriesStore::TRun TSeriesStore::RunOf(std::size_t start, const TPointPen& pen) {
  TRun run{start, pen};
  for (const TSlot slot : {slLineTo, slMoveTo, slMark}) run.Summary[slot] = SummaryAttributes(slot, pen);
  return run;
}

int TSeriesStore::GrownCapacity(std::size_t n, int allocSize) const {
  const auto limit = static_cast<std::size_t>(m_maxCapacity);
  const auto count = static_cast<std::size_t>(Count());
  const auto capacity = static_cast<std::size_t>(m_capacity);
  const auto step = static_cast<std::size_t>(std::max(allocSize, 1));
  if (n <= capacity - count) return m_capacity;
  // As appending one by one: whole steps until the items fit.
  const std::size_t needed = n > limit ? limit + 1 : count + n;
  const std::size_t grown = capacity + (needed - capacity + step - 1) / step * step;
  if (grown > limit) {
    throw ENoxGrafonError("Item list cannot hold more than " + std::to_string(m_maxCapacity) + " items");
  }
  return static_cast<int>(grown);
}

void TSeriesStore::Append(const TgfChartItem& item, int allocSize) {
  if (IsPlainPoint(item)) {
    AppendPoint(item.Kind, PenOf(item), item.X1, item.Y1, allocSize);
  } else {
    ++m_changes;
    AppendRecord(item, allocSize);
  }
}

bool TSeriesStore::TakesAsItIs(TSlot slot, const TPointPen& pen) const {
  const TBody* body = m_body.get();
  return body != nullptr && body->Blocks.End() < body->TailEnd && Count() < m_capacity &&
         !body->Runs.empty() && TakesPinned(body->Runs.back(), slot, pen);
}

void TSeriesStore::AppendPointSlowly(TgfItemKind kind, const TPointPen& pen, double x, double y, int allocSize,
                                     std::uint64_t penSerial) {
  const TSlot slot = SlotOf(kind);
  if (TakesAsItIs(slot, pen)) {
    OpenLane(kind, pen, penSerial);
    m_lane.Append(x, y);
    ++m_changes;
    return;
  }
  AppendColumns(slot, slot, pen, {&x}, {&y, 1}, allocSize);
  OpenLane(kind, pen, penSerial);
}

void TSeriesStore::TAppendLane::CompleteBlock() {
  const std::size_t slot = Pending & (kChunkItems - 1);
  Blocks->CompletePoints(Summary, Pending, X + slot, Y + slot);
  Position = Pending = Blocks->End();
  TagBlock();
}

void TSeriesStore::TAppendLane::TagBlock() {
  const std::size_t end = std::min(End, (Position | (TBlockSummaries::kFan - 1)) + 1);
  if (Position < end) std::memset(Tags + (Position & (kChunkItems - 1)), Tag, end - Position);
}

void TSeriesStore::TAppendLane::Summarise(TBlockSummaries& blocks, const double* x, const double* y) const {
  const std::size_t slot = Pending & (kChunkItems - 1);
  blocks.SummarisePoints(Summary, Pending, x + slot, y + slot);
}

void TSeriesStore::CloseLane() noexcept {
  if (m_lane.Blocks == nullptr) return;
  m_lane.Summarise(*m_lane.Blocks, m_lane.X, m_lane.Y);
  m_lane.Blocks = nullptr;
}

void TSeriesStore::SummariseLaneOf(const TSeriesStore& source) noexcept {
  // The lane writes to the tail chunk, which the copy has too.
  if (source.m_lane.Blocks == nullptr || !m_body) return;
  source.m_lane.Summarise(m_body->Blocks, m_body->Tail->X(), m_body->Tail->Y());
}

void TSeriesStore::OpenLane(TgfItemKind kind, const TPointPen& pen, std::uint64_t penSerial) {
  const TSlot slot = SlotOf(kind);
  CloseLane();
  if (!TakesAsItIs(slot, pen)) return;
  TBody& body = *m_body;
  m_lane.Blocks = &body.Blocks;
  m_lane.End = std::min(body.TailEnd, body.Blocks.Base() + static_cast<std::size_t>(m_capacity));
  m_lane.Kind = kind;
  m_lane.Tag = slot;
  m_lane.Pen = pen;
  m_lane.PenSerial = penSerial;
  m_lane.Summary = body.Runs.back().Summary[slot];
  m_lane.X = body.Tail->X();
  m_lane.Y = body.Tail->Y();
  m_lane.Tags = body.Tail->Tags();
  m_lane.Position = m_lane.Pending = body.Blocks.End();
  m_lane.TagBlock();
}

void TSeriesStore::AppendPoints(TgfItemKind firstKind, TgfItemKind kind, const TPointPen& pen,
                                std::span<const double> x, std::span<const double> y, int allocSize) {
  if (x.size() != y.size()) {
    throw std::invalid_argument("Series of different lengths: " + std::to_string(x.size()) +
                                " x values and " + std::to_string(y.size()) + " y values");
  }
  AppendColumns(SlotOf(firstKind), SlotOf(kind), pen, {x.data()}, y, allocSize);
}

void TSeriesStore::AppendPoints(TgfItemKind firstKind, TgfItemKind kind, const TPointPen& pen, double x0,
                                double dx, std::span<const double> y, int allocSize) {
  AppendColumns(SlotOf(firstKind), SlotOf(kind), pen, {nullptr, x0, dx}, y, allocSize);
}

// What an append has added so far, to be taken back if it does not complete.
struct TSeriesStore::TUndo {
  bool CreatedBody = false;
  TBlockSummaries::TCheckpoint Summaries{};
  TReservation Chunks;
  bool AddedRun = false;
  bool AddedRecord = false;
};

TSeriesStore::TBody& TSeriesStore::BeginAppend(TUndo& undo) {
  undo.CreatedBody = m_body == nullptr;
  if (undo.CreatedBody) m_body = std::make_unique<TBody>();
  undo.Summaries = m_body->Blocks.Checkpoint();
  return *m_body;
}

void TSeriesStore::Rollback(TUndo& undo) noexcept {
  TBody& body = *m_body;
  body.Blocks.Restore(undo.Summaries);
  if (undo.AddedRun) body.Runs.pop_back();
  if (undo.AddedRecord) body.Records.pop_back();
  body.Undo(undo.Chunks);
  if (undo.CreatedBody) m_body.reset();
}

void TSeriesStore::AppendColumns(TSlot firstSlot, TSlot slot, const TPointPen& pen, TXSource x,
                                 std::span<const double> y, int allocSize) {
  const std::size_t n = y.size();
  if (n == 0) return;
  CloseLane();
  ++m_changes;
  const int capacity = GrownCapacity(n, allocSize);
  TUndo undo;
  TBody& body = BeginAppend(undo);
  try {
    body.Reserve(n, undo.Chunks);
    if (body.Runs.empty() || !Takes(body.Runs.back(), firstSlot, pen) ||
        !Takes(body.Runs.back(), slot, pen)) {
      body.Runs.push_back(RunOf(body.Blocks.End(), pen));
      undo.AddedRun = true;
    }
    const TSummaryBox::TAttributes firstAttributes = SummaryAttributes(firstSlot, pen);
    const TSummaryBox::TAttributes attributes = SummaryAttributes(slot, pen);
    // Chunk by chunk. Values handed over are copied as they are summarised, so that they are read
    // once; evenly spaced x values are made first and summarised while they are in the cache.
    for (std::size_t done = 0; done < n;) {
      const std::size_t position = body.Blocks.End();
      const TChunk& chunk = body.ChunkOf(position);
      const std::size_t s = position & kSlotMask;
      const std::size_t length = std::min(n - done, chunk.Room - s);
      double* xs = chunk.X() + s;
      double* ys = chunk.Y() + s;
      std::memset(chunk.Tags() + s, slot, length);
      std::size_t from = 0;
      if (done == 0) {
        chunk.Tags()[s] = firstSlot;
        xs[0] = x.At(0);
        ys[0] = y[0];
        body.Blocks.Add(TSummaryBox::OfPoint(firstAttributes, xs[0], ys[0]));
        from = 1;
      }
      const double* yFrom = y.data() + done + from;
      if (x.Values != nullptr) {
        body.Blocks.CopyPoints(attributes, x.Values + done + from, yFrom, xs + from, ys + from, length - from);
      } else {
        for (std::size_t k = from; k < length; ++k) xs[k] = x.At(done + k);
        std::memcpy(ys + from, yFrom, (length - from) * sizeof(double));
        body.Blocks.AddPoints(attributes, xs + from, ys + from, length - from);
      }
      done += length;
    }
  } catch (...) {
    Rollback(undo);
    throw;
  }
  Pin(body.Runs.back(), firstSlot, pen);
  Pin(body.Runs.back(), slot, pen);
  m_capacity = capacity;
}

void TSeriesStore::AppendRecord(const TgfChartItem& item, int allocSize) {
  CloseLane();
  const int capacity = GrownCapacity(1, allocSize);
  TUndo undo;
  TBody& body = BeginAppend(undo);
  try {
    body.Reserve(1, undo.Chunks);
    const std::size_t position = body.Blocks.End();
    body.Records.push_back({position, item});
    undo.AddedRecord = true;
    body.Blocks.Add(TSummaryBox::Of(item));
    const std::size_t s = position & kSlotMask;
    const std::uint64_t number = body.RecordsDropped + body.Records.size() - 1;
    body.Tail->X()[s] = std::bit_cast<double>(number);
    body.Tail->Y()[s] = 0;
    body.Tail->Tags()[s] = slRecord;
  } catch (...) {
    Rollback(undo);
    throw;
  }
  m_capacity = capacity;
}

void TSeriesStore::RemoveOldest(std::size_t n) noexcept {
  if (n == 0 || !m_body) return;
  CloseLane();
  ++m_changes;
  if (n >= static_cast<std::size_t>(Count())) {
    m_body.reset();
    return;
  }
  TBody& body = *m_body;
  const std::size_t base = body.Blocks.Base() + n;
  for (std::size_t chunk = body.Blocks.Base() >> kChunkShift; ((chunk + 1) << kChunkShift) <= base; ++chunk) {
    body.Chunks.pop_front();
  }
  while (body.Runs.size() > 1 && body.Runs[1].Start <= base) body.Runs.pop_front();
  for (; !body.Records.empty() && body.Records.front().Position < base; ++body.RecordsDropped) {
    body.Records.pop_front();
  }
  body.Blocks.DropBefore(base);
}

void TSeriesStore::Clear() noexcept {
  CloseLane();
  ++m_changes;
  m_body.reset();
  m_capacity = 0;
}

void TSeriesStore::CopyFrom(const TSeriesStore& source, int allocSize) {
  if (&source == this) return;
  const auto step = static_cast<long long>(std::max(allocSize, 1));
  const long long capacity = step * (source.Count() / step + 1);
  if (capacity > m_maxCapacity) {
    throw ENoxGrafonError("Item list cannot hold more than " + std::to_string(m_maxCapacity) + " items");
  }
  CloseLane();
  m_body = source.m_body ? std::make_unique<TBody>(*source.m_body) : nullptr;
  SummariseLaneOf(source);
  m_capacity = static_cast<int>(capacity);
  ++m_changes;
}

std::size_t TSeriesStore::AllocatedBytes() const {
  if (!m_body) return 0;
  std::size_t bytes = m_body->Runs.size() * sizeof(TRun) + m_body->Records.size() * sizeof(TRecord) +
                      m_body->Blocks.AllocatedBytes();
  for (const TChunk& chunk : m_body->Chunks) bytes += TBody::ChunkBytes(chunk.Room);
  return bytes;
}

const TSeriesStore::TChunk& TSeriesStore::ChunkAt(std::size_t position) const {
  return m_body->ChunkOf(position);
}

const TSeriesStore::TRun& TSeriesStore::RunAt(std::size_t position) const {
  const std::deque<TRun>& runs = m_body->Runs;
  const auto after = std::upper_bound(runs.begin(), runs.end(), position,
                                      [](std::size_t p, const TRun& run) { return p < run.Start; });
  return *std::prev(after);
}

const TgfChartItem& TSeriesStore::RecordAt(const TChunk& chunk, std::size_t slot) const {
  const auto number = std::bit_cast<std::uint64_t>(chunk.X()[slot]);
  return m_body->Records[number - m_body->RecordsDropped].Item;
}

TgfChartItem TSeriesStore::operator[](std::size_t i) const {
  if (i >= static_cast<std::size_t>(Count())) return {};
  const std::size_t position = m_body->Blocks.Base() + i;
  const TChunk& chunk = ChunkAt(position);
  const std::size_t s = position & kSlotMask;
  const auto slot = static_cast<TSlot>(chunk.Tags()[s]);
  if (slot == slRecord) return RecordAt(chunk, s);
  return PointRecord(slot, RunAt(position).Pen, chunk.X()[s], chunk.Y()[s]);
}

TSeriesCursor::TSeriesCursor(const TSeriesStore& store, std::size_t first) : m_store(&store) {
  if (!store.m_body) return;
  m_base = store.m_body->Blocks.Base();
  m_end = store.m_body->Blocks.End();
  m_position = m_base + std::min(first, m_end - m_base);
  m_run = RunIndex();
  Seat();
}

std::size_t TSeriesCursor::RunIndex() const {
  const std::deque<TSeriesStore::TRun>& runs = m_store->m_body->Runs;
  const auto after =
      std::upper_bound(runs.begin(), runs.end(), m_position,
                       [](std::size_t p, const TSeriesStore::TRun& run) { return p < run.Start; });
  return after == runs.begin() ? 0 : static_cast<std::size_t>(after - runs.begin()) - 1;
}

void TSeriesCursor::MoveTo(std::size_t index) {
  if (m_end == m_base) return;
  m_position = m_base + std::min(index, m_end - m_base);
  if (m_position < m_store->m_body->Runs[m_run].Start || m_position >= m_runEnd) m_run = RunIndex();
  m_chunk = nullptr;
  Seat();
}

void TSeriesCursor::Seat() {
  if (AtEnd()) return;
  const TSeriesStore::TBody& body = *m_store->m_body;
  if (m_chunk == nullptr || m_position >= m_chunkEnd) {
    m_chunk = &m_store->ChunkAt(m_position);
    m_chunkEnd = (m_position >> TSeriesStore::kChunkShift << TSeriesStore::kChunkShift) + m_chunk->Room;
  }
  const std::deque<TSeriesStore::TRun>& runs = body.Runs;
  while (m_run + 1 < runs.size() && runs[m_run + 1].Start <= m_position) ++m_run;
  m_runEnd = m_run + 1 < runs.size() ? runs[m_run + 1].Start : ~std::size_t{0};
}

TgfItemKind TSeriesCursor::Kind() const {
  const TSlot tag = Tag();
  return tag == TSeriesStore::slRecord ? m_store->RecordAt(*m_chunk, Slot()).Kind : TSeriesStore::KindOf(tag);
}

double TSeriesCursor::X() const {
  return IsPoint() ? m_chunk->X()[Slot()] : m_store->RecordAt(*m_chunk, Slot()).X1;
}

double TSeriesCursor::Y() const {
  return IsPoint() ? m_chunk->Y()[Slot()] : m_store->RecordAt(*m_chunk, Slot()).Y1;
}

const TPointPen& TSeriesCursor::Pen() const { return m_store->m_body->Runs[m_run].Pen; }

TgfChartItem TSeriesCursor::Item() const {
  const TSlot tag = Tag();
  if (tag == TSeriesStore::slRecord) return m_store->RecordAt(*m_chunk, Slot());
  return TSeriesStore::PointRecord(tag, Pen(), m_chunk->X()[Slot()], m_chunk->Y()[Slot()]);
}

void TSeriesCursor::Prefetch(std::size_t index) const {
  const std::size_t position = m_base + index;
  if (position >= m_end) return;
  // Chunks start at multiples of 4096 items, so a block of 16 lies within one.
  const TSeriesStore::TChunk& chunk = m_store->ChunkAt(position);
  const std::size_t slot = position & (TSeriesStore::kChunkItems - 1);
  const std::size_t end = std::min(slot + TBlockSummaries::kFan, chunk.Room) - 1;
  // 16 values of 8 bytes touch two or three cache lines of 64, 16 tags one or two.
  for (const double* column : {chunk.X(), chunk.Y()}) {
    for (std::size_t s = slot; s < end; s += 8) __builtin_prefetch(column + s);
    __builtin_prefetch(column + end);
  }
  __builtin_prefetch(chunk.Tags() + slot);
  __builtin_prefetch(chunk.Tags() + end);
}

void TSeriesCursor::ReadCoordinates(std::size_t n, double* x, double* y) {
  static_assert(TSeriesStore::slRecord == 0, "records are found as zero tags");
  while (n > 0) {
    const std::size_t slot = Slot();
    const std::size_t count = std::min(n, m_chunkEnd - m_position);
    if (count == TBlockSummaries::kFan) {
      // A block of 16: copies of a size known here are a few moves, not a library call each.
      if (x != nullptr) std::memcpy(x, m_chunk->X() + slot, TBlockSummaries::kFan * sizeof(double));
      std::memcpy(y, m_chunk->Y() + slot, TBlockSummaries::kFan * sizeof(double));
    } else {
      if (x != nullptr) std::memcpy(x, m_chunk->X() + slot, count * sizeof(double));
      std::memcpy(y, m_chunk->Y() + slot, count * sizeof(double));
    }
    // Records keep their number in the x column. Most stretches hold none.
    const std::uint8_t* tags = m_chunk->Tags() + slot;
    for (std::size_t i = FirstZeroByte(tags, count); i < count; ++i) {
      if (tags[i] != TSeriesStore::slRecord) continue;
      const TgfChartItem& record = m_store->RecordAt(*m_chunk, slot + i);
      if (x != nullptr) x[i] = record.X1;
      y[i] = record.Y1;
    }
    m_position += count;
    Seat();
    if (x != nullptr) x += count;
    y += count;
    n -= count;
  }
}

std::span<const double> TSeriesCursor::YStretch(std::size_t n, double* scratch) {
  const std::size_t slot = Slot();
  const std::size_t count = std::min(n, m_chunkEnd - m_position);
  std::span<const double> y{m_chunk->Y() + slot, count};
  // Records keep their number in the x column.
  if (FirstZeroByte(m_chunk->Tags() + slot, count) != count) {
    ReadY(count, scratch);
    return {scratch, count};
  }
  m_position += count;
  Seat();
  return y;
}

}  // namespace nox::detail
