#include "convert/result_conversion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <string_view>
#include <variant>
#include <vector>

#include "common/command_files.h"
#include "common/field.h"
#include "common/format.h"
#include "common/number_tokenizer.h"
#include "common/output_file.h"
#include "common/precision.h"
#include "convert/convert_texts.h"
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

float axis_value(const Record& record, Axis axis) { return record.value[static_cast<int>(axis)]; }

// What the writing needs of the records: the column coordinates of the first
// grid row, the coordinate of every row and every field value; and, to check
// the order of the records, the row coordinate of each record of the first
// grid row, one and the same where fi fits the file.
struct Matrix {
  std::vector<float> columns;
  std::vector<float> rows;
  std::vector<float> values;
  std::vector<float> first_row;
};

// Reads the n records of the grid into the matrix, with the reading phase's
// progress (0 to 500).
class RecordReader {
 public:
  RecordReader(const Layout& layout, std::int64_t column_count, std::int64_t n,
               ProgressTracker& progress)
      : layout_(layout),
        column_count_(column_count),
        n_(n),
        progress_(progress),
        scale_(0, 500, n) {}

  // Nothing is sized beyond what the file can hold before its values are
  // counted: each record takes at least 8 bytes.
  void reserve(std::int64_t file_size) {
    const auto records = static_cast<std::size_t>(std::min(n_, file_size / 8 + 1));
    matrix_.columns.reserve(std::min(records, static_cast<std::size_t>(column_count_)));
    matrix_.first_row.reserve(matrix_.columns.capacity());
    matrix_.rows.reserve(records / static_cast<std::size_t>(column_count_) + 1);
    matrix_.values.reserve(records);
  }
  void restart() {
    matrix_ = Matrix();
    i_ = 0;
    column_ = 0;
    next_change_ = 0;
  }

  // Where the values of the next record go: the kept ones into `record`,
  // the others only passed over; none is kept once all n are in.
  std::array<float*, 4> slots(Record& record) const {
    std::array<float*, 4> slots{};
    if (i_ >= n_) return slots;
    slots[3] = &record.value[3];  // the field value
    const auto keep = [&](Axis axis) {
      const auto k = static_cast<std::size_t>(axis);
      slots[k] = &record.value[k];
    };
    if (i_ < column_count_) keep(layout_.column);
    if (i_ < column_count_ || column_ == 0) keep(layout_.row);
    return slots;
  }

  void take(const Record& record) {
    if (i_ >= n_) return;
    if (i_ < column_count_) {
      matrix_.columns.push_back(axis_value(record, layout_.column));
      matrix_.first_row.push_back(axis_value(record, layout_.row));
    }
    if (column_ == 0) matrix_.rows.push_back(axis_value(record, layout_.row));
    matrix_.values.push_back(record.value[3]);
    if (i_ >= next_change_) {
      next_change_ = scale_.next_change(i_);
      if (progress_.move_to(scale_.position(i_))) {
        const std::int64_t i = i_;
        progress_.estimate(
            [&](std::int64_t elapsed) { return elapsed * ((2 * n_ - i) / (i + 1)); });
      }
    }
    ++i_;
    if (++column_ == column_count_) column_ = 0;
  }

  Matrix& matrix() { return matrix_; }

 private:
  Layout layout_;
  std::int64_t column_count_;
  std::int64_t n_;
  ProgressTracker& progress_;
  ProgressScale scale_;
  Matrix matrix_;
  std::int64_t i_ = 0;
  std::int64_t column_ = 0;
  std::int64_t next_change_ = 0;
};

// The size of the matrix file, or nullopt when a value it would hold is no
// finite number (beyond the float range in the input): "inf" is a number to
// no reader.
std::optional<std::uint64_t> matrix_size(const Matrix& matrix, int decimals, int row_decimals) {
  std::uint64_t size = 3;  // "0.0"
  const auto add = [&size](const std::vector<float>& values, std::size_t before, int places) {
    for (const float value : values) {
      if (!std::isfinite(value)) return false;
      size += before + fixed_length(value, places);
    }
    return true;
  };
  if (add(matrix.columns, 1, decimals) && add(matrix.rows, 2, row_decimals) &&
      add(matrix.values, 1, 3)) {
    return size;
  }
  return std::nullopt;
}

