#include "map_command.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

#include "cli_texts.h"
#include "command_support.h"
#include "common/format.h"
#include "map/gdal_writer.h"
#include "map/map_outputs.h"

namespace tralva::cli {
namespace {

namespace text = cli_text;

// "3,10,100": positive and increasing, at most kMaxThresholds; nullopt when
// `out` took them, otherwise why not.
std::optional<std::string> read_thresholds(const std::string& list, std::vector<double>& out) {
  out.clear();
  for (std::size_t start = 0;;) {
    const std::size_t comma = list.find(',', start);
    const std::string item = list.substr(start, comma - start);
    double value = 0;
    if (auto why = read_number(item, value)) return why;
    if (!(value > 0)) return text::quoted(item) + std::string(text::kNotAThreshold);
    if (!out.empty() && !(value > out.back())) {
      return std::string(text::kThresholdsIncrease) + text::quoted(item) +
             std::string(text::kDoesNotExceed) + text::quoted(general_text(out.back(), 15)) + ".";
    }
    out.push_back(value);
    if (out.size() > kMaxThresholds) return std::string(text::kTooManyThresholds);
    if (comma == std::string::npos) return std::nullopt;
    start = comma + 1;
  }
}

// Each output of a kind the extension names, none given twice.
std::optional<std::string> read_outputs(const Arguments& given, std::vector<std::string>& out) {
  std::vector<std::filesystem::path> seen;
  for (const std::string& output : given) {
    if (!map_format(output)) return "-o: " + text::quoted(output) + std::string(text::kNotAMapKind);
    const auto path = std::filesystem::path(output).lexically_normal();
    if (std::find(seen.begin(), seen.end(), path) != seen.end()) {
      return "-o: " + text::quoted(output) + std::string(text::kGivenTwice);
    }
    seen.push_back(path);
    out.push_back(output);
  }
  return std::nullopt;
}

}  // namespace

int run_mappa(const ParsedArguments& parsed, Io& io) {
  const auto& o = parsed.options;
  MapRequest request;
  request.result_path = parsed.operands[0];
  if (auto why = read_outputs(o.at("-o"), request.outputs)) return usage_error(io, *why);
  if (o.count("--progetto")) request.project_path = o.at("--progetto")[0];
  if (o.count("--titolo")) request.title = o.at("--titolo")[0];
  if (o.count("--soglie")) {
    if (auto why = read_thresholds(o.at("--soglie")[0], request.thresholds)) {
      return usage_error(io, "--soglie: " + *why);
    }
  }
  Numbers numbers(parsed);
  std::int32_t epsg = 0;
  numbers.option("--epsg", epsg).option("--dpi", request.dpi);
  if (!numbers.ok()) return numbers.report_failure(io);
  if (o.count("--dpi") && (request.dpi < kMinDpi || request.dpi > kMaxDpi)) {
    return usage_error(io, "--dpi: " + text::quoted(o.at("--dpi")[0]) +
                               std::string(text::kDpiRange) + int_text(kMinDpi) +
                               std::string(text::kDpiRangeAnd) + int_text(kMaxDpi) + ".");
  }
  if (o.count("--epsg")) {
    if (!known_epsg(epsg)) {
      return usage_error(
          io, "--epsg: " + text::quoted(o.at("--epsg")[0]) + std::string(text::kNotAnEpsg));
    }
    request.epsg = epsg;
  }

  const MapOutcome outcome = make_maps(request);
  if (const auto* failure = std::get_if<Message>(&outcome)) return report(*failure, io);
  const MapSummary& summary = std::get<MapSummary>(outcome);
  io.out << map_summary_text(summary) << '\n';
  return summary.warning ? report(*summary.warning, io) : kSuccess;
}

}  // namespace tralva::cli
