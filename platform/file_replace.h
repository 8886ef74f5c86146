#pragma once
// Writing a file so that nobody ever sees it half-written.
//
// The new content goes to a temporary file beside the target (in the same folder, so that the final
// rename stays inside one file system), is flushed to the disk, and is then renamed over the target
// in one step. Until that step the old file is untouched. On any failure (disk full, a file size
// limit, no permission, a missing folder, a directory or device where the file should be) the
// temporary file is removed, the old file stays as it was, and EFileError says what failed and for
// which path: "cannot write PNG file 'out/chart.png': No space left on device".
//
// A target that is a symbolic link is replaced where the link points, so the link stays; a new file
// gets the permissions of the file it replaces (or the usual ones under the umask). Only regular
// files are replaced: writing over a directory, a FIFO or a device is refused up front.

#include <cstdio>
#include <string>
#include <string_view>

namespace nox {

class TFileReplacement {
 public:
  // Creates the temporary file for path; kind names the content in messages ("PNG file").
  TFileReplacement(const std::string& path, std::string_view kind);
  // Removes the temporary file unless Commit has put it in place.
  ~TFileReplacement();
  TFileReplacement(const TFileReplacement&) = delete;
  TFileReplacement& operator=(const TFileReplacement&) = delete;

  // Where the new content is written.
  std::FILE* File() const { return m_file; }
  // Flushes, syncs and closes the temporary file, then renames it over the target.
  void Commit();
  // Gives up: throws EFileError with reason, or with the system's error when writing to File() failed.
  [[noreturn]] void Fail(const std::string& reason);

 private:
  [[noreturn]] void FailWith(int error);
  [[noreturn]] void Throw(const std::string& reason);
  // Closes and removes the temporary file, if there still is one.
  void Discard();

  std::string m_path;       // as the caller named it, for messages
  std::string m_kind;       // "PNG file", "stored form"
  std::string m_target;     // the file that is replaced (a symbolic link resolved)
  std::string m_temporary;  // beside m_target; empty once renamed or removed
  std::FILE* m_file = nullptr;
};

// Replaces the file at path with bytes, as TFileReplacement does.
void ReplaceFile(const std::string& path, std::string_view kind, std::string_view bytes);

}  // namespace nox
