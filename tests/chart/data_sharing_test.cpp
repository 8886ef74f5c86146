#include <gtest/gtest.h>

#include <memory>

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
