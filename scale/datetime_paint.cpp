// Drawing a date/time scale: the walk of scale/datetime_ticks.h put on the canvas, or its message.
//
// Per tick, in this order: the value enters the tick list, the tick line is drawn (major or minor,
// the same lengths as numeric ticks), a major tick's label is drawn (OnBeforeTickLabel first), then
// its date line if it has one (OnBeforeTickLabel again, with the date text), and finally
// OnScaleTickDrawn fires. Vertical labels are centred on their tick by their own height; a date line
// stands one line above its label there. On horizontal scales both go through PlaceHorzLabel, the
// date line one line of its own height further from the base line than the label.

#include <algorithm>

#include "platform/raster_math.h"
#include "scale/datetime_month_names.h"
#include "scale/datetime_ticks.h"
#include "scale/scale_paint.h"

namespace nox::detail {

namespace {

constexpr int kMessageGapVert = 2;  // between base line and the words of a vertical message
constexpr int kMessageGapHorz = 7;  // between base line and a horizontal message

}  // namespace

void TScalePainter::DrawDateTimeTicks(TCanvas& canvas, long long baseLine) {
  const TScale& s = m_scale;
  const TScaleType type = s.m_scaleType;
  const bool vertical = type == sctYL || type == sctYR;
  const TDateTimeSettings settings{s.m_rangeLow, s.m_rangeHigh, s.m_minTicks, s.m_shortTicks, vertical};
  const TDateTimeLayout layout = LayoutDateTimeTicks(settings, s.m_dateFormat, ShortMonthNames());
  if (!layout.Message.empty()) {
    DrawDateTimeMessage(canvas, baseLine, layout.Message);
    return;
  }

  // Ticks point into the scale's area, as numeric ticks do.
  const int direction = (type == sctXB || type == sctYR) ? -1 : 1;
  const auto labelLeft = [&](const std::string& text) {
    return type == sctYL ? baseLine + kVertLabelGap : baseLine - canvas.TextWidth(text) - kVertLabelGap;
  };
  const auto beforeLabel = [&](double value, std::string& text) {
    if (m_scale.OnBeforeTickLabel) m_scale.OnBeforeTickLabel(&m_scale, type, value, text);
  };
  for (const TDateTimeTick& tick : layout.Ticks) {
    const long long p = s.ValueToPixel(tick.Value);
    m_scale.RecordTick(tick.Value);
    const int length = tick.Major ? (vertical ? kMajorTickVert : kMajorTickHorz) : kShortTick;
    if (vertical) {
      canvas.MoveTo(SaturateToInt(baseLine), SaturateToInt(p));
      canvas.LineTo(SaturateToInt(baseLine + direction * length), SaturateToInt(p));
    } else {
      canvas.MoveTo(SaturateToInt(p), SaturateToInt(baseLine));
      canvas.LineTo(SaturateToInt(p), SaturateToInt(baseLine + direction * length));
    }
    if (tick.Major) {
      if (vertical) {
        std::string text = tick.Label;
        beforeLabel(tick.Value, text);
        canvas.TextOut(SaturateToInt(labelLeft(text)), SaturateToInt(p - canvas.TextHeight(text) / 2), text);
      } else {
        PlaceHorzLabel(canvas, p, baseLine, tick.Label, tick.Value);
      }
      if (tick.DateLine) {
        if (vertical) {
          std::string text = *tick.DateLine;
          beforeLabel(tick.Value, text);
          canvas.TextOut(SaturateToInt(labelLeft(text)), SaturateToInt(p - 3 * (canvas.TextHeight(text) / 2)),
                         text);
        } else {
          const long long lineHeight = canvas.TextHeight(*tick.DateLine);
          const long long dateBase = type == sctXT ? baseLine + lineHeight : baseLine - lineHeight;
          PlaceHorzLabel(canvas, p, dateBase, *tick.DateLine, tick.Value);
        }
      }
    }
    FireTickDrawn(canvas, tick.Value, vertical ? baseLine : p, vertical ? p : baseLine);
  }
}

void TScalePainter::DrawDateTimeMessage(TCanvas& canvas, long long baseLine,
                                        const std::vector<std::string>& lines) {
  const TScale& s = m_scale;
  const TScaleType type = s.m_scaleType;
  // The middle of the range, computed so that it stays finite for any finite bounds.
  const long long middle =
      s.ValueToPixel(static_cast<double>((static_cast<long double>(s.m_rangeLow) + s.m_rangeHigh) / 2));
  if (type == sctYL || type == sctYR) {
    // One word a line, the second line at the middle.
    const long long lineHeight = canvas.TextHeight("T");
    long long top = middle - lineHeight;
    for (const std::string& word : lines) {
      const long long left =
          type == sctYL ? baseLine + kMessageGapVert : baseLine - canvas.TextWidth(word) - kMessageGapVert;
      canvas.TextOut(SaturateToInt(left), SaturateToInt(top), word);
      top += lineHeight;
    }
    return;
  }
  // On the side of the base line where the labels go.
  for (const std::string& line : lines) {
    const long long left = middle - canvas.TextWidth(line) / 2;
    const long long top =
        type == sctXT ? baseLine + kMessageGapHorz : baseLine - kMessageGapHorz - canvas.TextHeight(line);
    canvas.TextOut(SaturateToInt(left), SaturateToInt(top), line);
  }
}

}  // namespace nox::detail
