#include "platform/text_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BITMAP_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <cmath>

#include "platform/text_fonts.h"
#include "platform/text_utf8.h"

namespace nox::detail {
namespace {

// Light hinting: glyphs snap to the pixel grid only vertically, so shapes and advances keep their
// design proportions. Embedded bitmap strikes are ignored so every size is antialiased alike.
constexpr FT_Int32 kLoadFlags = FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;

// A glyph bitmap larger than this (in pixels) is left undrawn rather than cached.
constexpr long kMaxGlyphPixels = 4L << 20;

// Round to nearest, ties to even, in extended precision (the library's one rounding rule).
long RoundScaled(long double value) {
  return static_cast<long>(std::nearbyint(value));  // the default rounding mode is to nearest even
}

// Design units in pixels at an em size of em26 / 64 pixels.
long double Pixels(long units, int em26, long unitsPerEm) {
  return static_cast<long double>(units) * em26 / (64.0L * unitsPerEm);
}
long Scale(long units, int em26, long unitsPerEm) { return RoundScaled(Pixels(units, em26, unitsPerEm)); }

void CopyCoverage(FT_Library library, const FT_Bitmap& bitmap, TextGlyph& glyph) {
  const long pixels = static_cast<long>(bitmap.width) * static_cast<long>(bitmap.rows);
  if (pixels == 0 || pixels > kMaxGlyphPixels) return;
  FT_Bitmap gray;
  FT_Bitmap_Init(&gray);
  const FT_Bitmap* source = &bitmap;
  int levels = bitmap.num_grays;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) {
    // Mono, 2- and 4-bit modes become one byte per pixel with values 0 .. levels - 1.
    if (FT_Bitmap_Convert(library, &bitmap, &gray, 1) != 0) {
      FT_Bitmap_Done(library, &gray);
      return;
    }
    source = &gray;
    levels = gray.num_grays;
  }
  glyph.width = static_cast<int>(source->width);
  glyph.rows = static_cast<int>(source->rows);
  glyph.coverage.resize(static_cast<std::size_t>(pixels));
  const int stride = std::abs(source->pitch);
  for (int row = 0; row < glyph.rows; ++row) {
    // A negative pitch stores the bottom row first.
    const int sourceRow = source->pitch >= 0 ? row : glyph.rows - 1 - row;
    const unsigned char* in = source->buffer + static_cast<std::size_t>(sourceRow) * stride;
    std::uint8_t* out = glyph.coverage.data() + static_cast<std::size_t>(row) * glyph.width;
    for (int x = 0; x < glyph.width; ++x) {
      const int value = levels == 256 ? in[x] : in[x] * 255 / std::max(1, levels - 1);
      out[x] = static_cast<std::uint8_t>(std::min(value, 255));
    }
  }
  FT_Bitmap_Done(library, &gray);
}

// linearHoriAdvance is the unhinted advance in 16.16 pixels.
std::int32_t AdvanceOf(FT_GlyphSlot slot) {
  return static_cast<std::int32_t>(std::clamp<FT_Fixed>((slot->linearHoriAdvance + 512) >> 10, 0, 1L << 24));
}

// A glyph whose outline reaches beyond this many pixels from its origin is given no box, so it is
// always rendered: far beyond any glyph the size limit allows, and far inside int.
constexpr int kOutlineBound = 1 << 24;

}  // namespace

FontFace::FontFace(FT_Library library, const FaceFile& file) : m_file(file), m_library(library) {
  FT_Face face = nullptr;
  if (FT_New_Face(library, file.path.c_str(), file.index, &face) != 0)
    throw EFontError("Cannot read the font file \"" + file.path + "\".");
  if (!FT_IS_SCALABLE(face) || face->units_per_EM == 0) {
    FT_Done_Face(face);
    throw EFontError("The font file \"" + file.path + "\" holds no scalable face.");
  }
  m_face = face;
  m_unitsPerEm = face->units_per_EM;
  FT_Select_Charmap(face, FT_ENCODING_UNICODE);

  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
  if (os2 != nullptr && os2->version != 0xFFFF && os2->usWinAscent + os2->usWinDescent > 0) {
    m_winAscent = os2->usWinAscent;
    m_winDescent = os2->usWinDescent;
  } else {
    m_winAscent = std::max<long>(face->ascender, 0);
    m_winDescent = std::max<long>(-face->descender, 0);
  }
  if (m_winAscent + m_winDescent <= 0) {
    m_winAscent = m_unitsPerEm * 4 / 5;
    m_winDescent = m_unitsPerEm / 5;
  }
  m_underlineThickness = face->underline_thickness > 0 ? face->underline_thickness : m_unitsPerEm / 20;
  // FreeType reports the centre of the underline stroke; zero means the face gives none.
  m_underlineCentre = face->underline_position < 0 ? -face->underline_position : m_unitsPerEm / 10;
  if (os2 != nullptr && os2->version != 0xFFFF && os2->yStrikeoutSize > 0) {
    m_strikeoutTop = os2->yStrikeoutPosition;
    m_strikeoutThickness = os2->yStrikeoutSize;
  } else {
    m_strikeoutTop = m_unitsPerEm * 26 / 100;
    m_strikeoutThickness = m_underlineThickness;
  }
}

