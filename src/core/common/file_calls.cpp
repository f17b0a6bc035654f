#include "common/file_calls.h"

#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cstdio>

namespace tralva {

int SystemFileCalls::open(const char* path, int flags, mode_t mode) {
  return ::open(path, flags, mode);
}

int SystemFileCalls::close(int fd) { return ::close(fd); }

int SystemFileCalls::fsync(int fd) { return ::fsync(fd); }

int SystemFileCalls::rename(const char* from, const char* to) { return std::rename(from, to); }

int SystemFileCalls::fstatvfs(int fd, struct statvfs* space) { return ::fstatvfs(fd, space); }

FileCalls& system_file_calls() {
  // Stateless: one for the whole program.
  static SystemFileCalls calls;
  return calls;
}

}  // namespace tralva
