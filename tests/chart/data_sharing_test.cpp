#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

constexpr const char* kSelf = "Grafon: Cannot share data with myself";
constexpr const char* kOthersUseMine =
    "Grafon: Cannot use foreign data. Other Grafons are using my own data.";
constexpr const char* kTooMany = "Grafon: Max. number of data shares exceeded";

using DataSharing = ChartTest;

TEST_F(DataSharing, SharingWithItselfIsRefused) {
  TTestGrafon a;
  a.SetUseDataOf(&a);
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0], kSelf);
  EXPECT_EQ(a.UseDataOf(), nullptr);
}

TEST_F(DataSharing, UserSeesEveryItemOfTheOwnerAtOnce) {
  TTestGrafon a, b;
  a.LineToPoint(1, 1);
  b.LineToPoint(9, 9);  // dropped when b starts sharing
  b.SetUseDataOf(&a);
  EXPECT_EQ(b.UseDataOf(), &a);
  EXPECT_EQ(a.DataUserCount(), 1);
  EXPECT_EQ(a.DataUser(0), &b);
  EXPECT_EQ(b.DataCount(), 1);
  for (int i = 2; i <= 1500; ++i) {
    a.LineToPoint(i, i);
    ASSERT_EQ(b.DataCount(), a.DataCount());
  }
  EXPECT_EQ(&b.DataItems(), &a.DataItems());
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(DataSharing, ItemsDrawnThroughAUserGoToTheSharedList) {
  TTestGrafon a, b;
  b.SetUseDataOf(&a);
  b.AddMark(1, 2, 3);
  EXPECT_EQ(a.DataCount(), 1);
  EXPECT_EQ(a.DataItems()[0].Kind, ikMark);
}

// Charts that share a list and append to it in turn, each with a pen of its own, changed as often
// in one as in the other: every point keeps the pen of the chart that drew it.
TEST_F(DataSharing, PointsDrawnInTurnKeepThePenOfTheirChart) {
  TTestGrafon a, b;
  b.SetUseDataOf(&a);
  for (int i = 0; i < 300; ++i) {
    if (i % 100 == 0) {
      a.SetDataColor(static_cast<TColor>(10 + i));
      b.SetDataColor(static_cast<TColor>(20 + i));
    }
    a.LineTo(i, 1);
    b.LineTo(i, 2);
  }
  ASSERT_EQ(a.DataCount(), 600);
  for (int i = 0; i < 600; ++i) {
    const TgfChartItem item = a.DataItems()[static_cast<std::size_t>(i)];
    ASSERT_EQ(item.Color, static_cast<TColor>((i % 2 == 0 ? 10 : 20) + i / 200 * 100)) << i;
  }
}

TEST_F(DataSharing, ChartWhoseDataIsUsedCannotUseForeignData) {
  TTestGrafon a, b, c;
  b.SetUseDataOf(&a);
  a.SetUseDataOf(&c);
  a.SetUseDataOf(nullptr);
  ASSERT_EQ(host.Messages().size(), 2u);
  EXPECT_EQ(host.Messages()[0], kOthersUseMine);
  EXPECT_EQ(host.Messages()[1], kOthersUseMine);
  EXPECT_EQ(a.UseDataOf(), nullptr);
  EXPECT_EQ(c.DataUserCount(), 0);
  EXPECT_EQ(a.DataUserCount(), 1);
}

TEST_F(DataSharing, AskingForAUserTiesToItsOwner) {
  TTestGrafon a, b, c;
  b.SetUseDataOf(&a);
  c.SetUseDataOf(&b);
  EXPECT_EQ(c.UseDataOf(), &a);
  EXPECT_EQ(a.DataUserCount(), 2);
  EXPECT_EQ(b.DataUserCount(), 0);
  // Asking again through another user of the same owner changes nothing.
  b.SetUseDataOf(&c);
  EXPECT_EQ(b.UseDataOf(), &a);
  EXPECT_EQ(a.DataUserCount(), 2);
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(DataSharing, FifthUserIsRefused) {
  TTestGrafon a, u1, u2, u3, u4, u5;
  for (TTestGrafon* u : {&u1, &u2, &u3, &u4}) u->SetUseDataOf(&a);
  EXPECT_EQ(a.DataUserCount(), 4);
  u5.SetUseDataOf(&a);
  ASSERT_EQ(host.Messages().size(), 1u);
  EXPECT_EQ(host.Messages()[0], kTooMany);
  EXPECT_EQ(u5.UseDataOf(), nullptr);
  EXPECT_EQ(a.DataUserCount(), 4);
  // A full owner refuses a chart redirected to it as well.
  u5.SetUseDataOf(&u2);
  EXPECT_EQ(host.Messages().size(), 2u);
  EXPECT_EQ(u5.UseDataOf(), nullptr);
}

TEST_F(DataSharing, UnsharingKeepsTheItemsAsTheyStood) {
  TTestGrafon a, b;
  b.SetUseDataOf(&a);
  for (int i = 0; i < 3; ++i) a.LineToPoint(i, i);
  b.SetUseDataOf(nullptr);
  EXPECT_EQ(b.UseDataOf(), nullptr);
  EXPECT_EQ(a.DataUserCount(), 0);
  a.LineToPoint(7, 7);
  EXPECT_EQ(b.DataCount(), 3);
  EXPECT_EQ(b.DataItems()[2].X1, 2);
  b.LineToPoint(8, 8);
  EXPECT_EQ(a.DataCount(), 4);
  EXPECT_EQ(b.DataCount(), 4);
  EXPECT_EQ(b.DataItems()[3].X1, 8);
  EXPECT_EQ(a.DataItems()[3].X1, 7);
}

TEST_F(DataSharing, LeavingMovesLaterUsersUp) {
  TTestGrafon a, b, c, d;
  b.SetUseDataOf(&a);
  c.SetUseDataOf(&a);
  d.SetUseDataOf(&a);
  c.SetUseDataOf(nullptr);
  EXPECT_EQ(a.DataUserCount(), 2);
  EXPECT_EQ(a.DataUser(0), &b);
  EXPECT_EQ(a.DataUser(1), &d);
  EXPECT_EQ(a.DataUser(2), nullptr);
}

TEST_F(DataSharing, SwitchingOwnersLeavesTheOldOne) {
  TTestGrafon a, b, c;
  c.LineToPoint(1, 1);
  b.SetUseDataOf(&a);
  b.SetUseDataOf(&c);
  EXPECT_EQ(a.DataUserCount(), 0);
  EXPECT_EQ(c.DataUserCount(), 1);
  EXPECT_EQ(b.DataCount(), 1);
}

TEST_F(DataSharing, DestroyedUserLeavesTheOwnersTable) {
  TTestGrafon a;
  auto b = std::make_unique<TTestGrafon>();
  auto c = std::make_unique<TTestGrafon>();
  b->SetUseDataOf(&a);
  c->SetUseDataOf(&a);
  b.reset();
  EXPECT_EQ(a.DataUserCount(), 1);
  EXPECT_EQ(a.DataUser(0), c.get());
  c.reset();
  EXPECT_EQ(a.DataUserCount(), 0);
  a.LineToPoint(1, 1);
  EXPECT_EQ(a.DataCount(), 1);
}

TEST_F(DataSharing, DestroyedOwnerLeavesEachUserWithItsOwnCopy) {
  auto a = std::make_unique<TTestGrafon>();
  TTestGrafon b, c;
  b.SetUseDataOf(a.get());
  c.SetUseDataOf(a.get());
  a->LineToPoint(1, 1);
  a.reset();
  EXPECT_EQ(b.UseDataOf(), nullptr);
  EXPECT_EQ(c.UseDataOf(), nullptr);
  EXPECT_EQ(b.DataCount(), 1);
  b.LineToPoint(2, 2);
  EXPECT_EQ(b.DataCount(), 2);
  EXPECT_EQ(c.DataCount(), 1);
  // Both may take up sharing again.
  c.SetUseDataOf(&b);
  EXPECT_EQ(c.DataCount(), 2);
  EXPECT_TRUE(host.Messages().empty());
}

TEST_F(DataSharing, ChartsDestroyedInAnyOrderLeaveNothingBehind) {
  // Owner with four users torn down in every order the vector gives; the sanitizer build checks
  // that no table keeps a dangling entry.
  for (int first = 0; first < 5; ++first) {
    std::vector<std::unique_ptr<TTestGrafon>> charts;
    for (int i = 0; i < 5; ++i) charts.push_back(std::make_unique<TTestGrafon>());
    for (int i = 1; i < 5; ++i) charts[static_cast<std::size_t>(i)]->SetUseDataOf(charts[0].get());
    charts[0]->LineToPoint(1, 1);
    charts[static_cast<std::size_t>(first)].reset();
    for (auto& chart : charts) {
      if (!chart) continue;
      chart->LineToPoint(2, 2);
      chart->ShowItems();
    }
    for (auto& chart : charts) chart.reset();
  }
  EXPECT_TRUE(host.Messages().empty());
}

// Removals through a user reach the shared list, so every chart sharing it sees the same items and
// repaints; the annotation list, the ranges and the history stay the chart's own.
TEST_F(DataSharing, RemovalsReachEveryChartSharingTheList) {
  struct TCase {
    const char* Name;
    std::function<void(TTestGrafon&)> Remove;
    int Count;             // data items left, also after one more append
    double FirstX;         // X1 of item 0 after that append
    std::size_t Capacity;  // DataItems().size()
    int LongTexts;         // DataLongTextCount()
    int Annotations;       // the user's annotation items
  };
  const std::vector<TCase> cases{
      {"remove 30", [](TTestGrafon& c) { c.RemoveFirstItems(30); }, 71, 30, 1000, 2, 1},
      {"remove all", [](TTestGrafon& c) { c.RemoveFirstItems(5000); }, 1, 1000, 1000, 2, 1},
      {"remove none", [](TTestGrafon& c) { c.RemoveFirstItems(-5); }, 101, 0, 1000, 2, 1},
      {"limit 40", [](TTestGrafon& c) { c.SetDataLimit(40); }, 40, 61, 1000, 2, 1},
      {"clear data", [](TTestGrafon& c) { c.ClearData(); }, 1, 1000, 1000, 0, 1},
      {"clear annotations", [](TTestGrafon& c) { c.ClearAnnotations(); }, 101, 0, 1000, 2, 0},
  };
  for (const TCase& c : cases) {
    TTestGrafon owner, user;
    for (TTestGrafon* chart : {&owner, &user}) chart->HandleNeeded();
    user.SetUseDataOf(&owner);
    for (int i = 0; i < 100; ++i) owner.LineToPoint(i, i);
    owner.SetLongText(2, "kept unless cleared");
    user.SetAnnotationMode(true);
    user.AddMark(1, 5, 5);
    user.SetAnnotationMode(false);
    user.SetLayerRange(1, 10, 20, 30, 40);
    const auto ranges = RangesOf(user, 1);
    const detail::TZoomHistory history = user.ZoomHistory();
    owner.Paints = user.Paints = 0;

    c.Remove(user);
    EXPECT_GE(owner.Paints, c.Name == std::string("remove none") ? 0 : 1) << c.Name;
    EXPECT_GE(user.Paints, c.Name == std::string("remove none") ? 0 : 1) << c.Name;
    owner.LineToPoint(1000, 0);
    for (const TTestGrafon* chart : {&owner, &user}) {
      EXPECT_EQ(chart->DataCount(), c.Count) << c.Name;
      EXPECT_EQ(chart->DataItems()[0].X1, c.FirstX) << c.Name;
      EXPECT_EQ(chart->DataItems().size(), c.Capacity) << c.Name;
      EXPECT_EQ(chart->DataLongTextCount(), c.LongTexts) << c.Name;
    }
    EXPECT_EQ(user.AnnotationCount(), c.Annotations) << c.Name;
    EXPECT_EQ(RangesOf(user, 1), ranges) << c.Name;
    EXPECT_TRUE(user.ZoomHistory() == history) << c.Name;
  }
}

TEST_F(DataSharing, ShowItemsAsksTiedChartsToRepaint) {
  TTestGrafon a, b, c;
  for (TTestGrafon* chart : {&a, &b, &c}) chart->HandleNeeded();
  b.SetUseDataOf(&a);
  c.SetUseDataOf(&a);
  c.SetAutoRedraw(false);
  a.Paints = b.Paints = c.Paints = 0;
  b.ShowItems();
  EXPECT_EQ(a.Paints, 1);  // the owner
  EXPECT_EQ(b.Paints, 1);  // b itself, as one of the owner's users
  EXPECT_EQ(c.Paints, 0);  // AutoRedraw off and not designing
}

}  // namespace
}  // namespace nox::test
