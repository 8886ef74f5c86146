// Tick layout of the axis control: any range (NaN, infinities, the ends of the double range,
// denormals), any MinTicks, DecPlaces, label type and orientation run every tick routine, the
// date/time walk, and the painting of a small scale with those settings. Each must end, with a
// bounded number of ticks:
//   linear and time-of-day routines  at most 2 x (kMaxTicksPerPass + 1) ticks (a pass of short
//                                    ticks and a pass of major ticks);
//   logarithmic routine              at most 9 ticks for each of the about 630 decades of double;
//   date/time walk                   at most kMaxTicksPerPass ticks, in increasing order, each
//                                    inside the range (within 1e-8 days), or else a message;
//   painted scale                    at most kTickListCapacity recorded ticks, and no more tick
//                                    events than the largest of the bounds above.
// Tick values are finite; logarithmic ticks lie inside the range.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "platform/host.h"
#include "scale/Nox_Scale.h"
#include "scale/datetime_ticks.h"
#include "scale/tick_layout.h"

namespace nox::fuzz {
namespace {

constexpr std::size_t kMaxLinearTicks = 2 * (kMaxTicksPerPass + 1);
constexpr std::size_t kMaxLogTicks = 9 * 640;
constexpr std::size_t kMaxPaintedTicks = std::max(kMaxLinearTicks, kMaxLogTicks);
// The painted scale's extent across its axis.
constexpr int kMaxAcross = 100;

// MinTicks as a scale holds it (0 or 2..10) most of the time, any int now and then: the free
// functions take what they are given.
int ReadMinTicks(TFuzzInput& in) { return in.Byte() < 224 ? in.IntIn(0, 10) : in.Int(); }
int ReadDecPlaces(TFuzzInput& in) { return in.Byte() < 224 ? in.IntIn(-3, 12) : in.Int(); }

void CheckTicks(const TTickList& list, std::size_t bound, const char* routine) {
  Check(list.Ticks.size() <= bound, routine);
  for (const TTick& tick : list.Ticks) Check(std::isfinite(tick.Value), "a tick value is not finite");
}

void CheckNiceStep(const TTickSettings& s) {
  const TNiceTickStep nice = NiceTickStep(s.MinTicks, s.RangeLow, s.RangeHigh);
  Check(nice.SubDivisions == 1 || nice.SubDivisions == 4 || nice.SubDivisions == 5, "odd subdivisions");
  if (nice.Step == 0) return;
  Check(std::isfinite(nice.Step) && std::isfinite(nice.First), "a nice step or first tick is not finite");
  Check((nice.Step > 0) == (s.RangeHigh > s.RangeLow), "the step runs against the range");
  if (s.MinTicks > 0) {
    const long double quotient = std::fabs(static_cast<long double>(s.RangeHigh) - s.RangeLow) / s.MinTicks;
    Check(std::fabs(nice.Step) <= quotient * (1 + 1e-9L), "the step exceeds the span per interval");
  }
}

void CheckLogTicks(const TTickSettings& s) {
  const TTickList list = LayoutLogTicks(s);
  const long double decades = std::fabs(std::log10(static_cast<long double>(s.RangeHigh) / s.RangeLow));
  if (!(s.RangeLow > 0 && s.RangeHigh > 0 && std::isfinite(s.RangeLow) && std::isfinite(s.RangeHigh))) {
    Check(list.Ticks.empty(), "logarithmic ticks on a range that is not positive");
    return;
  }
  if (decades < 1) {
    CheckTicks(list, kMaxLinearTicks, "too many linear ticks on a short logarithmic range");
    return;
  }
  CheckTicks(list, kMaxLogTicks, "too many logarithmic ticks");
  const double low = std::min(s.RangeLow, s.RangeHigh) * 0.999999;
  const double high = std::max(s.RangeLow, s.RangeHigh) / 0.999999;
  for (const TTick& tick : list.Ticks) {
    Check(tick.Value >= low && tick.Value <= high, "a logarithmic tick lies outside the range");
  }
}

void ReadDateFormat(TFuzzInput& in, TDTLabel& format) {
  format.SetScaleDefaults();
  if (!in.Bool()) return;
  format.SetTimeFormat(in.Enum<TTimeFormat>(tfAMPM + 1));
  format.SetDateSeparator(static_cast<char>(in.Byte()));
  format.SetTimeSeparator(static_cast<char>(in.Byte()));
  format.SetYearLength(in.Enum<TYearLength>(ylYYYY + 1));
  format.SetMonthName(in.Bool());
  format.SetDateOrder(in.Enum<TDateOrder>(doYYMMDD + 1));
  format.SetDateForTime(in.Enum<TDateForTime>(dtAllTicks + 1));
}

void CheckDateTimeWalk(const TTickSettings& s, const TDTLabel& format) {
  TDateTimeSettings d;
  d.RangeLow = s.RangeLow;
  d.RangeHigh = s.RangeHigh;
  d.MinTicks = s.MinTicks;
  d.ShortTicks = s.ShortTicks;
  d.Vertical = s.Vertical;
  const TDateTimeLayout layout = LayoutDateTimeTicks(d, format, EnglishShortMonthNames());
  Check(layout.Level == ChooseDateTimeLevel(d), "the walk took another level than it chose");
  Check(layout.Ticks.size() <= static_cast<std::size_t>(kMaxTicksPerPass), "too many date/time ticks");
  Check(layout.Message.empty() || layout.Ticks.empty(), "a date/time scale with a message and ticks");
  // The years level draws every value it visits: its first tick is 1 January of the start year
  // also when the range starts later on that day.
  const long double before = layout.Level == dlYears ? 1.0L : 1e-8L;
  for (std::size_t i = 0; i < layout.Ticks.size(); ++i) {
    const long double v = layout.Ticks[i].Value;
    Check(v - d.RangeLow > -before && v - d.RangeHigh < 1e-8L, "a date/time tick lies outside the range");
    if (i > 0) Check(layout.Ticks[i - 1].Value < v, "date/time ticks out of order");
  }
}

// A small stand-alone scale with the same settings, painted once; the events count the ticks. It is
// long along its axis and as thick as scales are across it: a large square adds pixels to fill at
// every paint and nothing a scale draws.
void PaintScale(TFuzzInput& in, const TTickSettings& s, const TDTLabel& format) {
  TScale scale(nullptr);
  const int length = in.IntIn(0, 400);
  const int across = in.IntIn(0, kMaxAcross);
  scale.SetScaleType(in.Enum<TScaleType>(kScaleTypeCount));
  if (scale.ScaleType() == sctYL || scale.ScaleType() == sctYR) {
    scale.SetBounds(0, 0, across, length);
  } else {
    scale.SetBounds(0, 0, length, across);
  }
  scale.SetMarginLeft(in.IntIn(-5, 60));
  scale.SetMarginRight(in.IntIn(-5, 60));
  scale.SetMarginTop(in.IntIn(-5, 60));
  scale.SetMarginBottom(in.IntIn(-5, 60));
  scale.SetTransparent(in.Bool());
  scale.SetShowBaseLine(in.Bool());
  scale.SetCaption(in.Text(12));
  scale.Font().SetHeight(in.IntIn(-40, 40));
  scale.SetDateFormat(format);
  scale.SetRange(s.RangeLow, s.RangeHigh);
  scale.SetLabelType(s.LabelType);
  scale.SetLogarithmic(s.Logarithmic);
  scale.SetMinTicks(s.MinTicks);
  scale.SetShortTicks(s.ShortTicks);
  scale.SetDecPlaces(s.DecPlaces);
  scale.SetUserTickText(s.UserTickText);
  scale.SetScaleInscript(s.ScaleInscript);

  std::size_t drawn = 0;
  std::size_t labelled = 0;
  scale.OnScaleTickDrawn = [&](TObject*, TCanvas&, TScaleType, double, int, int) { ++drawn; };
  scale.OnBeforeTickLabel = [&](TObject*, TScaleType, double, std::string&) { ++labelled; };
  scale.HandleNeeded();
  scale.PaintNow();
  Check(scale.NumTicks() >= 0 && scale.NumTicks() <= kTickListCapacity, "tick list overflow");
  Check(drawn <= kMaxPaintedTicks && labelled <= kMaxPaintedTicks, "too many tick events");
}

void LayOutTicks(TFuzzInput& in) {
  PrepareProcess();
  THeadlessHost host;
  TScopedHost scoped(host);

  TTickSettings s;
  s.RangeLow = in.Double();
  s.RangeHigh = in.Double();
  s.MinTicks = ReadMinTicks(in);
  s.ShortTicks = in.Bool();
  s.Logarithmic = in.Bool();
  s.LabelType = in.Enum<TFigType>(kFigTypeCount);
  s.DecPlaces = ReadDecPlaces(in);
  s.Vertical = in.Bool();
  s.UserTickText = in.Text(24);
  s.ScaleInscript = in.Text(8);

  CheckNiceStep(s);
  CheckTicks(LayoutLinearTicks(s), kMaxLinearTicks, "too many linear ticks");
  CheckLogTicks(s);
  if (const std::optional<TTickList> time = LayoutTimeTicks(s)) {
    CheckTicks(*time, kMaxLinearTicks, "too many time ticks");
  }
  CheckTicks(LayoutTicks(s), kMaxPaintedTicks, "too many ticks");

  TDTLabel format;
  ReadDateFormat(in, format);
  CheckDateTimeWalk(s, format);
  PaintScale(in, s, format);
}

}  // namespace
}  // namespace nox::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nox::fuzz::TFuzzInput in(data, size);
  nox::fuzz::LayOutTicks(in);
  return 0;
}
