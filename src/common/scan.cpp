#include "common/scan.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <limits>

namespace tralva {
namespace {

constexpr std::size_t kBufferSize = 1 << 18;

bool is_digit(int c) { return c >= '0' && c <= '9'; }

// A source of characters for the number automata: the stream itself, or a
// piece of text (the stream's own buffer on the fast path, or a form field).
struct TextSource {
  const char* p;
  const char* end;
  int peek() const { return p < end ? static_cast<unsigned char>(*p) : ByteStream::kEof; }
  void take() { ++p; }
};

struct StreamSource {
  ByteStream& in;
  int peek() { return in.peek(); }
  void take() { in.get(); }
};

// The characters of a number token, kept without allocating for the usual
// short ones.
class Token {
 public:
  void push(char c) {
    if (size_ < sizeof(small_)) {
      small_[size_] = c;
    } else {
      if (size_ == sizeof(small_)) large_.assign(small_, sizeof(small_));
      large_.push_back(c);
    }
    ++size_;
  }
  const char* data() const { return size_ <= sizeof(small_) ? small_ : large_.data(); }
  std::size_t size() const { return size_; }

 private:
  char small_[64];
  std::size_t size_ = 0;
  std::string large_;
};

// Consumes the longest text that can continue a decimal number: optional
// sign, digits with an optional point, optional exponent.  `value_end` is the
// length of the longest prefix that is a complete number (a dangling "e" or
// "e+" is consumed but not part of the value); 0 when there is none.
template <class Source>
std::size_t scan_decimal(Source& src, Token& token) {
  int c = src.peek();
  if (c == '+' || c == '-') {
    token.push(static_cast<char>(c));
    src.take();
    c = src.peek();
  }
  bool digits = false;
  while (is_digit(c)) {
    token.push(static_cast<char>(c));
    src.take();
    c = src.peek();
    digits = true;
  }
  if (c == '.') {
    token.push('.');
    src.take();
    c = src.peek();
    while (is_digit(c)) {
      token.push(static_cast<char>(c));
      src.take();
      c = src.peek();
      digits = true;
    }
  }
  if (!digits) return 0;
  const std::size_t mantissa_end = token.size();
  if (c != 'e' && c != 'E') return mantissa_end;
  token.push(static_cast<char>(c));
  src.take();
  c = src.peek();
  if (c == '+' || c == '-') {
    token.push(static_cast<char>(c));
    src.take();
    c = src.peek();
  }
  if (!is_digit(c)) return mantissa_end;
  while (is_digit(c)) {
    token.push(static_cast<char>(c));
    src.take();
    c = src.peek();
  }
  return token.size();
}

locale_t c_locale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return locale;
}

template <class T>
T convert(const char* begin, const char* end) {
  if (*begin == '+') ++begin;  // from_chars takes no plus sign
  T value{};
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

// Reads one number token; its value text is token[0, returned length).
std::size_t scan_token(ByteStream& in, Token& token) {
  if (skip_space(in) == ByteStream::kEof) return 0;
  std::size_t value_end = 0;
  // Fast path: the whole token lies in the buffer already.
  TextSource text{in.cursor(), in.buffer_end()};
  value_end = scan_decimal(text, token);
  const auto consumed = static_cast<std::size_t>(text.p - in.cursor());
  if (text.p < text.end) {
    in.advance(consumed);
  } else {
    // The token may go on past the buffer: scan again from the stream.
    token = Token();
    StreamSource src{in};
    value_end = scan_decimal(src, token);
  }
  return value_end;
}

template <class T>
std::optional<T> scan_real(ByteStream& in) {
  Token token;
  const std::size_t value_end = scan_token(in, token);
  if (value_end == 0) return std::nullopt;
  return convert<T>(token.data(), token.data() + value_end);
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
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return false;
  struct stat st {};
  if (fstat(fd_, &st) != 0 || S_ISDIR(st.st_mode)) {
    close();
    return false;
  }
  size_ = st.st_size;
  buffer_.resize(kBufferSize);
  data_ = buffer_.data();
  return true;
}

void ByteStream::close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  memory_ = false;
  read_error_ = false;
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
std::optional<double> scan_double(ByteStream& in) { return scan_real<double>(in); }

std::optional<ScannedReal> scan_real_both(ByteStream& in) {
  Token token;
  const std::size_t value_end = scan_token(in, token);
  if (value_end == 0) return std::nullopt;
  const char* end = token.data() + value_end;
  return ScannedReal{convert<double>(token.data(), end), convert<float>(token.data(), end)};
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
    magnitude = std::min(magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit), kLimit);
    in.get();
    c = in.peek();
  }
  if (negative) return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
  return static_cast<std::int32_t>(std::min(magnitude, kLimit - 1));
}

ScannedText scan_double_text(std::string_view text) {
  TextSource src{text.data(), text.data() + text.size()};
  Token token;
  const std::size_t value_end = scan_decimal(src, token);
  ScannedText result;
  result.consumed = static_cast<std::size_t>(src.p - text.data());
  if (value_end > 0) result.value = convert<double>(token.data(), token.data() + value_end);
  return result;
}

}  // namespace tralva
