#include "options.h"

#include <algorithm>
#include <optional>

#include "cli_texts.h"
#include "common/format.h"

namespace tralva::cli {
namespace {

// `where` names the option ("-o: "), or is empty for an operand.
std::optional<std::string> refused_as_stream(const std::string& path, std::string_view where) {
  if (path != "-") return std::nullopt;
  return std::string(where) + std::string(cli_text::kStreamRefused);
}

}  // namespace

std::variant<ParsedArguments, std::string> parse_options(const Arguments& arguments,
                                                         const CommandRules& command) {
  if (command.as_given) return ParsedArguments{{}, arguments};
  const auto naming = [](std::string_view what, std::string_view name) {
    return std::string(what) + cli_text::quoted(name) + ".";
  };
  const std::span<const OptionRule> rules = command.options;
  ParsedArguments parsed;
  bool options_ended = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    if (options_ended || a.size() < 2 || a[0] != '-') {
      if (auto refused = refused_as_stream(a, "")) return *refused;
      parsed.operands.push_back(a);
      continue;
    }
    if (a == "--") {
      options_ended = true;
      continue;
    }
    const auto rule =
        std::find_if(rules.begin(), rules.end(), [&](const OptionRule& s) { return s.name == a; });
    if (rule == rules.end()) return naming(cli_text::kUnknownOption, a);
    if (parsed.options.count(rule->name) != 0 && !rule->repeatable) {
      return naming(cli_text::kRepeatedOption, a);
    }
    if (arguments.size() - i - 1 < static_cast<std::size_t>(rule->values)) {
      return naming(cli_text::kMissingValues, a);
    }
    Arguments& values = parsed.options[rule->name];
    for (int v = 0; v < rule->values; ++v) {
      values.push_back(arguments[++i]);
      if (!rule->file) continue;
      if (auto refused = refused_as_stream(values.back(), std::string(rule->name) + ": ")) {
        return *refused;
      }
    }
  }
  for (const OptionRule& rule : rules) {
    if (rule.required && parsed.options.count(rule.name) == 0) {
      return naming(cli_text::kMissingOption, rule.name);
    }
  }
  if (parsed.operands.size() != command.operands) {
    return std::string(cli_text::kFilesGiven) +
           int_text(static_cast<std::int64_t>(parsed.operands.size())) +
           std::string(cli_text::kFilesWanted) +
           int_text(static_cast<std::int64_t>(command.operands)) + ".";
  }
  return parsed;
}

}  // namespace tralva::cli
