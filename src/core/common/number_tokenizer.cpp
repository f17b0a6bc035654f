#include "common/number_tokenizer.h"

#include <algorithm>
#include <cassert>

#include "common/decimal_conversion.h"

namespace tralva {
namespace {

// A source of characters for the number syntax: a piece of text (the
// stream's own buffer on the fast path, or a form field), or the stream
// itself, whose characters are kept in a token since a refill replaces the
// buffer.
struct TextSource {
  const char* p;
  const char* end;
  int peek() const { return p < end ? static_cast<unsigned char>(*p) : ByteStream::kEof; }
  void take() { ++p; }
};

struct StreamSource {
  ByteStream& in;
  TokenSpill& spill;
  int peek() { return in.peek(); }
  void take() { spill.push(static_cast<char>(in.get())); }
};

// The syntax of a decimal number, the one place that says where a number
// ends.  The scan consumes the longest text that can continue a number: an
// optional sign, digits with an optional point, an optional exponent.  The
// number itself ends at its last digit or point: a dangling "e" or "e+" is
// consumed but is not part of the value, and a sign or a point without
// digits is consumed and is no number.
template <class Source>
class DecimalScan {
 public:
  explicit DecimalScan(Source& src) : src_(src), c_(src.peek()) {}

  // A whole number: the length of its text, 0 when there is none.
  std::size_t number() {
    if (c_ == '+' || c_ == '-') take();
    return fraction_and_exponent(digits());
  }
  // What continues a number whose integer digits were read another way.
  void rest() { fraction_and_exponent(true); }

 private:
  std::size_t fraction_and_exponent(bool has_digits) {
    if (c_ == '.') {
      take();
      has_digits = digits() || has_digits;
    }
    if (!has_digits) return 0;
    const std::size_t mantissa_end = taken_;
    if (c_ != 'e' && c_ != 'E') return mantissa_end;
    take();
    if (c_ == '+' || c_ == '-') take();
    return digits() ? taken_ : mantissa_end;
  }
  bool digits() {
    const std::size_t from = taken_;
    while (is_digit(c_)) take();
    return taken_ > from;
  }
  void take() {
    src_.take();
    ++taken_;
    c_ = src_.peek();
  }

