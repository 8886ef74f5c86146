// The component and control base: state, bounds and screen image, painting requests, the site,
// and the order and rules of the standard events.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/control.h"

namespace nox {
namespace {

// Records which hooks ran.
class ProbeControl : public TControl {
 public:
  using TControl::TControl;
  int Paints = 0;
  int Windows = 0;
  int FontChanges = 0;
  void Paint() override { ++Paints; }

 protected:
  void CreateWnd() override {
    ++Windows;
    HandleNeeded();  // asking again from inside must not create a second window
  }
  void FontChanged() override { ++FontChanges; }
};

class RecordingSite : public TControlSite {
 public:
  std::vector<TRect> Areas;
  int Destroyed = 0;
  void UpdateArea(TControl&, const TRect& area) override { Areas.push_back(area); }
  void ControlDestroyed(TControl&) override { ++Destroyed; }
};

// Subscribes to the mouse events and writes one word per event.
struct EventLog {
  std::vector<std::string> Words;
  explicit EventLog(TControl& c) {
    c.OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int x, int y) { Add("down", b, x, y); };
    c.OnMouseMove = [this](TObject*, TShiftState, int x, int y) { Add("move", mbLeft, x, y); };
    c.OnMouseUp = [this](TObject*, TMouseButton b, TShiftState, int x, int y) { Add("up", b, x, y); };
    c.OnClick = [this](TObject*) { Words.push_back("click"); };
    c.OnDblClick = [this](TObject*) { Words.push_back("dblclick"); };
    c.OnMouseEnter = [this](TObject*) { Words.push_back("enter"); };
    c.OnMouseLeave = [this](TObject*) { Words.push_back("leave"); };
  }
  void Add(const char* what, TMouseButton b, int x, int y) {
    Words.push_back(std::string(what) + (b == mbRight ? "R" : "") + "(" + std::to_string(x) + "," +
                    std::to_string(y) + ")");
  }
};

TEST(Component, LoadingDesigningAndIdentity) {
  TComponent owner(nullptr);
  TComponent c(&owner);
  c.SetName("Chart1");
  c.SetTag(42);
  EXPECT_EQ(c.Owner(), &owner);
  EXPECT_EQ(c.Name(), "Chart1");
  EXPECT_EQ(c.Tag(), 42);
  c.BeginLoading();
  EXPECT_TRUE(c.IsLoading());
  EXPECT_TRUE(c.ComponentState().Contains(csReading));
  c.SetDesigning(true);
  c.Loaded();
  EXPECT_FALSE(c.IsLoading());
  EXPECT_FALSE(c.ComponentState().Contains(csReading));
  EXPECT_TRUE(c.IsDesigning());  // loading ends, designing stays
  c.SetDesigning(false);
  EXPECT_TRUE(c.ComponentState().Empty());
}

TEST(Control, BoundsResizeTheScreenImage) {
  ProbeControl c(nullptr);
  EXPECT_EQ(c.ScreenImage().Width(), 0);
  EXPECT_EQ(c.ScreenImage().Height(), 0);
  c.SetBounds(5, 6, 30, 20);
  EXPECT_EQ(c.BoundsRect(), Rect(5, 6, 35, 26));
  EXPECT_EQ(c.ScreenImage().Width(), 30);
  EXPECT_EQ(c.ScreenImage().Height(), 20);
  c.SetBounds(5, 6, -4, -1);
  EXPECT_EQ(c.Width(), 0);
  EXPECT_EQ(c.Height(), 0);
  EXPECT_TRUE(c.ScreenImage().Empty());
  c.SetWidth(12);
  c.SetHeight(7);
  EXPECT_EQ(c.ClientRect(), Rect(0, 0, 12, 7));
  EXPECT_EQ(c.Canvas().Width(), 12);
}

TEST(Control, ResizeFiresOnlyWhenTheSizeChanges) {
  ProbeControl c(nullptr);
  int resizes = 0;
  c.OnResize = [&](TObject* sender) {
    EXPECT_EQ(sender, &c);
    EXPECT_EQ(c.ScreenImage().Width(), c.Width());  // the image is resized before the event
    ++resizes;
  };
  c.SetBounds(0, 0, 10, 10);
  c.SetBounds(3, 4, 10, 10);  // a move only
  EXPECT_EQ(resizes, 1);
  EXPECT_EQ(c.Left(), 3);
  c.SetHeight(11);
  EXPECT_EQ(resizes, 2);
}

TEST(Control, CanResizeMayVetoOrChangeTheSize) {
  ProbeControl c(nullptr);
  c.SetBounds(0, 0, 10, 10);
  c.OnCanResize = [](TObject*, int& w, int& h, bool& resize) {
    if (w > 100) {
      resize = false;
    } else {
      w = w / 2 * 2;  // even widths only
      h = -3;         // repaired to 0
    }
  };
  c.SetBounds(1, 2, 500, 500);
  EXPECT_EQ(c.BoundsRect(), Rect(1, 2, 11, 12));  // moved, not resized
  c.SetBounds(1, 2, 21, 30);
  EXPECT_EQ(c.Width(), 20);
  EXPECT_EQ(c.Height(), 0);
  EXPECT_EQ(c.ScreenImage().Width(), 20);
}

TEST(Control, SizeBeyondTheImageLimitsIsRefusedUnchanged) {
  ProbeControl c(nullptr);
  c.SetBounds(1, 1, 40, 30);
  EXPECT_THROW(c.SetBounds(9, 9, 20000, 30), EInvalidGraphic);
  EXPECT_EQ(c.BoundsRect(), Rect(1, 1, 41, 31));
  EXPECT_EQ(c.ScreenImage().Width(), 40);
}

TEST(Control, HandleNeededCreatesTheWindowOnce) {
  ProbeControl c(nullptr);
  EXPECT_FALSE(c.HandleAllocated());
  c.HandleNeeded();
  c.HandleNeeded();
  EXPECT_TRUE(c.HandleAllocated());
  EXPECT_EQ(c.Windows, 1);
}

TEST(Control, InvalidatePaintsOnceWhenAsked) {
  ProbeControl c(nullptr);
  c.PaintIfPending();
  EXPECT_EQ(c.Paints, 0);
  c.Invalidate();
  c.Invalidate();
  EXPECT_TRUE(c.PaintPending());
  c.PaintIfPending();
  c.PaintIfPending();
  EXPECT_EQ(c.Paints, 1);
  EXPECT_FALSE(c.PaintPending());
}

TEST(Control, SiteHearsOfInvalidationAndDirectDrawing) {
  RecordingSite site;
  {
    ProbeControl c(nullptr);
    c.SetBounds(0, 0, 20, 10);
    c.SetSite(&site);
    c.Invalidate();
    c.ScreenChanged(Rect(-5, 2, 8, 50));  // clipped to the client area
    c.ScreenChanged(Rect(30, 0, 40, 5));  // entirely outside: not reported
    c.ScreenChanged();
    c.SetVisible(false);  // the site must hide it
    EXPECT_EQ(site.Areas, (std::vector<TRect>{Rect(0, 0, 20, 10), Rect(0, 2, 8, 10), Rect(0, 0, 20, 10),
                                              Rect(0, 0, 20, 10)}));
    EXPECT_FALSE(c.Visible());
    EXPECT_EQ(site.Destroyed, 0);
  }
  EXPECT_EQ(site.Destroyed, 1);
}

TEST(Control, FontChangesReachFontChanged) {
  ProbeControl c(nullptr);
  c.Font().SetSize(14);
  TFont other;
  other.SetName("Arial");
  c.SetFont(other);
  EXPECT_EQ(c.FontChanges, 2);
  EXPECT_EQ(c.Font().Name(), "Arial");
}

TEST(ControlEvents, PressMoveReleaseThenClick) {
  ProbeControl c(nullptr);
  c.SetBounds(0, 0, 50, 40);
  EventLog log(c);
  c.DispatchMouseEnter();
  c.DispatchMouseDown(mbLeft, {ssLeft}, 3, 4);
  c.DispatchMouseMove({ssLeft}, 60, 4);  // captured moves may leave the control
  c.DispatchMouseUp(mbLeft, {}, 10, 11);
  c.DispatchMouseLeave();
  EXPECT_EQ(log.Words,
            (std::vector<std::string>{"enter", "down(3,4)", "move(60,4)", "up(10,11)", "click", "leave"}));
}

TEST(ControlEvents, ClickNeedsALeftPressAndReleaseInside) {
  ProbeControl c(nullptr);
  c.SetBounds(0, 0, 50, 40);
  EventLog log(c);
  c.DispatchMouseDown(mbLeft, {ssLeft}, 5, 5);
  c.DispatchMouseUp(mbLeft, {}, 50, 5);  // released just outside
  c.DispatchMouseDown(mbLeft, {ssLeft}, -1, 5);
  c.DispatchMouseUp(mbLeft, {}, 5, 5);  // pressed outside
  c.DispatchMouseDown(mbRight, {ssRight}, 5, 5);
  c.DispatchMouseUp(mbRight, {}, 5, 5);  // not the left button
  c.DispatchMouseUp(mbLeft, {}, 5, 5);   // a release without a press
  EXPECT_EQ(std::count(log.Words.begin(), log.Words.end(), "click"), 0);

  // A double click: first click, then the double-click press, whose release is no second click.
  log.Words.clear();
  c.DispatchMouseDown(mbLeft, {ssLeft}, 5, 5);
  c.DispatchMouseUp(mbLeft, {}, 5, 5);
  c.DispatchDblClick();
  c.DispatchMouseDown(mbLeft, {ssLeft, ssDouble}, 5, 5);
  c.DispatchMouseUp(mbLeft, {}, 5, 5);
  EXPECT_EQ(log.Words,
            (std::vector<std::string>{"down(5,5)", "up(5,5)", "click", "dblclick", "down(5,5)", "up(5,5)"}));
}

TEST(ControlEvents, DisabledControlIgnoresInput) {
  ProbeControl c(nullptr);
  c.SetBounds(0, 0, 50, 40);
  EventLog log(c);
  c.SetEnabled(false);
  c.DispatchMouseDown(mbLeft, {ssLeft}, 5, 5);
  c.DispatchMouseUp(mbLeft, {}, 5, 5);
  c.DispatchDblClick();
  EXPECT_FALSE(c.DispatchMouseWheel({}, 120, Point(1, 1)));
  EXPECT_TRUE(log.Words.empty());
}

TEST(ControlEvents, WheelGoesToUpOrDownUnlessHandled) {
  ProbeControl c(nullptr);
  std::vector<std::string> words;
  bool takeWheel = false;
  c.OnMouseWheel = [&](TObject*, TShiftState, int delta, TPoint pos, bool& handled) {
    words.push_back("wheel " + std::to_string(delta) + " at " + std::to_string(pos.X));
    handled = takeWheel;
  };
  c.OnMouseWheelUp = [&](TObject*, TShiftState, TPoint, bool& handled) {
    words.push_back("up");
    handled = true;
  };
  c.OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { words.push_back("down"); };
  EXPECT_TRUE(c.DispatchMouseWheel({}, 120, Point(7, 8)));
  EXPECT_FALSE(c.DispatchMouseWheel({}, -240, Point(7, 8)));  // the down handler leaves it
  takeWheel = true;
  EXPECT_TRUE(c.DispatchMouseWheel({}, 120, Point(7, 8)));
  EXPECT_EQ(words,
            (std::vector<std::string>{"wheel 120 at 7", "up", "wheel -240 at 7", "down", "wheel 120 at 7"}));
}

TEST(ControlEvents, KeyHandlersMayChangeTheKey) {
  ProbeControl c(nullptr);
  c.OnKeyDown = [](TObject*, std::uint16_t& key, TShiftState shift) {
    if (shift.Contains(ssCtrl)) key = 0;
  };
  c.OnKeyPress = [](TObject*, char& key) { key = static_cast<char>(key - 'a' + 'A'); };
  std::uint16_t key = vkLeft;
  c.DispatchKeyDown(key, {ssCtrl});
  EXPECT_EQ(key, 0);
  char ch = 'q';
  c.DispatchKeyPress(ch);
  EXPECT_EQ(ch, 'Q');
  std::uint16_t up = vkTab;
  c.DispatchKeyUp(up, {});  // no handler: nothing happens
  EXPECT_EQ(up, vkTab);
}

// Constraints bound every size the control takes, and never cross: a minimum above the maximum
// raises it, a maximum below the minimum lowers it; 0 lifts a bound.
TEST(Control, ConstraintsBoundTheSizeAndNeverCross) {
  ProbeControl c(nullptr);
  int told = 0;
  struct : RecordingSite {
    int* Told = nullptr;
    void StandardPropertiesChanged(TControl&) override { ++*Told; }
  } layoutSite;
  layoutSite.Told = &told;
  c.SetSite(&layoutSite);
  c.SetBounds(0, 0, 300, 200);
  c.Constraints().SetMaxWidth(250);  // applies at once
  EXPECT_EQ(c.Width(), 250);
  c.Constraints().SetMinHeight(220);
  EXPECT_EQ(c.Height(), 220);
  struct TCase {
    int minWidth, maxWidth;       // set in this order
    int wantMin, wantMax, width;  // after SetWidth(100)
  };
  for (const TCase k : {TCase{150, 120, 120, 120, 120}, TCase{130, 0, 130, 0, 130}, TCase{0, 90, 0, 90, 90},
                        TCase{-5, -5, 0, 0, 100}, TCase{200, 260, 200, 260, 200}}) {
    c.Constraints().SetMaxWidth(0);
    c.Constraints().SetMinWidth(0);
    c.Constraints().SetMinWidth(k.minWidth);
    c.Constraints().SetMaxWidth(k.maxWidth);
    c.SetWidth(100);
    EXPECT_EQ(c.Constraints().MinWidth(), k.wantMin) << k.minWidth << " " << k.maxWidth;
    EXPECT_EQ(c.Constraints().MaxWidth(), k.wantMax) << k.minWidth << " " << k.maxWidth;
    EXPECT_EQ(c.Width(), k.width) << k.minWidth << " " << k.maxWidth;
  }
  const int before = told;
  c.SetAlign(alClient);
  c.SetAnchors({akRight});
  c.SetParentFont(true);
  c.SetAlign(alClient);  // no change, no word
  EXPECT_EQ(told, before + 3);
  c.SetSite(nullptr);
}

// Drag and drop as the host reports it: what is dragged, who takes it (only with an OnDragOver
// handler that leaves Accept true), and nothing for a disabled control.
TEST(ControlEvents, DragStartsOverDropsAndEnds) {
  ProbeControl source(nullptr);
  ProbeControl target(nullptr);
  EXPECT_EQ(source.DispatchStartDrag(), &source);
  TObject named;
  source.OnStartDrag = [&named](TObject*, TObject*& dragObject) { dragObject = &named; };
  EXPECT_EQ(source.DispatchStartDrag(), &named);

  EXPECT_FALSE(target.DispatchDragOver(&named, 1, 2, dsDragEnter));  // no handler: refused
  std::vector<std::string> log;
  target.OnDragOver = [&](TObject*, TObject* what, int x, int y, TDragState state, bool& accept) {
    log.push_back("over " + std::to_string(state) + " " + std::to_string(x) + "," + std::to_string(y));
    accept = what == &named && x < 10;
  };
  target.OnDragDrop = [&](TObject*, TObject* what, int x, int y) {
    log.push_back(std::string("drop ") + (what == &named ? "named " : "") + std::to_string(x) + "," +
                  std::to_string(y));
  };
  source.OnEndDrag = [&](TObject*, TObject* to, int x, int y) {
    log.push_back(std::string("end ") + (to == &target ? "target " : "") + std::to_string(x) + "," +
                  std::to_string(y));
  };
  EXPECT_TRUE(target.DispatchDragOver(&named, 3, 4, dsDragMove));
  EXPECT_FALSE(target.DispatchDragOver(&named, 30, 4, dsDragMove));
  target.DispatchDragDrop(&named, 3, 4);
  source.DispatchEndDrag(&target, 3, 4);
  EXPECT_EQ(log, (std::vector<std::string>{"over 2 3,4", "over 2 30,4", "drop named 3,4", "end target 3,4"}));

  target.SetEnabled(false);
  source.SetEnabled(false);
  EXPECT_FALSE(target.DispatchDragOver(&named, 3, 4, dsDragMove));
  target.DispatchDragDrop(&named, 3, 4);
  EXPECT_EQ(source.DispatchStartDrag(), nullptr);
  EXPECT_EQ(log.size(), 4u);
}

}  // namespace
}  // namespace nox
