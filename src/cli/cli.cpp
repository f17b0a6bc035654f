#include "cli.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <string_view>

#include "cli_texts.h"
#include "common/system_cause.h"
#include "common/version.h"
#include "convert_commands.h"
#include "field_command.h"
#include "geometry_commands.h"
#include "map_command.h"
#include "terrain_command.h"

namespace tralva::cli {
namespace {

struct Command {
  const CommandRules& rules;
  int (*run)(const ParsedArguments& arguments, Io& io);
};

// One entry per subcommand, in the order the usage lists them.
constexpr Command kCommands[] = {
    {cli_text::kAngoli, run_angoli},       {cli_text::kGeometria, run_geometria},
    {cli_text::kDisegna, run_disegna},     {cli_text::kGriglia, run_griglia},
    {cli_text::kInterpola, run_interpola}, {cli_text::kRisultato, run_risultato},
    {cli_text::kOrografia, run_orografia}, {cli_text::kUnisci, run_unisci},
    {cli_text::kCampo, run_campo},         {cli_text::kMappa, run_mappa},
};

// Where the meaning of an option starts on its line of the help.
constexpr std::size_t kMeaningColumn = 19;

void print_usage(std::ostream& os) {
  os << cli_text::kGeneralUsage;
  for (const Command& command : kCommands) {
    os << cli_text::kCommandUsage << command.rules.name << ' ' << command.rules.synopsis << '\n';
  }
  os << '\n' << cli_text::kExitStatus;
}

void print_synopsis(const CommandRules& command, std::ostream& os) {
  os << cli_text::kUsage << command.name << ' ' << command.synopsis << '\n';
}

// "  --x MIN MAX      estremi ...", the further lines of its meaning under
// the first.
void print_option(const OptionRule& option, std::ostream& os) {
  std::string head = "  " + std::string(option.name);
  if (!option.shown.empty()) head += ' ' + std::string(option.shown);
  head.resize(std::max(head.size() + 1, kMeaningColumn), ' ');
  std::string_view meaning = option.help;
  for (std::size_t end; (end = meaning.find('\n')) != std::string_view::npos;) {
    os << head << meaning.substr(0, end) << '\n';
    meaning.remove_prefix(end + 1);
    head.assign(kMeaningColumn, ' ');
  }
  os << head << meaning << '\n';
}

void print_help(const CommandRules& command, std::ostream& os) {
  print_synopsis(command, os);
  os << '\n' << command.about << '\n' << cli_text::kOptions;
  for (const OptionRule& option : command.options) print_option(option, os);
  print_option(cli_text::kHelpOption, os);
  os << '\n' << cli_text::kExitStatus;
}

const Command* find_command(std::string_view name) {
  const auto* found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                   [&](const Command& c) { return c.rules.name == name; });
  return found == std::end(kCommands) ? nullptr : found;
}

bool is_help(std::string_view argument) { return argument == "--help" || argument == "-h"; }

// Help is asked for anywhere among the options, as the tools around us do.
bool asks_for_help(const Arguments& arguments) {
  const auto options_end = std::find(arguments.begin(), arguments.end(), "--");
  return std::any_of(arguments.begin(), options_end, is_help);
}

}  // namespace

int report(const Message& message, Io& io) {
  switch (message.kind) {
    case MessageKind::information:
      io.out << message.text << '\n';
      return kSuccess;
    case MessageKind::warning:
      io.err << cli_text::kWarning << message.text << '\n';
      return kWarning;
    case MessageKind::error:
      break;
  }
  io.err << cli_text::kError;
  if (message.cause == 0) {
    io.err << message.text << '\n';
    return kError;
  }
  std::string_view shown = message.text;
  while (!shown.empty() && shown.back() == '\n') shown.remove_suffix(1);
  io.err << shown << '\n' << cli_text::kCause << system_cause_text(message.cause) << ".\n";
  return kError;
}

int usage_error(Io& io, std::string_view what) {
  report(error_message(std::string(what)), io);
  return kUsage;
}

int run(const Arguments& arguments, Io& io) {
  if (arguments.empty()) {
    print_usage(io.err);
    return kUsage;
  }
  if (arguments[0] == "--version" && arguments.size() == 1) {
    io.out << "tralva-util " << TRALVA_VERSION << '\n';
    return kSuccess;
  }
  if (is_help(arguments[0]) && arguments.size() == 1) {
    print_usage(io.out);
    return kSuccess;
  }
  // "--help COMANDO" is "COMANDO --help".
  const bool help_first = is_help(arguments[0]) && arguments.size() == 2;
  const std::string& first = help_first ? arguments[1] : arguments[0];
  const Command* command = find_command(first);
  if (command == nullptr) {
    usage_error(io, std::string(cli_text::kUnknownCommand) + cli_text::quoted(first) + ".");
    io.err << '\n';
    print_usage(io.err);
    return kUsage;
  }
  const Arguments rest(arguments.begin() + 1, arguments.end());
  if (help_first || asks_for_help(rest)) {
    print_help(command->rules, io.out);
    return kSuccess;
  }
  const auto parsed = parse_options(rest, command->rules);
  const auto* sorted = std::get_if<ParsedArguments>(&parsed);
  const int status =
      sorted ? command->run(*sorted, io) : usage_error(io, std::get<std::string>(parsed));
  if (status == kUsage) {
    print_synopsis(command->rules, io.err);
    io.err << cli_text::kHelpAt << command->rules.name << cli_text::kHelpAsked;
  }
  return status;
}

}  // namespace tralva::cli
