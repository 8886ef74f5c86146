#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <utility>

#include "platform/object.h"

namespace nox {

namespace {

// The file a write replaces: where a symbolic link points, so that the link itself stays.
std::string ResolvedTarget(const std::string& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path;
  std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
  return error ? path : resolved.string();
}

// A hidden name beside target that no other writer picks: the process id and a count set writers of
// one process and of several apart; O_EXCL catches what is left.
std::string TemporaryName(const std::string& target) {
  static std::atomic<unsigned> s_count{0};
  const std::filesystem::path p(target);
  const std::string name = "." + p.filename().string() + "." + std::to_string(::getpid()) + "-" +
                           std::to_string(s_count++) + ".tmp";
  return (p.parent_path() / name).string();
}

}  // namespace

TFileReplacement::TFileReplacement(const std::string& path, std::string_view kind)
    : m_path(path), m_kind(kind), m_target(ResolvedTarget(path)) {
  struct stat old {};
  const bool exists = ::stat(m_target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) FailWith(EISDIR);
  if (exists && !S_ISREG(old.st_mode)) Throw("it is not a regular file");
  // A file its user may not write stays protected, although the folder would allow the rename.
  if (exists && ::access(m_target.c_str(), W_OK) != 0) FailWith(errno);
  int fd = -1;
  for (int attempt = 0; fd < 0; ++attempt) {
    m_temporary = TemporaryName(m_target);
    fd = ::open(m_temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && (errno != EEXIST || attempt == 100)) {
      const int error = errno;
      m_temporary.clear();
      FailWith(error);
    }
  }
  // A replaced file keeps its permissions; a new one has 0666 under the umask, as any new file.
  if (exists) ::fchmod(fd, old.st_mode & 07777);
  m_file = ::fdopen(fd, "wb");
  if (m_file == nullptr) {
    const int error = errno;
    ::close(fd);
    FailWith(error);
  }
}

TFileReplacement::~TFileReplacement() { Discard(); }

void TFileReplacement::Discard() {
  if (m_file != nullptr) std::fclose(std::exchange(m_file, nullptr));
  if (!m_temporary.empty()) ::unlink(std::exchange(m_temporary, std::string()).c_str());
}

void TFileReplacement::Commit() {
  std::FILE* file = std::exchange(m_file, nullptr);
  // Buffered bytes meet a full disk only when flushed, and a network file system may report its
  // errors at the sync or the close.
  int error = 0;
  errno = 0;
  if (std::fflush(file) != 0 || std::ferror(file)) error = errno != 0 ? errno : EIO;
  if (error == 0 && ::fsync(::fileno(file)) != 0) error = errno;
  if (std::fclose(file) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(m_temporary.c_str(), m_target.c_str()) != 0) error = errno;
  if (error != 0) FailWith(error);
  m_temporary.clear();
}

void TFileReplacement::Fail(const std::string& reason) {
  // A write that failed left its reason in errno; it says more than the writer's own words.
  const int error = m_file != nullptr && std::ferror(m_file) ? errno : 0;
  Throw(error != 0 ? std::strerror(error) : reason);
}

void TFileReplacement::FailWith(int error) { Throw(std::strerror(error)); }

void TFileReplacement::Throw(const std::string& reason) {
  Discard();
  throw EFileError("cannot write " + m_kind + " '" + m_path + "': " + reason);
}

void ReplaceFile(const std::string& path, std::string_view kind, std::string_view bytes) {
  TFileReplacement out(path, kind);
  if (std::fwrite(bytes.data(), 1, bytes.size(), out.File()) != bytes.size()) out.Fail("write error");
  out.Commit();
}

}  // namespace nox
