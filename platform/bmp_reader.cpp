// Loading device-independent bitmap files into a TBitmap.
#include "platform/bitmap.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "platform/bmp_layout.h"

namespace nox {

namespace {

// No valid BMP within the bitmap limits comes near this: 32-bit pixels top out at kMaxBitmapBytes.
constexpr std::size_t kMaxBmpFileBytes = kMaxBitmapBytes + (std::size_t{16} << 20);

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};

[[noreturn]] void FailFile(const std::string& path, const std::string& what, int error) {
  std::string text = "cannot read file '" + path + "': " + what;
  if (error != 0) text += std::string(": ") + std::strerror(error);
  throw EFileError(text);
}

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  errno = 0;
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) FailFile(path, "cannot open it", errno);
  // Start with what the file says it holds (one byte more, to meet the end without regrowing);
  // read straight into the buffer, growing it only if the file turns out longer.
  std::size_t capacity = 64 * 1024;
  if (std::fseek(file.get(), 0, SEEK_END) == 0) {
    const long size = std::ftell(file.get());
    if (size > 0) capacity = std::min(static_cast<std::size_t>(size), kMaxBmpFileBytes) + 1;
    std::rewind(file.get());
  }
  std::vector<std::uint8_t> bytes(capacity);
  std::size_t used = 0;
  while (true) {
    if (used == bytes.size()) bytes.resize(std::min(bytes.size() * 2, kMaxBmpFileBytes + 1));
    used += std::fread(bytes.data() + used, 1, bytes.size() - used, file.get());
    if (used > kMaxBmpFileBytes) {
      throw EInvalidGraphic("'" + path + "' is too large for a BMP file within the bitmap limits");
    }
    // A directory opens on some systems but fails here (EISDIR).
    if (std::ferror(file.get())) FailFile(path, "read error", errno);
    if (std::feof(file.get())) break;
  }
  bytes.resize(used);
  return bytes;
}

}  // namespace

void TBitmap::LoadFromBmpData(std::span<const std::uint8_t> data) {
  const detail::BmpLayout layout = detail::ReadBmpLayout(data);
  const bool rle = layout.Compression == detail::bcRle8 || layout.Compression == detail::bcRle4;
  std::vector<std::uint32_t> pixels =
      rle ? detail::DecodeRleBmp(layout, data) : detail::DecodePlainBmp(layout, data);
  Adopt(layout.Width, layout.Height, std::move(pixels));
}

void TBitmap::LoadFromFile(const std::string& path) {
  const std::vector<std::uint8_t> data = ReadWholeFile(path);
  try {
    LoadFromBmpData(data);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("'" + path + "': " + e.what());
  }
}

}  // namespace nox
