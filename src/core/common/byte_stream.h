#pragma once
// ByteStream is a buffered, seekable byte source: a regular file or a block
// of memory.  Reads past the end return kEof and never fail otherwise.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tralva {

// Which file a name leads to: two names of the same device and inode are the
// same file, through hard and symbolic links alike.
struct FileIdentity {
  std::uint64_t device = 0;
  std::uint64_t inode = 0;

  bool operator==(const FileIdentity&) const = default;
};

class ByteStream {
 public:
  static constexpr int kEof = -1;

  ByteStream() = default;
  // A stream over memory that the caller keeps alive.
  explicit ByteStream(std::string_view memory);
  ~ByteStream();
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  // Opens a file for reading; false if it cannot be opened.  Only a regular
  // file opens: every reader passes over its input more than once, and a
  // device or a FIFO would give other bytes each time, or none for ever.
  bool open(const std::string& path);
  void close();
  bool is_open() const { return fd_ >= 0 || memory_; }
  // After a failed open: the system's error number, or 0 when the file was
  // refused for not being a regular file.
  int cause() const { return cause_; }
  // The open file's identity; nullopt for memory.
  std::optional<FileIdentity> identity() const { return identity_; }

  int get() {
    if (pos_ < len_) return static_cast<unsigned char>(data_[pos_++]);
    return refill() ? static_cast<unsigned char>(data_[pos_++]) : kEof;
  }
  int peek() {
    if (pos_ < len_) return static_cast<unsigned char>(data_[pos_]);
    return refill() ? static_cast<unsigned char>(data_[pos_]) : kEof;
  }
  // Moves to a byte offset; an offset past the end leaves the stream at its end.
  void seek(std::int64_t offset);
  std::int64_t tell() const { return base_ + static_cast<std::int64_t>(pos_); }
  // The size when opened.
  std::int64_t size() const { return size_; }
  // True when a read from the file failed (as opposed to reaching its end).
  bool read_error() const { return read_error_; }

  // Direct access to the bytes already buffered, for fast scanning:
  // [cursor(), buffer_end()) are the next bytes; advance(n) consumes n of them.
  const char* cursor() const { return data_ + pos_; }
  const char* buffer_end() const { return data_ + len_; }
  void advance(std::size_t n) { pos_ += n; }

 private:
  bool refill();

  int fd_ = -1;
  bool memory_ = false;
  bool read_error_ = false;
  int cause_ = 0;
  std::optional<FileIdentity> identity_;
  const char* data_ = nullptr;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::int64_t base_ = 0;  // file offset of data_[0]
  std::int64_t size_ = 0;
  std::vector<char> buffer_;
};

}  // namespace tralva
