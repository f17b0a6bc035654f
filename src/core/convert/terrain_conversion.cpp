#include "convert/terrain_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <variant>

#include "common/command_files.h"
#include "common/decimal_conversion.h"
#include "common/format.h"
#include "common/gis_texts.h"
#include "common/number_tokenizer.h"
#include "common/output_file.h"
#include "common/precision.h"
#include "convert/convert_texts.h"
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

// "%.2f" of the float read from a height's text.  A text of at most two
// decimals and no exponent, below 2^17 in magnitude, prints as its own
// digits: its float lies within half a float step, at most 2^-8, of it, too
// close for the rounding to two decimals to move.  Anything else goes the
// general way; no text at all is 0.
class Height {
 public:
  explicit Height(std::string_view text) {
    constexpr std::int32_t kExactBelow = 1 << 17;
    if (text.empty()) {
      general_ = true;
      return;
    }
    const char* p = text.data();
    const char* const end = p + text.size();
    negative_ = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    while (p < end && *p == '0') ++p;
    whole_ = p;
    std::int32_t integer = 0;
    for (; p < end && is_digit(*p); ++p) integer = std::min(integer * 10 + (*p - '0'), kExactBelow);
    whole_length_ = static_cast<std::size_t>(p - whole_);
    fraction_ = p < end && *p == '.' ? ++p : p;
    while (p < end && is_digit(*p)) ++p;
    decimals_ = static_cast<std::size_t>(p - fraction_);
    if (p != end || decimals_ > 2 || integer >= kExactBelow) {
      general_ = true;
      value_ = float_from_text(text);
    }
  }

  // False beyond the float range: "inf" is a number to no reader.
  bool finite() const { return !general_ || std::isfinite(value_); }
  std::size_t length() const {
    if (general_) return fixed_length(value_, 2);
    return (negative_ ? 1 : 0) + std::max<std::size_t>(whole_length_, 1) + 3;
  }
  char* format(char* out) const {
    if (general_) return format_fixed(out, value_, 2);
    if (negative_) *out++ = '-';
    if (whole_length_ == 0) *out++ = '0';
    std::memcpy(out, whole_, whole_length_);
    out += whole_length_;
    *out++ = '.';
    out[0] = decimals_ > 0 ? fraction_[0] : '0';
    out[1] = decimals_ > 1 ? fraction_[1] : '0';
    return out + 2;
  }

 private:
  bool general_ = false;
  float value_ = 0;
  bool negative_ = false;
  const char* whole_ = nullptr;
  std::size_t whole_length_ = 0;
  const char* fraction_ = nullptr;
  std::size_t decimals_ = 0;
};

// A repetition of the count that the writing reads alike: a number followed
// by white space (or the end), so that skipping white space before the next
// number takes the same numbers in the same order.
bool reads_alike(const NumberToken& token) {
  return !token.text.empty() &&
         (token.separator == ByteStream::kEof || is_scan_space(token.separator));
}

// The first line counted as count_numbers counts it: up to the first line
// feed, or to the end of the file when there is none.
struct FirstLine {
  std::int64_t repetitions = 0;
  bool line_feed = false;
  bool reads_alike = true;
};

FirstLine count_first_line(ByteStream& in) {
  TokenSpill spill;
  FirstLine line;
  for (;;) {
    const NumberToken token = next_token(in, spill, Separator::read);
    ++line.repetitions;
    line.reads_alike = line.reads_alike && reads_alike(token);
    if (token.separator == '\n' || token.separator == ByteStream::kEof) {
      line.line_feed = token.separator == '\n';
      return line;
    }
  }
}

// The rest of the file counted to its end as count_numbers counts it, and
// on the way the lengths of the Y and Z texts of the rows to be written: the
// complete groups of column_count + 1 repetitions.  They are the writing's
// own when every repetition of those rows reads alike (`measured`), which
// spares the output a pass of its own.
struct Rows {
  std::int64_t repetitions = 0;
  bool measured = true;
  bool finite = true;
  std::uint64_t y_lengths = 0;
  std::uint64_t z_lengths = 0;
};

