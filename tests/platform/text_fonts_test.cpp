// How font names and styles resolve to face files, in a font folder and among installed fonts.
#include <gtest/gtest.h>

#include <filesystem>
#include <mutex>
#include <string>

#include "platform/bitmap.h"
#include "platform/canvas.h"
#include "platform/text_cache.h"
#include "platform/text_face_resolver.h"
#include "platform/text_fonts.h"
#include "tests/platform/text_test_support.h"

namespace nox {
namespace {

const std::string kPinnedFolder = NOX_TEST_DATA_DIR "/fonts";
constexpr const char* kInstalledLiberation = "/usr/share/fonts/truetype/liberation2";

// Sets a font folder for one test and puts the previous one back.
class ScopedFontDirectory {
 public:
  explicit ScopedFontDirectory(const std::string& path) : m_previous(FontDirectory()) {
    SetFontDirectory(path);
  }
  ~ScopedFontDirectory() { SetFontDirectory(m_previous); }
  ScopedFontDirectory(const ScopedFontDirectory&) = delete;
  ScopedFontDirectory& operator=(const ScopedFontDirectory&) = delete;

 private:
  std::string m_previous;
};

// File name of the face a font name and style draw with.
std::string FaceFileName(const std::string& name, TFontStyles style = {}) {
  TFont font;
  font.SetName(name);
  font.SetStyle(style);
  detail::TextCache& cache = detail::TextCache::Instance();
  const std::lock_guard lock(cache.Lock());
  return std::filesystem::path(cache.FontFor(font).Face().File().path).filename().string();
}

TEST(TextFonts, TestsUseThePinnedFolder) { EXPECT_EQ(FontDirectory(), kPinnedFolder); }

TEST(TextFonts, StylesPickTheirFaceFiles) {
  ScopedFontDirectory folder(kPinnedFolder);
  EXPECT_EQ(FaceFileName("Arial"), "LiberationSans-Regular.ttf");
  EXPECT_EQ(FaceFileName("Arial", {fsBold}), "LiberationSans-Bold.ttf");
  EXPECT_EQ(FaceFileName("Arial", {fsItalic}), "LiberationSans-Italic.ttf");
  EXPECT_EQ(FaceFileName("Arial", {fsBold, fsItalic}), "LiberationSans-BoldItalic.ttf");
  // Underline and strikeout are drawn lines, not faces.
  EXPECT_EQ(FaceFileName("Arial", {fsUnderline, fsStrikeOut}), "LiberationSans-Regular.ttf");
}

TEST(TextFonts, PinnedSansStandsInForEveryName) {
  ScopedFontDirectory folder(kPinnedFolder);
  for (const char* name : {"MS Sans Serif", "System", "Times New Roman", "Courier New", "No Such Font 42"})
    EXPECT_EQ(FaceFileName(name), "LiberationSans-Regular.ttf") << name;
  EXPECT_EQ(FaceFileName("Courier New", {fsBold}), "LiberationSans-Bold.ttf");
}

TEST(TextFonts, FontNamesNeverLeaveTheFolder) {
  const std::string outside = std::filesystem::path(kPinnedFolder).parent_path().string();
  for (const char* name : {"../fonts/LiberationSans", "/etc/passwd", "..\\..\\x", "a/../../b"})
    for (const detail::FaceFile& file : detail::FaceCandidates(name, false, false, kPinnedFolder))
      EXPECT_EQ(std::filesystem::path(file.path).parent_path().string(), kPinnedFolder) << name;
}

TEST(TextFonts, FolderWithoutFacesRaisesAClearError) {
  ScopedFontDirectory folder(NOX_TEST_DATA_DIR "/no-such-folder");
  TBitmap bitmap(10, 10);
  bitmap.Canvas().Font().SetName("Arial");
  try {
    (void)bitmap.Canvas().TextWidth("1");
    FAIL() << "no error";
  } catch (const EFontError& error) {
    EXPECT_NE(std::string(error.what()).find("\"Arial\""), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("no-such-folder"), std::string::npos) << error.what();
  }
  // The canvas is still usable once faces can be found again.
  SetFontDirectory(kPinnedFolder);
  EXPECT_GT(bitmap.Canvas().TextWidth("1"), 0);
}

TEST(TextFonts, ChangingTheFolderAndBackGivesTheSamePixels) {
  const auto before = text_test::Rendered({-13}, "12.5");
  {
    ScopedFontDirectory other(std::string(kPinnedFolder) + "/");
    EXPECT_TRUE(SamePixels(text_test::Rendered({-13}, "12.5")->bitmap, before->bitmap));
  }
  EXPECT_TRUE(SamePixels(text_test::Rendered({-13}, "12.5")->bitmap, before->bitmap));
}

TEST(TextFonts, InstalledNamesResolveToMetricCompatibleFaces) {
  if (!std::filesystem::is_directory(kInstalledLiberation)) GTEST_SKIP() << "Liberation fonts not installed";
  ScopedFontDirectory installed("");
  EXPECT_EQ(FaceFileName("Arial"), "LiberationSans-Regular.ttf");
  EXPECT_EQ(FaceFileName("MS Sans Serif", {fsBold}), "LiberationSans-Bold.ttf");
  EXPECT_EQ(FaceFileName("segoe ui"), "LiberationSans-Regular.ttf");
  EXPECT_EQ(FaceFileName("Times New Roman", {fsItalic}), "LiberationSerif-Italic.ttf");
  EXPECT_EQ(FaceFileName("Courier New", {fsBold, fsItalic}), "LiberationMono-BoldItalic.ttf");
  TBitmap bitmap(10, 10);
  bitmap.Canvas().Font().SetName("Arial");
  bitmap.Canvas().Font().SetHeight(-13);
  EXPECT_EQ(bitmap.Canvas().TextHeight(""), 15);
}

TEST(TextFonts, OtherInstalledNamesGoToFontconfig) {
  if (!std::filesystem::is_directory(kInstalledLiberation)) GTEST_SKIP() << "Liberation fonts not installed";
  ScopedFontDirectory installed("");
  // Whatever fontconfig picks for an unknown name, text is drawn and measured with it.
  TBitmap bitmap(60, 20);
  bitmap.Canvas().Font().SetName("No Such Font 42");
  EXPECT_GT(bitmap.Canvas().TextWidth("12.5"), 0);
  EXPECT_GT(bitmap.Canvas().TextHeight(""), 0);
  const std::vector<detail::FaceFile> candidates =
      detail::FaceCandidates("No Such Font 42", false, false, "");
  ASSERT_FALSE(candidates.empty());
  // The last resort is installed Liberation Sans.
  EXPECT_EQ(std::filesystem::path(candidates.back().path).filename(), "LiberationSans-Regular.ttf");
}

}  // namespace
}  // namespace nox
