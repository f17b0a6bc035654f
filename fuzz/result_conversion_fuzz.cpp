// The result conversion on any bytes: it ends, refuses a wrong count without
// writing, and otherwise writes a matrix of the requested shape.
#include <algorithm>
#include <cstdlib>

#include "common/precision.h"
#include "convert/result_conversion.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  static const char* const angles[] = {"0", "90", "180", "270"};
  auto& folder = tralva::fuzz::Folder::fresh();
  tralva::ResultConversionRequest request;
  request.steps_x = data[0] % 8 - 1;  // -1 to 6
  request.steps_y = (data[0] >> 3) % 8 - 1;
  request.fi = angles[data[1] & 3];
  request.psi = angles[(data[1] >> 2) & 3];
  request.result_precision = std::string(tralva::kPrecisionTexts[(data[1] >> 4) & 3]);
  request.gis_input_path = folder.file("in.txt");
  request.conversion_output_path = folder.file("out.txt");
  tralva::fuzz::write_bytes(request.gis_input_path, data + 2, size - 2);

  tralva::NullProgress sink;
  tralva::fuzz::StillClock clock;
  const tralva::Message message = tralva::convert_result(request, sink, clock);
  const std::string out = tralva::fuzz::read_bytes(request.conversion_output_path);
  if (message.kind != tralva::MessageKind::information) {
    if (!out.empty() || folder.entries() != 1) std::abort();  // nothing written, no litter
    return 0;
  }
  if (request.steps_x < 0 || request.steps_y < 0 || folder.entries() != 2) std::abort();
  const long long columns = request.steps_x + 1;
  const long long rows = request.steps_y + 1;
  if (out.rfind("0.0", 0) != 0 || out.back() == '\n') std::abort();
  if (std::count(out.begin(), out.end(), '\n') != rows) std::abort();
  if (std::count(out.begin(), out.end(), '\t') != columns + rows * columns) std::abort();
  return 0;
}
