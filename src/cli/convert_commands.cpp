#include "convert_commands.h"

#include <ostream>

#include "command_support.h"
#include "convert/base_grid.h"
#include "convert/project_merge.h"
#include "convert/result_conversion.h"
#include "convert/terrain_conversion.h"

namespace tralva::cli {

int run_griglia(const ParsedArguments& parsed, Io& io) {
  BaseGridRequest request;
  Numbers numbers(parsed);
  numbers.precision(request.base_precision)
      .option("--origine", request.origin_x, request.origin_y)
      .option("--passi", request.steps_x, request.steps_y)
      .option("--passo", request.step);
  if (!numbers.ok()) return numbers.report_failure(io);
  request.base_file_path = parsed.operands[0];
  return run_with_progress(
      io, [&](ProgressSink& sink, Clock& clock) { return create_base_file(request, sink, clock); });
}

int run_risultato(const ParsedArguments& parsed, Io& io) {
  ResultConversionRequest request;
  const auto& o = parsed.options;
  if (o.count("--fi")) request.fi = o.at("--fi")[0];
  if (o.count("--psi")) request.psi = o.at("--psi")[0];
  Numbers numbers(parsed);
  numbers.precision(request.result_precision)
      .option("--passi", request.steps_x, request.steps_y)
      .check_integer("--fi")
      .check_integer("--psi");
  if (!numbers.ok()) return numbers.report_failure(io);
  request.gis_input_path = parsed.operands[0];
  request.conversion_output_path = parsed.operands[1];
  return run_with_progress(
      io, [&](ProgressSink& sink, Clock& clock) { return convert_result(request, sink, clock); });
}

int run_orografia(const ParsedArguments& parsed, Io& io) {
  TerrainConversionRequest request{parsed.operands[0], parsed.operands[1]};
  Numbers numbers(parsed);
  if (!numbers.precision(request.terrain_precision).ok()) return numbers.report_failure(io);
  return run_with_progress(
      io, [&](ProgressSink& sink, Clock& clock) { return convert_terrain(request, sink, clock); });
}

int run_unisci(const ParsedArguments& parsed, Io& io) {
  return report(merge_projects({parsed.operands[0], parsed.operands[1]}), io);
}

}  // namespace tralva::cli
