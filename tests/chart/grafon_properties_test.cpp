#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

using GrafonProperties = ChartTest;

TEST_F(GrafonProperties, SizeNeverFallsBelowTheMargins) {
  TTestGrafon chart;
  chart.SetWidth(10);
  EXPECT_EQ(chart.Width(), 150);  // 50 + 20 + 0 + 80
  chart.SetHeight(10);
  EXPECT_EQ(chart.Height(), 80);  // 20 + 40 + 0 + 20
  chart.SetShadowWidth(5);
  chart.SetBounds(3, 4, 0, 0);
  EXPECT_EQ(chart.Left(), 3);
  EXPECT_EQ(chart.Width(), 155);
  EXPECT_EQ(chart.Height(), 85);
}

TEST_F(GrafonProperties, ResizingFollowsWithScaleControlsAndMapping) {
  TTestGrafon chart;
  chart.SetLayerRange(1, 0, 0, 1, 1);
  chart.HandleNeeded();
  chart.Paints = 0;
  chart.SetBounds(0, 0, 400, 300);
  EXPECT_EQ(chart.ScaleControlX(1).Width(), 400);
  EXPECT_EQ(chart.ScaleControlY(16).Height(), 300);
  EXPECT_EQ(chart.ScaleControlX(1).MarginTop(), 260);
  int px = 0, py = 0;
  chart.WorldToPixel(1, 1, 1, px, py);
  EXPECT_EQ(px, 380);
  EXPECT_EQ(py, 20);
  EXPECT_EQ(chart.Paints, 0);  // resizing restores the flag without painting
  EXPECT_FALSE(chart.PaintSuspended());
}

TEST_F(GrafonProperties, ShadowWidthIsClamped) {
  TTestGrafon chart;
  chart.SetShadowWidth(40);
  EXPECT_EQ(chart.ShadowWidth(), 32);
  chart.SetShadowWidth(-5);
  EXPECT_EQ(chart.ShadowWidth(), 0);
  chart.SetShadowWidth(6);
  EXPECT_EQ(chart.ChartImage().Width(), 280 - 50 - 20 - 6 + 1);
  EXPECT_EQ(chart.ScaleControlX(2).MarginRight(), 25);
  EXPECT_EQ(chart.ScaleControlY(2).MarginBottom(), 45);
}

TEST_F(GrafonProperties, MarginsMoveTheChartAreaAndAreKeptSane) {
  TTestGrafon chart;
  chart.SetMarginLeft(60);
  chart.SetMarginBottom(30);
  EXPECT_EQ(chart.LRim(), 60);
  EXPECT_EQ(chart.ChartImage().Width(), 280 - 60 - 20 + 1);
  EXPECT_EQ(chart.ChartImage().Height(), 200 - 20 - 30 + 1);
  EXPECT_EQ(chart.ScaleControlX(1).MarginLeft(), 60);
  EXPECT_EQ(chart.ScaleControlY(1).MarginBottom(), 29);
  chart.SetTRim(-8);
  EXPECT_EQ(chart.MarginTop(), 0);
  chart.SetRRim(1 << 30);
  EXPECT_EQ(chart.MarginRight(), kMaxMargin);
  EXPECT_EQ(chart.ChartImage().Width(), 0);
  chart.SetWidth(10);  // the minimum size stays a valid image
  EXPECT_EQ(chart.Width(), 60 + kMaxMargin + 80);
}

TEST_F(GrafonProperties, AllMarginsAndTheShadowAtTheirLargestStillLeaveAValidMinimumSize) {
  TTestGrafon chart;
  for (const auto set : {&TCustomGrafon::SetMarginLeft, &TCustomGrafon::SetMarginRight,
                         &TCustomGrafon::SetMarginTop, &TCustomGrafon::SetMarginBottom}) {
    (chart.*set)(1 << 30);
  }
  chart.SetShadowWidth(1000);
  chart.SetBounds(3, 4, 0, 0);  // raised to the minimum, which must fit the image limits
  EXPECT_EQ(chart.Width(), 2 * kMaxMargin + 32 + 80);
  EXPECT_EQ(chart.Height(), 2 * kMaxMargin + 32 + 20);
  EXPECT_EQ(chart.Left(), 3);
}

