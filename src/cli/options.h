#pragma once
// Options of the batch commands: "--name VALUE ..." with a fixed number of
// values, in any order among the operands, once unless repeatable; "--"
// ends the options, so that a file name may start with a dash.  No command
// reads standard input or writes standard output as a file, so "-" is
// refused where a file is named rather than taken as a file called "-".
//
// Each command is described once, by its rules: the parser reads them and
// the help is made from them.

#include <map>
#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "cli.h"

namespace tralva::cli {

struct OptionRule {
  std::string_view name;  // with its dashes
  int values = 0;
  bool required = false;
  bool file = false;            // its values are file paths
  bool repeatable = false;      // given again, it adds its values after the earlier ones
  std::string_view shown = {};  // its values as the help names them: "MIN MAX"
  std::string_view help = {};   // what it does; a line end starts the next line of the help
};

struct CommandRules {
  std::string_view name;
  std::string_view synopsis = {};  // the usage after the command's name
  std::string_view about = {};     // what it does, before its options
  std::span<const OptionRule> options = {};
  std::size_t operands = 0;
  // No options: the arguments are the operands as they are, so that "-5"
  // is a number.
  bool as_given = false;
};

struct ParsedArguments {
  std::map<std::string_view, Arguments> options;  // by name, those given
  Arguments operands;
};

// The arguments sorted by the command's rules, or what is wrong with them
// ("manca l'opzione «--passo».").
std::variant<ParsedArguments, std::string> parse_options(const Arguments& arguments,
                                                         const CommandRules& command);

}  // namespace tralva::cli
