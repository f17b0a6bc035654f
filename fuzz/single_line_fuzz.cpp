// The data-entry dialogs' reader: any bytes end in a load or one of its
// messages, and a rejected load changes nothing.
#include <cstdlib>

#include "fuzz_support.h"
#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte picks the dialog: kind, conductors and supports.
  const tralva::LineKind kind =
      (data[0] & 1) ? tralva::LineKind::underground : tralva::LineKind::overhead;
  static const int kConductors[] = {1, 3, 6};
  const int conductors = kConductors[(data[0] >> 1) % 3];
  const int supports = 2 + (data[0] >> 3) % 5;
  tralva::fuzz::InputFile file(data + 1, size - 1);
  tralva::PowerLine line = tralva::make_power_line(conductors, supports);
  const tralva::PowerLine before = line;
  const tralva::LoadResult result =
      tralva::read_single_line(file.path(), kind, conductors, supports, line);
  if (!result.loaded && !(line == before)) std::abort();
  if (!result.loaded && result.messages.empty()) std::abort();
  return 0;
}
