#pragma once
// Options of the batch commands: "--name VALUE ..." with a fixed number of
// values, in any order among the operands; "--" ends the options, so that a
// file name may start with a dash.  No command reads standard input or
// writes standard output as a file, so "-" is refused where a file is named
// rather than taken as a file called "-".

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
  bool file = false;  // its values are file paths
};

struct ParsedArguments {
  std::map<std::string_view, Arguments> options;  // by name, those given
  Arguments operands;
};

// nullopt after printing what is wrong to standard error ("Errore: manca
// l'opzione «--passo»."); the caller then answers with usage_error().
std::optional<ParsedArguments> parse_options(const Arguments& arguments,
                                             std::span<const OptionRule> rules,
                                             std::size_t operands, Io& io);

}  // namespace tralva::cli
