#pragma once
// The chart's renderer: the off-screen images a picture is composed in, the decoded background
// picture, the item renderer's state, and the painting steps the control's paint entry points and
// rendering hooks call: the control image composed in passes, the caption and the scales, the
// background picture, the item lists, single text labels and cross hairs.

#include <cstdint>
#include <optional>
#include <vector>

#include "chart/grafon_types.h"
#include "chart/render/item_render.h"
#include "chart/render/render_state.h"
#include "platform/bitmap.h"
#include "platform/geometry.h"
#include "platform/regular_file.h"

namespace nox {

class TCustomGrafon;

namespace detail {

class TItemList;

/// The painting of one chart; a part of TCustomGrafon that owns the painting state.
class TGrafonRenderer {
 public:
  explicit TGrafonRenderer(TCustomGrafon& chart) : m_chart(chart) {}

  /// off-screen images: the chart area, the whole control, the background picture file
  ///@{
  TBitmap& ChartImage() { return m_chartImage; }
  TBitmap& ControlImage() { return m_controlImage; }
  TBitmap& BackgroundPicture() { return m_backgroundPicture; }
  ///@}
  /// The device scale of the off-screen images.
  double ImageScale() const { return m_imageScale; }
  /// TCustomGrafon::SetImageDevice: the images' device scale and printer flag.
  void SetImageDevice(double scale, int printerPixelsPerInchY);

  /// A picture is being composed: event handlers run, and a repaint they ask for is only remembered.
  bool Composing() const { return m_composing; }
  /// While a picture is composed: remembers a repaint asked for, and returns true (then nothing is
  /// to be painted now).
  bool RepaintLater();
  /// Everything outside the chart area, the chart area's background, items and trace, into the
  /// control image.
  void ComposeControlImage();
  /// Composes the control image again while an event handler asked for a repaint during the last
  /// pass, a few passes at most; returns whether any handler asked.
  bool ComposeSettled();
  /// Paints only the chart area onto the screen (the whole control when a handler asked for more).
  void RefreshChartArea();

  /// Paint's steps: everything outside the chart area onto ControlImage's canvas (window
  /// background, shadow, caption, then the mapping and the 32 scales); the cross hairs drawn into
  /// image, which lies at (x, y) in control pixels, and image copied onto canvas there (the control's
  /// own canvas through CopyToScreen, which keeps rubber figures on screen).
  ///@{
  void RenderControlFrame(TCanvas& canvas);
  void ComposeOverlays(int x, int y, TCanvas& canvas, TBitmap& image);
  ///@}
  /// The caption above the chart area, and the 32 hosted scales, onto the control image's canvas.
  void DrawCaption(TCanvas& canvas);
  void PaintScales(TCanvas& canvas);

  /// TCustomGrafon's RenderBackground: the chart area's background on canvas, the area running from
  /// (left, top) to (left + width, top + height), a negative size counting as 0: ChartColor framed
  /// in ChartFrameColor, then the BackGroundImg picture (read from its file every time; at its own
  /// size, stretched, or tiled from the area's corner; clipped to the area) or else the AreaMode
  /// rectangles in AreaColor (bounds mapped with the current layer; a rectangle that needs a NaN
  /// bound is left out). A file that cannot be loaded leaves ChartColor in the frame and clears the
  /// name, whose change handler may repaint (a paint inside this one); nothing is thrown.
  void DrawBackground(TCanvas& canvas, int left, int top, int width, int height);
  /// TCustomGrafon's RenderData: everything inside the chart area, with its top left corner at
  /// (offsetX, offsetY) on canvas: the grid (unless noGrid is non-zero), the data list and the
  /// annotation list (in the order the annotation switches give; items drawn as item_render.h says,
  /// monochrome in black on silver), the text labels, and the frame line round the area in
  /// ChartFrameColor. OnBeforeRenderData and OnDataRendered bracket it; OnBeforeRenderChartItem and
  /// OnBeforeRenderText may change the copy of an item, or the text, about to be drawn.
  void DrawChartArea(TCanvas& canvas, int offsetX, int offsetY, bool monochrome, int noGrid);

