#include "project/project_file.h"

#include <algorithm>

#include "common/format.h"
#include "common/output_file.h"
#include "project/project_messages.h"

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

// Rows II to VI into `line`, whose counts are already those of the dialog.
// The slots an underground dialog discards are passed over with the
// real-number syntax, so that a fractional part ("90.5" in an overhead file)
// goes with them and the values after them stay aligned.
bool read_rows(ByteStream& in, LineKind kind, PowerLine& line) {
  const bool overhead = kind == LineKind::overhead;
  const int n = line.conductor_count;
  const int p = line.support_count;
  for (int k = 0; k < n; ++k) {
    const auto code = scan_int(in);
    const auto offset = scan_float(in);
    if (!code || !offset) return false;
    line.phase[k] = phase_from_code(*code);
    line.phase_offset[k] = *offset;
  }
  for (int s = 0; s < p; ++s) {
    const auto x = scan_double(in);
    const auto y = scan_double(in);
    const auto level = scan_float(in);
    if (!x || !y || !level) return false;
    line.x[s] = *x;
    line.y[s] = *y;
    line.ground_level[s] = *level;
    if (overhead) {
      const auto angle = scan_float(in);
      if (!angle) return false;
      line.arm_angle[s] = *angle;
    } else if (!skip_number(in)) {
      return false;
    }
  }
  for (auto* values : {&line.height, &line.arm_length}) {
    for (float& value : *values) {
      const auto v = scan_float(in);
      if (!v) return false;
      value = *v;
    }
  }
  for (float& value : line.sag_constant) {
    if (overhead) {
      const auto v = scan_float(in);
      if (!v) return false;
      value = *v;
    } else if (!skip_number(in)) {
      return false;
    }
  }
  return true;
}

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
  const bool overhead = kind == LineKind::overhead;
  const int n = line.conductor_count;
  const int p = line.support_count;
  std::string out(project_header());
  RowWriter row(out);

  row.g(line.current).space().i(n).space().i(p).space();
  if (overhead) {
    row.g(line.segment_length);
  } else {
    row.text("0");
  }
  row.end_row();

  for (int k = 0; k < n; ++k) {
    row.i(phase_code(line.phase[k])).space().g(line.phase_offset[k]);
    if (n != 1) row.space();
  }
  row.end_row();

  for (int s = 0; s < p; ++s) {
    row.fixed(line.x[s], 3).space().fixed(line.y[s], 3).space().g(line.ground_level[s]).space();
    if (overhead) {
      row.g(line.arm_angle[s]).space();
    } else {
      row.text("0 ");
    }
  }
  row.end_row();

  for (const auto* values : {&line.height, &line.arm_length}) {
    for (const float value : *values) row.g(value).space();
    row.end_row();
  }

  for (const float value : line.sag_constant) {
    if (overhead) {
      row.g(value).space();
    } else {
      row.text("0 ");
    }
  }
  row.end_row();
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
  if (count_row_one(in) != 4) return fail(error_message(text::kNotSingleLine));
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

RowSizes row_sizes(const std::vector<LineHeader>& lines) {
  RowSizes sizes;
  for (const LineHeader& h : lines) {
    const std::int64_t n = h.conductor_count;
    const std::int64_t p = h.support_count;
    sizes.phases += 2 * n;
    sizes.supports += 4 * p;
    sizes.heights += n * p;
    sizes.arm_lengths += n * p;
    sizes.sag_constants += n * (p - 1);
  }
  return sizes;
}

ProjectData read_project_data(ByteStream& in, PhaseCodes phase_codes) {
  ProjectData data;
  const std::int64_t data_start = seek_data_start(in);
  data.row_one_count = count_row_one(in);
  const std::int64_t line_count = data.row_one_count / 4;
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
    const LineHeader h{*current, *conductors, *supports, *segment};
    data.lines.push_back(h);
    const std::int64_t n = h.conductor_count;
    const std::int64_t p = h.support_count;
    if (n < 1 || p < 1 || n > room || p > room || n > room / p) {
      counts_fit = false;
      continue;
    }
    values += 3 * n * p + n + 4 * p;  // rows II to VI
    if (values > room) counts_fit = false;
  }
  if (!counts_fit) return data;

  const RowSizes sizes = row_sizes(data.lines);
  const std::pair<std::vector<ProjectValue>*, std::int64_t> rows[] = {
      {&data.phases, sizes.phases},
      {&data.supports, sizes.supports},
      {&data.heights, sizes.heights},
      {&data.arm_lengths, sizes.arm_lengths},
      {&data.sag_constants, sizes.sag_constants},
  };
  // Row II alternates phase code and phase offset.
  const auto is_phase_code = [&data, phase_codes](const std::vector<ProjectValue>* row,
                                                  std::int64_t i) {
    return phase_codes == PhaseCodes::integers && row == &data.phases && i % 2 == 0;
  };
  for (const auto& [row, size] : rows) {
    row->reserve(static_cast<std::size_t>(size));
    for (std::int64_t i = 0; i < size; ++i) {
      std::optional<ProjectValue> value;
      if (!is_phase_code(row, i)) {
        value = scan_real_both(in);
      } else if (const auto code = scan_int(in)) {
        value = ProjectValue{static_cast<double>(*code), static_cast<float>(*code)};
      }
      if (!value) return data;
      row->push_back(*value);
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