TEST_F(GrafonProperties, CaptionTrimIsZeroOrAPercentage) {
  TTestGrafon chart;
  chart.SetCaptionTrim(3);
  EXPECT_EQ(chart.CaptionTrim(), 5);
  chart.SetCaptionTrim(0);
  EXPECT_EQ(chart.CaptionTrim(), 0);
  chart.SetCaptionTrim(200);
  EXPECT_EQ(chart.CaptionTrim(), 100);
  chart.SetCaptionTrim(-1);
  EXPECT_EQ(chart.CaptionTrim(), 5);
}

TEST_F(GrafonProperties, CaptionBeyondItsLimitIsRefusedAndChangesNothing) {
  TTestGrafon chart;
  chart.SetCaption(std::string(kMaxCaptionLength, 'c'));
  EXPECT_THROW(chart.SetCaption(std::string(kMaxCaptionLength + 1, 'x')), ENoxGrafonError);
  EXPECT_EQ(chart.Caption(), std::string(kMaxCaptionLength, 'c'));
}

TEST_F(GrafonProperties, GridStepBelowMinusThreeIsIgnored) {
  TTestGrafon chart;
  chart.SetGridDx(-4);
  EXPECT_EQ(chart.GridDx(), 0.0);
  chart.SetGridDx(-3);
  EXPECT_EQ(chart.GridDx(), -3.0);
  chart.SetGridDy(std::nan(""));
  EXPECT_EQ(chart.GridDy(), 0.0);
  chart.SetPanGridDx(INFINITY);
  EXPECT_EQ(chart.PanGridDx(), 1.0);
}

TEST_F(GrafonProperties, MinDupMarkDistIsKeptWithinOneToThree) {
  TTestGrafon chart;
  chart.HandleNeeded();
  chart.Paints = 0;
  chart.SetMinDupMarkDist(0);
  EXPECT_EQ(chart.MinDupMarkDist(), 1);
  chart.SetMinDupMarkDist(7);
  EXPECT_EQ(chart.MinDupMarkDist(), 3);
  EXPECT_EQ(chart.Paints, 2);
  chart.SetMinDupMarkDist(3);
  chart.SetAvoidDuplicateMarks(false);
  EXPECT_EQ(chart.Paints, 2);
  chart.SetAutoRedraw(false);
  chart.SetAvoidDuplicateMarks(true);  // paints at once, whatever AutoRedraw says
  EXPECT_EQ(chart.Paints, 3);
}

TEST_F(GrafonProperties, LayoutWithBothXAndBothYScales) {
  TTestGrafon chart;
  chart.SetStandardLayout(gfl_X2Both_Y2Both);
  EXPECT_EQ(chart.Scale2X().ScaleLocation(), slTop);
  EXPECT_EQ(chart.Scale2X().ScaleType(), sctXB);
  EXPECT_EQ(chart.Scale2Y().ScaleLocation(), slRight);
  EXPECT_EQ(chart.Scale2Y().ScaleType(), sctYL);
  for (TScaleProps* p : std::initializer_list<TScaleProps*>{&chart.Scale1X(), &chart.Scale1Y(),
                                                            &chart.Scale2X(), &chart.Scale2Y()}) {
    EXPECT_TRUE(p->Visible());
  }
  EXPECT_FALSE(chart.Scale3X().Visible());
  EXPECT_EQ(chart.Scale3Y().CaptionPosY(), -23);
  EXPECT_EQ(chart.MarginLeft(), 50);
  EXPECT_EQ(chart.MarginRight(), 50);
  EXPECT_EQ(chart.MarginTop(), 64);
  EXPECT_EQ(chart.MarginBottom(), 40);
  EXPECT_EQ(chart.CaptionPosY(), -60);
  EXPECT_EQ(chart.CaptionAnchorHoriz(), cahChartCenter);
  // The scale controls took the new placement: X2 on top of the chart area.
  EXPECT_EQ(chart.ScaleControlX(2).ScaleType(), sctXB);
  EXPECT_EQ(chart.ScaleControlX(2).MarginBottom(), 200 - 64 - 1);
  EXPECT_TRUE(chart.ScaleControlY(2).Visible());
}

