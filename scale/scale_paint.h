#pragma once
// Painting a TScale: what it puts on a canvas and in which order the events fire.
//
// Opaque scales paint into a fresh bitmap of the control's size (background, ticks, labels, caption,
// base line, OnAfterScaleRendered, frame) that is then copied onto the target in one piece; the
// target is the host canvas at the host offset, or the control's own canvas at (0, 0). Transparent
// scales draw straight onto the target, without background and frame; there the host offsets move
// the base line across the axis (HostOffsetY for horizontal scales, HostOffsetX for vertical ones).
// Positions along the axis always come from ValueToPixel.
//
// Tick lines start at the base line B and point away from the named side: horizontal ticks are 4
// (short) or 7 (major) pixels long, vertical ones 4 or 6. For each tick the painter records its
// value (when the tick list says so), draws its line, and fires OnScaleTickDrawn before or after the
// label as the tick list says. Labels of horizontal scales are centred on the tick and kept 2 pixels
// inside the control (PlaceHorzLabel); labels of vertical scales stand 8 pixels beside the base line,
// centred on the tick by the height of "0". Where the labels would run into each other only every
// k-th major tick keeps its label, with the smallest k that leaves a gap. Pixel coordinates are
// computed in 64 bits and limited to int before they reach the canvas, so huge margins, offsets or
// positions cannot overflow.

#include <string>
#include <vector>

#include "platform/canvas.h"
#include "scale/Nox_Scale.h"
#include "scale/tick_layout.h"

namespace nox::detail {

// Tick lengths and the label gap of vertical scales, pixels; the numeric and the date/time painter
// draw with the same.
constexpr int kShortTick = 4;
constexpr int kMajorTickHorz = 7;
constexpr int kMajorTickVert = 6;
constexpr int kVertLabelGap = 8;  // between base line and vertical labels

class TScalePainter {
 public:
  explicit TScalePainter(TScale& scale) : m_scale(scale) {}

  // One paint of the scale on its target (the checks for hidden, loading and suspended scales are
  // the caller's). Rebuilds the scale's tick list.
  void Paint();

  // Ticks, labels and caption of the scale (either orientation) whose base line lies at baseLine:
  // empties the tick list, lays out the ticks from the scale's settings and draws them in order.
  void DrawScale(TCanvas& canvas, long long baseLine);

  // Fires OnBeforeTickLabel with value and text, then draws the final text of a horizontal scale's
  // label for the tick at pixel p: centred on p but not left of x = 2, and ending 2 pixels before
  // the control's right edge when centring would cross it; above the base line on sctXB, below it
  // on sctXT.
  void PlaceHorzLabel(TCanvas& canvas, long long p, long long baseLine, std::string text, double value);

 private:
  void PrepareCanvas(TCanvas& canvas);
  void DrawTicks(TCanvas& canvas, long long baseLine, const TTickList& ticks);
  // Every how many major ticks a label shows: 1 when no two labels touch or overlap, else the
  // smallest k that leaves a gap between them (scale/label_thinning.h).
  int FittingLabelStride(TCanvas& canvas, const TTickList& ticks, int zeroHeight);
  // Left edge of a horizontal label textWidth pixels wide at tick pixel p (see PlaceHorzLabel).
  long long HorzLabelLeft(long long p, long long textWidth) const;
  void DrawVertLabel(TCanvas& canvas, long long p, long long baseLine, int zeroHeight, std::string text,
                     double value);
  void DrawCaption(TCanvas& canvas, long long baseLine);
  void DrawBaseLine(TCanvas& canvas, long long baseLine);
  void FireTickDrawn(TCanvas& canvas, double value, long long x, long long y);

  // Date/time scales (LabelType ftDateTime), scale/datetime_paint.cpp: the calendar walk's ticks,
  // labels and date lines, or the message of a range it cannot show.
  void DrawDateTimeTicks(TCanvas& canvas, long long baseLine);
  void DrawDateTimeMessage(TCanvas& canvas, long long baseLine, const std::vector<std::string>& lines);

  TScale& m_scale;
};

}  // namespace nox::detail