// Whether the values are written alike with `decimals`, as the matrix
// writes its coordinates.
bool written_alike(const std::vector<float>& values, int decimals) {
  char first[kFormatBufferSize];
  char other[kFormatBufferSize];
  const std::string_view written(first, format_fixed(first, values.front(), decimals));
  return std::all_of(values.begin() + 1, values.end(), [&](float value) {
    return std::string_view(other, format_fixed(other, value, decimals)) == written;
  });
}

// The points of a grid row keep their Y with fi 0 and 180 and their X with
// 90 and 270 (the first axis of the plane turned by fi in plan, psi 0 or
// 180 leaving it flat).  Where the first row does not, the matrix means
// nothing: the warning names the fi that fits, if any.  Only the lists'
// angles are looked at, and only rows of more than one point.
std::optional<Message> orientation_mismatch(const Matrix& matrix, int fi, int psi, int decimals) {
  const bool across = fi == 90 || fi == 270;  // rows keep their X
  if (!is_0_or_180(psi) || !(across || is_0_or_180(fi)) || matrix.first_row.size() < 2 ||
      written_alike(matrix.first_row, decimals)) {
    return std::nullopt;
  }
  std::string message = text::kOrientationStart;
  message += std::to_string(fi);
  message += text::kOrientationFirstPoints;
  message += std::to_string(matrix.first_row.size());
  message += across ? text::kOrientationSameX : text::kOrientationSameY;
  // The row coordinate of these layouts is the other axis, the column one
  // the axis the row keeps; along the row the points run the way of fi.
  if (written_alike(matrix.columns, decimals)) {
    const bool rising = matrix.first_row.back() > matrix.first_row.front();
    const int fits = across ? (rising ? 0 : 180) : (rising ? 90 : 270);
    message += text::kOrientationFits;
    message += std::to_string(fits);
    message += text::kOrientationRepeat;
  } else {
    message += text::kOrientationNoFit;
  }
  return warning_message(std::move(message));
}

enum class OnePass { values_counted, irregular };

// Counting the values and then reading the records passes over the file
// twice.  Where every number reads and the character after each fourth one
// is white space (or the end), counting "a number, then one character" and
// reading "number, character, number, character, number, character, number"
// take the same numbers in the same order, so one pass does both.  Any other
// file is left to the two passes, which stay exact for it.
OnePass read_and_count(ByteStream& in, RecordReader& reader, std::int64_t& values) {
  std::int64_t records = 0;
  for (;;) {
    Record record;
    const int read = scan_separated(in, reader.slots(record));
    if (read == 0 && in.peek() == ByteStream::kEof) {
      values = 4 * records;  // the last repetition, at the end, is not a value
      return OnePass::values_counted;
    }
    if (read < 4) return OnePass::irregular;
    const int c = read_separator(in);
    reader.take(record);
    ++records;
    if (c == ByteStream::kEof) {
      values = 4 * records - 1;  // the last number had no character after it
      return OnePass::values_counted;
    }
    if (!is_scan_space(c)) return OnePass::irregular;
  }
}

// What the conversion knows before it reads the records: how the grid lies
// and how many points it has, and how its numbers are written.
struct Conversion {
  int fi = 0;
  int psi = 0;
  Layout layout;
  std::int64_t column_count = 0;
  std::int64_t n = 0;    // the points of the grid
  int decimals = 0;      // of the columns' coordinates
  int row_decimals = 0;  // of the rows'
};

