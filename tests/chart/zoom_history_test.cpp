#include <gtest/gtest.h>

#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

detail::TZoomSnapshot SnapshotWithX(double xHigh) {
  detail::TZoomSnapshot s{};
  s[0] = {0, xHigh, 0, 1};
  return s;
}

TEST(ZoomHistoryRing, RecallCountsBackFromTheNewest) {
  detail::TZoomHistory history;
  EXPECT_EQ(history.WritePosition(), 1);
  for (int i = 1; i <= 3; ++i) history.Push(SnapshotWithX(i));
  EXPECT_EQ(history.WritePosition(), 4);
  EXPECT_EQ((*history.Recall(0))[0].XHigh, 3);
  EXPECT_EQ((*history.Recall(-2))[0].XHigh, 1);
  EXPECT_TRUE((*history.Recall(-3))[0].IsEmpty());  // wraps to a slot never written
  EXPECT_EQ(history.Recall(1), nullptr);
  EXPECT_EQ(history.Recall(-16), nullptr);
}

TEST(ZoomHistoryRing, SeventeenthPushOverwritesTheFirstSlot) {
  detail::TZoomHistory history;
  for (int i = 1; i <= 17; ++i) history.Push(SnapshotWithX(i));
  EXPECT_EQ(history.WritePosition(), 2);
  EXPECT_EQ(history.Slot(1)[0].XHigh, 17);
  EXPECT_EQ((*history.Recall(0))[0].XHigh, 17);
  EXPECT_EQ((*history.Recall(-15))[0].XHigh, 2);
}

using ZoomHistory = ChartTest;

TEST_F(ZoomHistory, ConstructionRecordsTheInitialRanges) {
  TTestGrafon chart;
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), 2);
  for (int l = 0; l < 16; ++l)
    EXPECT_EQ(chart.ZoomHistory().Slot(1)[static_cast<std::size_t>(l)], (detail::TLayerRanges{0, 1, 0, 1}));
}

TEST_F(ZoomHistory, RecallRestoresTheNewestAndEarlierSnapshots) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 0, 0, 10, 10);
  chart.SetLayerRange(1, 0, 0, 20, 20);
  chart.SetLayerRange(1, 5, 5, 6, 6);
  chart.RecallZoom(-1);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 20, 0, 20}));
  chart.RecallZoom(0);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{5, 6, 5, 6}));
  chart.RecallZoom(-3);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 1, 0, 1}));
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), 5);  // recalling records nothing
}

TEST_F(ZoomHistory, RecallOfAnEmptySlotOrOutsideTheRingChangesNothing) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 0, 0, 10, 10);
  chart.RecallZoom(-5);
  chart.RecallZoom(1);
  chart.RecallZoom(-16);
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 10, 0, 10}));
}

TEST_F(ZoomHistory, AfterSixteenChangesTheOldestIsOverwritten) {
  TTestGrafon chart;
  for (int i = 1; i <= 16; ++i) chart.SetLayerRange(1, 0, 0, 100 + i, 1);
  EXPECT_EQ(chart.ZoomHistory().Slot(1)[0].XHigh, 116);
  chart.RecallZoom(-15);
  EXPECT_EQ(chart.Scale1X().RangeHigh(), 101);
}

TEST_F(ZoomHistory, SettingAllLayersRecordsOneSnapshotPerLayer) {
  TTestGrafon chart;
  chart.SetLayerRange(0, 0, 0, 5, 5);
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), 2);  // 16 snapshots later, back at slot 2
  chart.RecallZoom(-15);                              // after layer 1 only
  EXPECT_EQ(RangesOf(chart, 1), (std::array<double, 4>{0, 5, 0, 5}));
  EXPECT_EQ(RangesOf(chart, 2), (std::array<double, 4>{0, 1, 0, 1}));
}

TEST_F(ZoomHistory, ResetKeepsOnlyTheCurrentRanges) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 0, 0, 3, 3);
  chart.ResetZoomHistory();
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), 2);
  EXPECT_EQ(chart.ZoomHistory().Slot(1)[0], (detail::TLayerRanges{0, 3, 0, 3}));
  EXPECT_TRUE(chart.ZoomHistory().Slot(2)[0].IsEmpty());
}

TEST_F(ZoomHistory, NothingIsRecordedWhileLoading) {
  TTestGrafon chart;
  chart.BeginLoading();
  chart.SetLayerRange(1, 0, 0, 3, 3);
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), 2);
  chart.Loaded();
  chart.SetLayerRange(1, 0, 0, 4, 4);
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), 3);
}

}  // namespace
}  // namespace nox::test
