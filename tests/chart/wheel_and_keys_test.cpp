#include <gtest/gtest.h>

#include <array>
#include <climits>
#include <cmath>
#include <functional>
#include <random>
#include <string>

#include "tests/chart/mouse_fixture.h"

namespace nox::test {
namespace {

// Layer 1 shows x 0..21 and y 0..14; pixel (100, 90) is world (5, 7), the centre is (10.5, 7).
using WheelAndKeys = MouseTest;

void ExpectRanges(const TCustomGrafon& chart, std::array<double, 4> expected, const std::string& what) {
  const auto r = RangesOf(chart, 1);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(r[i], expected[i], 1e-4) << what << ", value " << i;
}

TEST_F(WheelAndKeys, WheelZoomsAboutThePointerPerAxisWithAModifier) {
  struct TCase {
    const char* what;
    bool on;
    TShiftState shift;
    int delta;
    TPoint at;
    bool taken;
    std::array<double, 4> ranges;  // xLow, xHigh, yLow, yHigh
  };
  const TCase cases[] = {
      {"off by default", false, {}, 120, {100, 90}, false, {0, 21, 0, 14}},
      {"a notch forward", true, {}, 120, {100, 90}, true, {1, 17.8, 1.4, 12.6}},
      {"a notch back", true, {}, -120, {100, 90}, true, {-1.25, 25, -1.75, 15.75}},
      {"Shift: x only", true, {ssShift}, 120, {100, 90}, true, {1, 17.8, 0, 14}},
      {"Ctrl: y only", true, {ssCtrl}, 120, {100, 90}, true, {0, 21, 1.4, 12.6}},
      {"half a notch", true, {}, 60, {100, 90}, true, {0.527864, 19.310835, 0.739010, 13.260990}},
      {"huge delta: ten notches", true, {}, INT_MAX, {100, 90}, true, {4.46313, 6.71799, 6.24838, 7.75162}},
      {"huge back: ten notches",
       true,
       {},
       INT_MIN,
       {100, 90},
       true,
       {-41.566129, 154.011612, -58.192580, 72.192580}},
      {"outside the chart area", true, {}, 120, {10, 10}, false, {0, 21, 0, 14}},
  };
  for (const TCase& c : cases) {
    chart.SetLayerRange(1, 0, 0, 21, 14);
    chart.SetWheelZoom(c.on);
    EXPECT_EQ(chart.DispatchMouseWheel(c.shift, c.delta, c.at), c.taken) << c.what;
    ExpectRanges(chart, c.ranges, c.what);
  }
}

TEST_F(WheelAndKeys, KeysPanATenthAndZoomAboutTheCentre) {
  struct TCase {
    const char* what;
    std::uint16_t key;  // or 0 and a typed character
    char typed;
    std::array<double, 4> ranges;
  };
  const TCase cases[] = {
      {"Right", vkRight, 0, {2.1, 23.1, 0, 14}},     {"Left", vkLeft, 0, {-2.1, 18.9, 0, 14}},
      {"Up", vkUp, 0, {0, 21, 1.4, 15.4}},           {"Down", vkDown, 0, {0, 21, -1.4, 12.6}},
      {"+", 0, '+', {2.1, 18.9, 1.4, 12.6}},         {"=", 0, '=', {2.1, 18.9, 1.4, 12.6}},
      {"-", 0, '-', {-2.625, 23.625, -1.75, 15.75}}, {"Tab is left alone", vkTab, '\t', {0, 21, 0, 14}},
  };
  for (const bool on : {true, false}) {
    for (const TCase& c : cases) {
      chart.SetLayerRange(1, 0, 0, 21, 14);
      chart.SetKeyNavigation(on);
      std::uint16_t key = c.key;
      char typed = c.typed;
      if (key != 0) chart.DispatchKeyDown(key, {});
      if (typed != 0) chart.DispatchKeyPress(typed);
      const bool moves = on && c.key != vkTab;
      ExpectRanges(chart, moves ? c.ranges : std::array<double, 4>{0, 21, 0, 14}, c.what);
      // A key the chart used is spent; others go on to the host (Tab moves the focus).
      EXPECT_EQ(key == 0 && typed == 0, moves) << c.what;
    }
  }
  // A handler that takes the key keeps it from the chart.
  chart.SetKeyNavigation(true);
  chart.OnKeyDown = [](TObject*, std::uint16_t& key, TShiftState) { key = 0; };
  std::uint16_t right = vkRight;
  chart.DispatchKeyDown(right, {});
  ExpectRanges(chart, {0, 21, 0, 14}, "taken by OnKeyDown");
}

TEST_F(WheelAndKeys, AGestureLeavesOneSnapshotAndBackspaceAndHomeWalkTheHistory) {
  chart.SetWheelZoom(true);
  const std::array<double, 4> start{0, 21, 0, 14};
  const int before = chart.ZoomHistory().WritePosition();
  // Three turns 100 ms apart: one gesture; a fourth after a long pause: the next one.
  for (const std::uint64_t t : {1000, 1100, 1200}) chart.DispatchMouseWheel({}, 120, {100, 90}, t);
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), before % 16 + 1);
  const auto afterFirst = RangesOf(chart, 1);
  chart.DispatchMouseWheel({}, 120, {100, 90}, 1800);
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), (before + 1) % 16 + 1);
  // Key repeats make one gesture too, but not the wheel's.
  for (const std::uint64_t t : {1850, 1880, 1910}) {
    std::uint16_t key = vkRight;
    chart.DispatchKeyDown(key, {}, t);
  }
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), (before + 2) % 16 + 1);
  const auto latest = RangesOf(chart, 1);
  chart.RecallZoom(0);
  EXPECT_EQ(RangesOf(chart, 1), latest);  // the snapshot holds the gesture's last view

  std::uint16_t back = vkBack;
  chart.DispatchKeyDown(back, {});  // before the key pan
  back = vkBack;
  chart.DispatchKeyDown(back, {});  // after the first wheel gesture
  EXPECT_EQ(RangesOf(chart, 1), afterFirst);
  back = vkBack;
  chart.DispatchKeyDown(back, {});
  ExpectRanges(chart, start, "three steps back");
  std::uint16_t right = vkRight;
  chart.DispatchKeyDown(right, {});
  std::uint16_t home = vkHome;
  chart.DispatchKeyDown(home, {});
  ExpectRanges(chart, start, "home");
  chart.RecallZoom(0);
  ExpectRanges(chart, start, "home records its snapshot");
}

