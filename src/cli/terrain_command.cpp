#include "terrain_command.h"

#include <ostream>

#include "cli_texts.h"
#include "command_support.h"
#include "terrain/terrain_interpolation.h"

namespace tralva::cli {

int run_interpola(const ParsedArguments& parsed, Io& io) {
  TerrainRequest request;
  Numbers numbers(parsed);
  numbers.precision(request.precision)
      .option("--alfa", request.alpha)
      .above("--alfa", request.alpha, 0.0f, true)
      .option("--vicini", request.neighbours)
      .above("--vicini", request.neighbours, 1, true)
      .part(request.part);
  if (!numbers.ok()) return numbers.report_failure(io);
  request.base_path = parsed.operands[0];
  request.spot_heights_path = parsed.operands[1];
  request.terrain_path = parsed.operands[2];
  if (parsed.options.count(cli_text::kEstimateOption) != 0) {
    const TerrainEstimateOutcome estimate = estimate_terrain(request);
    if (const auto* failure = std::get_if<Message>(&estimate)) return report(*failure, io);
    return report(information_message(terrain_estimate_text(std::get<TerrainEstimate>(estimate))),
                  io);
  }
  return run_with_progress(io, [&](ProgressSink& sink, Clock& clock) {
    const TerrainOutcome outcome = interpolate_terrain(request, sink, clock);
    if (const auto* failure = std::get_if<Message>(&outcome)) return *failure;
    return information_message(terrain_summary_text(std::get<TerrainSummary>(outcome)));
  });
}

}  // namespace tralva::cli
