#pragma once
// The system calls through which an output file reaches the disk.  The
// program makes the real ones; a test stands in for one of them to see what
// is flushed and renamed, and in what order, or to make a file system say
// what no test machine's disk would say.  Each returns as the system call
// does: -1 with errno set on failure.

#include <sys/types.h>

struct statvfs;

namespace tralva {

class FileCalls {
 public:
  virtual ~FileCalls() = default;
  virtual int open(const char* path, int flags, mode_t mode) = 0;
  virtual int close(int fd) = 0;
  virtual int fsync(int fd) = 0;
  virtual int rename(const char* from, const char* to) = 0;
  virtual int fstatvfs(int fd, struct statvfs* space) = 0;
};

// The real calls.  Open to derivation, so that a test changes only the
// call it is about.
class SystemFileCalls : public FileCalls {
 public:
  int open(const char* path, int flags, mode_t mode) override;
  int close(int fd) override;
  int fsync(int fd) override;
  int rename(const char* from, const char* to) override;
  int fstatvfs(int fd, struct statvfs* space) override;
};

// The calls of every output file the program writes.
FileCalls& system_file_calls();

}  // namespace tralva
