#include "chart/model/item_store.h"

#include <algorithm>
#include <utility>

namespace nox::detail {

TItemStore::TItemStore() {
  DataClassVisible.fill(true);
  AnnotationClassVisible.fill(true);
  LayerShown.fill(true);
}

TgfChartItem TItemStore::PenItem(TgfItemKind kind, double x, double y) const {
  TgfChartItem item;
  item.Kind = kind;
  item.Layer = Pen.Layer;
  item.ItemClass = Pen.Class;
  item.X1 = x;
  item.Y1 = y;
  item.Color = Pen.Color;
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
  TItemList& list = AnnotationMode ? Annotations : *Data;
  if (!list.LongTexts.Set(index, std::move(text))) return false;
  list.LongTextCount = std::max(list.LongTextCount, index);
  return true;
}

bool TItemStore::LayerVisible(int layer) const {
  return layer >= 1 && layer <= kLayerCount && LayerShown[static_cast<std::size_t>(layer - 1)];
}

}  // namespace nox::detail
