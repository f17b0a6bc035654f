#include "cli.h"

#include <algorithm>
#include <ostream>
#include <string_view>

#include "common/system_cause.h"
#include "convert_commands.h"
#include "field_command.h"
#include "geometry_commands.h"
#include "terrain_command.h"

namespace tralva::cli {
namespace {

struct Command {
  std::string_view name;
  std::string_view synopsis;
  std::string_view help;  // what it does, then "Opzioni:" and its options
  int (*run)(const Arguments& arguments, Io& io);
};

// One entry per subcommand.
constexpr Command kCommands[] = {
    {"angoli", "X1 Y1 X2 Y2 [X3 Y3 … X6 Y6]",
     "Calcola gli angoli [°] degli sbracci di 2-6 tralicci dalle loro coordinate [m],\n"
     "come «Calcola gli angoli» nelle finestre di inserimento dati, e li stampa\n"
     "uno per riga, nell'ordine dei tralicci.\n"
     "\n"
     "Opzioni:\n",
     run_angoli},
    {"geometria", "FILE",
     "Legge il progetto di linea FILE (.tlva, anche con più linee) e stampa in JSON\n"
     "la geometria dei conduttori che la visualizzazione disegna: per ogni linea i\n"
     "sostegni, i punti di sospensione e, campata per campata, i punti delle catenarie.\n"
     "\n"
     "Opzioni:\n",
     run_geometria},
    {"disegna",
     "FILE [--proiezione XY|YZ|XZ] [--x MIN MAX] [--y MIN MAX] [--z MIN MAX] [--adatta] "
     "-o USCITA",
     "Disegna il progetto FILE come la finestra «Visualizzazione della\n"
     "configurazione» e scrive in USCITA il disegno (.svg) o l'elenco dei suoi\n"
     "segmenti (.json).\n"
     "\n"
     "Opzioni:\n"
     "  --proiezione P   XY, la pianta (predefinita), o i prospetti YZ e XZ\n"
     "  --x MIN MAX      estremi di visualizzazione lungo X [m]\n"
     "  --y MIN MAX      estremi lungo Y [m]\n"
     "  --z MIN MAX      estremi lungo Z [m]; quelli non indicati valgono 0 0, come\n"
     "                   nella finestra\n"
     "  --adatta         estremi presi dal progetto, come il pulsante «Adatta»;\n"
     "                   --x, --y e --z non contano\n"
     "  -o USCITA        il file da scrivere, .svg o .json\n",
     run_disegna},
    {"griglia", "--origine X Y --passi NX NY --passo S [--precisione m|dm|cm|mm] FILE",
     "Scrive il file di base FILE come «Crea il file di base» della pagina\n"
     "«Interpolazione»: l'intestazione X Y Z, poi un punto per riga con Z = 0, per\n"
     "X = X0 + i·S (i da 0 a NX) e Y = Y0 + j·S (j da 0 a NY); Y varia più in fretta.\n"
     "\n"
     "Opzioni:\n"
     "  --origine X Y    l'origine X0 Y0 della griglia [m]\n"
     "  --passi NX NY    il numero di passi lungo X e lungo Y (interi)\n"
     "  --passo S        il passo [m], uguale lungo X e Y\n"
     "  --precisione P   decimali di X e Y: m 0 (predefinita), dm 1, cm 2, mm 3\n",

     run_griglia},
    {"interpola",
     "BASE PUNTI_QUOTATI [--alfa A] [--vicini N] [--precisione m|dm|cm|mm] [--parte K/N] "
     "OROGRAFIA",
     "Calcola l'orografia del file di base BASE dai punti quotati PUNTI_QUOTATI, come\n"
     "«Esegui il calcolo» della pagina «Interpolazione»: in ogni punto di BASE la quota\n"
     "è la media delle quote degli N punti quotati più vicini in pianta, pesate con\n"
     "l'inverso della distanza elevata ad A. Scrive il file per GIS OROGRAFIA\n"
     "(l'intestazione X Y Z, poi un punto per riga nell'ordine di BASE, Z con due\n"
     "decimali), che «campo --punti» legge così com'è.\n"
     "\n"
     "BASE è un file di base (o un altro file di punti: la sua Z non conta);\n"
     "PUNTI_QUOTATI ha un punto per riga, X Y Z separati da spazi, da una virgola o\n"
     "da un punto e virgola, con il punto decimale; una prima riga che non inizia con\n"
     "un numero è un'intestazione.\n"
     "\n"
     "Opzioni:\n"
     "  --alfa A         l'esponente della distanza nei pesi (predefinito 1; 0 dà la\n"
     "                   media semplice)\n"
     "  --vicini N       quanti punti quotati più vicini contano (intero, predefinito 5)\n"
     "  --precisione P   decimali di X e Y: m 0 (predefinita), dm 1, cm 2, mm 3\n"
     "  --parte K/N      solo la K-esima di N parti consecutive dei punti di BASE; le\n"
     "                   N parti messe in fila danno il file intero\n",
     run_interpola},
    {"risultato", "--passi NX NY [--fi F] [--psi P] [--precisione m|dm|cm|mm] INGRESSO USCITA",
     "Converte il risultato di un calcolo su una griglia piana (file per GIS: una riga\n"
     "di intestazione, poi X, Y, Z e il campo per ogni punto, riga dopo riga della\n"
     "griglia) in una matrice per foglio di calcolo, come il primo «Converti» della\n"
     "pagina «Utilità».\n"
     "\n"
     "Opzioni:\n"
     "  --passi NX NY    i passi della griglia lungo i suoi due assi (interi)\n"
     "  --fi F           angolo fi [°] del piano (intero, predefinito 0)\n"
     "  --psi P          angolo psi [°] del piano (intero, predefinito 0); con psi 0\n"
     "                   o 180 le colonne sono le X e le righe le Y (le Y e le X con\n"
     "                   fi 90 o 270), altrimenti le righe sono le Z\n"
     "  --precisione P   decimali di X e Y: m 0 (predefinita), dm 1, cm 2, mm 3\n",

     run_risultato},
    {"orografia", "[--precisione m|dm|cm|mm] INGRESSO USCITA",
     "Converte una matrice (la prima riga: un numero qualsiasi, poi le X delle\n"
     "colonne separate da tabulazioni; poi una riga per Y: la Y e i valori) in un\n"
     "elenco di punti X Y Z per GIS, come il secondo «Converti» della pagina\n"
     "«Utilità». La matrice scritta da «risultato» va bene; Z ha sempre due decimali.\n"
     "\n"
     "Opzioni:\n"
     "  --precisione P   decimali di X e Y: m 0 (predefinita), dm 1, cm 2, mm 3\n",
     run_orografia},
    {"unisci", "PADRE FIGLIO",
     "Aggiunge le linee del progetto FIGLIO a quelle del progetto PADRE e riscrive\n"
     "PADRE, come «Unisci» della pagina «Utilità». FIGLIO non cambia.\n"
     "\n"
     "Opzioni:\n",
     run_unisci},
    {"campo",
     "PROGETTO (--piano --origine X Y --passo SX SY --passi NX NY [--fi F] [--psi P] | --punti "
     "FILE [--passo-z DZ] [--passi-z NZ] [--massimo]) [--quota Q] [--buffer B] "
     "[--precisione m|dm|cm|mm] [--parte K/N] USCITA",
     "Calcola l'induzione magnetica B [uT] delle linee del PROGETTO nei punti di una\n"
     "griglia piana o di un file di punti, scrive il risultato per GIS USCITA\n"
     "(l'intestazione X Y Z B [uT], poi un punto per riga, che «risultato» converte)\n"
     "e stampa un riepilogo.\n"
     "\n"
     "Opzioni:\n"
     "  --piano          i punti di una griglia piana, riga dopo riga; vuole\n"
     "                   --origine, --passo e --passi\n"
     "  --origine X Y    l'origine della griglia [m], alla quota Q\n"
     "  --passo SX SY    i passi [m] lungo i due assi della griglia\n"
     "  --passi NX NY    il numero di passi lungo i due assi (interi)\n"
     "  --fi F           rotazione in pianta del primo asse [°] (predefinita 0)\n"
     "  --psi P          inclinazione del secondo asse [°]: 90 dà un piano\n"
     "                   verticale (predefinita 0)\n"
     "  --punti FILE     i punti di un file: una riga di intestazione, poi X Y Z su\n"
     "                   ogni riga (un file di base, un file GIS dell'orografia)\n"
     "  --passo-z DZ     con --punti: il passo [m] tra le quote di un punto,\n"
     "                   maggiore di 0 (predefinito 1)\n"
     "  --passi-z NZ     con --punti: il campo a NZ + 1 quote sopra ogni punto,\n"
     "                   Z + Q + k·DZ per k da 0 a NZ, una riga per quota (intero,\n"
     "                   predefinito 0)\n"
     "  --massimo        con --punti: una riga per punto, alla quota dove il campo\n"
     "                   è massimo (la più bassa, a pari valore), come «Proietta il\n"
     "                   valore massimo»\n"
     "  --quota Q        quota [m] della griglia, o aggiunta alla Z dei punti del\n"
     "                   file (predefinita 0)\n"
     "  --buffer B       i tratti di conduttore più lontani di B [m] da un punto non\n"
     "                   contano (predefinito 1000)\n"
     "  --precisione P   decimali di X, Y e Z: m 0 (predefinita), dm 1, cm 2, mm 3\n"
     "  --parte K/N      solo la K-esima di N parti consecutive delle righe della\n"
     "                   griglia o dei punti del file; le N parti messe in fila\n"
     "                   danno il file intero\n",
     run_campo},
};

constexpr std::string_view kExitStatus =
    "Stato di uscita: 0 riuscito, 1 errore, 2 avvertimento, 64 uso errato.\n";

void print_usage(std::ostream& os) {
  os << "Uso: tralva-util COMANDO [ARGOMENTI]\n"
        "     tralva-util COMANDO --help\n"
        "     tralva-util --version\n\n"
        "Esegue le operazioni sui file di Tralva senza l'interfaccia grafica.\n\nComandi:\n";
  for (const Command& command : kCommands) {
    os << "  tralva-util " << command.name << ' ' << command.synopsis << '\n';
  }
  os << '\n' << kExitStatus;
}

void print_synopsis(const Command& command, std::ostream& os) {
  os << "Uso: tralva-util " << command.name << ' ' << command.synopsis << '\n';
}

void print_help(const Command& command, std::ostream& os) {
  print_synopsis(command, os);
  os << '\n' << command.help << "  -h, --help       mostra questo aiuto\n\n" << kExitStatus;
}

const Command* find_command(std::string_view name) {
  const auto* found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                   [&](const Command& c) { return c.name == name; });
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

int usage_error(Io&) { return kUsage; }

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
    io.err << "Errore: comando sconosciuto: «" << first << "».\n\n";
    print_usage(io.err);
    return kUsage;
  }
  const Arguments rest(arguments.begin() + 1, arguments.end());
  if (help_first || asks_for_help(rest)) {
    print_help(*command, io.out);
    return kSuccess;
  }
  const int status = command->run(rest, io);
  if (status == kUsage) {
    print_synopsis(*command, io.err);
    io.err << "Aiuto: tralva-util " << command->name << " --help\n";
  }
  return status;
}

}  // namespace tralva::cli
