#pragma once
// A face at one em size: its metrics, the glyphs rendered so far and the extents of the glyphs
// measured so far. Characters below 256 sit in direct tables, so the glyphs of numbers and Western
// labels are found without hashing.

#include <array>
#include <memory>
#include <unordered_map>
#include <utility>

#include "platform/text_face.h"

namespace nox::detail {

class SizedFont {
 public:
  SizedFont(FontFace& face, int em26) : m_face(face), m_metrics(face.Metrics(em26)) {}

  FontFace& Face() { return m_face; }
  const TextMetrics& Metrics() const { return m_metrics; }

  // The cached glyph of a character, or nullptr.
  const TextGlyph* Find(char32_t c) const {
    if (c < m_latin.size()) return m_latin[c].get();
    const auto it = m_others.find(c);
    return it == m_others.end() ? nullptr : &it->second;
  }
  // Stores a rendered glyph; the reference lasts until DropGlyphs.
  const TextGlyph& Insert(char32_t c, TextGlyph&& glyph) {
    if (c < m_latin.size()) return *(m_latin[c] = std::make_unique<TextGlyph>(std::move(glyph)));
    return m_others.insert_or_assign(c, std::move(glyph)).first->second;
  }
  // The measured extent of a character's glyph, or nullptr.
  const GlyphExtent* FindExtent(char32_t c) const {
    if (c < kLatin) return m_latinExtents[c].Measured() ? &m_latinExtents[c] : nullptr;
    const auto it = m_otherExtents.find(c);
    return it == m_otherExtents.end() ? nullptr : &it->second;
  }
  // Stores a measured extent; returns the bytes it adds to the font.
  std::size_t InsertExtent(char32_t c, const GlyphExtent& extent) {
    if (c >= kLatin) {
      m_otherExtents.insert_or_assign(c, extent);
      return sizeof(std::pair<char32_t, GlyphExtent>) + 2 * sizeof(void*);
    }
    m_latinExtents[c] = extent;
    return 0;  // the table is part of the font
  }
  void DropGlyphs() {
    for (auto& g : m_latin) g.reset();
    m_others.clear();
    m_latinExtents.fill({});
    m_otherExtents.clear();
  }

 private:
  FontFace& m_face;
  TextMetrics m_metrics;
  static constexpr std::size_t kLatin = 256;
  std::array<std::unique_ptr<TextGlyph>, kLatin> m_latin;
  std::unordered_map<char32_t, TextGlyph> m_others;
  std::array<GlyphExtent, kLatin> m_latinExtents;  // unmeasured ones have a negative advance
  std::unordered_map<char32_t, GlyphExtent> m_otherExtents;
};

}  // namespace nox::detail
