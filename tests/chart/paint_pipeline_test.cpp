// The paint pipeline: window background and shadow, the caption (anchors, alignment, trimming), the
// order of the steps, a mapping error ending the paint, the quick refresh of the chart area, empty
// chart areas and the PNG export.

#include <cmath>
#include <filesystem>
#include <string>

#include "chart/render_fixture.h"

namespace nox::test {
namespace {

class PaintPipeline : public ::testing::Test {
 protected:
  static constexpr int kWidth = 300, kHeight = 200;

  PaintPipeline() {
    chart.HandleNeeded();
    chart.SetAutoRedraw(false);
    chart.SetBounds(0, 0, kWidth, kHeight);
    chart.Scale1X().SetVisible(false);
    chart.Scale1Y().SetVisible(false);
    chart.SetWindColor(clSilver);
    chart.SetShadowColor(clNavy);
    chart.SetShadowBakColor(clYellow);
  }

  TColor At(int x, int y) { return chart.ControlImage().Pixel(x, y); }

  // The control as painted without a caption, with `text` drawn at (x, y) the way captions are.
  void ExpectCaptionAt(const std::string& text, int x, int y) {
    const std::string caption = chart.Caption();
    chart.SetCaption("");
    chart.Paint();
    TBitmap expected;
    expected.Assign(chart.ControlImage());
    expected.Canvas().SetFont(chart.Font());
    expected.Canvas().Brush().SetStyle(bsClear);
    expected.Canvas().TextOut(x, y, text);
    chart.SetCaption(caption);
    chart.Paint();
    EXPECT_TRUE(SameImage(expected, chart.ControlImage()));
  }
  int CaptionWidth(const std::string& text) {
    TBitmap b(1, 1);
    b.Canvas().SetFont(chart.Font());
    return b.Canvas().TextWidth(text);
  }

