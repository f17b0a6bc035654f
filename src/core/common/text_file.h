#pragma once
// Writing the text files of the system.  Every file is first written to a
// temporary file beside its target and renamed over the target only when it
// is complete, so a failed write (disk full, no permission) leaves the old
// file exactly as it was.  Line ends are CR LF, written explicitly.

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tralva {

inline constexpr std::string_view kLineEnd = "\r\n";

class OutputFile {
 public:
  enum class Durability {
    flush_to_disk,   // fsync before the rename: project files, small and precious
    leave_to_system  // bulk outputs that can be made again from their inputs
  };

  OutputFile() = default;
  ~OutputFile();  // discards the temporary file unless committed
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Creates the temporary file beside `target`; false if it cannot be created
  // (missing folder, no permission).  The target is not touched.
  bool open(const std::string& target);

  void write(std::string_view bytes);
  // Blocks that the caller keeps, written in one call without being copied:
  // for writers that prepare large pieces of the file themselves.
  void write_blocks(std::span<const std::string_view> blocks);
  void line_end() { write(kLineEnd); }

  // Room for at least `n` bytes in the buffer (n <= 64 KiB); write into it and
  // hand back the end with wrote().  The fast path of the bulk writers.
  char* room(std::size_t n) {
    if (buffer_.size() - used_ < n) flush_buffer();
    return buffer_.data() + used_;
  }
  void wrote(const char* end) { used_ = static_cast<std::size_t>(end - buffer_.data()); }
  // The end of the buffer: after room(), a loop may write on up to here
  // before it hands back with wrote().
  char* room_end() { return buffer_.data() + buffer_.size(); }

  // Writes out what is buffered, closes and renames over the target.  False if
  // any write failed; the target is then unchanged and the temporary removed.
  bool commit(Durability durability = Durability::flush_to_disk);

  bool failed() const { return failed_; }

 private:
  void flush_buffer();
  void discard();

  int fd_ = -1;
  bool failed_ = false;
  std::string target_;
  std::string temporary_;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
};

}  // namespace tralva
