#include "cli.h"

#include <ostream>
#include <string_view>

#include "common/system_cause.h"
#include "convert_commands.h"
#include "geometry_commands.h"

namespace tralva::cli {
namespace {

struct Command {
  std::string_view name;
  std::string_view synopsis;
  int (*run)(const Arguments& arguments, Io& io);
};

// One entry per subcommand.
constexpr Command kCommands[] = {
    {"angoli", "X1 Y1 X2 Y2 [X3 Y3 … X6 Y6]", run_angoli},
    {"geometria", "FILE", run_geometria},
    {"griglia", "--origine X Y --passi NX NY --passo S [--precisione m|dm|cm|mm] FILE",
     run_griglia},
    {"risultato", "--passi NX NY [--fi F] [--psi P] [--precisione m|dm|cm|mm] INGRESSO USCITA",
     run_risultato},
    {"orografia", "[--precisione m|dm|cm|mm] INGRESSO USCITA", run_orografia},
    {"unisci", "PADRE FIGLIO", run_unisci},
};

void print_usage(std::ostream& os) {
  os << "Uso: tralva-util COMANDO [ARGOMENTI]\n\n"
        "Esegue le operazioni sui file di Tralva senza l'interfaccia grafica.\n";
  bool heading = false;
  for (const Command& command : kCommands) {
    if (!heading) os << "\nComandi:\n";
    heading = true;
    os << "  tralva-util " << command.name << ' ' << command.synopsis << '\n';
  }
  os << "\nStato di uscita: 0 riuscito, 1 errore, 2 avvertimento, 64 uso errato.\n";
}

}  // namespace

int report(const Message& message, Io& io) {
  switch (message.kind) {
    case MessageKind::information:
      io.out << message.text << '\n';
      return kSuccess;
    case MessageKind::warning:
      io.err << "Attenzione: " << message.text << '\n';
      return kWarning;
    case MessageKind::error:
      break;
  }
  io.err << "Errore: ";
  if (message.cause == 0) {
    io.err << message.text << '\n';
    return kError;
  }
  std::string_view text = message.text;
  while (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  io.err << text << "\nCausa: " << system_cause_text(message.cause) << ".\n";
  return kError;
}

int usage_error(Io& io) {
  print_usage(io.err);
  return kUsage;
}

int number_too_large(const std::string& text, Io& io) {
  io.err << "tralva-util: numero troppo grande: " << text << '\n';
  return usage_error(io);
}

int run(const Arguments& arguments, Io& io) {
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    print_usage(io.out);
    return kSuccess;
  }
  if (arguments.empty()) return usage_error(io);
  for (const Command& command : kCommands) {
    if (command.name == arguments[0]) {
      return command.run(Arguments(arguments.begin() + 1, arguments.end()), io);
    }
  }
  return usage_error(io);
}

}  // namespace tralva::cli
