// What a scale puts on the screen, checked on pixels.

#include "scale/Nox_Scale.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/bitmap.h"

namespace nox {
namespace {

const TColor kFace = ColorToRGB(clBtnFace);  // the default background

// A stand-alone scale with a window; Paint() draws it at once.
struct TPaintedScale {
  TScale Scale{nullptr};
  TPaintedScale() { Scale.HandleNeeded(); }
  const TBitmap& Paint() {
    Scale.RequestRedraw();
    return Scale.ScreenImage();
  }
};

// Whether text drawn with font at (x, y) on background looks in image exactly as it would alone.
::testing::AssertionResult TextAt(const TBitmap& image, const TFont& font, int x, int y,
                                  const std::string& text, TColor background) {
  TBitmap reference(image.Width(), image.Height());
  reference.Fill(background);
  reference.Canvas().SetFont(font);
  reference.Canvas().Brush().SetColor(background);
  reference.Canvas().TextOut(x, y, text);
  const int w = reference.Canvas().TextWidth(text);
  const int h = reference.Canvas().TextHeight(text);
  for (int j = y; j < y + h; ++j) {
    for (int i = x; i < x + w; ++i) {
      if (image.Pixel(i, j) != reference.Pixel(i, j)) {
        return ::testing::AssertionFailure() << "\"" << text << "\" at (" << x << ", " << y << "): pixel ("
                                             << i << ", " << j << ") differs";
      }
    }
  }
  return ::testing::AssertionSuccess();
}

int TextWidth(const TFont& font, const std::string& text) {
  TBitmap b(1, 1);
  b.Canvas().SetFont(font);
  return b.Canvas().TextWidth(text);
}

int TextHeight(const TFont& font, const std::string& text) {
  TBitmap b(1, 1);
  b.Canvas().SetFont(font);
  return b.Canvas().TextHeight(text);
}

// Pixels of a rectangle (right and bottom edge left out) that differ from background.
int InkIn(const TBitmap& image, TRect r, TColor background) {
  int n = 0;
  for (int y = r.Top; y < r.Bottom; ++y) {
    for (int x = r.Left; x < r.Right; ++x) n += image.Pixel(x, y) != background ? 1 : 0;
  }
  return n;
}

bool ColumnIs(const TBitmap& image, int x, int yFrom, int yTo, TColor color) {
  for (int y = yFrom; y <= yTo; ++y) {
    if (image.Pixel(x, y) != color) return false;
  }
  return true;
}

bool RowIs(const TBitmap& image, int y, int xFrom, int xTo, TColor color) {
  for (int x = xFrom; x <= xTo; ++x) {
    if (image.Pixel(x, y) != color) return false;
  }
  return true;
}

TEST(ScalePaint, DefaultScaleHasItsBaseLineTicksAndBackground) {
  TPaintedScale painted;
  const TBitmap& image = painted.Paint();
  EXPECT_TRUE(RowIs(image, 379, 20, 379, clBlack));
  EXPECT_EQ(image.Pixel(19, 379), kFace);
  EXPECT_EQ(image.Pixel(380, 379), kFace);
  EXPECT_EQ(image.Pixel(200, 200), kFace);
  // Major ticks are 7 pixels high, short ones 4, both upwards from the base line.
  EXPECT_TRUE(ColumnIs(image, 20, 373, 379, clBlack));
  EXPECT_EQ(image.Pixel(20, 372), kFace);
  EXPECT_TRUE(ColumnIs(image, 38, 376, 379, clBlack));  // the short tick at 5
  EXPECT_EQ(image.Pixel(38, 375), kFace);
  EXPECT_EQ(InkIn(image, {2, 380, 398, 398}, kFace), 0);  // nothing below the base line
}

TEST(ScalePaint, DefaultScaleHasASunkenTwoPixelFrame) {
  TPaintedScale painted;
  const TBitmap& image = painted.Paint();
  EXPECT_TRUE(RowIs(image, 0, 0, 399, clGray));
  EXPECT_TRUE(ColumnIs(image, 0, 0, 398, clGray));
  EXPECT_TRUE(ColumnIs(image, 399, 1, 399, clWhite));
  EXPECT_TRUE(RowIs(image, 399, 0, 399, clWhite));
  EXPECT_TRUE(RowIs(image, 1, 1, 397, clBlack));
  EXPECT_TRUE(ColumnIs(image, 1, 1, 397, clBlack));
  EXPECT_TRUE(ColumnIs(image, 398, 2, 397, clSilver));
  EXPECT_TRUE(RowIs(image, 398, 1, 398, clSilver));
}

TEST(ScalePaint, HorizontalLabelsStandCentredAboveTheBaseLine) {
  TPaintedScale painted;
  const TBitmap& image = painted.Paint();
  const TFont& font = painted.Scale.Font();
  const int h = TextHeight(font, "0");
  EXPECT_TRUE(TextAt(image, font, 164 - TextWidth(font, "40") / 2, 379 - 7 - h, "40", kFace));
  EXPECT_TRUE(TextAt(image, font, 379 - TextWidth(font, "100") / 2, 379 - 7 - h, "100", kFace));
}

TEST(ScalePaint, TopScaleMirrorsTheBottomOne) {
  TPaintedScale painted;
  painted.Scale.SetScaleType(sctXT);
  const TBitmap& image = painted.Paint();
  EXPECT_TRUE(RowIs(image, 20, 20, 379, clBlack));
  EXPECT_TRUE(ColumnIs(image, 92, 20, 26, clBlack));  // major tick at 20, downwards
  EXPECT_TRUE(ColumnIs(image, 38, 20, 23, clBlack));
  EXPECT_EQ(image.Pixel(38, 24), kFace);
  EXPECT_EQ(InkIn(image, {2, 2, 398, 20}, kFace), 0);  // nothing above the base line
  EXPECT_TRUE(
      TextAt(image, painted.Scale.Font(), 92 - TextWidth(painted.Scale.Font(), "20") / 2, 27, "20", kFace));
}

TEST(ScalePaint, LabelAtTheRightEdgeEndsTwoPixelsBeforeIt) {
  TPaintedScale painted;
  painted.Scale.SetFrameStyle(fsNone);
  painted.Scale.SetMarginRight(0);
  const TBitmap& image = painted.Paint();
  const TFont& font = painted.Scale.Font();
  const int half = TextWidth(font, "100") / 2;
  EXPECT_EQ(painted.Scale.ValueToPixel(100), 399);
  EXPECT_TRUE(TextAt(image, font, 400 - 2 * half - 2, 379 - 7 - TextHeight(font, "100"), "100", kFace));
}

TEST(ScalePaint, LabelAtTheLeftEdgeStartsAtTwo) {
  TPaintedScale painted;
  painted.Scale.SetFrameStyle(fsNone);
  painted.Scale.SetMarginLeft(0);
  const TBitmap& image = painted.Paint();
  const TFont& font = painted.Scale.Font();
  EXPECT_TRUE(TextAt(image, font, 2, 379 - 7 - TextHeight(font, "0"), "0", kFace));
}

TEST(ScalePaint, VerticalLabelsStandBesideTheBaseLine) {
  TPaintedScale painted;
  painted.Scale.SetScaleType(sctYL);
  const TBitmap& image = painted.Paint();
  const TFont& font = painted.Scale.Font();
  const int h0 = TextHeight(font, "0");
  EXPECT_TRUE(ColumnIs(image, 20, 20, 379, clBlack));
  EXPECT_TRUE(RowIs(image, 379, 20, 25, clBlack));  // major tick at 0: 6 pixels to the right
  EXPECT_EQ(image.Pixel(26, 379), kFace);
  EXPECT_TRUE(TextAt(image, font, 28, 379 - h0 / 2, "0", kFace));
  EXPECT_TRUE(TextAt(image, font, 28, 20 - h0 / 2, "100", kFace));

  painted.Scale.SetScaleType(sctYR);
  painted.Paint();
  EXPECT_TRUE(ColumnIs(image, 379, 20, 379, clBlack));
  EXPECT_TRUE(RowIs(image, 307, 374, 379, clBlack));  // major tick at 20, to the left
  EXPECT_EQ(image.Pixel(373, 307), kFace);
  EXPECT_TRUE(TextAt(image, font, 379 - TextWidth(font, "20") - 8, 307 - h0 / 2, "20", kFace));
}

// Labels never run into each other nor read the same for different ticks, on scales of any size and
// range: horizontal labels keep a pixel between them, vertical ones do not overlap. The first case is
// the demo's axis zoomed 30 times into 0..300, where the last label, kept inside the control, ran
// into the one before ("150.0040150.0060"): every other major tick keeps its label, on the multiples
// of 0.004.
TEST(ScalePaint, LabelsLeaveAGapAndTellTheirTicksApart) {
  std::mt19937 rng(7);
  const auto unit = [&rng] { return static_cast<double>(rng()) / 4294967296.0; };
  std::size_t labelCount = 0;
  for (int i = 0; i < 120; ++i) {
    TPaintedScale painted;
    TScale& s = painted.Scale;
    const bool vertical = i % 2 == 1;
    s.SetScaleType(vertical ? sctYL : sctXB);
    TFont font;
    font.SetName("MS Sans Serif");
    font.SetHeight(-13);
    s.SetFont(font);
    if (i == 0) {
      s.SetBounds(0, 0, 429, 100);
      s.SetMarginLeft(60);
      s.SetMarginRight(14);
      s.SetRange(149.99380201753229, 150.00619798246771);
    } else {
      s.SetBounds(0, 0, 80 + static_cast<int>(rng() % 400), 80 + static_cast<int>(rng() % 400));
      const double centre = (unit() - 0.5) * 2 * std::pow(10.0, rng() % 6);
      const double span = (1 + 9 * unit()) * std::pow(10.0, -static_cast<int>(rng() % 9));
      s.SetRange(centre - span / 2, centre + span / 2);
      s.SetMinTicks(2 + static_cast<int>(rng() % 9));
      s.SetDecPlaces(std::array{-2, -2, 0, 1}[rng() % 4]);
    }
    std::vector<std::pair<long long, std::string>> shown;  // tick pixel and text of each shown label
    s.OnBeforeTickLabel = [&](TObject*, TScaleType, double v, std::string& text) {
      if (!text.empty()) shown.emplace_back(s.ValueToPixel(v), text);
    };
    painted.Paint();
    labelCount += shown.size();
    std::set<std::string> texts;
    for (const auto& [p, text] : shown)
      EXPECT_TRUE(texts.insert(text).second) << "case " << i << ": " << text;
    // Each label's extent along the axis, as the painter places it.
    std::vector<std::pair<long long, long long>> extents;
    for (const auto& [p, text] : shown) {
      const long long w = vertical ? TextHeight(font, "0") : TextWidth(font, text);
      const long long left = vertical                    ? p - w / 2
                             : p + w / 2 < s.Width() - 2 ? p - std::min(w / 2, p - 2)
                                                         : s.Width() - 2 * (w / 2) - 2;
      extents.emplace_back(left, left + w);
    }
    std::sort(extents.begin(), extents.end());
    const long long gap = vertical ? 0 : 1;
    for (std::size_t k = 1; k < extents.size(); ++k) {
      EXPECT_GE(extents[k].first - extents[k - 1].second, gap) << "case " << i << ", label " << k;
    }
    if (i == 0) {
      EXPECT_EQ(texts, (std::set<std::string>{"149.9960", "150.0000", "150.0040"}));
    }
  }
  EXPECT_GT(labelCount, 300u);  // DecPlaces 0 leaves some scales without labels, not most
}

TEST(ScalePaint, ReplacedLabelTextIsDrawn) {
  TPaintedScale painted;
  painted.Scale.OnBeforeTickLabel = [](TObject*, TScaleType, double v, std::string& text) {
    if (v == 40) text = "forty";
  };
  const TBitmap& image = painted.Paint();
  const TFont& font = painted.Scale.Font();
  EXPECT_TRUE(TextAt(image, font, 164 - TextWidth(font, "forty") / 2, 379 - 7 - TextHeight(font, "x"),
                     "forty", kFace));
}

TEST(ScalePaint, CaptionAnchoredAtTheCentre) {
  TPaintedScale painted;
  painted.Scale.SetCaption("Volts");
  painted.Scale.SetCaptionAnchor(uaSclCenter);
  const TBitmap& image = painted.Paint();
  const TFont& font = painted.Scale.Font();
  // Reference point: the middle of the axis (200) and the base line (379), moved by (4, 4).
  EXPECT_TRUE(TextAt(image, font, 204 - TextWidth(font, "Volts") / 2, 383, "Volts", kFace));
  painted.Scale.SetCaptionAnchor(uaSclBotRgt);
  painted.Scale.SetCaptionAlignment(taRightJustify);
  painted.Paint();
  EXPECT_TRUE(TextAt(image, font, 384 - TextWidth(font, "Volts"), 383, "Volts", kFace));
}

TEST(ScalePaint, EmptyCaptionDrawsNothing) {
  TPaintedScale painted;
  const TBitmap& image = painted.Paint();
  EXPECT_EQ(InkIn(image, {2, 380, 398, 398}, kFace), 0);
}

TEST(ScalePaint, NoFrameLeavesTheBackground) {
  TPaintedScale painted;
  painted.Scale.SetFrameStyle(fsNone);
  const TBitmap& image = painted.Paint();
  EXPECT_EQ(InkIn(image, {0, 0, 400, 20}, kFace), 0);
  EXPECT_TRUE(RowIs(image, 399, 0, 399, kFace));
}

TEST(ScalePaint, WithoutBaseLineOnlyTicksRemain) {
  TPaintedScale painted;
  painted.Scale.SetShowBaseLine(false);
  const TBitmap& image = painted.Paint();
  EXPECT_EQ(image.Pixel(30, 379), kFace);
  EXPECT_TRUE(ColumnIs(image, 20, 373, 379, clBlack));
  EXPECT_TRUE(ColumnIs(image, 38, 376, 379, clBlack));
}

TEST(ScalePaint, ColoursComeFromTheProperties) {
  TPaintedScale painted;
  painted.Scale.SetColorScale(clRed);
  painted.Scale.SetColorBackGnd(clYellow);
  painted.Scale.SetColorScheme(csSystem);
  painted.Scale.SetFrameStyle(fsRaised);
  const TBitmap& image = painted.Paint();
  EXPECT_EQ(image.Pixel(200, 379), clRed);
  EXPECT_EQ(image.Pixel(200, 200), clYellow);
  EXPECT_EQ(image.Pixel(0, 0), ColorToRGB(clBtnHighlight));  // raised: light outside top-left
  EXPECT_EQ(image.Pixel(399, 399), clBlack);
  EXPECT_EQ(image.Pixel(398, 200), ColorToRGB(clBtnShadow));
}

TEST(ScalePaint, TransparentHostedScaleDrawsOnTheHostAtItsOffset) {
  TBitmap host(400, 460);
  host.Fill(clWhite);
  TScale s(nullptr);
  s.SetTransparent(true);
  s.SetHosted(true);
  s.SetHostCanvas(&host.Canvas(), 0, 30);
  TCanvas* rendered = nullptr;
  s.OnAfterScaleRendered = [&](TObject*, TCanvas& canvas) { rendered = &canvas; };
  s.PaintNow();
  EXPECT_EQ(rendered, &host.Canvas());
  EXPECT_TRUE(RowIs(host, 409, 20, 379, clBlack));
  EXPECT_TRUE(ColumnIs(host, 20, 403, 409, clBlack));
  EXPECT_TRUE(RowIs(host, 379, 0, 399, clWhite));
  EXPECT_EQ(host.Pixel(0, 0), clWhite);  // no background, no frame
  EXPECT_EQ(host.Pixel(200, 200), clWhite);
  // Labels have no background box.
  const int h = TextHeight(s.Font(), "0");
  EXPECT_TRUE(TextAt(host, s.Font(), 164 - TextWidth(s.Font(), "40") / 2, 409 - 7 - h, "40", clWhite));
}

TEST(ScalePaint, TransparentVerticalScaleMovesByTheXOffset) {
  TBitmap host(460, 400);
  host.Fill(clWhite);
  TScale s(nullptr);
  s.SetTransparent(true);
  s.SetHosted(true);
  s.SetScaleType(sctYL);
  s.SetHostCanvas(&host.Canvas(), 40, 30);
  s.PaintNow();
  EXPECT_TRUE(ColumnIs(host, 60, 20, 379, clBlack));
  EXPECT_TRUE(RowIs(host, 379, 60, 65, clBlack));
}

TEST(ScalePaint, OpaqueScaleOnAHostIsCopiedToTheOffset) {
  TBitmap host(420, 420);
  host.Fill(clWhite);
  TScale s(nullptr);
  s.SetHostCanvas(&host.Canvas(), 5, 7);
  TCanvas* rendered = nullptr;
  s.OnAfterScaleRendered = [&](TObject*, TCanvas& canvas) { rendered = &canvas; };
  s.PaintNow();
  EXPECT_NE(rendered, &host.Canvas());  // the bitmap's canvas
  EXPECT_EQ(host.Pixel(4, 6), clWhite);
  EXPECT_EQ(host.Pixel(5, 7), clGray);
  EXPECT_TRUE(RowIs(host, 7 + 379, 5 + 20, 5 + 379, clBlack));
  EXPECT_EQ(host.Pixel(405, 407), clWhite);  // beyond the scale's 400 x 400
}

TEST(ScalePaint, AfterRenderedHandlerDrawsUnderTheFrame) {
  TPaintedScale painted;
  painted.Scale.OnAfterScaleRendered = [](TObject*, TCanvas& canvas) {
    canvas.SetPixel(0, 200, clRed);    // under the frame: covered
    canvas.SetPixel(200, 200, clRed);  // inside: stays
  };
  const TBitmap& image = painted.Paint();
  EXPECT_EQ(image.Pixel(0, 200), clGray);
  EXPECT_EQ(image.Pixel(200, 200), clRed);
}

TEST(ScalePaint, PrinterCanvasKeepsTheScreenHeightOfLabels) {
  TBitmap paper(400, 400);
  paper.Canvas().SetPrinter(true, 600);
  TScale s(nullptr);
  s.SetTransparent(true);
  s.SetHosted(true);
  s.Font().SetPixelsPerInch(600);
  s.Font().SetSize(8);  // 67 pixels high at 600 pixels per inch
  s.SetHostCanvas(&paper.Canvas(), 0, 0);
  int height = 0;
  int ppi = 0;
  s.OnAfterScaleRendered = [&](TObject*, TCanvas& canvas) {
    height = canvas.Font().Height();
    ppi = canvas.Font().PixelsPerInch();
  };
  s.PaintNow();
  EXPECT_EQ(height, -11);  // 8 points at the screen's 96 pixels per inch
  EXPECT_EQ(ppi, 600);

  TBitmap screen(400, 400);
  s.SetHostCanvas(&screen.Canvas(), 0, 0);
  s.PaintNow();
  EXPECT_EQ(height, -67);  // other canvases take the font as it is
}

TEST(ScalePaint, DegenerateAxisPutsEveryTickInTheMiddle) {
  TPaintedScale painted;
  painted.Scale.SetMarginLeft(300);
  painted.Scale.SetMarginRight(300);
  const TBitmap& image = painted.Paint();
  EXPECT_TRUE(ColumnIs(image, 200, 373, 379, clBlack));
  EXPECT_EQ(painted.Scale.NumTicks(), 21);
}

TEST(ScalePaint, ExtremeGeometryPaintsSafely) {
  TPaintedScale painted;
  TScale& s = painted.Scale;
  s.SetMarginLeft(INT_MAX);
  s.SetMarginBottom(INT_MAX);
  s.SetCaption("far away");
  s.SetCaptionPosX(INT_MAX);
  s.SetCaptionPosY(INT_MIN);
  s.Paint();
  s.SetScaleType(sctYR);
  s.SetMarginRight(INT_MAX);
  s.SetTransparent(true);
  s.SetHosted(true);
  TBitmap host(50, 50);
  s.SetHostCanvas(&host.Canvas(), INT_MIN, INT_MAX);
  s.PaintNow();
  s.SetHostCanvas(nullptr, 0, 0);
  s.SetHosted(false);
  s.SetTransparent(false);
  s.SetMarginLeft(0);
  s.SetMarginRight(0);
  s.SetRange(-1e300, 1e300);
  const TBitmap& image = painted.Paint();
  EXPECT_EQ(image.Width(), 400);
  EXPECT_GT(s.NumTicks(), 0);
}

TEST(ScalePaint, ZeroSizedScalePaintsNothingAndDoesNotFail) {
  TPaintedScale painted;
  painted.Scale.SetBounds(0, 0, 0, 0);
  painted.Paint();
  EXPECT_EQ(painted.Scale.ScreenImage().Width(), 0);
}

// DrawHorzScale and DrawVertScale draw what a transparent Paint draws apart from the base line, for
// their own orientation only.
TEST(ScalePaint, DrawHorzAndVertScaleDrawTicksLabelsAndCaptionOfTheirOrientation) {
  struct TCase {
    TScaleType type;
    int baseLine;  // of a 400 x 400 scale with margins 20
  };
  for (const TCase c : {TCase{sctXB, 379}, TCase{sctXT, 20}, TCase{sctYL, 20}, TCase{sctYR, 379}}) {
    SCOPED_TRACE(static_cast<int>(c.type));
    TPaintedScale painted;
    TScale& s = painted.Scale;
    s.SetScaleType(c.type);
    s.SetCaption("Volts");
    s.SetShowBaseLine(false);
    s.SetTransparent(true);
    TBitmap byPaint(400, 400);
    s.SetHostCanvas(&byPaint.Canvas(), 0, 0);
    s.Paint();
    const int ticks = s.NumTicks();
    const bool vertical = c.type == sctYL || c.type == sctYR;
    TBitmap blank(400, 400);
    TBitmap own(400, 400);
    TBitmap other(400, 400);
    for (TBitmap* b : {&own, &other}) {
      b->Canvas().SetFont(s.Font());
      b->Canvas().Pen().SetColor(s.ColorScale());
    }
    const auto ownDraw = vertical ? &TScale::DrawVertScale : &TScale::DrawHorzScale;
    const auto otherDraw = vertical ? &TScale::DrawHorzScale : &TScale::DrawVertScale;
    (s.*ownDraw)(own.Canvas(), c.baseLine);
    EXPECT_EQ(s.NumTicks(), ticks);
    (s.*otherDraw)(other.Canvas(), c.baseLine);
    int differing = 0;
    int drawnOnOther = 0;
    for (int y = 0; y < 400; ++y) {
      for (int x = 0; x < 400; ++x) {
        differing += own.Pixel(x, y) != byPaint.Pixel(x, y) ? 1 : 0;
        drawnOnOther += other.Pixel(x, y) != blank.Pixel(x, y) ? 1 : 0;
      }
    }
    EXPECT_GT(InkIn(own, {0, 0, 400, 400}, blank.Pixel(0, 0)), 0);
    EXPECT_EQ(differing, 0);
    EXPECT_EQ(drawnOnOther, 0);
  }
}

}  // namespace
}  // namespace nox
