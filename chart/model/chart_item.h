#pragma once
// The chart's display list: the drawing item record TgfChartItem, the item kinds and the long-text
// table (TLongTextArray); the lists that hold the items are series stores (series_store.h).
//
// TgfChartItem is handed by reference to event handlers, so its field order, widths and offsets are
// part of the public interface; the static_asserts below pin them.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/color.h"
#include "platform/pen.h"

namespace nox {

// What an item draws. Codes 0, 10 and 11 have no name and are never drawn; the Kind field may
// hold any byte.
enum TgfItemKind : std::uint8_t {
  ikMark = 1,         // a mark of type Param3 centred at X1,Y1
  ikLine = 2,         // a line from X1,Y1 to X2,Y2
  ikLineTo = 3,       // a line from the pen position to X1,Y1; the pen stays there
  ikRect = 4,         // rectangle X1,Y1 - X2,Y2, filled with FillColor unless Flag
  ikFrame3D = 5,      // filled rectangle framed in FrameColor1/FrameColor2; Style is a TFrameStyle
  ikBar3D = 6,        // bar X1,Y1 - X2,Y2 receding at angle Param1 with depth Param2
  ikText = 7,         // text at X1,Y1
  ikMoveTo = 8,       // moves the pen to X1,Y1
  ikEllipse = 9,      // ellipse centred at X1,Y1 with half-axes X2,Y2 (world units)
  ikMoveRel = 12,     // moves the pen by X1,Y1 pixels
  ikLineRel = 13,     // draws from the pen position by X1,Y1 pixels
  ikArrow = 14,       // line X1,Y1 - X2,Y2 with one arrow head
  ikArrowBoth = 15,   // the same with heads at both ends
  ikTextOffset = 16,  // text at the world point X1,Y1 moved by X2,Y2 pixels
  ikPixelRect = 17,   // rectangle about X1,Y1, half sizes Param1 x Param2 pixels
  ikErrorBars = 18,   // error bars about X1,Y1 (|X2| below, |Y2| above), then a mark of type Param3
  ikWorldLine = 19,   // line X1,Y1 - X2,Y2 with both ends shifted by Param1, Param2 pixels
  ikArc = 20,         // arc of the ellipse about X1,Y1 (half-axes X2,Y2) from Param1/1e8 to Param2/1e8 rad
  ikDeltaLine = 21,   // line from the world point X1,Y1 to that point moved by X2,Y2 pixels
  ikVertLine = 22,    // vertical line at X1 across the chart area
  ikHorizLine = 23,   // horizontal line at Y1 across the chart area
  ikCrossMark = 24    // cross through the centre of the box X1 +- X2, Y1 +- Y2
};

// A length-prefixed string of at most 17 characters kept inside the record (no heap storage, so
// the record stays a plain value). A length byte above 17 reads as 17 characters.
struct TShortText {
  static constexpr int kCapacity = 17;

  std::uint8_t Length = 0;
  char Chars[kCapacity] = {};

