#pragma once
// The chart's renderer: the off-screen images a picture is composed in, the decoded background
// picture, the item renderer's state, and the painting steps the control's paint entry points and
// rendering hooks call: the control image composed in passes, the caption and the scales, the
// background picture, the item lists, single text labels and cross hairs.

#include <cstdint>
#include <optional>

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
  /// The item renderer's attribute cache, polyline and mark map.
  TRenderState& RenderState() { return m_renderState; }
  /// The device scale of the off-screen images.
  double ImageScale() const { return m_imageScale; }
  /// TCustomGrafon::SetImageDevice: the images' device scale and printer flag.
  void SetImageDevice(double scale, int printerPixelsPerInchY);

  /// A picture is being composed: event handlers run, and a repaint they ask for only is remembered.
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

  /// The caption above the chart area, and the 32 hosted scales, onto the control image's canvas.
  void DrawCaption(TCanvas& canvas);
  void PaintScales(TCanvas& canvas);

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
