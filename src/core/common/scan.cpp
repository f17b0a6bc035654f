#include "common/scan.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <bit>
#include <cassert>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <utility>

namespace tralva {
namespace {

constexpr std::size_t kBufferSize = 1 << 18;

bool is_digit(int c) { return c >= '0' && c <= '9'; }

// A source of characters for the number automata: a piece of text (the
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

// Consumes the longest text that can continue a decimal number: optional
// sign, digits with an optional point, optional exponent.  Returns the
// length of the longest prefix that is a complete number (a dangling "e" or
// "e+" is consumed but not part of the value); 0 when there is none.
template <class Source>
std::size_t scan_decimal(Source& src) {
  std::size_t taken = 0;
  const auto take = [&] {
    src.take();
    ++taken;
    return src.peek();
  };
  int c = src.peek();
  if (c == '+' || c == '-') c = take();
  bool digits = false;
  while (is_digit(c)) {
    c = take();
    digits = true;
  }
  if (c == '.') {
    c = take();
    while (is_digit(c)) {
      c = take();
      digits = true;
    }
  }
  if (!digits) return 0;
  const std::size_t mantissa_end = taken;
  if (c != 'e' && c != 'E') return mantissa_end;
  c = take();
  if (c == '+' || c == '-') c = take();
  if (!is_digit(c)) return mantissa_end;
  while (is_digit(c)) c = take();
  return taken;
}

// The same automaton over text in memory, the hot path of every reader.
template <>
std::size_t scan_decimal(TextSource& src) {
  const char* p = src.p;
  const char* const end = src.end;
  const char* const begin = p;
  const auto digits_from = [end](const char* q) {
    while (q < end && is_digit(static_cast<unsigned char>(*q))) ++q;
    return q;
  };
  if (p < end && (*p == '+' || *p == '-')) ++p;
  const char* q = digits_from(p);
  bool digits = q != p;
  if (q < end && *q == '.') {
    const char* r = digits_from(q + 1);
    digits = digits || r != q + 1;
    q = r;
  }
  if (!digits) {
    src.p = q;
    return 0;
  }
  const auto mantissa_end = static_cast<std::size_t>(q - begin);
  if (q == end || (*q != 'e' && *q != 'E')) {
    src.p = q;
    return mantissa_end;
  }
  ++q;
  if (q < end && (*q == '+' || *q == '-')) ++q;
  const char* r = digits_from(q);
  src.p = r;
  return r == q ? mantissa_end : static_cast<std::size_t>(r - begin);
}

locale_t c_locale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

constexpr auto kExactPowers = [] {
  std::array<double, 23> powers{};
  double p = 1;
  for (double& power : powers) {
    power = p;
    p *= 10;
  }
  return powers;
}();

// The common short numbers ("123.45", "-0.5", "4500000.125", "1e3") without
// the general algorithm.  When the significant digits (below 2^53) and the
// power of ten (up to 10^22) are both exact doubles, one IEEE multiplication
// or division rounds the exact value correctly.  A float is then rounded
// from that double, which is the float nearest the exact value unless the
// double lies exactly halfway between two floats: no other double can lie
// between the exact value and its nearest double.  False when the number
// falls outside these cases.
template <class T>
bool convert_exactly(const char* p, const char* end, T& out) {
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  std::uint64_t digits = 0;
  int significant = 0;
  int exponent = 0;
  bool fraction = false;
  for (; p < end; ++p) {
    if (*p == '.') {
      fraction = true;
      continue;
    }
    if (!is_digit(*p)) break;
    if (fraction) --exponent;
    if (digits == 0 && *p == '0') continue;
    if (++significant > 19) return false;
    digits = digits * 10 + static_cast<unsigned>(*p - '0');
  }
  if (p < end) {  // a complete exponent: 'e', optional sign, digits
    ++p;
    const bool negative_exponent = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    int e = 0;
    for (; p < end; ++p) e = std::min(e * 10 + (*p - '0'), 100000);
    exponent += negative_exponent ? -e : e;
  }
  if (digits == 0) {
    out = negative ? -T(0) : T(0);
    return true;
  }
  constexpr std::uint64_t kExactDigits = std::uint64_t{1} << 53;
  while (digits >= kExactDigits && digits % 10 == 0) {
    digits /= 10;
    ++exponent;
  }
  if (digits > kExactDigits || exponent > 22 || exponent < -22) return false;
  double value = static_cast<double>(digits);
  value = exponent < 0 ? value / kExactPowers[static_cast<std::size_t>(-exponent)]
                       : value * kExactPowers[static_cast<std::size_t>(exponent)];
  if constexpr (std::is_same_v<T, float>) {
    // Only normal floats, away from overflow; a halfway double goes the long way.
    if (!(value > 1e-37 && value < 1e38)) return false;
    const auto bits = std::bit_cast<std::uint64_t>(value);
    constexpr std::uint64_t kBelowFloat = (std::uint64_t{1} << 29) - 1;
    if ((bits & kBelowFloat) == std::uint64_t{1} << 28) return false;
    const auto rounded = static_cast<float>(value);
    out = negative ? -rounded : rounded;
  } else {
    out = negative ? -value : value;
  }
  return true;
}

template <class T>
T convert(std::string_view text) {
  T value{};
  if (convert_exactly(text.data(), text.data() + text.size(), value)) return value;
  const char* begin = text.data();
  const char* end = begin + text.size();
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  const auto result = std::from_chars(begin, end, value);
  if (result.ec == std::errc()) return value;
  // Out of range: the C library's answer (infinity or zero), never the locale's.
  const std::string copy(begin, end);
  if constexpr (std::is_same_v<T, float>) {
    return strtof_l(copy.c_str(), nullptr, c_locale());
  } else {
    return strtod_l(copy.c_str(), nullptr, c_locale());
  }
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
std::optional<T> scan_real(ByteStream& in) {
  TokenSpill spill;
  const std::string_view text = read_token<Separator::left>(in, spill).text;
  if (text.empty()) return std::nullopt;
  return convert<T>(text);
}

int hex_value(int c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

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

std::optional<float> scan_float(ByteStream& in) { return scan_real<float>(in); }

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
    if (slots[k] != nullptr) *slots[k] = convert<float>(token.text);
    ++read;
    if (!last && token.separator == ByteStream::kEof) break;
  }
  return read;
}

float float_from_text(std::string_view text) { return convert<float>(text); }
std::optional<double> scan_double(ByteStream& in) { return scan_real<double>(in); }

std::optional<ScannedReal> scan_real_both(ByteStream& in) {
  TokenSpill spill;
  const std::string_view text = read_token<Separator::left>(in, spill).text;
  if (text.empty()) return std::nullopt;
  return ScannedReal{convert<double>(text), convert<float>(text)};
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
  if (value_end > 0) result.value = convert<double>(text.substr(0, value_end));
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
