#pragma once
// Decoding the bytes of a text string into characters.
//
// Text is UTF-8. A byte that does not start a well-formed UTF-8 sequence (a stray continuation
// byte, an overlong form, a surrogate, a value above U+10FFFF, a sequence cut short) is taken on
// its own as a character of the classic Western code page: 0xA0..0xFF are the Latin-1 characters
// (a lone 0xE9 is "e acute"), 0x80..0x9F the Windows-1252 characters of those codes (0x80 is the
// euro sign) instead of Latin-1's invisible control codes, so that character marks with any code
// 52..255 draw what the classic device drew. The five codes that Windows-1252 leaves undefined
// decode to kUndefinedCharacter.

#include <cstddef>
#include <string_view>

namespace nox::detail {

// A byte without a character; draws the face's missing glyph.
constexpr char32_t kUndefinedCharacter = 0x110000;

char32_t DecodeMultiByte(std::string_view text, std::size_t& pos);

// The character at pos; pos moves past it. pos must be below text.size().
inline char32_t NextCharacter(std::string_view text, std::size_t& pos) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  if (byte < 0x80) {
    ++pos;
    return byte;
  }
  return DecodeMultiByte(text, pos);
}

// Control characters (below U+0020, U+007F and U+0080..U+009F) take no room and draw nothing;
// breaking text into lines is the caller's business.
constexpr bool IsControlCharacter(char32_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); }

}  // namespace nox::detail
