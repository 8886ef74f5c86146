#include "platform/text_cache.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <vector>

#include "platform/text_face_resolver.h"
#include "platform/text_fonts.h"
#include "platform/text_utf8.h"

namespace nox::detail {
namespace {

std::string InitialDirectory() {
  const char* value = std::getenv("NOX_FONT_DIR");
  return value != nullptr ? std::string(value) : std::string();
}

// The Height that selects the sized font: clamped, and 0 replaced by 8 points.
int EffectiveHeight(const TFont& font) {
  const int height = font.Height();
  if (height == 0) return -std::clamp(MulDiv(8, font.PixelsPerInch(), 72), 1, kMaxFontHeight);
  return std::clamp(height, -kMaxFontHeight, kMaxFontHeight);
}

}  // namespace

TextCache& TextCache::Instance() {
  static TextCache cache;
  return cache;
}

TextCache::TextCache() : m_directory(InitialDirectory()) {
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) != 0) throw EFontError("The font engine cannot be started.");
  m_library = library;
}

TextCache::~TextCache() {
  Clear();
  FT_Done_FreeType(m_library);
}

void TextCache::Clear() {
  m_last = nullptr;
  m_fonts.clear();
  m_sized.clear();
  m_resolved.clear();
  m_faces.clear();
  m_glyphBytes = 0;
}

void TextCache::SetDirectory(const std::string& path) {
  if (path == m_directory) return;
  Clear();
  m_directory = path;
}

FontFace& TextCache::FaceFor(const std::string& name, bool bold, bool italic) {
  const auto key = std::make_tuple(name, bold, italic);
  if (const auto it = m_resolved.find(key); it != m_resolved.end()) return *it->second;
  const std::vector<FaceFile> candidates = FaceCandidates(name, bold, italic, m_directory);
  std::string tried;
  for (const FaceFile& file : candidates) {
    auto& slot = m_faces[std::make_tuple(file.path, file.index)];
    if (!slot) {
      try {
        slot = std::make_unique<FontFace>(m_library, file);
      } catch (const EFontError& error) {
        m_faces.erase(std::make_tuple(file.path, file.index));
        tried += std::string(tried.empty() ? "" : "; ") + error.what();
        continue;
      }
    }
    m_resolved.emplace(key, slot.get());
    return *slot;
  }
  const std::string where =
      m_directory.empty() ? "the installed fonts" : "the font folder \"" + m_directory + "\"";
  throw EFontError("No font face for \"" + name + "\" can be found in " + where +
                   (tried.empty() ? std::string(".") : " (" + tried + ")."));
}

SizedFont& TextCache::FontFor(const TFont& font) {
  const int height = EffectiveHeight(font);
  const bool bold = font.Style().Contains(fsBold);
  const bool italic = font.Style().Contains(fsItalic);
  if (m_last != nullptr && m_lastKey.height == height && m_lastKey.bold == bold &&
      m_lastKey.italic == italic && m_lastKey.name == font.Name())
    return *m_last;

  FontKey key{font.Name(), height, bold, italic};
  SizedFont* sized = nullptr;
  if (const auto it = m_fonts.find(key); it != m_fonts.end()) {
    sized = it->second;
  } else {
    FontFace& face = FaceFor(key.name, bold, italic);
    const int em26 = height < 0 ? -height * 64 : face.EmForCellHeight(height);
    auto& slot = m_sized[std::make_tuple(&face, em26)];
    if (!slot) slot = std::make_unique<SizedFont>(face, em26);
    sized = slot.get();
    m_fonts.emplace(key, sized);
  }
  m_lastKey = std::move(key);
  m_last = sized;
  return *sized;
}

void TextCache::DropGlyphs() {
  for (auto& [key, sized] : m_sized) sized->DropGlyphs();
  m_glyphBytes = 0;
}

const TextGlyph& TextCache::Load(SizedFont& font, char32_t c) {
  TextGlyph glyph = font.Face().RenderGlyph(font.Metrics().em26, c);
  if (m_glyphBytes + glyph.Bytes() > kGlyphCacheBytes) DropGlyphs();
  m_glyphBytes += glyph.Bytes();
  return font.Insert(c, std::move(glyph));
}

GlyphExtent TextCache::Measure(SizedFont& font, char32_t c) {
  const GlyphExtent extent = font.Face().MeasureGlyph(font.Metrics().em26, c);
  m_glyphBytes += font.InsertExtent(c, extent);
  // Returned by value, so it outlives the flush.
  if (m_glyphBytes > kGlyphCacheBytes) DropGlyphs();
  return extent;
}

std::int64_t TextSession::Advance(std::string_view text) {
  std::int64_t sum = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    const char32_t c = NextCharacter(text, pos);
    if (!IsControlCharacter(c)) sum += Extent(c).advance;
  }
  return sum;
}

int TextSession::Width(std::string_view text) {
  return static_cast<int>(
      std::min<std::int64_t>(RoundFixed26(Advance(text)), std::numeric_limits<int>::max()));
}

}  // namespace nox::detail
