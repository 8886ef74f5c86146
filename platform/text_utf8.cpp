#include "platform/text_utf8.h"

#include <array>

namespace nox::detail {
namespace {

// Windows-1252 characters of the bytes 0x80..0x9F.
constexpr char32_t kNone = kUndefinedCharacter;
// clang-format off
constexpr std::array<char32_t, 32> kWindows1252High = {
    0x20AC, kNone,  0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, kNone,  0x017D, kNone,
    kNone,  0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, kNone,  0x017E, 0x0178};
// clang-format on

char32_t SingleByteCharacter(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kWindows1252High[byte - 0x80];
  return byte;
}

}  // namespace

char32_t DecodeMultiByte(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  struct Form {
    std::size_t length;
    char32_t leadBits;
    char32_t smallest;  // below this the sequence is an overlong form
  };
  Form form{0, 0, 0};
  if (lead >= 0xC2 && lead <= 0xDF) form = {2, lead & 0x1Fu, 0x80};
  if (lead >= 0xE0 && lead <= 0xEF) form = {3, lead & 0x0Fu, 0x800};
  if (lead >= 0xF0 && lead <= 0xF4) form = {4, lead & 0x07u, 0x10000};
  const std::size_t length = form.length;
  char32_t code = form.leadBits;
  if (length == 0 || text.size() - pos < length) {
    ++pos;
    return SingleByteCharacter(lead);
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0u) != 0x80u) {
      ++pos;
      return SingleByteCharacter(lead);
    }
    code = (code << 6) | (next & 0x3Fu);
  }
  if (code < form.smallest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++pos;
    return SingleByteCharacter(lead);
  }
  pos += length;
  return code;
}

}  // namespace nox::detail