  THeadlessHost host;
  TScopedHost scoped{host};
  TRenderGrafon chart;
};

// Without a shadow the window background fills everything outside the chart area, no outline.
// A flying shadow of 5 is a band 5 pixels wide right and below, starting 4 pixels in from the top
// and left edges, in front of the background colour in the corners it leaves free, with a black
// outline round the control's face (which covers the band's inner column and row).
TEST_F(PaintPipeline, ShadowBandsAndTheirCorners) {
  chart.Paint();
  EXPECT_EQ(At(0, 0), clSilver);
  EXPECT_EQ(At(kWidth - 1, kHeight - 1), clSilver);

  chart.SetShadowWidth(5);
  chart.Paint();
  const int w = kWidth, h = kHeight;
  EXPECT_EQ(At(0, 0), clBlack);
  EXPECT_EQ(At(w - 3, 3), clYellow);
  EXPECT_EQ(At(w - 3, 4), clNavy);
  EXPECT_EQ(At(3, h - 3), clYellow);
  EXPECT_EQ(At(4, h - 3), clNavy);
  EXPECT_EQ(At(w - 6, h / 2), clSilver);
  EXPECT_EQ(At(w - 5, h / 2), clBlack);
  for (int x = w - 4; x < w; ++x) EXPECT_EQ(At(x, h / 2), clNavy) << x;

  // A box shadow slants from the face's corner, outlined in black.
  chart.SetShadowStyle(ssBox);
  chart.Paint();
  EXPECT_EQ(At(w - 3, 1), clYellow);
  EXPECT_EQ(At(w - 3, 2), clBlack);
  EXPECT_EQ(At(w - 3, 3), clNavy);
  EXPECT_EQ(At(2, h - 3), clBlack);
}

struct TCaptionCase {
  TCaptionAnchorHoriz Horiz;
  TCaptionAnchorVert Vert;
  TAlignment Alignment;
  int PosX, PosY;
  // expected top left corner of the text, for a text width w
  int (*X)(int w);
  int (*Y)();
};

class PaintCaption : public PaintPipeline, public ::testing::WithParamInterface<TCaptionCase> {};

// Margins 50, 20, 20, 40 and shadow 6: the chart area's anchors count the shadow horizontally,
// cavChartBottom does not. (A caption inside the chart area would be covered by it.)
TEST_P(PaintCaption, AnchorsAndAlignmentPlaceTheCaption) {
  const TCaptionCase c = GetParam();
  chart.SetShadowWidth(6);
  chart.SetCaption("Flow rate");
  chart.SetCaptionAnchorHoriz(c.Horiz);
  chart.SetCaptionAnchorVert(c.Vert);
  chart.SetCaptionAlignment(c.Alignment);
  chart.SetCaptionPosX(c.PosX);
  chart.SetCaptionPosY(c.PosY);
  ExpectCaptionAt("Flow rate", c.X(CaptionWidth("Flow rate")), c.Y());
}

INSTANTIATE_TEST_SUITE_P(
    Anchors, PaintCaption,
    ::testing::Values(TCaptionCase{cahChartCenter, cavChartTop, taCenter, 0, -16,
                                   [](int w) { return 50 + (300 - 76) / 2 - w / 2; }, [] { return 20 - 16; }},
                      TCaptionCase{cahChartRight, cavChartBottom, taRightJustify, 0, 2,
                                   [](int w) { return 300 - 20 - 6 - w; }, [] { return 200 - 40 + 2; }},
                      TCaptionCase{cahControlLeft, cavControlTop, taLeftJustify, 3, 2, [](int) { return 3; },
                                   [] { return 2; }},
                      TCaptionCase{cahControlRight, cavControlBottom, taRightJustify, -2, -18,
                                   [](int w) { return 300 - 2 - w; }, [] { return 200 - 18; }},
                      TCaptionCase{cahChartLeft, cavChartCenter, taRightJustify, -2, 0,
                                   [](int w) { return 50 - 2 - w; }, [] { return 20 + (200 - 66) / 2; }}));

// CaptionTrim 50 with a caption as wide as the chart area keeps round(length / 2) - 2 characters
// and adds "..."; a caption narrower than half the chart area stays whole.
TEST_F(PaintPipeline, CaptionsLongerThanTheirShareAreTrimmed) {
  const std::string caption = "Water level of the reservoir";  // 28 characters
  const int w = CaptionWidth(caption);
  chart.SetCaption(caption);
  chart.SetCaptionTrim(50);
  chart.SetCaptionAnchorHoriz(cahChartLeft);
  chart.SetCaptionAlignment(taLeftJustify);
  chart.SetBounds(0, 0, 50 + w + 20, kHeight);
  ExpectCaptionAt(caption.substr(0, 12) + "...", 50, 4);
  chart.SetBounds(0, 0, 50 + 2 * w + 2 + 20, kHeight);
  ExpectCaptionAt(caption, 50, 4);
}

// The steps come in order: the scales' handler draws after the frame and caption, the chart area
// lies over what it drew; the screen receives the composed control in one copy.
TEST_F(PaintPipeline, ScalesHandlerDrawsUnderTheChartArea) {
  chart.OnScalesRendered = [&](TObject* sender, TCanvas& canvas, int top, int left) {
    EXPECT_EQ(sender, &chart);
    EXPECT_EQ(&canvas, &chart.ControlImage().Canvas());
    EXPECT_EQ(top, 0);
    EXPECT_EQ(left, 0);
    canvas.Brush().SetColor(clGreen);
    canvas.FillRect({0, 0, kWidth, kHeight});
  };
  chart.Paint();
  EXPECT_EQ(At(10, 10), clGreen);
  EXPECT_EQ(At(100, 100), clWhite);
  EXPECT_TRUE(SameImage(chart.ControlImage(), chart.ScreenImage()));
}

// A logarithmic axis with a bound <= 0 (an axis object copied in without checks) ends every paint
// with the mapping error; nothing reaches the screen, though the control image already holds its
// background.
TEST_F(PaintPipeline, AMappingErrorEndsThePaintBeforeTheScreen) {
  chart.Paint();
  TBitmap screen;
  screen.Assign(chart.ScreenImage());
  chart.SetWindColor(clMaroon);
  TScalePropsHoriz unmappable;
  unmappable.Assign(chart.Scale1X());
  unmappable.SetLoadingGuard(true);
  unmappable.SetLogarithmic(true);  // range 0..1
  chart.SetScale1X(unmappable);
  ASSERT_TRUE(chart.Scale1X().Logarithmic());
  EXPECT_THROW(
      {
        try {
          chart.Paint();
        } catch (const ENoxGrafonError& e) {
          EXPECT_STREQ(e.what(), "Logarithmic axis must not be negative.");
          throw;
        }
      },
      ENoxGrafonError);
  EXPECT_TRUE(SameImage(screen, chart.ScreenImage()));
  EXPECT_EQ(At(5, 5), clMaroon);
}

// With AutoRedraw, ShowItems redraws only the chart area on screen: what lies outside stays as it
// was; without AutoRedraw it repaints the whole control.
TEST_F(PaintPipeline, ShowItemsRefreshesOnlyTheChartAreaWhenAutomatic) {
  chart.SetAutoRedraw(true);
  chart.Paint();
  chart.ScreenImage().SetPixel(5, 5, clRed);
  chart.SetLayerRange(1, 0, 0, 10, 10);  // repaints
  chart.ScreenImage().SetPixel(5, 5, clRed);
  chart.SetDataColor(clBlue);
  chart.AddMark(9, 5, 5);
  chart.ShowItems();
  EXPECT_EQ(chart.ScreenImage().Pixel(5, 5), clRed);
  EXPECT_EQ(chart.ScreenImage().Pixel(50 + 115, 20 + 70), clBlue);  // the mark, centre of 0..10
  chart.SetAutoRedraw(false);
  chart.ShowItems();
  EXPECT_EQ(chart.ScreenImage().Pixel(5, 5), clSilver);
}

// A chart area without extent paints and exports without fault.
TEST_F(PaintPipeline, AnEmptyChartAreaPaints) {
  chart.AddMark(9, 0.5, 0.5);
  chart.SetMarginLeft(4000);
  EXPECT_EQ(chart.ChartImage().Width(), 0);
  EXPECT_NO_THROW(chart.Paint());
  EXPECT_EQ(At(kWidth - 1, kHeight - 1), clSilver);
}

// The export writes what Paint shows, also while the control is hidden; a file that cannot be
// written is an error.
TEST_F(PaintPipeline, ExportWritesThePaintedControl) {
  chart.SetCaption("Export");
  chart.AddMark(9, 0.5, 0.5);
  chart.Paint();
  chart.SetVisible(false);
  const std::filesystem::path dir = std::filesystem::path(NOX_TEST_OUTPUT_DIR) / "paint";
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "export.png").string();
  chart.SaveToPngFile(file);
  TBitmap written;
  written.LoadFromPngFile(file);
  EXPECT_TRUE(SameImage(chart.ScreenImage(), written));
  EXPECT_THROW(chart.SaveToPngFile((dir / "missing" / "export.png").string()), EFileError);
  // Not from inside a paint, whose picture is not finished yet.
  chart.SetVisible(true);
  chart.OnDataRendered = [&](TObject*, TCanvas&, int, int) { chart.SaveToPngFile(file); };
  EXPECT_THROW(chart.Paint(), ENoxGrafonError);
}

// Export at a device scale: scale 1 is the screen's picture; other scales are drawn afresh at the
// finer pixels (the caption's ink is taller by the scale, not a copy of the 1x pixels), leave the
// screen and the chart's own images as they were, and bad scales or sizes write nothing.
TEST_F(PaintPipeline, ExportAtADeviceScaleDrawsAfresh) {
  chart.SetCaption("Scaled export");
  chart.Scale1X().SetVisible(true);
  chart.AddMark(9, 0.5, 0.5);
  chart.Paint();
  TBitmap screen;
  screen.Assign(chart.ScreenImage());
  TBitmap unit, scaled;
  chart.Render(unit, 1);
  EXPECT_TRUE(SameImage(screen, unit));
  // Rows with dark caption ink (the caption lies in the top margin, on the silver window colour).
  const auto captionRows = [](const TBitmap& b, int top) {
    int rows = 0;
    for (int y = 0; y < top; ++y) {
      for (int x = 0; x < b.Width(); ++x) {
        if ((b.Pixel(x, y) & 0xFF) < 0x60) {
          ++rows;
          break;
        }
      }
    }
    return rows;
  };
  for (const double scale : {1.25, 1.5, 2.0}) {
    chart.Render(scaled, scale);
    EXPECT_EQ(scaled.Width(), static_cast<int>(std::floor(kWidth * scale + 0.5))) << scale;
    EXPECT_NEAR(captionRows(scaled, static_cast<int>(chart.MarginTop() * scale)),
                captionRows(unit, chart.MarginTop()) * scale, 2.0)
        << scale;
    EXPECT_TRUE(SameImage(chart.ScreenImage(), screen)) << scale;
  }
  chart.Paint();
  EXPECT_TRUE(SameImage(chart.ControlImage(), screen));

  const std::filesystem::path dir = std::filesystem::path(NOX_TEST_OUTPUT_DIR) / "paint";
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "refused.png").string();
  std::filesystem::remove(file);
  for (const double bad : {0.0, -2.0, 8.5, std::nan("")}) {
    EXPECT_THROW(chart.SaveToPngFile(file, bad), ENoxGrafonError) << bad;
  }
  chart.SetBounds(0, 0, 4000, 3000);  // 32000 x 24000 at 8: beyond the image limit
  EXPECT_THROW(chart.SaveToPngFile(file, 8), ENoxGrafonError);
  EXPECT_FALSE(std::filesystem::exists(file));
}

