#include "chart/model/chart_item.h"

#include <utility>

namespace nox {

bool TShortText::Assign(std::string_view text) {
  const std::size_t n = std::min(text.size(), static_cast<std::size_t>(kCapacity));
  std::fill(std::begin(Chars), std::end(Chars), '\0');
  std::copy_n(text.begin(), n, Chars);
  Length = static_cast<std::uint8_t>(n);
  return n == text.size();
}

const std::string& TLongTextArray::operator[](int index) const {
  static const std::string kEmpty;
  if (index < 1 || index > kSize) return kEmpty;
  return m_entries[static_cast<std::size_t>(index - 1)];
}

bool TLongTextArray::Set(int index, std::string text) {
  if (index < 1 || index > kSize) return false;
  m_entries[static_cast<std::size_t>(index - 1)] = std::move(text);
  return true;
}

void TLongTextArray::Clear() {
  for (std::string& entry : m_entries) entry.clear();
}

}  // namespace nox
