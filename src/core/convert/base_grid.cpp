#include "convert/base_grid.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "common/command_files.h"
#include "common/format.h"
#include "common/gis_texts.h"
#include "common/output_file.h"
#include "common/precision.h"
#include "convert/convert_texts.h"
#include "convert/grid_text.h"

namespace tralva {
namespace {

namespace text = convert_text;

// Every column repeats the same Y values, so their texts are formatted once;
// beyond this many rows the rest is formatted point by point, which keeps
// the memory bounded whatever the grid.
constexpr std::int64_t kCachedRows = 1 << 16;
// Room for the longest point line: two numbers of kFormatBufferSize and a few
// characters, plus the slack of the fixed-size copies.
constexpr std::size_t kLineRoom = 2 * kFormatBufferSize + 2 * TextSlots::kSlot;

// The integer index times the single-precision step, plus the origin, in
// double precision.
double coordinate(double origin, std::int64_t index, float step) {
  return origin + static_cast<double>(index) * static_cast<double>(step);
}

// "\t<Y>\t0\r\n": the part of a point line after X.
std::size_t format_tail(char* out, double y, int decimals) {
  char* p = out;
  *p++ = '\t';
  p = format_fixed(p, y, decimals);
  const std::string_view rest = "\t0\r\n";
  std::memcpy(p, rest.data(), rest.size());
  return static_cast<std::size_t>(p + rest.size() - out);
}

// X, up to 16 characters, stored with two fixed-size moves that may overlap.
class ShortText {
 public:
  static constexpr std::size_t kMax = 16;

  ShortText(const char* text, std::size_t length) : length_(length) {
    const std::size_t piece = length >= 8 ? 8 : length >= 4 ? 4 : 1;
    std::memcpy(&head_, text, piece);
    std::memcpy(&tail_, text + length - piece, piece);
    if (piece == 1) std::memcpy(&middle_, text + length / 2, 1);
  }
  void store(char* out) const {
    if (length_ >= 8) {
      std::memcpy(out, &head_, 8);
      std::memcpy(out + length_ - 8, &tail_, 8);
    } else if (length_ >= 4) {
      std::memcpy(out, &head_, 4);
      std::memcpy(out + length_ - 4, &tail_, 4);
    } else {
      std::memcpy(out, &head_, 1);
      std::memcpy(out + length_ / 2, &middle_, 1);
      std::memcpy(out + length_ - 1, &tail_, 1);
    }
  }

 private:
  std::size_t length_;
  std::uint64_t head_ = 0;
  std::uint64_t tail_ = 0;
  std::uint64_t middle_ = 0;
};

__extension__ typedef unsigned __int128 Uint128;

std::uint64_t saturated(Uint128 value) {
  constexpr std::uint64_t kMax = std::numeric_limits<std::uint64_t>::max();
  return value > kMax ? kMax : static_cast<std::uint64_t>(value);
}

// The total length of the texts of coordinate(origin, i, step) for i in
// [0, n), without formatting them all.  The coordinates rise with i, so
// their lengths, which follow the magnitude and the sign, fall up to the
// first one that is not negative and rise from there: runs of equal length,
// a few dozen at most, each found by bisection.
std::uint64_t coordinate_lengths(double origin, std::int64_t n, float step, int decimals) {
  const auto length = [&](std::int64_t i) {
    return fixed_length(coordinate(origin, i, step), decimals);
  };
  // Over [from, to), where the length is monotone.
  const auto monotone_sum = [&](std::int64_t from, std::int64_t to) {
    Uint128 sum = 0;
    while (from < to) {
      const std::size_t run_length = length(from);
      std::int64_t low = from;  // the last index of the run lies in [low, high]
      std::int64_t high = to - 1;
      while (low < high) {
        const std::int64_t middle = low + (high - low + 1) / 2;
        if (length(middle) == run_length) {
          low = middle;
        } else {
          high = middle - 1;
        }
      }
      sum += static_cast<Uint128>(low - from + 1) * run_length;
      from = low + 1;
    }
    return sum;
  };
  if (n <= 0) return 0;
  std::int64_t low = 0;  // the first index with no sign lies in [low, n]
  std::int64_t high = n;
  while (low < high) {
    const std::int64_t middle = low + (high - low) / 2;
    if (std::signbit(coordinate(origin, middle, step))) {
      low = middle + 1;
    } else {
      high = middle;
    }
  }
  return saturated(monotone_sum(0, low) + monotone_sum(low, n));
}

class GridWriter {
 public:
  GridWriter(const BaseGridRequest& request, OutputFile& file)
      : request_(request), file_(file), decimals_(precision_decimals(request.base_precision)) {
    const std::int64_t rows = std::int64_t{request.steps_y} + 1;
    const std::int64_t cached = std::min<std::int64_t>(rows, kCachedRows);
    char buffer[kLineRoom];
    if (cached > 0) tails_.reserve(static_cast<std::size_t>(cached));
    for (std::int64_t j = 0; j < cached; ++j) {
      const double y = coordinate(request.origin_y, j, request.step);
      tails_.add({buffer, format_tail(buffer, y, decimals_)});
    }
    whole_columns_ = rows == cached && rows >= kBlockRows;
  }

