#pragma once
// Options of the batch commands: "--name VALUE ..." with a fixed number of
// values, in any order among the operands; "--" ends the options, so that a
// file name may start with a dash.

#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "cli.h"

namespace tralva::cli {

struct OptionRule {
  std::string_view name;  // with its dashes
  int values;
  bool required;
};

struct ParsedArguments {
  std::map<std::string_view, Arguments> options;  // by name, those given
  Arguments operands;
};

// nullopt after printing what is wrong to standard error; the caller then
// answers with usage_error().
std::optional<ParsedArguments> parse_options(std::string_view command, const Arguments& arguments,
                                             std::span<const OptionRule> rules,
                                             std::size_t operands, Io& io);

}  // namespace tralva::cli
