#pragma once
// Where the ticks of a scale go, which are major (long, labelled) and which short, and what their
// labels say: the deciding half of painting a scale. A tick routine turns the scale's settings into a
// TTickList in drawing order; the painter (scale/scale_paint.h) walks that list, records the values,
// draws lines and labels and fires the tick events in exactly that order.
//
// Routines: linear, logarithmic and time of day (ftTime). Calendar date/time ticks are one more
// routine of the same shape. Every routine's work is bounded: a pass over tick values stops after
// kMaxTicksPerPass values, so a fixed step of 1 on a huge range, ranges near the limits of double,
// or steps that vanish against the values (x + step == x) still end quickly. NaN or infinite bounds
// give no ticks.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "base/Nox_noxbase.h"

namespace nox {

// Upper bound of the tick values one pass of a routine visits (short ticks, major ticks). No sensible
// scale comes near it: with MinTicks 2..10 a linear scale has at most about 30 major and 150 short
// ticks; only MinTicks 0 (a step of 1) on a span of thousands reaches it, and there the ticks are far
// denser than the pixels anyway.
constexpr int kMaxTicksPerPass = 4000;

// Which line a tick gets.
enum TTickMark : std::uint8_t {
  tmNone,   // no line (the tick only fires its events)
  tmShort,  // short tick
  tmMajor   // major (long) tick
};

struct TTick {
  double Value = 0;               // world value: where the tick lies; the value recorded and reported
  double LabelValue = 0;          // value reported with the label and by the events after it
  TTickMark Mark = tmNone;        // which line is drawn
  bool Recorded = false;          // enters the scale's tick list
  bool Labelled = false;          // has a label (OnBeforeTickLabel fires for it, even for empty text)
  bool LabelBeforeDrawn = false;  // OnScaleTickDrawn fires after the label, not before it
  std::string Label;              // label text before OnBeforeTickLabel
  // The major tick's place along the axis: its value divided by the major step (the label count on
  // logarithmic scales). A painter short of room labels the ticks whose index is a multiple of k,
  // which keeps the labels on the same values while the axis pans.
  std::int64_t LabelIndex = 0;
  friend bool operator==(const TTick&, const TTick&) = default;
};

struct TTickList {
  std::vector<TTick> Ticks;  // in drawing order
  friend bool operator==(const TTickList&, const TTickList&) = default;
};

// What the tick routines read from a scale.
struct TTickSettings {
  double RangeLow = 0;
  double RangeHigh = 100;
  int MinTicks = 3;
  bool ShortTicks = true;
  bool Logarithmic = false;
  TFigType LabelType = ftNum;
  int DecPlaces = -2;
  std::string UserTickText;
  std::string ScaleInscript;
  bool Vertical = false;  // sctYL, sctYR
};

struct TNiceTickStep {
  double First = 0;                // first major tick at or after Low (in the direction of High)
  double Step = 0;                 // major step, signed like High - Low; 0 when there is none
  std::uint16_t SubDivisions = 1;  // short ticks per major step
  friend bool operator==(const TNiceTickStep&, const TNiceTickStep&) = default;
};

// The major step (1, 2 or 5 times a power of ten, at most |High - Low| / MinTicks, where a quotient
// within 1e-10 of a decade step counts as below it: 0..6 with MinTicks 3 gives a step of 1) and the
// first major tick of a linear range. MinTicks 0 gives a step of 1 (signed like the range), with 1
// subdivision when the span exceeds 10, else 5. Equal bounds give Step 0. Also Step 0: a negative
// MinTicks, NaN or infinite bounds, and a step too small for a double.
// 0..100 with 3 gives First 0, Step 20, 4 subdivisions; -60..40 gives First -60, Step 20.
TNiceTickStep NiceTickStep(int MinTicks, double Low, double High);

struct TTimeStep {
  double Step;                 // seconds between major ticks
  std::uint16_t SubDivisions;  // short ticks per major step
};
constexpr int kTimeStepCount = 28;
// Major steps of time scales, from 1 ms to a day.
extern const std::array<TTimeStep, kTimeStepCount> TimeStepTable;

// The linear routine: short ticks (when ShortTicks) from one step before First, then the major ticks
// from First, labelled unless LabelType is ftNoFigs. Vertical scales record the major ticks again;
// horizontal scales with short ticks do not (the short ticks hold those positions already).
// Numeric labels that would read the same for different values get the fewest extra digits that
// tell them apart (tick_labels.h, DistinctNumbers); so do the logarithmic routine's.
TTickList LayoutLinearTicks(const TTickSettings& settings);

// The logarithmic routine: the decades (1, 10, 100, ...) and, when MinTicks exceeds the number of
// decades + 0.5, also 2 and 5 (major) and 3, 4, 6, 7, 8, 9 (short) times each decade. Less than one
// decade falls back to the linear routine. Bounds that are not both positive give no ticks.
TTickList LayoutLogTicks(const TTickSettings& settings);

// The time-of-day routine (values in seconds, labels h:mm:ss). Declines (returns nothing) when the
// step per interval is below 1 ms or a day or more, and for MinTicks 0.
std::optional<TTickList> LayoutTimeTicks(const TTickSettings& settings);

// The routine a drawing uses: ftTime tries the time routine first; then the logarithmic routine when
// Logarithmic, else the linear one. ftDateTime uses the numeric routines here; a painted date/time
// scale takes the calendar walk of scale/datetime_ticks.h instead.
TTickList LayoutTicks(const TTickSettings& settings);

}  // namespace nox
