// The demo's generator and its three series, without a window: the random sequence from seed 0,
// the values of each curve, and what AddDemoSeries leaves in a chart's data list.
#include <QTest>
#include <cmath>

#include "chart/Nox_grafon.h"
#include "demo/series_generator.h"

namespace {

constexpr long double kTwoTo32 = 4294967296.0L;

bool Near(double actual, double expected) {
  return std::fabs(actual - expected) <= 1e-12 * std::fabs(expected);
}

}  // namespace

class TestSeriesGenerator : public QObject {
  Q_OBJECT

 private slots:
  void startsFromSeedZeroAndStepsTheCongruence();
  void wrapsModuloTwoToThe32();
  void valuesStayBelowOne();
  void curvesUseRealDivisionAndRadians();
  void addsTheThreeSeriesWithTheirColours();
  void drawingAgainContinuesTheSequence();
};

void TestSeriesGenerator::startsFromSeedZeroAndStepsTheCongruence() {
  nox::TSeriesRandom random;
  QCOMPARE(random.Seed(), 0u);
  // 0 * 134775813 + 1, then 1 * 134775813 + 1, then the next two by the same rule.
  QCOMPARE(random.Next(), 1 / kTwoTo32);
  QCOMPARE(random.Next(), 134775814 / kTwoTo32);
  QCOMPARE(random.Next(), 3698175007 / kTwoTo32);
  QCOMPARE(random.Seed(), 3698175007u);
  QCOMPARE(random.Next(), 870078620 / kTwoTo32);
}

void TestSeriesGenerator::wrapsModuloTwoToThe32() {
  nox::TSeriesRandom random(0xFFFFFFFFu);
  QCOMPARE(random.Next(), 4160191484 / kTwoTo32);
  QCOMPARE(random.Seed(), 4160191484u);
}

void TestSeriesGenerator::valuesStayBelowOne() {
  // The seed that steps to 2^32 - 1 gives the largest value; it must still be below 1.
  nox::TSeriesRandom random;
  long double largest = 0;
  for (int i = 0; i < 100000; ++i) {
    const long double v = random.Next();
    QVERIFY(v >= 0 && v < 1);
    largest = std::max(largest, v);
  }
  QVERIFY(largest > 0.99L);
}

void TestSeriesGenerator::curvesUseRealDivisionAndRadians() {
  // i / 30, i / 10 and i / 5 are real quotients: i = 1, 2, 4 and 7 would lose them to integer division.
  QVERIFY(Near(static_cast<double>(nox::NoisySeriesValue(1, 1 / kTwoTo32, 134775814 / kTwoTo32)),
               0.7289317729147183));
  QVERIFY(Near(static_cast<double>(nox::NoisySeriesValue(2, 3698175007 / kTwoTo32, 870078620 / kTwoTo32)),
               21.4779162932353));
  QVERIFY(Near(static_cast<double>(nox::WaveSeriesValue(7)), 5.230680661847931));
  QVERIFY(Near(static_cast<double>(nox::MarkSeriesValue(4)), 0.7840532622729933));
}

void TestSeriesGenerator::addsTheThreeSeriesWithTheirColours() {
  nox::TGrafon chart(nullptr);
  nox::TSeriesRandom random;
  nox::AddDemoSeries(chart, random);

  // 1 + 300 items of the noisy curve, 1 + 300 of the smooth one, 75 marks.
  QCOMPARE(chart.DataCount(), 677);
  const nox::TGfItemView& items = chart.DataItems();
  QCOMPARE(items[0].Kind, std::uint8_t{nox::ikMoveTo});
  QCOMPARE(items[0].X1, 0.0);
  QCOMPARE(items[0].Y1, 0.0);
  for (int i = 1; i <= 300; ++i) {
    QCOMPARE(items[i].Kind, std::uint8_t{nox::ikLineTo});
    QCOMPARE(items[i].X1, static_cast<double>(i));
    QCOMPARE(items[i].Color, nox::TColor{nox::clBlack});
  }
  QVERIFY(Near(items[1].Y1, 0.7289317729147183));
  QVERIFY(Near(items[2].Y1, 21.4779162932353));

  QCOMPARE(items[301].Kind, std::uint8_t{nox::ikMoveTo});
  QCOMPARE(items[301].Y1, 5.0);
  QCOMPARE(items[301].Color, nox::TColor{nox::clRed});
  for (int i = 1; i <= 300; ++i) {
    QCOMPARE(items[301 + i].Kind, std::uint8_t{nox::ikLineTo});
    QCOMPARE(items[301 + i].Color, nox::TColor{nox::clRed});
  }
  QVERIFY(Near(items[308].Y1, 5.230680661847931));

  for (int m = 0; m < 75; ++m) {
    const nox::TgfChartItem& mark = items[602 + m];
    QCOMPARE(mark.Kind, std::uint8_t{nox::ikMark});
    QCOMPARE(mark.Param3, 4);
    QCOMPARE(mark.X1, 4.0 * (m + 1));
    QCOMPARE(mark.Color, nox::TColor{nox::clBlue});
  }
  QVERIFY(Near(items[602].Y1, 0.7840532622729933));
  QCOMPARE(items[676].X1, 300.0);
  // The pen is left blue.
  QCOMPARE(chart.DataColor(), nox::TColor{nox::clBlue});
}

void TestSeriesGenerator::drawingAgainContinuesTheSequence() {
  nox::TGrafon chart(nullptr);
  nox::TSeriesRandom random;
  nox::AddDemoSeries(chart, random);
  nox::AddDemoSeries(chart, random);
  QCOMPARE(chart.DataCount(), 2 * 677);
  const nox::TGfItemView& items = chart.DataItems();
  // The second noisy curve is drawn in the pen the first call left (blue) and with new numbers;
  // the smooth curve and the marks repeat exactly.
  QCOMPARE(items[677 + 1].Color, nox::TColor{nox::clBlue});
  QVERIFY(items[677 + 1].Y1 != items[1].Y1);
  for (int i = 301; i < 677; ++i) QCOMPARE(items[677 + i].Y1, items[i].Y1);
}

QTEST_APPLESS_MAIN(TestSeriesGenerator)
#include "series_generator_test.moc"
