#pragma once
// The texts of tralva-util, exactly as it prints them: its commands with
// their options, which the parser reads and the help is made from, and its
// own messages.  Those of the operations come from the core.

#include <string>
#include <string_view>

#include "options.h"

namespace tralva::cli_text {

using cli::CommandRules;
using cli::OptionRule;

// Before a message on standard error, and before the last line of an error
// that comes from the system.
inline constexpr std::string_view kError = "Errore: ";
inline constexpr std::string_view kWarning = "Attenzione: ";
inline constexpr std::string_view kCause = "Causa: ";

// What is wrong with a command line, after kError: mostly what was given,
// in «», between the two parts of a sentence.
inline std::string quoted(std::string_view given) { return "«" + std::string(given) + "»"; }
inline constexpr std::string_view kUnknownCommand = "comando sconosciuto: ";
inline constexpr std::string_view kUnknownOption = "opzione sconosciuta: ";
inline constexpr std::string_view kRepeatedOption = "opzione ripetuta: ";
inline constexpr std::string_view kMissingValues = "mancano valori dopo ";
inline constexpr std::string_view kMissingOption = "manca l'opzione ";
inline constexpr std::string_view kFilesGiven = "file indicati: ";
inline constexpr std::string_view kFilesWanted = ", il comando ne vuole ";
inline constexpr std::string_view kStreamRefused =
    "«-» non è un nome di file ammesso: tralva-util non legge dallo standard input e non scrive "
    "sullo standard output (per un file di nome «-» scrivere «./-»).";
inline constexpr std::string_view kNotANumber = " non è un numero";
// After kNotANumber, when the text with a point would be a number.
inline constexpr std::string_view kDecimalPoint = ": il separatore decimale è il punto";
inline constexpr std::string_view kNotAnInteger = " non è un numero intero.";
inline constexpr std::string_view kOutOfRange = " è fuori dall'intervallo ammesso, da ";
inline constexpr std::string_view kRangeTo = " a ";
inline constexpr std::string_view kNotAbove = " deve essere maggiore di ";
inline constexpr std::string_view kNotAtLeast = " deve essere maggiore o uguale a ";
inline constexpr std::string_view kNotAPrecision = " non è una precisione valida (m, dm, cm o mm).";
inline constexpr std::string_view kNotAPart = " non è una parte valida (K/N con 1 ≤ K ≤ N).";
inline constexpr std::string_view kNotValid = " non è valida (";
inline constexpr std::string_view kProjections = "XY, YZ o XZ";
inline constexpr std::string_view kExtensionOf = "l'estensione di ";
inline constexpr std::string_view kDrawingExtensions = ".json o .svg";
inline constexpr std::string_view kPylonCoordinates = "servono le coordinate X Y di ";
inline constexpr std::string_view kPylonsGiven = " tralicci; valori indicati: ";
inline constexpr std::string_view kPlaneOrPoints = "serve --piano oppure --punti.";
inline constexpr std::string_view kPlaneNeeds = "--piano richiede --origine, --passo e --passi.";
inline constexpr std::string_view kOnlyWith = " vale solo con ";
// The options of mappa.
inline constexpr std::string_view kNotAMapKind =
    " non ha un'estensione nota (.png, .svg, .pdf, .tif, .gpkg).";
inline constexpr std::string_view kGivenTwice = " è indicato due volte.";
inline constexpr std::string_view kNotAThreshold = " non è una soglia positiva.";
inline constexpr std::string_view kThresholdsIncrease = "le soglie devono essere crescenti: ";
inline constexpr std::string_view kDoesNotExceed = " non supera ";
inline constexpr std::string_view kTooManyThresholds = "al più 8 soglie.";
inline constexpr std::string_view kDpiRange = " deve essere tra ";
inline constexpr std::string_view kDpiRangeAnd = " e ";
inline constexpr std::string_view kNotAnEpsg = " non è un codice EPSG noto.";

// The progress line of a long command on a terminal: "42%  Tempo rimanente
// 0 h 1 m 5 s".
inline constexpr std::string_view kRemaining = "%  Tempo rimanente ";
inline constexpr std::string_view kHours = " h ";
inline constexpr std::string_view kMinutes = " m ";
inline constexpr std::string_view kSeconds = " s";

inline constexpr std::string_view kGeneralUsage =
    "Uso: tralva-util COMANDO [ARGOMENTI]\n"
    "     tralva-util COMANDO --help\n"
    "     tralva-util --version\n"
    "\n"
    "Esegue le operazioni sui file di Tralva senza l'interfaccia grafica.\n"
    "\n"
    "Comandi:\n";
inline constexpr std::string_view kUsage = "Uso: tralva-util ";
// After the usage of a command used wrongly: "Aiuto: tralva-util griglia --help".
inline constexpr std::string_view kHelpAt = "Aiuto: tralva-util ";
inline constexpr std::string_view kHelpAsked = " --help\n";
inline constexpr std::string_view kCommandUsage = "  tralva-util ";
inline constexpr std::string_view kOptions = "Opzioni:\n";
inline constexpr OptionRule kHelpOption{.name = "-h, --help", .help = "mostra questo aiuto"};
inline constexpr std::string_view kExitStatus =
    "Stato di uscita: 0 riuscito, 1 errore, 2 avvertimento, 64 uso errato.\n";

inline constexpr OptionRule kPrecision{
    .name = "--precisione",
    .values = 1,
    .shown = "P",
    .help = "decimali di X e Y: m 0 (predefinita), dm 1, cm 2, mm 3"};

// Of interpola and campo, each with its own meaning.
inline constexpr std::string_view kPartOption = "--parte";
inline constexpr std::string_view kEstimateOption = "--stima";

inline constexpr CommandRules kAngoli{
    .name = "angoli",
    .synopsis = "X1 Y1 X2 Y2 [X3 Y3 … X6 Y6]",
    .about =
        "Calcola gli angoli [°] degli sbracci di 2-6 tralicci dalle loro coordinate [m],\n"
        "come «Calcola gli angoli» nelle finestre di inserimento dati, e li stampa\n"
        "uno per riga, nell'ordine dei tralicci.\n",
    .as_given = true};

inline constexpr CommandRules kGeometria{
    .name = "geometria",
    .synopsis = "FILE",
    .about =
        "Legge il progetto di linea FILE (.tlva, anche con più linee) e stampa in JSON\n"
        "la geometria dei conduttori che la visualizzazione disegna: per ogni linea i\n"
        "sostegni, i punti di sospensione e, campata per campata, i punti delle catenarie.\n",
    .operands = 1};

inline constexpr OptionRule kDisegnaOptions[] = {
    {.name = "--proiezione",
     .values = 1,
     .shown = "P",
     .help = "XY, la pianta (predefinita), o i prospetti YZ e XZ"},
    {.name = "--x",
     .values = 2,
     .shown = "MIN MAX",
     .help = "estremi di visualizzazione lungo X [m]"},
    {.name = "--y", .values = 2, .shown = "MIN MAX", .help = "estremi lungo Y [m]"},
    {.name = "--z",
     .values = 2,
     .shown = "MIN MAX",
     .help = "estremi lungo Z [m]; quelli non indicati valgono 0 0, come\n"
             "nella finestra"},
    {.name = "--adatta",
     .help = "estremi presi dal progetto, come il pulsante «Adatta»;\n"
             "--x, --y e --z non contano"},
    {.name = "-o",
     .values = 1,
     .required = true,
     .file = true,
     .shown = "USCITA",
     .help = "il file da scrivere, .svg o .json"},
};
inline constexpr CommandRules kDisegna{
    .name = "disegna",
    .synopsis =
        "FILE [--proiezione XY|YZ|XZ] [--x MIN MAX] [--y MIN MAX] [--z MIN MAX] "
        "[--adatta] -o USCITA",
    .about =
        "Disegna il progetto FILE come la finestra «Visualizzazione della\n"
        "configurazione» e scrive in USCITA il disegno (.svg) o l'elenco dei suoi\n"
        "segmenti (.json).\n",
    .options = kDisegnaOptions,
    .operands = 1};

inline constexpr OptionRule kGrigliaOptions[] = {
    {.name = "--origine",
     .values = 2,
     .required = true,
     .shown = "X Y",
     .help = "l'origine X0 Y0 della griglia [m]"},
    {.name = "--passi",
     .values = 2,
     .required = true,
     .shown = "NX NY",
     .help = "il numero di passi lungo X e lungo Y (interi)"},
    {.name = "--passo",
     .values = 1,
     .required = true,
     .shown = "S",
     .help = "il passo [m], uguale lungo X e Y"},
    kPrecision,
};
inline constexpr CommandRules kGriglia{
    .name = "griglia",
    .synopsis = "--origine X Y --passi NX NY --passo S [--precisione m|dm|cm|mm] FILE",
    .about =
        "Scrive il file di base FILE come «Crea il file di base» della pagina\n"
        "«Interpolazione»: l'intestazione X Y Z, poi un punto per riga con Z = 0, per\n"
        "X = X0 + i·S (i da 0 a NX) e Y = Y0 + j·S (j da 0 a NY); Y varia più in fretta.\n",
    .options = kGrigliaOptions,
    .operands = 1};

inline constexpr OptionRule kInterpolaOptions[] = {
    {.name = "--alfa",
     .values = 1,
     .shown = "A",
     .help = "l'esponente della distanza nei pesi (predefinito 1; 0 dà la\n"
             "media semplice)"},
    {.name = "--vicini",
     .values = 1,
     .shown = "N",
     .help = "quanti punti quotati più vicini contano (intero, predefinito 5)"},
    kPrecision,
    {.name = kPartOption,
     .values = 1,
     .shown = "K/N",
     .help = "solo la K-esima di N parti consecutive dei punti di BASE; le\n"
             "N parti messe in fila danno il file intero"},
    {.name = kEstimateOption,
     .help = "stampa i punti, i punti quotati e il tempo previsto su questa\n"
             "macchina e termina senza scrivere OROGRAFIA"},
};
inline constexpr CommandRules kInterpola{
    .name = "interpola",
    .synopsis =
        "BASE PUNTI_QUOTATI [--alfa A] [--vicini N] [--precisione m|dm|cm|mm] "
        "[--parte K/N] [--stima] OROGRAFIA",
    .about =
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
        "un numero è un'intestazione.\n",
    .options = kInterpolaOptions,
    .operands = 3};

inline constexpr OptionRule kRisultatoOptions[] = {
    {.name = "--passi",
     .values = 2,
     .required = true,
     .shown = "NX NY",
     .help = "i passi della griglia lungo i suoi due assi (interi)"},
    {.name = "--fi",
     .values = 1,
     .shown = "F",
     .help = "angolo fi [°] del piano (intero, predefinito 0)"},
    {.name = "--psi",
     .values = 1,
     .shown = "P",
     .help = "angolo psi [°] del piano (intero, predefinito 0); con psi 0\n"
             "o 180 le colonne sono le X e le righe le Y (le Y e le X con\n"
             "fi 90 o 270), altrimenti le righe sono le Z"},
    kPrecision,
};
inline constexpr CommandRules kRisultato{
    .name = "risultato",
    .synopsis = "--passi NX NY [--fi F] [--psi P] [--precisione m|dm|cm|mm] INGRESSO USCITA",
    .about =
        "Converte il risultato di un calcolo su una griglia piana (file per GIS: una riga\n"
        "di intestazione, poi X, Y, Z e il campo per ogni punto, riga dopo riga della\n"
        "griglia) in una matrice per foglio di calcolo, come il primo «Converti» della\n"
        "pagina «Utilità».\n",
    .options = kRisultatoOptions,
    .operands = 2};

inline constexpr OptionRule kOrografiaOptions[] = {kPrecision};
inline constexpr CommandRules kOrografia{
    .name = "orografia",
    .synopsis = "[--precisione m|dm|cm|mm] INGRESSO USCITA",
    .about =
        "Converte una matrice (la prima riga: un numero qualsiasi, poi le X delle\n"
        "colonne separate da tabulazioni; poi una riga per Y: la Y e i valori) in un\n"
        "elenco di punti X Y Z per GIS, come il secondo «Converti» della pagina\n"
        "«Utilità». La matrice scritta da «risultato» va bene; Z ha sempre due decimali.\n",
    .options = kOrografiaOptions,
    .operands = 2};

inline constexpr CommandRules kUnisci{
    .name = "unisci",
    .synopsis = "PADRE FIGLIO",
    .about =
        "Aggiunge le linee del progetto FIGLIO a quelle del progetto PADRE e riscrive\n"
        "PADRE, come «Unisci» della pagina «Utilità». FIGLIO non cambia.\n",
    .operands = 2};

inline constexpr OptionRule kCampoOptions[] = {
    {.name = "--piano",
     .help = "i punti di una griglia piana, riga dopo riga; vuole\n"
             "--origine, --passo e --passi"},
    {.name = "--origine",
     .values = 2,
     .shown = "X Y",
     .help = "l'origine della griglia [m], alla quota Q"},
    {.name = "--passo",
     .values = 2,
     .shown = "SX SY",
     .help = "i passi [m] lungo i due assi della griglia"},
    {.name = "--passi",
     .values = 2,
     .shown = "NX NY",
     .help = "il numero di passi lungo i due assi (interi)"},
    {.name = "--fi",
     .values = 1,
     .shown = "F",
     .help = "rotazione in pianta del primo asse [°] (predefinita 0)"},
    {.name = "--psi",
     .values = 1,
     .shown = "P",
     .help = "inclinazione del secondo asse [°]: 90 dà un piano\n"
             "verticale (predefinita 0)"},
    {.name = "--punti",
     .values = 1,
     .file = true,
     .shown = "FILE",
     .help = "i punti di un file: una riga di intestazione, poi X Y Z su\n"
             "ogni riga (un file di base, un file GIS dell'orografia)"},
    {.name = "--passo-z",
     .values = 1,
     .shown = "DZ",
     .help = "con --punti: il passo [m] tra le quote di un punto,\n"
             "maggiore di 0 (predefinito 1)"},
    {.name = "--passi-z",
     .values = 1,
     .shown = "NZ",
     .help = "con --punti: il campo a NZ + 1 quote sopra ogni punto,\n"
             "Z + Q + k·DZ per k da 0 a NZ, una riga per quota (intero,\n"
             "predefinito 0)"},
    {.name = "--massimo",
     .help = "con --punti: una riga per punto, alla quota dove il campo\n"
             "è massimo (la più bassa, a pari valore), come «Proietta il\n"
             "valore massimo»"},
    {.name = "--quota",
     .values = 1,
     .shown = "Q",
     .help = "quota [m] della griglia, o aggiunta alla Z dei punti del\n"
             "file (predefinita 0)"},
    {.name = "--buffer",
     .values = 1,
     .shown = "B",
     .help = "i tratti di conduttore più lontani di B [m] da un punto non\n"
             "contano (predefinito 1000)"},
    {.name = kPrecision.name,
     .values = 1,
     .shown = "P",
     .help = "decimali di X, Y e Z: m 0 (predefinita), dm 1, cm 2, mm 3"},
    {.name = kPartOption,
     .values = 1,
     .shown = "K/N",
     .help = "solo la K-esima di N parti consecutive delle righe della\n"
             "griglia o dei punti del file; le N parti messe in fila\n"
             "danno il file intero"},
    {.name = kEstimateOption,
     .help = "stampa i punti, i tratti di conduttore entro il buffer, le\n"
             "valutazioni e il tempo previsti su questa macchina e termina\n"
             "senza scrivere USCITA"},
};
inline constexpr CommandRules kCampo{
    .name = "campo",
    .synopsis =
        "PROGETTO (--piano --origine X Y --passo SX SY --passi NX NY [--fi F] [--psi P] | "
        "--punti FILE [--passo-z DZ] [--passi-z NZ] [--massimo]) [--quota Q] [--buffer B] "
        "[--precisione m|dm|cm|mm] [--parte K/N] [--stima] USCITA",
    .about =
        "Calcola l'induzione magnetica B [uT] delle linee del PROGETTO nei punti di una\n"
        "griglia piana o di un file di punti, scrive il risultato per GIS USCITA\n"
        "(l'intestazione X Y Z B [uT], poi un punto per riga, che «risultato» converte)\n"
        "e stampa un riepilogo.\n",
    .options = kCampoOptions,
    .operands = 2};

inline constexpr OptionRule kMappaOptions[] = {
    {.name = "--progetto",
     .values = 1,
     .file = true,
     .shown = "P",
     .help = "il progetto del calcolo: i conduttori e i sostegni in pianta"},
    {.name = "--soglie",
     .values = 1,
     .shown = "S,...",
     .help = "le soglie [uT], positive e crescenti, al più 8 (predefinite\n"
             "3,10,100: obiettivo di qualità, valore di attenzione, limite\n"
             "di esposizione)"},
    {.name = "--epsg",
     .values = 1,
     .shown = "CODICE",
     .help = "il sistema di riferimento dei file GIS (3003, 3004 Monte\n"
             "Mario; 6707, 6708 RDN2008 / UTM; 32632, 32633 WGS 84 / UTM);\n"
             "senza, i file GIS non ne hanno e il comando avverte (stato 2)"},
    {.name = "--titolo", .values = 1, .shown = "T", .help = "il titolo della figura"},
    {.name = "--dpi",
     .values = 1,
     .shown = "D",
     .help = "la risoluzione del PNG (predefinita 300, da 30 a 600)"},
    {.name = "-o",
     .values = 1,
     .required = true,
     .file = true,
     .repeatable = true,
     .shown = "USCITA",
     .help = "un file da scrivere; si ripete per ogni file"},
};
inline constexpr CommandRules kMappa{
    .name = "mappa",
    .synopsis =
        "RISULTATO [--progetto PROGETTO] [--soglie S1,S2,…] [--epsg CODICE] [--titolo TESTO] "
        "[--dpi D] -o USCITA [-o USCITA …]",
    .about =
        "Disegna la mappa del campo del RISULTATO di «campo» (un file per GIS su una\n"
        "griglia piana, o sui punti di un file di base, anche con --massimo) e la scrive\n"
        "in ogni USCITA, del tipo che dice la sua estensione:\n"
        "  .png .svg .pdf  la figura per la relazione, su una pagina A4 orizzontale: B\n"
        "                  a colori, le linee di livello delle soglie, l'area oltre la\n"
        "                  prima soglia, gli assi in metri, la scala e il nord\n"
        "  .tif            GeoTIFF di B [uT], un pixel per punto\n"
        "  .gpkg           GeoPackage con gli strati «isolinee» (le linee delle soglie)\n"
        "                  e «fasce» (per ogni soglia l'area dove B la raggiunge)\n"
        "I file sono sostituiti solo quando sono stati scritti tutti.\n",
    .options = kMappaOptions,
    .operands = 1};

}  // namespace tralva::cli_text
