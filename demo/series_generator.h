#pragma once
// The demo's data: a 32-bit linear congruential generator and the three series the main window
// draws into its chart each time it becomes active.
//
// The generator steps seed := seed * 134775813 + 1 (mod 2^32) and gives seed / 2^32, a value in
// [0, 1). It starts from seed 0, so the noisy series is the same at every program start; drawing
// the series again continues the sequence, so each later noisy series differs.

#include <cstdint>

#include "platform/color.h"

namespace nox {

class TCustomGrafon;

class TSeriesRandom {
 public:
  explicit TSeriesRandom(std::uint32_t seed = 0) : m_seed(seed) {}

  // The next value in [0, 1); exact in extended precision (32 significant bits).
  long double Next();
  std::uint32_t Seed() const { return m_seed; }

 private:
  std::uint32_t m_seed;
};

// The series at i = 1 .. 300, in extended precision, sines and cosines in radians.
// Noisy curve: sin(0.04 i) * (i / 30) + i / 10 + (r1 + r2) * 20, r1 drawn before r2.
long double NoisySeriesValue(int i, long double r1, long double r2);
// Smooth curve: sin(0.05 i) * (i / 10) * cos(0.04 i) + 5.
long double WaveSeriesValue(int i);
// Marks at every fourth i: cos(0.05 i) * (i / 5).
long double MarkSeriesValue(int i);

constexpr int kSeriesLength = 300;  // points of each curve
constexpr int kMarkStep = 4;        // one mark at every fourth point: 75 marks
constexpr int kSeriesMarkType = 4;  // mark symbol of the third series
constexpr TColor kWaveColor = clRed;
constexpr TColor kMarkColor = clBlue;

// Appends the three series to the chart's current list through its drawing operations: the noisy
// curve from (0, 0) in the chart's current DataColor, the smooth curve from (0, 5) in red, the 75
// marks in blue (DataColor is left blue). Nothing is shown until the chart's next paint.
void AddDemoSeries(TCustomGrafon& chart, TSeriesRandom& random);

}  // namespace nox
