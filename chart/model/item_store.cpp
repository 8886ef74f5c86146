#include "chart/model/item_store.h"

#include <algorithm>
#include <utility>

namespace nox::detail {

TItemStore::TItemStore() {
  DataClassVisible.fill(true);
  AnnotationClassVisible.fill(true);
  LayerShown.fill(true);
}

TPointPen TItemStore::PointPen(std::uint8_t mode, std::int32_t markType) const {
  TPointPen pen;
  pen.Color = Pen.Color;
  pen.FillColor = Pen.FillColor;
  pen.LineWidth = Pen.Width;
  pen.Layer = Pen.Layer;
  pen.Attr = Pen.Attribute;
  pen.MarkType = markType;
  pen.PenStyle = Pen.Style;
  pen.ItemClass = Pen.Class;
  pen.CoordMode = AnnotationMode ? mode : 0;
  return pen;
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

bool TItemStore::LayerVisible(int layer) const {
  return layer >= 1 && layer <= kLayerCount && LayerShown[static_cast<std::size_t>(layer - 1)];
}

}  // namespace nox::detail
