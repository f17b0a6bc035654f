#include "convert/project_merge.h"

#include <algorithm>
#include <cmath>

#include "common/format.h"
#include "common/output_file.h"
#include "convert/convert_texts.h"

namespace tralva {
namespace {

namespace text = convert_text;

void header_values(RowWriter& row, const LineHeader& line) {
  row.g(line.current)
      .space()
      .i(line.conductor_count)
      .space()
      .i(line.support_count)
      .space()
      .g(line.segment_length);
}

// Row III keeps the coordinates' doubles ("%lf"); the other rows are
// written from the floats.
bool written_as_double(DataRow row) { return row == DataRow::supports; }

// Every value in the precision the merge writes it in is a number: beyond
// the float range a value would be written as "inf", which no reader of
// project files takes for a number.
bool values_are_finite(const ProjectData& data) {
  const auto finite_row = [&data](DataRow row) {
    const bool as_double = written_as_double(row);
    return std::ranges::all_of(data.row(row), [as_double](const ProjectValue& v) {
      return as_double ? std::isfinite(v.as_double) : std::isfinite(v.as_float);
    });
  };
  return std::ranges::all_of(data.lines,
                             [](const LineHeader& h) {
                               return std::isfinite(h.current) && std::isfinite(h.segment_length);
                             }) &&
         std::ranges::all_of(kDataRows, finite_row);
}

// Whole lines, every value read and a number: anything else would shift the
// rows or write a file that cannot be read again.
bool is_whole_project(const ProjectData& data) {
  return data.complete && !data.lines.empty() && data.row_one_count % kLineHeaderValues == 0 &&
         values_are_finite(data);
}

}  // namespace

std::string merged_project_text(const ProjectData& parent, const ProjectData& child) {
  std::string out(project_header());
  RowWriter row(out);
  for (const LineHeader& line : parent.lines) {
    header_values(row, line);
    row.space();
  }
  for (std::size_t k = 0; k < child.lines.size(); ++k) {
    if (k > 0) row.space();
    header_values(row, child.lines[k]);
  }
  row.end_row();

  for (const DataRow data_row : kDataRows) {
    const bool as_double = written_as_double(data_row);
    for (const ProjectData* data : {&parent, &child}) {
      for (const ProjectValue& value : data->row(data_row)) {
        if (as_double) {
          row.fixed(value.as_double, 6).space();
        } else {
          row.g(value.as_float).space();
        }
      }
    }
    row.end_row();
  }
  return out;
}

Message merge_projects(const MergeRequest& request) {
  if (request.parent_path.empty()) return warning_message(text::kParentWithoutPath);
  if (request.child_path.empty()) return warning_message(text::kChildWithoutPath);
  ByteStream in;
  if (!in.open(request.parent_path)) return error_message(text::kCannotOpenParent, in.cause());
  const ProjectData parent = read_project_data(in);
  if (!is_whole_project(parent)) return error_message(text::kParentIncomplete);
  if (!in.open(request.child_path)) return error_message(text::kCannotOpenChild, in.cause());
  const ProjectData child = read_project_data(in);
  in.close();
  if (!is_whole_project(child)) return error_message(text::kChildIncomplete);

  // A project is the user's own work: on the disk before it replaces the old one.
  OutputFile file;
  if (!file.save(request.parent_path, merged_project_text(parent, child),
                 OutputFile::Durability::flush_to_disk)) {
    return error_message(text::kCannotModifyParent, file.cause());
  }
  return information_message(text::kMergeDone);
}

}  // namespace tralva
