#pragma once
// Reading numbers from text the way the C library's scanf reads them, but
// independent of the process locale: "%f", "%lf" and "%i" skip white space of
// any kind (line ends included), then take the longest text that can continue
// a number and stop at the first character that cannot.
//
// ByteStream is a buffered, seekable byte source: a regular file or a block
// of memory.  Reads past the end return kEof and never fail otherwise.

#include <cstdint>
#include <optional>
#include <span>
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

// White space as the "C" locale's isspace sees it.
constexpr bool is_scan_space(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// The longest number a reader takes: a longer run of number characters is
// consumed whole but reads as no number.  No value of a field needs more:
// "%f" of the largest double, the widest text a writer gives it, takes 317
// characters.  It keeps a token's memory fixed whatever the file holds.
inline constexpr std::size_t kLongestNumber = 400;

// Where a number token's characters are kept when it runs across a refill
// of the stream's buffer.  Fixed size: reading never allocates.
class TokenSpill {
 public:
  void clear() { size_ = 0; }
  void push(char c) {
    if (size_ < sizeof text_) text_[size_] = c;
    ++size_;
  }
  // The characters pushed, when they all fit.
  std::string_view text(std::size_t length) const {
    return length <= sizeof text_ ? std::string_view(text_, length) : std::string_view();
  }

 private:
  char text_[kLongestNumber];
  std::size_t size_ = 0;
};

// What a number token takes after its number.
enum class Separator {
  left,               // nothing: the next read starts at the character after it ("%f")
  read,               // one character, even when no number could be read ("%f%c")
  read_after_number,  // one character when a number was read; else nothing
};

struct NumberToken {
  std::string_view text;             // the number's text; empty when none could be read
  int separator = ByteStream::kEof;  // the character taken; kEof when none was
};

// The one tokenizer of every reader of numbers.
//
// Skips white space of any kind, line ends included, then consumes the
// longest text that can continue a decimal number as scanf's "%f" reads it:
// an optional sign, digits with an optional point, an optional exponent.
// A dangling "e" or "e+" is consumed but is not part of the value, and so is
// a sign with no digits ("-x" consumes the "-").  `text` is the value's text,
// empty when there is none or when it is longer than kLongestNumber; it lies
// in the stream's buffer or in `spill` and is valid until the next read of
// either.  Then, as `after` asks, it takes the character after the number:
// kEof at the end of the stream, a line end (LF, or CR LF read as one) as
// '\n', any other byte as it is.  A token that takes a separator always
// consumes at least one character unless the stream is at its end.
// Locale-independent; no allocation, no exception.
NumberToken next_token(ByteStream& in, TokenSpill& spill, Separator after);

// The next tokens at once, as next_token() reads them one by one: those that
// lie whole in the stream's buffer, up to out.size(), or else the one next
// token.  Returns how many, at least one when out is not empty.  Their texts
// stay valid until the next read of the stream or of `spill`.  For the
// readers that go through every token of a file.
std::size_t next_tokens(ByteStream& in, TokenSpill& spill, Separator after,
                        std::span<NumberToken> out);

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

// The scanf pattern "%f%c%f%c...%f" of one number per slot: each number
// after the first follows exactly one character, read as read_separator
// reads it.  Stops at the first number that cannot be read or at the end.
// Number k goes to *slots[k], or is only passed over when that slot is null.
// Returns how many numbers were read.
int scan_separated(ByteStream& in, std::span<float* const> slots);

// The value of a number token's text, as scan_float gives it.
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
// `last` is the character that ended it: kEof or '\n'.
enum class CountUntil { line_end, end_of_stream };
struct NumberCount {
  std::int64_t repetitions = 0;
  int last = ByteStream::kEof;
};
NumberCount count_numbers(ByteStream& in, CountUntil until);

// Parses one decimal number in the scanf syntax from the start of text (no
// white space skipped); returns how many characters the scan consumes and the
// value, if any.  Shared with the form fields.
struct ScannedText {
  std::size_t consumed = 0;
  std::optional<double> value;
};
ScannedText scan_double_text(std::string_view text);

}  // namespace tralva
