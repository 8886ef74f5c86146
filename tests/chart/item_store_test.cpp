#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <functional>
#include <limits>
#include <random>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "chart/model/item_list.h"
#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

TEST(ShortText, KeepsAtMostSeventeenCharacters) {
  TShortText text;
  EXPECT_TRUE(text.Assign("seventeen chars!!"));
  EXPECT_EQ(text.View(), "seventeen chars!!");
  EXPECT_FALSE(text.Assign("eighteen chars!!!!"));
  EXPECT_EQ(text.View(), "eighteen chars!!!");
  EXPECT_EQ(text.Length, 17);
}

TEST(ShortText, OverlongLengthByteReadsOnlyTheRecord) {
  TShortText text;
  text.Assign("abc");
  text.Length = 200;  // as an event handler might leave it
  EXPECT_EQ(text.View().size(), 17u);
}

TEST(LongTextArray, IndexesOneToFifty) {
  TLongTextArray texts;
  EXPECT_TRUE(texts.Set(1, "first"));
  EXPECT_TRUE(texts.Set(50, "last"));
  EXPECT_FALSE(texts.Set(0, "x"));
  EXPECT_FALSE(texts.Set(51, "x"));
  EXPECT_EQ(texts[1], "first");
  EXPECT_EQ(texts[50], "last");
  EXPECT_EQ(texts[0], "");
  EXPECT_EQ(texts[-7], "");
  EXPECT_EQ(texts[51], "");
}

TEST(ItemList, CopyTakesUsedEntriesIntoWholeSteps) {
  detail::TItemList source;
  TgfChartItem item;
  for (int i = 0; i < 25; ++i) {
    item.X1 = i;
    source.Append(item, 7);
  }
  source.LongTexts.Set(3, "text");
  source.LongTextCount = 3;
  detail::TItemList copy;
  copy.CopyFrom(source, 10);
  EXPECT_EQ(copy.Count(), 25);
  EXPECT_EQ(copy.Capacity(), 30);  // 10 * (25 div 10 + 1)
  EXPECT_EQ(copy.Items()[24].X1, 24);
  EXPECT_EQ(copy.Items()[25], TgfChartItem{});
  EXPECT_EQ(copy.LongTexts[3], "text");
  EXPECT_EQ(copy.LongTextCount, 3);
}

using ItemStore = ChartTest;

TEST_F(ItemStore, FirstAppendSizesToAllocSizeAndNextStepDoubles) {
  TTestGrafon chart;
  EXPECT_EQ(chart.DataItems().size(), 0u);
  chart.LineToPoint(0, 0);
  EXPECT_EQ(chart.DataItems().size(), 1000u);
  for (int i = 1; i < 1000; ++i) chart.LineToPoint(i, i);
  EXPECT_EQ(chart.DataItems().size(), 1000u);
  chart.LineToPoint(1000, 0);
  EXPECT_EQ(chart.DataItems().size(), 2000u);
  EXPECT_EQ(chart.DataCount(), 1001);
  EXPECT_EQ(chart.DataItems()[1000].X1, 1000);
}

TEST_F(ItemStore, AllocSizeRefusesValuesOutsideItsRange) {
  TTestGrafon chart;
  chart.SetAllocSize(0);
  chart.SetAllocSize(-5);
  chart.SetAllocSize(1000001);
  EXPECT_EQ(chart.AllocSize(), 1000);
  chart.SetAllocSize(1000000);
  EXPECT_EQ(chart.AllocSize(), 1000000);
  chart.SetAllocSize(3);
  for (int i = 0; i < 4; ++i) chart.MoveToPoint(i, i);
  EXPECT_EQ(chart.DataItems().size(), 6u);
}

TEST_F(ItemStore, ClassDefaultRefuses255) {
  TTestGrafon chart;
  chart.SetClassDefault(254);
  chart.SetClassDefault(255);
  EXPECT_EQ(chart.ClassDefault(), 254);
  chart.AddMark(3, 1, 2);
  EXPECT_EQ(chart.DataItems()[0].ItemClass, 254);
}

TEST_F(ItemStore, DataListAlwaysHoldsWorldCoordinates) {
  TTestGrafon chart;
  chart.MoveToPoint(3, 4);
  chart.LineToPoint(5, 6.5);
  chart.AppendMoveTo(3, 1, 1);
  EXPECT_EQ(chart.DataItems()[0].CoordMode, 0);
  EXPECT_EQ(chart.DataItems()[1].CoordMode, 0);
  EXPECT_EQ(chart.DataItems()[2].CoordMode, 0);
  EXPECT_EQ(chart.AnnotationCount(), 0);
}

