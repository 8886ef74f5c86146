// Replacing files in one step: a write that fails leaves the folder exactly as it was (the old file
// and nothing else), a write that succeeds keeps the link and the permissions of what it replaces.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <span>
#include <string>

#include "platform/bitmap.h"
#include "platform/file_replace.h"
#include "support/child_process.h"

namespace nox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using TWrite = std::function<void(const std::string& path)>;

fs::path FreshFolder(const std::string& name) {
  const fs::path dir = fs::path(NOX_TEST_OUTPUT_DIR) / "file_replace" / name;
  std::error_code ignored;
  fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ignored);  // a read-only run before
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void Put(const fs::path& file, const std::string& text) { std::ofstream(file, std::ios::binary) << text; }

std::string Content(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every entry below dir: its kind and a hash of its content.
std::map<std::string, std::string> Listing(const fs::path& dir) {
  std::map<std::string, std::string> entries;
  for (const fs::directory_entry& e : fs::recursive_directory_iterator(dir)) {
    const fs::file_status s = fs::symlink_status(e.path());
    const std::string content = fs::is_regular_file(s) ? Content(e.path()) : "";
    entries[e.path().lexically_relative(dir).string()] =
        std::to_string(int(s.type())) + ": " + std::to_string(std::hash<std::string>()(content));
  }
  return entries;
}

// Noise does not compress: its PNG file is far larger than the file size limit below.
void SaveNoise(const std::string& path) {
  TBitmap noise(160, 160);
  std::uint32_t seed = 12345;
  for (std::uint32_t& p : std::span(noise.Bits(), 160 * 160))
    p = 0xFF000000u | ((seed = seed * 1664525u + 1013904223u) >> 8);
  noise.SaveToPngFile(path);
}

// Each write in a child process, so that a file size limit stays there.
TEST(FileReplace, AFailedWriteLeavesTheFolderAsItWas) {
  const std::pair<const char*, TWrite> writers[] = {
      {"PNG export", SaveNoise},
      {"bytes", [](const std::string& path) { ReplaceFile(path, "stored form", std::string(100000, 'x')); }}};
  const struct {
    const char* What;
    const char* Reason;
    const char* Target;  // in the folder sub
    std::function<void(const fs::path& target)> Prepare;
    rlim_t FileSizeLimit = RLIM_INFINITY;
    bool ReadOnlyFolder = false;
  } cases[] = {
      // A full disk fails the same writes as a file size limit, which binds root too.
      {"a full disk", "File too large", "chart", [](const fs::path& target) { Put(target, "old"); }, 16384},
      {"a directory in the way", "Is a directory", "chart",
       [](const fs::path& target) {
         fs::create_directory(target);
         Put(target / "inside", "kept");
       }},
      {"a missing folder", "No such file or directory", "none/chart", [](const fs::path&) {}},
      // Renamed over, a FIFO or a device would be gone.
      {"a FIFO in the way", "it is not a regular file", "chart",
       [](const fs::path& target) { ::mkfifo(target.c_str(), 0644); }},
      // Root writes into any folder: there the row checks nothing.
      {"a read-only folder", "Permission denied", "chart", [](const fs::path& target) { Put(target, "old"); },
       RLIM_INFINITY, true}};
  for (const auto& c : cases) {
    for (const auto& writer : writers) {
      SCOPED_TRACE(std::string(c.What) + ", " + writer.first);
      const fs::path dir = FreshFolder("failure");
      const fs::path target = dir / "sub" / c.Target;
      fs::create_directory(dir / "sub");
      c.Prepare(target);
      if (c.ReadOnlyFolder) fs::permissions(dir / "sub", fs::perms::owner_read | fs::perms::owner_exec);
      const bool readOnlyForUs = ::access((dir / "sub").c_str(), W_OK) != 0;
      const auto before = Listing(dir);
      const test::TChildResult child = test::RunInChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead of ending the process
        const rlimit limit{c.FileSizeLimit, c.FileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
          writer.second(target.string());
        } catch (const EFileError& e) {
          return std::string(e.what());
        }
        return std::string("written");
      });
      fs::permissions(dir / "sub", fs::perms::owner_all);
      if (c.ReadOnlyFolder && !readOnlyForUs) continue;
      EXPECT_THAT(child.Output, HasSubstr("'" + target.string() + "': " + c.Reason));
      EXPECT_EQ(Listing(dir), before);
    }
  }
}

TEST(FileReplace, ReplacesThroughALinkKeepingThePermissions) {
  const fs::path dir = FreshFolder("success");
  Put(dir / "real.json", "old");
  fs::permissions(dir / "real.json", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  fs::create_symlink("real.json", dir / "link.json");
  ReplaceFile((dir / "link.json").string(), "stored form", "new");
  EXPECT_TRUE(fs::is_symlink(dir / "link.json"));
  EXPECT_EQ(Content(dir / "real.json"), "new");
  EXPECT_EQ(fs::status(dir / "real.json").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(Listing(dir).size(), 2u);  // no temporary file left
}

}  // namespace
}  // namespace nox
