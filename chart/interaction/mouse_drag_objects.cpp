// Dragging the nearest cross hair (maDragCrossH) or text label (maDragLabel) with the left button.
// The first move of a drag picks the object, the later ones put it under the pointer; the offset
// between the grab point and the object is not kept. A drag whose start something else recorded
// (a scale, another action) still picks, and asks, before it moves anything.

#include <algorithm>
#include <cfloat>
#include <cstdint>
#include <limits>

#include "base/rounding.h"
#include "chart/Nox_grafon.h"
#include "chart/paint_hold.h"
#include "platform/raster_math.h"

namespace nox {

namespace {

// (a - b)^2 without int overflow.
double SquaredGap(int a, int b) {
  const double gap = static_cast<double>(a) - b;
  return gap * gap;
}

int SaturatedDifference(int a, int b) { return detail::SaturateToInt(std::int64_t{a} - b); }

bool ShowsVerticalLine(TCrossHMode mode) {
  return mode == chVert || mode == chBoth || mode == chCrossBox || mode == chBox;
}

bool ShowsHorizontalLine(TCrossHMode mode) {
  return mode == chHoriz || mode == chBoth || mode == chCrossBox || mode == chBox;
}

}  // namespace

void detail::TGrafonMouse::DragCrossHairStep(bool left, int x, int y) {
  if (!left) {
    EndDrag();
    return;
  }
  if (!m_chart.InChartArea(x, y)) return;
  if (!m_mouseState.DragStarted || m_mouseState.PickedFor != maDragCrossH) {
    // The nearest line wins; a cross hair that shows none never competes, so with all of them
    // off cross hair 1 is dragged. Ties keep the lower number; there is no distance limit.
    int selected = 1;
    double best = DBL_MAX;
    for (int i = 1; i <= kCrossHairCount; ++i) {
      const TCrossHair& hair = m_chart.CrossHair(i);
      int px = 0, py = 0;
      m_chart.WorldToPixel(hair.Layer(), hair.PosX(), hair.PosY(), px, py);
      if (ShowsVerticalLine(hair.Mode()) && SquaredGap(px, x) < best) {
        best = SquaredGap(px, x);
        selected = i;
      }
      if (ShowsHorizontalLine(hair.Mode()) && SquaredGap(py, y) < best) {
        best = SquaredGap(py, y);
        selected = i;
      }
    }
    m_mouseState.SelectedCrossHair = selected;
    TCrossHair& hair = m_chart.CrossHair(selected);
    bool allowMove = true;
    if (m_chart.OnBeforeCrossHairMove) {
      int px = 0, py = 0;
      m_chart.WorldToPixel(hair.Layer(), hair.PosX(), hair.PosY(), px, py);
      m_chart.OnBeforeCrossHairMove(&m_chart, hair, SaturatedDifference(x, px), SaturatedDifference(y, py),
                                    allowMove);
    }
    if (allowMove) {
      RecordDragStart(x, y);
      m_mouseState.PickedFor = maDragCrossH;
    } else {
      // Not started: the next move picks and asks again.
      EndDrag();
    }
    return;
  }
  TCrossHair& hair = m_chart.CrossHair(m_mouseState.SelectedCrossHair);
  double wx = 0, wy = 0;
  m_chart.PixelToWorld(hair.Layer(), x, y, wx, wy);
  // Both coordinates, whatever lines the cross hair shows; one repaint for the two.
  TCustomGrafon::TPaintHold hold(m_chart);
  hair.SetPosX(wx);
  hair.SetPosY(wy);
  hold.Release();
  if (m_chart.OnCrossHairMove) m_chart.OnCrossHairMove(&m_chart, hair);
}

void detail::TGrafonMouse::DragTextLabelStep(bool left, int x, int y) {
  if (!left) {
    EndDrag();
    return;
  }
  // Anywhere over the control; a captured mouse far outside drags the label to the control's edge.
  x = std::clamp(x, 0, std::max(m_chart.Width() - 1, 0));
  y = std::clamp(y, 0, std::max(m_chart.Height() - 1, 0));
  if (!m_mouseState.DragStarted || m_mouseState.PickedFor != maDragLabel) {
    RecordDragStart(x, y);
    m_mouseState.PickedFor = maDragLabel;
    // The visible label whose anchor lies nearest; ties keep the lower number, no distance limit.
    int selected = 1;
    double best = DBL_MAX;
    for (int i = 1; i <= kTextLabelCount; ++i) {
      const TTextLabel& label = m_chart.TextLabel(i);
      if (label.Mode() == tlOff || !label.Visible()) continue;
      int wx = 0, wy = 0;
      m_chart.WorldToPixel(label.Layer(), label.PosX(), label.PosY(), wx, wy);
      const TTxtLblAttachMode attach = label.AttachToData();
      const int px = attach == tlamXOnly || attach == tlamBoth ? wx : RoundToInt(label.PosX());
      const int py = attach == tlamYOnly || attach == tlamBoth ? wy : RoundToInt(label.PosY());
      const double d = SquaredGap(px, x) + SquaredGap(py, y);
      if (d < best) {
        best = d;
        selected = i;
      }
    }
    m_mouseState.SelectedTextLabel = selected;
    return;
  }
  TTextLabel& label = m_chart.TextLabel(m_mouseState.SelectedTextLabel);
  double wx = 0, wy = 0;
  m_chart.PixelToWorld(label.Layer(), x, y, wx, wy);
  const TTxtLblAttachMode attach = label.AttachToData();
  // Unattached coordinates are control pixels.
  TCustomGrafon::TPaintHold hold(m_chart);
  label.SetPosX(attach == tlamXOnly || attach == tlamBoth ? wx : x);
  label.SetPosY(attach == tlamYOnly || attach == tlamBoth ? wy : y);
  hold.Release();
  if (m_chart.OnTextLabelMove) m_chart.OnTextLabelMove(&m_chart, label);
}

}  // namespace nox
