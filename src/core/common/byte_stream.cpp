#include "common/byte_stream.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace tralva {
namespace {

constexpr std::size_t kBufferSize = 1 << 18;

}  // namespace

ByteStream::ByteStream(std::string_view memory)
    : memory_(true),
      data_(memory.data()),
      len_(memory.size()),
      size_(static_cast<std::int64_t>(memory.size())) {}

ByteStream::~ByteStream() { close(); }

bool ByteStream::open(const std::string& path) {
  close();
  // Looked at before it is opened: opening a device may act on it.
  struct stat st {};
  if (stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) return false;
  // Without blocking, should a FIFO take the name in between.
  fd_ = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd_ < 0) {
    cause_ = errno;
    return false;
  }
  if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    close();
    return false;
  }
  // A regular file is read as any other, blocking.
  (void)fcntl(fd_, F_SETFL, fcntl(fd_, F_GETFL) & ~O_NONBLOCK);
  size_ = st.st_size;
  identity_ =
      FileIdentity{static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino)};
  buffer_.resize(kBufferSize);
  data_ = buffer_.data();
  return true;
}

void ByteStream::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  memory_ = false;
  read_error_ = false;
  cause_ = 0;
  identity_.reset();
  data_ = nullptr;
  pos_ = len_ = 0;
  base_ = size_ = 0;
}

bool ByteStream::refill() {
  if (fd_ < 0) return false;
  base_ += static_cast<std::int64_t>(len_);
  pos_ = len_ = 0;
  for (;;) {
    const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
    if (n > 0) {
      len_ = static_cast<std::size_t>(n);
      return true;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) read_error_ = true;
    return false;
  }
}

void ByteStream::seek(std::int64_t offset) {
  if (offset < 0) offset = 0;
  if (memory_) {
    pos_ = static_cast<std::size_t>(std::min<std::int64_t>(offset, size_));
    return;
  }
  if (fd_ < 0) return;
  if (offset >= base_ && offset <= base_ + static_cast<std::int64_t>(len_)) {
    pos_ = static_cast<std::size_t>(offset - base_);
    return;
  }
  const off_t at = ::lseek(fd_, offset, SEEK_SET);
  base_ = at < 0 ? size_ : at;
  pos_ = len_ = 0;
}

}  // namespace tralva
