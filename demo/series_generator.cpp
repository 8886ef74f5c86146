#include "demo/series_generator.h"

#include <cmath>

#include "chart/Nox_grafon.h"

namespace nox {

long double TSeriesRandom::Next() {
  m_seed = m_seed * 134775813u + 1u;  // unsigned arithmetic wraps modulo 2^32
  return static_cast<long double>(m_seed) / 4294967296.0L;
}

long double NoisySeriesValue(int i, long double r1, long double r2) {
  const long double x = i;
  return std::sin(0.04L * x) * (x / 30) + x / 10 + (r1 + r2) * 20;
}

long double WaveSeriesValue(int i) {
  const long double x = i;
  return std::sin(0.05L * x) * (x / 10) * std::cos(0.04L * x) + 5;
}

long double MarkSeriesValue(int i) {
  const long double x = i;
  return std::cos(0.05L * x) * (x / 5);
}

void AddDemoSeries(TCustomGrafon& chart, TSeriesRandom& random) {
  chart.MoveToPoint(0, 0);
  for (int i = 1; i <= kSeriesLength; ++i) {
    const long double r1 = random.Next();
    const long double r2 = random.Next();
    chart.LineToPoint(i, static_cast<double>(NoisySeriesValue(i, r1, r2)));
  }
  chart.SetDataColor(kWaveColor);
  chart.MoveToPoint(0, 5);
  for (int i = 1; i <= kSeriesLength; ++i) chart.LineToPoint(i, static_cast<double>(WaveSeriesValue(i)));
  chart.SetDataColor(kMarkColor);
  for (int i = kMarkStep; i <= kSeriesLength; i += kMarkStep)
    chart.AddMark(kSeriesMarkType, i, static_cast<double>(MarkSeriesValue(i)));
}

}  // namespace nox
