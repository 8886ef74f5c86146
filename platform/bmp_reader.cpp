// Loading device-independent bitmap files into a TBitmap.
#include "platform/bitmap.h"

#include <optional>
#include <string>
#include <utility>

#include "platform/bmp_layout.h"
#include "platform/regular_file.h"

namespace nox {

namespace {

// No valid BMP within the bitmap limits comes near this: 32-bit pixels top out at kMaxBitmapBytes.
constexpr std::size_t kMaxBmpFileBytes = kMaxBitmapBytes + (std::size_t{16} << 20);

std::vector<std::uint8_t> ReadBmpFile(const std::string& path) {
  std::optional<std::vector<std::uint8_t>> bytes = TRegularFile(path).ReadAll(kMaxBmpFileBytes);
  if (!bytes) {
    throw EInvalidGraphic("'" + path + "' is larger than " + std::to_string(kMaxBmpFileBytes >> 20) +
                          " MiB, more than a BMP file within the bitmap limits can be");
  }
  return std::move(*bytes);
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
  const std::vector<std::uint8_t> data = ReadBmpFile(path);
  try {
    LoadFromBmpData(data);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("'" + path + "': " + e.what());
  }
}

}  // namespace nox
