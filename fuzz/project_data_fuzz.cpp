// The reader of projects with several lines: bounded memory, consistent
// sizes, no crash on any bytes.
#include <cstdlib>

#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  tralva::ByteStream in(std::string_view(reinterpret_cast<const char*>(data), size));
  const tralva::ProjectData project = tralva::read_project_data(in);
  if (project.complete) {
    const tralva::RowSizes sizes = tralva::row_sizes(project.lines);
    if (static_cast<std::int64_t>(project.phases.size()) != sizes.phases ||
        static_cast<std::int64_t>(project.sag_constants.size()) != sizes.sag_constants) {
      std::abort();
    }
  }
  const std::size_t values = project.phases.size() + project.supports.size() +
                             project.heights.size() + project.arm_lengths.size() +
                             project.sag_constants.size();
  if (values > size) std::abort();
  return 0;
}