  Source& src_;
  int c_;
  std::size_t taken_ = 0;
};

template <class Source>
std::size_t scan_decimal(Source& src) {
  return DecimalScan<Source>(src).number();
}

// The length of a number's text as a reader takes it: an over-long one
// reads as no number.
std::size_t readable_length(std::size_t value_end) {
  return value_end <= kLongestNumber ? value_end : 0;
}

bool takes_separator(Separator after, std::string_view text) {
  return after == Separator::read || (after == Separator::read_after_number && !text.empty());
}

// The token when it lies whole in [p, end): the number, and the character
// after it when one is taken (two bytes, for a CR LF), must end before `end`,
// as only the stream knows what follows.  False, with nothing consumed,
// otherwise.  The fast path of every reader.
template <Separator after>
[[gnu::always_inline]] inline bool token_in_buffer(const char*& p, const char* const end,
                                                   NumberToken& token) {
  const char* q = p;
  while (q < end && is_scan_space(static_cast<unsigned char>(*q))) ++q;
  TextSource number{q, end};
  token.text = {q, readable_length(scan_decimal(number))};
  const char* r = number.p;
  if (takes_separator(after, token.text)) {
    if (end - r < 2) return false;
    int c = static_cast<unsigned char>(*r++);
    if (c == '\r' && *r == '\n') {
      ++r;
      c = '\n';
    }
    token.separator = c;
  } else if (r == end) {
    return false;
  }
  p = r;
  return true;
}

// The same token read through the stream, across refills of its buffer;
// once a buffer, so kept out of the readers' loops.
template <Separator after>
[[gnu::noinline, gnu::cold]] NumberToken token_from_stream(ByteStream& in, TokenSpill& spill) {
  NumberToken token;
  spill.clear();
  if (skip_space(in) != ByteStream::kEof) {
    StreamSource source{in, spill};
    token.text = spill.text(readable_length(scan_decimal(source)));
  }
  if (takes_separator(after, token.text)) token.separator = read_separator(in);
  return token;
}

#ifndef NDEBUG
// The promises of next_token, checked in debug builds.
bool keeps_token_contract(const NumberToken& token, Separator after, std::int64_t from,
                          std::int64_t to) {
  TextSource number{token.text.data(), token.text.data() + token.text.size()};
  const bool whole_number =
      token.text.empty() || (scan_decimal(number) == token.text.size() && number.p == number.end);
  const bool separator_byte = token.separator >= ByteStream::kEof && token.separator <= 0xFF;
  const bool moved =
      !takes_separator(after, token.text) || token.separator == ByteStream::kEof || to > from;
  return token.text.size() <= kLongestNumber && whole_number && separator_byte && moved;
}
#endif

// next_token's work, which every reader here comes through: the buffer's
// fast path, else the stream's.  Inlined into each reader's loop.
template <Separator after>
[[gnu::always_inline]] inline NumberToken read_token(ByteStream& in, TokenSpill& spill) {
  [[maybe_unused]] const std::int64_t from = in.tell();
  NumberToken token;
  const char* p = in.cursor();
  if (token_in_buffer<after>(p, in.buffer_end(), token)) {
    in.advance(static_cast<std::size_t>(p - in.cursor()));
  } else {
    token = token_from_stream<after>(in, spill);
  }
  assert(keeps_token_contract(token, after, from, in.tell()));
  return token;
}

template <class T>
std::optional<T> scan_real(ByteStream& in, T (*from_text)(std::string_view)) {
  TokenSpill spill;
  const std::string_view text = read_token<Separator::left>(in, spill).text;
  if (text.empty()) return std::nullopt;
  return from_text(text);
}

int hex_value(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int skip_space(ByteStream& in) {
  for (;;) {
    const char* p = in.cursor();
    const char* end = in.buffer_end();
    while (p < end && is_scan_space(static_cast<unsigned char>(*p))) ++p;
    in.advance(static_cast<std::size_t>(p - in.cursor()));
    if (p < end) return static_cast<unsigned char>(*p);
    if (in.peek() == ByteStream::kEof) return ByteStream::kEof;
  }
}

int read_separator(ByteStream& in) {
  const int c = in.get();
  if (c == '\r' && in.peek() == '\n') {
    in.get();
    return '\n';
  }
  return c;
}

std::optional<float> scan_float(ByteStream& in) { return scan_real(in, float_from_text); }

bool skip_number(ByteStream& in) {
  TokenSpill spill;
  return !read_token<Separator::left>(in, spill).text.empty();
}

NumberToken next_token(ByteStream& in, TokenSpill& spill, Separator after) {
  switch (after) {
    case Separator::left:
      return read_token<Separator::left>(in, spill);
    case Separator::read:
      return read_token<Separator::read>(in, spill);
    case Separator::read_after_number:
      break;
  }
  return read_token<Separator::read_after_number>(in, spill);
}

namespace {

template <Separator after>
std::size_t read_tokens(ByteStream& in, TokenSpill& spill, std::span<NumberToken> out) {
  if (out.empty()) return 0;
  const char* p = in.cursor();
  std::size_t n = 0;
  while (n < out.size() && token_in_buffer<after>(p, in.buffer_end(), out[n] = NumberToken())) {
    ++n;
  }
  in.advance(static_cast<std::size_t>(p - in.cursor()));
  if (n == 0) out[n++] = token_from_stream<after>(in, spill);
  return n;
}

}  // namespace

std::size_t next_tokens(ByteStream& in, TokenSpill& spill, Separator after,
                        std::span<NumberToken> out) {
  switch (after) {
    case Separator::left:
      return read_tokens<Separator::left>(in, spill, out);
    case Separator::read:
      return read_tokens<Separator::read>(in, spill, out);
    case Separator::read_after_number:
      break;
  }
  return read_tokens<Separator::read_after_number>(in, spill, out);
}

int scan_separated(ByteStream& in, std::span<float* const> slots) {
  TokenSpill spill;
  int read = 0;
  for (std::size_t k = 0; k < slots.size(); ++k) {
    const bool last = k + 1 == slots.size();
    const NumberToken token = last ? read_token<Separator::left>(in, spill)
                                   : read_token<Separator::read_after_number>(in, spill);
    if (token.text.empty()) break;
    if (slots[k] != nullptr) *slots[k] = float_from_text(token.text);
    ++read;
    if (!last && token.separator == ByteStream::kEof) break;
  }
  return read;
}

std::optional<double> scan_double(ByteStream& in) { return scan_real(in, double_from_text); }

std::optional<ScannedReal> scan_real_both(ByteStream& in) {
  TokenSpill spill;
  const std::string_view text = read_token<Separator::left>(in, spill).text;
  if (text.empty()) return std::nullopt;
  return ScannedReal{double_from_text(text), float_from_text(text)};
}

void skip_number_rest(ByteStream& in) {
  TokenSpill spill;
  StreamSource source{in, spill};
  DecimalScan(source).rest();
}

std::optional<std::int32_t> scan_int(ByteStream& in) {
  if (skip_space(in) == ByteStream::kEof) return std::nullopt;
  bool negative = false;
  int c = in.peek();
  if (c == '+' || c == '-') {
    negative = c == '-';
    in.get();
    c = in.peek();
  }
  if (!is_digit(c)) return std::nullopt;
  int base = 10;
  if (c == '0') {
    in.get();
    c = in.peek();
    base = 8;
    if (c == 'x' || c == 'X') {
      in.get();
      c = in.peek();
      base = 16;
    }
  }
  constexpr std::uint64_t kLimit = 1ULL << 31;
  std::uint64_t magnitude = 0;
  for (;;) {
    const int digit = hex_value(c);
    if (digit < 0 || digit >= base) break;
    magnitude =
        std::min(magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit), kLimit);
    in.get();
    c = in.peek();
  }
  if (negative) return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
  return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

ScannedText scan_double_text(std::string_view text) {
  TextSource src{text.data(), text.data() + text.size()};
  const std::size_t value_end = scan_decimal(src);
  ScannedText result;
  result.consumed = static_cast<std::size_t>(src.p - text.data());
  result.length = value_end;
  if (value_end > 0) result.value = double_from_text(text.substr(0, value_end));
  return result;
}

NumberCount count_numbers(ByteStream& in, CountUntil until) {
  TokenSpill spill;
  NumberCount count;
  for (;;) {
    const int c = read_token<Separator::read>(in, spill).separator;
    ++count.repetitions;
    if (c == ByteStream::kEof || (c == '\n' && until == CountUntil::line_end)) {
      count.last = c;
      return count;
    }
  }
}

}  // namespace tralva
