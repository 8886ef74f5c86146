#pragma once
// Reading files that ought to be pictures, safely: only regular files are opened. A FIFO would
// block the reader until somebody writes to it, a device such as /dev/zero never ends, a directory
// is no picture. The path is checked before it is opened (opening some devices has effects of its
// own) and the opened file again (so that nothing swapped in between slips past), and the open
// itself never waits. Errors are EFileError: "cannot read file 'pipe.bmp': it is not a regular file".

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace nox {

// What tells one state of a file from another: which file it is, its size and when it was last
// modified (to the nanosecond, as far as the file system keeps it).
struct TFileStamp {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::int64_t Size = 0;
  std::int64_t ModifiedNs = 0;

  bool operator==(const TFileStamp&) const = default;
};

// The stamp of the regular file at path, without opening it.
TFileStamp RegularFileStamp(const std::string& path);

// A regular file open for reading.
class TRegularFile {
 public:
  explicit TRegularFile(const std::string& path);
  ~TRegularFile();
  TRegularFile(const TRegularFile&) = delete;
  TRegularFile& operator=(const TRegularFile&) = delete;

  std::FILE* File() const { return m_file; }
  const TFileStamp& Stamp() const { return m_stamp; }
  // The whole content; nothing when the file holds more than maxBytes (refused by its size before
  // anything is read; a file that grows meanwhile is read no further than maxBytes + 1).
  std::optional<std::vector<std::uint8_t>> ReadAll(std::size_t maxBytes);

 private:
  std::string m_path;
  std::FILE* m_file = nullptr;
  TFileStamp m_stamp;
};

}  // namespace nox
