#include "chart/model/item_store.h"

#include <algorithm>
#include <string>
#include <utility>

#include "chart/model/grafon_error.h"

namespace nox::detail {

TItemStore::TItemStore() {
  DataClassVisible.fill(true);
  AnnotationClassVisible.fill(true);
  LayerShown.fill(true);
}

TPointPen TItemStore::PointPenOf(const TItemPen& pen, std::uint8_t coordMode, std::int32_t markType) {
  TPointPen point;
  point.Color = pen.Color;
  point.FillColor = pen.FillColor;
  point.LineWidth = pen.Width;
  point.Layer = pen.Layer;
  point.Attr = pen.Attribute;
  point.MarkType = markType;
  point.PenStyle = pen.Style;
  point.ItemClass = pen.Class;
  point.CoordMode = coordMode;
  return point;
}

TgfChartItem TItemStore::PenItem(TgfItemKind kind, double x, double y) const {
  TgfChartItem item;
  item.Kind = kind;
  item.Layer = Pen.Layer;
  item.ItemClass = Pen.Class;
  item.X1 = x;
  item.Y1 = y;
  item.Color = Pen.Color;
  item.FillColor = Pen.FillColor;
  item.PenStyle = Pen.Style;
  item.Attr = Pen.Attribute;
  item.LineWidth = Pen.Width;
  return item;
}

void TItemStore::Append(const TgfChartItem& item, std::uint8_t mode) {
  if (AnnotationMode) {
    TgfChartItem annotation = item;
    annotation.CoordMode = mode;
    Annotations.Append(annotation, AllocSize);
    return;
  }
  // Data items are always in world units. The list object is shared by every chart tied to this
  // one's data, so they all see the item (and the count) at once.
  Data->Append(item, AllocSize);
}

bool TItemStore::SetLongText(int index, std::string text) {
  TItemList& list = Target();
  if (!list.LongTexts.Set(index, std::move(text))) return false;
  list.LongTextCount = std::max(list.LongTextCount, index);
  return true;
}

void TItemStore::AppendText(TgfChartItem item, std::string_view text, std::uint8_t mode) {
  if (text.size() > kMaxItemTextLength)
    throw ENoxGrafonError("Grafon: a text item holds at most " + std::to_string(kMaxItemTextLength) +
                          " bytes");
  if (text.size() <= TShortText::kCapacity) {
    item.ShortText.Assign(text);
    item.LineWidth = 0;
    Append(item, mode);
    return;
  }
  TItemList& list = AnnotationMode ? Annotations : *Data;
  int index = 1;
  while (index <= list.LongTextCount && list.LongTexts[index] != text) ++index;
  const bool added = index > list.LongTextCount;
  if (added) {
    if (index > TLongTextArray::kSize)
      throw ENoxGrafonError("Grafon: the long-text table is full (" + std::to_string(TLongTextArray::kSize) +
                            " texts)");
    list.LongTexts.Set(index, std::string(text));
    list.LongTextCount = index;
  }
  item.LineWidth = index;
  try {
    Append(item, mode);
  } catch (...) {
    if (added) {  // the entry goes with the item that failed
      list.LongTexts.Set(index, {});
      list.LongTextCount = index - 1;
    }
    throw;
  }
}

bool TItemStore::LayerVisible(int layer) const {
  return layer >= 1 && layer <= kLayerCount && LayerShown[static_cast<std::size_t>(layer - 1)];
}

}  // namespace nox::detail
