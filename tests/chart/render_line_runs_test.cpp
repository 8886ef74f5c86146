// Line-to runs and stretches of marks drawn from block summaries must give exactly the pixels of
// drawing every item on its own. Each case renders the same lists both ways (FastLineRuns off, then
// on) and compares the images byte for byte: random charts over many seeds, marks and many series,
// long series under many views, the batch and end-pixel boundaries, and lists that change through
// sharing and copying.

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "chart/render_fixture.h"

namespace nox::test {
namespace {

using TRandom = std::mt19937_64;

int Between(TRandom& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
double Real(TRandom& rng, double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
bool Chance(TRandom& rng, double p) { return std::bernoulli_distribution(p)(rng); }

// Where and how the lists are rendered.
struct TTarget {
  int Width = 0, Height = 0;    // of the image
  int OffsetX = 0, OffsetY = 0;  // of the chart area on it
  bool Monochrome = false;
  double Scale = 1;  // device pixels per pixel of the image's logical size
};

void RenderOnto(TRenderGrafon& chart, bool fast, const TTarget& target, TBitmap& image) {
  chart.SetFastLineRuns(fast);
  if (target.Scale == 1) {
    image.SetSize(target.Width, target.Height);
  } else {
    image.Canvas().SetDeviceScale(target.Scale);
    image.Canvas().SetLogicalSize(target.Width, target.Height);
  }
  image.Fill(clWhite);
  chart.RenderDataToBitmap(image, target.OffsetX, target.OffsetY, target.Monochrome, 0);
  chart.SetFastLineRuns(true);
}

::testing::AssertionResult SameBothWays(TRenderGrafon& chart, const TTarget& target) {
  TBitmap plain, fast;
  RenderOnto(chart, false, target, plain);
  RenderOnto(chart, true, target, fast);
  return SameImage(plain, fast);
}

TTarget AreaOf(TRenderGrafon& chart) {
  return {chart.ChartAreaWidth() + 1, chart.ChartAreaHeight() + 1, 0, 0, false};
}

// One axis' range for data spread over lo..hi: the whole of it, zoomed in or out, panned partly
// off, reversed, or so narrow that most points lie beyond the 30000-pixel limit.
void PickRange(TRandom& rng, double lo, double hi, double& low, double& high) {
  const double span = hi - lo;
  switch (Between(rng, 0, 5)) {
    case 0:
      low = lo, high = hi;
      break;
    case 1: {  // zoomed in
      const double width = span * std::pow(10.0, -Real(rng, 0, 3));
      low = Real(rng, lo, hi - width);
      high = low + width;
      break;
    }
    case 2: {  // zoomed out: the data in a few columns
      const double width = span * std::pow(10.0, Real(rng, 0, 4));
      low = lo - Real(rng, 0, 1) * width;
      high = low + width;
      break;
    }
    case 3:  // panned partly off
      low = lo + Real(rng, -0.7, 0.7) * span;
      high = low + span;
      break;
    case 4: {  // clamped: one millionth of the data's width on screen
      const double width = span * 1e-6;
      low = Real(rng, lo, hi - width);
      high = low + width;
      break;
    }
    default:
      low = lo + Real(rng, 0, 0.3) * span;
      high = hi - Real(rng, 0, 0.3) * span;
      break;
  }
  if (Chance(rng, 0.25)) std::swap(low, high);
}

// How untidy a random series is: the chance per item of each disturbance.
struct TDisorder {
  double Bad = 0;        // NaN or infinite coordinate
  double Hidden = 0;     // an item of the hidden class (sometimes a whole stretch of them)
  double OtherLayer = 0;
  double Repeat = 0;     // the previous point again, a few times
  double Extreme = 0;    // a coordinate far beyond the limit
  double Attribute = 0;  // a lasting change of colour, fill, width or style
  double OtherKind = 0;  // a mark, move, line, relative line, delta line, text or a no-op
  bool MonotoneX = true;
};

TDisorder RandomDisorder(TRandom& rng) {
  TDisorder d;
  if (Chance(rng, 0.3)) return d;  // tidy: long uniform stretches
  d.Bad = Chance(rng, 0.5) ? Real(rng, 0, 0.02) : 0;
  d.Hidden = Chance(rng, 0.5) ? Real(rng, 0, 0.03) : 0;
  d.OtherLayer = Chance(rng, 0.3) ? Real(rng, 0, 0.02) : 0;
  d.Repeat = Chance(rng, 0.5) ? Real(rng, 0, 0.1) : 0;
  d.Extreme = Chance(rng, 0.3) ? Real(rng, 0, 0.01) : 0;
  d.Attribute = Chance(rng, 0.5) ? Real(rng, 0, 0.005) : 0;
  d.OtherKind = Chance(rng, 0.5) ? Real(rng, 0, 0.01) : 0;
  d.MonotoneX = Chance(rng, 0.7);
  return d;
}

// A bound of a logarithmic range from one picked for linear data (y = e^(v / 40)), kept well
// inside what a logarithmic axis accepts.
double LogRangeBound(double v) { return std::exp(std::clamp(v / 40, -200.0, 200.0)); }

constexpr std::uint8_t kHiddenClass = 7;
constexpr double kDataWidth = 1000;  // x of the data: 0 .. 1000; y: about -100 .. 100

// Appends a random series of n items (moves, line-to runs and the disturbances above) to the list
// the drawing operations write to, its line-tos drawn with a pen of that width and style.
void AddSeries(TRandom& rng, TRenderGrafon& chart, int n, const TDisorder& d, bool logarithmic, int width = 1,
               TPenStyle style = psSolid) {
  TgfChartItem pen = Item(ikLineTo, 0, 0);
  pen.LineWidth = width;
  pen.PenStyle = style;
  pen.Color = Chance(rng, 0.5) ? clBlack : clNavy;
  pen.FillColor = Chance(rng, 0.8) ? clSilver : clWhite;
  const auto coordinate = [&](double v, bool isX) {
    if (logarithmic) v = isX ? 1 + std::abs(v) : std::exp(v / 40);
    return v;
  };
  double y = Real(rng, -50, 50);
  int hiddenLeft = 0;
  const auto add = [&](TgfChartItem item) { chart.AppendChartItem(item); };
  if (Chance(rng, 0.8)) add(Item(ikMoveTo, coordinate(0, true), coordinate(y, false)));
  for (int i = 1; i <= n; ++i) {
    y += Real(rng, -4, 4) + (Chance(rng, 0.05) ? Real(rng, -40, 40) : 0);
    y = std::clamp(y, -100.0, 100.0);
    const double x = d.MonotoneX ? kDataWidth * i / n : Real(rng, 0, kDataWidth);
    TgfChartItem item = pen;
    item.X1 = coordinate(x, true);
    item.Y1 = coordinate(y, false);
    if (logarithmic && Chance(rng, 0.002)) item.Y1 = Chance(rng, 0.5) ? 0 : 1e-120;  // below the log limit
    if (Chance(rng, d.Extreme)) (Chance(rng, 0.5) ? item.X1 : item.Y1) = Chance(rng, 0.5) ? 1e12 : -1e12;
    if (Chance(rng, d.Bad)) {
      const double bad = Chance(rng, 0.5) ? std::numeric_limits<double>::quiet_NaN()
                                          : std::numeric_limits<double>::infinity() * (Chance(rng, 0.5) ? 1 : -1);
      (Chance(rng, 0.5) ? item.X1 : item.Y1) = bad;
    }
    if (hiddenLeft == 0 && Chance(rng, d.Hidden)) hiddenLeft = Chance(rng, 0.3) ? Between(rng, 20, 300) : 1;
    if (hiddenLeft > 0) {
      --hiddenLeft;
      item.ItemClass = kHiddenClass;
    }
    if (Chance(rng, d.OtherLayer)) item.Layer = 2;
    if (Chance(rng, d.Attribute)) {
      switch (Between(rng, 0, 4)) {
        case 0:
          pen.Color = Chance(rng, 0.5) ? clRed : clGreen;
          break;
        case 1:
          pen.FillColor = Chance(rng, 0.5) ? clYellow : clSilver;
          break;
        case 2:
          pen.LineWidth = Chance(rng, 0.7) ? Between(rng, 0, 2) : Between(rng, 3, 6);
          break;
        case 3:
          pen.PenStyle = static_cast<TPenStyle>(Between(rng, psSolid, psInsideFrame));
          break;
        default:
          pen = Item(ikLineTo, 0, 0);
          break;
      }
    }
    if (Chance(rng, d.OtherKind)) {
      static constexpr TgfItemKind kKinds[] = {ikMark,    ikMoveTo,  ikLine,     ikLineRel, ikDeltaLine,
                                               ikMoveRel, ikText,    ikVertLine, ikRect,    TgfItemKind{0}};
      TgfChartItem other = Item(kKinds[Between(rng, 0, 9)], item.X1, item.Y1, item.X1 + 30, item.Y1 - 20);
      other.Color = clPurple;
      other.Param3 = 4;
      other.Param1 = 8;
      if (other.Kind == ikLineRel || other.Kind == ikMoveRel || other.Kind == ikDeltaLine) {
        other.X1 = other.Kind == ikDeltaLine ? item.X1 : Between(rng, -20, 20);
        other.Y1 = other.Kind == ikDeltaLine ? item.Y1 : Between(rng, -20, 20);
        other.X2 = Between(rng, -20, 20);
        other.Y2 = Between(rng, -20, 20);
        other.Color = pen.Color;  // may continue the pending polyline
        other.FillColor = pen.FillColor;
      }
      if (other.Kind == ikText) other.ShortText.Assign("t");
      if (other.Kind == 0) other.LineWidth = Between(rng, 0, 2);
      add(other);
    }
    add(item);
    if (Chance(rng, d.Repeat)) {
      for (int r = Between(rng, 1, 6); r > 0; --r) add(item);
    }
  }
}

// A few annotation items: line-to runs in pixels and world units, and texts.
void AddAnnotations(TRandom& rng, TRenderGrafon& chart, bool logarithmic) {
  chart.SetAnnotationMode(true);
  for (int k = Between(rng, 0, 3); k > 0; --k) {
    TgfChartItem move = Item(ikMoveTo, Between(rng, 0, 100), Between(rng, 0, 100));
    move.CoordMode = 1;
    chart.AppendChartItem(move);
    const auto mode = static_cast<std::uint8_t>(Chance(rng, 0.5) ? 0 : Between(rng, 1, 5));
    for (int i = Between(rng, 1, 400); i > 0; --i) {
      TgfChartItem line = Item(ikLineTo, Real(rng, 0, 300), Real(rng, -50, 300));
      if (logarithmic) line.X1 = 1 + line.X1, line.Y1 = 1 + std::abs(line.Y1);
      line.CoordMode = mode;
      line.Color = clTeal;
      if (Chance(rng, 0.05)) line.ItemClass = kHiddenClass;
      chart.AppendChartItem(line);
      if (Chance(rng, 0.02)) {
        TgfChartItem text = Item(ikText, Real(rng, 0, 200), Real(rng, 0, 200));
        text.CoordMode = 1;
        text.ShortText.Assign("note");
        text.Param1 = 8;
        chart.AppendChartItem(text);
      }
    }
  }
  chart.SetAnnotationMode(false);
}

// A random chart: size, margins, shadow, ranges of layers 1 and 2 (linear or logarithmic), the
// list switches and the visibility tables.
TTarget SetUpRandomChart(TRandom& rng, TRenderGrafon& chart, bool& logarithmic) {
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.SetMarginLeft(Between(rng, 0, 60));
  chart.SetMarginRight(Between(rng, 0, 40));
  chart.SetMarginTop(Between(rng, 0, 40));
  chart.SetMarginBottom(Between(rng, 0, 50));
  chart.SetShadowWidth(Chance(rng, 0.2) ? Between(rng, 1, 6) : 0);
  chart.SetBounds(0, 0, Between(rng, 120, 460), Between(rng, 100, 380));
  logarithmic = Chance(rng, 0.2);
  for (int layer = 1; layer <= 2; ++layer) {
    double xl, xh, yl, yh;
    PickRange(rng, 0, kDataWidth, xl, xh);
    PickRange(rng, -100, 100, yl, yh);
    if (logarithmic) {
      // Positive ranges over the logarithmic data (x 1 .. 1001, y e^-2.5 .. e^2.5).
      xl = 1 + std::abs(xl), xh = 1 + std::abs(xh);
      yl = LogRangeBound(yl), yh = LogRangeBound(yh);
      if (xl == xh) xh = xl * 2;
      if (yl == yh) yh = yl * 2;
    }
    chart.SetLayerRange(layer, xl, yl, xh, yh);
    if (logarithmic) {
      chart.ScaleXOf(layer).SetLogarithmic(Chance(rng, 0.8));
      chart.ScaleYOf(layer).SetLogarithmic(Chance(rng, 0.8));
    }
  }
  chart.SetAnnotationsUnderData(Chance(rng, 0.3));
  chart.SetShowAnnotations(Chance(rng, 0.8));
  chart.SetAnnotationTextsOnTop(Chance(rng, 0.7));
  chart.SetDataClassVisible(kHiddenClass, Chance(rng, 0.3));
  chart.SetAnnotationClassVisible(kHiddenClass, Chance(rng, 0.3));
  chart.SetLayerVisible(2, Chance(rng, 0.7));
  chart.SetChartColor(Chance(rng, 0.5) ? clWhite : clBtnFace);
  chart.SetLineWidth(static_cast<std::uint8_t>(Chance(rng, 0.8) ? 1 : 0));
  TTarget target = AreaOf(chart);
  if (Chance(rng, 0.3)) {
    // Another image size and a shifted chart area: the runs clip to the image they are drawn on.
    target.Width = Between(rng, 1, 500);
    target.Height = Between(rng, 1, 400);
    target.OffsetX = Between(rng, -40, 40);
    target.OffsetY = Between(rng, -40, 40);
  }
  target.Monochrome = Chance(rng, 0.1);
  return target;
}

TEST(LineRuns, RandomChartsMatchItemByItem) {
  THeadlessHost host;
  TScopedHost scoped{host};
  for (std::uint64_t seed = 1; seed <= 240; ++seed) {
    TRandom rng(seed);
    TRenderGrafon chart;
    bool logarithmic = false;
    const TTarget target = SetUpRandomChart(rng, chart, logarithmic);
    const TDisorder disorder = RandomDisorder(rng);
    for (int series = Between(rng, 1, 3); series > 0; --series) {
      const int n = Chance(rng, 0.1) ? Between(rng, 5000, 20000) : Between(rng, 1, 3000);
      AddSeries(rng, chart, n, disorder, logarithmic);
    }
    AddAnnotations(rng, chart, logarithmic);
    EXPECT_TRUE(SameBothWays(chart, target)) << "seed " << seed;
  }
}

// Several series of lines or marks, one after the other in the list or dealt in turn, each in its
// colour (and mark type: mostly those drawn as pixels, some drawn otherwise), with repeated points;
// on a logarithmic chart some values lie at or below zero and the 1e-100 limit.
void AddManySeries(TRandom& rng, TRenderGrafon& chart, bool logarithmic) {
  static constexpr TColor kColours[] = {clBlack, clRed, clGreen, clBlue};
  static constexpr int kMarkTypes[] = {0, 1, 2, 3, 4, 5, 6, 18, 0, 4, 7, 13, 65};
  const int series = std::array{1, 4, 16}[static_cast<std::size_t>(Between(rng, 0, 2))];
  const bool marks = Chance(rng, 0.7), dealt = Chance(rng, 0.3);
  const int each = Between(rng, 100, 30000) / series;
  std::vector<std::vector<std::pair<double, double>>> points(static_cast<std::size_t>(series));
  for (auto& line : points) {
    double y = Real(rng, -50, 50);
    for (int i = 0; i < each; ++i) {
      y = std::clamp(y + Real(rng, -6, 6), -100.0, 100.0);
      double px = kDataWidth * i / each, py = y;
      if (logarithmic) {
        px = 1 + px, py = std::exp(py / 40);
        static constexpr double kBelow[] = {0, -1, 1e-120, kMinLogValue};
        if (Chance(rng, 0.003)) (Chance(rng, 0.5) ? px : py) = kBelow[Between(rng, 0, 3)];
      }
      for (int r = Chance(rng, 0.1) ? Between(rng, 2, 20) : 1; r > 0; --r) line.emplace_back(px, py);
    }
  }
  const auto add = [&](std::size_t s, std::size_t i) {
    chart.SetDataColor(kColours[s % 4]);
    const auto [x, y] = points[s][i];
    if (marks) {
      chart.AddMark(kMarkTypes[(s * 5 + (dealt ? 0 : i / 5000)) % std::size(kMarkTypes)], x, y);
    } else if (i == 0) {
      chart.MoveTo(x, y);
    } else {
      chart.LineTo(x, y);
    }
  };
  std::size_t longest = 0;
  for (const auto& line : points) longest = std::max(longest, line.size());
  for (std::size_t outer = 0; outer < (dealt ? longest : points.size()); ++outer) {
    for (std::size_t inner = 0; inner < (dealt ? points.size() : longest); ++inner) {
      const std::size_t s = dealt ? inner : outer, i = dealt ? outer : inner;
      if (i < points[s].size()) add(s, i);
    }
  }
}

// Marks and many series, as the fast paths take them, on random charts (zoomed, panned, reversed,
// clamped, logarithmic), with and without duplicate suppression, with a copy or an XOR pen.
TEST(LineRuns, MarksAndManySeriesMatchItemByItem) {
  THeadlessHost host;
  TScopedHost scoped{host};
  for (std::uint64_t seed = 1; seed <= 150; ++seed) {
    TRandom rng(1000 + seed);
    TRenderGrafon chart;
    bool logarithmic = false;
    const TTarget target = SetUpRandomChart(rng, chart, logarithmic);
    chart.SetAvoidDuplicateMarks(Chance(rng, 0.3));
    chart.SetMinDupMarkDist(Between(rng, 1, 3));
    if (Chance(rng, 0.15))
      chart.OnBeforeRenderData = [](TObject*, TCanvas& canvas, int, int) { canvas.Pen().SetMode(pmXor); };
    AddManySeries(rng, chart, logarithmic);
    EXPECT_TRUE(SameBothWays(chart, target)) << "seed " << seed;
  }
}

// A random view of layer 1 over the series' x and y, on both axes logarithmic or not.
void PickView(TRandom& rng, TRenderGrafon& chart, bool logarithmic) {
  double xl, xh, yl, yh;
  PickRange(rng, 0, kDataWidth, xl, xh);
  PickRange(rng, -100, 100, yl, yh);
  if (logarithmic) {
    xl = 1 + std::abs(xl), xh = 1 + std::abs(xh) + 1;
    yl = LogRangeBound(yl), yh = LogRangeBound(yh) * 1.01;
  }
  chart.SetLayerRange(1, xl, yl, xh, yh);
  chart.ScaleXOf(1).SetLogarithmic(logarithmic);
  chart.ScaleYOf(1).SetLogarithmic(logarithmic);
}

// Long tidy series - solid and dashed lines, one-pixel and 3 x 3 marks - so that the large blocks
// come into play, under views that put thousands of points into a column, a few points, or none;
// panned, reversed, logarithmic and clamped.
TEST(LineRuns, LongSeriesMatchUnderEveryView) {
  THeadlessHost host;
  TScopedHost scoped{host};
  TRandom rng(77);
  for (const bool logarithmic : {false, true}) {
    // A line with a solid or a dashed pen, or marks of type 4 or 0 (markType >= 0).
    for (const auto& [style, markType] : {std::pair{psSolid, -1}, {psDash, -1}, {psSolid, 4}, {psSolid, 0}}) {
      TRenderGrafon chart;
      chart.HandleNeeded();
      chart.SetAutoRedraw(false);
      chart.SetBounds(0, 0, 429, 365);
      if (markType < 0) {
        AddSeries(rng, chart, 150000, TDisorder{}, logarithmic, 1, style);
      } else {
        double y = 0;
        for (int i = 1; i <= 150000; ++i) {
          y = std::clamp(y + Real(rng, -4, 4), -100.0, 100.0);
          chart.AddMark(markType, logarithmic ? 1 + i / 150.0 : i / 150.0,
                        logarithmic ? std::exp(y / 40) : y);
        }
      }
      for (int view = 0; view < 10; ++view) {
        PickView(rng, chart, logarithmic);
        EXPECT_TRUE(SameBothWays(chart, AreaOf(chart)))
            << "style " << style << ", mark " << markType << ", view " << view << (logarithmic ? " log" : "");
      }
    }
  }
}

// Several series over one x range, dealt in turn as the bench deals them, each a run in its own
// colour that paints over the runs before it; with a column holding many points of each (many
// blocks of a run in one column, split at every column border) or a few; at pen widths 1 to 3, on
// linear and logarithmic axes (some values at and below zero and the logarithmic limit); every
// other series on a second layer with an x range of its own.
TEST(LineRuns, InterleavedSeriesMatchUnderEveryView) {
  THeadlessHost host;
  TScopedHost scoped{host};
  struct TCase {
    int Series, Points, Width;
    bool Logarithmic;
    int Layers = 1;
  };
  TRandom rng(415);
  for (const TCase c : {TCase{4, 160000, 1, false}, TCase{16, 160000, 1, false}, TCase{16, 6000, 1, false},
                        TCase{16, 60000, 1, true}, TCase{4, 40000, 2, false}, TCase{16, 40000, 3, true},
                        TCase{16, 160000, 1, false, 2}}) {
    TRenderGrafon chart;
    chart.HandleNeeded();
    chart.SetAutoRedraw(false);
    chart.SetBounds(0, 0, 429, 365);
    chart.SetLineWidth(static_cast<std::uint8_t>(c.Width));
    static constexpr TColor kColours[] = {clBlack, clRed, clGreen, clBlue};
    std::vector<double> ys(static_cast<std::size_t>(c.Points) + 1);
    for (std::size_t i = 1; i < ys.size(); ++i) ys[i] = std::clamp(ys[i - 1] + Real(rng, -6, 6), -100.0, 100.0);
    const auto x = [&](int i) { return c.Logarithmic ? 1 + kDataWidth * i / c.Points : kDataWidth * i / c.Points; };
    const auto y = [&](int i) {
      if (!c.Logarithmic) return ys[static_cast<std::size_t>(i)];
      static constexpr double kBelow[] = {0, -1, 1e-120, kMinLogValue};
      return Chance(rng, 0.001) ? kBelow[Between(rng, 0, 3)] : std::exp(ys[static_cast<std::size_t>(i)] / 40);
    };
    for (int run = 0; run < c.Series; ++run) {
      chart.SetDataColor(kColours[run % 4]);
      chart.SetCurrentLayer(1 + run % c.Layers);
      chart.MoveTo(x(0), y(0));
      for (int i = run + 1; i <= c.Points; i += c.Series) chart.LineTo(x(i), y(i));
    }
    // First the whole of it, as the bench shows it.
    chart.SetLayerRange(1, x(0), c.Logarithmic ? std::exp(-2.5) : -100, x(c.Points), c.Logarithmic ? std::exp(2.5) : 100);
    chart.ScaleXOf(1).SetLogarithmic(c.Logarithmic);
    chart.ScaleYOf(1).SetLogarithmic(c.Logarithmic);
    for (int view = 0; view < 6; ++view) {
      if (view > 0) PickView(rng, chart, c.Logarithmic);
      if (c.Layers == 2) chart.SetLayerRange(2, Real(rng, -200, 200), -100, Real(rng, 500, 1200), 100);
      EXPECT_TRUE(SameBothWays(chart, AreaOf(chart)))
          << c.Series << " series of " << c.Points / c.Series << ", width " << c.Width << ", view " << view
          << (c.Logarithmic ? " log" : "");
    }
  }
}

// Every pen a run may be drawn with - widths 1, 2, 3 and 5, every style, in copy and XOR mode -
// under views that zoom, pan, reverse and clamp, on linear and logarithmic axes, onto the chart
// area or an image that cuts it at every edge; at device scales that keep a 1-pixel pen 1 pixel
// wide (1.25) or widen it (1.5, 2), with even and odd device widths of the wider pens.
TEST(LineRuns, EveryPenMatchesUnderEveryView) {
  THeadlessHost host;
  TScopedHost scoped{host};
  TRandom rng(31);
  for (const double scale : {1.0, 1.25, 1.5, 2.0}) {
    for (const int width : {1, 2, 3, 5}) {
      for (int style = psSolid; style <= psInsideFrame; ++style) {
        const bool logarithmic = Chance(rng, 0.3);
        TRenderGrafon chart;
        chart.HandleNeeded();
        chart.SetAutoRedraw(false);
        chart.SetBounds(0, 0, 300, 250);
        AddSeries(rng, chart, 20000, TDisorder{}, logarithmic, width, static_cast<TPenStyle>(style));
        for (int view = 0; view < 4; ++view) {
          PickView(rng, chart, logarithmic);
          const bool xorPen = view == 3;
          chart.OnBeforeRenderData = [xorPen](TObject*, TCanvas& canvas, int, int) {
            canvas.Pen().SetMode(xorPen ? pmXor : pmCopy);
          };
          TTarget target = AreaOf(chart);
          if (view == 2) target = {target.Width - 50, target.Height - 40, -30, -20};  // clipped at every edge
          target.Scale = scale;
          EXPECT_TRUE(SameBothWays(chart, target)) << "width " << width << ", style " << style << ", view "
                                                   << view << (logarithmic ? " log" : "") << " at " << scale;
        }
      }
    }
  }
}

// The chart area of the rendering fixture: 200 x 200 pixels, world units 1:1, y up.
void SetUpArea(TRenderGrafon& chart) {
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.SetMarginLeft(50);
  chart.SetMarginRight(30);
  chart.SetMarginTop(20);
  chart.SetMarginBottom(40);
  chart.SetBounds(0, 0, 280, 260);
  chart.SetLayerRange(1, 0, 0, 200, 200);
}

constexpr TTarget kArea{201, 201};

// n line-to items along a wave after a move, then `repeats` copies of the last one.
void AddWave(TRenderGrafon& chart, int n, int repeats, double amplitude = 55) {
  chart.AppendChartItem(Item(ikMoveTo, 5, 20));
  const auto y = [&](int i) { return 100 + amplitude * std::sin(i * 0.05); };
  for (int i = 1; i <= n; ++i) chart.AppendChartItem(Item(ikLineTo, 5 + 190.0 * i / n, y(i)));
  for (int r = 0; r < repeats; ++r) chart.AppendChartItem(Item(ikLineTo, 195, y(n)));
}

class LineRunEdges : public ::testing::Test {
 protected:
  LineRunEdges() { SetUpArea(chart); }
  void Add(const TgfChartItem& item) { chart.AppendChartItem(item); }

  THeadlessHost host;
  TScopedHost scoped{host};
  TRenderGrafon chart;
};

// Runs that end exactly at, just before and just after a batch of 200 points, and runs whose last
// points all fall on one pixel: the end pixel of a run is left out unless a segment covers it.
TEST_F(LineRunEdges, BatchBoundariesAndRepeatedEndPixels) {
  for (const int n : {198, 199, 200, 201, 397, 398, 399, 400, 1000, 4096, 5000}) {
    for (const int repeats : {0, 1, 250}) {
      TRenderGrafon fresh;
      SetUpArea(fresh);
      AddWave(fresh, n, repeats);
      EXPECT_TRUE(SameBothWays(fresh, kArea)) << n << " items, " << repeats << " repeats";
    }
  }
}

// Every point of a long run on one pixel: nothing is drawn at all.
TEST_F(LineRunEdges, RunOnOnePixelDrawsNothing) {
  Add(Item(ikMoveTo, 50.2, 60.2));
  for (int i = 0; i < 5000; ++i) Add(Item(ikLineTo, 50 + 0.3 * std::sin(i), 60 + 0.3 * std::cos(i)));
  chart.SetChartFrameColor(clWhite);
  TBitmap image;
  RenderOnto(chart, true, kArea, image);
  EXPECT_EQ(CountOther(image, clWhite), 0);
}

// A run that comes back to its start pixel at the end: that pixel is painted by the first segment.
TEST_F(LineRunEdges, RunEndingOnItsStartKeepsTheStartPixel) {
  Add(Item(ikMoveTo, 20, 100));
  for (int i = 1; i <= 3000; ++i) Add(Item(ikLineTo, 20 + 0.01 * (i % 1500), 100 + (i < 1500 ? 30 : 0)));
  EXPECT_TRUE(SameBothWays(chart, kArea));
}

// A relative line starts where the last drawn batch ended; a delta line and relative lines feed the
// pending batch that a run then continues.
TEST_F(LineRunEdges, RelativeLinesAroundRunsSeeThePenWhereBatchesLeaveIt) {
  for (const int n : {150, 450, 2000}) {
    TRenderGrafon fresh;
    SetUpArea(fresh);
    fresh.AppendChartItem(Item(ikDeltaLine, 10, 10, 5, -5));
    fresh.AppendChartItem(Item(ikLineRel, 3, 7));
    AddWave(fresh, n, 0);
    fresh.AppendChartItem(Item(ikLineRel, 10, -30));
    fresh.AppendChartItem(Item(ikLineRel, -40, 5));
    AddWave(fresh, n, 0, -30);
    EXPECT_TRUE(SameBothWays(fresh, kArea)) << n;
  }
}

// A handler that may change each item's copy is called for every visible item, with its index, as
// it is when every item is drawn on its own.
TEST_F(LineRunEdges, ItemHandlerSeesEveryItem) {
  AddWave(chart, 3000, 0);
  std::vector<int> seen;
  chart.OnBeforeRenderChartItem = [&](TObject*, TgfChartItem& item, int index, bool) {
    seen.push_back(index);
    if (index % 500 == 0) item.Color = clRed;
  };
  TBitmap fast, plain;
  RenderOnto(chart, true, kArea, fast);
  ASSERT_EQ(seen.size(), 3001u);
  for (int i = 0; i <= 3000; ++i) ASSERT_EQ(seen[static_cast<std::size_t>(i)], i);
  RenderOnto(chart, false, kArea, plain);
  EXPECT_TRUE(SameImage(plain, fast));
  EXPECT_GT(CountColor(fast, clRed), 0);
}

// A pen left in XOR mode by the render handler flips pixels per batch; wide and dashed pens draw
// their own way. All of them match item by item.
TEST_F(LineRunEdges, XorWideAndDashedPensMatch) {
  for (const int width : {1, 2, 3}) {
    for (const TPenStyle style : {psSolid, psDash, psDot}) {
      TRenderGrafon fresh;
      SetUpArea(fresh);
      fresh.AppendChartItem(Item(ikMoveTo, 5, 20));
      for (int i = 1; i <= 2000; ++i) {
        TgfChartItem item = Item(ikLineTo, 5 + 0.095 * i, 100 + 60 * std::sin(i * 0.02));
        item.LineWidth = width;
        item.PenStyle = style;
        fresh.AppendChartItem(item);
      }
      for (const bool xorPen : {false, true}) {
        fresh.OnBeforeRenderData = [xorPen](TObject*, TCanvas& canvas, int, int) {
          canvas.Pen().SetMode(xorPen ? pmXor : pmCopy);
        };
        EXPECT_TRUE(SameBothWays(fresh, kArea)) << width << " " << int{style} << " " << xorPen;
      }
    }
  }
}

// Patterned pens over series packed into single columns - up and down a wave, flat on one row,
// swinging far off the image, or on half pixels (rounding ties) - after lead-ins of every length,
// so that the stretches of points that paint nothing new begin and end at every place within a
// batch of 200; some points kept as full records among the plain ones; in copy and XOR mode.
TEST_F(LineRunEdges, DensePatternedColumnsMatch) {
  TRandom rng(17);
  for (const TPenStyle style : {psDash, psDot, psDashDot, psDashDotDot}) {
    for (const int lead : {0, 1, 57, 198, 199, 250}) {
      TRenderGrafon fresh;
      SetUpArea(fresh);
      const auto add = [&](TgfItemKind kind, double x, double y) {
        TgfChartItem item = Item(kind, x, y);
        item.PenStyle = style;
        if (Chance(rng, 0.03)) item.Param3 = 1;  // a record, in a block as uniform as the rest
        fresh.AppendChartItem(item);
      };
      add(ikMoveTo, 5, 20);
      for (int i = 0; i < lead; ++i) add(ikLineTo, 5 + 0.4 * i, Real(rng, 20, 180));
      for (int column = 0; column < 12; ++column) {
        const int n = Between(rng, 20, 3000);
        for (int i = 0; i < n; ++i) {
          const double y = column % 4 == 0   ? 100 + 50 * std::sin(i * Real(rng, 0.2, 0.4))
                           : column % 4 == 1 ? 100.2 + Real(rng, -0.2, 0.2)
                           : column % 4 == 2 ? 100 + 400 * std::sin(i * 0.3)
                                             : 100.5 + Between(rng, -30, 30);
          add(ikLineTo, 150 + column + Real(rng, 0, 0.4), y);
        }
      }
      for (const bool xorPen : {false, true}) {
        fresh.OnBeforeRenderData = [xorPen](TObject*, TCanvas& canvas, int, int) {
          canvas.Pen().SetMode(xorPen ? pmXor : pmCopy);
        };
        EXPECT_TRUE(SameBothWays(fresh, kArea)) << int{style} << " " << lead << " " << xorPen;
      }
    }
  }
}

// Marks packed into single columns whose type and colour change every so many marks (from every
// mark to never), so that stamps of several patterns share a column and colours start afresh at
// any point of a block; with and without duplicate suppression.
TEST_F(LineRunEdges, DenseMarksOfChangingTypeAndColourMatch) {
  static constexpr int kTypes[] = {0, 4, 18, 2, 0};
  static constexpr TColor kColours[] = {clBlack, clRed, clBlack, clBlue};
  TRandom rng(23);
  for (const auto& [typeEvery, colourEvery] :
       {std::pair{1 << 20, 1 << 20}, {16, 1 << 20}, {300, 7}, {1, 256}, {5, 1}}) {
    for (const bool avoidDuplicates : {false, true}) {
      TRenderGrafon fresh;
      SetUpArea(fresh);
      fresh.SetAvoidDuplicateMarks(avoidDuplicates);
      for (int i = 0; i < 12000; ++i) {
        TgfChartItem mark = Item(ikMark, 100 + i / 2000 + Real(rng, 0, 0.4), 100 + 60 * std::sin(i * 0.37));
        mark.Param3 = kTypes[i / typeEvery % std::size(kTypes)];
        mark.Color = kColours[i / colourEvery % std::size(kColours)];
        fresh.AppendChartItem(mark);
      }
      EXPECT_TRUE(SameBothWays(fresh, kArea)) << typeEvery << " " << colourEvery << " " << avoidDuplicates;
    }
  }
}

// Marks in one column that a block's least and greatest y alone may decide: a first block of 256
// stamps rows 60..140, then each block of 16 lies mostly on stamped rows and reaches one row beyond
// them at both ends, or two at one end with a point on the unstamped row just inside; y up and
// reversed.
TEST_F(LineRunEdges, MarksWideningAStampedColumnMatch) {
  for (const bool reversed : {false, true}) {
    for (const auto& [gapLow, gapHigh] : {std::pair{0, 0}, {1, 0}, {0, 1}}) {
      TRenderGrafon fresh;
      SetUpArea(fresh);
      if (reversed) fresh.SetLayerRange(1, 0, 200, 200, 0);
      const auto add = [&](double y) { fresh.AppendChartItem(Item(ikMark, 100.2, y + 0.25)); };
      for (int i = 0; i < 256; ++i) add(60 + 80.0 * i / 255);
      for (int k = 1, low = 60, high = 140; k <= 25; ++k) {  // within the range 0..200
        low -= 1 + gapLow;
        high += 1 + gapHigh;
        add(low);
        add(high);
        add(gapLow != 0 ? low + 1 : 100);
        add(gapHigh != 0 ? high - 1 : 100);
        for (int i = 4; i < 16; ++i) add(100 + i);
      }
      // A block over three rows of a fresh column: its middle row is known only from its points.
      for (int i = 0; i < 16; ++i) fresh.AppendChartItem(Item(ikMark, 50.2, 20 + i % 3 + 0.25));
      EXPECT_TRUE(SameBothWays(fresh, kArea)) << reversed << " " << gapLow << gapHigh;
    }
  }
}

// A run through a whole list of marks, moves and lines that interrupt it at every turn.
TEST_F(LineRunEdges, RunsInterruptedByOtherKindsMatch) {
  TRandom rng(5);
  Add(Item(ikMoveTo, 0, 0));
  for (int i = 1; i <= 20000; ++i) {
    Add(Item(ikLineTo, 200.0 * i / 20000, 100 + Real(rng, -60, 60)));
    if (i % 977 == 0) {
      TgfChartItem mark = Item(ikMark, 200.0 * i / 20000, 100);
      mark.Param3 = 3;
      mark.Color = clRed;
      Add(mark);
    }
    if (i % 1601 == 0) Add(Item(ikMoveTo, 200.0 * i / 20000, 30));
  }
  EXPECT_TRUE(SameBothWays(chart, kArea));
}

// Removing the oldest items, at any position (within a block, at chunk ends, all but a few), and a
// kept window that scrolls as a series streams in, keep the summaries in step with the items.
TEST(LineRuns, RemovalsAndAScrollingWindowMatchItemByItem) {
  THeadlessHost host;
  TScopedHost scoped{host};
  TRenderGrafon chart;
  chart.HandleNeeded();
  chart.SetAutoRedraw(false);
  chart.SetBounds(0, 0, 300, 250);
  chart.SetLayerRange(1, 0, -100, kDataWidth, 100);
  TRandom rng(12);
  AddSeries(rng, chart, 20000, TDisorder{}, false);
  for (const int n : {1, 15, 17, 4096 - 33, 4096, 5000}) {
    chart.RemoveFirstItems(n);
    ASSERT_TRUE(SameBothWays(chart, AreaOf(chart))) << "removed " << n;
  }
  chart.SetDataLimit(6000);
  for (int frame = 0; frame < 6; ++frame) {
    std::vector<double> ys(1500);
    for (double& y : ys) y = Real(rng, -100, 100);
    chart.AppendSeries(Real(rng, 0, kDataWidth / 2), 0.3, ys);
    ASSERT_EQ(chart.DataCount(), 6000);
    ASSERT_TRUE(SameBothWays(chart, AreaOf(chart))) << "frame " << frame;
  }
}

// The summaries follow the list through sharing, unsharing and copying.
TEST(LineRuns, SharedCopiedAndClearedListsStayInStep) {
  THeadlessHost host;
  TScopedHost scoped{host};
  TRenderGrafon owner, user, copy;
  for (TRenderGrafon* chart : {&owner, &user, &copy}) {
    chart->HandleNeeded();
    chart->SetAutoRedraw(false);
    chart->SetBounds(0, 0, 300, 250);
    chart->SetLayerRange(1, 0, -100, kDataWidth, 100);
  }
  TRandom rng(11);
  AddSeries(rng, owner, 5000, TDisorder{}, false);
  user.SetUseDataOf(&owner);
  AddSeries(rng, owner, 7000, TDisorder{}, false);  // seen by the user at once
  EXPECT_TRUE(SameBothWays(user, AreaOf(user)));
  user.SetUseDataOf(nullptr);  // keeps the items as they stand
  AddSeries(rng, owner, 3000, TDisorder{}, false);
  AddSeries(rng, user, 3000, TDisorder{}, false);
  EXPECT_TRUE(SameBothWays(user, AreaOf(user)));
  EXPECT_TRUE(SameBothWays(owner, AreaOf(owner)));
  copy.Assign(owner);
  copy.SetBounds(0, 0, 300, 250);
  copy.SetLayerRange(1, 100, -60, 700, 80);
  EXPECT_TRUE(SameBothWays(copy, AreaOf(copy)));
  AddSeries(rng, copy, 4000, TDisorder{}, false);
  EXPECT_TRUE(SameBothWays(copy, AreaOf(copy)));
}

}  // namespace
}  // namespace nox::test
