#pragma once
// What a label, heading or button means where its text alone does not say
// it, shown as its tooltip.  Found by the form's class and the text; an
// entry without a form holds wherever the text stands.

#include <string_view>

namespace tralva::tooltip_text {

struct Tooltip {
  std::string_view form;  // the class name, "" for every form
  std::string_view text;  // the label's or button's own text
  const char* tooltip;
};

// The tooltip of `text` on the form of class `form`, or nullptr.
const char* tooltip_for(std::string_view form, std::string_view text);

inline constexpr Tooltip kTooltips[] = {
    // The data-entry dialogs.
    {"tralva::DataEntryDialog", "Corrente [A]", "Corrente efficace della linea, in ampere."},
    {"tralva::DataEntryDialog", "Segmento [m]",
     "Lunghezza dei tratti rettilinei in cui si divide la catenaria di ogni conduttore per il "
     "disegno e il calcolo."},
    {"tralva::DataEntryDialog", "Seleziona il file di dati",
     "Sceglie il file di dati da caricare; il file si legge con «Carica il file»."},
    {"tralva::DataEntryDialog", "Carica il file",
     "Legge il file scelto e ne mostra i valori nella maschera."},
    {"tralva::DataEntryDialog", "Salva il file di dati",
     "Sceglie il file in cui scrivere i dati; si scrive con «Scrivi il file»."},
    {"tralva::DataEntryDialog", "Scrivi il file",
     "Scrive i valori della maschera nel file scelto."},
    {"tralva::DataEntryDialog", "X [m]", "Coordinata X del sostegno, in metri."},
    {"tralva::DataEntryDialog", "Y [m]", "Coordinata Y del sostegno, in metri."},
    {"tralva::DataEntryDialog", "Quota [m]", "Quota del terreno al piede del sostegno, in metri."},
    {"tralva::DataEntryDialog", "Angolo [°]",
     "Direzione degli sbracci del traliccio, da 0° (incluso) a 180° (escluso) a partire "
     "dall'asse X verso l'asse Y. «Calcola gli angoli» la ricava dalle coordinate dei tralicci."},
    {"tralva::DataEntryDialog", "N° cavo", "Numero del conduttore."},
    {"tralva::DataEntryDialog", "Fase", "Fase del conduttore: R (0°), S (120°) o T (240°)."},
    {"tralva::DataEntryDialog", "Offset [°]",
     "Sfasamento in gradi che si somma all'angolo della fase del conduttore."},
    {"tralva::DataEntryDialog", "Altezza [m]",
     "Altezza del punto di sospensione del conduttore sopra la quota del terreno, in metri."},
    {"tralva::DataEntryDialog", "Sbraccio [m]",
     "Distanza del punto di sospensione dall'asse del sostegno lungo la direzione degli "
     "sbracci, in metri (negativa dall'altro lato)."},
    {"tralva::DataEntryDialog", "a [m]",
     "Costante di tesatura della catenaria (parametro a = tiro orizzontale / peso per metro), "
     "in metri."},
    {"tralva::DataEntryDialog", "Calcola gli angoli",
     "Calcola l'angolo degli sbracci di ogni traliccio dalle coordinate: perpendicolare alla "
     "campata agli estremi, sulla bisettrice delle due campate negli altri."},
    // The Start page.
    {"tralva::start", "Visualizza",
     "Apre la visualizzazione della configurazione dei conduttori di un file di dati."},
    {"tralva::start", "Inserisci / Modifica",
     "Apre la maschera di inserimento dati per il numero di campate, di conduttori e la "
     "tipologia scelti."},
    {"tralva::start", "Lancia le utilità",
     "Calcolo della costante di tesatura e degli angoli degli sbracci."},
    {"tralva::start", "Calcola la fascia",
     "Calcolo della fascia di rispetto secondo la Norma CEI 106-11."},
    // The two calculation pages.
    {"", "Precisione per X e Y",
     "Decimali delle coordinate X e Y nei file scritti: m nessuno, dm uno, cm due, mm tre."},
    {"", "Buffer [m]",
     "Distanza oltre la quale un tratto di conduttore non contribuisce al campo in un punto, "
     "in metri."},
    {"tralva::piano", "Quota [m]", "Quota del piano di calcolo, in metri."},
    {"tralva::orografico", "Quota [m]", "Altezza dei punti di calcolo sopra il terreno, in metri."},
    {"tralva::piano", "fi [°]", "Rotazione in pianta della griglia di calcolo, in gradi."},
    {"tralva::piano", "psi [°]",
     "Inclinazione del secondo asse della griglia sul piano orizzontale, in gradi (90: piano "
     "verticale)."},
    {"", "Passo Z [m]", "Distanza tra i livelli di calcolo sopra il terreno, in metri."},
    {"", "Passi lungo Z", "Numero di livelli di calcolo sopra il primo."},
    // The calculations these pages collect run in tralva-util.
    {"tralva::piano", "Esegui il calcolo",
     "Il calcolo non si esegue da questa pagina: ne raccoglie i parametri. Lo esegue il comando "
     "«tralva-util campo PROGETTO --piano --origine X Y --passo SX SY --passi NX NY … USCITA» "
     "(guida, paragrafo 7, «Il campo magnetico e la conversione del risultato»)."},
    {"tralva::orografico", "Esegui il calcolo",
     "Il calcolo non si esegue da questa pagina: ne raccoglie i parametri. Lo esegue il comando "
     "«tralva-util campo PROGETTO --punti OROGRAFIA --quota Q --passo-z DZ --passi-z NZ "
     "--massimo … USCITA» (guida, paragrafo 8, «Uno studio sul terreno»)."},
    {"tralva::interpolazione", "Esegui il calcolo",
     "Il calcolo non si esegue da questa pagina: ne raccoglie i parametri. Lo esegue il comando "
     "«tralva-util interpola BASE PUNTI_QUOTATI --alfa A --vicini N OROGRAFIA» (guida, "
     "paragrafo 8, «Uno studio sul terreno»)."},
    // Interpolazione.
    {"tralva::interpolazione", "Passo [m]",
     "Distanza tra due punti vicini della griglia, la stessa lungo X e lungo Y, in metri."},
    {"tralva::interpolazione", "Precisione X e Y",
     "Decimali delle coordinate X e Y nei file scritti: m nessuno, dm uno, cm due, mm tre."},
    {"tralva::interpolazione", "Salva il file di base",
     "Sceglie il file della griglia; si scrive con «Crea il file di base»."},
    {"tralva::interpolazione", "Crea il file di base",
     "Scrive la griglia di punti con quota 0, X esterno e Y interno, una riga per punto."},
    {"tralva::interpolazione", "Alfa",
     "Parametro dell'interpolazione delle quote, che questa pagina raccoglie soltanto."},
    {"tralva::interpolazione", "Punti",
     "Parametro dell'interpolazione delle quote; le frecce lo cambiano di uno, mai sotto 1."},
    // Utilità.
    {"tralva::utilita", "fi [°]",
     "Rotazione in pianta della griglia del risultato: decide quale coordinata dà le colonne."},
    {"tralva::utilita", "psi [°]",
     "Inclinazione della griglia del risultato: con 0 o 180 il piano è orizzontale, altrimenti "
     "le righe sono le quote."},
    {"tralva::utilita", "Apri il file per GIS",
     "Sceglie il file dei risultati: una riga per punto con X, Y, Z e il valore del campo."},
    {"tralva::utilita", "Apri il file con l'orografia",
     "Sceglie la matrice delle quote: X nella prima riga, Y nella prima colonna."},
    {"tralva::utilita", "Apri il file \"Padre\"",
     "Il file di dati a cui si aggiungono le linee del «Figlio»; viene riscritto."},
    {"tralva::utilita", "Apri il file \"Figlio\"",
     "Il file di dati le cui linee si aggiungono al «Padre»; non viene modificato."},
    {"tralva::utilita", "Unisci",
     "Aggiunge le linee del file «Figlio» a quelle del file «Padre» e riscrive il «Padre»."},
    // The configuration viewer.
    {"tralva::paletta", "Visualizza",
     "Disegna i conduttori e i sostegni del progetto nella proiezione scelta, entro gli estremi "
     "dati."},
    {"tralva::paletta", "Adatta",
     "Porta gli estremi a tutto ciò che si disegna del progetto, con un margine del 5%, e "
     "disegna."},
    {"tralva::paletta", "Proiezione di visualizzazione",
     "XY: pianta; YZ e XZ: prospetti, con la quota in verticale."},
    // The engineering dialogs: their results are not computed by the program.
    {"tralva::fascia", "Calcola la fascia",
     "Il calcolo della fascia non si esegue da questa finestra: ne raccoglie i dati."},
    {"tralva::geometria", "Calcola la tesatura",
     "Il calcolo della costante di tesatura non si esegue da questa finestra: ne raccoglie i "
     "dati."},
    {"tralva::geometria", "Calcola l'angolo",
     "Il calcolo dell'angolo non si esegue da questa finestra: ne raccoglie i dati."},
};

}  // namespace tralva::tooltip_text
