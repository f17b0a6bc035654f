#pragma once
// The lines of a text stream, one at a time, in bounded memory: the readers
// of point files and surveys, whose lines are short but whose files may hold
// anything.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/byte_stream.h"

namespace tralva {

class TextLines {
 public:
  TextLines(ByteStream& in, std::size_t longest) : in_(&in), longest_(longest) {}

  // Starts again on `in`, from its current position, at line 1.
  void restart(ByteStream& in) {
    in_ = &in;
    number_ = 0;
    too_long_ = false;
  }

  // The next line without its line feed (a CR before it stays: the readers
  // take it as white space); nullopt at the end of the stream.  A line
  // longer than `longest` comes back empty with too_long() set as soon as
  // it is known to be too long, so that a reader that refuses it has read
  // no more than `longest` bytes of it; the next call passes over the rest
  // of it.
  std::optional<std::string_view> next();

  bool too_long() const { return too_long_; }
  // The number of the line last returned, from 1.
  std::int64_t number() const { return number_; }

 private:
  ByteStream* in_;
  std::size_t longest_;
  std::int64_t number_ = 0;
  bool too_long_ = false;
  std::string spill_;
};

}  // namespace tralva
