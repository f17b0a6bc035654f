#include "options.h"

#include <algorithm>
#include <ostream>

namespace tralva::cli {
namespace {

// `where` names the option, or is empty for an operand.
bool refused_as_stream(const std::string& path, std::string_view where, Io& io) {
  if (path != "-") return false;
  io.err << "Errore: " << where
         << "«-» non è un nome di file ammesso: tralva-util non legge dallo standard input e non "
            "scrive sullo standard output (per un file di nome «-» scrivere «./-»).\n";
  return true;
}

}  // namespace

std::optional<ParsedArguments> parse_options(const Arguments& arguments,
                                             const CommandRules& command, Io& io) {
  if (command.as_given) return ParsedArguments{{}, arguments};
  const std::span<const OptionRule> rules = command.options;
  const std::size_t operands = command.operands;
  const auto fail = [&](std::string_view what, std::string_view name) {
    io.err << "Errore: " << what << "«" << name << "».\n";
    return std::nullopt;
  };
  ParsedArguments parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (options_ended || a.size() < 2 || a[0] != '-') {
      if (refused_as_stream(a, "", io)) return std::nullopt;
      parsed.operands.push_back(a);
      continue;
    }
    if (a == "--") {
      options_ended = true;
      continue;
    }
    const auto rule =
        std::find_if(rules.begin(), rules.end(), [&](const OptionRule& s) { return s.name == a; });
    if (rule == rules.end()) return fail("opzione sconosciuta: ", a);
    if (parsed.options.count(rule->name) != 0) return fail("opzione ripetuta: ", a);
    if (arguments.size() - i - 1 < static_cast<std::size_t>(rule->values)) {
      return fail("mancano valori dopo ", a);
    }
    Arguments& values = parsed.options[rule->name];
    for (int v = 0; v < rule->values; ++v) {
      values.push_back(arguments[++i]);
      if (rule->file && refused_as_stream(values.back(), std::string(rule->name) + ": ", io)) {
        return std::nullopt;
      }
    }
  }
  for (const OptionRule& rule : rules) {
    if (rule.required && parsed.options.count(rule.name) == 0) {
      return fail("manca l'opzione ", rule.name);
    }
  }
  if (parsed.operands.size() != operands) {
    io.err << "Errore: file indicati: " << parsed.operands.size() << ", il comando ne vuole "
           << operands << ".\n";
    return std::nullopt;
  }
  return parsed;
}

}  // namespace tralva::cli