  /// Steps of RenderData and Paint. (offsetX, offsetY): where the chart area's top left corner lies
  /// on the canvas.
  /// The grid of the current layer by GridStyle in GridColor, at the positions GridPositions gives
  /// (at most 1000 lines each way, 1000 points in all); the pen ends solid.
  void DrawGrid(TCanvas& canvas, int offsetX, int offsetY);
  /// The grid position after Current along the x axis (IsY False) or the y axis of the current
  /// layer; N is the number of the position to come (2 for the second). Step 0 gives the N-th tick
  /// of the axis' scale control, or the larger range bound when N lies outside 1..NumTicks.
  double NextGridPosition(bool IsLog, int N, bool IsY, double Step, double Current) const;
  /// Where DrawGrid puts the vertical lines (IsY False) or the horizontal lines, in world units
  /// (the rules in grid_positions.h); with step 0 the scale control's ticks within the range, in
  /// increasing order.
  std::vector<double> GridPositions(bool IsY) const;
  /// Text labels 50 down to 1 (label 1 on top), those shown: Mode not tlOff, Visible, layer visible.
  /// A label whose PosX or PosY is NaN or infinite is left out; anchors are limited to +-30000
  /// pixels as item pixels are. Unattached coordinates are control pixels.
  void DrawTextLabels(TCanvas& canvas, int offsetX, int offsetY);
  /// Cross hairs 4 down to 1 (cross hair 1 on top) onto image, whose top left corner lies at (x, y)
  /// in control pixels; each line only where the cross hair lies inside the chart area (a NaN or
  /// infinite position is never inside; a negative LineWid draws like 0). The image's pen colour,
  /// width and style and its brush style come back afterwards.
  void DrawCrossHairs(int x, int y, TBitmap& image);
  /// The mouse trace onto image with the chart area's top left corner at (x, y) on it; the segments
  /// at a point that is NaN or infinite are left out. Pen and brush come back as for cross hairs.
  void DrawMouseTrace(int x, int y, TBitmap& image);

  /// The mapping of the 16 layers as the item renderer reads it.
  TLayerPixelTable LayerPixelTable() const;
  /// Draws the visible items of a list whose stored kind `select` accepts.
  void RenderItemList(TItemRenderer& renderer, const TItemList& list, bool isAnnotation,
                      bool (*select)(std::uint8_t));
  void RenderAnnotations(TItemRenderer& renderer);

  /// Loads the background picture and draws it into area; false when the file cannot be loaded.
  bool DrawBackgroundPicture(TCanvas& canvas, const TRect& area);
  /// Decodes the background picture file into BackgroundPicture unless it holds that file as it is
  /// now; throws what loading throws.
  void LoadBackgroundPicture();
  /// The AreaMode rectangles in AreaColor.
  void DrawBackgroundArea(TCanvas& canvas, const TRect& area);
  /// The canvas pixel of a world point of a layer: its control pixel, each coordinate limited to
  /// -30000..30000 as item pixels are, moved by (dx, dy) (the sum saturating at the int range).
  TPoint ShiftedPixel(int layer, double x, double y, int dx, int dy) const;
  void DrawTextLabel(TCanvas& canvas, const TTextLabel& label, int offsetX, int offsetY);
  void DrawCrossHair(TCanvas& canvas, const TCrossHair& hair, int x, int y);

 private:
  TCustomGrafon& m_chart;
  TBitmap m_chartImage;                         ///< the chart area
  TBitmap m_controlImage;                       ///< the whole control, composed before it reaches the screen
  TBitmap m_backgroundPicture;                  ///< the background picture file, decoded when it has changed
  std::optional<TFileStamp> m_backgroundStamp;  ///< the file as it was decoded; none: nothing decoded
  TRenderState m_renderState;
  double m_imageScale = 1.0;    ///< device scale of the off-screen images
  bool m_composing = false;     ///< a picture is being composed: repaints are only remembered
  bool m_repaintAsked = false;  ///< a repaint was asked for while composing
};

}  // namespace detail

}  // namespace nox
