#include "common/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>

#include "child_process.h"
#include "common/temporary_cleanup.h"
#include "ordinary_user.h"
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

// A writer of several files replaces them only once every one is complete.
TEST(OutputFile, FinishedFilesReplaceTheirTargetsOnlyWhenPublished) {
  test::TempDir dir;
  test::write_file(dir.file("a.txt"), "old a");
  test::write_file(dir.file("b.txt"), "old b");
  {
    OutputFile a;
    OutputFile b;
    ASSERT_TRUE(a.open(dir.file("a.txt")) && b.open(dir.file("b.txt")));
    a.write("new a");
    b.write("new b");
    ASSERT_TRUE(a.finish() && b.finish());
    EXPECT_EQ(test::read_file(dir.file("a.txt")), "old a");
    EXPECT_EQ(test::read_file(dir.file("b.txt")), "old b");
    EXPECT_TRUE(a.publish() && b.publish());
  }
  EXPECT_EQ(test::read_file(dir.file("a.txt")), "new a");
  EXPECT_EQ(test::read_file(dir.file("b.txt")), "new b");
  // One that cannot be finished: the other, finished, goes unpublished.
  {
    OutputFile a;
    OutputFile b;
    ASSERT_TRUE(a.open(dir.file("a.txt")) && b.open(dir.file("b.txt")));
    a.write("newer a");
    EXPECT_TRUE(a.finish(OutputFile::Durability::leave_to_system));
    const test::FileSizeLimit limit(1000);
    b.write(std::string(2000, 'b'));
    EXPECT_FALSE(b.finish(OutputFile::Durability::leave_to_system));
    EXPECT_FALSE(b.publish());
  }
  EXPECT_EQ(test::read_file(dir.file("a.txt")), "new a");
  EXPECT_EQ(test::read_file(dir.file("b.txt")), "new b");
  EXPECT_EQ(test::names_in(dir.path()), (std::vector<std::string>{"a.txt", "b.txt"}));
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
  // Root replacing a user's file leaves it the user's.
  const bool root = geteuid() == 0;
  if (root) {
    ASSERT_EQ(chown(real.c_str(), 65534, 65534), 0);
  }
  fs::create_symlink(real, dir.file("link.txt"));
  OutputFile file;
  ASSERT_TRUE(file.open(dir.file("link.txt")));
  file.write("new");
  ASSERT_TRUE(file.commit(OutputFile::Durability::leave_to_system));
  EXPECT_TRUE(fs::is_symlink(dir.file("link.txt")));
  EXPECT_EQ(test::read_file(real), "new");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  struct stat st {};
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  if (root) {
    EXPECT_EQ(st.st_uid, 65534u);
  }
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

// What is not a regular file is no output: a device replaced by a regular
// file breaks every program that uses it.  The names stay what they were.
TEST(OutputFile, RefusesATargetThatIsNotARegularFile) {
  test::TempDir dir;
  ASSERT_EQ(mkfifo(dir.file("fifo").c_str(), 0666), 0);
  fs::create_directory(dir.file("folder"));
  const int listener = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const std::string socket_path = dir.file("socket");
  ASSERT_LT(socket_path.size(), sizeof address.sun_path);
  std::memcpy(address.sun_path, socket_path.c_str(), socket_path.size() + 1);
  ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  fs::create_symlink(dir.file("fifo"), dir.file("link"));
  std::vector<std::string> targets = {"fifo", "folder", "socket", "link"};
  // A node of this folder's own with the numbers of /dev/null.
  if (mknod(dir.file("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    targets.push_back("null");
  } else {
    std::printf("no device node made here (%s): that case is skipped\n", std::strerror(errno));
  }
  for (const std::string& name : targets) {
    OutputFile file;
    EXPECT_FALSE(file.open(dir.file(name))) << name;
    EXPECT_FALSE(file.commit()) << name;
  }
  ::close(listener);
  EXPECT_TRUE(fs::is_fifo(dir.file("fifo")));
  EXPECT_TRUE(fs::is_directory(dir.file("folder")));
  EXPECT_TRUE(fs::is_socket(dir.file("socket")));
  if (fs::exists(dir.file("null"))) {
    EXPECT_TRUE(fs::is_character_file(dir.file("null")));
  }
  std::sort(targets.begin(), targets.end());
  EXPECT_EQ(test::names_in(dir.path()), targets);
}

// The rename would replace a file the user made read-only: it is refused as
// opening it for writing refuses it, with the system's cause.
TEST(OutputFile, AFileTheUserMayNotWriteIsRefused) {
  test::TempDir dir;
  const std::string target = dir.file("out.txt");
  test::write_file(target, "old");
  chmod(target.c_str(), 0444);
  {
    const test::OrdinaryUser user(dir.path());
    ASSERT_TRUE(user.ready());
    OutputFile file;
    EXPECT_FALSE(file.open(target));
    EXPECT_EQ(file.cause(), EACCES);
  }
  EXPECT_EQ(test::read_file(target), "old");
  EXPECT_EQ(test::names_in(dir.path()), std::vector<std::string>{"out.txt"});
}

TEST(OutputFile, KnowsWhenItWouldReplaceTheFileItReads) {
  test::TempDir dir;
  test::write_file(dir.file("in.txt"), "1");
  test::write_file(dir.file("other.txt"), "1");
  fs::create_hard_link(dir.file("in.txt"), dir.file("hard.txt"));
  fs::create_symlink(dir.file("in.txt"), dir.file("soft.txt"));
  ByteStream in;
  ASSERT_TRUE(in.open(dir.file("in.txt")));
  const auto replaces = [&](const char* name) {
    OutputFile file;
    return file.open(dir.file(name)) && file.replaces(in);
  };
  EXPECT_TRUE(replaces("in.txt"));
  EXPECT_TRUE(replaces("hard.txt"));
  EXPECT_TRUE(replaces("soft.txt"));
  EXPECT_FALSE(replaces("other.txt"));
  EXPECT_FALSE(replaces("new.txt"));
}

TEST(OutputFile, WhatDoesNotFitIsRefusedBeforeItIsWritten) {
  test::TempDir dir;
  {
    OutputFile file;
    ASSERT_TRUE(file.open(dir.file("out.txt")));
    EXPECT_FALSE(file.reserve(std::uint64_t{1} << 62));  // more than any disk
    EXPECT_EQ(file.cause(), ENOSPC);
    EXPECT_TRUE(file.failed());
    EXPECT_TRUE(test::names_in(dir.path()).empty());  // the temporary file is gone already
    EXPECT_FALSE(file.commit());
  }
  const test::SmallTmpfs disk(dir.path(), 1 << 20);
  if (!disk.mounted()) GTEST_SKIP() << "no small file system to fill: " << disk.reason();
  OutputFile half;
  ASSERT_TRUE(half.open(disk.file("half")));
  ASSERT_TRUE(half.reserve(512 << 10));
  half.write(std::string(512 << 10, 'x'));
  ASSERT_TRUE(half.commit());
  OutputFile more;
  ASSERT_TRUE(more.open(disk.file("more")));
  EXPECT_FALSE(more.reserve(600 << 10));
  EXPECT_EQ(more.cause(), ENOSPC);
  EXPECT_EQ(test::names_in(disk.path()), std::vector<std::string>{"half"});
}

// A disk whose free blocks are partly kept for another user (the reserve of
// a disk made for a service's account): 200 GB free, 77 GB of them usable
// by anyone else.
class DiskWithAReserve final : public SystemFileCalls {
 public:
  static constexpr std::uint64_t kBlock = 4096;
  int fstatvfs(int, struct statvfs* space) override {
    *space = {};
    space->f_bsize = space->f_frsize = kBlock;
    space->f_blocks = 300'000'000'000 / kBlock;
    space->f_bfree = 200'000'000'000 / kBlock;
    space->f_bavail = 77'000'000'000 / kBlock;
    return 0;
  }
};

// Only what an ordinary writer may use counts, as df counts it, whoever
// writes: root too would otherwise start a 140 GB result in 77 GB.
TEST(OutputFile, RoomIsWhatAnOrdinaryWriterMayUse) {
  test::TempDir dir;
  DiskWithAReserve disk;
  OutputFile large(disk);
  ASSERT_TRUE(large.open(dir.file("result.txt")));
  EXPECT_FALSE(large.reserve(140'000'000'000));
  EXPECT_EQ(large.cause(), ENOSPC);
  OutputFile fits(disk);
  ASSERT_TRUE(fits.open(dir.file("result.txt")));
  EXPECT_TRUE(fits.reserve(70'000'000'000));
}

// The real calls, with the flushes and the renames noted in order, each
// file named for what it is: "folder", "temporary" or "target".  Flushing the
// folder answers `folder_error` when it is set.
class RecordingDisk final : public SystemFileCalls {
 public:
  int open(const char* path, int flags, mode_t mode) override {
    const int fd = SystemFileCalls::open(path, flags, mode);
    if (fd >= 0) {
      names_[fd] = fs::is_directory(path)                                ? "folder"
                   : fs::path(path).filename().string().starts_with(".") ? "temporary"
                                                                         : "target";
    }
    return fd;
  }
  int fsync(int fd) override {
    events.push_back("fsync " + names_[fd]);
    if (names_[fd] == "folder" && folder_error != 0) {
      errno = folder_error;
      return -1;
    }
    return SystemFileCalls::fsync(fd);
  }
  int rename(const char* from, const char* to) override {
    events.push_back("rename");
    return SystemFileCalls::rename(from, to);
  }

  std::vector<std::string> events;
  int folder_error = 0;

 private:
  std::map<int, std::string> names_;
};

// The rename changes the folder: until the folder too is on the disk, a
// crash can bring the old file back however well the new one was flushed.
TEST(OutputFile, AFlushedFileIsFollowedByItsFolderAfterTheRename) {
  test::TempDir dir;
  const auto save = [&dir](RecordingDisk& disk, OutputFile::Durability durability) {
    OutputFile file(disk);
    if (!file.open(dir.file("project.tlva"))) return false;
    file.write("new");
    return file.commit(durability);
  };
  RecordingDisk disk;
  EXPECT_TRUE(save(disk, OutputFile::Durability::flush_to_disk));
  EXPECT_EQ(disk.events, (std::vector<std::string>{"fsync temporary", "rename", "fsync folder"}));
  RecordingDisk bulk;
  EXPECT_TRUE(save(bulk, OutputFile::Durability::leave_to_system));
  EXPECT_EQ(bulk.events, std::vector<std::string>{"rename"});
  // A folder that could not be flushed is no saved file; a file system that
  // cannot flush folders at all has nothing more to give.
  RecordingDisk failing;
  failing.folder_error = EIO;
  OutputFile file(failing);
  ASSERT_TRUE(file.open(dir.file("project.tlva")));
  file.write("new");
  EXPECT_FALSE(file.commit());
  EXPECT_EQ(file.cause(), EIO);
  RecordingDisk unable;
  unable.folder_error = EINVAL;
  EXPECT_TRUE(save(unable, OutputFile::Durability::flush_to_disk));
  EXPECT_EQ(test::names_in(dir.path()), std::vector<std::string>{"project.tlva"});
}

// A full disk is given back to the other programs at the first failed
// write, not when the command ends.
TEST(OutputFile, AFailedWriteRemovesTheTemporaryFileAtOnce) {
  test::TempDir dir;
  test::write_file(dir.file("out.txt"), "precious");
  const test::FileSizeLimit limit(100000);
  OutputFile file;
  ASSERT_TRUE(file.open(dir.file("out.txt")));
  const std::string chunk(64 << 10, 'x');
  int writes = 0;
  while (!file.failed() && writes < 100) {
    file.write(chunk);
    ++writes;
  }
  EXPECT_LE(writes, 17);  // the first flush of the megabyte buffer fails
  EXPECT_EQ(file.cause(), EFBIG);
  EXPECT_EQ(test::names_in(dir.path()), std::vector<std::string>{"out.txt"});
  EXPECT_FALSE(file.commit());
  EXPECT_EQ(test::read_file(dir.file("out.txt")), "precious");
}

// A process killed outright leaves its temporary file; the next writer of
// the same target removes it, and nothing that may still be written.
TEST(OutputFile, TheNextWriterRemovesWhatAnEndedProcessLeft) {
  test::TempDir dir;
  test::write_file(dir.file("out.txt"), "old");
  const pid_t ended = fork();
  if (ended == 0) std::_Exit(0);
  ASSERT_GT(ended, 0);
  waitpid(ended, nullptr, 0);
  const auto temporary = [](const std::string& target, pid_t pid, int n) {
    return "." + target + ".tralva-" + std::to_string(pid) + "-" + std::to_string(n) + "-0.tmp";
  };
  const std::string stale = temporary("out.txt", ended, 0);
  const std::string running = temporary("out.txt", getppid(), 0);
  const std::string locked = temporary("out.txt", ended, 1);  // its writer is elsewhere
  const std::string other = temporary("other.txt", ended, 0);
  const std::string unlike = ".out.txt.tralva-x-0-0.tmp";
  for (const std::string& name : {stale, running, locked, other, unlike}) {
    test::write_file(dir.file(name), "left");
  }
  const int lock = ::open(dir.file(locked).c_str(), O_RDONLY);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  OutputFile file;
  ASSERT_TRUE(file.open(dir.file("out.txt")));
  file.write("new");
  ASSERT_TRUE(file.commit());
  ::close(lock);
  std::vector<std::string> left = {"out.txt", running, locked, other, unlike};
  std::sort(left.begin(), left.end());
  EXPECT_EQ(test::names_in(dir.path()), left);
}

// Where the user may change the file but not create one beside it (shared
// network folders), the file is written in place: same file, new content.
TEST(OutputFile, InPlaceWhereTheFolderAllowsNoNewFile) {
  test::TempDir dir;
  const std::string project = dir.file("project.tlva");
  test::write_file(project, "the previous, longer content");
  chmod(project.c_str(), 0666);
  test::write_file(dir.file("locked.tlva"), "locked");
  chmod(dir.file("locked.tlva").c_str(), 0444);
  struct stat before {};
  ASSERT_EQ(stat(project.c_str(), &before), 0);
  {
    const test::OrdinaryUser user(dir.path());
    ASSERT_TRUE(user.ready());
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    OutputFile file;
    ASSERT_TRUE(file.open(project));
    EXPECT_TRUE(file.in_place());
    file.write("new");
    file.line_end();
    EXPECT_TRUE(file.commit());
    // A file the user may not write, or a new one, still cannot be saved.
    OutputFile locked;
    EXPECT_FALSE(locked.open(dir.file("locked.tlva")));
    EXPECT_EQ(locked.cause(), EACCES);
    OutputFile fresh;
    EXPECT_FALSE(fresh.open(dir.file("new.tlva")));
    EXPECT_EQ(fresh.cause(), EACCES);
  }
  EXPECT_EQ(test::read_file(project), "new\r\n");
  struct stat after {};
  ASSERT_EQ(stat(project.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_mode, before.st_mode);
  EXPECT_EQ(test::names_in(dir.path()), (std::vector<std::string>{"locked.tlva", "project.tlva"}));
}

// Written in place, the old content is gone from the first byte written: a
// write that cannot succeed is refused before the file changes.
TEST(OutputFile, InPlaceAWriteThatCannotSucceedLeavesTheFile) {
  test::TempDir dir;
  const std::string project = dir.file("project.tlva");
  test::write_file(project, "old");
  chmod(project.c_str(), 0666);
  const int probe = ::open(dir.file("probe").c_str(), O_WRONLY | O_CREAT, 0600);
  const bool reserves = fallocate(probe, FALLOC_FL_KEEP_SIZE, 0, 4096) == 0;
  ::close(probe);
  fs::remove(dir.file("probe"));
  if (!reserves) GTEST_SKIP() << "this file system cannot reserve space ahead";
  {
    const test::OrdinaryUser user(dir.path());
    ASSERT_TRUE(user.ready());
    ASSERT_EQ(chmod(dir.path().c_str(), 0555), 0);
    const test::FileSizeLimit limit(100000);
    OutputFile file;
    ASSERT_TRUE(file.open(project));
    ASSERT_TRUE(file.in_place());
    file.write(std::string(200000, 'x'));
    EXPECT_FALSE(file.commit());
    EXPECT_EQ(file.cause(), EFBIG);
  }
  EXPECT_TRUE(test::read_file(project) == "old");  // not printed: 200 kB when it fails
}

// On a disk nearly full, a file rewritten in place may use its own space;
// a content that does not fit even so is refused before the file changes.
TEST(OutputFile, InPlaceOnANearlyFullDisk) {
  test::TempDir dir;
  const test::SmallTmpfs disk(dir.path(), 1 << 20);
  if (!disk.mounted()) GTEST_SKIP() << "no small file system to fill: " << disk.reason();
  const std::string project = disk.file("project.tlva");
  test::write_file(project, std::string(600 << 10, 'o'));
  chmod(project.c_str(), 0666);
  chmod(disk.path().c_str(), 0555);
  const std::string fits(700 << 10, 'n');
  {
    const test::OrdinaryUser user(dir.path());
    ASSERT_TRUE(user.ready());
    OutputFile file;
    ASSERT_TRUE(file.open(project));
    ASSERT_TRUE(file.in_place());
    EXPECT_TRUE(file.reserve(fits.size()));  // 424 kB free and its own 600 kB
    file.write(fits);
    EXPECT_TRUE(file.commit(OutputFile::Durability::leave_to_system));
    OutputFile larger;
    ASSERT_TRUE(larger.open(project));
    larger.write(std::string(2 << 20, 'l'));
    EXPECT_FALSE(larger.commit(OutputFile::Durability::leave_to_system));
    EXPECT_EQ(larger.cause(), ENOSPC);
  }
  EXPECT_TRUE(test::read_file(project) == fits);  // not printed: 700 kB when it fails
}

// SIGINT, SIGTERM and SIGHUP in the middle of a write remove the temporary
// file before the process ends by the signal.
TEST(OutputFile, AStopSignalRemovesTheTemporaryFile) {
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    std::string reason;
    if (!test::delivered(signal, reason)) {
      std::printf("skipped: %s\n", reason.c_str());
      continue;
    }
    test::TempDir dir;
    test::write_file(dir.file("out.txt"), "old");
    test::PausedChild child([&dir](const test::PausedChild::Ready& ready) {
      install_temporary_cleanup();  // as each program's main does
      OutputFile file;
      if (!file.open(dir.file("out.txt"))) return;
      file.write(std::string(3 << 20, 'x'));  // more than the buffer: partly on the disk
      ready();
    });
    EXPECT_TRUE(test::ended_by(child.stop_with(signal), signal)) << strsignal(signal);
    EXPECT_EQ(test::names_in(dir.path()), std::vector<std::string>{"out.txt"}) << strsignal(signal);
    EXPECT_EQ(test::read_file(dir.file("out.txt")), "old");
  }
}

// The desktop program's "Esci da Tralva" ends it with exit(), which runs no
// destructor of a command in progress.
TEST(OutputFile, ExitRemovesTheTemporaryFile) {
  test::TempDir dir;
  const pid_t child = fork();
  if (child == 0) {
    install_temporary_cleanup();
    OutputFile file;
    if (file.open(dir.file("out.txt"))) file.write(std::string(3 << 20, 'x'));
    std::exit(0);
  }
  ASSERT_GT(child, 0);
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(test::names_in(dir.path()).empty());
}

}  // namespace
}  // namespace tralva
