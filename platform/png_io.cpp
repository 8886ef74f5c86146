// PNG files through libpng: saving 8-bit RGB, loading any PNG as RGB.
//
// libpng reports errors by longjmp. Every function here that calls setjmp holds only plain C data
// (pointers, integers and the reader or writer record), so a jump never skips a C++ destructor; vectors,
// strings and the cleanup guards live in the callers, which never call setjmp themselves.
#include "platform/bitmap.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_replace.h"
#include "platform/regular_file.h"

namespace nox {

namespace {

// The largest chunk libpng may allocate for (the image data streams through and does not count).
// The chunks still read are tiny (a palette holds 768 bytes, tRNS 256), so a chunk beyond this
// is a broken or hostile file.
constexpr png_alloc_size_t kMaxPngChunkBytes = 64 * 1024;

// What a libpng error handler leaves for the caller: the library's message.
struct PngErrorText {
  char Text[256] = "";
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* error = static_cast<PngErrorText*>(png_get_error_ptr(png));
  std::snprintf(error->Text, sizeof error->Text, "%s", message ? message : "unknown libpng error");
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}  // warnings do not stop reading or writing

// ---- writing

struct PngWriter {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  std::FILE* File = nullptr;  // the replacement's temporary file
  PngErrorText Error;
};

// One row of the image as PNG's red, green and blue bytes.
void PackRgbRow(const std::uint32_t* src, int width, png_bytep row) {
  for (int x = 0; x < width; ++x) {
    row[3 * x] = static_cast<png_byte>(src[x] >> 16);
    row[3 * x + 1] = static_cast<png_byte>(src[x] >> 8);
    row[3 * x + 2] = static_cast<png_byte>(src[x]);
  }
}

// Encodes the image; rowBuffer holds 3 * width bytes. Returns false with Error set.
bool EncodePng(PngWriter& w, const std::uint32_t* pixels, int width, int height, png_bytep rowBuffer) {
  if (setjmp(png_jmpbuf(w.Png))) return false;
  png_init_io(w.Png, w.File);
  png_set_IHDR(w.Png, w.Info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(w.Png, w.Info);
  for (int y = 0; y < height; ++y) {
    PackRgbRow(pixels + static_cast<std::size_t>(y) * static_cast<std::size_t>(width), width, rowBuffer);
    png_write_row(w.Png, rowBuffer);
  }
  png_write_end(w.Png, nullptr);
  return true;
}

// Frees libpng's state on every path out of SaveToPngFile.
struct PngWriterGuard {
  PngWriter& W;
  ~PngWriterGuard() {
    if (W.Png) png_destroy_write_struct(&W.Png, &W.Info);
  }
};

// ---- reading

struct PngReader {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  std::FILE* File = nullptr;  // owned by the caller's TRegularFile
  PngErrorText Error;
};

// Reads the header and sets up the conversion to 8-bit RGB with a filler byte, which makes every
// row 4 bytes per pixel. Returns false with Error set.
bool ReadPngHeader(PngReader& r, png_uint_32* width, png_uint_32* height) {
  if (setjmp(png_jmpbuf(r.Png))) return false;
  png_init_io(r.Png, r.File);
  // libpng refuses larger images itself, before it allocates anything for them.
  png_set_user_limits(r.Png, kMaxBitmapSide, kMaxBitmapSide);
  // Only the pixels are wanted: every ancillary chunk but tRNS (texts, colour profiles, ...) is
  // skipped unread, so a chunk whose length claims gigabytes costs nothing. libpng would otherwise
  // allocate what a text chunk claims before finding the file too short.
  png_set_keep_unknown_chunks(r.Png, PNG_HANDLE_CHUNK_NEVER, nullptr, -1);
  png_set_chunk_malloc_max(r.Png, kMaxPngChunkBytes);
  png_read_info(r.Png, r.Info);
  const png_byte colorType = png_get_color_type(r.Png, r.Info);
  png_set_strip_16(r.Png);
  png_set_packing(r.Png);
  if (colorType == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(r.Png);
  if (colorType == PNG_COLOR_TYPE_GRAY || colorType == PNG_COLOR_TYPE_GRAY_ALPHA) {
    png_set_expand_gray_1_2_4_to_8(r.Png);
    png_set_gray_to_rgb(r.Png);
  }
  png_set_strip_alpha(r.Png);
  png_set_bgr(r.Png);
  png_set_filler(r.Png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(r.Png);
  png_read_update_info(r.Png, r.Info);
  if (png_get_rowbytes(r.Png, r.Info) != static_cast<std::size_t>(png_get_image_width(r.Png, r.Info)) * 4) {
    std::snprintf(r.Error.Text, sizeof r.Error.Text, "unexpected PNG row layout after conversion");
    return false;
  }
  *width = png_get_image_width(r.Png, r.Info);
  *height = png_get_image_height(r.Png, r.Info);
  return true;
}

bool ReadPngRows(PngReader& r, png_bytepp rows) {
  if (setjmp(png_jmpbuf(r.Png))) return false;
  png_read_image(r.Png, rows);
  png_read_end(r.Png, nullptr);
  return true;
}

struct PngReaderGuard {
  PngReader& R;
  ~PngReaderGuard() {
    if (R.Png) png_destroy_read_struct(&R.Png, R.Info ? &R.Info : nullptr, nullptr);
  }
};

}  // namespace

void TBitmap::SaveToPngFile(const std::string& path) const {
  if (Empty()) {
    throw EFileError("cannot write an empty image (" + std::to_string(m_width) + " x " +
                     std::to_string(m_height) + ") to PNG file '" + path + "'");
  }
  std::vector<png_byte> rowBuffer(static_cast<std::size_t>(m_width) * 3);
  TFileReplacement out(path, "PNG file");
  PngWriter w;
  PngWriterGuard guard{w};
  w.File = out.File();
  w.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &w.Error, OnPngError, OnPngWarning);
  if (w.Png) w.Info = png_create_info_struct(w.Png);
  if (!w.Png || !w.Info) out.Fail("out of memory");
  if (!EncodePng(w, m_pixels.data(), m_width, m_height, rowBuffer.data())) out.Fail(w.Error.Text);
  out.Commit();
}

void TBitmap::LoadFromPngFile(const std::string& path) {
  TRegularFile file(path);
  PngReader r;
  PngReaderGuard guard{r};
  r.File = file.File();
  png_byte signature[8];
  const std::size_t got = std::fread(signature, 1, sizeof signature, r.File);
  if (std::ferror(r.File)) throw EFileError("cannot read PNG file '" + path + "': " + std::strerror(errno));
  if (got != sizeof signature || png_sig_cmp(signature, 0, sizeof signature) != 0) {
    throw EInvalidGraphic("'" + path + "' is not a PNG file");
  }
  r.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &r.Error, OnPngError, OnPngWarning);
  if (r.Png) r.Info = png_create_info_struct(r.Png);
  if (!r.Png || !r.Info) throw EInvalidGraphic("cannot read PNG file '" + path + "': out of memory");
  png_set_sig_bytes(r.Png, sizeof signature);

  png_uint_32 width = 0;
  png_uint_32 height = 0;
  if (!ReadPngHeader(r, &width, &height))
    throw EInvalidGraphic("'" + path + "': invalid PNG: " + r.Error.Text);
  try {
    CheckBitmapSize(width, height);
  } catch (const EInvalidGraphic& e) {
    throw EInvalidGraphic("'" + path + "': " + e.what());
  }

  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width) * height);
  std::vector<png_bytep> rows(height);
  for (png_uint_32 y = 0; y < height; ++y) {
    rows[y] = reinterpret_cast<png_bytep>(pixels.data() + static_cast<std::size_t>(y) * width);
  }
  if (!ReadPngRows(r, rows.data())) throw EInvalidGraphic("'" + path + "': invalid PNG: " + r.Error.Text);

  // Each pixel arrived as the bytes blue, green, red, 0xFF; compose the value whatever the byte order.
  for (std::uint32_t& p : pixels) {
    const auto* b = reinterpret_cast<const std::uint8_t*>(&p);
    p = 0xFF000000u | (std::uint32_t{b[2]} << 16) | (std::uint32_t{b[1]} << 8) | b[0];
  }
  Adopt(static_cast<int>(width), static_cast<int>(height), std::move(pixels));
}

}  // namespace nox
