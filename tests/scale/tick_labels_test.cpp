#include "scale/tick_labels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace nox {
namespace {

TEST(TickLabels, AutoDecimalsFollowTheSpan) {
  EXPECT_EQ(AutoDecimals(-2, 50, 0), 0);
  EXPECT_EQ(AutoDecimals(-2, 10, 0), 1);
  EXPECT_EQ(AutoDecimals(-2, 1, 0), 2);
  EXPECT_EQ(AutoDecimals(-2, 0.1, 0), 3);
  EXPECT_EQ(AutoDecimals(-2, 0.01, 0), 4);
  EXPECT_EQ(AutoDecimals(-2, 100, 0), 0);
  EXPECT_EQ(AutoDecimals(-2, 0, 1000000), -1);  // the span counts, not the direction
  EXPECT_EQ(AutoDecimals(-2, 0.0001, 0), -1);
  EXPECT_EQ(AutoDecimals(-2, 0.00011, 0), 6);
  EXPECT_EQ(AutoDecimals(-3, 1, 0), 2);  // -3 is automatic on linear scales too
}

TEST(TickLabels, AutoDecimalsKeepFixedChoices) {
  EXPECT_EQ(AutoDecimals(0, 1, 0), 0);
  EXPECT_EQ(AutoDecimals(-1, 1, 0), -1);
  EXPECT_EQ(AutoDecimals(7, 1e9, 0), 7);
}

TEST(TickLabels, AutoDecimalsOfNonFiniteSpanDoNotFail) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const int decimals = AutoDecimals(-2, nan, 0);
  EXPECT_GE(decimals, -1);
  EXPECT_LE(decimals, 12);
}

TEST(TickLabels, AutoDecimalsLogFollowTheSmallerBound) {
  EXPECT_EQ(AutoDecimalsLog(-2, 10, 0.01), 3);
  EXPECT_EQ(AutoDecimalsLog(-2, 10, 0.5), 1);
  EXPECT_EQ(AutoDecimalsLog(-2, 1000, 1), 0);
  EXPECT_EQ(AutoDecimalsLog(-2, 2000000, 1), -1);
  EXPECT_EQ(AutoDecimalsLog(-3, 1000, 1), -3);  // decades only stays decades only
  EXPECT_EQ(AutoDecimalsLog(4, 1000, 1), 4);
}

TEST(TickLabels, FixedNotationHasExactlyTheDecimals) {
  EXPECT_EQ(FormatTickNumber(12.5, 2), "12.50");
  EXPECT_EQ(FormatTickNumber(-3, 0), "-3");
  EXPECT_EQ(FormatTickNumber(0, 3), "0.000");
  EXPECT_EQ(FormatTickNumber(0.2, 2), "0.20");
  EXPECT_EQ(FormatTickNumber(1999.5, 0), "2000");
  // At most 100 decimals, also for any int with extra digits on top, and every digit of the
  // largest double.
  EXPECT_EQ(FormatTickNumber(1, std::numeric_limits<int>::max(), 3), "1." + std::string(100, '0'));
  EXPECT_EQ(FormatTickNumber(-std::numeric_limits<double>::max(), 100).size(), 1 + 309 + 1 + 100u);
}

TEST(TickLabels, FixedNotationRoundsBinaryTiesToEvenAndDropsTheSignOfZero) {
  EXPECT_EQ(FormatTickNumber(0.125, 2), "0.12");
  EXPECT_EQ(FormatTickNumber(0.375, 2), "0.38");
  EXPECT_EQ(FormatTickNumber(-0.001, 2), "0.00");
  EXPECT_EQ(FormatTickNumber(-0.0, 1), "0.0");
}

TEST(TickLabels, FixedNotationOfHugeValuesPrintsAllDigits) {
  const std::string text = FormatTickNumber(1e40, 0);
  EXPECT_EQ(text.size(), 41u);
  EXPECT_EQ(text.substr(0, 3), "100");
  EXPECT_EQ(FormatTickNumber(std::numeric_limits<double>::max(), 12).size(), 309u + 13u);
}

TEST(TickLabels, ExponentFormHasTwoSignificantDigits) {
  EXPECT_EQ(FormatTickNumber(1234, -1), " 1.2E+03");
  EXPECT_EQ(FormatTickNumber(-0.00005, -1), "-5.0E-05");
  EXPECT_EQ(FormatTickNumber(500000, -1), " 5.0E+05");
  EXPECT_EQ(FormatTickNumber(1.5e6, -1), " 1.5E+06");
  EXPECT_EQ(FormatTickNumber(996000, -1), " 1.0E+06");  // rounding carries into the exponent
  EXPECT_EQ(FormatTickNumber(0, -1), " 0.0E+00");
}

