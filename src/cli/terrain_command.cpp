#include "terrain_command.h"

#include <ostream>

#include "command_support.h"
#include "terrain/terrain_interpolation.h"

namespace tralva::cli {

int run_interpola(const ParsedArguments& parsed, Io& io) {
  const auto precision = precision_of(parsed, io);
  if (!precision) return usage_error(io);
  TerrainRequest request;
  Numbers numbers(parsed);
  numbers.option("--alfa", request.alpha)
      .above("--alfa", request.alpha, 0.0f, true)
      .option("--vicini", request.neighbours)
      .above("--vicini", request.neighbours, 1, true);
  if (!numbers.ok()) return numbers.report_failure(io);
  if (const auto given = parsed.options.find("--parte"); given != parsed.options.end()) {
    const auto part = part_of(given->second[0]);
    if (!part) {
      io.err << "Errore: --parte: «" << given->second[0]
             << "» non è una parte valida (K/N con 1 ≤ K ≤ N).\n";
      return usage_error(io);
    }
    request.part = *part;
  }
  request.precision = *precision;
  request.base_path = parsed.operands[0];
  request.spot_heights_path = parsed.operands[1];
  request.terrain_path = parsed.operands[2];
  return run_with_progress(io, [&](ProgressSink& sink, Clock& clock) {
    const TerrainOutcome outcome = interpolate_terrain(request, sink, clock);
    if (const auto* failure = std::get_if<Message>(&outcome)) return *failure;
    return information_message(terrain_summary_text(std::get<TerrainSummary>(outcome)));
  });
}

}  // namespace tralva::cli
