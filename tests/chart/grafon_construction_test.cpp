#include <gtest/gtest.h>

#include <utility>

#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

using GrafonConstruction = ChartTest;

TEST_F(GrafonConstruction, NewChartHasTheStandardLayout) {
  TTestGrafon chart;
  EXPECT_EQ(chart.Width(), 280);
  EXPECT_EQ(chart.Height(), 200);
  EXPECT_EQ(chart.MarginLeft(), 50);
  EXPECT_EQ(chart.MarginRight(), 20);
  EXPECT_EQ(chart.MarginTop(), 20);
  EXPECT_EQ(chart.MarginBottom(), 40);
  EXPECT_EQ(chart.CaptionPosY(), -16);
  EXPECT_EQ(chart.StandardLayout(), gfl_X1Bottom_Y1Left);
  for (int l = 1; l <= 16; ++l) {
    EXPECT_EQ(chart.ScaleXOf(l).Visible(), l == 1) << l;
    EXPECT_EQ(chart.ScaleYOf(l).Visible(), l == 1) << l;
  }
  EXPECT_EQ(chart.Scale1X().ScaleLocation(), slBottom);
  EXPECT_EQ(chart.Scale1X().CaptionPosY(), 22);
  EXPECT_EQ(chart.Scale1X().CaptionAnchor(), uaSclCenter);
  EXPECT_EQ(chart.Scale1Y().ScaleLocation(), slLeft);
  EXPECT_EQ(chart.Scale1Y().CaptionAlignment(), taLeftJustify);
  EXPECT_EQ(chart.Scale2X().CaptionPosX(), 10);
  EXPECT_EQ(chart.Scale2X().CaptionPosY(), 100);
  EXPECT_EQ(chart.ChartImage().Width(), 211);
  EXPECT_EQ(chart.ChartImage().Height(), 141);
}

TEST_F(GrafonConstruction, PublishedPropertiesStartAtTheirDefaults) {
  TTestGrafon chart;
  EXPECT_EQ(chart.AllocSize(), 1000);
  EXPECT_TRUE(chart.AutoRedraw());
  EXPECT_FALSE(chart.AvoidDuplicateMarks());
  EXPECT_EQ(chart.MinDupMarkDist(), 1);
  EXPECT_EQ(chart.GridStyle(), gsNone);
  EXPECT_EQ(chart.DataColor(), 0u);
  EXPECT_EQ(chart.FillColor(), 0xC0C0C0u);
  EXPECT_EQ(chart.TextBkColor(), 0xC0C0C0u);
  EXPECT_EQ(chart.ChartColor(), 0xFFFFFFu);
  EXPECT_EQ(chart.WindColor(), clBtnFace);
  EXPECT_EQ(chart.ShadowColor(), clGrayText);
  EXPECT_EQ(chart.ShadowBakColor(), clBtnFace);
  EXPECT_EQ(chart.ShadowStyle(), ssFlying);
  EXPECT_EQ(chart.CaptionTrim(), 100);
  EXPECT_EQ(chart.CaptionAlignment(), taRightJustify);
  EXPECT_EQ(chart.CaptionAnchorHoriz(), cahChartRight);
  EXPECT_EQ(chart.CaptionAnchorVert(), cavChartTop);
  EXPECT_EQ(chart.MouseTraceColor(), 0xFFFFFFu);
  EXPECT_TRUE(chart.MouseTraceInvert());
  EXPECT_TRUE(chart.MouseCursorFixed());
  EXPECT_EQ(chart.MouseAction(), maNone);
  EXPECT_EQ(chart.PanGridDx(), 1.0);
  EXPECT_EQ(chart.PanGridOffsY(), 0.0);
  EXPECT_EQ(chart.TextBkStyle(), tbClear);
  EXPECT_EQ(chart.TextAlignment(), taCenter);
  EXPECT_EQ(chart.TextFont().Name(), chart.Font().Name());
  EXPECT_EQ(chart.UseDataOf(), nullptr);
  EXPECT_FALSE(chart.Isometric());
  EXPECT_FALSE(chart.ConfinementActive());
  EXPECT_TRUE(chart.LayerMouseActive(1));
  EXPECT_FALSE(chart.LayerMouseActive(2));
  EXPECT_FALSE(chart.AnnotationsUnderData());
  EXPECT_TRUE(chart.ShowAnnotations());
  EXPECT_TRUE(chart.AnnotationTextsOnTop());
  EXPECT_EQ(chart.DialogCode(), 3);
}

