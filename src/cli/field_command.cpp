#include "field_command.h"

#include <ostream>

#include "cli_texts.h"
#include "command_support.h"
#include "common/field.h"
#include "field/field_calculation.h"

namespace tralva::cli {
namespace {

constexpr std::string_view kGridOptions[] = {"--origine", "--passo", "--passi", "--fi", "--psi"};
constexpr std::string_view kHeightOptions[] = {"--passo-z", "--passi-z", "--massimo"};

std::string only_with(std::string_view name, std::string_view other) {
  return std::string(name) + std::string(cli_text::kOnlyWith) + std::string(other) + ".";
}

}  // namespace

int run_campo(const ParsedArguments& parsed, Io& io) {
  const auto& o = parsed.options;
  const bool plane = o.count("--piano") != 0;
  if (plane == (o.count("--punti") != 0)) return usage_error(io, cli_text::kPlaneOrPoints);
  for (const std::string_view name : kGridOptions) {
    const bool given = o.count(name) != 0;
    const bool required = name == "--origine" || name == "--passo" || name == "--passi";
    if (plane && required && !given) return usage_error(io, cli_text::kPlaneNeeds);
    if (!plane && given) return usage_error(io, only_with(name, "--piano"));
  }
  for (const std::string_view name : kHeightOptions) {
    if (plane && o.count(name) != 0) return usage_error(io, only_with(name, "--punti"));
  }

  FieldRequest request;
  Numbers numbers(parsed);
  numbers.precision(request.precision).part(request.part);
  if (plane) {
    PlaneGrid grid;
    numbers.option("--origine", grid.origin_x, grid.origin_y)
        .option("--passo", grid.step_x, grid.step_y)
        .option("--passi", grid.steps_x, grid.steps_y)
        .option("--fi", grid.fi)
        .option("--psi", grid.psi);
    request.plane = grid;
  } else {
    request.points_path = o.at("--punti")[0];
    numbers.option("--passo-z", request.step_z)
        .above("--passo-z", request.step_z, 0.0f, false)
        .option("--passi-z", request.steps_z)
        .above("--passi-z", request.steps_z, 0, true);
    request.project_maximum = o.count("--massimo") != 0;
  }
  numbers.option("--quota", request.level).option("--buffer", request.buffer);
  if (!numbers.ok()) return numbers.report_failure(io);
  request.data_path = parsed.operands[0];
  request.result_path = parsed.operands[1];
  if (o.count(cli_text::kEstimateOption) != 0) {
    const FieldEstimateOutcome estimate = estimate_field(request);
    if (const auto* failure = std::get_if<Message>(&estimate)) return report(*failure, io);
    return report(information_message(estimate_text(std::get<FieldEstimate>(estimate))), io);
  }
  return run_with_progress(io, [&](ProgressSink& sink, Clock& clock) {
    const FieldOutcome outcome = compute_field(request, sink, clock);
    if (const auto* failure = std::get_if<Message>(&outcome)) return *failure;
    return information_message(summary_text(std::get<FieldSummary>(outcome), request.precision));
  });
}

}  // namespace tralva::cli
