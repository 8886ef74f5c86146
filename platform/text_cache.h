#pragma once
// The process-wide store of faces (one per file), sized fonts (one per face and em size) and their
// glyphs. Text drawing and measuring go through a TextSession, which holds the store's lock for
// its lifetime, so two threads that draw text at the same time never see a half-built entry.
//
// Size rules are in platform/text_fonts.h; kMaxFontHeight is the clamp of |Height|.
//
// Memory stays bounded: once the glyphs cached exceed kGlyphCacheBytes, all glyphs are dropped
// and rendered again as needed.

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <tuple>

#include "platform/font.h"
#include "platform/text_face.h"
#include "platform/text_sized_font.h"

namespace nox::detail {

constexpr int kMaxFontHeight = 1000;
constexpr std::size_t kGlyphCacheBytes = std::size_t{32} << 20;

class TextCache {
 public:
  static TextCache& Instance();
  ~TextCache();
  TextCache(const TextCache&) = delete;
  TextCache& operator=(const TextCache&) = delete;

  // All of the following require the lock.
  std::mutex& Lock() { return m_mutex; }
  // The sized font that draws a TFont; throws EFontError when no face can be loaded.
  SizedFont& FontFor(const TFont& font);
  // Renders and caches a glyph that Find did not have; the reference lasts until the next call.
  const TextGlyph& Load(SizedFont& font, char32_t c);
  // Measures and caches a glyph's extent that FindExtent did not have.
  GlyphExtent Measure(SizedFont& font, char32_t c);
  void SetDirectory(const std::string& path);
  const std::string& Directory() const { return m_directory; }
  // Bytes of coverage, glyph records and extents held now.
  std::size_t GlyphBytes() const { return m_glyphBytes; }

 private:
  TextCache();
  FontFace& FaceFor(const std::string& name, bool bold, bool italic);
  void Clear();
  // Drops every glyph and extent: they are made again as needed.
  void DropGlyphs();

  struct FontKey {
    std::string name;
    int height = 0;  // after clamping, and with 0 replaced by the default
    bool bold = false;
    bool italic = false;
    friend auto operator<=>(const FontKey&, const FontKey&) = default;
  };

  std::mutex m_mutex;
  FT_LibraryRec_* m_library = nullptr;
  std::string m_directory;
  std::map<std::tuple<std::string, int>, std::unique_ptr<FontFace>> m_faces;       // by file and index
  std::map<std::tuple<std::string, bool, bool>, FontFace*> m_resolved;             // by name and style
  std::map<std::tuple<const FontFace*, int>, std::unique_ptr<SizedFont>> m_sized;  // by face and em (26.6)
  std::map<FontKey, SizedFont*> m_fonts;
  FontKey m_lastKey;  // the most recent lookup, tried first
  SizedFont* m_last = nullptr;
  std::size_t m_glyphBytes = 0;
};

// Measuring and drawing with one font, under the cache's lock.
class TextSession {
 public:
  explicit TextSession(const TFont& font)
      : m_cache(TextCache::Instance()), m_lock(m_cache.Lock()), m_font(m_cache.FontFor(font)) {}

  const TextMetrics& Metrics() const { return m_font.Metrics(); }
  // The glyph of a character; the reference lasts until the next call.
  const TextGlyph& Glyph(char32_t c) {
    if (const TextGlyph* glyph = m_font.Find(c)) return *glyph;
    return m_cache.Load(m_font, c);
  }
  // The advance of a character's glyph and where it may draw, known without rendering it.
  GlyphExtent Extent(char32_t c) {
    if (const GlyphExtent* extent = m_font.FindExtent(c)) return *extent;
    return m_cache.Measure(m_font, c);
  }
  // Sum of the advances of the text in 26.6 pixels; control characters take no room.
  std::int64_t Advance(std::string_view text);
  // Advance rounded once to whole pixels, limited to the range of int.
  int Width(std::string_view text);

 private:
  TextCache& m_cache;
  std::unique_lock<std::mutex> m_lock;
  SizedFont& m_font;
};

}  // namespace nox::detail
