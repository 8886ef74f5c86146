// The 50 text labels of the chart: placed in control pixels (attached coordinates through the
// label's layer), aligned on their anchor, boxed, underlined or shadowed, one or more lines.

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "base/rounding.h"
#include "chart/Nox_grafon.h"
#include "chart/render/item_render.h"
#include "chart/render/text_lines.h"
#include "platform/host.h"
#include "platform/raster_math.h"

namespace nox {

void detail::TGrafonRenderer::DrawTextLabels(TCanvas& canvas, int offsetX, int offsetY) {
  // From 50 down to 1, so that label 1 ends on top.
  for (int i = kTextLabelCount; i >= 1; --i) {
    const TTextLabel& label = m_chart.m_textLabels[static_cast<std::size_t>(i - 1)];
    if (label.Mode() == tlOff || !m_chart.LayerVisible(label.Layer()) || !label.Visible()) continue;
    DrawTextLabel(canvas, label, offsetX, offsetY);
  }
}

void detail::TGrafonRenderer::DrawTextLabel(TCanvas& canvas, const TTextLabel& label, int offsetX,
                                            int offsetY) {
  // A position that is not a number has no place on the canvas: the label is left out.
  if (!std::isfinite(label.PosX()) || !std::isfinite(label.PosY())) return;

  // The anchor in control pixels: unattached coordinates are pixels of the control.
  const TTxtLblAttachMode attach = label.AttachToData();
  int mappedX = 0;
  int mappedY = 0;
  if (attach != tlamNone) m_chart.WorldToPixel(label.Layer(), label.PosX(), label.PosY(), mappedX, mappedY);
  const long long ax = attach == tlamXOnly || attach == tlamBoth ? mappedX : Round(label.PosX());
  const long long ay = attach == tlamYOnly || attach == tlamBoth ? mappedY : Round(label.PosY());
  long long px = detail::ClampCoordinate(ax) + offsetX;
  long long py = detail::ClampCoordinate(ay) + offsetY;

  canvas.SetFont(label.Font());
  if (canvas.IsPrinter()) {
    // The label keeps its screen size on paper.
    canvas.Font().SetPixelsPerInch(Host().ScreenPixelsPerInch());
    canvas.Font().SetSize(label.Font().Size());
    canvas.Font().SetPixelsPerInch(canvas.PrinterPixelsPerInchY());
  }
  canvas.SetTextAlign(TA_LEFT | TA_TOP | TA_NOUPDATECP);
  canvas.Pen().SetColor(label.ColorBorder());
  canvas.Pen().SetStyle(psSolid);
  const TBrushStyle brushStyle = label.Transparent() ? bsClear : bsSolid;
  // Setting a colour makes a clear brush solid again: the style is put back after every colour.
  const auto setBrush = [&](TColor color) {
    canvas.Brush().SetColor(color);
    canvas.Brush().SetStyle(brushStyle);
  };
  setBrush(label.ColorBkg());

  const std::string& caption = label.Caption();
  const std::vector<std::string_view> lines = detail::TextLines(caption);
  const long long n = static_cast<long long>(lines.size());
  std::vector<int> widths;
  widths.reserve(lines.size());
  long long w = 0;
  for (std::string_view line : lines) {
    widths.push_back(canvas.TextWidth(line));
    w = std::max<long long>(w, widths.back());
  }
  if (w == 0) w = canvas.TextWidth(caption);
  const long long h = canvas.TextHeight(caption);

  // py becomes the bottom of the text block, px its left edge.
  switch (label.VerticalAlignment()) {
    case vaTop:
      py += h * n;
      break;
    case vaCenter:
      py += h * n / 2;
      break;
    default:
      break;
  }
  switch (label.Alignment()) {
    case taRightJustify:
      px -= w;
      break;
    case taCenter:
      px -= w / 2;
      break;
    default:
      break;
  }

  // From control pixels to the canvas.
  const long long left = px - m_chart.m_marginLeft;
  const long long bottom = py - m_chart.m_marginTop;
  const auto box = [&](long long dx, long long dy) {
    canvas.Rectangle(detail::SaturateToInt(left - 4 + dx), detail::SaturateToInt(bottom - h * n - 2 + dy),
                     detail::SaturateToInt(left + w + 4 + dx), detail::SaturateToInt(bottom + 2 + dy));
  };
  switch (label.Mode()) {
    case tlsimple:
      if (!label.Transparent()) {
        canvas.Pen().SetColor(label.ColorBkg());
        box(0, 0);
      }
      break;
    case tlBox:
      box(0, 0);
      break;
    case tlUnderline:
      if (!label.Transparent()) {
        canvas.Pen().SetColor(label.ColorBkg());
        box(0, 0);
      }
      canvas.Pen().SetColor(label.ColorBorder());
      canvas.MoveTo(detail::SaturateToInt(left), detail::SaturateToInt(bottom));
      canvas.LineTo(detail::SaturateToInt(left + w), detail::SaturateToInt(bottom));
      break;
    case tlShadow:
      canvas.Pen().SetColor(label.ColorShadow());
      setBrush(label.ColorShadow());
      box(label.ShadowDx(), label.ShadowDy());
      canvas.Pen().SetColor(label.ColorBorder());
      setBrush(label.ColorBkg());
      box(0, 0);
      break;
    default:
      break;
  }

  if (n == 1) {
    canvas.TextOut(detail::SaturateToInt(left), detail::SaturateToInt(bottom - h), caption);
    return;
  }
  for (long long k = 0; k < n; ++k) {
    const long long lineWidth = widths[static_cast<std::size_t>(k)];
    long long d = 0;
    if (label.Alignment() == taRightJustify) d = w - lineWidth;
    if (label.Alignment() == taCenter) d = (w - lineWidth) / 2;
    canvas.TextOut(detail::SaturateToInt(left + d), detail::SaturateToInt(bottom - h * (n - k)),
                   lines[static_cast<std::size_t>(k)]);
  }
}

}  // namespace nox
