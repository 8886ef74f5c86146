#pragma once
// A face at one em size: its metrics and the glyphs rendered so far. Characters below 256 sit in
// a direct table, so the glyphs of numbers and Western labels are found without hashing.

#include <array>
#include <memory>
#include <unordered_map>

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
  void DropGlyphs() {
    for (auto& g : m_latin) g.reset();
    m_others.clear();
  }

 private:
  FontFace& m_face;
  TextMetrics m_metrics;
  std::array<std::unique_ptr<TextGlyph>, 256> m_latin;
  std::unordered_map<char32_t, TextGlyph> m_others;
};

}  // namespace nox::detail
