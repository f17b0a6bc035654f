#include "convert/grid_text.h"

namespace tralva {

Message complete_output(OutputFile& file, ProgressTracker& progress, const char* failure,
                        const char* success) {
  // Grids and converted files can be made again from their inputs: no flush
  // to the disk, which would make the user wait for it.
  if (!file.commit(OutputFile::Durability::leave_to_system)) {
    return error_message(failure, file.cause());
  }
  progress.finish();
  return information_message(success);
}

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
