#pragma once
// The chart's public API driven by a random sequence of calls, shared by the chart fuzz targets;
// each target picks the groups of operations it drives (its concern) and how much it may paint.
// The groups: ranges with any double through every range operation; items of every kind through
// the drawing and append operations (and render-event handlers that rewrite items as they are
// drawn); the axis property objects; the chart's properties; cross hairs, labels, background;
// size, window and mouse gestures with any coordinates; painting, data sharing with a second
// chart, Assign and PNG export; and the comparison of the fast line rendering with drawing item by
// item.
//
// The only exceptions the API may raise are ENoxGrafonError with one of the library's messages;
// anything else, a crash or a sanitizer report is a fault. After every call the chart must hold
// finite ranges on all layers, lists within their capacity, a bounded mouse trace and settings
// within their documented limits.
//
// Input: the control's first size, whether it redraws on every change and whether it has a window,
// then a sequence of operations, each a group byte, an operation byte and its arguments (read
// through TFuzzInput).
//
// Speed: a fuzzer learns from many short runs. Most inputs work on small controls and paint a few
// times; an input's run ends once it has painted the whole control as often as its target allows
// (TDriveSettings::MaxPaints) or its controls' areas summed over the operations exceed
// kMaxPixelsPerInput, so that inputs that make huge charts stay about as quick as the others.

#include <unistd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "chart/Nox_grafon.h"
#include "fuzz/fuzz_input.h"
#include "fuzz/fuzz_support.h"
#include "platform/host.h"

namespace nox::fuzz {

// Upper bound of the operations of one input: many short runs reach more in an hour than a few long
// ones, and every run builds a new chart first.
constexpr int kMaxOperations = 48;
// Areas of the controls summed over the operations (each may repaint them).
constexpr long long kMaxPixelsPerInput = 1LL << 21;
// Sizes up to kMaxSide are possible, now and then: every repaint of a large chart costs time that
// mostly finds nothing new.
constexpr int kMaxSide = 4096;

class TFuzzGrafon : public TGrafon {
 public:
  explicit TFuzzGrafon(TComponent* owner) : TGrafon(owner) {}
  using TCustomGrafon::AppendChartItem;
  using TCustomGrafon::AppendLineTo;
  using TCustomGrafon::AppendMark;
  using TCustomGrafon::AppendMoveTo;
  using TCustomGrafon::ApplyLayerRange;
  using TCustomGrafon::MouseTrace;
  using TCustomGrafon::PushZoomHistory;
  using TCustomGrafon::RenderDataToBitmap;
  using TCustomGrafon::ResetZoomHistory;
  using TCustomGrafon::SetJointRange;
  using TCustomGrafon::SetLongText;
};

inline void RewriteItem(TFuzzInput& in, TgfChartItem& item);

// A control side: small mostly, up to a screen's width now and then, up to kMaxSide rarely.
inline int Side(TFuzzInput& in) {
  const std::uint8_t kind = in.Byte();
  if (kind < 240) return in.IntIn(0, 160);
  return kind < 254 ? in.IntIn(0, 640) : in.IntIn(0, kMaxSide);
}

// How much an input may paint: the paints of a whole control (counted where its scales have been
// drawn) and the areas of the controls summed over the operations.
struct TPaintBudget {
  int MaxPaints;
  int Paints = 0;
  long long Pixels = 0;
  bool Spent() const { return Paints >= MaxPaints || Pixels > kMaxPixelsPerInput; }
};

struct TContext {
  TContext(TFuzzInput& in, TFuzzGrafon& chart, int maxPaints) : In(in), Chart(chart), Budget{maxPaints} {}

  // The second chart, for data sharing and Assign, made when an operation first needs it.
  TFuzzGrafon& Other() {
    if (!m_other) {
      m_other.emplace(nullptr);
      m_other->SetBounds(0, 0, Chart.Width(), Chart.Height());
      m_other->SetAutoRedraw(Chart.AutoRedraw());
      CountPaints(*m_other);
    }
    return *m_other;
  }
  long long Area() const {
    const long long area = static_cast<long long>(Chart.Width()) * Chart.Height();
    return m_other ? area + static_cast<long long>(m_other->Width()) * m_other->Height() : area;
  }
  // Once the budget is spent, changes no longer repaint, so that the operation under way ends soon.
  void CountPaints(TFuzzGrafon& g) {
    g.OnScalesRendered = [this](TObject*, TCanvas&, int, int) {
      if (++Budget.Paints < Budget.MaxPaints) return;
      Chart.SetAutoRedraw(false);
      if (m_other) m_other->SetAutoRedraw(false);
    };
  }

  TFuzzInput& In;
  TFuzzGrafon& Chart;
  TPaintBudget Budget;
  bool RewriteItems = false;

