// The reader of projects with several lines: bounded memory, consistent
// sizes, no crash on any bytes.
#include <cstdlib>

#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tralva::ByteStream in(std::string_view(reinterpret_cast<const char*>(data), size));
  const tralva::ProjectData project = tralva::read_project_data(in);
  // Complete rows hold exactly what the counts ask for.  (Counts of an
  // incomplete project may be too large to total.)
  std::size_t values = 0;
  for (const tralva::DataRow row : tralva::kDataRows) {
    const std::size_t read = project.row(row).size();
    if (project.complete && static_cast<std::int64_t>(read) != row_size(project.lines, row)) {
      std::abort();
    }
    values += read;
  }
  if (values > size) std::abort();
  return 0;
}
