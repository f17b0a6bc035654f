// The terrain conversion on any bytes: it ends, and either writes point
// lines of three fields, no more than the numbers the input can hold, or
// refuses a matrix without columns, rows or finite values and writes nothing.
#include <cstdlib>

#include "common/precision.h"
#include "convert/convert_texts.h"
#include "convert/terrain_conversion.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  auto& folder = tralva::fuzz::Folder::fresh();
  const tralva::TerrainConversionRequest request{folder.file("in.txt"), folder.file("out.txt"),
                                                 std::string(tralva::kPrecisionTexts[data[0] & 3])};
  tralva::fuzz::write_bytes(request.terrain_input_path, data + 1, size - 1);

  tralva::NullProgress sink;
  tralva::fuzz::StillClock clock;
  const tralva::Message message = tralva::convert_terrain(request, sink, clock);
  if (message.kind != tralva::MessageKind::information) {
    namespace text = tralva::convert_text;
    const char* const refusals[] = {text::kTerrainWithoutColumns, text::kTerrainWithoutRows,
                                    text::kTerrainNotFinite};
    bool refused = false;
    for (const char* refusal : refusals) refused = refused || message.text == refusal;
    if (!refused || folder.entries() != 1) std::abort();
    return 0;
  }
  if (folder.entries() != 2) std::abort();
  const std::string out = tralva::fuzz::read_bytes(request.terrain_gis_path);
  if (out.rfind("X\tY\tZ\r\n", 0) != 0) std::abort();
  std::size_t lines = 0;
  for (std::size_t start = 0; start < out.size(); ++lines) {
    const std::size_t end = out.find("\r\n", start);
    if (end == std::string::npos) std::abort();
    std::size_t tabs = 0;
    for (std::size_t i = start; i < end; ++i) tabs += out[i] == '\t';
    if (tabs != 2) std::abort();
    start = end + 2;
  }
  if (lines > size + 1) std::abort();
  return 0;
}
