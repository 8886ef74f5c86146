#include "scale/scale_paint.h"

#include <algorithm>

#include "platform/bitmap.h"
#include "platform/host.h"
#include "platform/raster_math.h"
#include "scale/draw_frame.h"
#include "scale/label_thinning.h"

namespace nox::detail {

namespace {

constexpr int kHorzLabelGap = 7;  // between base line and horizontal labels
constexpr int kLabelEdgeGap = 2;  // kept free at the control's left and right edge
constexpr TColor kFrameMid = clSilver;

bool IsVertical(TScaleType type) { return type == sctYL || type == sctYR; }

// The canvas state the scale changes for text and restores afterwards.
class TTextAlignGuard {
 public:
  explicit TTextAlignGuard(TCanvas& canvas) : m_canvas(canvas), m_align(canvas.TextAlign()) {
    canvas.SetTextAlign(TA_LEFT | TA_TOP | TA_NOUPDATECP);
  }
  ~TTextAlignGuard() { m_canvas.SetTextAlign(m_align); }
  TTextAlignGuard(const TTextAlignGuard&) = delete;
  TTextAlignGuard& operator=(const TTextAlignGuard&) = delete;

 private:
  TCanvas& m_canvas;
  unsigned m_align;
};

}  // namespace

void TScalePainter::Paint() {
  TScale& s = m_scale;
  TCanvas& target = s.m_hostCanvas ? *s.m_hostCanvas : s.Canvas();
  target.SetFont(s.Font());
  if (s.OnBeforeScaleRendered) s.OnBeforeScaleRendered(&s, target);

  const long long width = s.Width();
  const long long height = s.Height();
  if (s.m_transparent) {
    target.Pen().SetColor(s.m_colorScale);
    long long baseLine = 0;
    switch (s.m_scaleType) {
      case sctXB:
        baseLine = s.m_hostOffsetY + height - s.m_marginBottom - 1;
        break;
      case sctXT:
        baseLine = static_cast<long long>(s.m_hostOffsetY) + s.m_marginTop;
        break;
      case sctYL:
        baseLine = static_cast<long long>(s.m_hostOffsetX) + s.m_marginLeft;
        break;
      case sctYR:
        baseLine = s.m_hostOffsetX + width - s.m_marginRight - 1;
        break;
    }
    DrawScale(target, baseLine);
    if (s.m_showBaseLine) DrawBaseLine(target, baseLine);
    if (s.OnAfterScaleRendered) s.OnAfterScaleRendered(&s, target);
  } else {
    TBitmap bitmap;
    try {
      bitmap.SetSize(s.Width(), s.Height());
    } catch (const EInvalidGraphic&) {
      return;  // larger than any image: nothing can show it
    }
    TCanvas& canvas = bitmap.Canvas();
    canvas.SetFont(s.Font());
    canvas.Pen().SetColor(s.m_colorBackGnd);
    canvas.Brush().SetColor(s.m_colorBackGnd);
    canvas.Rectangle(0, 0, s.Width(), s.Height());
    canvas.Pen().SetColor(s.m_colorScale);
    long long baseLine = 0;
    switch (s.m_scaleType) {
      case sctXB:
        baseLine = height - s.m_marginBottom - 1;
        break;
      case sctXT:
        baseLine = s.m_marginTop;
        break;
      case sctYL:
        baseLine = s.m_marginLeft;
        break;
      case sctYR:
        baseLine = width - s.m_marginRight - 1;
        break;
    }
    DrawScale(canvas, baseLine);
    if (s.m_showBaseLine) DrawBaseLine(canvas, baseLine);
    if (s.OnAfterScaleRendered) s.OnAfterScaleRendered(&s, canvas);
    DrawFrame(canvas, s.m_frameStyle, 0, 0, s.Width() - 1, s.Height() - 1, s.m_frameColorLight, kFrameMid,
              s.m_frameColorShadow, s.m_frameColorDark, s.m_frameColorDark);
    if (s.m_hostCanvas) {
      target.Draw(s.m_hostOffsetX, s.m_hostOffsetY, bitmap);
    } else {
      target.Draw(0, 0, bitmap);
    }
  }
  if (!s.m_hostCanvas) s.ScreenChanged();
}

void TScalePainter::PrepareCanvas(TCanvas& canvas) {
  if (canvas.IsPrinter()) {
    // Labels keep their screen height in pixels on paper: fix the pixel height at the screen's
    // resolution, then give the font the printer's resolution without changing that height.
    canvas.Font().SetPixelsPerInch(Host().ScreenPixelsPerInch());
    canvas.Font().SetSize(m_scale.Font().Size());
    canvas.Font().SetPixelsPerInch(canvas.PrinterPixelsPerInchY());
  }
  // Labels of an opaque scale stand on boxes of the background colour, which the brush still holds.
  canvas.Brush().SetStyle(m_scale.m_transparent ? bsClear : bsSolid);
}

void TScalePainter::DrawScale(TCanvas& canvas, long long baseLine) {
  const TTextAlignGuard align(canvas);
  PrepareCanvas(canvas);
  m_scale.ClearTickList();
  if (m_scale.m_labelType == ftDateTime) {
    DrawDateTimeTicks(canvas, baseLine);
  } else {
    DrawTicks(canvas, baseLine, m_scale.CurrentTicks());
  }
  DrawCaption(canvas, baseLine);
}

void TScalePainter::DrawTicks(TCanvas& canvas, long long baseLine, const TTickList& ticks) {
  const TScaleType type = m_scale.m_scaleType;
  const bool vertical = IsVertical(type);
  // Ticks point into the scale's area: up from an sctXB base line, down from sctXT, right from
  // sctYL, left from sctYR.
  const int direction = (type == sctXB || type == sctYR) ? -1 : 1;
  const int majorLength = vertical ? kMajorTickVert : kMajorTickHorz;
  const int zeroHeight = vertical ? canvas.TextHeight("0") : 0;
  const int stride = FittingLabelStride(canvas, ticks, zeroHeight);
  for (const TTick& tick : ticks.Ticks) {
    const long long p = m_scale.ValueToPixel(tick.Value);
    if (tick.Recorded) m_scale.RecordTick(tick.Value);
    if (tick.Mark != tmNone) {
      const long long tip = baseLine + direction * (tick.Mark == tmMajor ? majorLength : kShortTick);
      if (vertical) {
        canvas.MoveTo(SaturateToInt(baseLine), SaturateToInt(p));
        canvas.LineTo(SaturateToInt(tip), SaturateToInt(p));
      } else {
        canvas.MoveTo(SaturateToInt(p), SaturateToInt(baseLine));
        canvas.LineTo(SaturateToInt(p), SaturateToInt(tip));
      }
    }
    const long long footX = vertical ? baseLine : p;
    const long long footY = vertical ? p : baseLine;
    if (!tick.LabelBeforeDrawn) FireTickDrawn(canvas, tick.Value, footX, footY);
    if (tick.Labelled) {
      // A label left out for room still fires its event, with an empty text.
      std::string text = ShowsLabel(tick.LabelIndex, stride) ? tick.Label : std::string();
      if (vertical) {
        DrawVertLabel(canvas, p, baseLine, zeroHeight, std::move(text), tick.LabelValue);
      } else {
        PlaceHorzLabel(canvas, p, baseLine, std::move(text), tick.LabelValue);
      }
    }
    if (tick.LabelBeforeDrawn) FireTickDrawn(canvas, tick.LabelValue, footX, footY);
  }
}

int TScalePainter::FittingLabelStride(TCanvas& canvas, const TTickList& ticks, int zeroHeight) {
  const bool vertical = IsVertical(m_scale.m_scaleType);
  std::vector<TLabelExtent> extents;
  for (const TTick& tick : ticks.Ticks) {
    if (!tick.Labelled || tick.Label.empty()) continue;
    const long long p = m_scale.ValueToPixel(tick.Value);
    if (vertical) {
      extents.push_back({tick.LabelIndex, p - zeroHeight / 2, p - zeroHeight / 2 + zeroHeight});
    } else {
      const long long width = canvas.TextWidth(tick.Label);
      const long long left = HorzLabelLeft(p, width);
      extents.push_back({tick.LabelIndex, left, left + width});
    }
  }
  // Horizontal labels that touch read as one; vertical ones may touch, their height holds the
  // spacing of lines.
  return LabelStride(extents, vertical ? 0 : 1);
}

long long TScalePainter::HorzLabelLeft(long long p, long long textWidth) const {
  const long long half = textWidth / 2;
  const long long width = m_scale.Width();
  return p + half < width - kLabelEdgeGap ? p - std::min(half, p - kLabelEdgeGap)
                                          : width - 2 * half - kLabelEdgeGap;
}

void TScalePainter::FireTickDrawn(TCanvas& canvas, double value, long long x, long long y) {
  if (m_scale.OnScaleTickDrawn)
    m_scale.OnScaleTickDrawn(&m_scale, canvas, m_scale.m_scaleType, value, SaturateToInt(x),
                             SaturateToInt(y));
}

void TScalePainter::PlaceHorzLabel(TCanvas& canvas, long long p, long long baseLine, std::string text,
                                   double value) {
  if (m_scale.OnBeforeTickLabel) m_scale.OnBeforeTickLabel(&m_scale, m_scale.m_scaleType, value, text);
  const long long left = HorzLabelLeft(p, canvas.TextWidth(text));
  const long long height = canvas.TextHeight(text);
  const long long top =
      m_scale.m_scaleType == sctXT ? baseLine + kHorzLabelGap : baseLine - kHorzLabelGap - height;
  canvas.TextOut(SaturateToInt(left), SaturateToInt(top), text);
}

void TScalePainter::DrawVertLabel(TCanvas& canvas, long long p, long long baseLine, int zeroHeight,
                                  std::string text, double value) {
  if (m_scale.OnBeforeTickLabel) m_scale.OnBeforeTickLabel(&m_scale, m_scale.m_scaleType, value, text);
  const long long left = m_scale.m_scaleType == sctYL ? baseLine + kVertLabelGap
                                                      : baseLine - canvas.TextWidth(text) - kVertLabelGap;
  canvas.TextOut(SaturateToInt(left), SaturateToInt(p - zeroHeight / 2), text);
}

void TScalePainter::DrawCaption(TCanvas& canvas, long long baseLine) {
  const TScale& s = m_scale;
  if (s.m_caption.empty()) return;
  long long x = baseLine;
  long long y = baseLine;
  if (IsVertical(s.m_scaleType)) {
    switch (s.m_captionAnchor) {
      case uaSclTopLft:
        y = s.m_marginTop;
        break;
      case uaSclCenter:
        y = s.m_marginTop + (static_cast<long long>(s.Height()) - s.m_marginTop - s.m_marginBottom) / 2;
        break;
      case uaSclBotRgt:
        y = static_cast<long long>(s.Height()) - s.m_marginBottom;
        break;
    }
  } else {
    switch (s.m_captionAnchor) {
      case uaSclTopLft:
        x = s.m_marginLeft;
        break;
      case uaSclCenter:
        x = s.m_marginLeft + (static_cast<long long>(s.Width()) - s.m_marginLeft - s.m_marginRight) / 2;
        break;
      case uaSclBotRgt:
        x = static_cast<long long>(s.Width()) - s.m_marginRight;
        break;
    }
  }
  x += s.m_captionPosX;
  y += s.m_captionPosY;
  const long long width = canvas.TextWidth(s.m_caption);
  switch (s.m_captionAlignment) {
    case taLeftJustify:
      break;
    case taRightJustify:
      x -= width;
      break;
    case taCenter:
      x -= width / 2;
      break;
  }
  canvas.TextOut(SaturateToInt(x), SaturateToInt(y), s.m_caption);
}

void TScalePainter::DrawBaseLine(TCanvas& canvas, long long baseLine) {
  const TScale& s = m_scale;
  if (IsVertical(s.m_scaleType)) {
    canvas.MoveTo(SaturateToInt(baseLine), s.m_marginTop);
    canvas.LineTo(SaturateToInt(baseLine),
                  SaturateToInt(static_cast<long long>(s.Height()) - s.m_marginBottom - 1));
  } else {
    canvas.MoveTo(s.m_marginLeft, SaturateToInt(baseLine));
    canvas.LineTo(SaturateToInt(static_cast<long long>(s.Width()) - s.m_marginRight - 1),
                  SaturateToInt(baseLine));
  }
}

}  // namespace nox::detail
