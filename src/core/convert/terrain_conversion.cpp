#include "convert/terrain_conversion.h"

#include <algorithm>
#include <cstring>

#include "common/format.h"
#include "common/scan.h"
#include "common/text_file.h"
#include "convert/convert_messages.h"
#include "convert/grid_text.h"

namespace tralva {
namespace {

namespace text = convert_text;

// A point line: the column's "X\t", the row's "Y\t", Z and the line end,
// with the slack of the fixed-size copies.
constexpr std::size_t kLineRoom = 3 * kFormatBufferSize + 4 * TextSlots::kSlot;

// "<value>\t" with the precision's decimals; returns its end.
char* format_coordinate(char* out, double value, int decimals) {
  char* end = format_fixed(out, value, decimals);
  *end++ = '\t';
  return end;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// "%.2f" of the float read from a height's text.  A text of at most two
// decimals and no exponent, below 2^17 in magnitude, prints as its own
// digits: its float lies within half a float step, at most 2^-8, of it, too
// close for the rounding to two decimals to move.  Anything else goes the
// general way.
char* format_height(char* out, std::string_view text) {
  constexpr std::int32_t kExactBelow = 1 << 17;
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = *p == '-';
  if (*p == '+' || *p == '-') ++p;
  while (p < end && *p == '0') ++p;
  const char* const whole = p;
  std::int32_t integer = 0;
  for (; p < end && is_digit(*p); ++p) integer = std::min(integer * 10 + (*p - '0'), kExactBelow);
  const auto whole_length = static_cast<std::size_t>(p - whole);
  const char* const fraction = p < end && *p == '.' ? ++p : p;
  while (p < end && is_digit(*p)) ++p;
  const auto decimals = static_cast<std::size_t>(p - fraction);
  if (p != end || decimals > 2 || integer >= kExactBelow) {
    return format_fixed(out, float_from_text(text), 2);
  }
  if (negative) *out++ = '-';
  if (whole_length == 0) *out++ = '0';
  std::memcpy(out, whole, whole_length);
  out += whole_length;
  *out++ = '.';
  out[0] = decimals > 0 ? fraction[0] : '0';
  out[1] = decimals > 1 ? fraction[1] : '0';
  return out + 2;
}

}  // namespace

Message convert_terrain(const TerrainConversionRequest& request, ProgressSink& sink, Clock& clock) {
  if (request.terrain_input_path.empty()) return warning_message(text::kTerrainInputWithoutPath);
  if (request.terrain_gis_path.empty()) return warning_message(text::kTerrainOutputWithoutPath);
  ByteStream in;
  if (!in.open(request.terrain_input_path)) return error_message(text::kCannotOpenTerrainInput);
  OutputFile out;
  if (!out.open(request.terrain_gis_path)) {
    return error_message(text::kCannotCreateTerrainOutput);
  }

  // Both counts in one pass: the whole count goes on from where the first
  // line's stopped, unless the end of the file stopped it.  The end of the
  // file also ends the first line, so that a file without a line feed (an
  // empty one among them) ends too: it has no rows.
  const NumberCount first_line = count_numbers(in, CountUntil::line_end);
  std::int64_t whole = first_line.repetitions;
  if (first_line.last != ByteStream::kEof) {
    whole += count_numbers(in, CountUntil::end_of_stream).repetitions;
  }
  const std::int64_t column_count = first_line.repetitions - 1;
  const std::int64_t row_count = whole / (column_count + 1) - 1;

  // The columns are kept only for rows to write, so their memory is backed
  // by numbers the file holds: each column has its height in every row.  A
  // first line with no row after it, however long, takes none.
  const int decimals = precision_decimals(request.terrain_precision);
  TextSlots columns;
  if (row_count > 0) {
    in.seek(0);
    (void)scan_double(in);  // the corner number
    columns.reserve(static_cast<std::size_t>(column_count));
    char buffer[kFormatBufferSize + 1];
    for (std::int64_t c = 0; c < column_count; ++c) {
      columns.add({buffer, format_coordinate(buffer, scan_double(in).value_or(0.0), decimals)});
    }
  }

  out.write("X\tY\tZ\r\n");
  ProgressTracker progress(sink, clock);
  progress.start();
  sink.set_range(0, 1000);
  const ProgressScale scale(0, 1000, row_count);
  RepeatedText row;
  TokenSpill spill;
  for (std::int64_t j = 0; j < row_count; ++j) {
    row.end_at(format_coordinate(row.begin(), scan_double(in).value_or(0.0), decimals));
    for (std::int64_t c = 0; c < column_count; ++c) {
      const std::string_view z = next_token(in, spill, Separator::left).text;
      char* p = row.copy(columns.copy(static_cast<std::size_t>(c), out.room(kLineRoom)));
      p = z.empty() ? format_fixed(p, 0.0, 2) : format_height(p, z);
      *p++ = '\r';
      *p++ = '\n';
      out.wrote(p);
    }
    if (progress.move_to(scale.position(j + 1)) || j + 1 == row_count) {
      progress.estimate(
          [&](std::int64_t elapsed) { return elapsed * (row_count - (j + 1)) / (j + 1); });
    }
  }
  in.close();

  return complete_output(out, progress, text::kCannotCreateTerrainOutput, text::kConversionDone);
}

}  // namespace tralva
