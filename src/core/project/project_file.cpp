#include "project/project_file.h"

#include <algorithm>

#include "common/format.h"
#include "common/output_file.h"
#include "project/project_texts.h"

namespace tralva {
namespace {

namespace text = project_text;

constexpr int kHeaderLineEnds = 13;

std::string mismatch_text(int spans, int conductors) {
  std::string message = text::kMismatchStart;
  message += std::to_string(spans);
  message += spans == 1 ? " campata e " : " campate e ";
  message += std::to_string(conductors);
  message += conductors == 1 ? " conduttore." : " conduttori.";
  return message;
}

bool acceptable_size(int spans, int conductors) {
  return spans >= 1 && spans <= 5 && (conductors == 1 || conductors == 3 || conductors == 6);
}

// The fourth number of row I in an underground dialog, an integer by the
// "%i" rule: "0x10" is 16 and a value beyond the int32 range saturates, so
// the kind warning follows from what the file says.  The fraction or the
// exponent of an overhead file's segment length ("30.5", "1e3") is passed
// over with it, so that the values after it stay aligned.
std::optional<std::int32_t> scan_fourth_integer(ByteStream& in) {
  const auto value = scan_int(in);
  if (value) skip_number_rest(in);
  return value;
}

template <class T>
bool read_into(const std::optional<T>& read, T& value) {
  if (read) value = *read;
  return read.has_value();
}

// An underground line has no arm angles and no sag constants: its file
// holds 0 in their places.
bool held_as_zero(LineKind kind, RowQuantity quantity) {
  return kind == LineKind::underground &&
         (quantity == RowQuantity::arm_angle || quantity == RowQuantity::sag_constant);
}

// Where a dialog's line keeps a quantity that is a float: every one but the
// phase code and the coordinates.
template <class Line>
auto& float_values(Line& line, RowQuantity quantity) {
  switch (quantity) {
    case RowQuantity::phase_offset:
      return line.phase_offset;
    case RowQuantity::ground_level:
      return line.ground_level;
    case RowQuantity::arm_angle:
      return line.arm_angle;
    case RowQuantity::height:
      return line.height;
    case RowQuantity::arm_length:
      return line.arm_length;
    default:
      return line.sag_constant;
  }
}

// One value of rows II to VI into `line`, whose counts are already those of
// the dialog.  What an underground dialog holds as zero is passed over with
// the real-number syntax, so that a fractional part ("90.5" in an overhead
// file) goes with it and the values after it stay aligned.
bool read_value(ByteStream& in, LineKind kind, const RowSlot& slot, PowerLine& line) {
  const std::size_t i = slot.index;
  switch (slot.quantity) {
    case RowQuantity::phase_code: {
      const auto code = scan_int(in);
      if (code) line.phase[i] = phase_from_code(*code);
      return code.has_value();
    }
    case RowQuantity::x:
      return read_into(scan_double(in), line.x[i]);
    case RowQuantity::y:
      return read_into(scan_double(in), line.y[i]);
    default:
      if (held_as_zero(kind, slot.quantity)) return skip_number(in);
      return read_into(scan_float(in), float_values(line, slot.quantity)[i]);
  }
}

bool read_rows(ByteStream& in, LineKind kind, PowerLine& line) {
  for (const DataRow row : kDataRows) {
    const bool read =
        visit_row(line, row, [&](const RowSlot& slot) { return read_value(in, kind, slot, line); });
    if (!read) return false;
  }
  return true;
}

// One value of rows II to VI as the data-entry dialogs write it, with the
// space after it.
void write_value(RowWriter& row, LineKind kind, const RowSlot& slot, const PowerLine& line) {
  const std::size_t i = slot.index;
  switch (slot.quantity) {
    case RowQuantity::phase_code:
      row.i(phase_code(line.phase[i]));
      break;
    case RowQuantity::x:
      row.fixed(line.x[i], 3);
      break;
    case RowQuantity::y:
      row.fixed(line.y[i], 3);
      break;
    default:
      if (held_as_zero(kind, slot.quantity)) {
        row.text("0");
      } else {
        row.g(float_values(line, slot.quantity)[i]);
      }
  }
  // "%i %g\n": row II of one conductor has no space before its end.
  if (slot.quantity != RowQuantity::phase_offset || line.conductor_count != 1) row.space();
}

// The rows of ProjectData in the order of DataRow.
constexpr std::vector<ProjectValue> ProjectData::*kRowMembers[] = {
    &ProjectData::phases, &ProjectData::supports, &ProjectData::heights, &ProjectData::arm_lengths,
    &ProjectData::sag_constants};
static_assert(std::size(kRowMembers) == std::size(kDataRows));

// Every value of `from` into `into`, which has the same sizes.  Element by
// element, so the arrays keep their storage and references to their
// elements (a form's bindings) stay valid.
void replace_values(PowerLine& into, const PowerLine& from) {
  into.current = from.current;
  into.conductor_count = from.conductor_count;
  into.support_count = from.support_count;
  into.segment_length = from.segment_length;
  std::ranges::copy(from.phase, into.phase.begin());
  std::ranges::copy(from.phase_offset, into.phase_offset.begin());
  std::ranges::copy(from.x, into.x.begin());
  std::ranges::copy(from.y, into.y.begin());
  std::ranges::copy(from.ground_level, into.ground_level.begin());
  std::ranges::copy(from.arm_angle, into.arm_angle.begin());
  std::ranges::copy(from.height, into.height.begin());
  std::ranges::copy(from.arm_length, into.arm_length.begin());
  std::ranges::copy(from.sag_constant, into.sag_constant.begin());
}

}  // namespace

std::string_view project_header() {
  static const std::string header = [] {
    const std::string stars = " " + std::string(69, '*');
    const std::string blank = "*" + std::string(69, ' ') + "*";
    const char* const lines[] = {
        stars.c_str(),
        blank.c_str(),
        "*     Significato dei valori presenti nel file di dati di Tralva      *",
        blank.c_str(),
        "* I   riga: corrente [A], numero di conduttori, numero di tralicci e  *",
        "*           lunghezza del segmento [m] per ciascuna linea.            *",
        "* II  riga: fasi e sfasamenti [\xB0] per ciascun conduttore.             *",
        "* III riga: coordinate [m] dei tralicci e angoli [\xB0] degli sbracci.   *",
        "* IV  riga: altezze da terra [m] dei punti di sospensione.            *",
        "* V   riga: ampiezze [m] degli sbracci.                               *",
        "* VI  riga: valori di tesatura [m] per ogni campata.                  *",
        blank.c_str(),
        stars.c_str(),
        "",
    };
    std::string text;
    for (const char* line : lines) {
      text += line;
      text += kLineEnd;
    }
    return text;
  }();
  return header;
}

RowWriter& RowWriter::g(double value) {
  char buffer[kFormatBufferSize];
  out_.append(buffer, format_general(buffer, value));
  return *this;
}

RowWriter& RowWriter::fixed(double value, int decimals) {
  char buffer[kFormatBufferSize];
  out_.append(buffer, format_fixed(buffer, value, decimals));
  return *this;
}

RowWriter& RowWriter::end_row() { return text(kLineEnd); }

RowWriter& RowWriter::i(std::int64_t value) {
  char buffer[kFormatBufferSize];
  out_.append(buffer, format_int(buffer, value));
  return *this;
}

std::string single_line_text(LineKind kind, const PowerLine& line) {
  std::string out(project_header());
  RowWriter row(out);
  row.g(line.current).space().i(line.conductor_count).space().i(line.support_count).space();
  if (kind == LineKind::overhead) {
    row.g(line.segment_length);
  } else {
    row.text("0");
  }
  row.end_row();
  for (const DataRow data_row : kDataRows) {
    visit_row(line, data_row, [&](const RowSlot& slot) {
      write_value(row, kind, slot, line);
      return true;
    });
    row.end_row();
  }
  return out;
}

std::optional<Message> write_single_line(const std::string& path, LineKind kind,
                                         const PowerLine& line) {
  if (path.empty()) return warning_message(text::kSaveWithoutPath);
  OutputFile file;
  if (!file.save(path, single_line_text(kind, line))) {
    return error_message(text::kCannotCreate, file.cause());
  }
  return std::nullopt;
}

std::int64_t seek_data_start(ByteStream& in) {
  in.seek(0);
  int line_ends = 0;
  while (line_ends < kHeaderLineEnds) {
    const int c = in.get();
    if (c == ByteStream::kEof) break;
    if (c == '\n') ++line_ends;
  }
  return in.tell();
}

std::int64_t count_row_one(ByteStream& in) {
  return count_numbers(in, CountUntil::line_end).repetitions;
}

LoadResult read_single_line(const std::string& path, LineKind kind, int conductors, int supports,
                            PowerLine& line) {
  LoadResult result;
  auto fail = [&result](Message message) {
    result.messages.push_back(std::move(message));
    return result;
  };
  if (path.empty()) return fail(warning_message(text::kLoadWithoutPath));
  ByteStream in;
  if (!in.open(path)) return fail(error_message(text::kCannotOpen, in.cause()));

  const std::int64_t data_start = seek_data_start(in);
  if (count_row_one(in) != kLineHeaderValues) return fail(error_message(text::kNotSingleLine));
  in.seek(data_start);

  const bool overhead = kind == LineKind::overhead;
  const auto current = scan_float(in);
  const auto file_conductors = scan_int(in);
  const auto file_supports = scan_int(in);
  std::optional<float> segment_length;
  std::optional<std::int32_t> fourth_integer;
  if (overhead) {
    segment_length = scan_float(in);
  } else {
    fourth_integer = scan_fourth_integer(in);
  }
  if (!current || !file_conductors || !file_supports || !(segment_length || fourth_integer)) {
    return fail(error_message(text::kIncomplete));
  }

  if (overhead ? *segment_length < 0.1 : *fourth_integer > 0.01) {
    result.messages.push_back(warning_message(std::string(text::kKindWarningStart) +
                                              (overhead ? text::kUnderground : text::kOverhead)));
  }

  const int spans = *file_supports - 1;
  const int k = *file_conductors;
  if (spans != supports - 1 || k != conductors) {
    return fail(error_message(acceptable_size(spans, k) ? mismatch_text(spans, k)
                                                        : text::kUnacceptableSize));
  }

  PowerLine loaded = line;
  loaded.conductor_count = conductors;
  loaded.support_count = supports;
  loaded.current = *current;
  if (overhead) loaded.segment_length = *segment_length;
  if (!read_rows(in, kind, loaded)) return fail(error_message(text::kIncomplete));

  replace_values(line, loaded);
  result.loaded = true;
  return result;
}

std::int64_t row_size(const std::vector<LineHeader>& lines, DataRow row) {
  std::int64_t size = 0;
  for (const LineHeader& line : lines) size += line.values_in(row);
  return size;
}

std::vector<ProjectValue>& ProjectData::row(DataRow row) {
  return this->*kRowMembers[static_cast<std::size_t>(row)];
}

const std::vector<ProjectValue>& ProjectData::row(DataRow row) const {
  return this->*kRowMembers[static_cast<std::size_t>(row)];
}

ProjectData read_project_data(ByteStream& in, PhaseCodes phase_codes) {
  ProjectData data;
  const std::int64_t data_start = seek_data_start(in);
  data.row_one_count = count_row_one(in);
  const std::int64_t line_count = data.row_one_count / kLineHeaderValues;
  in.seek(data_start);

  // Every value takes at least one byte, so counts are checked against what
  // is left of the file before anything is sized from them.
  const std::int64_t room = std::max<std::int64_t>(in.size() - data_start, 0);
  std::int64_t values = 0;
  bool counts_fit = true;
  for (std::int64_t l = 0; l < line_count; ++l) {
    const auto current = scan_float(in);
    const auto conductors = scan_int(in);
    const auto supports = scan_int(in);
    const auto segment = scan_float(in);
    if (!current || !conductors || !supports || !segment) return data;
    const LineHeader& h =
        data.lines.emplace_back(LineHeader{{*conductors, *supports}, *current, *segment});
    const std::int64_t n = h.conductor_count;
    const std::int64_t p = h.support_count;
    if (n < 1 || p < 1 || n > room || p > room || n > room / p) {
      counts_fit = false;
      continue;
    }
    values += h.values();
    if (values > room) counts_fit = false;
  }
  if (!counts_fit) return data;

  for (const DataRow r : kDataRows) {
    std::vector<ProjectValue>& row = data.row(r);
    row.reserve(static_cast<std::size_t>(row_size(data.lines, r)));
    const auto read_value = [&in, &row, phase_codes](const RowSlot& slot) {
      std::optional<ProjectValue> value;
      if (slot.quantity != RowQuantity::phase_code || phase_codes == PhaseCodes::reals) {
        value = scan_real_both(in);
      } else if (const auto code = scan_int(in)) {
        value = ProjectValue{static_cast<double>(*code), static_cast<float>(*code)};
      }
      if (value) row.push_back(*value);
      return value.has_value();
    };
    for (const LineHeader& line : data.lines) {
      if (!visit_row(line, r, read_value)) return data;
    }
  }
  data.complete = true;
  return data;
}

std::optional<ProjectData> read_project_data(const std::string& path, PhaseCodes phase_codes) {
  ByteStream in;
  if (!in.open(path)) return std::nullopt;
  return read_project_data(in, phase_codes);
}

}  // namespace tralva