// A chart that counts its renderings: one per pass of a paint.
class TPassCountingGrafon : public TRenderGrafon {
 public:
  void RenderData(TCanvas& canvas, int offsetX, int offsetY, bool monochrome, int noGrid) override {
    ++Passes;
    TRenderGrafon::RenderData(canvas, offsetX, offsetY, monochrome, noGrid);
  }
  int Passes = 0;
};

// An event handler that changes the chart on every call, while the chart paints or pans, makes
// the chart paint again after the current pass, not inside it: a paint takes three passes at most,
// leaves nothing pending, and afterwards the chart paints as usual. A handler that sets the range it already has leaves
// the picture of a paint without it.
TEST(PaintReentrancy, HandlersThatChangeTheChartAreBoundedForEveryKind) {
  enum TKind { kBeforeData, kDataRendered, kScalesRendered, kItem, kText, kTick, kTickLabel, kZoomPan };
  enum TChange { kSameRange, kZoom, kAppend, kResize, kMargin };
  THeadlessHost host;
  TScopedHost scoped(host);
  for (int kind = kBeforeData; kind <= kZoomPan; ++kind) {
    for (int change = kSameRange; change <= kMargin; ++change) {
      SCOPED_TRACE(testing::Message() << "handler " << kind << ", change " << change);
      TPassCountingGrafon chart;
      chart.HandleNeeded();
      chart.SetBounds(0, 0, 300, 200);
      chart.SetLayerRange(1, 0, 0, 100, 100);
      chart.MoveToPoint(0, 0);
      chart.LineToPoint(50, 50);
      TgfChartItem text = Item(ikText, 20, 80);
      text.ShortText.Assign("text");
      chart.AppendChartItem(text);
      int calls = 0;
      bool active = true;
      const auto act = [&] {
        if (!active) return;
        const int n = ++calls;
        switch (change) {
          case kSameRange:
            chart.SetLayerRange(1, 0, 0, 100, 100);
            break;
          case kZoom:
            chart.SetLayerRange(1, 0, 0, 100 - n % 50, 100);
            break;
          case kAppend:
            chart.LineToPoint(n % 100, n % 7);
            chart.ShowItems();
            break;
          case kResize:
            chart.SetBounds(0, 0, 300 + n % 2, 200);
            break;
          default:
            chart.SetMarginLeft(50 + n % 2);
            break;
        }
      };
      const auto render = [act](TObject*, TCanvas&, int, int) { act(); };
      switch (kind) {
        case kBeforeData: chart.OnBeforeRenderData = render; break;
        case kDataRendered: chart.OnDataRendered = render; break;
        case kScalesRendered: chart.OnScalesRendered = render; break;
        case kItem: chart.OnBeforeRenderChartItem = [act](TObject*, TgfChartItem&, int, bool) { act(); }; break;
        case kText: chart.OnBeforeRenderText = [act](TObject*, std::string&, int, bool) { act(); }; break;
        case kTick: chart.OnScaleTickDrawn = [act](TObject*, TCanvas&, TScaleType, double, int, int) { act(); }; break;
        case kTickLabel: chart.OnBeforeTickLabel = [act](TObject*, TScaleType, double, std::string&) { act(); }; break;
        default: chart.OnZoomPan = [act](TObject*) { act(); }; break;
      }
      chart.PaintIfPending();
      chart.Passes = 0;
      if (kind == kZoomPan) {
        chart.SetMouseAction(maPan);
        chart.DispatchMouseDown(mbLeft, TShiftState{ssLeft}, 100, 100);
        chart.DispatchMouseMove(TShiftState{ssLeft}, 100, 100);
        chart.DispatchMouseMove(TShiftState{ssLeft}, 110, 105);
      } else {
        chart.Repaint();
      }
      EXPECT_GT(calls, 0);
      EXPECT_LE(chart.Passes, kind == kZoomPan ? 6 : 3);
      // Nothing left for the host to paint again, where the host would meet the handler again.
      EXPECT_TRUE(kind == kZoomPan || !chart.PaintPending());
      TBitmap during;
      during.Assign(chart.ScreenImage());
      active = false;
      chart.Passes = 0;
      chart.Repaint();
      EXPECT_EQ(chart.Passes, 1);
      if (change == kSameRange && kind != kZoomPan) {
        EXPECT_TRUE(SameImage(during, chart.ScreenImage()));
      }
    }
  }
}

}  // namespace
}  // namespace nox::test
