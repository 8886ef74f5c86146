#pragma once
// The chart's item store: the data list (one object shared by every chart tied by data sharing),
// the annotation list, the pen that new items take from, and the tables that say which items show.
// The control's drawing operations and pen properties are its front; rendering reads the lists and
// the tables.

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>

#include "base/Nox_noxcolors.h"
#include "chart/model/chart_item.h"
#include "chart/model/item_list.h"
#include "platform/color.h"
#include "platform/pen.h"

namespace nox::detail {

// Bytes of one text item: a label of a few lines. A longer text could not show in a chart and
// would still be measured at every paint.
constexpr std::size_t kMaxItemTextLength = 4096;

// The values a new item takes.
struct TItemPen {
  TColor Color = 0;             // DataColor
  TColor FillColor = 0xC0C0C0;  // FillColor (also TextBkColor)
  TPenStyle Style = psSolid;
  std::uint8_t Width = 1;      // pixels
  std::uint8_t Class = 0;      // ClassDefault
  std::uint8_t Unused = 0;     // fills the word, so that pens compare as their bytes
  int Layer = 1;               // CurrentLayer, 1..16
  std::int32_t Attribute = 0;  // copied into Attr
  friend bool operator==(const TItemPen& a, const TItemPen& b) { return std::memcmp(&a, &b, sizeof a) == 0; }
};
static_assert(std::has_unique_object_representations_v<TItemPen>, "pens compare as their bytes");

class TItemStore {
 public:
  TItemStore();

  // The pen a point appended now takes: layer, class, colour, fill colour (line-tos), style,
  // width, attribute, markType (marks), and mode as its CoordMode in the annotation list (the data
  // list holds world units: 0). Kept from one point to the next while none of that changes, so
  // that appending point after point neither builds nor compares a pen field by field.
  const TPointPen& PointPen(std::uint8_t mode, std::int32_t markType) {
    const std::uint8_t coordMode = AnnotationMode ? mode : 0;
    if (!(m_pointPenOf == Pen) || m_pointPen.CoordMode != coordMode || m_pointPen.MarkType != markType) {
      m_pointPen = PointPenOf(Pen, coordMode, markType);
      m_pointPenOf = Pen;
      m_pointPenSerial = NewPenSerial();
    }
    return m_pointPen;
  }
  // A record of kind at (x, y) with the pen's layer, class, colour, fill colour, style, width and
  // attribute, every other field 0 (the start of the typed drawing operations' records).
  TgfChartItem PenItem(TgfItemKind kind, double x, double y) const;
  // The list the drawing operations write to: the annotation list in annotation mode, else the
  // data list.
  TItemList& Target() { return AnnotationMode ? Annotations : *Data; }
  // Appends a line-to, move-to or mark at (x, y) drawn with PointPen(mode, markType) to Target().
  void AppendPoint(TgfItemKind kind, double x, double y, std::uint8_t mode, std::int32_t markType = 0) {
    const TPointPen& pen = PointPen(mode, markType);
    Target().AppendPoint(kind, pen, x, y, AllocSize, m_pointPenSerial);
  }
  // Appends item to the data list (world units, CoordMode as the item has it) or, in annotation
  // mode, to the annotation list with mode as its CoordMode.
  void Append(const TgfChartItem& item, std::uint8_t mode);
  // Stores long-text entry index (1..50) of the list the drawing operations write to; false and
  // nothing stored outside that range.
  bool SetLongText(int index, std::string text);
  // Appends a text item (as Append) with its text: in ShortText when it fits, else in an entry of
  // the long-text table of the list it goes to, an entry that holds the same text being shared.
  // ENoxGrafonError, nothing added, when the text is longer than kMaxItemTextLength or the table
  // has no entry left for it.
  void AppendText(TgfChartItem item, std::string_view text, std::uint8_t mode);
  // Layers outside 1..16 are hidden.
  bool LayerVisible(int layer) const;

  TItemListPtr Data = std::make_shared<TItemList>();
  TItemList Annotations;
  TItemPen Pen;
  int AllocSize = 1000;         // growth step of both lists, 1..1000000
  bool AnnotationMode = false;  // drawing goes to the annotation list
  bool AnnotationsUnderData = false;
  bool ShowAnnotations = true;
  bool AnnotationTextsOnTop = true;
  std::array<bool, 256> DataClassVisible;        // all true at the start
  std::array<bool, 256> AnnotationClassVisible;  // all true at the start
  std::array<bool, kLayerCount> LayerShown;      // all true at the start; see LayerVisible

 private:
  static TPointPen PointPenOf(const TItemPen& pen, std::uint8_t coordMode, std::int32_t markType);

  TPointPen m_pointPen = PointPenOf(TItemPen{}, 0, 0);  // PointPen's last result
  TItemPen m_pointPenOf;                                // the pen it was made of
  std::uint64_t m_pointPenSerial = NewPenSerial();      // names m_pointPen's bytes to the lists
};

}  // namespace nox::detail
