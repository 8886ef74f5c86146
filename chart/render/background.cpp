// The chart area's background: ChartColor with the chart frame colour round it, then either the
// background picture (its file looked at in every paint and decoded again only when it has
// changed; drawn at its own size, stretched or tiled) or a coloured area bounded by world
// coordinates of the current layer.

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <cstring>
#include <exception>
#include <span>

#include "chart/Nox_grafon.h"

namespace nox {

namespace {

// The edges a background rectangle is made of: those of the chart area and the mapped area bounds.
enum TAreaEdge : std::uint8_t { aeLeft, aeTop, aeRight, aeBottom, aeX1, aeY1, aeX2, aeY2 };
constexpr int kAreaEdgeCount = aeY2 + 1;

struct TAreaRect {
  TAreaEdge Left, Top, Right, Bottom;
};

// The rectangles each area mode fills with AreaColor.
std::span<const TAreaRect> AreaRects(TBGAreaMode mode) {
  static constexpr TAreaRect kLeft[] = {{aeLeft, aeTop, aeX1, aeBottom}};
  static constexpr TAreaRect kRight[] = {{aeX2, aeTop, aeRight, aeBottom}};
  static constexpr TAreaRect kTop[] = {{aeLeft, aeTop, aeRight, aeY1}};
  static constexpr TAreaRect kBottom[] = {{aeLeft, aeY2, aeRight, aeBottom}};
  static constexpr TAreaRect kVStripe[] = {{aeX1, aeTop, aeX2, aeBottom}};
  static constexpr TAreaRect kHStripe[] = {{aeLeft, aeY1, aeRight, aeY2}};
  static constexpr TAreaRect kRect[] = {{aeX1, aeY1, aeX2, aeY2}};
  static constexpr TAreaRect kRectInv[] = {{aeLeft, aeTop, aeRight, aeY1},
                                           {aeLeft, aeY2, aeRight, aeBottom},
                                           {aeLeft, aeTop, aeX1, aeBottom},
                                           {aeX2, aeTop, aeRight, aeBottom}};
  static constexpr TAreaRect kVStripeInv[] = {{aeLeft, aeTop, aeX1, aeBottom},
                                              {aeX2, aeTop, aeRight, aeBottom}};
  static constexpr TAreaRect kHStripeInv[] = {{aeLeft, aeTop, aeRight, aeY1},
                                              {aeLeft, aeY2, aeRight, aeBottom}};
  switch (mode) {
    case bamLeft:
      return kLeft;
    case bamRight:
      return kRight;
    case bamTop:
      return kTop;
    case bamBottom:
      return kBottom;
    case bamVStripe:
      return kVStripe;
    case bamHStripe:
      return kHStripe;
    case bamRect:
      return kRect;
    case bamRectInv:
      return kRectInv;
    case bamVStripeInv:
      return kVStripeInv;
    case bamHStripeInv:
      return kHStripeInv;
    default:
      return {};
  }
}

// Copies picture into the part of area that lies on target: repeated from area's top left corner
// when tiled, once otherwise. One pass over the covered pixels, however small the picture: a tiled
// row repeats the row one picture height above it.
void CopyPicture(TBitmap& target, const TRect& area, const TBitmap& picture, bool tiled) {
  if (picture.Empty()) return;
  const long long pw = picture.Width();
  const long long ph = picture.Height();
  long long right = std::min<long long>(area.Right, target.Width());
  long long bottom = std::min<long long>(area.Bottom, target.Height());
  if (!tiled) {
    right = std::min(right, area.Left + pw);
    bottom = std::min(bottom, area.Top + ph);
  }
  const long long left = std::max<long long>(area.Left, 0);
  const long long top = std::max<long long>(area.Top, 0);
  if (left >= right) return;
  const auto bytes = static_cast<std::size_t>(right - left) * sizeof(std::uint32_t);
  for (long long y = top; y < bottom; ++y) {
    std::uint32_t* to = target.ScanLine(static_cast<int>(y));
    if (y - ph >= top) {
      std::memcpy(to + left, target.ScanLine(static_cast<int>(y - ph)) + left, bytes);
      continue;
    }
    const std::uint32_t* from = picture.ScanLine(static_cast<int>((y - area.Top) % ph));
    long long column = (left - area.Left) % pw;
    for (long long x = left; x < right; ++x) {
      to[x] = from[column];
      if (++column == pw) column = 0;
    }
  }
}

}  // namespace

void detail::TGrafonRenderer::DrawBackground(TCanvas& canvas, int left, int top, int width, int height) {
  // A negative size is an empty area (the canvas would sort the corners and draw it mirrored).
  const auto edge = [](int from, int size) {
    return static_cast<int>(std::min<long long>(static_cast<long long>(from) + std::max(size, 0), INT_MAX));
  };
  const TRect area{left, top, edge(left, width), edge(top, height)};
  canvas.Pen().SetStyle(psSolid);
  canvas.Pen().SetMode(pmCopy);
  canvas.Brush().SetColor(m_chart.m_chartColor);
  canvas.Brush().SetStyle(bsSolid);
  canvas.Pen().SetColor(m_chart.m_chartFrameColor);
  if (!m_chart.m_backGroundImg.Name().empty()) {
    if (!DrawBackgroundPicture(canvas, area)) {
      canvas.Rectangle(area);
      // Not reported: the name is cleared, so later paints do not try again. The change handler
      // repaints if automatic, a paint inside this one.
      m_chart.m_backGroundImg.SetName("");
    }
    return;
  }
  canvas.Rectangle(area);
  DrawBackgroundArea(canvas, area);
}

void detail::TGrafonRenderer::LoadBackgroundPicture() {
  // A paint must never wait: only a regular file is looked at (a FIFO or a device is refused
  // unopened). Another file in its place, a new size or a new modification time means new content.
  const TFileStamp stamp = RegularFileStamp(m_chart.m_backGroundImg.Name());
  if (m_backgroundStamp == stamp) return;
  m_backgroundStamp.reset();
  m_backgroundPicture.LoadFromFile(m_chart.m_backGroundImg.Name());
  m_backgroundStamp = stamp;
}

bool detail::TGrafonRenderer::DrawBackgroundPicture(TCanvas& canvas, const TRect& area) {
  try {
    LoadBackgroundPicture();
  } catch (const std::exception&) {
    // A missing, unreadable or broken file, not a regular file, or one too large to hold.
    return false;
  }
  // At another device scale the picture is copied in device pixels, enlarged (or reduced) first.
  TBitmap scaled;
  const TBitmap* picture = &m_backgroundPicture;
  if (canvas.DeviceScale() != 1.0 && m_chart.m_backGroundImg.FillMode() != bfStretch) {
    const TRect size = canvas.DeviceRect({0, 0, m_backgroundPicture.Width(), m_backgroundPicture.Height()});
    try {
      scaled.SetSize(std::max(size.Right, 1), std::max(size.Bottom, 1));
      scaled.Canvas().StretchDraw({0, 0, scaled.Width(), scaled.Height()}, m_backgroundPicture);
      picture = &scaled;
    } catch (const EInvalidGraphic&) {
      // Too large once enlarged: copied as it is.
    }
  }
  switch (m_chart.m_backGroundImg.FillMode()) {
    case bfSimple:
      canvas.Rectangle(area);
      CopyPicture(canvas.Target(), canvas.DeviceRect(area), *picture, false);
      break;
    case bfStretch:
      canvas.StretchDraw(area, m_backgroundPicture);
      break;
    case bfTile:
      CopyPicture(canvas.Target(), canvas.DeviceRect(area), *picture, true);
      break;
  }
  return true;
}

void detail::TGrafonRenderer::DrawBackgroundArea(TCanvas& canvas, const TRect& area) {
  const TBakGndImg& bg = m_chart.m_backGroundImg;
  const std::span<const TAreaRect> rects = AreaRects(bg.AreaMode());
  if (rects.empty()) return;
  canvas.Pen().SetColor(bg.AreaColor());
  canvas.Brush().SetColor(bg.AreaColor());
  const int dx = area.Left - m_chart.m_marginLeft;
  const int dy = area.Top - m_chart.m_marginTop;
  const TPoint p1 = ShiftedPixel(m_chart.m_items.Pen.Layer, bg.AreaLeft(), bg.AreaTop(), dx, dy);
  const TPoint p2 = ShiftedPixel(m_chart.m_items.Pen.Layer, bg.AreaRight(), bg.AreaBottom(), dx, dy);
  const std::array<int, kAreaEdgeCount> at{area.Left, area.Top, area.Right, area.Bottom,
                                           p1.X,      p1.Y,     p2.X,       p2.Y};
  // A bound that is NaN has no place: the rectangles that need it are left out.
  const std::array<bool, kAreaEdgeCount> known{true,
                                               true,
                                               true,
                                               true,
                                               !std::isnan(bg.AreaLeft()),
                                               !std::isnan(bg.AreaTop()),
                                               !std::isnan(bg.AreaRight()),
                                               !std::isnan(bg.AreaBottom())};
  for (const TAreaRect& r : rects) {
    if (known[r.Left] && known[r.Top] && known[r.Right] && known[r.Bottom]) {
      canvas.Rectangle(at[r.Left], at[r.Top], at[r.Right], at[r.Bottom]);
    }
  }
}

}  // namespace nox
