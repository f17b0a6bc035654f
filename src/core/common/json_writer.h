#pragma once
// A small streaming JSON writer: compact output, commas placed by the writer,
// numbers in their shortest round-trip form for their own precision (a float
// is written as the shortest text that reads back as that float), non-finite
// numbers as null.  Locale-independent.

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tralva {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}
  ~JsonWriter() { flush(); }
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  JsonWriter& begin_object();
  JsonWriter& end_object();
  JsonWriter& begin_array();
  JsonWriter& end_array();
  JsonWriter& key(std::string_view name);

  JsonWriter& number(double value);
  JsonWriter& number(float value);
  JsonWriter& number(std::optional<double> value);  // null when absent
  JsonWriter& integer(std::int64_t value);
  JsonWriter& boolean(bool value);
  JsonWriter& string(std::string_view text);
  JsonWriter& null();

  // Hands what is buffered to the stream; also done when the buffer fills.
  void flush();

 private:
  void start_value();
  void append_quoted(std::string_view text);
  JsonWriter& open(std::string_view bracket);
  JsonWriter& close(std::string_view bracket);
  void append(std::string_view text);
  template <class T>
  JsonWriter& shortest(T value);

  std::ostream& out_;
  std::string buffer_;
  std::vector<bool> first_in_container_;
  bool after_key_ = false;
};

}  // namespace tralva