 private:
  std::optional<TFuzzGrafon> m_other;
};

// Layers 1..16 mostly, 0 (all layers) and the neighbours outside now and then.
inline int Layer(TFuzzInput& in) {
  return in.Byte() < 230 ? in.IntIn(1, kLayerCount) : in.IntIn(-1, kLayerCount + 1);
}

// A control coordinate: near the control mostly, any int now and then.
inline int Coordinate(TFuzzInput& in, int extent) {
  return in.Byte() < 224 ? in.IntIn(-20, extent + 20) : in.Int();
}

// Margins as charts have them mostly, any int (clamped by the setter) now and then.
inline int Margin(TFuzzInput& in) { return in.Byte() < 240 ? in.IntIn(-10, 300) : in.Int(); }

inline TColor Color(TFuzzInput& in) {
  return in.Bool() ? static_cast<TColor>(in.U32()) : static_cast<TColor>(in.U16());
}

inline TShiftState Shift(TFuzzInput& in) { return TShiftState::FromBits(in.Byte() & 0x7Fu); }

// --- ranges, history, confinement, joins ---
inline void RunRanges(TContext& c) {
  TFuzzInput& in = c.In;
  switch (in.Byte() % 10) {
    case 0: {
      const int layer = in.IntIn(-1, kLayerCount + 1);
      const double xl = in.Double(), yl = in.Double(), xh = in.Double(), yh = in.Double();
      c.Chart.SetLayerRange(layer, xl, yl, xh, yh);
      break;
    }
    case 1: {
      const int layer = Layer(in);
      const bool history = in.Bool(), confine = in.Bool();
      const double xl = in.Double(), yl = in.Double(), xh = in.Double(), yh = in.Double();
      c.Chart.SetJointRange(layer, history, confine, xl, yl, xh, yh);
      break;
    }
    case 2: {
      const int layer = Layer(in);
      const bool history = in.Bool(), confine = in.Bool();
      const double xl = in.Double(), yl = in.Double(), xh = in.Double(), yh = in.Double();
      c.Chart.ApplyLayerRange(layer, history, confine, xl, yl, xh, yh);
      break;
    }
    case 3:
      c.Chart.RecallZoom(in.IntIn(-17, 2));
      break;
    case 4: {
      const double xl = in.Double(), yl = in.Double(), xh = in.Double(), yh = in.Double();
      c.Chart.SetConfinement(xl, yl, xh, yh);
      break;
    }
    case 5:
      c.Chart.SetConfinement(0, 0, 0, 0);
      break;
    case 6: {
      const int layer = in.IntIn(0, kLayerCount + 1);
      const int destination = in.IntIn(-1, kLayerCount + 1);
      if (in.Bool()) {
        c.Chart.JointLayers().SetXControlledBy(layer, destination);
      } else {
        c.Chart.JointLayers().SetYControlledBy(layer, destination);
      }
      break;
    }
    case 7:
      c.Chart.SetIsometric(in.Bool());
      break;
    case 8:
      c.Chart.PushZoomHistory();
      break;
    default:
      c.Chart.ResetZoomHistory();
      break;
  }
}

// --- items and the current pen ---
inline void RunItems(TContext& c) {
  TFuzzInput& in = c.In;
  // The second chart now and then: building it costs as much as the run of a small input.
  TFuzzGrafon& g = in.Byte() < 248 ? c.Chart : c.Other();
  switch (in.Byte() % 14) {
    case 0: {
      const int x = in.Int(), y = in.Int();
      g.MoveToPoint(x, y);
      break;
    }
    case 12: {
      // Any kind with any fields, as the append operation of the kinds without a drawing operation
      // of their own takes it.
      TgfChartItem item;
      item.X1 = in.Double();
      item.Y1 = in.Double();
      item.Color = Color(in);
      item.FillColor = Color(in);
      item.FrameColor1 = Color(in);
      item.FrameColor2 = Color(in);
      item.ItemClass = in.Byte();
      RewriteItem(in, item);
      g.AppendChartItem(item);
      break;
    }
    case 13: {
      const int index = in.IntIn(-1, TLongTextArray::kSize + 1);
      g.SetLongText(index, in.Text(120));
      break;
    }
    case 1: {
      const int x = in.Int();
      g.LineToPoint(x, in.Double());
      break;
    }
    case 2: {
      const int mark = in.Int();
      const double x = in.Double();
      g.AddMark(mark, x, in.Double());
      break;
    }
    case 3: {
      // A run of points, as a data series is fed in.
      const int count = in.IntIn(1, 500);
      const double x0 = in.Double(), dx = in.Double(), y0 = in.Double(), dy = in.Double();
      const int mark = in.Byte() % 60;
      for (int i = 0; i < count; ++i) {
        if (mark < 52) {
          // Now and then in another colour, so that stretches of marks change colour.
          if (in.Byte() >= 240) g.SetDataColor(Color(in));
          g.AddMark(mark, x0 + i * dx, y0 + (i % 7) * dy);
        } else if (mark < 56) {
          g.LineToPoint(i, y0 + (i % 7) * dy);
        } else {
          // Steps of any size in both directions, so that points share pixel columns or not.
          g.AppendLineTo(0, x0 + i * dx, y0 + (in.Byte() - 128) * dy);
        }
      }
      break;
    }
    case 4: {
      const std::uint8_t mode = in.Byte();
      const double x = in.Double();
      g.AppendMoveTo(mode, x, in.Double());
      break;
    }
    case 5: {
      const std::uint8_t mode = in.Byte();
      const double x = in.Double();
      g.AppendLineTo(mode, x, in.Double());
      break;
    }
    case 6: {
      const std::uint8_t mark = in.Byte();
      const double x = in.Double();
      g.AppendMark(mark, x, in.Double());
      break;
    }
    case 7:
      g.SetAnnotationMode(in.Bool());
      break;
    case 8:
      g.SetCurrentLayer(in.IntIn(-1, kLayerCount + 1));
      break;
    case 9:
      switch (in.Byte() % 7) {
        case 0:
          g.SetDataColor(Color(in));
          break;
        case 1:
          g.SetFillColor(Color(in));
          break;
        case 2:
          g.SetPenStyle(in.Enum<TPenStyle>(psInsideFrame + 1));
          break;
        case 3:
          g.SetLineWidth(in.Byte());
          break;
        case 4:
          g.SetClassDefault(in.Byte());
          break;
        case 5:
          g.SetAllocSize(in.Int());
          break;
        default:
          g.SetItemAttribute(static_cast<std::int32_t>(in.U32()));
          break;
      }
      break;
    case 10: {
      const std::uint8_t itemClass = in.Byte();
      const bool visible = in.Bool();
      switch (in.Byte() % 3) {
        case 0:
          g.SetDataClassVisible(itemClass, visible);
          break;
        case 1:
          g.SetAnnotationClassVisible(itemClass, visible);
          break;
        default:
          g.SetLayerVisible(in.IntIn(-1, kLayerCount + 1), visible);
          break;
      }
      break;
    }
    default:
      switch (in.Byte() % 4) {
        case 0:
          g.SetAnnotationsUnderData(in.Bool());
          break;
        case 1:
          g.SetShowAnnotations(in.Bool());
          break;
        case 2:
          g.SetAnnotationTextsOnTop(in.Bool());
          break;
        default:
          g.ShowItems();
          break;
      }
      break;
  }
}

// --- the series store's calls, the typed item operations and the value readout ---
// A list of n values: steps of any size, now and then a NaN or an infinity among them.
inline std::vector<double> Values(TFuzzInput& in, int n) {
  std::vector<double> values(static_cast<std::size_t>(n));
  double v = in.Double();
  const double step = in.Double();
  for (double& value : values) {
    const std::uint8_t b = in.Byte();
    v = b < 250 ? v + step * (b - 128) / 64 : in.Double();
    value = v;
  }
  return values;
}

// The point a value readout must find, by looking at every item.
inline std::optional<TgfItemHit> NearestByScan(const TFuzzGrafon& g, int x, int y, int radius) {
  std::optional<TgfItemHit> best;
  if (radius < 0) return best;
  const std::int64_t right = std::int64_t{g.Width()} - g.MarginRight() - g.ShadowWidth();
  const std::int64_t bottom = std::int64_t{g.Height()} - g.MarginBottom() - g.ShadowWidth();
  std::int64_t bound = std::int64_t{radius} * radius;
  for (int i = 0; i < g.DataCount(); ++i) {
    const TgfChartItem item = g.DataItems()[static_cast<std::size_t>(i)];
    const bool world = item.Kind == ikMark ? item.CoordMode == 0
                                           : (item.Kind == ikLineTo || item.Kind == ikMoveTo) &&
                                                 (item.CoordMode == 0 || item.CoordMode == 2);
    if (!world || !g.LayerVisible(item.Layer) || !g.DataClassVisible(item.ItemClass)) continue;
    int px = 0, py = 0;
    g.WorldToPixel(item.Layer, item.X1, item.Y1, px, py);
    if (px < g.MarginLeft() || px > right || py < g.MarginTop() || py > bottom) continue;
    if (std::abs(std::int64_t{px} - x) > radius || std::abs(std::int64_t{py} - y) > radius) continue;
    const std::int64_t d = (std::int64_t{px} - x) * (std::int64_t{px} - x) + (std::int64_t{py} - y) * (std::int64_t{py} - y);
    if (d > bound) continue;
    bound = d;
    best = TgfItemHit{i, item.Layer, item.X1, item.Y1, {px, py}};
  }
  return best;
}

inline void RunSeries(TContext& c) {
  TFuzzInput& in = c.In;
  TFuzzGrafon& g = c.Chart;
  switch (in.Byte() % 10) {
    case 0: {
      const double x = in.Double();
      g.MoveTo(x, in.Double());
      break;
    }
    case 1: {
      const double x = in.Double();
      g.LineTo(x, in.Double());
      break;
    }
    case 2:
    case 3: {
      // Short series mostly: every point costs time in the comparisons that follow.
      const int n = in.Byte() < 240 ? in.IntIn(0, 300) : in.IntIn(0, 3000);
      const std::vector<double> y = Values(in, n);
      const int before = g.DataCount() + g.AnnotationCount();
      try {
        if (in.Bool()) {
          const std::vector<double> x = Values(in, in.Byte() < 250 ? n : in.IntIn(0, 3000));
          g.AppendSeries(x, y);
        } else {
          const double x0 = in.Double();
          g.AppendSeries(x0, in.Double(), y);
        }
      } catch (const std::invalid_argument&) {
        Check(g.DataCount() + g.AnnotationCount() == before, "a refused series appended items");
      }
      break;
    }
    case 4:
      if (in.Bool()) {
        g.ClearData();
      } else {
        g.ClearAnnotations();
      }
      break;
    case 5: {
      const int before = g.DataCount();
      const int n = in.Byte() < 240 ? in.IntIn(-2, 600) : in.Int();
      g.RemoveFirstItems(n);
      Check(g.DataCount() == (n <= 0 ? before : std::max(before - n, 0)), "RemoveFirstItems removed a wrong count");
      break;
    }
    case 6:
      g.SetDataLimit(in.Byte() < 240 ? in.IntIn(-1, 2000) : in.Int());
      Check(g.DataLimit() == 0 || g.DataCount() <= g.DataLimit(), "more items kept than the data limit");
      break;
    case 7: {
      const double x1 = in.Double(), y1 = in.Double(), x2 = in.Double(), y2 = in.Double();
      const auto mode = static_cast<TgfCoordMode>(in.Byte() % 8);
      switch (in.Byte() % 12) {
        case 0:
          g.AddLine(x1, y1, x2, y2, mode);
          break;
        case 1:
          g.AddRect(x1, y1, x2, y2, mode);
          break;
        case 2:
          g.AddFilledRect(x1, y1, x2, y2, mode);
          break;
        case 3:
          g.AddArrowBoth(x1, y1, x2, y2, in.IntIn(-2, 40), in.Bool() ? ahFilled : ahOpen, mode);
          break;
        case 4:
          g.AddBar3D(x1, y1, x2, y2, in.Int(), in.Int());
          break;
        case 5:
          g.AddArc(x1, y1, x2, y2, in.Double(), in.Double());
          break;
        case 6:
          g.AddErrorBars(x1, y1, x2, y2, in.Bool(), in.Int());
          break;
        case 7:
          g.AddCrossMark(x1, y1, x2, y2, mode);
          break;
        case 8:
          g.AddVertLine(x1, mode);
          break;
        case 9:
          g.AddLineRel(x1, y1);
          break;
        case 10:
          g.AddTextOffset(x1, y1, x2, y2, in.Text(in.Byte() < 250 ? 40 : 400));
          break;
        default:
          g.AddText(x1, y1, in.Text(in.Byte() < 250 ? 40 : 400), mode);
          break;
      }
      break;
    }
    default: {
      // The readout finds what looking at every item finds; on small lists only, as the scan is slow.
      if (g.DataCount() > 5000) break;
      const int x = Coordinate(in, g.Width()), y = Coordinate(in, g.Height());
      const int radius = in.IntIn(-1, 20);
      Check(g.NearestDataItem(x, y, radius) == NearestByScan(g, x, y, radius),
            "the value readout differs from looking at every item");
      break;
    }
  }
}

// --- the axis property objects ---
inline void RunAxis(TContext& c) {
  TFuzzInput& in = c.In;
  const int layer = Layer(in);
  TScaleProps& props = in.Bool() ? static_cast<TScaleProps&>(c.Chart.ScaleXOf(layer))
                                 : static_cast<TScaleProps&>(c.Chart.ScaleYOf(layer));
  switch (in.Byte() % 14) {
    case 0:
      props.SetLogarithmic(in.Bool());
      break;
    case 1:
      props.SetRangeLow(in.Double());
      break;
    case 2:
      props.SetRangeHigh(in.Double());
      break;
    case 3:
      props.SetMinRange(in.Double());
      break;
    case 4:
      props.SetLabelType(in.Enum<TFigType>(kFigTypeCount));
      break;
    case 5:
      props.SetDecPlaces(in.Int());
      break;
    case 6:
      props.SetMinTicks(in.Int());
      break;
    case 7:
      props.SetShortTicks(in.Bool());
      break;
    case 8:
      props.SetVisible(in.Bool());
      break;
    case 9:
      props.SetScalePos(in.Int());
      break;
    case 10:
      props.SetCaption(in.Text(16));
      break;
    case 11:
      if (in.Bool()) {
        props.SetUserTickText(in.Text(24));
      } else {
        props.SetScaleInscript(in.Text(8));
      }
      break;
    case 12:
      props.Font().SetHeight(in.IntIn(-60, 60));
      break;
    default:
      if (in.Bool()) {
        c.Chart.ScaleXOf(layer).SetScaleLocation(in.Enum<TScaleLocationHoriz>(kScaleLocationHorizCount));
      } else {
        c.Chart.ScaleYOf(layer).SetScaleLocation(in.Enum<TScaleLocationVert>(kScaleLocationVertCount));
      }
      break;
  }
}

// --- the chart's own properties ---
inline void RunProperties(TContext& c) {
  TFuzzInput& in = c.In;
  TFuzzGrafon& g = c.Chart;
  switch (in.Byte() % 16) {
    case 0:
      g.SetMarginLeft(Margin(in));
      break;
    case 1:
      g.SetMarginRight(Margin(in));
      break;
    case 2:
      g.SetMarginTop(Margin(in));
      break;
    case 3:
      g.SetMarginBottom(Margin(in));
      break;
    case 4:
      g.SetShadowWidth(in.Int());
      break;
    case 5:
      g.SetShadowStyle(in.Enum<TShadowStyle>(ssBox + 1));
      break;
    case 6:
      g.SetGridStyle(in.Enum<GridStyleType>(kGridStyleTypeCount));
      break;
    case 7:
      if (in.Bool()) {
        g.SetGridDx(in.Double());
      } else {
        g.SetGridDy(in.Double());
      }
      break;
    case 8:
      g.SetMouseAction(in.Enum<TMouseActMode>(maZoomPanColors + 1));
      break;
    case 9:
      g.SetStandardLayout(in.Enum<TgfLayout>(kgfLayoutCount));
      break;
    case 10:
      g.SetAvoidDuplicateMarks(in.Bool());
      g.SetMinDupMarkDist(in.Int());
      break;
    case 11:
      switch (in.Byte() % 5) {
        case 0:
          g.SetCaption(in.Text(40));
          break;
        case 1:
          g.SetCaptionPosX(in.Int());
          g.SetCaptionPosY(in.Int());
          break;
        case 2:
          g.SetCaptionAnchorHoriz(in.Enum<TCaptionAnchorHoriz>(kCaptionAnchorHorizCount));
          g.SetCaptionAnchorVert(in.Enum<TCaptionAnchorVert>(kCaptionAnchorVertCount));
          break;
        case 3:
          g.SetCaptionAlignment(in.Enum<TAlignment>(taCenter + 1));
          break;
        default:
          g.SetCaptionTrim(in.Int());
          break;
      }
      break;
    case 12: {
      const double value = in.Double();
      switch (in.Byte() % 4) {
        case 0:
          g.SetPanGridDx(value);
          break;
        case 1:
          g.SetPanGridDy(value);
          break;
        case 2:
          g.SetPanGridOffsX(value);
          break;
        default:
          g.SetPanGridOffsY(value);
          break;
      }
      break;
    }
    case 13: {
      const int layer = in.IntIn(-1, kLayerCount + 1);
      g.SetLayerMouseActive(layer, in.Bool());
      break;
    }
    case 14:
      switch (in.Byte() % 6) {
        case 0:
          g.SetChartColor(Color(in));
          break;
        case 1:
          g.SetWindColor(Color(in));
          break;
        case 2:
          g.SetChartFrameColor(Color(in));
          break;
        case 3:
          g.SetGridColor(Color(in));
          break;
        case 4:
          g.SetMouseTraceColor(Color(in));
          g.SetMouseTraceInvert(in.Bool());
          break;
        default:
          g.SetTextBkStyle(in.Enum<TTextBkg>(kTextBkgCount));
          g.SetTextAlignment(in.Enum<TAlignment>(taCenter + 1));
          break;
      }
      break;
    default:
      switch (in.Byte() % 4) {
        case 0:
          g.SetAutoRedraw(in.Bool());
          break;
        case 1:
          g.SetVisible(in.Bool());
          break;
        case 2:
          g.SetMouseCursorFixed(in.Bool());
          break;
        default:
          g.Font().SetHeight(in.IntIn(-60, 60));
          break;
      }
      break;
  }
}

// --- cross hairs, text labels, background ---
inline void RunOverlays(TContext& c) {
  TFuzzInput& in = c.In;
  TFuzzGrafon& g = c.Chart;
  switch (in.Byte() % 3) {
    case 0: {
      TCrossHair& hair = g.CrossHair(in.IntIn(0, kCrossHairCount + 1));
      switch (in.Byte() % 6) {
        case 0:
          hair.SetPosX(in.Double());
          break;
        case 1:
          hair.SetPosY(in.Double());
          break;
        case 2:
          hair.SetMode(in.Enum<TCrossHMode>(chBox + 1));
          break;
        case 3:
          hair.SetLineWid(in.Int());
          break;
        case 4:
          hair.SetLayer(in.Int());
          break;
        default:
          hair.SetLineType(in.Enum<TPenStyle>(psInsideFrame + 1));
          hair.SetColor(Color(in));
          break;
      }
      break;
    }
    case 1: {
      TTextLabel& label = g.TextLabel(in.IntIn(0, kTextLabelCount + 1));
      switch (in.Byte() % 8) {
        case 0:
          label.SetPosX(in.Double());
          break;
        case 1:
          label.SetPosY(in.Double());
          break;
        case 2:
          label.SetCaption(in.Text(40));
          break;
        case 3:
          label.SetMode(in.Enum<TTxtLblMode>(tlShadow + 1));
          break;
        case 4:
          label.SetAttachToData(in.Enum<TTxtLblAttachMode>(tlamBoth + 1));
          label.SetLayer(in.Int());
          break;
        case 5:
          label.SetShadowDx(in.Int());
          label.SetShadowDy(in.Int());
          break;
        case 6:
          label.SetAlignment(in.Enum<TAlignment>(taCenter + 1));
          label.SetVerticalAlignment(in.Enum<TVerticalAlignment>(vaBottom + 1));
          label.SetTransparent(in.Bool());
          break;
        default: {
          TFont font;
          font.SetHeight(in.IntIn(-60, 60));
          label.SetFont(font);
          break;
        }
      }
      break;
    }
    default: {
      TBakGndImg& background = g.BackGroundImg();
      switch (in.Byte() % 5) {
        case 0:
          background.SetAreaMode(in.Enum<TBGAreaMode>(kBGAreaModeCount));
          break;
        case 1: {
          const double value = in.Double();
          switch (in.Byte() % 4) {
            case 0:
              background.SetAreaLeft(value);
              break;
            case 1:
              background.SetAreaRight(value);
              break;
            case 2:
              background.SetAreaTop(value);
              break;
            default:
              background.SetAreaBottom(value);
              break;
          }
          break;
        }
        case 2:
          background.SetFillMode(in.Enum<TBkgFill>(kBkgFillCount));
          break;
        case 3:
          background.SetAreaColor(Color(in));
          break;
        default:
          // A picture of the seed corpus, a file that does not exist, or none.
          background.SetIncludePath(true);
          switch (in.Byte() % 3) {
            case 0:
              background.SetName(NOX_FUZZ_DATA_DIR "/corpus/bmp_reader/rgb24_7x5.bmp");
              break;
            case 1:
              background.SetName(NOX_FUZZ_DATA_DIR "/corpus/no-such-picture.bmp");
              break;
            default:
              background.SetName("");
              break;
          }
          break;
      }
      break;
    }
  }
}

// --- size, window, mouse ---
inline void RunControl(TContext& c) {
  TFuzzInput& in = c.In;
  TFuzzGrafon& g = c.Chart;
  switch (in.Byte() % 11) {
    case 0: {
      const int left = in.Int(), top = in.Int();
      const int width = Side(in);
      g.SetBounds(left, top, width, Side(in));
      break;
    }
    case 1:
      g.HandleNeeded();
      break;
    case 2: {
      const auto button = in.Enum<TMouseButton>(mbMiddle + 1);
      const TShiftState shift = Shift(in);
      const int x = Coordinate(in, g.Width());
      g.DispatchMouseDown(button, shift, x, Coordinate(in, g.Height()));
      break;
    }
    case 3: {
      // A drag: a few moves in a row.
      const TShiftState shift = Shift(in);
      const int moves = in.IntIn(1, 8);
      for (int i = 0; i < moves; ++i) {
        const int x = Coordinate(in, g.Width());
        g.DispatchMouseMove(shift, x, Coordinate(in, g.Height()));
      }
      break;
    }
    case 4: {
      const auto button = in.Enum<TMouseButton>(mbMiddle + 1);
      const TShiftState shift = Shift(in);
      const int x = Coordinate(in, g.Width());
      g.DispatchMouseUp(button, shift, x, Coordinate(in, g.Height()));
      break;
    }
    case 5:
      g.DispatchDblClick();
      break;
    case 6:
      if (in.Bool()) {
        g.DispatchMouseEnter();
      } else {
        g.DispatchMouseLeave();
      }
      break;
    case 8:
      if (in.Bool()) {
        g.ArmRectPick();
      } else {
        g.ResetRectPick();
      }
      break;
    case 9:
      g.ClearMouseTrace();
      break;
    case 10: {
      double x = 0;
      double y = 0;
      g.LastMouseWorldPos(x, y);
      Check(std::isfinite(x) && std::isfinite(y), "the last mouse position is not finite");
      break;
    }
    default: {
      // The mapping both ways must give sane values for any point.
      const int layer = in.IntIn(-1, kLayerCount + 1);
      int px = 0;
      int py = 0;
      const double x = in.Double();
      g.WorldToPixel(layer, x, in.Double(), px, py);
      double wx = 0;
      double wy = 0;
      const int qx = in.Int();
      g.PixelToWorld(layer, qx, in.Int(), wx, wy);
      Check(std::isfinite(wx) && std::isfinite(wy), "PixelToWorld gave a value that is not finite");
      break;
    }
  }
}

inline const std::string& ScratchPngFile() {
  static const std::string path = [] {
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("nox-chart-fuzz-" + std::to_string(getpid()) + ".png");
    std::atexit([] { std::remove(ScratchPngFile().c_str()); });
    return file.string();
  }();
  return path;
}

// Line-to runs and stretches of marks drawn from their block summaries must give the pixels of
// drawing every item on its own, also when the render handler leaves the pen in XOR mode.
inline void CompareFastAndPlain(TFuzzGrafon& g, int offsetX, int offsetY, bool monochrome,
                                bool xorPen = false) {
  // Without the handlers that rewrite items and texts from the input: they would make the two
  // renderings differ, and an item handler sends every item the plain way.
  const auto itemHandler = std::exchange(g.OnBeforeRenderChartItem, nullptr);
  const auto textHandler = std::exchange(g.OnBeforeRenderText, nullptr);
  auto dataHandler = std::exchange(g.OnBeforeRenderData, nullptr);
  if (xorPen) g.OnBeforeRenderData = [](TObject*, TCanvas& canvas, int, int) { canvas.Pen().SetMode(pmXor); };
  TBitmap plain, fast;
  for (TBitmap* image : {&plain, &fast}) {
    g.SetFastLineRuns(image == &fast);
    image->SetSize(std::max(1, g.ChartAreaWidth() + 1), std::max(1, g.ChartAreaHeight() + 1));
    image->Fill(clWhite);
    g.RenderDataToBitmap(*image, offsetX, offsetY, monochrome, 0);
  }
  g.SetFastLineRuns(true);
  g.OnBeforeRenderChartItem = itemHandler;
  g.OnBeforeRenderText = textHandler;
  g.OnBeforeRenderData = std::move(dataHandler);
  Check(plain.Width() == fast.Width() && plain.Height() == fast.Height() &&
            std::equal(plain.Bits(), plain.Bits() + static_cast<std::size_t>(plain.Width()) * plain.Height(),
                       fast.Bits()),
        "runs drawn from block summaries differ from drawing item by item");
}

// --- the comparison at any offset, in colour or monochrome ---
inline void RunCompare(TContext& c) {
  const int offsetX = c.In.IntIn(-50, 50), offsetY = c.In.IntIn(-50, 50);
  const bool monochrome = c.In.Bool();
  CompareFastAndPlain(c.Chart, offsetX, offsetY, monochrome, c.In.Bool());
}

// --- painting, data sharing, Assign, export ---
inline void RunPaintAndSharing(TContext& c) {
  TFuzzInput& in = c.In;
  switch (in.Byte() % 11) {
    case 0:
      c.Chart.Repaint();
      break;
    case 1:
      c.Chart.SetPaintSuspended(in.Bool());
      break;
    case 2:
      c.RewriteItems = in.Bool();
      break;
    case 3:
      c.Chart.SetUseDataOf(in.Bool() ? static_cast<TCustomGrafon*>(&c.Other()) : nullptr);
      break;
    case 4:
      c.Other().SetUseDataOf(in.Bool() ? static_cast<TCustomGrafon*>(&c.Chart) : nullptr);
      break;
    case 5:
      c.Chart.SetUseDataOf(&c.Chart);
      break;
    case 6:
      if (in.Bool()) {
        c.Chart.Assign(c.Other());
      } else {
        c.Other().Assign(c.Chart);
      }
      break;
    case 7:
      c.Other().HandleNeeded();
      c.Other().Repaint();
      break;
    case 8:
      c.Chart.Loaded();
      break;
    case 9:
      RunCompare(c);
      break;
    default:
      // Export composes the picture whether or not the control can paint.
      c.Chart.SaveToPngFile(ScratchPngFile());
      break;
  }
}

using TGroup = void (*)(TContext&);

// Rewrites an item as it is about to be drawn into any kind with any parameters, so that every
// item kind reaches the renderer although the drawing operations add only marks, lines and moves.
inline void RewriteItem(TFuzzInput& in, TgfChartItem& item) {
  if (!in.Bool()) return;
  item.Kind = static_cast<TgfItemKind>(in.Byte() % 26);
  item.X2 = in.Double();
  item.Y2 = in.Double();
  item.Param1 = in.Int();
  item.Param2 = in.Int();
  item.Param3 = in.Int();
  item.CoordMode = static_cast<std::uint8_t>(in.Byte() % 7);
  item.Flag = in.Byte();
  item.Style = in.Byte();
  item.LineWidth = in.Byte() < 240 ? in.IntIn(-2, 60) : in.Int();
  item.Layer = in.IntIn(-1, kLayerCount + 1);
  item.PenStyle = in.Enum<TPenStyle>(psInsideFrame + 1);
  item.ShortText.Assign(in.Text(20));
  item.ShortText.Length = in.Byte() < 240 ? item.ShortText.Length : in.Byte();
}

inline void InstallHandlers(TContext& c) {
  c.Chart.OnBeforeRenderChartItem = [&c](TObject*, TgfChartItem& item, int, bool) {
    if (c.RewriteItems) RewriteItem(c.In, item);
  };
  c.Chart.OnBeforeRenderText = [&c](TObject*, std::string& text, int, bool) {
    if (c.RewriteItems) text = c.In.Text(30);
  };
  c.Chart.OnBeforeTickLabel = [&c](TObject*, TScaleType, double, std::string& label) {
    if (c.RewriteItems) label = c.In.Text(20);
  };
  c.Chart.OnBeforeCrossHairMove = [&c](TObject*, TCrossHair&, int, int, bool& allow) { allow = c.In.Bool(); };
}

// The library's messages: the joins, the logarithmic mapping, the item lists.
inline bool IsLibraryMessage(std::string_view message) {
  for (const std::string_view start :
       {"Destination layer ", "Layer ", "Logarithmic axis must not be negative.",
        "Item list cannot hold more than ", "Grafon: "}) {
    if (message.substr(0, start.size()) == start) return true;
  }
  return false;
}

inline bool Finite(const TScaleProps& props) {
  return std::isfinite(props.RangeLow()) && std::isfinite(props.RangeHigh());
}

inline void CheckChart(TFuzzGrafon& g) {
  for (int l = 1; l <= kLayerCount; ++l) {
    Check(Finite(g.ScaleXOf(l)) && Finite(g.ScaleYOf(l)), "a layer's range is not finite");
    Check(std::isfinite(g.ScaleControlX(l).RangeLow()) && std::isfinite(g.ScaleControlX(l).RangeHigh()) &&
              std::isfinite(g.ScaleControlY(l).RangeLow()) && std::isfinite(g.ScaleControlY(l).RangeHigh()),
          "a scale control's range is not finite");
  }
  Check(g.DataCount() >= 0 && static_cast<std::size_t>(g.DataCount()) <= g.DataItems().size(),
        "data count beyond the list's capacity");
  Check(
      g.AnnotationCount() >= 0 && static_cast<std::size_t>(g.AnnotationCount()) <= g.AnnotationItems().size(),
      "annotation count beyond the list's capacity");
  Check(g.MarginLeft() >= 0 && g.MarginLeft() <= kMaxMargin && g.MarginRight() >= 0 &&
            g.MarginRight() <= kMaxMargin && g.MarginTop() >= 0 && g.MarginTop() <= kMaxMargin &&
            g.MarginBottom() >= 0 && g.MarginBottom() <= kMaxMargin,
        "a margin outside 0..kMaxMargin");
  Check(g.ShadowWidth() >= 0 && g.ShadowWidth() <= 32, "shadow width outside 0..32");
  Check(g.MinDupMarkDist() >= 1 && g.MinDupMarkDist() <= 3, "MinDupMarkDist outside 1..3");
  Check(g.CaptionTrim() == 0 || (g.CaptionTrim() >= 5 && g.CaptionTrim() <= 100),
        "CaptionTrim outside its values");
  Check(g.AllocSize() >= 1 && g.AllocSize() <= 1000000, "AllocSize outside 1..1000000");
  Check(g.ClassDefault() != 255, "ClassDefault 255");
  Check(g.CurrentLayer() >= 1 && g.CurrentLayer() <= kLayerCount, "current layer outside 1..16");
  Check(g.DataUserCount() >= 0 && g.DataUserCount() <= kMaxDataUsers, "too many data users");
  Check(g.MouseTrace().size() <= static_cast<std::size_t>(kMaxTracePoints), "mouse trace beyond its limit");
}

// What a target drives: its groups of operations (an entry given twice is chosen twice as often),
// whether the control may have a window (without one nothing paints but export and the comparison),
// how many paints of the whole control an input may ask for, and whether the chart's items are
// drawn both ways and compared once the operations are done.
struct TDriveSettings {
  std::span<const TGroup> Groups;
  bool MayShow = true;
  int MaxPaints = 2;
  bool CompareAtEnd = false;
};

inline void DriveChart(TFuzzInput& in, const TDriveSettings& settings) {
  PrepareProcess();
  THeadlessHost host;
  TScopedHost scoped(host);

  TFuzzGrafon chart(nullptr);
  TContext c(in, chart, settings.MaxPaints);
  InstallHandlers(c);
  c.CountPaints(chart);
  const int width = Side(in);
  chart.SetBounds(0, 0, width, Side(in));
  // Redrawing on every change is the chart's default, but it makes an input paint at every step.
  chart.SetAutoRedraw(in.Byte() < 64);
  if (settings.MayShow && in.Bool()) chart.HandleNeeded();

  for (int n = 0; n < kMaxOperations && !in.Empty() && !c.Budget.Spent(); ++n) {
    const TGroup run = settings.Groups[in.Byte() % settings.Groups.size()];
    try {
      run(c);
    } catch (const ENoxGrafonError& e) {
      if (!IsLibraryMessage(e.what())) {
        std::fprintf(stderr, "unexpected message: %s\n", e.what());
        Fault("ENoxGrafonError with a message that is not the library's");
      }
    }
    CheckChart(chart);
    Check(static_cast<int>(chart.ZoomHistory().WritePosition()) >= 1 &&
              chart.ZoomHistory().WritePosition() <= detail::TZoomHistory::kSlots,
          "zoom history position outside 1..16");
    c.Budget.Pixels += c.Area();
  }
  if (settings.CompareAtEnd) CompareFastAndPlain(chart, 0, 0, false);
}

}  // namespace nox::fuzz
