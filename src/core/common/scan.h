#pragma once
// Reading numbers from text the way the C library's scanf reads them, but
// independent of the process locale: "%f", "%lf" and "%i" skip white space of
// any kind (line ends included), then take the longest text that can continue
// a number and stop at the first character that cannot.
//
// ByteStream is a buffered, seekable byte source: a file or a block of
// memory.  Reads past the end return kEof and never fail otherwise.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tralva {

class ByteStream {
 public:
  static constexpr int kEof = -1;

  ByteStream() = default;
  // A stream over memory that the caller keeps alive.
  explicit ByteStream(std::string_view memory);
  ~ByteStream();
  ByteStream(const ByteStream&) = delete;
  ByteStream& operator=(const ByteStream&) = delete;

  // Opens a file for reading; false if it cannot be opened.
  bool open(const std::string& path);
  void close();
  bool is_open() const { return fd_ >= 0 || memory_; }

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
  const char* data_ = nullptr;
  std::size_t pos_ = 0;
  std::size_t len_ = 0;
  std::int64_t base_ = 0;  // file offset of data_[0]
  std::int64_t size_ = 0;
  std::vector<char> buffer_;
};

// White space as the "C" locale's isspace sees it.
constexpr bool is_scan_space(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// "%f", "%lf", "%i": the value, or nullopt when no number could be read (the
// end of the stream included).  What was consumed stays consumed, as with
// scanf's single character of push-back: "-x" consumes the "-".
std::optional<float> scan_float(ByteStream& in);
std::optional<double> scan_double(ByteStream& in);
// One number read once and converted from its text to both precisions.
struct ScannedReal {
  double as_double = 0;
  float as_float = 0;
};
std::optional<ScannedReal> scan_real_both(ByteStream& in);
// Consumes what scan_float would consume; true when that is a number.  For
// values a reader must pass over but does not use.
bool skip_number(ByteStream& in);

// The scanf pattern "%f%c%f%c...%f" of `count` numbers: each number after
// the first follows exactly one character, read as read_separator reads it.
// Stops at the first number that cannot be read or at the end.  Number k
// goes to values[k] when bit k of `wanted` is set and is only passed over
// otherwise.  Returns how many numbers were read.
int scan_separated(ByteStream& in, int count, unsigned wanted, float* values);

// The text of the number scan_float would read, consumed as scan_float
// consumes it; empty when it reads none.  The view lies in the stream's
// buffer or in `spill`, and is valid until either changes.  For readers that
// can use the text itself.
std::string_view scan_number_text(ByteStream& in, std::string& spill);
// The value of such a text, as scan_float gives it.
float float_from_text(std::string_view text);

// Decimal, "0x" hexadecimal or leading-0 octal; saturates at the int32 range.
std::optional<std::int32_t> scan_int(ByteStream& in);

// Skips white space; returns the next character without consuming it.
int skip_space(ByteStream& in);

// Reads the character after a number: kEof, a line end (LF, or CR LF read as
// one) reported as '\n', or any other byte as it is.
int read_separator(ByteStream& in);

// Counts the repetitions of {read a number as scan_float does, read the
// character after it as read_separator does} until that character is the end
// of the stream, or also a line end with CountUntil::line_end.  Every
// repetition counts, the last one and those whose number could not be read
// included.  Each repetition consumes a character, so it always ends.
enum class CountUntil { line_end, end_of_stream };
std::int64_t count_numbers(ByteStream& in, CountUntil until);

// Parses one decimal number in the scanf syntax from the start of text (no
// white space skipped); returns how many characters the scan consumes and the
// value, if any.  Shared with the form fields.
struct ScannedText {
  std::size_t consumed = 0;
  std::optional<double> value;
};
ScannedText scan_double_text(std::string_view text);

}  // namespace tralva
