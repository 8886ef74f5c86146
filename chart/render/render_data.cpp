// RenderData: everything inside the chart area, in this order: the grid, the data list and the
// annotation list (in the order the annotation switches choose), the text labels and the frame
// line round the chart area. The items themselves are drawn by the item renderer (item_render.h).

#include "chart/Nox_grafon.h"

namespace nox {

namespace {

bool IsTextKind(std::uint8_t kind) { return kind == ikText || kind == ikTextOffset; }
bool AllKinds(std::uint8_t) { return true; }
bool AllButTexts(std::uint8_t kind) { return !IsTextKind(kind); }

}  // namespace

detail::TLayerPixelTable detail::TGrafonRenderer::LayerPixelTable() const {
  detail::TLayerPixelTable table;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const TScaleProps& sx = m_chart.m_propsX[i];
    const TScaleProps& sy = m_chart.m_propsY[i];
    detail::TLayerPixels& l = table[i];
    l.X = detail::TDoubleAxisMapping(m_chart.m_mapping.X(i));
    l.Y = detail::TDoubleAxisMapping(m_chart.m_mapping.Y(i));
    l.LogX = sx.Logarithmic();
    l.LogY = sy.Logarithmic();
    // Where values below the logarithmic limit go: the low end of the axis on screen.
    l.BelowX = sx.RangeHigh() < sx.RangeLow() ? m_chart.Width() : 0;
    l.BelowY = sy.RangeHigh() < sy.RangeLow() ? 0 : m_chart.Height();
    l.XLow = std::min(sx.RangeLow(), sx.RangeHigh());
    l.XHigh = std::max(sx.RangeLow(), sx.RangeHigh());
    l.YLow = std::min(sy.RangeLow(), sy.RangeHigh());
    l.YHigh = std::max(sy.RangeLow(), sy.RangeHigh());
  }
  return table;
}

void detail::TGrafonRenderer::RenderItemList(detail::TItemRenderer& renderer, const detail::TItemList& list,
                                             bool isAnnotation, bool (*select)(std::uint8_t)) {
  const detail::TListFilter filter{
      select, isAnnotation ? &m_chart.m_items.AnnotationClassVisible : &m_chart.m_items.DataClassVisible,
      &m_chart.m_items.LayerShown};
  const int count = list.Count();
  // Line-to runs and stretches of marks go to the run renderers, which draw from the block
  // summaries; what they leave (short runs, the last points of a run, other marks) is drawn item by
  // item. A handler that may change every item, or a loop without such items, takes every item on
  // its own.
  const bool lineRuns = m_chart.m_fastLineRuns && select(ikLineTo);
  const bool markRuns = m_chart.m_fastLineRuns && select(ikMark);
  int plainUntil = 0;
  detail::TSeriesCursor cursor(list.Items(), 0);
  for (int index = 0; index < count; ++index) {
    // A handler may have changed the list meanwhile (appended, removed, cleared): then the cursor
    // finds the next index afresh, and the loop ends with the list.
    if (cursor.AtEnd()) break;
    const TgfItemKind kind =
        index >= plainUntil && !m_chart.OnBeforeRenderChartItem ? cursor.Kind() : TgfItemKind{};
    if ((lineRuns && kind == ikLineTo) || (markRuns && kind == ikMark)) {
      const detail::TRunStep step = kind == ikLineTo ? renderer.RenderLineRun(list, index, count, filter)
                                                     : renderer.RenderMarkRun(list, index, count, filter);
      plainUntil = step.PlainUntil;
      if (step.Next > index) {
        index = step.Next - 1;
        cursor.MoveTo(static_cast<std::size_t>(step.Next));
        continue;
      }
    }
    TgfChartItem item = cursor.Item();
    if (!filter.Visible(item)) {
      cursor.Next();
      continue;
    }
    const std::uint64_t changes = list.Items().Changes();
    if (m_chart.OnBeforeRenderChartItem) m_chart.OnBeforeRenderChartItem(&m_chart, item, index, isAnnotation);
    renderer.RenderItem(item, index, isAnnotation, list.LongTexts);
    if (list.Items().Changes() == changes) {
      cursor.Next();
    } else {
      cursor = detail::TSeriesCursor(list.Items(), static_cast<std::size_t>(index) + 1);
    }
  }
  renderer.FlushPolyline();
}

