#include "convert/result_conversion.h"

#include <cstring>
#include <optional>
#include <vector>

#include "common/field.h"
#include "common/format.h"
#include "common/scan.h"
#include "common/text_file.h"
#include "convert/convert_messages.h"
#include "convert/grid_text.h"

namespace tralva {
namespace {

namespace text = convert_text;

constexpr std::size_t kCellRoom = kFormatBufferSize + 2;

enum class Axis { x, y, z };

// Which values give the columns and the rows, chosen by psi first.
struct Layout {
  Axis column = Axis::x;
  Axis row = Axis::y;
  bool vertical = false;  // psi neither 0 nor 180: rows from Z, two decimals
};

bool is_0_or_180(int angle) { return angle == 0 || angle == 180; }

Layout choose_layout(int fi, int psi) {
  if (is_0_or_180(psi)) {
    if (fi == 90 || fi == 270) return {Axis::y, Axis::x, false};
    return {Axis::x, Axis::y, false};
  }
  return {is_0_or_180(fi) ? Axis::x : Axis::y, Axis::z, true};
}

// The angle lists' texts read as integers; no number reads as 0.
int angle_value(const std::string& angle) { return parse_field_int(angle).value_or(0); }

// Positions the stream after the first line feed; at the end when there is
// none, so that such a file holds no records.
void skip_first_line(ByteStream& in) {
  for (;;) {
    const char* p = in.cursor();
    const char* end = in.buffer_end();
    const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
    if (lf != nullptr) {
      in.advance(static_cast<std::size_t>(static_cast<const char*>(lf) + 1 - p));
      return;
    }
    in.advance(static_cast<std::size_t>(end - p));
    if (in.peek() == ByteStream::kEof) return;
  }
}

// One record as "number, one character, number, one character, number, one
// character, number" is read: the first value that cannot be read ends the
// record, leaving it and the rest of the record at 0.  Only the values
// wanted are converted.
struct Record {
  float value[4] = {0, 0, 0, 0};
};

Record read_record(ByteStream& in, unsigned wanted) {
  Record record;
  (void)scan_separated(in, 4, wanted, record.value);
  return record;
}

float axis_value(const Record& record, Axis axis) { return record.value[static_cast<int>(axis)]; }

// What the writing needs of the records: the column coordinates of the first
// grid row, the coordinate of every row and every field value.
struct Matrix {
  std::vector<float> columns;
  std::vector<float> rows;
  std::vector<float> values;
};

}  // namespace

Message convert_result(const ResultConversionRequest& request, ProgressSink& sink, Clock& clock) {
  if (request.gis_input_path.empty()) return warning_message(text::kGisInputWithoutPath);
  if (request.conversion_output_path.empty()) {
    return warning_message(text::kConversionOutputWithoutPath);
  }
  ByteStream in;
  if (!in.open(request.gis_input_path)) return error_message(text::kCannotOpenGisInput);
  OutputFile out;
  if (!out.open(request.conversion_output_path)) {
    return error_message(text::kCannotCreateConversion);
  }
  const Layout layout = choose_layout(angle_value(request.fi), angle_value(request.psi));

  skip_first_line(in);
  const std::int64_t records_start = in.tell();
  // 64-bit counts; a negative step count describes no grid, and no count of
  // values matches it.
  const std::int64_t column_count = std::int64_t{request.steps_x} + 1;
  const std::int64_t row_count = std::int64_t{request.steps_y} + 1;
  const std::int64_t n = column_count * row_count;
  const std::int64_t values = count_numbers(in, CountUntil::end_of_stream) - 1;
  if (request.steps_x < 0 || request.steps_y < 0 || values != 4 * n) {
    return error_message(text::kValueCountMismatch);
  }

  out.write("0.0");
  in.seek(records_start);
  ProgressTracker progress(sink, clock);
  progress.start();
  sink.set_range(0, 1000);
  Matrix matrix;
  matrix.columns.reserve(static_cast<std::size_t>(column_count));
  matrix.rows.reserve(static_cast<std::size_t>(row_count));
  matrix.values.reserve(static_cast<std::size_t>(n));
  const ProgressScale reading(0, 500, n);
  std::int64_t next_change = 0;
  for (std::int64_t i = 0, column = 0; i < n; ++i, ++column) {
    if (column == column_count) column = 0;
    unsigned wanted = 1u << 3;  // the field value
    if (i < column_count) wanted |= 1u << static_cast<int>(layout.column);
    if (column == 0) wanted |= 1u << static_cast<int>(layout.row);
    const Record record = read_record(in, wanted);
    if (i < column_count) matrix.columns.push_back(axis_value(record, layout.column));
    if (column == 0) matrix.rows.push_back(axis_value(record, layout.row));
    matrix.values.push_back(record.value[3]);
    if (i >= next_change) {
      next_change = reading.next_change(i);
      if (progress.move_to(reading.position(i))) {
        progress.estimate([&](std::int64_t elapsed) { return elapsed * ((2 * n - i) / (i + 1)); });
      }
    }
  }
  in.close();

  progress.start();
  const int decimals = precision_decimals(request.result_precision);
  for (const float x : matrix.columns) {
    char* p = out.room(kCellRoom);
    *p++ = '\t';
    out.wrote(format_fixed(p, x, decimals));
  }
  // After a cell the bar counts it as done when psi is 0 or 180, only the
  // cells before it otherwise.
  const ProgressScale writing(500, 500, n);
  const std::int64_t counted = layout.vertical ? 0 : 1;
  const int row_decimals = layout.vertical ? 2 : decimals;
  next_change = 0;
  std::int64_t v = 0;
  for (const float y : matrix.rows) {
    char* p = out.room(kCellRoom);
    *p++ = '\r';
    *p++ = '\n';
    out.wrote(format_fixed(p, y, row_decimals));
    for (std::int64_t c = 0; c < column_count; ++c, ++v) {
      p = out.room(kCellRoom);
      *p++ = '\t';
      out.wrote(format_fixed(p, matrix.values[static_cast<std::size_t>(v)], 3));
      if (v + counted >= next_change) {
        next_change = writing.next_change(v + counted);
        if (progress.move_to(writing.position(v + counted))) {
          const std::int64_t done = v + 1;
          progress.estimate([&](std::int64_t elapsed) { return elapsed * (n - done) / done; });
        }
      }
    }
  }

  return complete_output(out, progress, text::kCannotCreateConversion, text::kConversionDone);
}

}  // namespace tralva
