#include "common/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

std::string temporary_name(const std::string& target, unsigned attempt) {
  static std::atomic<unsigned> counter{0};
  const std::size_t slash = target.rfind('/');
  const std::string folder =
      slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
  return folder + "." + name + ".tralva-" + std::to_string(getpid()) + "-" +
         std::to_string(counter++) + "-" + std::to_string(attempt) + ".tmp";
}

bool write_all(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

OutputFile::~OutputFile() { discard(); }

bool OutputFile::open(const std::string& target) {
  discard();
  failed_ = false;
  target_ = resolve_link(target);
  struct stat existing {};
  const bool replaces = stat(target_.c_str(), &existing) == 0;
  if (replaces && S_ISDIR(existing.st_mode)) return false;
  for (unsigned attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    temporary_ = temporary_name(target_, attempt);
    fd_ = ::open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0 && errno != EEXIST) break;
  }
  if (fd_ < 0) {
    temporary_.clear();
    return false;
  }
  // The replacement keeps the permissions of the file it replaces.
  if (replaces) (void)fchmod(fd_, existing.st_mode & 07777);
  buffer_.resize(kBufferSize);
  used_ = 0;
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
  std::vector<iovec> pieces;
  for (const std::string_view block : blocks) {
    if (!block.empty()) pieces.push_back({const_cast<char*>(block.data()), block.size()});
  }
  std::size_t first = 0;
  while (!failed_ && fd_ >= 0 && first < pieces.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(pieces.size() - first, IOV_MAX));
    ssize_t n = ::writev(fd_, pieces.data() + first, count);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed_ = true;
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
  if (fd_ >= 0 && !failed_ && used_ > 0 && !write_all(fd_, buffer_.data(), used_)) failed_ = true;
  used_ = 0;
}

bool OutputFile::commit(Durability durability) {
  if (fd_ < 0) return false;
  flush_buffer();
  if (!failed_ && durability == Durability::flush_to_disk && fsync(fd_) != 0) failed_ = true;
  if (::close(fd_) != 0) failed_ = true;
  fd_ = -1;
  if (!failed_ && std::rename(temporary_.c_str(), target_.c_str()) != 0) failed_ = true;
  if (failed_) {
    discard();
    return false;
  }
  temporary_.clear();
  buffer_ = {};
  return true;
}

void OutputFile::discard() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  buffer_ = {};
  used_ = 0;
}

}  // namespace tralva