FontFace::~FontFace() { FT_Done_Face(m_face); }

int FontFace::EmForCellHeight(int cellHeight) const {
  const long em26 =
      RoundScaled(64.0L * cellHeight * m_unitsPerEm / static_cast<long double>(m_winAscent + m_winDescent));
  return static_cast<int>(std::clamp<long>(em26, 64, 64L * cellHeight));
}

TextMetrics FontFace::Metrics(int em26) const {
  TextMetrics m;
  m.em26 = em26;
  m.ascent = static_cast<int>(Scale(m_winAscent, em26, m_unitsPerEm));
  m.descent = static_cast<int>(Scale(m_winDescent, em26, m_unitsPerEm));
  m.cellHeight = m.ascent + m.descent;

  m.underlineThickness = std::max(1, static_cast<int>(Scale(m_underlineThickness, em26, m_unitsPerEm)));
  const long double centre = Pixels(m_underlineCentre, em26, m_unitsPerEm);
  const int underlineTop = static_cast<int>(RoundScaled(centre - m.underlineThickness / 2.0L));
  // Below the baseline and, where the descent allows, inside the cell.
  m.underlineOffset = std::clamp(underlineTop, 0, std::max(0, m.descent - m.underlineThickness));

  m.strikeoutThickness = std::max(1, static_cast<int>(Scale(m_strikeoutThickness, em26, m_unitsPerEm)));
  const int strikeoutTop = static_cast<int>(Scale(m_strikeoutTop, em26, m_unitsPerEm));
  m.strikeoutOffset =
      std::clamp(strikeoutTop, m.strikeoutThickness, std::max(m.strikeoutThickness, m.ascent));
  return m;
}

bool FontFace::LoadGlyph(int em26, char32_t character) {
  if (m_sizedEm != em26) {
    // At 72 dots per inch a point is a pixel, so the character size is the em size in pixels.
    if (FT_Set_Char_Size(m_face, 0, em26, 72, 72) != 0) return false;
    m_sizedEm = em26;
  }
  const FT_UInt index = character == kUndefinedCharacter ? 0 : FT_Get_Char_Index(m_face, character);
  // A broken glyph draws as the missing glyph; if even that fails, as nothing.
  return FT_Load_Glyph(m_face, index, kLoadFlags) == 0 || FT_Load_Glyph(m_face, 0, kLoadFlags) == 0;
}

TextGlyph FontFace::RenderGlyph(int em26, char32_t character) {
  TextGlyph glyph;
  if (!LoadGlyph(em26, character)) return glyph;
  FT_GlyphSlot slot = m_face->glyph;
  glyph.advance = AdvanceOf(slot);
  if (slot->format != FT_GLYPH_FORMAT_BITMAP && FT_Render_Glyph(slot, FT_RENDER_MODE_LIGHT) != 0)
    return glyph;
  CopyCoverage(m_library, slot->bitmap, glyph);
  if (!glyph.coverage.empty()) {
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
  }
  return glyph;
}

GlyphExtent FontFace::MeasureGlyph(int em26, char32_t character) {
  GlyphExtent extent{.advance = 0};
  if (!LoadGlyph(em26, character)) return extent;
  FT_GlyphSlot slot = m_face->glyph;
  extent.advance = AdvanceOf(slot);
  // The renderer covers the outline's control box rounded out to whole pixels; a pixel more on
  // each side keeps the box safe whatever its rounding of very thin glyphs.
  FT_BBox box{};
  if (slot->format == FT_GLYPH_FORMAT_OUTLINE) FT_Outline_Get_CBox(&slot->outline, &box);
  const bool bounded = slot->format == FT_GLYPH_FORMAT_OUTLINE &&
                       std::max({-box.xMin, box.xMax, -box.yMin, box.yMax}) < kOutlineBound * 64;
  if (!bounded) {
    extent.boxed = false;
    return extent;
  }
  extent.left = static_cast<int>(box.xMin >> 6) - 1;
  extent.right = static_cast<int>((box.xMax + 63) >> 6) + 1;
  extent.top = -static_cast<int>((box.yMax + 63) >> 6) - 1;
  extent.bottom = -static_cast<int>(box.yMin >> 6) + 1;
  return extent;
}

}  // namespace nox::detail
