#include "platform/text_fonts.h"

#include <mutex>

#include "platform/text_cache.h"

namespace nox {

void SetFontDirectory(const std::string& path) {
  detail::TextCache& cache = detail::TextCache::Instance();
  const std::lock_guard lock(cache.Lock());
  cache.SetDirectory(path);
}

std::string FontDirectory() {
  detail::TextCache& cache = detail::TextCache::Instance();
  const std::lock_guard lock(cache.Lock());
  return cache.Directory();
}

}  // namespace nox
