#pragma once
// The chart's own enumerations, its text label class, the mouse-trace record and its event types.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "base/Nox_noxbase.h"
#include "chart/model/chart_item.h"
#include "platform/canvas.h"
#include "platform/object.h"
#include "platform/ui_types.h"

namespace nox {

// The standard arrangements of margins, chart caption and the scales of layers 1..4.
enum TgfLayout : std::uint8_t {
  gfl_X1Bottom_Y1Left,
  gfl_X1Bottom_Y2Left,
  gfl_X1Bottom_Y3Left,
  gfl_X1Bottom_Y4Left,
  gfl_X1Bottom_Y2Both,
  gfl_X2Bottom_Y2Left,
  gfl_X2Both_Y2Both
};
constexpr int kgfLayoutCount = gfl_X2Both_Y2Both + 1;

// Where the chart caption's x (y) position is counted from.
enum TCaptionAnchorHoriz : std::uint8_t {
  cahControlLeft,
  cahChartLeft,
  cahChartCenter,
  cahChartRight,
  cahControlRight
};
enum TCaptionAnchorVert : std::uint8_t {
  cavControlTop,
  cavChartTop,
  cavChartCenter,
  cavChartBottom,
  cavControlBottom
};
constexpr int kCaptionAnchorHorizCount = cahControlRight + 1;
constexpr int kCaptionAnchorVertCount = cavControlBottom + 1;

// The grid drawn under the items.
enum GridStyleType : std::uint8_t {
  gsNone,
  gsPoints,
  gsVertLines,
  gsHorizLines,
  gsLines,
  gsHorizDotLines,
  gsVertDotLines,
  gsDotLines
};
constexpr int kGridStyleTypeCount = gsDotLines + 1;

// Which coordinates of a typed drawing operation are chart-area pixels (counted from the chart
// area's top left corner) instead of world units. An operation names the modes it takes; pixel
// modes are for annotations only (data items are always in world units).
enum TgfCoordMode : std::uint8_t {
  cmWorld,          // every coordinate in world units
  cmPixels,         // every coordinate in pixels
  cmFirstWorld,     // two points: the first in world units, the second in pixels
  cmFirstPixels,    // two points: the first in pixels, the second in world units
  cmPixelX,         // x in pixels, y in world units (one point, or both points of an arrow)
  cmPixelY          // x in world units, y in pixels (likewise)
};

// The head of an arrow: a filled triangle in the fill colour, or two lines.
enum TArrowHead : std::uint8_t { ahFilled, ahOpen };

// Background of new text items.
enum TTextBkg : std::uint8_t { tbClear, tbSolid };
constexpr int kTextBkgCount = tbSolid + 1;

// Which part of the chart area the background colour area covers (bounds in world coordinates).
enum TBGAreaMode : std::uint8_t {
  bamNone,
  bamLeft,
  bamRight,
  bamTop,
  bamBottom,
  bamVStripe,
  bamHStripe,
  bamRect,
  bamRectInv,
  bamVStripeInv,
  bamHStripeInv
};
constexpr int kBGAreaModeCount = bamHStripeInv + 1;

// A text label of the chart; the settings object with nothing added.
class TTextLabel : public TCustomTextLabel {
 public:
  std::string_view ClassName() const override { return "TTextLabel"; }
};

// One point of the freehand mouse trace.
struct TMouseTracePoint {
  double X = 0;             // world x in the chart's current layer
  double Y = 0;             // world y in the chart's current layer
  std::uint16_t Flags = 0;  // kTraceStrokeEnds, kTraceDrawnXor
  TColor Color = 0;         // pen colour of the segment ending here
  friend bool operator==(const TMouseTracePoint&, const TMouseTracePoint&) = default;
};
constexpr int kMaxTracePoints = 5000;
constexpr std::uint16_t kTraceStrokeEnds = 1;  // no segment from this point to the next
constexpr std::uint16_t kTraceDrawnXor = 2;    // the segment ending at this point is drawn XOR

// The data point a value readout shows: its item, layer and world coordinates, and where it is drawn.
struct TgfItemHit {
  int Index = 0;  // in the data list (DataItems)
  int Layer = 0;  // 1..16
  double X = 0;   // world units of the layer
  double Y = 0;
  TPoint Pixel;   // control pixels
  friend bool operator==(const TgfItemHit&, const TgfItemHit&) = default;
};

// Event types of the chart (Sender is the chart).
using TMouseMoveInChartEvent = std::function<void(TObject* Sender, bool InChart, TShiftState Shift,
                                                  double rMousePosX, double rMousePosY)>;
using TRenderEvent = std::function<void(TObject* Sender, TCanvas& Canvas, int Top, int Left)>;
using TBeforeRenderCItemEvent =
    std::function<void(TObject* Sender, TgfChartItem& ChartItem, int Index, bool IsAnnotation)>;
using TBeforeRenderTextEvent =
    std::function<void(TObject* Sender, std::string& Text, int Index, bool IsAnnotation)>;
using TBeforeCrossHMoveEvent =
    std::function<void(TObject* Sender, TCrossHair& WhichCrossHair, int dx, int dy, bool& AllowMove)>;
using TCrossHairMoveEvent = std::function<void(TObject* Sender, TCrossHair& WhichCrossHair)>;
using TTextLabelMoveEvent = std::function<void(TObject* Sender, TTextLabel& WhichTextLabel)>;
// Hit: the point now under the pointer, or none.
using TItemHoverEvent = std::function<void(TObject* Sender, const std::optional<TgfItemHit>& Hit)>;

}  // namespace nox
