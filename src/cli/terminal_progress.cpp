#include "terminal_progress.h"

#include <ostream>
#include <string>

#include "cli_texts.h"
#include "common/format.h"

namespace tralva::cli {

void TerminalProgress::set_range(int low, int high) {
  low_ = low;
  high_ = high;
}

void TerminalProgress::set_position(int position) {
  position_ = position;
  if (percent() != drawn_percent_) draw();
}

int TerminalProgress::percent() const {
  if (high_ <= low_) return 0;
  return static_cast<int>(100LL * (position_ - low_) / (high_ - low_));
}

void TerminalProgress::draw() {
  if (!enabled_) return;
  drawn_percent_ = percent();
  std::string line = int_text(drawn_percent_) + std::string(cli_text::kRemaining) +
                     int_text(remaining_.hours) + std::string(cli_text::kHours) +
                     int_text(remaining_.minutes) + std::string(cli_text::kMinutes) +
                     int_text(remaining_.seconds) + std::string(cli_text::kSeconds);
  const std::size_t length = line.size();
  if (length < drawn_length_) line.append(drawn_length_ - length, ' ');
  drawn_length_ = length;
  err_ << '\r' << line << std::flush;
}

void TerminalProgress::finish() {
  if (!enabled_ || drawn_length_ == 0) return;
  err_ << '\r' << std::string(drawn_length_, ' ') << '\r' << std::flush;
  drawn_length_ = 0;
  drawn_percent_ = -1;
}

}  // namespace tralva::cli
