#include "base/stored_form_json.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <system_error>

#include "platform/text_utf8.h"

namespace nox::detail {

namespace {
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

void AppendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Length of the valid UTF-8 sequence at text[pos], or 0 (overlong forms, surrogates and values above
// U+10FFFF are invalid).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
  const auto byte = [&](std::size_t i) -> unsigned {
    return pos + i < text.size() ? static_cast<unsigned char>(text[pos + i]) : 0u;
  };
  const unsigned b0 = byte(0);
  if (b0 < 0x80) return 1;
  const auto inRange = [](unsigned b, unsigned lo, unsigned hi) { return b >= lo && b <= hi; };
  if (inRange(b0, 0xC2, 0xDF)) return inRange(byte(1), 0x80, 0xBF) ? 2 : 0;
  if (inRange(b0, 0xE0, 0xEF)) {
    const unsigned lo = b0 == 0xE0 ? 0xA0 : 0x80;
    const unsigned hi = b0 == 0xED ? 0x9F : 0xBF;
    return inRange(byte(1), lo, hi) && inRange(byte(2), 0x80, 0xBF) ? 3 : 0;
  }
  if (inRange(b0, 0xF0, 0xF4)) {
    const unsigned lo = b0 == 0xF0 ? 0x90 : 0x80;
    const unsigned hi = b0 == 0xF4 ? 0x8F : 0xBF;
    return inRange(byte(1), lo, hi) && inRange(byte(2), 0x80, 0xBF) && inRange(byte(3), 0x80, 0xBF) ? 4 : 0;
  }
  return 0;
}

std::string DescribeByte(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x21 && u < 0x7F) return std::string("'") + c + "'";
  std::array<char, 16> buf{};
  std::snprintf(buf.data(), buf.size(), "byte 0x%02X", u);
  return buf.data();
}
}  // namespace

void TJsonScanner::Fail(std::size_t offset, const std::string& reason) const {
  throw EJsonSyntax(offset, reason);
}

char TJsonScanner::Peek() {
  while (m_pos < m_text.size()) {
    const char c = m_text[m_pos];
    if (c != ' ' && c != '\t' && c != '\n' && c != '\r') return c;
    ++m_pos;
  }
  return '\0';
}

bool TJsonScanner::AtEnd() {
  Peek();
  return m_pos >= m_text.size();
}

std::string TJsonScanner::DescribeNext() {
  const char c = Peek();
  if (AtEnd()) return "the end of the text";
  if (c == '{') return "an object";
  if (c == '[') return "an array";
  if (c == '"') return "a string";
  if (c == '-' || IsDigit(c)) return "a number";
  if (IsLetter(c)) {
    std::size_t end = m_pos;
    while (end < m_text.size() && IsLetter(m_text[end])) ++end;
    const std::string_view word = m_text.substr(m_pos, end - m_pos);
    if (word == "true" || word == "false" || word == "null") return std::string(word);
  }
  return DescribeByte(c);
}

unsigned TJsonScanner::ReadHex4() {
  unsigned value = 0;
  for (int i = 0; i < 4; ++i) {
    if (m_pos >= m_text.size()) Fail(m_pos, "unterminated \\u escape");
    const char c = m_text[m_pos];
    unsigned digit = 0;
    if (IsDigit(c)) {
      digit = static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<unsigned>(c - 'A' + 10);
    } else {
      Fail(m_pos, "expected four hexadecimal digits after \\u");
    }
    value = value * 16 + digit;
    ++m_pos;
  }
  return value;
}

// At the byte after a backslash.
void TJsonScanner::ReadEscape(std::string& out) {
  const std::size_t start = m_pos - 1;
  if (m_pos >= m_text.size()) Fail(start, "unterminated string");
  const char c = m_text[m_pos++];
  switch (c) {
    case '"':
      out += '"';
      return;
    case '\\':
      out += '\\';
      return;
    case '/':
      out += '/';
      return;
    case 'b':
      out += '\b';
      return;
    case 'f':
      out += '\f';
      return;
    case 'n':
      out += '\n';
      return;
    case 'r':
      out += '\r';
      return;
    case 't':
      out += '\t';
      return;
    case 'u':
      break;
    default:
      Fail(start, "invalid escape \\" + DescribeByte(c));
  }
  std::uint32_t cp = ReadHex4();
  if (cp >= 0xDC00 && cp <= 0xDFFF) Fail(start, "\\u escape of a lone low surrogate");
  if (cp >= 0xD800 && cp <= 0xDBFF) {
    if (m_text.substr(m_pos, 2) != "\\u") Fail(start, "\\u escape of a high surrogate without its low half");
    m_pos += 2;
    const std::uint32_t low = ReadHex4();
    if (low < 0xDC00 || low > 0xDFFF) Fail(start, "\\u escape of a high surrogate without its low half");
    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
  }
  AppendUtf8(out, cp);
}

