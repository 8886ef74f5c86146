#pragma once
// The JSON text layer of stored forms: a scanner that reads tokens and remembers where they are, and
// the formatting helpers of the writer. Strict RFC 8259 JSON; strings are UTF-8.

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace nox::detail {

// A syntax error at a byte offset of the text.
class EJsonSyntax : public std::runtime_error {
 public:
  EJsonSyntax(std::size_t offset, const std::string& reason) : std::runtime_error(reason), m_offset(offset) {}
  std::size_t Offset() const { return m_offset; }

 private:
  std::size_t m_offset;
};

class TJsonScanner {
 public:
  explicit TJsonScanner(std::string_view text) : m_text(text) {}

  // Skips white space and returns the next byte; '\0' at the end of the text.
  char Peek();
  bool AtEnd();
  // Offset of the next byte (after Peek: of the next token).
  std::size_t Offset() const { return m_pos; }
  // Steps over the byte that Peek returned.
  void Advance() { ++m_pos; }
  // What the next token is, for messages: "a string", "an object", "'x'", "the end of the text"...
  std::string DescribeNext();

  // At '"': the decoded text (escapes resolved, UTF-8 checked).
  std::string ReadString();
  // At '-' or a digit: the number's text, and whether it has neither fraction nor exponent.
  struct TNumber {
    std::string_view text;
    bool integral;
  };
  TNumber ReadNumber();
  // At a letter: the run of letters ("true", "false", "null" or something invalid).
  std::string_view ReadWord();

 private:
  [[noreturn]] void Fail(std::size_t offset, const std::string& reason) const;
  void ReadEscape(std::string& out);
  unsigned ReadHex4();

  std::string_view m_text;
  std::size_t m_pos = 0;
};

// Line and column (from 1; columns count UTF-8 code points) of a byte offset.
void LineAndColumn(std::string_view text, std::size_t offset, int& line, int& column);

// The same for many offsets in increasing order, each counted on from the one before, so that the
// places of all values of a text cost one pass over it.
class TTextPosition {
 public:
  explicit TTextPosition(std::string_view text) : m_text(text) {}
  // An offset before the last one is counted again from the start.
  void MoveTo(std::size_t offset);
  int Line() const { return m_line; }
  int Column() const { return m_column; }

 private:
  std::string_view m_text;
  std::size_t m_offset = 0;
  int m_line = 1;
  int m_column = 1;
};

bool IsValidUtf8(std::string_view text);
// text as UTF-8: a byte outside any UTF-8 sequence becomes the character the platform draws for it
// (platform/text_utf8.h: Latin-1, Windows-1252 for 0x80..0x9F; U+FFFD for the five undefined codes).
std::string DrawnTextAsUtf8(std::string_view text);
// Appends text (UTF-8) as a JSON string literal: quotes, backslashes and control characters escaped.
void AppendJsonString(std::string& out, std::string_view text);
// The shortest decimal text that reads back to the same double (finite values only).
std::string FormatDouble(double value);
// text quoted for an error message: escaped like a JSON string and cut after 40 characters.
std::string QuoteForMessage(std::string_view text);

}  // namespace nox::detail
