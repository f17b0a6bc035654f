#include "common/output_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/uio.h>
#include <unistd.h>

#include <cassert>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <new>

#include "common/file_calls.h"
#include "common/stale_temporaries.h"
#include "common/temporary_cleanup.h"

namespace tralva {
namespace {

constexpr std::size_t kBufferSize = 1 << 20;

// Writes into the folder of the final file when the target is a symbolic link,
// so that the link keeps pointing at the new content.
std::string resolve_link(const std::string& target) {
  struct stat st {};
  if (lstat(target.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(target.c_str(), resolved) != nullptr) return resolved;
  }
  return target;
}

// 0, or the system's error number.
int write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return 0;
}

// A file written in place is gathered in memory first: up to a quarter of
// the machine's memory.
std::uint64_t in_place_limit() {
  static const std::uint64_t limit = [] {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long page_size = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || page_size <= 0) return std::uint64_t{1} << 30;
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(page_size) / 4;
  }();
  return limit;
}

// 0, or the system's error number.  A folder the user may not read cannot
// be opened to be flushed, and some file systems cannot flush a folder
// (EINVAL): there the folder is left to the system.
int flush_folder(FileCalls& calls, const std::string& target) {
  const std::string folder = std::filesystem::path(target).parent_path().string();
  const int fd =
      calls.open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) return 0;
  const int error = calls.fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
  (void)calls.close(fd);
  return error;
}

// The three signals that stop a command, held back while a file is
// rewritten in place: a stop then would leave it cut.
class StopSignalsHeld {
 public:
  StopSignalsHeld() {
    sigset_t stops;
    sigemptyset(&stops);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&stops, signal);
    pthread_sigmask(SIG_BLOCK, &stops, &previous_);
  }
  ~StopSignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
  StopSignalsHeld(const StopSignalsHeld&) = delete;
  StopSignalsHeld& operator=(const StopSignalsHeld&) = delete;

 private:
  sigset_t previous_;
};

}  // namespace

OutputFile::~OutputFile() { discard(); }

bool OutputFile::refuse(int cause) {
  cause_ = cause;
  return false;
}

bool OutputFile::open(const std::string& target) {
  discard();
  failed_ = false;
  cause_ = 0;
  in_place_ = false;
  target_identity_.reset();
  target_bytes_ = 0;
  written_ = 0;
  reserved_ = std::numeric_limits<std::uint64_t>::max();
  target_ = resolve_link(target);

  struct stat existing {};
  int target_fd = -1;
  if (stat(target_.c_str(), &existing) == 0) {
    if (!S_ISREG(existing.st_mode)) return refuse(S_ISDIR(existing.st_mode) ? EISDIR : 0);
    // Opening it for writing asks what the system would ask of this user:
    // permission bits and lists, a read-only file system, a running
    // program.  Nothing is written through it unless the file is rewritten
    // in place.  Not blocking, should a FIFO take the name in between.
    target_fd = calls_->open(target_.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0);
    if (target_fd < 0) return refuse(errno);
    if (fstat(target_fd, &existing) != 0 || !S_ISREG(existing.st_mode)) {
      calls_->close(target_fd);
      return refuse(0);
    }
    (void)fcntl(target_fd, F_SETFL, fcntl(target_fd, F_GETFL) & ~O_NONBLOCK);
    target_identity_ = FileIdentity{static_cast<std::uint64_t>(existing.st_dev),
                                    static_cast<std::uint64_t>(existing.st_ino)};
    target_bytes_ = static_cast<std::uint64_t>(existing.st_blocks) * 512;
  }
  remove_stale_temporaries(target_);

  int create_error = 0;
  for (unsigned attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = temporary_name(target_, attempt);
    slot_ = register_temporary(temporary_);
    fd_ = calls_->open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ >= 0) break;
    create_error = errno;
    unregister_temporary(slot_);
    slot_ = -1;
    if (create_error != EEXIST) break;
  }
  if (fd_ < 0) {
    temporary_.clear();
    // A folder where the user may change files but not create them: the
    // target, which the user may write, is rewritten in place.
    if (target_fd >= 0 && (create_error == EACCES || create_error == EPERM)) {
      fd_ = target_fd;
      in_place_ = true;
      buffer_.resize(kBufferSize);
      used_ = 0;
      return true;
    }
    if (target_fd >= 0) calls_->close(target_fd);
    return refuse(create_error);
  }
  if (target_fd >= 0) {
    calls_->close(target_fd);
    // The replacement keeps the owner and the permissions of the file it
    // replaces, as far as this user may give them.
    (void)fchown(fd_, existing.st_uid, existing.st_gid);
    (void)fchmod(fd_, existing.st_mode & 07777);
  }
  (void)flock(fd_, LOCK_EX | LOCK_NB);
  buffer_.resize(kBufferSize);
  used_ = 0;
  return true;
}