  // Starts column i; true when it goes as one block (then write_column()).
  bool start_column(std::int64_t i) {
    x_.end_at(format_fixed(x_.begin(), coordinate(request_.origin_x, i, request_.step), decimals_));
    return whole_columns_ && x_.size() <= ShortText::kMax;
  }

  // The whole column: the block of its lines with only X changed.  Blocks
  // are gathered to about a megabyte per write call.
  void write_column() {
    if (x_.size() != block_x_length_) {
      flush_blocks();
      build_blocks();
    }
    const ShortText x(x_.data(), x_.size());
    char* const block = blocks_[pending_].data();
    for (const std::uint32_t offset : line_starts_) x.store(block + offset);
    if (++pending_ == blocks_.size()) flush_blocks();
  }

  // Writes the gathered blocks; before any other write and at the end.
  void flush_blocks() {
    if (pending_ == 0) return;
    std::vector<std::string_view> views(blocks_.begin(),
                                        blocks_.begin() + static_cast<std::ptrdiff_t>(pending_));
    file_.write_blocks(views);
    pending_ = 0;
  }

  // The points [from, to) of the current column, line by line, up to the
  // first failed write.
  void write_points(std::int64_t from, std::int64_t to) {
    flush_blocks();
    const auto cached_end = std::min(to, static_cast<std::int64_t>(tails_.size()));
    std::int64_t j = from;
    while (j < to && !file_.failed()) {
      char* p = file_.room(kLineRoom);
      const char* const last = file_.room_end() - kLineRoom;
      for (; j < cached_end && p <= last; ++j) {
        p = tails_.copy(static_cast<std::size_t>(j), x_.copy(p));
      }
      for (; j >= cached_end && j < to && p <= last; ++j) {
        p = x_.copy(p);
        p += format_tail(p, coordinate(request_.origin_y, j, request_.step), decimals_);
      }
      file_.wrote(p);
    }
  }

 private:
  // Columns this tall are written as blocks.
  static constexpr std::int64_t kBlockRows = 2048;
  static constexpr std::size_t kGathered = 1 << 20;

  // Lines with room for an X of the current length, and where each X goes;
  // as many copies as make about a megabyte.
  void build_blocks() {
    std::string block;
    line_starts_.clear();
    char tail[TextSlots::kSlot + kFormatBufferSize];
    for (std::size_t j = 0; j < tails_.size(); ++j) {
      line_starts_.push_back(static_cast<std::uint32_t>(block.size()));
      block.append(x_.size(), ' ');
      block.append(tail, static_cast<std::size_t>(tails_.copy(j, tail) - tail));
    }
    blocks_.assign(std::max<std::size_t>(1, kGathered / block.size()), block);
    block_x_length_ = x_.size();
  }

