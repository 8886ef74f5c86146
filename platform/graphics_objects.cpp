#include "platform/brush.h"
#include "platform/font.h"
#include "platform/host.h"
#include "platform/pen.h"

#include <cstdint>
#include <cstdlib>

namespace nox {

int MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t num = static_cast<std::int64_t>(a) * b;
  std::int64_t q = num / c;
  const std::int64_t r = num % c;
  if (2 * std::llabs(r) >= std::llabs(static_cast<std::int64_t>(c))) q += ((num < 0) != (c < 0)) ? -1 : 1;
  if (q > INT32_MAX || q < INT32_MIN) return -1;
  return static_cast<int>(q);
}

// --- TPen ---

void TPen::Changed() {
  if (OnChange) OnChange(this);
}
void TPen::SetColor(TColor value) {
  if (m_color == value) return;
  m_color = value;
  Changed();
}
void TPen::SetStyle(TPenStyle value) {
  if (m_style == value) return;
  m_style = value;
  Changed();
}
void TPen::SetWidth(int value) {
  if (value < 0 || m_width == value) return;
  m_width = value;
  Changed();
}
void TPen::SetMode(TPenMode value) {
  if (m_mode == value) return;
  m_mode = value;
  Changed();
}
void TPen::Assign(const TPersistent& Source) {
  if (const auto* pen = dynamic_cast<const TPen*>(&Source)) {
    m_color = pen->m_color;
    m_style = pen->m_style;
    m_width = pen->m_width;
    m_mode = pen->m_mode;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

// --- TBrush ---

void TBrush::Changed() {
  if (OnChange) OnChange(this);
}
void TBrush::SetColor(TColor value) {
  if (m_color == value && m_style == bsSolid) return;
  m_color = value;
  m_style = bsSolid;  // choosing a colour makes the brush paint, as on the platform
  Changed();
}
void TBrush::SetStyle(TBrushStyle value) {
  if (m_style == value) return;
  m_style = value;
  if (value == bsClear) m_color = clWhite;  // a clear brush reads back as white, as on the platform
  Changed();
}
void TBrush::Assign(const TPersistent& Source) {
  if (const auto* brush = dynamic_cast<const TBrush*>(&Source)) {
    m_color = brush->m_color;
    m_style = brush->m_style;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

// --- TFont ---

TFont::TFont() : m_pixelsPerInch(Host().ScreenPixelsPerInch()) { m_height = -MulDiv(8, m_pixelsPerInch, 72); }

void TFont::Changed() {
  if (OnChange) OnChange(this);
}
void TFont::SetName(const std::string& value) {
  if (value.empty() || m_name == value) return;
  m_name = value;
  Changed();
}
int TFont::Size() const { return -MulDiv(m_height, 72, m_pixelsPerInch); }
void TFont::SetSize(int points) { SetHeight(-MulDiv(points, m_pixelsPerInch, 72)); }
void TFont::SetHeight(int pixels) {
  if (m_height == pixels) return;
  m_height = pixels;
  Changed();
}
void TFont::SetStyle(TFontStyles value) {
  if (m_style == value) return;
  m_style = value;
  Changed();
}
void TFont::SetColor(TColor value) {
  if (m_color == value) return;
  m_color = value;
  Changed();
}
void TFont::SetPixelsPerInch(int value) {
  if (value < 1) return;
  m_pixelsPerInch = value;
}
void TFont::Assign(const TPersistent& Source) {
  if (const auto* font = dynamic_cast<const TFont*>(&Source)) {
    m_name = font->m_name;
    m_height = font->m_height;
    m_style = font->m_style;
    m_color = font->m_color;
    m_pixelsPerInch = font->m_pixelsPerInch;
    Changed();
    return;
  }
  TPersistent::Assign(Source);
}

}  // namespace nox
