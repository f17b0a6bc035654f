#include "convert_commands.h"

#include <ostream>

#include "common/field.h"
#include "convert/base_grid.h"
#include "convert/grid_text.h"
#include "convert/project_merge.h"
#include "convert/result_conversion.h"
#include "convert/terrain_conversion.h"
#include "options.h"
#include "terminal_progress.h"

namespace tralva::cli {
namespace {

constexpr OptionRule kPrecision{"--precisione", 1, false};

// The precision given, "m" when none; nullopt for a text the lists do not offer.
std::optional<std::string> precision_of(const ParsedArguments& parsed, Io& io) {
  const auto given = parsed.options.find(kPrecision.name);
  if (given == parsed.options.end()) return "m";
  const std::string& text = given->second[0];
  for (const char* p : kPrecisionTexts) {
    if (text == p) return text;
  }
  io.err << "tralva-util: precisione non valida: " << text << " (m, dm, cm o mm)\n";
  return std::nullopt;
}

// Numbers by the fields' rule; the first unreadable one brings its prompt.
class Numbers {
 public:
  template <class T>
  Numbers& read(const std::string& text, T& value) {
    if (!ok_) return *this;
    if constexpr (std::is_same_v<T, double>) {
      store(parse_field_double(text), value, kNumberPrompt);
    } else if constexpr (std::is_same_v<T, float>) {
      store(parse_field_float(text), value, kNumberPrompt);
    } else {
      store(parse_field_int(text), value, kIntegerPrompt);
    }
    // A real number that reads but is too large for its type is a mistake
    // on the command line, not a field to type again.
    if (!ok_ && !std::is_integral_v<T> && leading_number(text)) too_large_ = text;
    return *this;
  }
  // An integer that is only checked; its text is what the command uses.
  Numbers& check_integer(const std::string& text) {
    std::int32_t ignored = 0;
    return read(text, ignored);
  }
  bool ok() const { return ok_; }
  int report_failure(Io& io) const {
    if (!too_large_.empty()) return number_too_large(too_large_, io);
    return report(warning_message(prompt_), io);
  }

 private:
  template <class Parsed, class T>
  void store(const Parsed& parsed, T& value, const char* prompt) {
    if (parsed) {
      value = *parsed;
    } else {
      ok_ = false;
      prompt_ = prompt;
    }
  }
  bool ok_ = true;
  const char* prompt_ = "";
  std::string too_large_;
};

// Runs a long unit with the terminal progress line, then reports.
template <class Unit>
int run_with_progress(Io& io, Unit unit) {
  TerminalProgress progress(io.err, io.err_is_terminal);
  SystemClock clock;
  const Message message = unit(progress, clock);
  progress.finish();
  return report(message, io);
}

}  // namespace

int run_griglia(const Arguments& arguments, Io& io) {
  static constexpr OptionRule kOptions[] = {
      {"--origine", 2, true}, {"--passi", 2, true}, {"--passo", 1, true}, kPrecision};
  const auto parsed = parse_options("griglia", arguments, kOptions, 1, io);
  if (!parsed) return usage_error(io);
  const auto precision = precision_of(*parsed, io);
  if (!precision) return usage_error(io);
  BaseGridRequest request;
  const auto& o = parsed->options;
  Numbers numbers;
  numbers.read(o.at("--origine")[0], request.origin_x)
      .read(o.at("--origine")[1], request.origin_y)
      .read(o.at("--passi")[0], request.steps_x)
      .read(o.at("--passi")[1], request.steps_y)
      .read(o.at("--passo")[0], request.step);
  if (!numbers.ok()) return numbers.report_failure(io);
  request.base_precision = *precision;
  request.base_file_path = parsed->operands[0];
  return run_with_progress(
      io, [&](ProgressSink& sink, Clock& clock) { return create_base_file(request, sink, clock); });
}

int run_risultato(const Arguments& arguments, Io& io) {
  static constexpr OptionRule kOptions[] = {
      {"--passi", 2, true}, {"--fi", 1, false}, {"--psi", 1, false}, kPrecision};
  const auto parsed = parse_options("risultato", arguments, kOptions, 2, io);
  if (!parsed) return usage_error(io);
  const auto precision = precision_of(*parsed, io);
  if (!precision) return usage_error(io);
  ResultConversionRequest request;
  const auto& o = parsed->options;
  if (o.count("--fi")) request.fi = o.at("--fi")[0];
  if (o.count("--psi")) request.psi = o.at("--psi")[0];
  Numbers numbers;
  numbers.read(o.at("--passi")[0], request.steps_x)
      .read(o.at("--passi")[1], request.steps_y)
      .check_integer(request.fi)
      .check_integer(request.psi);
  if (!numbers.ok()) return numbers.report_failure(io);
  request.result_precision = *precision;
  request.gis_input_path = parsed->operands[0];
  request.conversion_output_path = parsed->operands[1];
  return run_with_progress(
      io, [&](ProgressSink& sink, Clock& clock) { return convert_result(request, sink, clock); });
}

int run_orografia(const Arguments& arguments, Io& io) {
  static constexpr OptionRule kOptions[] = {kPrecision};
  const auto parsed = parse_options("orografia", arguments, kOptions, 2, io);
  if (!parsed) return usage_error(io);
  const auto precision = precision_of(*parsed, io);
  if (!precision) return usage_error(io);
  const TerrainConversionRequest request{parsed->operands[0], parsed->operands[1], *precision};
  return run_with_progress(
      io, [&](ProgressSink& sink, Clock& clock) { return convert_terrain(request, sink, clock); });
}

int run_unisci(const Arguments& arguments, Io& io) {
  const auto parsed = parse_options("unisci", arguments, {}, 2, io);
  if (!parsed) return usage_error(io);
  return report(merge_projects({parsed->operands[0], parsed->operands[1]}), io);
}

}  // namespace tralva::cli