  std::string_view View() const {
    return {Chars, std::min<std::size_t>(Length, static_cast<std::size_t>(kCapacity))};
  }
  // Stores the first 17 bytes of text; returns false when the text had to be cut.
  bool Assign(std::string_view text);
  friend bool operator==(const TShortText& a, const TShortText& b) { return a.View() == b.View(); }
};
static_assert(sizeof(TShortText) == 18);

// One drawing item. Coordinates are world units of the item's layer or pixels of the chart area,
// as CoordMode says:
//   two-point kinds: 0 both world, 1 both pixels, 2 first world and second pixels, 3 the reverse;
//   one-point kinds: 0 and 2 world, 1 and 3 pixels, 4 x pixels and y world, 5 x world and y pixels.
// Items of the data list always have CoordMode 0.
struct TgfChartItem {
  double X1 = 0;                 // x of the first point
  double Y1 = 0;                 // y of the first point
  double X2 = 0;                 // x of the second point, or a half-axis, size or offset
  double Y2 = 0;                 // y of the second point, likewise
  TColor Color = 0;              // pen and text colour (the chart's DataColor)
  TColor FillColor = 0;          // brush colour of the kinds that fill (the chart's FillColor)
  TColor FrameColor1 = 0;        // first frame colour of ikFrame3D
  TColor FrameColor2 = 0;        // second frame colour of ikFrame3D
  TPenStyle PenStyle = psSolid;  // the chart's PenStyle
  std::int32_t Attr = 0;         // the chart's item attribute; stored, never interpreted
  std::int32_t LineWidth = 0;    // pen width in pixels; text kinds: long-text index (<= 0: ShortText)
  std::uint8_t ItemClass = 0;    // class 0..255; hidden classes are not drawn
  TgfItemKind Kind{};            // what the item draws
  std::int32_t Layer = 0;        // layer 1..16 whose mapping places the item
  std::uint8_t Flag = 0;         // per-kind switch (clear brush, open arrow heads, ...)
  std::uint8_t Style = 0;        // per-kind style (frame style of ikFrame3D)
  TShortText ShortText;          // text of a text item when it fits
  std::int32_t Param1 = 0;       // text: font size; ikBar3D: angle; arrows: head length; ...
  std::int32_t Param2 = 0;       // text: opaque background when non-zero; ikBar3D: depth; ...
  std::int32_t Param3 = 0;       // ikMark, ikErrorBars: mark type; text: alignment 0 left 1 right 2 centre
  std::uint8_t CoordMode = 0;    // which coordinates are pixels (above)

  friend bool operator==(const TgfChartItem&, const TgfChartItem&) = default;
};

static_assert(offsetof(TgfChartItem, X1) == 0);
static_assert(offsetof(TgfChartItem, Y1) == 8);
static_assert(offsetof(TgfChartItem, X2) == 16);
static_assert(offsetof(TgfChartItem, Y2) == 24);
static_assert(offsetof(TgfChartItem, Color) == 32);
static_assert(offsetof(TgfChartItem, FillColor) == 36);
static_assert(offsetof(TgfChartItem, FrameColor1) == 40);
static_assert(offsetof(TgfChartItem, FrameColor2) == 44);
static_assert(offsetof(TgfChartItem, PenStyle) == 48);
static_assert(offsetof(TgfChartItem, Attr) == 52);
static_assert(offsetof(TgfChartItem, LineWidth) == 56);
static_assert(offsetof(TgfChartItem, ItemClass) == 60);
static_assert(offsetof(TgfChartItem, Kind) == 61);
static_assert(offsetof(TgfChartItem, Layer) == 64);
static_assert(offsetof(TgfChartItem, Flag) == 68);
static_assert(offsetof(TgfChartItem, Style) == 69);
static_assert(offsetof(TgfChartItem, ShortText) == 70);
static_assert(offsetof(TgfChartItem, Param1) == 88);
static_assert(offsetof(TgfChartItem, Param2) == 92);
static_assert(offsetof(TgfChartItem, Param3) == 96);
static_assert(offsetof(TgfChartItem, CoordMode) == 100);
static_assert(sizeof(TgfChartItem) == 104);
static_assert(sizeof(TgfItemKind) == 1 && sizeof(TPenStyle) == 1);

// The texts of text items too long for ShortText, entries 1..50 (an item refers to one through its
// LineWidth field). Reading an index outside 1..50 gives the empty string; writing one is refused.
class TLongTextArray {
 public:
  static constexpr int kSize = 50;

  const std::string& operator[](int index) const;
  // Stores text at index; returns false (nothing stored) for an index outside 1..50.
  bool Set(int index, std::string text);
  void Clear();

  friend bool operator==(const TLongTextArray&, const TLongTextArray&) = default;

 private:
  std::array<std::string, kSize> m_entries;
};

}  // namespace nox
