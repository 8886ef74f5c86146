#include <gtest/gtest.h>

#include <cmath>

#include "support/golden.h"
#include "support/pixel_helpers.h"
#include "tests/chart/chart_fixture.h"

namespace nox::test {
namespace {

constexpr TColor kBkg = clYellow;
constexpr TColor kBorder = clBlack;
constexpr TColor kInk = clBlue;
constexpr TColor kShadow = clGray;

class LabelChart : public TTestGrafon {
 public:
  using TCustomGrafon::DrawTextLabels;
};

class TextLabels : public ChartTest {
 protected:
  // 280 x 200 with margins 50, 20, 20, 40: world (x, y) lies at control pixel (50 + x, 160 - y).
  void SetUp() override {
    chart.SetLayerRange(1, 0, 0, 210, 140);
    image.SetSize(211, 141);
    image.Fill(clWhite);
    reference.SetSize(211, 141);
    reference.Fill(clWhite);
  }
  // Label i, shown, unattached, at control pixel (x, y).
  TTextLabel& Label(int i, double x, double y, TTxtLblMode mode, const std::string& caption = "Ab") {
    TTextLabel& l = chart.TextLabel(i);
    l.SetAttachToData(tlamNone);
    l.SetPosX(x);
    l.SetPosY(y);
    l.SetMode(mode);
    l.SetVisible(true);
    l.SetCaption(caption);
    l.SetColorBkg(kBkg);
    l.SetColorBorder(kBorder);
    l.SetColorShadow(kShadow);
    l.Font().SetColor(kInk);
    return l;
  }
  void Draw(int offsetX = 0, int offsetY = 0) { chart.DrawTextLabels(image.Canvas(), offsetX, offsetY); }
  // The reference canvas, with the labels' font.
  TCanvas& Ref() {
    reference.Canvas().SetFont(chart.TextLabel(1).Font());
    return reference.Canvas();
  }
  LabelChart chart;
  TBitmap image;
  TBitmap reference;
};

TEST_F(TextLabels, LabelOneIsDrawnLastAndCoversLabelTwo) {
  Label(1, 150, 80, tlBox);
  Label(2, 150, 80, tlBox).SetColorBkg(clRed);
  Draw();
  EXPECT_GT(CountColor(image, kBkg), 0);
  EXPECT_EQ(CountColor(image, clRed), 0);
}

// The box reaches 4 pixels beside and 2 above and below the text block; the anchor is the block's
// left, centre or right end and its top, middle or bottom.
TEST_F(TextLabels, AlignmentsPlaceTheBoxOnTheAnchor) {
  const int w = Ref().TextWidth("Ab");
  const int h = Ref().TextHeight("Ab");
  for (TAlignment ha : {taLeftJustify, taRightJustify, taCenter}) {
    for (TVerticalAlignment va : {vaTop, vaCenter, vaBottom}) {
      Label(1, 150, 80, tlBox).SetAlignment(ha);
      chart.TextLabel(1).SetVerticalAlignment(va);
      image.Fill(clWhite);
      Draw();
      const int left = 150 - (ha == taRightJustify ? w : ha == taCenter ? w / 2 : 0) - 50;
      const int bottom = 80 + (va == vaTop ? h : va == vaCenter ? h / 2 : 0) - 20;
      EXPECT_EQ(Extent(image, clWhite), Rect(left - 4, bottom - h - 2, left + w + 4, bottom + 2))
          << "alignment " << int(ha) << ", vertical " << int(va);
    }
  }
}

TEST_F(TextLabels, LinesOfAMultiLineLabelStackInsideOneBox) {
  // Left aligned, top at (100, 50): the first line's top at y = 50, the box from x = 96.
  Label(1, 100, 50, tlBox, "Ab\nCdefg").SetAlignment(taLeftJustify);
  chart.TextLabel(1).SetVerticalAlignment(vaTop);
  Draw();
  TCanvas& c = Ref();
  const int w = c.TextWidth("Cdefg");
  const int h = c.TextHeight("Ab\nCdefg");
  c.Pen().SetColor(kBorder);
  c.Brush().SetColor(kBkg);
  c.Rectangle(46, 28, 54 + w, 32 + 2 * h);
  c.TextOut(50, 30, "Ab");
  c.TextOut(50, 30 + h, "Cdefg");
  EXPECT_TRUE(SameImage(reference, image));

  // Centred: each line centred in the block, whose bottom is the anchor.
  image.Fill(clWhite);
  reference.Fill(clWhite);
  chart.TextLabel(1).SetAlignment(taCenter);
  chart.TextLabel(1).SetVerticalAlignment(vaBottom);
  Draw();
  const int left = 100 - w / 2 - 50;
  c.Rectangle(left - 4, 30 - 2 * h - 2, left + w + 4, 32);
  c.TextOut(left + (w - c.TextWidth("Ab")) / 2, 30 - 2 * h, "Ab");
  c.TextOut(left, 30 - h, "Cdefg");
  EXPECT_TRUE(SameImage(reference, image));
}

TEST_F(TextLabels, ModesDrawBackgroundBorderUnderlineAndShadow) {
  const int w = Ref().TextWidth("Ab");
  // Left aligned at the bottom: the text block spans x 100 .. 100 + w, its bottom at y 60.
  const auto draw = [&](TTxtLblMode mode, bool transparent) {
    Label(1, 150, 80, mode).SetAlignment(taLeftJustify);
    chart.TextLabel(1).SetTransparent(transparent);
    image.Fill(clWhite);
    Draw();
  };
  draw(tlsimple, false);  // a background without a visible border
  EXPECT_GT(CountColor(image, kBkg), 0);
  EXPECT_EQ(CountColor(image, kBorder), 0);
  draw(tlsimple, true);  // the text alone
  EXPECT_EQ(CountColor(image, kBkg), 0);
  EXPECT_GT(CountOther(image, clWhite), 0);
  draw(tlUnderline, true);
  EXPECT_EQ(PixelsOf(image, kBorder).size(), static_cast<std::size_t>(w));
  EXPECT_EQ(image.Pixel(100, 60), kBorder);
  EXPECT_EQ(image.Pixel(100 + w - 1, 60), kBorder);
  // The shadow is the box moved by (3, 3): filled below the box, only outlined when transparent.
  draw(tlShadow, false);
  EXPECT_EQ(image.Pixel(100, 63), kShadow);
  EXPECT_EQ(image.Pixel(100 + w + 5, 63), kShadow);
  draw(tlShadow, true);
  EXPECT_EQ(image.Pixel(100, 63), clWhite);
  EXPECT_EQ(image.Pixel(100, 64), kShadow);
}

TEST_F(TextLabels, AttachedCoordinatesAreWorldUnitsOfTheLabelsLayer) {
  // Unattached coordinates are control pixels: x = MarginLeft is the chart area's left edge.
  Label(1, 50, 100, tlUnderline).SetAlignment(taLeftJustify);
  chart.TextLabel(1).SetTransparent(true);
  Draw();
  TBitmap unattached;
  unattached.Assign(image);
  EXPECT_EQ(image.Pixel(0, 80), kBorder);
  // World (0, 60) lies at control pixel (50, 100).
  const std::tuple<TTxtLblAttachMode, double, double> cases[] = {
      {tlamBoth, 0, 60}, {tlamXOnly, 0, 100}, {tlamYOnly, 50, 60}};
  for (auto [mode, x, y] : cases) {
    chart.TextLabel(1).SetAttachToData(mode);
    chart.TextLabel(1).SetPosX(x);
    chart.TextLabel(1).SetPosY(y);
    image.Fill(clWhite);
    Draw();
    EXPECT_TRUE(SameImage(unattached, image)) << "attach mode " << int(mode);
  }
  // The output offset moves every label.
  image.Fill(clWhite);
  Draw(5, 7);
  EXPECT_EQ(image.Pixel(5, 87), kBorder);
  EXPECT_EQ(image.Pixel(4, 87), clWhite);
}

TEST_F(TextLabels, HiddenLabelsAndLabelsWithoutAPlaceAreLeftOut) {
  Label(1, 150, 80, tlBox).SetMode(tlOff);
  Label(2, 150, 80, tlBox).SetVisible(false);
  Label(3, 150, 80, tlBox).SetLayer(5);
  chart.SetLayerVisible(5, false);
  Label(4, std::nan(""), 80, tlBox);
  Label(5, 150, INFINITY, tlBox).SetAttachToData(tlamBoth);
  Label(6, 1e300, -1e300, tlBox);  // far outside: limited like item pixels
  Draw();
  EXPECT_EQ(CountOther(image, clWhite), 0);
}

// Golden: on white, a centred boxed "Box" label, a two-line shadowed label right-aligned under it,
// an underlined transparent "Underline" at the lower left and a plain yellow "plain" at the lower
// right; the texts blue, borders black, shadows grey.
TEST_F(TextLabels, Golden) {
  Label(1, 155, 40, tlBox, "Box");
  Label(2, 200, 95, tlShadow, "Shadow\nof two lines").SetAlignment(taRightJustify);
  Label(3, 60, 150, tlUnderline, "Underline").SetAlignment(taLeftJustify);
  chart.TextLabel(3).SetTransparent(true);
  Label(4, 240, 150, tlsimple, "plain");
  Draw();
  EXPECT_TRUE(MatchesGolden(image, "chart/labels"));
}

}  // namespace
}  // namespace nox::test
