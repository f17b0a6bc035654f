#pragma once
// Pieces shared by the writers of grid files: the end of a long command and
// short texts formatted once and copied into many lines.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "common/message.h"
#include "common/precision.h"
#include "common/progress.h"
#include "common/text_file.h"

namespace tralva {

// The end of a long command that wrote a file: the file replaces its target
// and the bar is full, or, if the writing failed, the target stays as it was,
// the bar empties and the failure text is the message.
Message complete_output(OutputFile& file, ProgressTracker& progress, const char* failure,
                        const char* success);

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

// Copies a short piece of text with the same fixed-size move when it fits.
inline char* copy_text(char* out, const char* text, std::size_t length) {
  if (length <= TextSlots::kSlot) {
    std::memcpy(out, text, TextSlots::kSlot);
  } else {
    std::memcpy(out, text, length);
  }
  return out + length;
}

}  // namespace tralva
