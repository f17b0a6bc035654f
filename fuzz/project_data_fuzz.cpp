// The reader of projects with several lines: bounded memory, consistent
// sizes, no crash on any bytes.
#include <cstdlib>
#include <utility>

#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tralva::ByteStream in(std::string_view(reinterpret_cast<const char*>(data), size));
  const tralva::ProjectData project = tralva::read_project_data(in);
  // Complete rows hold exactly what the counts ask for.  (Counts of an
  // incomplete project may be too large to total.)
  if (project.complete) {
    const tralva::RowSizes sizes = tralva::row_sizes(project.lines);
    const std::pair<const std::vector<tralva::ProjectValue>*, std::int64_t> rows[] = {
        {&project.phases, sizes.phases},
        {&project.supports, sizes.supports},
        {&project.heights, sizes.heights},
        {&project.arm_lengths, sizes.arm_lengths},
        {&project.sag_constants, sizes.sag_constants},
    };
    for (const auto& [row, expected] : rows) {
      if (static_cast<std::int64_t>(row->size()) != expected) std::abort();
    }
  }
  const std::size_t values = project.phases.size() + project.supports.size() +
                             project.heights.size() + project.arm_lengths.size() +
                             project.sag_constants.size();
  if (values > size) std::abort();
  return 0;
}
