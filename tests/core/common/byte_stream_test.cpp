#include "common/byte_stream.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <string>

#include "test_support.h"

namespace tralva {
namespace {

TEST(ByteStreamFile, SeeksForwardBackwardAndPastTheEnd) {
  test::TempDir dir;
  std::string text(600000, 'a');
  text[0] = 'b';
  text[500000] = 'c';
  test::write_file(dir.file("f"), text);
  ByteStream in;
  ASSERT_TRUE(in.open(dir.file("f")));
  in.seek(500000);
  EXPECT_EQ(in.get(), 'c');
  EXPECT_EQ(in.tell(), 500001);
  in.seek(0);
  EXPECT_EQ(in.get(), 'b');
  in.seek(10'000'000);
  EXPECT_EQ(in.get(), ByteStream::kEof);
  in.seek(1);
  EXPECT_EQ(in.get(), 'a');
}

TEST(ByteStreamFile, MissingFilesAndFoldersDoNotOpen) {
  test::TempDir dir;
  ByteStream in;
  EXPECT_FALSE(in.open(dir.file("missing")));
  EXPECT_EQ(in.cause(), ENOENT);
  EXPECT_FALSE(in.open(dir.path().string()));
  EXPECT_EQ(in.cause(), 0);  // refused by the stream, not by the system
}

// Every reader passes over its input more than once: a FIFO or a device
// would give other bytes each time, or none for ever.  Both are refused at
// once, without waiting for a writer and without reading.
TEST(ByteStreamFile, OnlyARegularFileOpens) {
  test::TempDir dir;
  const std::string fifo = dir.file("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  // Bounded: should the open wait for a writer, one comes after five
  // seconds and the test fails.
  auto opened = std::async(std::launch::async, [&fifo] {
    ByteStream in;
    return in.open(fifo);
  });
  if (opened.wait_for(std::chrono::seconds(5)) == std::future_status::timeout) {
    const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    opened.wait();
    if (writer >= 0) ::close(writer);
    FAIL() << "opening a FIFO without a writer waited for one";
  }
  EXPECT_FALSE(opened.get());

  // A node of this folder's own with the numbers of /dev/zero.
  const std::string zero = dir.file("zero");
  if (mknod(zero.c_str(), S_IFCHR | 0600, makedev(1, 5)) != 0) {
    GTEST_SKIP() << "cannot make a device node here: " << std::strerror(errno);
  }
  ByteStream in;
  EXPECT_FALSE(in.open(zero));
  EXPECT_EQ(in.cause(), 0);
}

TEST(ByteStreamFile, TheSameFileUnderEveryName) {
  test::TempDir dir;
  test::write_file(dir.file("a"), "1");
  test::write_file(dir.file("b"), "1");
  std::filesystem::create_hard_link(dir.file("a"), dir.file("hard"));
  std::filesystem::create_symlink(dir.file("a"), dir.file("soft"));
  ByteStream a, b, hard, soft;
  ASSERT_TRUE(a.open(dir.file("a")) && b.open(dir.file("b")) && hard.open(dir.file("hard")) &&
              soft.open(dir.file("soft")));
  ASSERT_TRUE(a.identity().has_value());
  EXPECT_EQ(hard.identity(), a.identity());
  EXPECT_EQ(soft.identity(), a.identity());
  EXPECT_NE(b.identity(), a.identity());
  EXPECT_EQ(ByteStream(std::string_view("1")).identity(), std::nullopt);
}

}  // namespace
}  // namespace tralva