TEST_F(GrafonConstruction, CrossHairsAndLabelsTakeTheChartsSettings) {
  TTestGrafon chart;
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(chart.CrossHair(i).Layer(), i);
    EXPECT_EQ(chart.CrossHair(i).Color(), 255u);
    EXPECT_EQ(chart.CrossHair(i).Mode(), chOff);
    EXPECT_EQ(chart.CrossHair(i).LineType(), psDashDotDot);
    EXPECT_EQ(chart.CrossHair(i).LineWid(), 1);
  }
  const TTextLabel& label = chart.TextLabel(50);
  EXPECT_EQ(label.AttachToData(), tlamBoth);
  EXPECT_EQ(label.ColorBkg(), 0xFFFFFFu);
  EXPECT_EQ(label.ShadowDx(), 3);
  EXPECT_EQ(label.Mode(), tlOff);
  EXPECT_FALSE(label.Visible());
  EXPECT_EQ(label.PosX(), 0.0);
}

TEST_F(GrafonConstruction, ScaleControlsAreNamedWiredAndColoured) {
  TTestGrafon chart;
  EXPECT_EQ(chart.ScaleControlX(3).Name(), "GF_FScale_X_3");
  EXPECT_EQ(chart.ScaleControlY(16).Name(), "GF_FScale_Y_16");
  TScale& x3 = chart.ScaleControlX(3);
  EXPECT_TRUE(x3.Hosted());
  EXPECT_TRUE(x3.Transparent());
  EXPECT_EQ(x3.FrameStyle(), fsNone);
  EXPECT_EQ(x3.MouseAction(), maZoom);
  EXPECT_EQ(chart.ScaleControlY(3).MouseAction(), maNone);
  EXPECT_EQ(x3.Width(), 280);
  EXPECT_EQ(chart.ScaleXOf(3).ColorScale(), DefaultLayerColor(3));
  EXPECT_EQ(x3.ColorScale(), DefaultLayerColor(3));
  // Odd and even layers alternate sides; positions step per pair of layers.
  EXPECT_EQ(chart.ScaleXOf(6).ScaleType(), sctXB);
  EXPECT_EQ(chart.ScaleYOf(6).ScaleType(), sctYL);
  EXPECT_EQ(chart.ScaleXOf(7).ScaleType(), sctXT);
  EXPECT_EQ(chart.ScaleXOf(7).ScalePos(), 90);
  EXPECT_EQ(chart.ScaleYOf(7).ScalePos(), 150);
  // X1 at the bottom edge of the chart area: MarginTop = H - MB - SW.
  EXPECT_EQ(chart.ScaleControlX(1).MarginTop(), 160);
  EXPECT_EQ(chart.ScaleControlX(1).MarginLeft(), 50);
  EXPECT_EQ(chart.ScaleControlX(1).MarginRight(), 19);
  // Y1 at the left edge: MarginRight = W - ML - 1.
  EXPECT_EQ(chart.ScaleControlY(1).MarginRight(), 229);
  EXPECT_EQ(chart.ScaleControlY(1).MarginBottom(), 39);
}