TEST(TickLabels, ExponentFormWithThreeExponentDigitsIsStars) {
  EXPECT_EQ(FormatTickNumber(1e100, -1), "********");
  EXPECT_EQ(FormatTickNumber(-1e-100, -1), "********");
  EXPECT_EQ(FormatTickNumber(9.9e99, -1), " 9.9E+99");
}

TEST(TickLabels, NonFiniteNumbersHaveNames) {
  EXPECT_EQ(FormatTickNumber(std::numeric_limits<double>::quiet_NaN(), 2), "NAN");
  EXPECT_EQ(FormatTickNumber(std::numeric_limits<double>::infinity(), -1), "INF");
  EXPECT_EQ(FormatTickNumber(-std::numeric_limits<double>::infinity(), 0), "-INF");
}

TEST(TickLabels, DistinctNumbersFormatEachRunOfEqualValuesOnce) {
  // Runs of equal values (of hundreds of digits, cut), and zeros of both signs, which may read apart.
  const std::vector<double> values = {-1e308, -1e308, -1e308, -0.0, 0.0, 0.0, 2.5, 2.5, 7};
  int calls = 0;
  const auto number = [&calls](double v, int extra) {
    ++calls;
    return (std::signbit(v) ? "-" : "+") + FormatTickNumber(std::fabs(v), 1, extra);
  };
  std::vector<std::string> oneByOne;
  for (const double v : values) oneByOne.push_back(number(v, 0).substr(0, kMaxLabelLength));
  calls = 0;
  EXPECT_EQ(DistinctNumbers(values, number), oneByOne);
  EXPECT_EQ(calls, 5);
}

TEST(TickLabels, UserTickItemRepeatsTheLastItem) {
  EXPECT_EQ(UserTickItem("Mon|Tue|Wed", 1), "Mon");
  EXPECT_EQ(UserTickItem("Mon|Tue|Wed", 3), "Wed");
  EXPECT_EQ(UserTickItem("Mon|Tue|Wed", 4), "Wed");
  EXPECT_EQ(UserTickItem("Mon|Tue|Wed", 1000), "Wed");
}

TEST(TickLabels, UserTickItemEmptyItems) {
  EXPECT_EQ(UserTickItem("a|b|", 3), "");
  EXPECT_EQ(UserTickItem("a|b|", 9), "");
  EXPECT_EQ(UserTickItem("", 1), "");
  EXPECT_EQ(UserTickItem("|a", 1), "");
  EXPECT_EQ(UserTickItem("|a", 2), "a");
  EXPECT_EQ(UserTickItem("a|b", 0), "a");
  EXPECT_EQ(UserTickItem("a|b", -5), "a");
}

TEST(TickLabels, InscriptSplitsAtTheFirstAmpersand) {
  EXPECT_EQ(ApplyInscript("20", "&%"), "20%");
  EXPECT_EQ(ApplyInscript("12", "$&"), "$12");
  EXPECT_EQ(ApplyInscript("12", "& V"), "12 V");
  EXPECT_EQ(ApplyInscript("5", "a&b&c"), "a5b&c");
  EXPECT_EQ(ApplyInscript("5", "ab"), "ab5");
  EXPECT_EQ(ApplyInscript("5", ""), "5");
}

TEST(TickLabels, InscriptLeavesEmptyLabelsEmpty) { EXPECT_EQ(ApplyInscript("", "$&"), ""); }

TEST(TickLabels, TimeLabelHasSignAndTwoDigitFields) {
  EXPECT_EQ(FormatTimeLabel(5400, false), " 01:30:00");
  EXPECT_EQ(FormatTimeLabel(0, false), " 00:00:00");
  EXPECT_EQ(FormatTimeLabel(97200, false), " 27:00:00");
  EXPECT_EQ(FormatTimeLabel(-0.25, true), "-00:00:00.250");
  EXPECT_EQ(FormatTimeLabel(59.9, false), " 00:00:59");
  EXPECT_EQ(FormatTimeLabel(360000, false), " 100:00:00");
}

TEST(TickLabels, TimeLabelMillisecondsCarryIntoTheClock) {
  EXPECT_EQ(FormatTimeLabel(0.9996, true), " 00:00:01.000");
  EXPECT_EQ(FormatTimeLabel(59.9996, true), " 00:01:00.000");
  EXPECT_EQ(FormatTimeLabel(-3599.9999, true), "-01:00:00.000");
  EXPECT_EQ(FormatTimeLabel(1.2, true), " 00:00:01.200");
}

TEST(TickLabels, TimeLabelOfNonFiniteValueIsEmpty) {
  EXPECT_EQ(FormatTimeLabel(std::numeric_limits<double>::quiet_NaN(), true), "");
  EXPECT_EQ(FormatTimeLabel(std::numeric_limits<double>::infinity(), false), "");
}

}  // namespace
}  // namespace nox