  const BaseGridRequest& request_;
  OutputFile& file_;
  const int decimals_;
  TextSlots tails_;
  bool whole_columns_ = false;
  std::vector<std::string> blocks_;
  std::size_t pending_ = 0;  // blocks filled and not yet written
  std::vector<std::uint32_t> line_starts_;
  std::size_t block_x_length_ = 0;
  RepeatedText x_;
};

}  // namespace

std::uint64_t base_file_size(const BaseGridRequest& request) {
  constexpr std::uint64_t kHeader = gis_text::kPointsHeaderLine.size();
  constexpr std::uint64_t kLineRest = 5;  // "\t" after X, "\t0\r\n" after Y
  const std::int64_t columns = std::int64_t{request.steps_x} + 1;
  const std::int64_t rows = std::int64_t{request.steps_y} + 1;
  if (columns <= 0 || rows <= 0) return kHeader;
  const int decimals = precision_decimals(request.base_precision);
  // Every column repeats the rows' Y texts and every row the columns' X texts.
  const Uint128 size = kHeader +
                       static_cast<Uint128>(rows) *
                           coordinate_lengths(request.origin_x, columns, request.step, decimals) +
                       static_cast<Uint128>(columns) *
                           coordinate_lengths(request.origin_y, rows, request.step, decimals) +
                       static_cast<Uint128>(columns) * static_cast<Uint128>(rows) * kLineRest;
  return saturated(size);
}

Message create_base_file(const BaseGridRequest& request, ProgressSink& sink, Clock& clock) {
  if (request.step <= 0 && (request.steps_x > 0 || request.steps_y > 0)) {
    return warning_message(text::kStepNotPositive);
  }
  sink.set_range(0, 1000);
  if (request.base_file_path.empty()) return warning_message(text::kBaseWithoutPath);
  OutputFile file;
  // A grid that does not fit is refused before a byte is written: it would
  // fill the disk for every other program first.
  if (!file.open(request.base_file_path) || !file.reserve(base_file_size(request))) {
    return error_message(text::kCannotCreateBase, file.cause());
  }
  file.write(gis_text::kPointsHeaderLine);
  ProgressTracker progress(sink, clock);
  progress.start();

  // 64-bit counts: (steps_x + 1) * (steps_y + 1) overflows 32 bits.
  const std::int64_t columns = std::int64_t{request.steps_x} + 1;
  const std::int64_t rows = std::int64_t{request.steps_y} + 1;
  const ProgressScale scale(0, 1000, columns > 0 && rows > 0 ? columns * rows : 0);
  GridWriter writer(request, file);
  std::int64_t written = 0;
  std::int64_t next_change = scale.next_change(0);
  bool moved = false;
  // The bar after every point, in order, up to `written`.
  const auto advance = [&] {
    while (written >= next_change) {
      moved = progress.move_to(scale.position(next_change)) || moved;
      next_change = scale.next_change(next_change);
    }
  };
  for (std::int64_t i = 0; i < columns && !file.failed(); ++i) {
    if (writer.start_column(i)) {
      writer.write_column();  // maybe kept for the next write call
      written += rows;
      advance();
    } else {
      for (std::int64_t j = 0; j < rows && !file.failed();) {
        // Up to the next point that moves the bar, without looking at it.
        const std::int64_t to = std::min(rows, j + (next_change - written));
        writer.write_points(j, to);
        written += to - j;
        j = to;
        advance();
      }
    }
    // The estimate after a column; skipped while the bar stands still, since
    // only the value shown at a refresh is ever seen.
    if (moved || i + 1 == columns) {
      moved = false;
      progress.estimate(
          [&](std::int64_t elapsed) { return elapsed * (columns - 1 - i) / (i + 1); });
    }
  }

  writer.flush_blocks();
  if (auto failure = complete_output(file, progress, text::kCannotCreateBase)) return *failure;
  return information_message(text::kBaseCreated);
}

}  // namespace tralva