TEST_F(ItemStore, AnnotationModeRecordsPixelCoordinateModes) {
  TTestGrafon chart;
  chart.SetAnnotationMode(true);
  chart.MoveToPoint(3, 4);
  chart.LineToPoint(5, 6.5);
  chart.AddMark(2, 1, 1);
  ASSERT_EQ(chart.AnnotationCount(), 3);
  EXPECT_EQ(chart.AnnotationItems()[0].CoordMode, 1);
  EXPECT_EQ(chart.AnnotationItems()[1].CoordMode, 4);
  EXPECT_EQ(chart.AnnotationItems()[2].CoordMode, 0);
  EXPECT_EQ(chart.DataCount(), 0);
  EXPECT_EQ(chart.AnnotationItems().size(), 1000u);
}

TEST_F(ItemStore, ItemsCopyThePenAsItStoodWhenAdded) {
  TTestGrafon chart;
  chart.SetCurrentLayer(3);
  chart.SetItemAttribute(77);
  chart.SetPenStyle(psDot);
  chart.SetLineWidth(4);
  chart.SetDataColor(clRed);
  chart.SetFillColor(clBlue);
  chart.LineToPoint(2, 7.25);
  chart.SetDataColor(clGreen);
  chart.AddMark(300, 1.5, 2.5);
  chart.MoveToPoint(-1, -2);

  const TgfChartItem& line = chart.DataItems()[0];
  EXPECT_EQ(line.Kind, ikLineTo);
  EXPECT_EQ(line.Layer, 3);
  EXPECT_EQ(line.X1, 2.0);
  EXPECT_EQ(line.Y1, 7.25);
  EXPECT_EQ(line.Color, clRed);  // not recoloured by the later change
  EXPECT_EQ(line.FillColor, clBlue);
  EXPECT_EQ(line.PenStyle, psDot);
  EXPECT_EQ(line.Attr, 77);
  EXPECT_EQ(line.LineWidth, 4);

  const TgfChartItem& mark = chart.DataItems()[1];
  EXPECT_EQ(mark.Kind, ikMark);
  EXPECT_EQ(mark.Color, clGreen);
  EXPECT_EQ(mark.FillColor, 0u);  // only line-to items take the fill colour
  EXPECT_EQ(mark.Param3, 300 & 0xFF);

  TgfChartItem expectedMove;
  expectedMove.Kind = ikMoveTo;
  expectedMove.Layer = 3;
  expectedMove.X1 = -1;
  expectedMove.Y1 = -2;
  expectedMove.Color = clGreen;
  expectedMove.PenStyle = psDot;
  expectedMove.Attr = 77;
  expectedMove.LineWidth = 4;
  EXPECT_EQ(chart.DataItems()[2], expectedMove);  // every other field zero
}

// Points appended while the pen changes back and forth, one property at a time, each carry the pen
// as it stands at their append: the pen kept between appends is never stale, in either list.
TEST_F(ItemStore, PointsTakeThePenAsItStandsThroughEveryChange) {
  TTestGrafon chart;
  std::mt19937 rng(7);
  const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
  for (int step = 0; step < 2000; ++step) {
    switch (pick(8)) {
      case 0:
        chart.SetDataColor(static_cast<TColor>(pick(3)));
        break;
      case 1:
        chart.SetFillColor(static_cast<TColor>(pick(3)));
        break;
      case 2:
        chart.SetPenStyle(pick(2) ? psSolid : psDash);
        break;
      case 3:
        chart.SetLineWidth(static_cast<std::uint8_t>(1 + pick(2)));
        break;
      case 4:
        chart.SetCurrentLayer(1 + pick(2));
        break;
      case 5:
        chart.SetItemAttribute(pick(2));
        break;
      case 6:
        chart.SetClassDefault(static_cast<std::uint8_t>(pick(2)));
        break;
      default:
        chart.SetAnnotationMode(pick(4) == 0);
        break;
    }
    const int kind = pick(3), markType = pick(2);
    const double x = step, y = pick(100);
    kind == 0 ? chart.LineTo(x, y) : kind == 1 ? chart.MoveTo(x, y) : chart.AddMark(markType, x, y);
    const bool annotation = chart.AnnotationMode();
    const int count = annotation ? chart.AnnotationCount() : chart.DataCount();
    const TgfChartItem item =
        (annotation ? chart.AnnotationItems() : chart.DataItems())[std::size_t(count - 1)];
    ASSERT_EQ(item.Kind, kind == 0 ? ikLineTo : kind == 1 ? ikMoveTo : ikMark) << step;
    EXPECT_EQ(item.Color, chart.DataColor()) << step;
    EXPECT_EQ(item.FillColor, kind == 0 ? chart.FillColor() : 0u) << step;
    EXPECT_EQ(item.PenStyle, chart.PenStyle()) << step;
    EXPECT_EQ(item.LineWidth, chart.LineWidth()) << step;
    EXPECT_EQ(item.Layer, chart.CurrentLayer()) << step;
    EXPECT_EQ(item.Attr, chart.ItemAttribute()) << step;
    EXPECT_EQ(item.ItemClass, chart.ClassDefault()) << step;
    EXPECT_EQ(item.Param3, kind == 2 ? markType : 0) << step;
    EXPECT_EQ(item.Y1, y) << step;
  }
}

