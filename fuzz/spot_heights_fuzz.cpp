// The survey reader on any bytes, and the interpolation over what it
// accepts: it ends, every spot height is finite and they come sorted, a
// refusal names a line the input has, reading from a file gives what
// reading from memory gives, and the height at a spot height of its own is
// its height (when no other lies at distance 0).
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "terrain/inverse_distance.h"
#include "terrain/spot_heights.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tralva::ByteStream memory(bytes);
  const tralva::SpotHeightsOutcome in_memory = tralva::read_spot_heights(memory);

  const tralva::fuzz::InputFile file(data, size);
  const tralva::SpotHeightsOutcome in_file = tralva::read_spot_heights(file.path());
  if (in_memory != in_file) std::abort();

  if (const auto* failure = std::get_if<tralva::Message>(&in_memory)) {
    const std::string& text = failure->text;
    const auto lines = 1 + std::count(bytes.begin(), bytes.end(), '\n');
    const std::size_t at = text.find("alla riga ");
    if (at != std::string::npos && std::stol(text.substr(at + 10)) > lines) std::abort();
    return 0;
  }
  const auto& survey = std::get<std::vector<tralva::SpotHeight>>(in_memory);
  if (survey.empty() || survey.size() * 6 > size + 1) std::abort();  // "1 1 1\n" at the least
  for (const tralva::SpotHeight& s : survey) {
    if (!std::isfinite(s.x) || !std::isfinite(s.y) || !std::isfinite(s.z)) std::abort();
  }
  if (!std::is_sorted(survey.begin(), survey.end())) std::abort();

  const tralva::SpotHeight probe = survey[survey.size() / 2];
  const bool alone = std::count_if(survey.begin(), survey.end(), [&](const auto& s) {
                       const double dx = s.x - probe.x;
                       const double dy = s.y - probe.y;
                       return dx * dx + dy * dy == 0;
                     }) == 1;
  const tralva::InverseDistance terrain(survey, 2, 4);
  tralva::InverseDistance::Scratch scratch;
  if (alone && terrain.height(probe.x, probe.y, scratch) != probe.z) std::abort();
  return 0;
}
