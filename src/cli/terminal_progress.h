#pragma once
// The pages' progress bar as one line on a terminal: the percentage and the
// remaining time, redrawn when the percentage changes and at each refresh.
// Draws nothing when standard error is not a terminal.

#include <iosfwd>

#include "common/progress.h"

namespace tralva::cli {

class TerminalProgress final : public ProgressSink {
 public:
  TerminalProgress(std::ostream& err, bool enabled) : err_(err), enabled_(enabled) {}

  void set_range(int low, int high) override;
  void set_position(int position) override;
  void set_remaining(RemainingTime remaining) override { remaining_ = remaining; }
  void refresh() override { draw(); }
  // Clears the line, so that the message takes its place.
  void finish();

 private:
  void draw();
  int percent() const;

  std::ostream& err_;
  const bool enabled_;
  int low_ = 0;
  int high_ = 1000;
  int position_ = 0;
  int drawn_percent_ = -1;
  RemainingTime remaining_;
  std::size_t drawn_length_ = 0;
};

}  // namespace tralva::cli
