#include "common/text_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "test_support.h"

namespace tralva {
namespace {

namespace fs = std::filesystem;

std::size_t files_in(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(OutputFile, ReplacesTheTargetOnlyWhenCommitted) {
  test::TempDir dir;
  const std::string target = dir.file("out.txt");
  test::write_file(target, "old");
  {
    OutputFile file;
    ASSERT_TRUE(file.open(target));
    file.write("new");
    file.line_end();
    EXPECT_EQ(test::read_file(target), "old");
    ASSERT_TRUE(file.commit());
  }
  EXPECT_EQ(test::read_file(target), "new\r\n");
  EXPECT_EQ(files_in(dir.path()), 1u);
}

TEST(OutputFile, AnAbandonedWriteLeavesTheOldFileAndNoLitter) {
  test::TempDir dir;
  const std::string target = dir.file("out.txt");
  test::write_file(target, "old");
  {
    OutputFile file;
    ASSERT_TRUE(file.open(target));
    file.write("half");
  }
  EXPECT_EQ(test::read_file(target), "old");
  EXPECT_EQ(files_in(dir.path()), 1u);
}

TEST(OutputFile, AWriteThatFailsHalfWayKeepsTheOldFile) {
  // A file size limit makes write() fail like a full disk.
  test::TempDir dir;
  const std::string target = dir.file("out.txt");
  test::write_file(target, "precious");
  for (const bool in_blocks : {false, true}) {
    bool committed = true;
    {
      const test::FileSizeLimit limit(100000);
      OutputFile file;
      ASSERT_TRUE(file.open(target));
      const std::string block(200000, 'x');
      const std::string_view blocks[] = {block};
      if (in_blocks) file.write_blocks(blocks);
      for (int i = 0; i < 50000; ++i) file.write("0123456789");
      committed = file.commit();
    }
    EXPECT_FALSE(committed);
    EXPECT_EQ(test::read_file(target), "precious");
    EXPECT_EQ(files_in(dir.path()), 1u);
  }
}

TEST(OutputFile, BlocksGoOutInOrderWithTheBuffer) {
  test::TempDir dir;
  OutputFile file;
  ASSERT_TRUE(file.open(dir.file("out")));
  file.write("head ");
  const std::string big(3 << 20, 'b');
  const std::string_view blocks[] = {"one ", "", big, " two"};
  file.write_blocks(blocks);
  file.write(" tail");
  ASSERT_TRUE(file.commit(OutputFile::Durability::leave_to_system));
  EXPECT_EQ(test::read_file(dir.file("out")), "head one " + big + " two tail");
}

TEST(OutputFile, CannotOpenInAMissingFolderOrOverAFolder) {
  test::TempDir dir;
  OutputFile file;
  EXPECT_FALSE(file.open(dir.file("missing/out.txt")));
  fs::create_directory(dir.file("sub"));
  EXPECT_FALSE(file.open(dir.file("sub")));
}

TEST(OutputFile, KeepsThePermissionsOfTheReplacedFileAndFollowsLinks) {
  test::TempDir dir;
  const std::string real = dir.file("real.txt");
  test::write_file(real, "old");
  chmod(real.c_str(), 0640);
  fs::create_symlink(real, dir.file("link.txt"));
  OutputFile file;
  ASSERT_TRUE(file.open(dir.file("link.txt")));
  file.write("new");
  ASSERT_TRUE(file.commit(OutputFile::Durability::leave_to_system));
  EXPECT_TRUE(fs::is_symlink(dir.file("link.txt")));
  EXPECT_EQ(test::read_file(real), "new");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(OutputFile, LargeWritesThroughTheRoomInterface) {
  test::TempDir dir;
  OutputFile file;
  ASSERT_TRUE(file.open(dir.file("big")));
  std::string expected;
  for (int i = 0; i < 300000; ++i) {
    char* p = file.room(16);
    const int n = std::snprintf(p, 16, "%d\r\n", i);
    file.wrote(p + n);
    expected.append(p, static_cast<std::size_t>(n));
  }
  ASSERT_TRUE(file.commit());
  EXPECT_EQ(test::read_file(dir.file("big")), expected);
}

}  // namespace
}  // namespace tralva