TEST_F(GrafonProperties, LayoutsPlaceStackedLeftScales) {
  TTestGrafon chart;
  chart.SetStandardLayout(gfl_X1Bottom_Y4Left);
  EXPECT_EQ(chart.MarginLeft(), 200);
  EXPECT_EQ(chart.Scale4Y().ScalePos(), 150);
  EXPECT_TRUE(chart.Scale4Y().Visible());
  chart.SetStandardLayout(gfl_X2Bottom_Y2Left);
  EXPECT_EQ(chart.MarginBottom(), 70);
  EXPECT_EQ(chart.Scale2X().ScalePos(), 30);
  EXPECT_EQ(chart.Scale2X().CaptionPosX(), -20);
  EXPECT_FALSE(chart.Scale4Y().Visible());
  EXPECT_EQ(chart.Scale4Y().ScalePos(), 0);
  chart.SetStandardLayout(static_cast<TgfLayout>(42));
  EXPECT_EQ(chart.StandardLayout(), gfl_X2Bottom_Y2Left);
}

TEST_F(GrafonProperties, PropertyObjectChangesReachTheScaleControls) {
  TTestGrafon chart;
  chart.Scale1X().SetCaption("time");
  chart.Scale1X().Font().SetSize(15);
  chart.Scale1X().DateFormat().SetDateSeparator('.');
  EXPECT_EQ(chart.ScaleControlX(1).Caption(), "time");
  EXPECT_EQ(chart.ScaleControlX(1).Font().Size(), 15);
  EXPECT_EQ(chart.ScaleControlX(1).DateFormat().DateSeparator(), '.');
}

// What a scale control shows of its property object, read the same way from both.
template <class TScaleLike>
auto PushedFields(const TScaleLike& s) {
  const TFont& f = s.Font();
  const TDTLabel& d = s.DateFormat();
  return std::make_tuple(f.Name(), f.Height(), f.Style(), f.Color(), f.PixelsPerInch(), d.TimeFormat(),
                         d.DateSeparator(), d.TimeSeparator(), d.YearLength(), d.MonthName(), d.DateOrder(),
                         d.DateForTime(), s.Caption(), s.CaptionPosX(), s.CaptionPosY(), s.CaptionAlignment(),
                         s.CaptionAnchor(), s.ColorScale(), s.ShortTicks(), s.MinTicks(), s.ScaleInscript(),
                         s.UserTickText(), s.Visible());
}