Rows count_rows(ByteStream& in, std::int64_t column_count, int decimals) {
  TokenSpill spill;
  std::int64_t repetitions = 0;
  std::int64_t position = 0;  // in the row; 0 is its Y
  bool measured = true;       // up to the last complete row
  bool alike = true;          // up to here
  bool finite = true;         // up to the last complete row
  bool row_finite = true;
  std::uint64_t y_lengths = 0;
  std::uint64_t z_lengths = 0;
  std::uint64_t row_y = 0;
  std::uint64_t row_z = 0;
  NumberToken tokens[256];
  for (;;) {
    const std::size_t n = next_tokens(in, spill, Separator::read, tokens);
    for (std::size_t k = 0; k < n; ++k) {
      const NumberToken& token = tokens[k];
      ++repetitions;
      alike = alike && reads_alike(token);
      if (alike) {
        if (position == 0) {
          const double y = scan_double_text(token.text).value.value_or(0.0);
          row_finite = row_finite && std::isfinite(y);
          row_y = fixed_length(y, decimals);
        } else {
          const Height z(token.text);
          row_finite = row_finite && z.finite();
          row_z += z.length();
        }
      }
      if (position++ == column_count) {  // a row complete, so one to write
        position = 0;
        measured = alike;
        finite = finite && row_finite;
        row_finite = true;
        y_lengths += row_y;
        z_lengths += row_z;
        row_z = 0;
      }
      if (token.separator == ByteStream::kEof) {
        return {repetitions, measured, finite, y_lengths, z_lengths};
      }
    }
  }
}

// Where rows are written to be measured only.
class ByteCounter {
 public:
  char* room(std::size_t) { return scratch_; }
  void wrote(const char* end) { count_ += static_cast<std::uint64_t>(end - scratch_); }
  bool failed() const { return false; }
  std::uint64_t count() const { return count_; }

 private:
  char scratch_[kLineRoom];
  std::uint64_t count_ = 0;
};

// The point lines of `row_count` rows, through out.room() and out.wrote(),
// up to the first failed write, with row_done(j) after row j.  False at the
// first value beyond its type's range.
template <class Out, class RowDone>
bool write_rows(ByteStream& in, Out& out, const TextSlots& columns, int decimals,
                std::int64_t row_count, RowDone row_done) {
  const auto column_count = static_cast<std::int64_t>(columns.size());
  RepeatedText row;
  TokenSpill spill;
  for (std::int64_t j = 0; j < row_count && !out.failed(); ++j) {
    const double y = scan_double(in).value_or(0.0);
    if (!std::isfinite(y)) return false;
    row.end_at(format_coordinate(row.begin(), y, decimals));
    for (std::int64_t c = 0; c < column_count && !out.failed(); ++c) {
      const Height z(next_token(in, spill, Separator::left).text);
      if (!z.finite()) return false;
      char* p = row.copy(columns.copy(static_cast<std::size_t>(c), out.room(kLineRoom)));
      p = z.format(p);
      *p++ = '\r';
      *p++ = '\n';
      out.wrote(p);
    }
    row_done(j);
  }
  return true;
}

// The files opened.
std::optional<Message> prepare(const TerrainConversionRequest& request, ByteStream& in,
                               OutputFile& out) {
  if (request.terrain_input_path.empty()) return warning_message(text::kTerrainInputWithoutPath);
  if (request.terrain_gis_path.empty()) return warning_message(text::kTerrainOutputWithoutPath);
  return open_input_and_output(in, request.terrain_input_path, text::kCannotOpenTerrainInput, out,
                               request.terrain_gis_path,
                               {text::kCannotCreateTerrainOutput, text::kTerrainOutputIsInput});
}

// The matrix as the writing takes it: the columns' "X\t" texts, the rows
// and the size of the output.
struct Matrix {
  TextSlots columns;
  std::int64_t row_count = 0;
  std::uint64_t size = 0;
};

// The columns of the first line, after the corner number, into `columns`;
// false at one beyond the range of a double.
bool read_columns(ByteStream& in, std::int64_t column_count, int decimals, TextSlots& columns,
                  std::uint64_t& lengths) {
  in.seek(0);
  (void)scan_double(in);  // the corner number
  columns.reserve(static_cast<std::size_t>(column_count));
  char buffer[kFormatBufferSize + 1];
  for (std::int64_t c = 0; c < column_count; ++c) {
    const double x = scan_double(in).value_or(0.0);
    if (!std::isfinite(x)) return false;
    const char* end = format_coordinate(buffer, x, decimals);
    columns.add({buffer, static_cast<std::size_t>(end - buffer)});
    lengths += static_cast<std::uint64_t>(end - buffer);
  }
  return true;
}

