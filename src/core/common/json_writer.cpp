#include "common/json_writer.h"

#include <charconv>
#include <cmath>
#include <ostream>

namespace tralva {
namespace {

constexpr std::size_t kFlushAt = 1 << 16;

}  // namespace

void JsonWriter::append(std::string_view text) {
  buffer_.append(text);
  if (buffer_.size() >= kFlushAt) flush();
}

void JsonWriter::flush() {
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
}

void JsonWriter::start_value() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!first_in_container_.empty()) {
    if (!first_in_container_.back()) append(",");
    first_in_container_.back() = false;
  }
}

JsonWriter& JsonWriter::open(std::string_view bracket) {
  start_value();
  append(bracket);
  first_in_container_.push_back(true);
  return *this;
}

JsonWriter& JsonWriter::begin_object() { return open("{"); }

JsonWriter& JsonWriter::close(std::string_view bracket) {
  first_in_container_.pop_back();
  append(bracket);
  return *this;
}

JsonWriter& JsonWriter::end_object() { return close("}"); }

JsonWriter& JsonWriter::begin_array() { return open("["); }

JsonWriter& JsonWriter::end_array() { return close("]"); }

void JsonWriter::append_quoted(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      static const char kHex[] = "0123456789abcdef";
      quoted += "\\u00";
      quoted += kHex[(c >> 4) & 0xf];
      quoted += kHex[c & 0xf];
    } else {
      quoted += c;
    }
  }
  quoted += '"';
  append(quoted);
}

JsonWriter& JsonWriter::key(std::string_view name) {
  start_value();
  append_quoted(name);
  append(":");
  after_key_ = true;
  return *this;
}

JsonWriter& JsonWriter::string(std::string_view text) {
  start_value();
  append_quoted(text);
  return *this;
}

template <class T>
JsonWriter& JsonWriter::shortest(T value) {
  if (!std::isfinite(value)) return null();
  start_value();
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  append(std::string_view(text, static_cast<std::size_t>(result.ptr - text)));
  return *this;
}

JsonWriter& JsonWriter::number(double value) { return shortest(value); }
JsonWriter& JsonWriter::number(float value) { return shortest(value); }
JsonWriter& JsonWriter::number(std::optional<double> value) {
  return value ? shortest(*value) : null();
}
JsonWriter& JsonWriter::integer(std::int64_t value) { return shortest(value); }

JsonWriter& JsonWriter::boolean(bool value) {
  start_value();
  append(value ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::null() {
  start_value();
  append("null");
  return *this;
}

}  // namespace tralva