// A new chart copies its property objects into the scale controls once, after its layout, and
// only then listens to them: every control must show its object, and every change must reach it.
TEST_F(GrafonConstruction, EveryScaleControlShowsItsPropertyObjectAndFollowsItsChanges) {
  TTestGrafon chart;
  for (int l = 1; l <= 16; ++l) {
    SCOPED_TRACE(l);
    for (auto [props, control] : {std::pair<TScaleProps*, TScale*>{&chart.ScaleXOf(l), &chart.ScaleControlX(l)},
                                  std::pair<TScaleProps*, TScale*>{&chart.ScaleYOf(l), &chart.ScaleControlY(l)}}) {
      EXPECT_EQ(control->ScaleType(), props->ScaleType());
      EXPECT_EQ(control->ColorScale(), props->ColorScale());
      EXPECT_EQ(control->Visible(), props->Visible());
      EXPECT_EQ(control->CaptionPosY(), props->CaptionPosY());
      EXPECT_EQ(control->RangeHigh(), props->RangeHigh());
      props->SetRangeHigh(50 + l);
      props->SetCaption("axis");
      props->DateFormat().SetDateSeparator('/');
      EXPECT_EQ(control->RangeHigh(), 50 + l);
      EXPECT_EQ(control->Caption(), "axis");
      EXPECT_EQ(control->DateFormat().DateSeparator(), '/');
    }
  }
}

TEST_F(GrafonConstruction, TickEventsOfTheScaleControlsReachTheChart) {
  TTestGrafon chart;
  TObject* sender = nullptr;
  double tick = 0;
  chart.OnBeforeTickLabel = [&](TObject* s, TScaleType, double pos, std::string& label) {
    sender = s;
    tick = pos;
    label = "relabelled";
  };
  std::string label = "1";
  chart.ScaleControlY(2).OnBeforeTickLabel(&chart.ScaleControlY(2), sctYL, 2.5, label);
  EXPECT_EQ(sender, &chart);
  EXPECT_EQ(tick, 2.5);
  EXPECT_EQ(label, "relabelled");
  int drawn = 0;
  chart.OnScaleTickDrawn = [&](TObject* s, TCanvas&, TScaleType type, double, int x, int) {
    drawn += s == &chart && type == sctXT && x == 7;
  };
  chart.ScaleControlX(1).OnScaleTickDrawn(&chart.ScaleControlX(1), chart.ControlImage().Canvas(), sctXT, 1, 7,
                                          8);
  EXPECT_EQ(drawn, 1);
}

TEST_F(GrafonConstruction, CursorsAreRegisteredAtOneToFour) {
  TTestGrafon chart;
  const auto& cursors = host.RegisteredCursors();
  for (int i = 1; i <= 4; ++i) EXPECT_TRUE(cursors.count(i)) << i;
  EXPECT_EQ(cursors.size(), 4u);
}

TEST_F(GrafonConstruction, DeviceAspectComesFromTheHost) {
  host.SetDeviceAspect(0, 10);  // unusable: square pixels
  TTestGrafon chart;
  EXPECT_EQ(chart.DeviceAspectX(), chart.DeviceAspectY());
}

TEST_F(GrafonConstruction, PaintingWaitsForTheWindow) {
  TTestGrafon chart;
  EXPECT_TRUE(chart.PaintSuspended());
  chart.SetCaption("x");
  EXPECT_EQ(chart.Paints, 0);
  chart.HandleNeeded();
  EXPECT_FALSE(chart.PaintSuspended());
  chart.Paints = 0;
  chart.SetCaption("y");
  EXPECT_EQ(chart.Paints, 1);
  chart.SetAutoRedraw(false);
  chart.SetCaption("z");
  EXPECT_EQ(chart.Paints, 1);
  chart.SetDesigning(true);
  chart.SetCaption("w");
  EXPECT_EQ(chart.Paints, 2);
}

TEST_F(GrafonConstruction, LoadedEndsTheLoadingGuardOfEveryPropertyObject) {
  TTestGrafon chart;
  EXPECT_TRUE(chart.ScaleXOf(16).LoadingGuard());
  chart.BeginLoading();
  chart.Scale1X().SetRangeLow(2);
  chart.Scale1X().SetRangeHigh(4);
  chart.Loaded();
  for (int l = 1; l <= 16; ++l) {
    EXPECT_FALSE(chart.ScaleXOf(l).LoadingGuard());
    EXPECT_FALSE(chart.ScaleYOf(l).LoadingGuard());
  }
  EXPECT_EQ(chart.ScaleControlX(1).RangeLow(), 2);
  int px = 0, py = 0;
  chart.WorldToPixel(1, 4, 0, px, py);
  EXPECT_EQ(px, 260);
}

