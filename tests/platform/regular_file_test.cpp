// Files read as pictures: only regular files are opened, none is read beyond what a picture within
// the limits can need, and the stamp tells a changed file from an unchanged one.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/bitmap.h"
#include "platform/regular_file.h"
#include "support/bmp_writer.h"
#include "support/child_process.h"

namespace nox {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

// One folder per test, as tests run in parallel.
fs::path FreshFolder(const std::string& name) {
  const fs::path dir = fs::path(NOX_TEST_OUTPUT_DIR) / "regular_file" / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

void Put(const fs::path& file, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Each case in a child of its own, so that a reader that blocks is stopped and what it reads counts.
TEST(RegularFile, AnythingButAFileOfAPossibleSizeIsRefusedUnreadAndWithoutWaiting) {
  const fs::path dir = FreshFolder("refused");
  const std::string fifo = (dir / "pipe.bmp").string();
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const fs::path huge = dir / "huge.bmp";  // a valid start, then a gigabyte of (sparse) nothing
  test::BmpContent dot;
  dot.Values = {0};
  Put(huge, test::WriteBmp(dot));
  fs::resize_file(huge, std::uintmax_t{1} << 30);
  const struct {
    std::string Path;
    bool Png;
    const char* Reason;
  } cases[] = {
      {fifo, false, "it is not a regular file"},        {fifo, true, "it is not a regular file"},
      {"/dev/zero", false, "it is not a regular file"}, {dir.string(), false, "it is a directory"},
      {dir.string(), true, "it is a directory"},        {huge.string(), false, "is larger than 160 MiB"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Path + (c.Png ? " as PNG" : " as BMP"));
    const test::TChildResult child = test::RunInChild(
        [&] {
          TBitmap picture;
          try {
            c.Png ? picture.LoadFromPngFile(c.Path) : picture.LoadFromFile(c.Path);
          } catch (const Exception& e) {
            return std::string(e.what());
          }
          return std::string("loaded");
        },
        20);
    ASSERT_TRUE(child.Finished) << "blocked or crashed";
    EXPECT_THAT(child.Output, HasSubstr(c.Reason));
    EXPECT_LT(child.MemoryGrowthKiB, 16 * 1024) << "memory spent on a refused file";
  }
}

TEST(RegularFile, TheStampChangesWithTheFileItsSizeAndItsModificationTime) {
  const fs::path dir = FreshFolder("stamp");
  const fs::path file = dir / "picture.bmp";
  Put(file, {1, 2, 3});
  const TFileStamp first = RegularFileStamp(file.string());
  EXPECT_EQ(RegularFileStamp(file.string()), first);
  EXPECT_EQ(TRegularFile(file.string()).Stamp(), first);

  Put(file, {1, 2, 3, 4});  // rewritten in place
  EXPECT_NE(RegularFileStamp(file.string()).Size, first.Size);

  Put(dir / "other.bmp", {1, 2, 3, 4});
  const auto modified = fs::last_write_time(file);
  fs::last_write_time(dir / "other.bmp", modified);
  const TFileStamp before = RegularFileStamp(file.string());
  fs::rename(dir / "other.bmp", file);  // another file of the same size and time in its place
  EXPECT_NE(RegularFileStamp(file.string()), before);

  const TFileStamp renamed = RegularFileStamp(file.string());
  fs::last_write_time(file, modified + std::chrono::seconds(1));  // the same file, touched
  EXPECT_NE(RegularFileStamp(file.string()), renamed);
}

}  // namespace
}  // namespace nox