TEST_F(WheelAndKeys, RightClickOpensTheMenuOnlyOutsideAGesture) {
  int asked = 0;
  chart.OnContextPopup = [&](TObject*, TPoint, bool& handled) {
    ++asked;
    handled = true;
  };
  struct TCase {
    const char* what;
    std::function<void()> gesture;
    int menus;
  };
  const auto rightClick = [&](int x, int y, TShiftState held = {}) {
    chart.DispatchMouseDown(mbRight, held | TShiftState{ssRight}, x, y);
    chart.DispatchMouseUp(mbRight, held, x, y);
  };
  const TCase cases[] = {
      {"a plain right click", [&] { rightClick(100, 90); }, 1},
      {"one that cancels a zoom window",
       [&] {
         chart.SetMouseAction(maZoomWind);
         Press(100, 90);
         Drag(150, 120);
         rightClick(150, 120, {ssLeft});
         Release(150, 120);
       },
       0},
      {"one in the middle of a pan",
       [&] {
         chart.SetMouseAction(maPan);
         Press(100, 90);
         Drag(101, 90);
         Drag(120, 90);
         rightClick(120, 90, {ssLeft});
         Release(120, 90);
       },
       0},
      {"one that disarms a rectangle pick",
       [&] {
         chart.ArmRectPick();
         rightClick(100, 90);
       },
       0},
  };
  for (const TCase& c : cases) {
    asked = 0;
    chart.SetMouseAction(maNone);
    c.gesture();
    EXPECT_EQ(asked, c.menus) << c.what;
    EXPECT_EQ(chart.MouseState().WindowState, zsNormal) << c.what;
  }
}

TEST_F(WheelAndKeys, EscapeCancelsTheGestureUnderWay) {
  const auto clean = Screen();
  int zoomPans = 0;
  chart.OnZoomPan = [&](TObject*) { ++zoomPans; };
  // A zoom window: the figure goes, the release zooms nothing.
  chart.SetMouseAction(maZoomWind);
  Press(100, 90);
  Drag(150, 120);
  std::uint16_t escape = vkEscape;
  chart.DispatchKeyDown(escape, {});
  EXPECT_EQ(escape, 0);
  EXPECT_TRUE(SameImage(*clean, chart.ScreenImage()));
  Drag(160, 130);
  Release(160, 130);
  EXPECT_TRUE(SameImage(*clean, chart.ScreenImage()));
  // A pan: the view goes back, the rest of the drag does nothing, the release records nothing.
  chart.SetMouseAction(maPan);
  const int position = chart.ZoomHistory().WritePosition();
  Press(100, 90);
  Drag(101, 90);
  Drag(140, 90);
  escape = vkEscape;
  chart.DispatchKeyDown(escape, {});
  ExpectRanges(chart, {0, 21, 0, 14}, "pan cancelled");
  EXPECT_GT(zoomPans, 0);
  Drag(180, 90);
  Release(180, 90);
  ExpectRanges(chart, {0, 21, 0, 14}, "rest of the pan");
  EXPECT_EQ(chart.ZoomHistory().WritePosition(), position);
  // Nothing under way: Escape goes on to the host.
  escape = vkEscape;
  chart.DispatchKeyDown(escape, {});
  EXPECT_EQ(escape, vkEscape);
}