bool OutputFile::replaces(const ByteStream& input) const {
  return target_identity_.has_value() && input.identity() == target_identity_;
}

bool OutputFile::reserve(std::uint64_t size, Size known) {
  if (fd_ < 0) return false;
  if (known == Size::at_most) reserved_ = size;
  if (in_place_ && size > in_place_limit()) {
    fail(ENOMEM);
    return false;
  }
  struct statvfs space {};
  // A file system that tells nothing (a tmpfs without a size, some network
  // ones) is left to the writing to find out.
  if (calls_->fstatvfs(fd_, &space) != 0 || space.f_blocks == 0 || space.f_frsize == 0) return true;
  const std::uint64_t unit = space.f_frsize;
  // What an ordinary writer may use, as df counts it, for root too: the
  // blocks a file system keeps back may be kept for another user, and are
  // the system's last resort anyway.  A file rewritten in place gives back
  // its own.
  std::uint64_t available = space.f_bavail;
  if (in_place_) available += target_bytes_ / unit;
  const std::uint64_t needed = size / unit + (size % unit != 0 ? 1 : 0);
  if (needed > available) {
    fail(ENOSPC);
    return false;
  }
  return true;
}

void OutputFile::write(std::string_view bytes) {
  while (!bytes.empty()) {
    if (used_ == buffer_.size()) flush_buffer();
    const std::size_t n = std::min(bytes.size(), buffer_.size() - used_);
    std::memcpy(buffer_.data() + used_, bytes.data(), n);
    used_ += n;
    bytes.remove_prefix(n);
  }
}

void OutputFile::write_blocks(std::span<const std::string_view> blocks) {
  flush_buffer();
  if (in_place_) {
    for (const std::string_view block : blocks) write(block);
    return;
  }
  std::vector<iovec> pieces;
  for (const std::string_view block : blocks) {
    if (!block.empty()) pieces.push_back({const_cast<char*>(block.data()), block.size()});
    written_ += block.size();
  }
  std::size_t first = 0;
  while (!failed_ && fd_ >= 0 && first < pieces.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(pieces.size() - first, IOV_MAX));
    ssize_t n = ::writev(fd_, pieces.data() + first, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      fail(n < 0 ? errno : EIO);
      break;
    }
    // Past the pieces written whole, into the one written in part.
    while (first < pieces.size() && static_cast<std::size_t>(n) >= pieces[first].iov_len) {
      n -= static_cast<ssize_t>(pieces[first++].iov_len);
    }
    if (n > 0) {
      pieces[first].iov_base = static_cast<char*>(pieces[first].iov_base) + n;
      pieces[first].iov_len -= static_cast<std::size_t>(n);
    }
  }
}

void OutputFile::flush_buffer() {
  assert(!finished_);  // nothing is written after finish()
  written_ += used_;
  if (fd_ >= 0 && !failed_ && used_ > 0) {
    if (!in_place_) {
      if (const int error = write_all(fd_, buffer_.data(), used_)) fail(error);
    } else if (content_.size() + used_ > in_place_limit()) {
      fail(ENOMEM);
    } else {
      try {
        content_.append(buffer_.data(), used_);
      } catch (const std::bad_alloc&) {
        fail(ENOMEM);
      }
    }
  }
  used_ = 0;
}

