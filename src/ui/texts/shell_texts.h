#pragma once
// The texts of the main window and of the pages "Start", "Calcolo piano",
// "Calcolo orografico" and "Licenza", exactly as the program shows them.

#include "common/version.h"

namespace tralva::shell_text {

// The command line, `tralva [FILE.tlva]`: what is said on the standard error
// when it names no file to open; %1 is the argument or the count.
inline constexpr char kUsage[] = "Uso: tralva [FILE.tlva]";
inline constexpr char kNoSuchFile[] =
    "tralva: il file «%1» non esiste; Tralva si avvia senza file.";
inline constexpr char kNotAFile[] = "tralva: «%1» non è un file; Tralva si avvia senza file.";
inline constexpr char kUnknownOption[] =
    "tralva: opzione sconosciuta «%1»; Tralva si avvia senza file.";
inline constexpr char kOneFileOnly[] =
    "tralva: si apre un solo file alla volta (ne sono stati indicati %1); Tralva si avvia "
    "senza file.";

// Main window and tabs.
inline constexpr char kMainTitle[] = "Tralva " TRALVA_VERSION;
inline constexpr char kExit[] = "Esci da Tralva";
inline constexpr char kTabStart[] = "Start";
inline constexpr char kTabPiano[] = "Calcolo piano";
inline constexpr char kTabOrografico[] = "Calcolo orografico";
inline constexpr char kTabInterpolazione[] = "Interpolazione";
inline constexpr char kTabUtilita[] = "Utilità";
inline constexpr char kTabLicenza[] = "Licenza";

// Start.
inline constexpr char kDataEntryGroup[] = "Inserimento dati";
inline constexpr char kDataEntryText[] =
    "Schermata per l'inserimento dei dati elettrici e geometrici, e per la modifica dei "
    "progetti esistenti.";
inline constexpr char kSpans[] = "Numero di campate";
inline constexpr char kConductors[] = "Numero di conduttori";
inline constexpr char kLineKind[] = "Tipologia della linea";
inline constexpr char kView[] = "Visualizza";
inline constexpr char kInsertEdit[] = "Inserisci / Modifica";
inline constexpr char kGeometryGroup[] = "Parametri geometrici";
inline constexpr char kGeometryText[] =
    "Utilità per il calcolo della costante di tesatura e degli angoli formati dagli "
    "sbracci dei tralicci con il sistema di riferimento.";
inline constexpr char kLaunchTools[] = "Lancia le utilità";
inline constexpr char kBandGroup[] = "Calcolo delle fasce di rispetto";
inline constexpr char kBandText[] =
    "Utilità per il calcolo delle fasce di rispetto per linee aeree e in cavo secondo la "
    "Norma CEI 106-11 in vigore dal 01-04-2006.";
inline constexpr char kComputeBand[] = "Calcola la fascia";
inline constexpr char kProductGroup[] = "Tralva " TRALVA_VERSION;
inline constexpr const char* kProductLines[] = {
    "Tralva versione " TRALVA_VERSION,
    "Studio del campo magnetico",
    "Linee aeree e in cavo",
    "Progetti nei file .tlva",
};
inline constexpr const char* kSpanItems[] = {"1", "2", "3", "4", "5"};
inline constexpr const char* kConductorItems[] = {"1", "3", "6"};
inline constexpr const char* kLineKindItems[] = {"Aerea", "Interrata"};

// Calcolo piano and Calcolo orografico.
inline constexpr char kPlaneGroup[] = "Esecuzione del calcolo non orografico";
inline constexpr char kTerrainGroup[] = "Esecuzione del calcolo orografico";
inline constexpr char kPrecision[] = "Precisione per X e Y";
inline constexpr char kOriginX[] = "Origine X";
inline constexpr char kOriginY[] = "Origine Y";
inline constexpr char kStepX[] = "Passo X [m]";
inline constexpr char kStepY[] = "Passo Y [m]";
inline constexpr char kStepsX[] = "Passi lungo X";
inline constexpr char kStepsY[] = "Passi lungo Y";
inline constexpr char kFi[] = "fi [°]";
inline constexpr char kPsi[] = "psi [°]";
inline constexpr char kLevel[] = "Quota [m]";
inline constexpr char kBuffer[] = "Buffer [m]";
inline constexpr char kStepZ[] = "Passo Z [m]";
inline constexpr char kStepsZ[] = "Passi lungo Z";
inline constexpr char kProjectMaximum[] = "Proietta il valore massimo";
inline constexpr char kOpenData[] = "Apri il file di dati";
inline constexpr char kOpenTerrain[] = "Apri l'orografia";
inline constexpr char kSaveResult[] = "Salva il risultato";
inline constexpr char kRun[] = "Esegui il calcolo";

// Pictures, as screen readers describe them.
inline constexpr char kPylonPicture[] = "Traliccio con i suoi conduttori";
inline constexpr char kSpanPicture[] = "Grandezze geometriche di una campata";
inline constexpr char kBandPicture[] = "Fascia di rispetto lungo il tracciato di una linea";
inline constexpr char kWiresPicture[] = "Conduttori aerei su un sostegno";
inline constexpr char kContourPicture[] = "Curve di livello con le fasce di campo";
inline constexpr char kApplicationIcon[] = "Icona di Tralva";

// Licenza.
inline constexpr char kLicenceGroup[] = "Contratto di licenza";
inline constexpr char kLicenceText[] =
    R"(<h3>Contratto di licenza d'uso di Tralva )" TRALVA_VERSION R"(</h3>
<p>Il presente contratto regola l'uso del programma Tralva )" TRALVA_VERSION
    R"( e dei documenti che lo
accompagnano (di seguito "il programma"). Installando o usando il programma l'utente
dichiara di aver letto il contratto e di accettarne le condizioni.</p>
<h3>Termini del contratto di licenza</h3>
<p>1. Il programma è concesso in licenza, non venduto. L'utente può installarlo e usarlo
per studi e progetti propri o della propria organizzazione.</p>
<p>2. L'utente può fare le copie necessarie all'uso e alla conservazione di sicurezza,
riportando su ciascuna copia il presente contratto.</p>
<p>3. Non è consentito modificare, decompilare o distribuire il programma a terzi, in tutto
o in parte, senza il consenso scritto dei titolari dei diritti.</p>
<p>4. I file di dati, le griglie e i risultati prodotti con il programma appartengono
all'utente, che ne dispone liberamente.</p>
<h3>Esonero di responsabilità</h3>
<p>Il programma è fornito "così com'è", senza garanzie di alcun tipo, esplicite o
implicite. I valori calcolati sono un ausilio allo studio e non sostituiscono la verifica
di un tecnico abilitato né le misure previste dalla normativa in vigore.</p>
<p>In nessun caso i titolari dei diritti rispondono di danni diretti o indiretti, perdite
di dati o di profitto derivanti dall'uso o dall'impossibilità di usare il programma.</p>
<h3>Durata</h3>
<p>La licenza vale finché l'utente ne rispetta le condizioni. In caso di violazione cessa
senza preavviso e l'utente deve rimuovere ogni copia del programma.</p>
<h3>Legge applicabile</h3>
<p>Il contratto è regolato dalla legge italiana.</p>)";

}  // namespace tralva::shell_text
