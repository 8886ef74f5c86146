#include "support/golden.h"

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace nox::test {

namespace {

std::filesystem::path GoldenPath(const std::string& name) {
  return std::filesystem::path(NOX_TEST_DATA_DIR) / "golden" / (name + ".png");
}

std::filesystem::path OutputPath(const std::string& name, const char* suffix) {
  return std::filesystem::path(NOX_TEST_OUTPUT_DIR) / "golden" / (name + suffix);
}

void Save(const TBitmap& image, const std::filesystem::path& path) {
  std::filesystem::create_directories(path.parent_path());
  image.SaveToPngFile(path.string());
}

// Red where the images differ (or one of them has no pixel), the expected image faded elsewhere.
void DrawDiff(const TBitmap& expected, const TBitmap& actual, TBitmap& diff) {
  const int width = std::max(expected.Width(), actual.Width());
  const int height = std::max(expected.Height(), actual.Height());
  diff.SetSize(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const TColor e = expected.Pixel(x, y);
      const TColor a = actual.Pixel(x, y);
      if (e != a) {
        diff.SetPixel(x, y, clRed);
      } else {
        const auto fade = [](std::uint8_t c) { return static_cast<std::uint8_t>(191 + c / 4); };
        diff.SetPixel(x, y, RGB(fade(GetRValue(e)), fade(GetGValue(e)), fade(GetBValue(e))));
      }
    }
  }
}

}  // namespace

bool UpdatingGoldens() {
  const char* value = std::getenv("NOX_UPDATE_GOLDENS");
  return value != nullptr && std::string(value) == "1";
}

::testing::AssertionResult MatchesGolden(const TBitmap& actual, const std::string& name) {
  const std::filesystem::path golden = GoldenPath(name);
  if (UpdatingGoldens()) {
    Save(actual, golden);
    return ::testing::AssertionSuccess() << "rewrote " << golden.string();
  }
  const std::filesystem::path actualPath = OutputPath(name, ".actual.png");
  TBitmap expected;
  try {
    expected.LoadFromPngFile(golden.string());
  } catch (const Exception& e) {
    Save(actual, actualPath);
    return ::testing::AssertionFailure()
           << "golden " << golden.string() << " cannot be read (" << e.what() << "); the actual image is "
           << actualPath.string() << "; run with NOX_UPDATE_GOLDENS=1 to create it";
  }
  if (SamePixels(expected, actual)) return ::testing::AssertionSuccess();

  long long differing = 0;
  int firstX = -1;
  int firstY = -1;
  for (int y = 0; y < std::max(expected.Height(), actual.Height()); ++y) {
    for (int x = 0; x < std::max(expected.Width(), actual.Width()); ++x) {
      if (expected.Pixel(x, y) == actual.Pixel(x, y)) continue;
      if (differing++ == 0) {
        firstX = x;
        firstY = y;
      }
    }
  }
  const std::filesystem::path diffPath = OutputPath(name, ".diff.png");
  Save(actual, actualPath);
  TBitmap diff;
  DrawDiff(expected, actual, diff);
  Save(diff, diffPath);
  std::ostringstream message;
  message << "image differs from golden " << golden.string() << ": expected " << expected.Width() << "x"
          << expected.Height() << ", actual " << actual.Width() << "x" << actual.Height() << "; " << differing
          << " pixels differ";
  if (differing > 0) {
    message << ", the first at (" << firstX << ", " << firstY << "): expected 0x" << std::hex
            << expected.Pixel(firstX, firstY) << ", actual 0x" << actual.Pixel(firstX, firstY) << std::dec;
  }
  message << ". Actual: " << actualPath.string() << ", diff: " << diffPath.string()
          << ". If the change is intended, run with NOX_UPDATE_GOLDENS=1.";
  return ::testing::AssertionFailure() << message.str();
}

}  // namespace nox::test