// The files opened, the first line passed over and the grid's shape.
std::variant<Conversion, Message> prepare(const ResultConversionRequest& request, ByteStream& in,
                                          OutputFile& out) {
  if (request.gis_input_path.empty()) return warning_message(text::kGisInputWithoutPath);
  if (request.conversion_output_path.empty()) {
    return warning_message(text::kConversionOutputWithoutPath);
  }
  if (auto failure =
          open_input_and_output(in, request.gis_input_path, text::kCannotOpenGisInput, out,
                                request.conversion_output_path,
                                {text::kCannotCreateConversion, text::kConversionIsInput})) {
    return *failure;
  }
  Conversion conversion;
  conversion.fi = angle_value(request.fi);
  conversion.psi = angle_value(request.psi);
  conversion.layout = choose_layout(conversion.fi, conversion.psi);
  skip_first_line(in);
  // 64-bit counts; a negative step count describes no grid, and no count of
  // values matches it.
  if (request.steps_x < 0 || request.steps_y < 0) return error_message(text::kValueCountMismatch);
  conversion.column_count = std::int64_t{request.steps_x} + 1;
  conversion.n = conversion.column_count * (std::int64_t{request.steps_y} + 1);
  conversion.decimals = precision_decimals(request.result_precision);
  conversion.row_decimals = conversion.layout.vertical ? 2 : conversion.decimals;
  return conversion;
}

// The n records into the reader's matrix, in one pass where the file allows
// it, else counted first; false when the file holds another count of values.
bool read_records(ByteStream& in, RecordReader& reader, std::int64_t n, ProgressTracker& progress) {
  const std::int64_t records_start = in.tell();
  reader.reserve(in.size());
  std::int64_t values = 0;
  if (read_and_count(in, reader, values) == OnePass::irregular) {
    reader.restart();
    in.seek(records_start);
    values = count_numbers(in, CountUntil::end_of_stream).repetitions - 1;
    if (values % 4 == 0 && values / 4 == n) {
      in.seek(records_start);
      progress.start();
      for (std::int64_t i = 0; i < n; ++i) {
        Record record;
        (void)scan_separated(in, reader.slots(record));
        reader.take(record);
      }
    }
  }
  in.close();
  return values % 4 == 0 && values / 4 == n;
}

// The matrix: the columns' coordinates on the first line, then a line for
// each row, with the writing's half of the bar.
void write_matrix(OutputFile& out, const Matrix& matrix, const Conversion& conversion,
                  ProgressTracker& progress) {
  const std::int64_t column_count = conversion.column_count;
  const std::int64_t n = conversion.n;
  const int decimals = conversion.decimals;
  const int row_decimals = conversion.row_decimals;
  out.write("0.0");

  progress.start();
  for (const float x : matrix.columns) {
    char* p = out.room(kCellRoom);
    *p++ = '\t';
    out.wrote(format_fixed(p, x, decimals));
  }
  // After a cell the bar counts it as done when psi is 0 or 180, only the
  // cells before it otherwise.
  const ProgressScale writing(500, 500, n);
  const std::int64_t counted = conversion.layout.vertical ? 0 : 1;
  std::int64_t next_change = 0;
  std::int64_t v = 0;
  for (const float y : matrix.rows) {
    if (out.failed()) break;
    char* p = out.room(kCellRoom);
    *p++ = '\r';
    *p++ = '\n';
    out.wrote(format_fixed(p, y, row_decimals));
    for (std::int64_t c = 0; c < column_count && !out.failed(); ++c, ++v) {
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
}

}  // namespace

Message convert_result(const ResultConversionRequest& request, ProgressSink& sink, Clock& clock) {
  ByteStream in;
  OutputFile out;
  const auto prepared = prepare(request, in, out);
  if (const auto* failure = std::get_if<Message>(&prepared)) return *failure;
  const Conversion& conversion = std::get<Conversion>(prepared);

  ProgressTracker progress(sink, clock);
  progress.start();
  sink.set_range(0, 1000);
  RecordReader reader(conversion.layout, conversion.column_count, conversion.n, progress);
  if (!read_records(in, reader, conversion.n, progress)) {
    return error_message(text::kValueCountMismatch);
  }
  const Matrix& matrix = reader.matrix();
  const auto size = matrix_size(matrix, conversion.decimals, conversion.row_decimals);
  if (!size) return error_message(text::kGisInputNotFinite);
  if (!out.reserve(*size)) return error_message(text::kCannotCreateConversion, out.cause());
  write_matrix(out, matrix, conversion, progress);
  if (auto failure = complete_output(out, progress, text::kCannotCreateConversion)) {
    return *failure;
  }
  return orientation_mismatch(matrix, conversion.fi, conversion.psi, conversion.decimals)
      .value_or(information_message(text::kConversionDone));
}

}  // namespace tralva