// The size of the output before it is written: from the count when it read
// the rows as the writing reads them, else by writing them nowhere (the file
// is left where it was).  Nullopt at a value beyond its type's range.
std::optional<std::uint64_t> output_size(ByteStream& in, const Matrix& matrix,
                                         std::uint64_t column_lengths, const Rows& rows,
                                         bool measured, int decimals) {
  const auto nc = static_cast<std::uint64_t>(matrix.columns.size());
  const auto nr = static_cast<std::uint64_t>(matrix.row_count);
  std::uint64_t size = gis_text::kPointsHeaderLine.size();
  if (measured) {
    // Every line: the column's "X\t", the row's "Y\t", Z and CR LF.
    return size + nr * column_lengths + nc * (rows.y_lengths + nr) + rows.z_lengths + 2 * nr * nc;
  }
  const std::int64_t rows_start = in.tell();
  ByteCounter counter;
  if (!write_rows(in, counter, matrix.columns, decimals, matrix.row_count, [](std::int64_t) {})) {
    return std::nullopt;
  }
  in.seek(rows_start);
  return size + counter.count();
}

// The matrix counted, its columns read and the output measured; the file is
// left at the first row.
std::variant<Matrix, Message> read_matrix(ByteStream& in, int decimals) {
  // Both counts in one pass: the whole count goes on from where the first
  // line's stopped.  A first line without a line feed (an empty file among
  // them) or without a column, and a matrix without a row, have nothing to
  // convert.
  const FirstLine first_line = count_first_line(in);
  if (!first_line.line_feed || first_line.repetitions < 2) {
    return error_message(text::kTerrainWithoutColumns);
  }
  const std::int64_t column_count = first_line.repetitions - 1;
  const Rows rows = count_rows(in, column_count, decimals);
  Matrix matrix;
  matrix.row_count = (first_line.repetitions + rows.repetitions) / (column_count + 1) - 1;
  if (matrix.row_count <= 0) return error_message(text::kTerrainWithoutRows);
  if (!rows.finite) return error_message(text::kTerrainNotFinite);

  // The columns are kept only for rows to write, so their memory is backed
  // by numbers the file holds: each column has its height in every row.
  std::uint64_t column_lengths = 0;
  if (!read_columns(in, column_count, decimals, matrix.columns, column_lengths)) {
    return error_message(text::kTerrainNotFinite);
  }
  const auto size = output_size(in, matrix, column_lengths, rows,
                                first_line.reads_alike && rows.measured, decimals);
  if (!size) return error_message(text::kTerrainNotFinite);
  matrix.size = *size;
  return matrix;
}

// The point lines, with the bar after each row; false at a value beyond its
// type's range.
bool write_points(ByteStream& in, OutputFile& out, const Matrix& matrix, int decimals,
                  ProgressTracker& progress) {
  const std::int64_t row_count = matrix.row_count;
  const ProgressScale scale(0, 1000, row_count);
  return write_rows(in, out, matrix.columns, decimals, row_count, [&](std::int64_t j) {
    if (progress.move_to(scale.position(j + 1)) || j + 1 == row_count) {
      progress.estimate(
          [&](std::int64_t elapsed) { return elapsed * (row_count - (j + 1)) / (j + 1); });
    }
  });
}

}  // namespace

Message convert_terrain(const TerrainConversionRequest& request, ProgressSink& sink, Clock& clock) {
  ByteStream in;
  OutputFile out;
  if (auto failure = prepare(request, in, out)) return *failure;
  const int decimals = precision_decimals(request.terrain_precision);
  const auto read = read_matrix(in, decimals);
  if (const auto* failure = std::get_if<Message>(&read)) return *failure;
  const Matrix& matrix = std::get<Matrix>(read);
  if (!out.reserve(matrix.size)) {
    return error_message(text::kCannotCreateTerrainOutput, out.cause());
  }

  out.write(gis_text::kPointsHeaderLine);
  ProgressTracker progress(sink, clock);
  progress.start();
  sink.set_range(0, 1000);
  const bool finite = write_points(in, out, matrix, decimals, progress);
  in.close();
  // Only a file changed between the passes gets here with such a value.
  if (!finite) return error_message(text::kTerrainNotFinite);
  if (auto failure = complete_output(out, progress, text::kCannotCreateTerrainOutput)) {
    return *failure;
  }
  return information_message(text::kConversionDone);
}

}  // namespace tralva
