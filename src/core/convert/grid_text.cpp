#include "convert/grid_text.h"

namespace tralva {

void TextSlots::reserve(std::size_t count) {
  slots_.reserve(count * kSlot);
  lengths_.reserve(count);
}

void TextSlots::add(std::string_view text) {
  const std::size_t at = slots_.size();
  slots_.resize(at + kSlot);
  if (text.size() <= kSlot) {
    std::memcpy(slots_.data() + at, text.data(), text.size());
  } else {
    const std::uint64_t offset = long_.size();
    long_.append(text);
    std::memcpy(slots_.data() + at, &offset, sizeof offset);
  }
  lengths_.push_back(static_cast<std::uint32_t>(text.size()));
}

}  // namespace tralva
