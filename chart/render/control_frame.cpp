// Everything of the control outside the chart area: the window background, the shadow right of and
// below the chart (ssFlying: a band offset by the shadow width, its inner corner cut diagonally;
// ssBox: the band's far ends slanted from the control's face, like the sides of a box), the
// caption, and the 32 hosted scale controls, which draw themselves onto the control image.

#include <cmath>
#include <string>

#include "chart/Nox_grafon.h"
#include "platform/host.h"
#include "platform/text_utf8.h"

namespace nox {

namespace {

// The first n characters of text (whole UTF-8 sequences; n <= 0 gives none).
std::string_view FirstCharacters(std::string_view text, long long n) {
  std::size_t pos = 0;
  for (long long i = 0; i < n && pos < text.size(); ++i) detail::NextCharacter(text, pos);
  return text.substr(0, pos);
}

long long CharacterCount(std::string_view text) {
  long long n = 0;
  for (std::size_t pos = 0; pos < text.size(); ++n) detail::NextCharacter(text, pos);
  return n;
}

}  // namespace

void detail::TGrafonRenderer::DrawCaption(TCanvas& canvas) {
  const int w = m_chart.Width(), h = m_chart.Height(), sw = m_chart.m_shadowWidth;
  std::string text = m_chart.m_caption;
  int textWidth = canvas.TextWidth(text);
  if (m_chart.m_captionTrim != 0 && textWidth > 0) {
    // The caption may take CaptionTrim percent of the chart area's width; a longer one keeps as
    // many characters as fit that share, less two for the ellipsis.
    const long long limit =
        Round(static_cast<long double>(m_controlImage.Canvas().Width() -
                                       (sw + m_chart.m_marginLeft + m_chart.m_marginRight)) *
              0.01L * m_chart.m_captionTrim);
    if (limit < textWidth) {
      const long long keep = Round(static_cast<long double>(CharacterCount(text)) * limit / textWidth) - 2;
      text = std::string(FirstCharacters(text, keep)) + "...";
      textWidth = canvas.TextWidth(text);
    }
  }

  long long x = m_chart.m_captionPosX;
  switch (m_chart.m_captionAnchorHoriz) {
    case cahControlLeft:
      break;
    case cahChartLeft:
      x += m_chart.m_marginLeft;
      break;
    case cahChartCenter:
      x += m_chart.m_marginLeft + (w - m_chart.m_marginLeft - m_chart.m_marginRight - sw) / 2;
      break;
    case cahChartRight:
      x += w - m_chart.m_marginRight - sw;
      break;
    case cahControlRight:
      x += w;
      break;
  }
  long long y = m_chart.m_captionPosY;
  switch (m_chart.m_captionAnchorVert) {
    case cavControlTop:
      break;
    case cavChartTop:
      y += m_chart.m_marginTop;
      break;
    case cavChartCenter:
      y += m_chart.m_marginTop + (h - m_chart.m_marginTop - m_chart.m_marginBottom - sw) / 2;
      break;
    case cavChartBottom:
      y += h - m_chart.m_marginBottom;
      break;
    case cavControlBottom:
      y += h;
      break;
  }
  if (m_chart.m_captionAlignment == taRightJustify) x -= textWidth;
  if (m_chart.m_captionAlignment == taCenter) x -= textWidth / 2;
  canvas.SetTextAlign(TA_LEFT | TA_TOP | TA_NOUPDATECP);
  canvas.TextOut(detail::SaturateToInt(x), detail::SaturateToInt(y), text);
}

void detail::TGrafonRenderer::RenderControlFrame(TCanvas& canvas) {
  const int w = m_chart.Width(), h = m_chart.Height(), sw = m_chart.m_shadowWidth;
  m_controlImage.Canvas().SetLogicalSize(w, h);
  TPen& pen = canvas.Pen();
  TBrush& brush = canvas.Brush();
  pen.SetStyle(psSolid);
  pen.SetMode(pmCopy);
  pen.SetWidth(1);
  pen.SetColor(m_chart.m_windColor);
  brush.SetColor(m_chart.m_windColor);
  canvas.Rectangle(0, 0, w, h);

  if (sw > 0) {
    // The two corners the shadow leaves free.
    pen.SetColor(m_chart.m_shadowBakColor);
    brush.SetColor(m_chart.m_shadowBakColor);
    canvas.Rectangle(w - sw, 0, w, sw);
    canvas.Rectangle(0, h - sw, sw, h);
    brush.SetColor(m_chart.m_shadowColor);
    const bool flying = m_chart.m_shadowStyle == ssFlying;
    pen.SetColor(flying ? m_chart.m_shadowColor : clBlack);
    const int f = flying ? sw - 1 : 0;
    const TPoint bottom[] = {{f, h - sw}, {sw - 1, h - 1}, {w - 1, h - 1}, {w - sw, h - sw}};
    canvas.Polygon(bottom);
    const TPoint right[] = {{w - sw, h - sw}, {w - 1, h - 1}, {w - 1, sw - 1}, {w - sw, f}};
    canvas.Polygon(right);
    pen.SetColor(clBlack);
    canvas.MoveTo(0, 0);
    canvas.LineTo(w - sw, 0);
    canvas.LineTo(w - sw, h - sw);
    canvas.LineTo(0, h - sw);
    canvas.LineTo(0, 0);
  }

  pen.SetColor(m_chart.m_chartFrameColor);
  brush.SetStyle(bsClear);
  canvas.SetFont(m_chart.Font());
  if (canvas.IsPrinter()) {
    // The caption keeps its size in points on paper.
    const int size = m_chart.Font().Size();
    canvas.Font().SetPixelsPerInch(Host().ScreenPixelsPerInch());
    canvas.Font().SetSize(size);
    canvas.Font().SetPixelsPerInch(canvas.PrinterPixelsPerInchY());
  }
  DrawCaption(canvas);

  PaintScales(canvas);
}

void detail::TGrafonRenderer::PaintScales(TCanvas& canvas) {
  // Raises ENoxGrafonError for an axis that cannot be mapped; the paint ends there.
  m_chart.UpdateLayerMapping();
  // Each scale places its ticks by its layer's mapping: on the pixels of the layer's data and of
  // the grid lines that follow the ticks.
  for (int l = 1; l <= kLayerCount; ++l) {
    m_chart.PushScaleProps(m_chart.ScaleControlX(l), m_chart.ScaleXOf(l));
    m_chart.ScaleControlX(l).SetHostMapping(m_chart.MappingX(l));
    m_chart.ScaleControlX(l).PaintNow();
  }
  for (int l = 1; l <= kLayerCount; ++l) {
    m_chart.PushScaleProps(m_chart.ScaleControlY(l), m_chart.ScaleYOf(l));
    m_chart.ScaleControlY(l).SetHostMapping(m_chart.MappingY(l));
    m_chart.ScaleControlY(l).PaintNow();
  }
  if (m_chart.OnScalesRendered) m_chart.OnScalesRendered(&m_chart, canvas, 0, 0);
}

}  // namespace nox
