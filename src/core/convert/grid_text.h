#pragma once
// Pieces shared by the writers of grid files: short texts formatted once
// and copied into many lines.

#include <cassert>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/format.h"

namespace tralva {

// Texts kept in fixed 32-byte slots, so that copying one into a line is a
// single fixed-size move followed by advancing by its length.  The rare
// longer text (a huge number) is kept aside and copied byte by byte.
class TextSlots {
 public:
  static constexpr std::size_t kSlot = 32;

  void reserve(std::size_t count);
  void add(std::string_view text);
  std::size_t size() const { return lengths_.size(); }

  // Copies text i to `out`, which must have room for kSlot bytes or the
  // text's length, whichever is larger; returns the end of the text.
  char* copy(std::size_t i, char* out) const {
    const std::uint32_t length = lengths_[i];
    const char* slot = slots_.data() + i * kSlot;
    if (length <= kSlot) {
      std::memcpy(out, slot, kSlot);
      return out + length;
    }
    std::uint64_t offset = 0;
    std::memcpy(&offset, slot, sizeof offset);
    std::memcpy(out, long_.data() + offset, length);
    return out + length;
  }

 private:
  std::vector<char> slots_;
  std::vector<std::uint32_t> lengths_;
  std::string long_;
};

// A text formatted once and copied into many lines, such as a point's X:
// its buffer holds the slack of the fixed-size move, so a short text copies
// with the same single move as a slot.  Room for a number formatted with
// format_fixed and a few characters more.
class RepeatedText {
 public:
  static constexpr std::size_t kRoom = kFormatBufferSize + TextSlots::kSlot;

  // Where to format the text; end_at() then marks its end.
  char* begin() { return bytes_; }
  void end_at(const char* end) {
    assert(end >= bytes_ && end <= bytes_ + kRoom);
    length_ = static_cast<std::size_t>(end - bytes_);
  }
  const char* data() const { return bytes_; }
  std::size_t size() const { return length_; }

  // Copies the text to `out`, which must have room for TextSlots::kSlot
  // bytes or the text's length, whichever is larger; returns its end.
  char* copy(char* out) const {
    std::memcpy(out, bytes_, length_ <= TextSlots::kSlot ? TextSlots::kSlot : length_);
    return out + length_;
  }

 private:
  char bytes_[kRoom] = {};
  std::size_t length_ = 0;
};

}  // namespace tralva
