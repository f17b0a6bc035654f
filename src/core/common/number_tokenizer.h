#pragma once
// Reading numbers from text the way the C library's scanf reads them, but
// independent of the process locale: "%f", "%lf" and "%i" skip white space of
// any kind (line ends included), then take the longest text that can continue
// a number and stop at the first character that cannot.

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "common/byte_stream.h"

namespace tralva {

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

// Decimal, "0x" hexadecimal or leading-0 octal; saturates at the int32 range.
std::optional<std::int32_t> scan_int(ByteStream& in);
// Passes over what would continue a number after its integer digits, as
// scan_float takes it: a point and digits, an exponent (dangling or not).
// For a real number read as an integer, so that what follows stays aligned.
void skip_number_rest(ByteStream& in);

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
// white space skipped), as next_token reads it.  Shared with the form fields
// and the command line.
struct ScannedText {
  std::size_t consumed = 0;  // what the scan passes over
  std::size_t length = 0;    // the number's own text, ending in a digit or a point; 0 for none
  std::optional<double> value;

  // A number, and nothing dangling after it ("1e", "2e+").
  bool ends_with_number() const { return length > 0 && consumed == length; }
};
ScannedText scan_double_text(std::string_view text);

}  // namespace tralva
