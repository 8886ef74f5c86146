// Text output and measuring of TCanvas: glyph coverage from the text cache blended in the font
// colour, the text cell filled with a solid brush, underline and strikeout lines.
#include "platform/canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

#include "platform/bitmap.h"
#include "platform/raster_math.h"
#include "platform/text_blend.h"
#include "platform/text_cache.h"
#include "platform/text_utf8.h"

namespace nox {
namespace {

using detail::TextGlyph;

// Fills the pixels left <= x < right, top <= y < bottom that lie on the bitmap.
void FillClipped(TBitmap& bitmap, std::int64_t left, std::int64_t top, std::int64_t right,
                 std::int64_t bottom, std::uint32_t pixel) {
  left = std::max<std::int64_t>(left, 0);
  top = std::max<std::int64_t>(top, 0);
  right = std::min<std::int64_t>(right, bitmap.Width());
  bottom = std::min<std::int64_t>(bottom, bitmap.Height());
  if (left >= right || top >= bottom) return;
  for (std::int64_t y = top; y < bottom; ++y) {
    std::uint32_t* row = bitmap.ScanLine(static_cast<int>(y));
    std::fill(row + left, row + right, pixel);
  }
}

// Blends a glyph's coverage with its top left corner at (x, y), clipped to the bitmap.
void DrawGlyph(TBitmap& bitmap, std::int64_t x, std::int64_t y, const TextGlyph& glyph, std::uint32_t ink) {
  const std::int64_t left = std::max<std::int64_t>(x, 0);
  const std::int64_t right = std::min<std::int64_t>(x + glyph.width, bitmap.Width());
  const std::int64_t top = std::max<std::int64_t>(y, 0);
  const std::int64_t bottom = std::min<std::int64_t>(y + glyph.rows, bitmap.Height());
  if (left >= right || top >= bottom) return;
  for (std::int64_t row = top; row < bottom; ++row) {
    const std::uint8_t* coverage = glyph.coverage.data() + (row - y) * glyph.width + (left - x);
    std::uint32_t* out = bitmap.ScanLine(static_cast<int>(row)) + left;
    for (std::int64_t i = 0; i < right - left; ++i) {
      const std::uint32_t alpha = coverage[i];
      if (alpha == 255) {
        out[i] = ink;
      } else if (alpha != 0) {
        out[i] = detail::BlendCoverage(out[i], ink, alpha);
      }
    }
  }
}

// Makes device draw a logical font's text on the device: its pixel height times the scale.
void ScaleFont(TFont& device, const TFont& font, const detail::DeviceMap& map) {
  device.Assign(font);
  const int height = font.Height() != 0 ? font.Height() : -MulDiv(8, font.PixelsPerInch(), 72);
  const long scaled = std::lround(height * map.scale);
  device.SetHeight(static_cast<int>(scaled != 0 ? scaled : (height < 0 ? -1 : 1)));
}

}  // namespace

void TCanvas::TextOut(int x, int y, std::string_view text) {
  std::optional<TFont> deviceFont;
  if (!m_map.Unit()) ScaleFont(deviceFont.emplace(), m_font, m_map);
  detail::TextSession session(deviceFont ? *deviceFont : m_font);
  const detail::TextMetrics& metrics = session.Metrics();
  const bool updatePosition = (m_textAlign & TA_UPDATECP) != 0;
  const std::int64_t refX = updatePosition ? m_penPos.X : x;
  const std::int64_t refY = updatePosition ? m_penPos.Y : y;
  const std::int64_t width = session.Width(text);

  // The reference point's place on the text cell.
  const bool centred = (m_textAlign & TA_CENTER) == TA_CENTER;
  const bool rightAligned = !centred && (m_textAlign & TA_RIGHT) != 0;
  std::int64_t left = m_map.EdgeX(refX);
  if (centred) left -= width / 2;
  if (rightAligned) left -= width;
  std::int64_t top = m_map.EdgeY(refY);
  if ((m_textAlign & TA_BASELINE) == TA_BASELINE) {
    top -= metrics.ascent;
  } else if ((m_textAlign & TA_BOTTOM) != 0) {
    top -= metrics.cellHeight;
  }

  if (m_brush.Style() == bsSolid)
    FillClipped(m_target, left, top, left + width, top + metrics.cellHeight, ColorToPixel(m_brush.Color()));

  const std::uint32_t ink = ColorToPixel(m_font.Color());
  const std::int64_t baseline = top + metrics.ascent;  // the first row below the baseline
  std::int64_t pen = 0;                                // 26.6 pixels from the left of the cell
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = detail::NextCharacter(text, pos);
    if (detail::IsControlCharacter(c)) continue;
    // Only glyphs that may reach the bitmap are rendered: a large text is mostly off it.
    const detail::GlyphExtent extent = session.Extent(c);
    const std::int64_t penX = left + detail::RoundFixed26(pen);
    if (extent.Reaches(penX, baseline, m_target.Width(), m_target.Height())) {
      const TextGlyph& glyph = session.Glyph(c);
      if (!glyph.coverage.empty()) DrawGlyph(m_target, penX + glyph.left, baseline - glyph.top, glyph, ink);
    }
    pen += extent.advance;
  }

  if (m_font.Style().Contains(fsUnderline)) {
    const std::int64_t lineTop = baseline + metrics.underlineOffset;
    FillClipped(m_target, left, lineTop, left + width, lineTop + metrics.underlineThickness, ink);
  }
  if (m_font.Style().Contains(fsStrikeOut)) {
    const std::int64_t lineTop = baseline - metrics.strikeoutOffset;
    FillClipped(m_target, left, lineTop, left + width, lineTop + metrics.strikeoutThickness, ink);
  }

  if (updatePosition) {
    // Left-aligned text moves the position to its end, right-aligned text to its start.
    const std::int64_t advance = deviceFont ? TextWidth(text) : width;
    if (!centred) m_penPos.X = detail::SaturateToInt(rightAligned ? refX - advance : refX + advance);
  }
}

int TCanvas::TextWidth(std::string_view text) const {
  detail::TextSession session(m_font);
  return session.Width(text);
}

int TCanvas::TextHeight(std::string_view /*text*/) const {
  detail::TextSession session(m_font);
  return session.Metrics().cellHeight;
}

TSize TCanvas::TextExtent(std::string_view text) const {
  detail::TextSession session(m_font);
  return {session.Width(text), session.Metrics().cellHeight};
}

}  // namespace nox