void detail::TGrafonRenderer::RenderAnnotations(detail::TItemRenderer& renderer) {
  if (m_chart.m_items.AnnotationTextsOnTop) {
    // Texts are drawn above every other annotation item, wherever they stand in the list. The
    // stored kind decides, not the copy a handler may change.
    RenderItemList(renderer, m_chart.m_items.Annotations, true, AllButTexts);
    RenderItemList(renderer, m_chart.m_items.Annotations, true, IsTextKind);
  } else {
    RenderItemList(renderer, m_chart.m_items.Annotations, true, AllKinds);
  }
}

void TCustomGrafon::RenderDataToBitmap(TBitmap& bitmap, int offsetX, int offsetY, bool monochrome,
                                       int noGrid) {
  RenderData(bitmap.Canvas(), offsetX, offsetY, monochrome, noGrid);
}

void detail::TGrafonRenderer::DrawChartArea(TCanvas& canvas, int offsetX, int offsetY, bool monochrome,
                                            int noGrid) {
  detail::TRenderState& state = m_renderState;
  if (m_chart.m_avoidDuplicateMarks)
    state.DuplicateMarks.Reset(m_chart.Width(), m_chart.Height(), m_chart.m_minDupMarkDist);

  // The handler may draw as it likes; the colours it leaves do not reach the items.
  const int top = detail::SaturateToInt(std::int64_t{m_chart.m_marginTop} - offsetY);
  const int left = detail::SaturateToInt(std::int64_t{m_chart.m_marginLeft} - offsetX);
  {
    const TColor brush = canvas.Brush().Color();
    const TColor pen = canvas.Pen().Color();
    if (m_chart.OnBeforeRenderData) m_chart.OnBeforeRenderData(&m_chart, canvas, top, left);
    canvas.Brush().SetColor(brush);
    canvas.Pen().SetColor(pen);
  }

  if (m_chart.m_gridStyle != gsNone && noGrid == 0) DrawGrid(canvas, offsetX, offsetY);

  // Every rendering starts from the same canvas state, so nothing carries over between pictures.
  canvas.Pen().SetWidth(m_chart.m_items.Pen.Width);
  state.CurrentPenWidth = m_chart.m_items.Pen.Width;
  state.CurrentPosition = {offsetX, offsetY};
  state.Polyline.Clear();
  canvas.MoveTo(offsetX, offsetY);
  // Character marks draw in the canvas's font: each rendering starts them from a new font, not
  // from what the last text item or label left on the canvas the time before.
  canvas.SetFont(TFont());
  canvas.Pen().SetColor(m_chart.m_chartColor);
  canvas.Brush().SetColor(m_chart.m_chartColor);
  canvas.Font().SetColor(m_chart.m_chartColor);
  canvas.Pen().SetStyle(psSolid);
  state.CurrentPenColor = m_chart.m_chartColor;
  state.CurrentBrushColor = m_chart.m_chartColor;
  state.CurrentFontColor = m_chart.m_chartColor;
  state.CurrentPenStyle = psSolid;
  canvas.SetTextAlign(TA_LEFT | TA_TOP | TA_NOUPDATECP);

  {
    const detail::TLayerPixelTable layers = LayerPixelTable();
    detail::TItemRenderer renderer(m_chart, {&canvas, offsetX, offsetY, monochrome}, layers, state);
    // The data list may be shared with other charts; holding it keeps it alive should a handler
    // change the sharing meanwhile.
    const detail::TItemListPtr data = m_chart.m_items.Data;
    if (!m_chart.m_items.AnnotationsUnderData) RenderItemList(renderer, *data, false, AllKinds);
    if (m_chart.m_items.ShowAnnotations) RenderAnnotations(renderer);
    if (m_chart.m_items.AnnotationsUnderData) RenderItemList(renderer, *data, false, AllKinds);
  }

  canvas.Pen().SetWidth(1);
  DrawTextLabels(canvas, offsetX, offsetY);

  if (m_chart.OnDataRendered) m_chart.OnDataRendered(&m_chart, canvas, top, left);

  // The frame's colours are not remembered: the next rendering starts afresh.
  const int right = detail::SaturateToInt(std::int64_t{offsetX} + m_chart.ChartAreaWidth());
  const int bottom = detail::SaturateToInt(std::int64_t{offsetY} + m_chart.ChartAreaHeight());
  canvas.Pen().SetColor(m_chart.m_chartFrameColor);
  canvas.Pen().SetStyle(psSolid);
  canvas.MoveTo(offsetX, offsetY);
  canvas.LineTo(right, offsetY);
  canvas.LineTo(right, bottom);
  canvas.LineTo(offsetX, bottom);
  canvas.LineTo(offsetX, offsetY);
}

}  // namespace nox
