#pragma once
// One face file loaded by FreeType: its metrics at a pixel size and its glyphs rendered as
// grayscale coverage (light hinting). Not thread-safe; the text cache serialises all use.

#include <cstdint>
#include <vector>

#include "platform/text_face_resolver.h"

// FreeType's handle types, declared here so that no header of ours needs FreeType's.
struct FT_LibraryRec_;
struct FT_FaceRec_;

namespace nox::detail {

// Vertical measures of a face at one em size, in whole pixels. Rows are counted from the
// baseline: the ascent rows lie above it, the descent rows below, the cell is both.
struct TextMetrics {
  int em26 = 0;                // the em size in 26.6 pixels
  int ascent = 0;              // Round(usWinAscent * em / unitsPerEm)
  int descent = 0;             // Round(usWinDescent * em / unitsPerEm)
  int cellHeight = 0;          // ascent + descent
  int underlineOffset = 0;     // first underline row, counted down from the first row below the baseline
  int underlineThickness = 1;  // rows, at least 1
  int strikeoutOffset = 1;     // rows from the baseline up to the top row of the strikeout line
  int strikeoutThickness = 1;  // rows, at least 1
};

// A rendered glyph. Positions are relative to the pen position on the baseline.
struct TextGlyph {
  std::int32_t advance = 0;  // 26.6 pixels, unhinted, never negative
  int left = 0;              // column of the first coverage column
  int top = 0;               // coverage rows above the baseline
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> coverage;  // rows x width, top row first; 0 = none, 255 = full

  std::size_t Bytes() const { return sizeof(TextGlyph) + coverage.size(); }
};

// What a glyph takes without rendering it: its advance and a box that holds every pixel its
// rendering may cover: columns left .. right - 1 from the pen position, rows top .. bottom - 1
// counted down from the first row below the baseline (so the rows above it are negative). Text
// drawing renders only the glyphs whose box reaches the bitmap.
struct GlyphExtent {
  std::int32_t advance = -1;  // as TextGlyph::advance; negative: not measured yet
  bool boxed = true;          // false: no box is known, the glyph may cover any pixel
  int left = 0, right = 0;    // empty when the glyph draws nothing
  int top = 0, bottom = 0;

  bool Measured() const { return advance >= 0; }
  // Whether a glyph with its pen at (x, baseline) may cover a pixel of a width x height bitmap.
  bool Reaches(std::int64_t x, std::int64_t baseline, int width, int height) const {
    if (!boxed) return true;
    return left < right && top < bottom && x + right > 0 && x + left < width && baseline + bottom > 0 &&
           baseline + top < height;
  }
};

// The nearest whole pixel of a 26.6 value, ties to even.
constexpr std::int64_t RoundFixed26(std::int64_t value) {
  const std::int64_t whole = value >> 6;  // floor, also for negative values
  const std::int64_t fraction = value & 63;
  return whole + ((fraction > 32 || (fraction == 32 && (whole & 1) != 0)) ? 1 : 0);
}

class FontFace {
 public:
  // Throws EFontError when the file cannot be read or holds no scalable face.
  FontFace(FT_LibraryRec_* library, const FaceFile& file);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  const FaceFile& File() const { return m_file; }
  // Em sizes are in 26.6 pixels, so that a cell height can be met exactly.
  // The em size whose cell (ascent + descent) is cellHeight pixels; at least 1 pixel.
  int EmForCellHeight(int cellHeight) const;
  TextMetrics Metrics(int em26) const;
  // The glyph of a character at an em size; a character the face lacks gives its missing glyph.
  TextGlyph RenderGlyph(int em26, char32_t character);
  // The same glyph's advance and the box its rendering stays in, without rendering it.
  GlyphExtent MeasureGlyph(int em26, char32_t character);

 private:
  // Loads the glyph into FreeType's slot; false when not even the missing glyph loads.
  bool LoadGlyph(int em26, char32_t character);

  FaceFile m_file;
  FT_LibraryRec_* m_library;
  FT_FaceRec_* m_face = nullptr;
  int m_sizedEm = 0;  // the em size FreeType's face is set to
  // design units
  long m_unitsPerEm = 0;
  long m_winAscent = 0;
  long m_winDescent = 0;
  long m_underlineCentre = 0;  // below the baseline
  long m_underlineThickness = 0;
  long m_strikeoutTop = 0;  // above the baseline
  long m_strikeoutThickness = 0;
};

}  // namespace nox::detail
