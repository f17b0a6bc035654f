#include "common/text_lines.h"

#include <cstring>

namespace tralva {

std::optional<std::string_view> TextLines::next() {
  if (too_long_) {
    too_long_ = false;
    for (;;) {
      if (in_->cursor() == in_->buffer_end() && in_->peek() == ByteStream::kEof) break;
      const char* const p = in_->cursor();
      const auto available = static_cast<std::size_t>(in_->buffer_end() - p);
      const void* const lf = std::memchr(p, '\n', available);
      if (lf == nullptr) {
        in_->advance(available);
        continue;
      }
      in_->advance(static_cast<std::size_t>(static_cast<const char*>(lf) - p) + 1);
      break;
    }
  }
  spill_.clear();
  bool any = false;
  for (;;) {
    if (in_->cursor() == in_->buffer_end() && in_->peek() == ByteStream::kEof) break;
    any = true;
    const char* const p = in_->cursor();
    const auto available = static_cast<std::size_t>(in_->buffer_end() - p);
    const void* const lf = std::memchr(p, '\n', available);
    const std::size_t length =
        lf != nullptr ? static_cast<std::size_t>(static_cast<const char*>(lf) - p) : available;
    if (spill_.size() + length > longest_) {
      too_long_ = true;
      spill_.clear();
      ++number_;
      return std::string_view();
    }
    in_->advance(length + (lf != nullptr ? 1 : 0));
    // The usual line lies whole in the buffer and is read where it is.
    if (lf != nullptr && spill_.empty()) {
      ++number_;
      return std::string_view(p, length);
    }
    spill_.append(p, length);
    if (lf != nullptr) break;
  }
  if (!any) return std::nullopt;
  ++number_;
  return std::string_view(spill_);
}

}  // namespace tralva
