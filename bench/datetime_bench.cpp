// Date/time scales: the calendar walk alone at each kind of level, its worst case (a tick a day
// over the whole calendar), and whole painted scales with date lines. Run from a Release build (the
// "release" preset).

#include <benchmark/benchmark.h>

#include "platform/text_fonts.h"
#include "scale/Nox_Scale.h"
#include "scale/datetime_calendar.h"
#include "scale/datetime_month_names.h"
#include "scale/datetime_ticks.h"

namespace {

void UsePinnedFontsAndEnglish() {
  static const bool once = [] {
    nox::SetFontDirectory(NOX_TEST_DATA_DIR "/fonts");
    nox::SetShortMonthNames(nox::EnglishShortMonthNames());
    return true;
  }();
  (void)once;
}

double At(int year, int month, int day, int hour = 0) {
  return static_cast<double>(nox::detail::DayNumber(year, month, day)) + hour / 24.0;
}

void Layout(benchmark::State& state, double low, double high, int minTicks, bool vertical) {
  nox::TDTLabel format;
  format.SetScaleDefaults();
  const nox::TDateTimeSettings settings{low, high, minTicks, true, vertical};
  for (auto _ : state) {
    benchmark::DoNotOptimize(nox::LayoutDateTimeTicks(settings, format, nox::EnglishShortMonthNames()));
  }
}

void BM_LayoutYears(benchmark::State& state) { Layout(state, At(1900, 3, 1), At(2030, 1, 1), 10, false); }
void BM_LayoutMonths(benchmark::State& state) { Layout(state, At(2020, 3, 1), At(2024, 1, 1), 10, false); }
void BM_LayoutDays(benchmark::State& state) { Layout(state, At(2024, 3, 1), At(2024, 5, 1), 10, false); }
void BM_LayoutHoursWithDates(benchmark::State& state) {
  Layout(state, At(2024, 3, 1), At(2024, 3, 11), 10, false);
}
void BM_LayoutHundredths(benchmark::State& state) {
  Layout(state, At(2024, 3, 1, 12), At(2024, 3, 1, 12) + 5.0 / 86400, 10, true);
}
// The most a walk does: one tick a day until the bound.
void BM_LayoutDailyOverTheCalendar(benchmark::State& state) { Layout(state, -693593, 3000000, 0, false); }

void Paint(benchmark::State& state, nox::TScaleType type, double low, double high) {
  UsePinnedFontsAndEnglish();
  nox::TScale scale(nullptr);
  scale.HandleNeeded();
  const bool vertical = type == nox::sctYL || type == nox::sctYR;
  scale.SetBounds(0, 0, vertical ? 160 : 800, vertical ? 600 : 80);
  scale.SetScaleType(type);
  scale.SetLabelType(nox::ftDateTime);
  scale.SetMinTicks(10);
  scale.SetRange(low, high);
  for (auto _ : state) {
    scale.RequestRedraw();
    benchmark::DoNotOptimize(scale.ScreenImage().Bits());
  }
}

void BM_PaintHorizontalHours(benchmark::State& state) {
  Paint(state, nox::sctXB, At(2024, 3, 1), At(2024, 3, 4));
}
void BM_PaintVerticalDays(benchmark::State& state) { Paint(state, nox::sctYL, At(2024, 3, 1), At(2024, 4, 1)); }

}  // namespace

BENCHMARK(BM_LayoutYears);
BENCHMARK(BM_LayoutMonths);
BENCHMARK(BM_LayoutDays);
BENCHMARK(BM_LayoutHoursWithDates);
BENCHMARK(BM_LayoutHundredths);
BENCHMARK(BM_LayoutDailyOverTheCalendar);
BENCHMARK(BM_PaintHorizontalHours);
BENCHMARK(BM_PaintVerticalDays);
BENCHMARK_MAIN();