std::string TJsonScanner::ReadString() {
  const std::size_t start = m_pos;
  ++m_pos;  // the opening quote
  std::string out;
  while (true) {
    if (m_pos >= m_text.size()) Fail(start, "unterminated string");
    const char c = m_text[m_pos];
    const auto u = static_cast<unsigned char>(c);
    if (c == '"') {
      ++m_pos;
      return out;
    }
    if (c == '\\') {
      ++m_pos;
      ReadEscape(out);
    } else if (u < 0x20) {
      Fail(m_pos, "control character in a string (write it as an escape)");
    } else if (u < 0x80) {
      out += c;
      ++m_pos;
    } else {
      const std::size_t length = Utf8SequenceLength(m_text, m_pos);
      if (length == 0) Fail(m_pos, "invalid UTF-8 in a string");
      out.append(m_text.substr(m_pos, length));
      m_pos += length;
    }
  }
}

TJsonScanner::TNumber TJsonScanner::ReadNumber() {
  const std::size_t start = m_pos;
  const auto digits = [this]() {
    const std::size_t from = m_pos;
    while (m_pos < m_text.size() && IsDigit(m_text[m_pos])) ++m_pos;
    return m_pos - from;
  };
  bool integral = true;
  if (m_pos < m_text.size() && m_text[m_pos] == '-') ++m_pos;
  if (m_pos < m_text.size() && m_text[m_pos] == '0') {
    ++m_pos;
  } else if (digits() == 0) {
    Fail(start, "invalid number");
  }
  if (m_pos < m_text.size() && m_text[m_pos] == '.') {
    ++m_pos;
    integral = false;
    if (digits() == 0) Fail(start, "invalid number");
  }
  if (m_pos < m_text.size() && (m_text[m_pos] == 'e' || m_text[m_pos] == 'E')) {
    ++m_pos;
    integral = false;
    if (m_pos < m_text.size() && (m_text[m_pos] == '+' || m_text[m_pos] == '-')) ++m_pos;
    if (digits() == 0) Fail(start, "invalid number");
  }
  return {m_text.substr(start, m_pos - start), integral};
}

std::string_view TJsonScanner::ReadWord() {
  const std::size_t start = m_pos;
  while (m_pos < m_text.size() && IsLetter(m_text[m_pos])) ++m_pos;
  return m_text.substr(start, m_pos - start);
}

void TTextPosition::MoveTo(std::size_t offset) {
  offset = std::min(offset, m_text.size());
  if (offset < m_offset) *this = TTextPosition(m_text);
  for (; m_offset < offset; ++m_offset) {
    const auto c = static_cast<unsigned char>(m_text[m_offset]);
    if (c == '\n') {
      ++m_line;
      m_column = 1;
    } else if (!IsContinuation(c)) {
      ++m_column;
    }
  }
}

void LineAndColumn(std::string_view text, std::size_t offset, int& line, int& column) {
  TTextPosition position(text);
  position.MoveTo(offset);
  line = position.Line();
  column = position.Column();
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

std::string DrawnTextAsUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length > 0) {
      out.append(text.substr(i, length));
      i += length;
    } else {
      const char32_t c = NextCharacter(text, i);
      AppendUtf8(out, c == kUndefinedCharacter ? 0xFFFDu : static_cast<std::uint32_t>(c));
    }
  }
  return out;
}

namespace {

// The escape of a character that a JSON string may not hold as it is.
void AppendEscaped(std::string& out, char c) {
  switch (c) {
    case '"':
      out += "\\\"";
      break;
    case '\\':
      out += "\\\\";
      break;
    case '\b':
      out += "\\b";
      break;
    case '\f':
      out += "\\f";
      break;
    case '\n':
      out += "\\n";
      break;
    case '\r':
      out += "\\r";
      break;
    case '\t':
      out += "\\t";
      break;
    default: {
      std::array<char, 8> buf{};
      std::snprintf(buf.data(), buf.size(), "\\u%04X", static_cast<unsigned>(static_cast<unsigned char>(c)));
      out += buf.data();
    }
  }
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  // Runs of characters that need no escape are copied whole: forms are mostly such text.
  std::size_t run = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto u = static_cast<unsigned char>(text[i]);
    if (u >= 0x20 && u != '"' && u != '\\') continue;
    out.append(text.substr(run, i - run));
    AppendEscaped(out, text[i]);
    run = i + 1;
  }
  out.append(text.substr(run));
  out += '"';
}

std::string FormatDouble(double value) {
  std::array<char, 32> buf{};
  const auto result = std::to_chars(buf.data(), buf.data() + buf.size(), value);
  return std::string(buf.data(), result.ptr);
}

std::string QuoteForMessage(std::string_view text) {
  constexpr std::size_t kMaxCharacters = 40;
  std::size_t end = 0;
  std::size_t characters = 0;
  while (end < text.size() && characters < kMaxCharacters) {
    const std::size_t length = Utf8SequenceLength(text, end);
    end += length == 0 ? 1 : length;
    ++characters;
  }
  // Invalid bytes become '?', so that a message is always UTF-8.
  std::string clean;
  for (std::size_t i = 0; i < end;) {
    const std::size_t length = Utf8SequenceLength(text, i);
    if (length == 0) {
      clean += '?';
      ++i;
    } else {
      clean.append(text.substr(i, length));
      i += length;
    }
  }
  std::string out;
  AppendJsonString(out, clean);
  if (end < text.size()) out += "...";
  return out;
}

}  // namespace nox::detail