bool OutputFile::finish(Durability durability) {
  if (finished_) return true;
  if (fd_ < 0) return false;
  flush_buffer();
  // A writer that reserved its size wrote no more: the check of the free
  // space was made with that size.
  assert(written_ <= reserved_);
  if (failed_) return false;
  if (!in_place_) {
    if (durability == Durability::flush_to_disk && calls_->fsync(fd_) != 0) {
      fail(errno);
      return false;
    }
    const int fd = fd_;
    fd_ = -1;
    if (calls_->close(fd) != 0) {
      fail(errno);
      return false;
    }
  }
  buffer_ = {};
  durability_ = durability;
  finished_ = true;
  return true;
}

bool OutputFile::publish() {
  if (!finished_) return false;
  finished_ = false;
  if (in_place_) return write_in_place(durability_);
  if (calls_->rename(temporary_.c_str(), target_.c_str()) != 0) {
    fail(errno);
    return false;
  }
  unregister_temporary(slot_);
  slot_ = -1;
  temporary_.clear();
  // The rename is a change of the folder: flushed with it, or a crash can
  // bring the old file back however well the new one was flushed.
  if (durability_ == Durability::flush_to_disk) {
    if (const int error = flush_folder(*calls_, target_)) {
      fail(error);
      return false;
    }
  }
  return true;
}

bool OutputFile::commit(Durability durability) { return finish(durability) && publish(); }

bool OutputFile::write_in_place(Durability durability) {
  // From the first byte written the old content is gone, so the space is
  // taken first (a full disk then refuses before anything changes), and the
  // stop signals wait until the file is whole.  The new content goes over
  // the old from the start and the rest is cut off after it.
  const auto size = static_cast<off_t>(content_.size());
  // The reservation does not look at the file size limit; nor may the writing.
  rlimit largest{};
  if (getrlimit(RLIMIT_FSIZE, &largest) == 0 && largest.rlim_cur != RLIM_INFINITY &&
      content_.size() > largest.rlim_cur) {
    fail(EFBIG);
    return false;
  }
  struct stat st {};
  if (fstat(fd_, &st) == 0 && size > st.st_size &&
      fallocate(fd_, FALLOC_FL_KEEP_SIZE, 0, size) != 0 && errno != EOPNOTSUPP && errno != ENOSYS) {
    fail(errno);
    return false;
  }
  int error = 0;
  {
    const StopSignalsHeld held;
    if (lseek(fd_, 0, SEEK_SET) != 0) error = errno;
    if (error == 0) error = write_all(fd_, content_.data(), content_.size());
    if (error == 0 && ftruncate(fd_, size) != 0) error = errno;
    if (error == 0 && durability == Durability::flush_to_disk && calls_->fsync(fd_) != 0)
      error = errno;
  }
  const int fd = fd_;
  fd_ = -1;
  if (calls_->close(fd) != 0 && error == 0) error = errno;
  if (error != 0) {
    fail(error);
    return false;
  }
  content_ = {};
  return true;
}

bool OutputFile::save(const std::string& target, std::string_view content, Durability durability) {
  if (!open(target) || !reserve(content.size())) return false;
  write(content);
  return commit(durability);
}

void OutputFile::fail(int cause) {
  if (!failed_) cause_ = cause;
  failed_ = true;
  // At once: the space goes back to the other programs now, not at the end
  // of the command.  The buffer stays, for the loops that still hold room().
  drop_file();
}

void OutputFile::drop_file() {
  if (fd_ >= 0) calls_->close(fd_);
  fd_ = -1;
  finished_ = false;
  if (!temporary_.empty()) (void)::unlink(temporary_.c_str());
  temporary_.clear();
  unregister_temporary(slot_);
  slot_ = -1;
  content_ = {};
}

void OutputFile::discard() {
  drop_file();
  buffer_ = {};
  used_ = 0;
}

}  // namespace tralva