TEST_F(GrafonConstruction, AssignCopiesTheChartButKeepsItsOwnObjects) {
  TTestGrafon a, b;
  a.LineToPoint(1, 2);
  a.AddMark(3, 4, 5);
  a.SetCaption("source");
  a.SetMarginLeft(70);
  a.SetLayerRange(2, -1, -1, 1, 1);
  a.JointLayers().SetL03xControlledBy(2);
  a.Scale1Y().SetCaption("y axis");
  a.CrossHair2().SetMode(chBoth);
  a.TextFont().SetSize(20);
  int zoomPans = 0;
  a.OnZoomPan = [&zoomPans](TObject*) { ++zoomPans; };

  b.Assign(a);
  EXPECT_EQ(b.DataCount(), 2);
  EXPECT_EQ(b.DataItems().size(), 1000u);
  EXPECT_EQ(b.DataItems()[1], a.DataItems()[1]);
  EXPECT_NE(&b.DataItems(), &a.DataItems());
  EXPECT_EQ(b.Caption(), "source");
  EXPECT_EQ(b.MarginLeft(), 70);
  EXPECT_EQ(RangesOf(b, 2), (std::array<double, 4>{-1, 1, -1, 1}));
  EXPECT_EQ(b.JointLayers().L03xControlledBy(), 2);
  EXPECT_EQ(b.Scale1Y().Caption(), "y axis");
  EXPECT_EQ(b.CrossHair2().Mode(), chBoth);
  EXPECT_EQ(b.TextFont().Size(), 20);
  EXPECT_EQ(b.ZoomHistory(), a.ZoomHistory());
  ASSERT_TRUE(b.OnZoomPan);
  b.OnZoomPan(&b);
  EXPECT_EQ(zoomPans, 1);

  // b's own objects keep notifying b: a change on b's cross hair repaints b, not a.
  b.HandleNeeded();
  a.HandleNeeded();
  a.Paints = b.Paints = 0;
  b.CrossHair2().SetMode(chOff);
  EXPECT_EQ(b.Paints, 1);
  EXPECT_EQ(a.Paints, 0);
  // and b's scale controls relay to b
  TObject* sender = nullptr;
  b.OnBeforeTickLabel = [&sender](TObject* s, TScaleType, double, std::string&) { sender = s; };
  std::string text;
  b.ScaleControlX(1).OnBeforeTickLabel(nullptr, sctXT, 0, text);
  EXPECT_EQ(sender, &b);
}

TEST_F(GrafonConstruction, AssignTakesOverDataSharingThroughItsRules) {
  TTestGrafon owner, user, target;
  user.SetUseDataOf(&owner);
  owner.LineToPoint(1, 1);
  target.Assign(user);
  EXPECT_EQ(target.UseDataOf(), &owner);
  EXPECT_EQ(owner.DataUserCount(), 2);
  owner.LineToPoint(2, 2);
  EXPECT_EQ(target.DataCount(), 2);

  TTestGrafon plain;
  plain.MoveToPoint(5, 5);
  target.Assign(plain);
  EXPECT_EQ(target.UseDataOf(), nullptr);
  EXPECT_EQ(owner.DataUserCount(), 1);
  EXPECT_EQ(target.DataCount(), 1);
  EXPECT_EQ(owner.DataCount(), 2);
}

TEST_F(GrafonConstruction, AssignFromAnotherClassFails) {
  TTestGrafon chart;
  TFont font;
  EXPECT_THROW(chart.Assign(font), EConvertError);
}

}  // namespace
}  // namespace nox::test
