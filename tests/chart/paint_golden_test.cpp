// Whole charts compared pixel-exactly with tests/golden/chart/*.png (see tests/support/golden.h for
// how to update them after an intended change).

#include <cmath>
#include <cstdint>

#include "chart/render_fixture.h"
#include "support/golden.h"

namespace nox::test {
namespace {

class PaintGolden : public ::testing::Test {
 protected:
  THeadlessHost host;
  TScopedHost scoped{host};
  TRenderGrafon chart;
};

// Every item kind, added through its drawing operation, on a white 400 x 300 chart area (world =
// pixels, y up), scales hidden. Top row: mark types 1..24, then "A" and "5" as character marks. Second row: a black diagonal line, a
// dashed red zigzag, a silver rectangle with black outline, a clear blue one, 3-D frames lowered,
// raised and embossed (red and navy frame lines round a silver face). Third row: a red 3-D bar
// receding up-right, a yellow ellipse, a green quarter arc (upper right), a pixel rectangle, a cross
// mark, vertical and horizontal error bars with their marks. Fourth row: a text on white, two
// right-aligned lines, a text moved by a pixel offset, a filled and an open double arrow, a world
// line shifted down, a delta line. Bottom: a staircase of relative moves and lines, a purple
// horizontal line across the area and a teal vertical one at its right edge.
TEST_F(PaintGolden, EveryItemKind) {
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.SetMarginLeft(10);
  chart.SetMarginRight(10);
  chart.SetMarginTop(10);
  chart.SetMarginBottom(10);
  chart.SetBounds(0, 0, 420, 320);
  chart.Scale1X().SetVisible(false);
  chart.Scale1Y().SetVisible(false);
  chart.SetLayerRange(1, 0, 0, 400, 300);
  const auto pen = [&](TColor color, TColor fill = clSilver) {
    chart.SetDataColor(color);
    chart.SetFillColor(fill);
  };

  for (int type = 1; type <= 24; ++type) {
    pen(type % 2 ? clBlue : clRed);
    chart.AddMark(type, 12 + 15 * (type - 1), 285);
  }
  pen(clBlack);
  chart.AddMark(65, 375, 285);
  chart.AddMark(205, 390, 285);

  chart.AddLine(10, 200, 50, 240);
  pen(clRed);
  chart.MoveToPoint(60, 200);
  chart.SetPenStyle(psDash);
  for (int i = 1; i <= 8; ++i) chart.LineToPoint(60 + 10 * i, i % 2 ? 240 : 200);
  chart.SetPenStyle(psSolid);
  pen(clBlack);
  chart.AddFilledRect(150, 200, 190, 240);
  pen(clBlue);
  chart.AddRect(200, 200, 240, 240);
  pen(clBlack);
  for (const TFrameStyle style : {fsLowered, fsRaised, fsEmbossed}) {
    const int x = 250 + 50 * (style - fsLowered);
    chart.AddFrame3D(x, 200, x + 40, 240, style, clRed, clNavy);
  }

  pen(clBlack, clRed);
  chart.AddBar3D(10, 130, 40, 175, 30, 12);
  pen(clBlack, clYellow);
  chart.AddFilledEllipse(95, 155, 30, 20);
  pen(clGreen);
  chart.AddArc(165, 150, 25, 25, 0, 1.57079633);
  pen(clNavy, clAqua);
  chart.AddFilledPixelRect(225, 155, 12, 6);
  pen(clMaroon);
  chart.AddCrossMark(275, 155, 15, 15);
  pen(clBlack);
  chart.AddErrorBars(325, 155, 20, 15, false, 16);
  pen(clBlue);
  chart.AddErrorBars(370, 155, 20, 10, true, 9);

  pen(clBlack, clWhite);
  chart.TextFont().SetSize(10);
  chart.SetTextBkStyle(tbSolid);
  chart.SetTextAlignment(taCenter);
  chart.AddText(40, 100, "Text");
  pen(clRed, clWhite);
  chart.TextFont().SetSize(8);
  chart.SetTextAlignment(taRightJustify);
  chart.AddText(150, 100, "Two lines\nright");
  pen(clNavy);
  chart.SetTextBkStyle(tbClear);
  chart.SetTextAlignment(taLeftJustify);
  chart.AddTextOffset(160, 100, 6, 14, "offset");
  pen(clBlack, clRed);
  chart.AddArrow(230, 70, 280, 110, 10);
  pen(clBlue);
  chart.AddArrowBoth(290, 110, 340, 70, 8, ahOpen);
  pen(clGreen);
  chart.AddWorldLine(350, 110, 390, 110, 0, 20);
  pen(clRed);
  chart.AddDeltaLine(350, 70, 40, -10);

  pen(clBlack);
  chart.MoveToPoint(20, 20);
  for (int i = 0; i < 6; ++i) {
    chart.AddLineRel(10, 0);
    chart.AddMoveRel(0, -5);
  }
  pen(clPurple);
  chart.AddHorizLine(8);
  pen(clTeal);
  chart.AddVertLine(398);

  chart.Paint();
  EXPECT_TRUE(MatchesGolden(chart.ScreenImage(), "chart/items"));
}

// The demo's chart: 429 x 365, margins 60, 15, 20, 40, caption "Caption" right-aligned above the
// chart area, a chart area in the button face colour, x 0..300 below and y -60..110 at the left;
// a black noisy line rising from 0 to about 50 with noise of up to 40, a red line swinging about
// 5 with a growing amplitude, and 75 blue diagonal crosses every 4 units on x.
TEST_F(PaintGolden, DemoChart) {
  TFont font;
  font.SetName("Arial");
  font.SetHeight(-13);
  font.SetColor(clBlack);
  chart.SetFont(font);
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.SetBounds(170, 10, 429, 365);
  chart.SetMarginLeft(60);
  chart.SetMarginRight(15);
  chart.SetMarginTop(20);
  chart.SetMarginBottom(40);
  chart.SetCaption("Caption");
  chart.SetChartColor(clBtnFace);
  chart.SetGridDx(1);
  chart.SetGridDy(1);
  chart.SetShadowColor(clGray);
  chart.SetShadowBakColor(clSilver);
  chart.SetFillColor(clWhite);
  TFont scaleFont;
  scaleFont.SetName("MS Sans Serif");
  scaleFont.SetHeight(-13);
  for (TScaleProps* props :
       {static_cast<TScaleProps*>(&chart.Scale1X()), static_cast<TScaleProps*>(&chart.Scale1Y())}) {
    props->SetColorScale(clBlack);
    props->Font().Assign(scaleFont);
  }
  chart.SetLayerRange(1, 0, -60, 300, 110);

  std::uint32_t seed = 0;
  const auto random = [&seed] {
    seed = seed * 134775813u + 1u;
    return static_cast<long double>(seed) / 4294967296.0L;
  };
  chart.MoveToPoint(0, 0);
  for (int i = 1; i <= 300; ++i) {
    const long double r1 = random();
    const long double r2 = random();
    chart.LineToPoint(i, static_cast<double>(std::sin(0.04L * i) * (i / 30.0L) + i / 10.0L + (r1 + r2) * 20));
  }
  chart.SetDataColor(clRed);
  chart.MoveToPoint(0, 5);
  for (int i = 1; i <= 300; ++i) {
    chart.LineToPoint(i, static_cast<double>(std::sin(0.05L * i) * (i / 10.0L) * std::cos(0.04L * i) + 5));
  }
  chart.SetDataColor(clBlue);
  for (int i = 4; i <= 300; i += 4)
    chart.AddMark(4, i, static_cast<double>(std::cos(0.05L * i) * (i / 5.0L)));

  chart.Paint();
  EXPECT_TRUE(MatchesGolden(chart.ScreenImage(), "chart/demo"));
}

// A 300 x 220 control with a shadow 8 pixels wide: flying (grey band offset by 8 right and below,
// its inner corners cut diagonally) or box (the band's far ends slanted from the face's corners,
// outlined in black), silver corners left free, a black outline round the face; the caption
// "Frame and shadow" right-aligned above the chart area; a navy frame round the white chart area
// with a red diagonal; both axes.
TEST_F(PaintGolden, FrameShadowAndCaption) {
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.SetBounds(0, 0, 300, 220);
  chart.SetShadowWidth(8);
  chart.SetShadowColor(clGray);
  chart.SetShadowBakColor(clSilver);
  chart.SetChartFrameColor(clNavy);
  chart.SetCaption("Frame and shadow");
  chart.SetDataColor(clRed);
  chart.MoveToPoint(0, 0);
  chart.LineToPoint(1, 1);
  chart.Paint();
  EXPECT_TRUE(MatchesGolden(chart.ScreenImage(), "chart/frame_flying"));
  chart.SetShadowStyle(ssBox);
  chart.Paint();
  EXPECT_TRUE(MatchesGolden(chart.ScreenImage(), "chart/frame_box"));
}

}  // namespace
}  // namespace nox::test