// Wheel turns of any size, key storms and right clicks in the middle of every gesture, with
// confinement, a logarithmic axis, a join and MinRange in play.
TEST_F(WheelAndKeys, AnyInputKeepsRangesFiniteConfinedAndTheScreenClean) {
  chart.SetWheelZoom(true);
  chart.SetConfinement(-50, -40, 80, 60);
  chart.SetLayerMouseActive(2, true);
  chart.Scale2Y().SetMinRange(1);
  chart.SetLayerRange(2, 1, 1, 10, 100);
  chart.Scale2Y().SetLogarithmic(true);
  chart.JointLayers().SetL03xControlledBy(1);
  std::mt19937 random(17);
  const auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  const TMouseActMode actions[] = {maPan, maZoomDrag, maZoomWind, maRubberBand, maSelectRect, maNone};
  std::uint64_t time = 1;
  for (int n = 0; n < 3000; ++n) {
    const int x = pick(-20, 300);
    const int y = pick(-20, 220);
    time += static_cast<std::uint64_t>(pick(0, 900));
    switch (pick(0, 7)) {
      case 0:
        chart.SetMouseAction(actions[pick(0, 5)]);
        Press(x, y);
        break;
      case 1:
        Drag(x, y);
        break;
      case 2:
        Release(x, y, pick(0, 1) ? mbLeft : mbRight);
        break;
      case 3:
        chart.DispatchMouseDown(mbRight, {ssRight, ssLeft}, x, y);
        chart.DispatchMouseUp(mbRight, {ssLeft}, x, y);
        break;
      case 4:
        chart.DispatchMouseWheel(pick(0, 1) ? TShiftState{ssShift} : TShiftState{}, pick(INT_MIN, INT_MAX),
                                 {x, y}, time);
        break;
      case 5:
        chart.DispatchMouseWheel({}, pick(-240, 240), {x, y}, time);
        break;
      default: {
        static constexpr std::uint16_t kKeys[] = {vkLeft, vkRight, vkUp, vkDown, vkHome, vkBack, vkEscape};
        for (int k = pick(1, 30); k > 0; --k) {
          std::uint16_t key = kKeys[pick(0, 6)];
          chart.DispatchKeyDown(key, {}, time++);
          char typed = "+-="[pick(0, 2)];
          chart.DispatchKeyPress(typed, time);
        }
      }
    }
    for (int l = 1; l <= 3; ++l) {
      const auto r = RangesOf(chart, l);
      for (const double v : r) ASSERT_TRUE(std::isfinite(v)) << "input " << n;
    }
    const auto r = RangesOf(chart, 1);
    const auto inside = [](double v, double low, double high) { return v >= low - 1e-9 && v <= high + 1e-9; };
    ASSERT_TRUE(inside(r[0], -50, 80) && inside(r[1], -50, 80) && inside(r[2], -40, 60) &&
                inside(r[3], -40, 60))
        << "input " << n << ": " << r[0] << " " << r[1] << " " << r[2] << " " << r[3];
    ASSERT_GT(chart.ScaleYOf(2).RangeLow(), 0) << "input " << n;
    ASSERT_EQ(chart.ScaleXOf(3).RangeLow(), r[0]) << "input " << n;
    ASSERT_NE(chart.ZoomHistory().Recall(0), nullptr);
  }
  Release(100, 90);
  chart.Repaint();
  const auto repainted = Screen();
  chart.SaveToPngFile(::testing::TempDir() + "wheel_and_keys.png");
  TBitmap composed;
  composed.LoadFromPngFile(::testing::TempDir() + "wheel_and_keys.png");
  EXPECT_TRUE(SameImage(composed, *repainted));  // no rubber figure left
}

TEST_F(WheelAndKeys, AccessibleTextNamesTheCaptionAndTheRanges) {
  EXPECT_EQ(chart.AccessibleName(), "Chart");
  EXPECT_EQ(chart.AccessibleDescription(), "x from 0 to 21, y from 0 to 14");
  chart.SetCaption("Prices");
  chart.Scale2Y().SetVisible(true);
  EXPECT_EQ(chart.AccessibleName(), "Prices");
  EXPECT_EQ(chart.AccessibleDescription(),
            "layer 1: x from 0 to 21, y from 0 to 14; layer 2: x from 0 to 1, y from 0 to 1");
}

}  // namespace
}  // namespace nox::test
