#pragma once
// The output file: the one save path of every writer.
//
// A file is first written to a temporary file beside its target and renamed
// over the target only when it is complete, so a failed write (disk full, no
// permission) leaves the old file exactly as it was.  Where the folder lets
// nobody create a file but the target itself may be written, the whole
// content is gathered in memory and written over the target in one go.
//
// Only a regular file that the user may write is replaced; it keeps its
// permission bits.  The temporary file is removed at the first failed write
// and by the destructor; on a stop signal or exit() by the cleanup that the
// program installs (temporary_cleanup.h); should the process be killed
// outright, by the next writer of the same target (stale_temporaries.h).
// Line ends are CR LF, written explicitly.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/byte_stream.h"
#include "common/file_calls.h"

namespace tralva {

inline constexpr std::string_view kLineEnd = "\r\n";

class OutputFile {
 public:
  enum class Durability {
    flush_to_disk,   // fsync before the rename, and of the folder after it:
                     // project files, small and precious
    leave_to_system  // bulk outputs that can be made again from their inputs
  };

  // Through the system's calls; a test hands in its own.
  explicit OutputFile(FileCalls& calls = system_file_calls()) : calls_(&calls) {}
  ~OutputFile();  // discards the new content unless published
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  // Prepares the writing of `target`; false, with the target untouched, if
  // it cannot be written: a missing folder, an existing target that is not a
  // regular file (a device, a FIFO, a socket, a directory) or that the user
  // may not write (checked as opening it for writing would check it), or a
  // folder where no file can be created while the target cannot be written
  // in place.  Also removes the temporary files of this target that a
  // process no longer running left behind.
  bool open(const std::string& target);

  // True when the target is the file `input` reads: writing would destroy
  // the input.  The caller refuses before writing anything.
  bool replaces(const ByteStream& input) const;

  // How a reserved size is known: the file will take at most that many
  // bytes (its exact size, or a tight bound), or at least that many (a file
  // whose values decide their own length).
  enum class Size { at_most, at_least };
  // Checks that a file of `size` bytes fits in the free space of the
  // target's file system (and, written in place, in memory); false, with
  // nothing written and the temporary file removed, when it does not.
  bool reserve(std::uint64_t size, Size known = Size::at_most);

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

  // Writes out what is buffered, closes and renames over the target (or
  // writes the target in place).  False if any write failed; the target is
  // then unchanged and the temporary removed.  Also false when the folder
  // could not be flushed after the rename: the new content is the target's
  // then, but not known to be on the disk.
  bool commit(Durability durability = Durability::flush_to_disk);

  // The two steps of commit(), for a writer of several files that replaces
  // them only once every one is complete: finish() each, then publish()
  // each.  Each rename is whole, the set of them is not: a publish() that
  // fails leaves those before it published.
  //
  // finish() writes out what is buffered and closes the temporary file,
  // flushed to the disk first if `durability` says so; nothing is written
  // after it.  The target is still the old one, and the destructor still
  // discards the new content.  False if any write failed.
  bool finish(Durability durability = Durability::flush_to_disk);
  // Renames the finished file over the target.  A file written in place is
  // written here, since its old content must last until then.  False, as
  // commit() says, or when the file was not finished.
  bool publish();

  // open(), reserve(), write() and commit() of a whole content at once: for
  // the writers that build their file in memory.
  bool save(const std::string& target, std::string_view content,
            Durability durability = Durability::flush_to_disk);

  // True from the first failed write on; the writing loops stop there, and
  // the temporary file is already gone.
  bool failed() const { return failed_; }
  // Why the last open, reserve or write failed: the system's error number,
  // or 0 when the program refused on its own (a target that is not a
  // regular file).
  int cause() const { return cause_; }
  // True when the target is written in place, its folder allowing no new file.
  bool in_place() const { return in_place_; }

 private:
  bool refuse(int cause);
  void fail(int cause);
  void flush_buffer();
  bool write_in_place(Durability durability);
  void drop_file();
  void discard();

  FileCalls* calls_;
  int fd_ = -1;  // the temporary file, or the target itself when in place
  int slot_ = -1;
  bool in_place_ = false;
  bool finished_ = false;
  Durability durability_ = Durability::flush_to_disk;
  bool failed_ = false;
  int cause_ = 0;
  std::string target_;
  std::string temporary_;
  std::optional<FileIdentity> target_identity_;
  std::uint64_t target_bytes_ = 0;  // the space the old target takes
  std::uint64_t written_ = 0;
  std::uint64_t reserved_ = 0;
  std::vector<char> buffer_;
  std::size_t used_ = 0;
  std::string content_;  // the whole file, when written in place
};

}  // namespace tralva
