// Which characters the bytes of a string draw: UTF-8, single bytes of the Western code page,
// control characters and characters the face lacks.
#include <gtest/gtest.h>

#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "tests/platform/text_test_support.h"

namespace nox {
namespace {

using text_test::ChangedBox;
using text_test::FontChoice;
using text_test::kBackground;
using text_test::Rendered;
using text_test::TextBitmap;

int Width(std::string_view text) {
  TextBitmap t({-13});
  return t.Canvas().TextWidth(text);
}

bool SamePicture(std::string_view a, std::string_view b) {
  return SamePixels(Rendered({-15}, a)->bitmap, Rendered({-15}, b)->bitmap);
}

TEST(TextCharacters, LoneLatin1ByteDrawsItsCharacter) {
  // 0xE9 alone is not UTF-8: it is taken as the Latin-1 "e acute", the same as its UTF-8 form.
  EXPECT_TRUE(SamePicture("caf\xE9", "caf\xC3\xA9"));
  EXPECT_EQ(Width("caf\xE9"), Width("caf\xC3\xA9"));
  EXPECT_FALSE(SamePicture("caf\xE9", "cafe"));
  EXPECT_TRUE(
      SamePicture("\xB0"
                  "C",
                  "\xC2\xB0"
                  "C"));  // degree sign
}

TEST(TextCharacters, EveryCharacterMarkCodeDrawsSomething) {
  // Character marks use the codes 52..255 as single bytes.
  for (int code = 52; code <= 255; ++code) {
    if (code == 0x7F || code == 0xA0 || code == 0xAD) continue;  // delete, no-break space, soft hyphen
    if (code == 0x81 || code == 0x8D || code == 0x8F || code == 0x90 || code == 0x9D) continue;
    const std::string text(1, static_cast<char>(code));
    EXPECT_FALSE(ChangedBox(Rendered({-13}, text)->bitmap, kBackground).IsEmpty()) << code;
    EXPECT_GT(Width(text), 0) << code;
  }
}

TEST(TextCharacters, HighControlBytesDrawTheirWesternCodePageCharacters) {
  EXPECT_TRUE(SamePicture("\x80", "\xE2\x82\xAC"));                    // euro sign
  EXPECT_TRUE(SamePicture("\x93q\x94", "\xE2\x80\x9Cq\xE2\x80\x9D"));  // curly quotes
  EXPECT_TRUE(SamePicture("\x99", "\xE2\x84\xA2"));                    // trade mark sign
}

TEST(TextCharacters, MalformedSequencesFallBackByteByByte) {
  // An overlong "/" (C0 AF) is two single bytes: "A grave" and "macron".
  EXPECT_TRUE(SamePicture("\xC0\xAF", "\xC3\x80\xC2\xAF"));
  // A UTF-16 surrogate encoded in UTF-8 is three single bytes.
  EXPECT_TRUE(SamePicture("\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"));
  // A sequence cut short by the end of the string, and by a plain character.
  EXPECT_TRUE(SamePicture("1\xE2\x82", "1\xC3\xA2\xE2\x80\x9A"));
  EXPECT_TRUE(
      SamePicture("\xC3"
                  "A",
                  "\xC3\x83"
                  "A"));
}

TEST(TextCharacters, MissingCharactersDrawTheMissingGlyph) {
  // Liberation Sans has no CJK ideographs: each draws the face's box, with its advance.
  const auto one = Rendered({-15}, "\xE4\xB8\x80");
  EXPECT_FALSE(ChangedBox(one->bitmap, kBackground).IsEmpty());
  EXPECT_TRUE(SamePicture("\xE4\xB8\x80", "\xE4\xBA\x8C"));
  EXPECT_GT(Width("\xE4\xB8\x80"), 0);
  // The byte codes Windows-1252 leaves undefined draw the same box.
  EXPECT_TRUE(SamePicture("\x81", "\xE4\xB8\x80"));
}

TEST(TextCharacters, ControlCharactersTakeNoRoomAndDrawNothing) {
  EXPECT_TRUE(SamePicture("1\t2\r\n3", "123"));
  EXPECT_EQ(Width("1\t2\r\n3"), Width("123"));
  EXPECT_EQ(Width("\n"), 0);
  EXPECT_EQ(Width(std::string("\0\x1F\x7F", 3)), 0);
  EXPECT_TRUE(
      SamePicture("a\xC2\x85"
                  "b",
                  "ab"));  // U+0085, a control code even in its UTF-8 form
  // With a solid brush a string of control characters has an empty cell.
  TextBitmap t({-13});
  t.Canvas().Brush().SetColor(clRed);
  t.Canvas().TextOut(5, 5, "\n\n");
  EXPECT_TRUE(ChangedBox(t.bitmap, kBackground).IsEmpty());
}

TEST(TextCharacters, FourByteCharactersDecode) {
  // U+1D11E (musical G clef) is one character: one missing glyph, as wide as the CJK box.
  EXPECT_EQ(Width("\xF0\x9D\x84\x9E"), Width("\xE4\xB8\x80"));
  // A value beyond U+10FFFF is four single bytes: o circumflex, an undefined code (the box), two euros.
  EXPECT_TRUE(SamePicture("\xF4\x90\x80\x80", "\xC3\xB4\xE4\xB8\x80\xE2\x82\xAC\xE2\x82\xAC"));
}

}  // namespace
}  // namespace nox
