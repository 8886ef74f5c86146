#include "chart/render/text_lines.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

namespace nox::detail {
namespace {

TEST(TextLines, BreaksOnlyAtLineFeedsAndKeepsEmptyLines) {
  const struct {
    std::string_view text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {""}},
      {"one", {"one"}},
      {"a\nb", {"a", "b"}},
      {"a\n", {"a", ""}},
      {"\n\n", {"", "", ""}},
      {"a\r\nb", {"a\r", "b"}},  // a carriage return stays part of its line
  };
  for (const auto& c : cases) {
    std::vector<std::string> lines;
    ForEachLine(c.text, [&lines](std::string_view line) { lines.emplace_back(line); });
    EXPECT_EQ(lines, c.lines) << c.text;
  }
}

}  // namespace
}  // namespace nox::detail
