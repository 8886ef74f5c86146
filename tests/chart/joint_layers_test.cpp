#include <gtest/gtest.h>

#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

using JointLayers = ChartTest;

// The message of the ENoxGrafonError that f raises ("" when it raises none).
template <class F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const ENoxGrafonError& e) {
    return e.what();
  }
  return "";
}

TEST_F(JointLayers, NoLayerIsJoinedAfterConstruction) {
  TTestGrafon chart;
  for (int l = 1; l <= 16; ++l) {
    EXPECT_EQ(chart.JointLayers().XControlledBy(l), l);
    EXPECT_EQ(chart.JointLayers().YControlledBy(l), l);
  }
  EXPECT_EQ(chart.JointLayers().L16yControlledBy(), 16);
}

TEST_F(JointLayers, JoinedAxisFollowsItsController) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 10, 20, 30, 40);
  chart.SetLayerRange(2, 0, 0, 5, 5);
  chart.JointLayers().SetL02xControlledBy(1);
  EXPECT_EQ(RangesOf(chart, 2), (std::array<double, 4>{10, 30, 0, 5}));  // X at once, Y its own

  chart.SetLayerRange(2, 100, 100, 200, 200);
  EXPECT_EQ(RangesOf(chart, 2), (std::array<double, 4>{10, 30, 100, 200}));  // X cannot be moved

  chart.SetLayerRange(1, -1, -2, 1, 2);
  EXPECT_EQ(RangesOf(chart, 2), (std::array<double, 4>{-1, 1, 100, 200}));

  chart.JointLayers().SetL02xControlledBy(2);  // released
  chart.SetLayerRange(2, 3, 3, 4, 4);
  EXPECT_EQ(RangesOf(chart, 2), (std::array<double, 4>{3, 4, 3, 4}));
}

TEST_F(JointLayers, YJoinTakesTheControllersYRange) {
  TTestGrafon chart;
  chart.SetLayerRange(4, 1, 2, 3, 4);
  chart.JointLayers().SetL07yControlledBy(4);
  EXPECT_EQ(RangesOf(chart, 7), (std::array<double, 4>{0, 1, 2, 4}));
  EXPECT_EQ(chart.JointLayers().YControlledBy(7), 4);
  EXPECT_EQ(chart.JointLayers().XControlledBy(7), 7);
}

TEST_F(JointLayers, ControllerOfOthersCannotBeJoined) {
  TTestGrafon chart;
  chart.JointLayers().SetL03xControlledBy(1);
  EXPECT_EQ(ErrorOf([&] { chart.JointLayers().SetL01xControlledBy(2); }),
            "Layer 1 is joined by other layers (3)");
  chart.JointLayers().SetL05xControlledBy(1);
  EXPECT_EQ(ErrorOf([&] { chart.JointLayers().SetL01xControlledBy(2); }),
            "Layer 1 is joined by other layers (3, 5)");
  EXPECT_EQ(chart.JointLayers().L01xControlledBy(), 1);
  // The Y table is apart from the X table.
  EXPECT_EQ(ErrorOf([&] { chart.JointLayers().SetL01yControlledBy(2); }), "");
}

TEST_F(JointLayers, DestinationOutOfRangeOrAlreadyJoinedIsRefused) {
  TTestGrafon chart;
  EXPECT_EQ(ErrorOf([&] { chart.JointLayers().SetL01xControlledBy(17); }),
            "Destination layer 17 is out of range");
  EXPECT_EQ(ErrorOf([&] { chart.JointLayers().SetL01xControlledBy(0); }),
            "Destination layer 0 is out of range");
  chart.JointLayers().SetL02xControlledBy(1);
  EXPECT_EQ(ErrorOf([&] { chart.JointLayers().SetL03xControlledBy(2); }),
            "Destination layer 2 is already joined");
  EXPECT_EQ(chart.JointLayers().L03xControlledBy(), 3);
  EXPECT_EQ(ErrorOf([&] { chart.JointLayers().SetXControlledBy(0, 1); }), "Layer 0 is out of range");
}

TEST_F(JointLayers, AssignCopiesTheTablesOnly) {
  TTestGrafon chart;
  TJointLayers other;
  other.SetL04xControlledBy(2);
  other.SetL09yControlledBy(3);
  int notified = 0;
  chart.JointLayers().OnChange = [&notified](TObject*) { ++notified; };
  chart.SetJointLayers(other);
  EXPECT_EQ(chart.JointLayers().L04xControlledBy(), 2);
  EXPECT_EQ(chart.JointLayers().L09yControlledBy(), 3);
  EXPECT_EQ(notified, 0);
}

TEST_F(JointLayers, AllLayersFollowOneController) {
  TTestGrafon chart;
  for (int l = 2; l <= 16; ++l) {
    chart.JointLayers().SetXControlledBy(l, 1);
    chart.JointLayers().SetYControlledBy(l, 1);
  }
  chart.SetLayerRange(1, -3, -4, 3, 4);
  for (int l = 2; l <= 16; ++l) EXPECT_EQ(RangesOf(chart, l), (std::array<double, 4>{-3, 3, -4, 4}));
  chart.SetLayerRange(0, 5, 6, 7, 8);  // every layer asked, only layer 1 can move
  for (int l = 1; l <= 16; ++l) EXPECT_EQ(RangesOf(chart, l), (std::array<double, 4>{5, 7, 6, 8}));
}

}  // namespace
}  // namespace nox::test
