#include "platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/object.h"

namespace nox {

namespace {

[[noreturn]] void Fail(const std::string& path, const std::string& what) {
  throw EFileError("cannot read file '" + path + "': " + what);
}

// The stamp of a regular file; anything else is refused.
TFileStamp StampOf(const std::string& path, const struct stat& st) {
  if (S_ISDIR(st.st_mode)) Fail(path, "it is a directory");
  if (!S_ISREG(st.st_mode)) Fail(path, "it is not a regular file");
  return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
          static_cast<std::int64_t>(st.st_size),
          static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

}  // namespace

TFileStamp RegularFileStamp(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) Fail(path, std::strerror(errno));
  return StampOf(path, st);
}

TRegularFile::TRegularFile(const std::string& path) : m_path(path) {
  RegularFileStamp(path);
  // Without O_NONBLOCK, opening a FIFO put in place after the check would wait for a writer; a
  // regular file reads the same with it.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) Fail(path, std::strerror(errno));
  struct stat st {};
  try {
    if (::fstat(fd, &st) != 0) Fail(path, std::strerror(errno));
    m_stamp = StampOf(path, st);
  } catch (...) {
    ::close(fd);
    throw;
  }
  m_file = ::fdopen(fd, "rb");
  if (m_file == nullptr) {
    const int error = errno;
    ::close(fd);
    Fail(path, std::strerror(error));
  }
}

TRegularFile::~TRegularFile() {
  if (m_file != nullptr) std::fclose(m_file);
}

std::optional<std::vector<std::uint8_t>> TRegularFile::ReadAll(std::size_t maxBytes) {
  if (static_cast<std::uint64_t>(m_stamp.Size) > maxBytes) return std::nullopt;
  // Sized by what the file holds, one byte more to meet its end without growing; a file that has
  // grown since grows the buffer, up to one byte beyond the limit.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(m_stamp.Size) + 1);
  std::size_t used = 0;
  while (true) {
    if (used == bytes.size()) {
      if (used > maxBytes) return std::nullopt;
      bytes.resize(std::min(bytes.size() * 2, maxBytes + 1));
    }
    used += std::fread(bytes.data() + used, 1, bytes.size() - used, m_file);
    if (std::ferror(m_file)) Fail(m_path, std::strerror(errno));
    if (std::feof(m_file)) break;
  }
  if (used > maxBytes) return std::nullopt;
  bytes.resize(used);
  return bytes;
}

}  // namespace nox
