#pragma once
// Text items and text labels break their text into lines at line feeds, and only there: a text
// ending in a line feed has an empty last line, an empty text one empty line.

#include <string_view>
#include <vector>

namespace nox::detail {

// Calls f(line) for each line of text, in order.
template <class F>
void ForEachLine(std::string_view text, F&& f) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      f(text.substr(start));
      return;
    }
    f(text.substr(start, end - start));
    start = end + 1;
  }
}

// The lines of text, in order.
inline std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  ForEachLine(text, [&lines](std::string_view line) { lines.push_back(line); });
  return lines;
}

}  // namespace nox::detail
