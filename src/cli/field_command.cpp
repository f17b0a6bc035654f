#include "field_command.h"

#include <ostream>

#include "command_support.h"
#include "common/field.h"
#include "field/field_calculation.h"

namespace tralva::cli {
namespace {

constexpr std::string_view kGridOptions[] = {"--origine", "--passo", "--passi", "--fi", "--psi"};
constexpr std::string_view kHeightOptions[] = {"--passo-z", "--passi-z", "--massimo"};

int misuse(Io& io, std::string_view what) {
  io.err << "Errore: " << what << ".\n";
  return usage_error(io);
}

}  // namespace

int run_campo(const ParsedArguments& parsed, Io& io) {
  const auto& o = parsed.options;
  const bool plane = o.count("--piano") != 0;
  if (plane == (o.count("--punti") != 0)) return misuse(io, "serve --piano oppure --punti");
  for (const std::string_view name : kGridOptions) {
    const bool given = o.count(name) != 0;
    const bool required = name == "--origine" || name == "--passo" || name == "--passi";
    if (plane && required && !given)
      return misuse(io, "--piano richiede --origine, --passo e --passi");
    if (!plane && given) return misuse(io, std::string(name) + " vale solo con --piano");
  }
  for (const std::string_view name : kHeightOptions) {
    if (plane && o.count(name) != 0)
      return misuse(io, std::string(name) + " vale solo con --punti");
  }
  const auto precision = precision_of(parsed, io);
  if (!precision) return usage_error(io);

  FieldRequest request;
  if (o.count("--parte")) {
    const auto part = part_of(o.at("--parte")[0]);
    if (!part)
      return misuse(
          io, "--parte: «" + o.at("--parte")[0] + "» non è una parte valida (K/N con 1 ≤ K ≤ N)");
    request.part = *part;
  }
  Numbers numbers(parsed);
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
  request.precision = *precision;
  request.data_path = parsed.operands[0];
  request.result_path = parsed.operands[1];
  return run_with_progress(io, [&](ProgressSink& sink, Clock& clock) {
    const FieldOutcome outcome = compute_field(request, sink, clock);
    if (const auto* failure = std::get_if<Message>(&outcome)) return *failure;
    return information_message(summary_text(std::get<FieldSummary>(outcome), request.precision));
  });
}

}  // namespace tralva::cli
