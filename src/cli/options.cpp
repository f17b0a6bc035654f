#include "cli/options.h"

#include <algorithm>
#include <ostream>

namespace tralva::cli {

std::optional<ParsedArguments> parse_options(std::string_view command, const Arguments& arguments,
                                             std::span<const OptionSpec> specs,
                                             std::size_t operands, Io& io) {
  const auto fail = [&](std::string_view what, std::string_view name) {
    io.err << "tralva-util " << command << ": " << what << name << '\n';
    return std::nullopt;
  };
  ParsedArguments parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (options_ended || a.size() < 2 || a[0] != '-') {
      parsed.operands.push_back(a);
      continue;
    }
    if (a == "--") {
      options_ended = true;
      continue;
    }
    const auto spec =
        std::find_if(specs.begin(), specs.end(), [&](const OptionSpec& s) { return s.name == a; });
    if (spec == specs.end()) return fail("opzione sconosciuta: ", a);
    if (parsed.options.count(spec->name) != 0) return fail("opzione ripetuta: ", a);
    if (arguments.size() - i - 1 < static_cast<std::size_t>(spec->values)) {
      return fail("mancano valori dopo ", a);
    }
    Arguments& values = parsed.options[spec->name];
    for (int v = 0; v < spec->values; ++v) values.push_back(arguments[++i]);
  }
  for (const OptionSpec& spec : specs) {
    if (spec.required && parsed.options.count(spec.name) == 0) {
      return fail("manca l'opzione ", spec.name);
    }
  }
  if (parsed.operands.size() != operands) {
    return fail("numero di file errato: ", std::to_string(parsed.operands.size()));
  }
  return parsed;
}

}  // namespace tralva::cli
