// The typed drawing operations beyond what the every-kind golden picture shows: where pixel modes
// go, what is refused (and that a refusal adds nothing), and how long texts share the table.

#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

using ItemOperations = ChartTest;

TEST_F(ItemOperations, RefusedCallsThrowAndAddNothing) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  struct TCase {
    const char* what;
    bool annotation;
    std::function<void(TGrafon&)> call;
  };
  const TCase cases[] = {
      {"pixel mode in the data list", false, [](TGrafon& c) { c.AddLine(0, 0, 5, 5, cmPixels); }},
      {"mode the kind does not take", true, [](TGrafon& c) { c.AddRect(0, 0, 5, 5, cmPixelX); }},
      {"cross mark beyond its modes", true, [](TGrafon& c) { c.AddCrossMark(0, 0, 5, 5, cmFirstPixels); }},
      {"vertical line beyond its modes", true, [](TGrafon& c) { c.AddVertLine(3, cmFirstWorld); }},
      {"NaN coordinate", false, [=](TGrafon& c) { c.AddEllipse(nan, 0, 1, 1); }},
      {"infinite extent", false, [](TGrafon& c) { c.AddDeltaLine(0, 0, HUGE_VAL, 1); }},
      {"mark type above a byte", false, [](TGrafon& c) { c.AddErrorBars(1, 1, 1, 1, false, 256); }},
      {"arc angle beyond 21 rad", false, [](TGrafon& c) { c.AddArc(0, 0, 1, 1, 0, 21.5); }},
      {"unknown frame style", false,
       [](TGrafon& c) { c.AddFrame3D(0, 0, 1, 1, static_cast<TFrameStyle>(9), clRed, clBlue); }},
      {"text over 4096 bytes", true, [](TGrafon& c) { c.AddText(1, 1, std::string(4097, 'x')); }},
  };
  for (const TCase& test : cases) {
    TGrafon chart(nullptr);
    chart.SetAnnotationMode(test.annotation);
    EXPECT_THROW(test.call(chart), ENoxGrafonError) << test.what;
    EXPECT_EQ(chart.DataCount() + chart.AnnotationCount(), 0) << test.what;
    EXPECT_EQ(chart.AnnotationLongTextCount(), 0) << test.what;
  }
}

TEST_F(ItemOperations, PixelModesAreKeptForAnnotations) {
  TGrafon chart(nullptr);
  chart.SetAnnotationMode(true);
  chart.AddArrow(1, 2, 3, 4, 6, ahOpen, cmPixelY);
  chart.AddText(5, 6, "label", cmPixelX);
  chart.AddCrossMark(7, 8, 2, 2, cmFirstWorld);
  ASSERT_EQ(chart.AnnotationCount(), 3);
  EXPECT_EQ(chart.AnnotationItems()[0].CoordMode, cmPixelY);
  EXPECT_EQ(chart.AnnotationItems()[0].Flag, 1);  // open head
  EXPECT_EQ(chart.AnnotationItems()[1].CoordMode, cmPixelX);
  EXPECT_EQ(chart.AnnotationItems()[1].ShortText.View(), "label");
  EXPECT_EQ(chart.AnnotationItems()[2].CoordMode, cmFirstWorld);
}

TEST_F(ItemOperations, LongTextsShareEqualEntriesUntilTheTableIsFull) {
  TGrafon chart(nullptr);
  const auto longText = [](int n) { return "a text longer than seventeen bytes, number " + std::to_string(n); };
  chart.AddText(0, 0, "seventeen bytes!!");  // fits the record
  EXPECT_EQ(chart.DataItems()[0].LineWidth, 0);
  for (int n = 1; n <= 50; ++n) chart.AddText(0, 0, longText(n));
  chart.AddText(0, 0, longText(7));  // the same text again takes its entry
  EXPECT_EQ(chart.DataItems()[51].LineWidth, 7);
  EXPECT_EQ(chart.DataLongTexts()[50], longText(50));
  EXPECT_THROW(chart.AddText(0, 0, longText(51)), ENoxGrafonError);
  EXPECT_EQ(chart.DataCount(), 52);
  EXPECT_EQ(chart.DataLongTextCount(), 50);
}

}  // namespace
}  // namespace nox::test