TEST_F(GrafonProperties, EachFieldOfAPropertyObjectReachesItsScaleControl) {
  // One field changed at a time, so that a field the push leaves out when the rest is equal shows.
  const std::vector<std::function<void(TScaleProps&)>> changes = {
      [](TScaleProps& p) { p.Font().SetName("Liberation Serif"); },
      [](TScaleProps& p) { p.Font().SetHeight(-17); },
      [](TScaleProps& p) { p.Font().SetStyle(TFontStyles{fsItalic}); },
      [](TScaleProps& p) { p.Font().SetColor(clRed); },
      [](TScaleProps& p) { p.Font().SetPixelsPerInch(120); },
      [](TScaleProps& p) { p.DateFormat().SetTimeFormat(tfAMPM); },
      [](TScaleProps& p) { p.DateFormat().SetDateSeparator('/'); },
      [](TScaleProps& p) { p.DateFormat().SetTimeSeparator('.'); },
      [](TScaleProps& p) { p.DateFormat().SetYearLength(ylYY); },
      [](TScaleProps& p) { p.DateFormat().SetMonthName(false); },
      [](TScaleProps& p) { p.DateFormat().SetDateOrder(doYYMMDD); },
      [](TScaleProps& p) { p.DateFormat().SetDateForTime(dtAllTicks); },
      [](TScaleProps& p) { p.SetCaptionPosX(7); },
      [](TScaleProps& p) { p.SetCaptionPosY(-9); },
      [](TScaleProps& p) { p.SetCaptionAlignment(taLeftJustify); },
      [](TScaleProps& p) { p.SetCaptionAnchor(uaSclBotRgt); },
      [](TScaleProps& p) { p.SetColorScale(clNavy); },
      [](TScaleProps& p) { p.SetShortTicks(false); },
      [](TScaleProps& p) { p.SetMinTicks(7); },
      [](TScaleProps& p) { p.SetScaleInscript("$&"); },
      [](TScaleProps& p) { p.SetUserTickText("a|b"); },
      [](TScaleProps& p) { p.SetVisible(false); },
  };
  for (std::size_t i = 0; i < changes.size(); ++i) {
    TTestGrafon chart;
    chart.HandleNeeded();
    const auto before = PushedFields(chart.ScaleControlX(1));
    changes[i](chart.Scale1X());
    chart.Repaint();  // also a change that does not notify (the font's resolution) is drawn
    EXPECT_NE(PushedFields(chart.Scale1X()), before) << "change " << i << " changes nothing";
    EXPECT_EQ(PushedFields(chart.ScaleControlX(1)), PushedFields(chart.Scale1X())) << "change " << i;
  }
}

TEST_F(GrafonProperties, AssigningPropertyObjectsCopiesValues) {
  TTestGrafon chart;
  TScalePropsHoriz props;
  props.SetCaption("copied");
  chart.SetScale3X(props);
  EXPECT_EQ(chart.Scale3X().Caption(), "copied");
  TCrossHair cross;
  cross.SetPosX(2.5);
  int foreign = 0;
  cross.OnChange = [&foreign](TObject*) { ++foreign; };
  chart.SetCrossHair3(cross);
  EXPECT_EQ(chart.CrossHair3().PosX(), 2.5);
  chart.CrossHair3().SetPosX(3);
  EXPECT_EQ(foreign, 0);
  TBakGndImg background;
  background.SetAreaColor(clNavy);
  chart.SetBackGroundImg(background);
  EXPECT_EQ(chart.BackGroundImg().AreaColor(), clNavy);
  TFont font;
  font.SetName("Arial");
  chart.SetTextFont(font);
  EXPECT_EQ(chart.TextFont().Name(), "Arial");
  chart.SetTextFontStyle(TFontStyles{fsBold});
  EXPECT_TRUE(chart.TextFont().Style().Contains(fsBold));
}

TEST(BackgroundImage, NameKeepsOnlyTheFileNameUnlessThePathIsIncluded) {
  THeadlessHost host;
  TScopedHost scoped(host);
  TBakGndImg image;
  int changes = 0;
  image.OnChange = [&changes](TObject*) { ++changes; };
  image.SetName("C:\\pictures\\sky.bmp");
  EXPECT_EQ(image.Name(), "sky.bmp");
  image.SetIncludePath(true);
  image.SetName("/srv/pictures/sea.bmp");
  EXPECT_EQ(image.Name(), "/srv/pictures/sea.bmp");
  image.SetIncludePath(false);
  EXPECT_EQ(image.Name(), "sea.bmp");
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(image.AreaColor(), 0xDDDDDDu);
  EXPECT_EQ(image.FillMode(), bfStretch);
  EXPECT_EQ(image.AreaLeft(), -1.0);
}

}  // namespace
}  // namespace nox::test
