#pragma once
// Set-up of the rendering tests: a chart whose chart area is 200 x 200 pixels (plus the frame's
// row and column) with layer 1 mapping world units 1:1 onto it, x = 0..200 left to right and
// y = 0..200 bottom to top, and helpers to add items of any kind and render them.

#include <gtest/gtest.h>

#include <string>

#include "chart/Nox_grafon.h"
#include "platform/host.h"
#include "support/pixel_helpers.h"

namespace nox::test {

class TRenderGrafon : public TGrafon {
 public:
  explicit TRenderGrafon(TComponent* owner = nullptr) : TGrafon(owner) {}
  using TCustomGrafon::AppendChartItem;
  using TCustomGrafon::ChartImage;
  using TCustomGrafon::ControlImage;
  using TCustomGrafon::RenderData;
  using TCustomGrafon::RenderDataToBitmap;
  using TCustomGrafon::SetLongText;
};

// An item of a kind on layer 1 with a pen, class 0 and a fill; the rest zero.
inline TgfChartItem Item(TgfItemKind kind, double x1, double y1, double x2 = 0, double y2 = 0) {
  TgfChartItem item;
  item.Kind = kind;
  item.Layer = 1;
  item.X1 = x1;
  item.Y1 = y1;
  item.X2 = x2;
  item.Y2 = y2;
  item.Color = clBlack;
  item.FillColor = clSilver;
  item.LineWidth = 1;
  return item;
}

class RenderTest : public ::testing::Test {
 protected:
  static constexpr int kArea = 200;  // chart area extent, pixels and world units

  RenderTest() {
    chart.HandleNeeded();
    chart.SetMarginLeft(50);
    chart.SetMarginRight(30);
    chart.SetMarginTop(20);
    chart.SetMarginBottom(40);
    chart.SetBounds(0, 0, 50 + kArea + 30, 20 + kArea + 40);
    chart.SetLayerRange(1, 0, 0, kArea, kArea);
  }

  // Adds an item to the data list, or with CoordMode to the annotation list.
  void Add(const TgfChartItem& item) { chart.AppendChartItem(item); }
  void Annotate(const TgfChartItem& item) {
    chart.SetAnnotationMode(true);
    chart.AppendChartItem(item);
    chart.SetAnnotationMode(false);
  }

  // Renders the lists into a white image of the chart area's size and returns it; the frame line
  // round the area (ChartFrameColor) is drawn in its outer row and column.
  const TBitmap& Render() {
    image.SetSize(kArea + 1, kArea + 1);
    image.Fill(clWhite);
    chart.RenderDataToBitmap(image, 0, 0, false, 0);
    return image;
  }

  THeadlessHost host;
  TScopedHost scoped{host};
  TRenderGrafon chart;
  TBitmap image;
};

// Canvas y of a world y of the fixture's layer 1.
constexpr int PixelY(int worldY) { return 200 - worldY; }

}  // namespace nox::test
