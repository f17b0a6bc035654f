#pragma once
// The line project file (.tlva): a fixed 14-line header block, then six rows
// of numbers, laid out as project/project_rows.h says.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/message.h"
#include "common/number_tokenizer.h"
#include "project/power_line.h"

namespace tralva {

// The 14-line comment block that opens every line project file: 949 bytes,
// Windows-1252 (the degree sign is the byte 0xB0), CR LF line ends.
std::string_view project_header();

// Appends the numbers of the data rows to a project's text, in the C
// formats: "%g", "%.<decimals>lf", "%i"; spaces and CR LF row ends.
class RowWriter {
 public:
  explicit RowWriter(std::string& out) : out_(out) {}
  RowWriter& g(double value);
  RowWriter& fixed(double value, int decimals);
  RowWriter& i(std::int64_t value);
  RowWriter& text(std::string_view s) {
    out_.append(s);
    return *this;
  }
  RowWriter& space() { return text(" "); }
  RowWriter& end_row();

 private:
  std::string& out_;
};

// Writes a project holding one line in the data-entry dialogs' formats; the
// line's own counts are the dialog's N and P.  nullopt on success, else the
// message to show.  A failed write leaves an existing file as it was.
std::optional<Message> write_single_line(const std::string& path, LineKind kind,
                                         const PowerLine& line);

// The bytes write_single_line puts in the file.
std::string single_line_text(LineKind kind, const PowerLine& line);

struct LoadResult {
  std::vector<Message> messages;  // in the order they are shown
  bool loaded = false;
};

// Reads a one-line project into a data-entry dialog of the given kind with N
// conductors and P supports; `line` is sized for them.  On success the
// dialog's values are replaced in place (the arrays keep their storage, so
// references to their elements stay valid); on any rejection `line` is left
// exactly as it was.  A warning may precede the outcome.
LoadResult read_single_line(const std::string& path, LineKind kind, int conductors, int supports,
                            PowerLine& line);

// Positions the stream where the data rows are looked for: after the 13th
// line end of the header block.  For the files this system writes that is
// the same as the classic byte offset 945, and files with LF line ends read
// the same as CR LF ones.  Returns the offset.
std::int64_t seek_data_start(ByteStream& in);

// Counts the numbers of row I from the current position: repeatedly read a
// number, then the one character after it, counting each time, until that
// character is a line end or the file ends.  One line gives 4, L lines 4L.
std::int64_t count_row_one(ByteStream& in);

// Files with several lines, as the viewer and the merge read them.  Row I
// of each line.
struct LineHeader : LineCounts {
  float current = 0;
  float segment_length = 0;
};

// Every value of rows II to VI is kept in both precisions, each converted from
// the text directly, since the readers differ in which one they use.
using ProjectValue = ScannedReal;

struct ProjectData {
  std::int64_t row_one_count = 0;  // the numbers counted in row I
  std::vector<LineHeader> lines;   // row I: count / kLineHeaderValues lines
  // Rows II to VI, each holding the values of every line in turn.
  std::vector<ProjectValue> phases;
  std::vector<ProjectValue> supports;
  std::vector<ProjectValue> heights;
  std::vector<ProjectValue> arm_lengths;
  std::vector<ProjectValue> sag_constants;
  // False when a count is below 1 or more than the file can hold (the rows
  // are then left empty), or when a value could not be read (the rows hold
  // what was read before it).
  bool complete = false;

  std::vector<ProjectValue>& row(DataRow row);
  const std::vector<ProjectValue>& row(DataRow row) const;
};

// How many values the lines put in a row.
std::int64_t row_size(const std::vector<LineHeader>& lines, DataRow row);

// How the phase codes of row II are read: as integers ("%i": decimal, "0x"
// hexadecimal, leading-0 octal), as the viewer reads them, or as reals like
// the other values of rows II to VI, as the merge reads them.
enum class PhaseCodes { integers, reals };

// nullopt when the file cannot be opened.
std::optional<ProjectData> read_project_data(const std::string& path,
                                             PhaseCodes phase_codes = PhaseCodes::reals);
ProjectData read_project_data(ByteStream& in, PhaseCodes phase_codes = PhaseCodes::reals);

}  // namespace tralva