// The world-unit and series forms make exactly the records that appending point by point with the
// same pen makes, in the data list and in annotation mode (world units there too); refused calls
// append nothing.
TEST_F(ItemStore, WorldAndSeriesFormsMakeThePointByPointRecords) {
  const std::vector<double> xs{0.5, 1.25, -3, std::numeric_limits<double>::quiet_NaN(), 1e300};
  const std::vector<double> ys{2, -0.5, 7.75, 1, std::numeric_limits<double>::infinity()};
  const auto byPoint = [&](TTestGrafon& chart, bool evenX) {
    for (std::size_t i = 0; i < ys.size(); ++i) {
      const double x = evenX ? 10 + 0.5 * static_cast<double>(i) : xs[i];
      (i == 0 ? chart.AppendMoveTo(0, x, ys[i]) : chart.AppendLineTo(0, x, ys[i]));
    }
  };
  const std::vector<std::function<void(TTestGrafon&)>> forms{
      [&](TTestGrafon& c) { c.AppendSeries(xs, ys); },
      [&](TTestGrafon& c) { c.AppendSeries(10, 0.5, ys); },
      [&](TTestGrafon& c) {
        c.MoveTo(xs[0], ys[0]);
        for (std::size_t i = 1; i < ys.size(); ++i) c.LineTo(xs[i], ys[i]);
      },
  };
  for (const bool annotation : {false, true}) {
    for (std::size_t f = 0; f < forms.size(); ++f) {
      TTestGrafon expected, actual;
      for (TTestGrafon* c : {&expected, &actual}) {
        c->SetAnnotationMode(annotation);
        c->SetDataColor(clRed);
        c->SetFillColor(clYellow);
        c->SetCurrentLayer(3);
        c->AddMark(4, 1, 1);  // a mark before: the series starts a run of its own
      }
      byPoint(expected, f == 1);
      forms[f](actual);
      const TGfItemView& want = annotation ? expected.AnnotationItems() : expected.DataItems();
      const TGfItemView& got = annotation ? actual.AnnotationItems() : actual.DataItems();
      ASSERT_EQ(got.size(), want.size()) << annotation << f;
      for (std::size_t i = 0; i < want.size(); ++i) {
        // NaN coordinates compare by their bits.
        TgfChartItem a = got[i], b = want[i];
        ASSERT_EQ(std::bit_cast<std::uint64_t>(a.X1), std::bit_cast<std::uint64_t>(b.X1)) << i;
        ASSERT_EQ(std::bit_cast<std::uint64_t>(a.Y1), std::bit_cast<std::uint64_t>(b.Y1)) << i;
        a.X1 = b.X1 = a.Y1 = b.Y1 = 0;
        ASSERT_EQ(a, b) << "annotation " << annotation << " form " << f << " item " << i;
      }
    }
  }

  TTestGrafon chart;
  chart.LineTo(1, 1);
  const std::vector<double> three(3, 1.0), two(2, 1.0);
  const std::vector<std::pair<std::function<void()>, std::string>> refused{
      {[&] { chart.AppendSeries(three, two); }, "3 x values and 2 y values"},
      {[&] { chart.AppendSeries(std::numeric_limits<double>::quiet_NaN(), 1, two); }, "finite x0 and dx"},
      {[&] { chart.AppendSeries(0, std::numeric_limits<double>::infinity(), two); }, "finite x0 and dx"},
  };
  for (const auto& [call, message] : refused) {
    try {
      call();
      ADD_FAILURE() << "not refused: " << message;
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
    }
    EXPECT_EQ(chart.DataCount(), 1);
  }
}

TEST_F(ItemStore, CurrentLayerRefusesLayersOutsideTheChart) {
  TTestGrafon chart;
  chart.SetCurrentLayer(0);
  chart.SetCurrentLayer(17);
  EXPECT_EQ(chart.CurrentLayer(), 1);
  chart.SetCurrentLayer(16);
  EXPECT_EQ(chart.CurrentLayer(), 16);
}

TEST_F(ItemStore, VisibilityTablesStartVisibleAndRefuseUnknownLayers) {
  TTestGrafon chart;
  EXPECT_TRUE(chart.DataClassVisible(0));
  EXPECT_TRUE(chart.AnnotationClassVisible(255));
  EXPECT_TRUE(chart.LayerVisible(16));
  EXPECT_FALSE(chart.LayerVisible(17));
  chart.SetLayerVisible(17, true);
  chart.SetLayerVisible(2, false);
  EXPECT_FALSE(chart.LayerVisible(2));
  chart.SetDataClassVisible(9, false);
  EXPECT_FALSE(chart.DataClassVisible(9));
  EXPECT_TRUE(chart.AnnotationClassVisible(9));
}

}  // namespace
}  // namespace nox::test
