#pragma once
// The texts of the line project file commands, exactly as the user sees them.

namespace tralva::project_text {

inline constexpr const char* kSaveWithoutPath =
    "Per salvare i dati è necessario specificare\npercorso e nome del file che li contiene.";
inline constexpr const char* kCannotCreate =
    "Impossibile creare il file di dati. Verificare:\n\na) che il file specificato disponga del "
    "permesso di scrittura;\nb) che esista la directory specificata;\nc) che il file non sia in "
    "corso di elaborazione con un\n    altro programma.\n";
inline constexpr const char* kLoadWithoutPath =
    "Per caricare i dati è necessario specificare\npercorso e nome del file che li contiene.";
inline constexpr const char* kCannotOpen =
    "Impossibile aprire il file di dati.\nVerificare che si trovi nella posizione specificata.";
inline constexpr const char* kNotSingleLine =
    "Il file di dati non è nel formato compatibile.\nVerificare che contenga dati relativi ad "
    "una sola linea.";
inline constexpr const char* kKindWarningStart =
    "Controllate la lunghezza del segmento\n(ultimo numero della prima riga di dati nel "
    "file).\nIl file verrà caricato comunque, ma è possibile\nche rappresenti una linea ";
inline constexpr const char* kUnderground = "interrata.";
inline constexpr const char* kOverhead = "aerea.";
inline constexpr const char* kMismatchStart =
    "Il file di dati non è nel formato compatibile\ncon questa maschera di inserimento "
    "dati.\nContiene dati relativi a ";
inline constexpr const char* kUnacceptableSize =
    "Il file di dati non è in uno dei formati accettabili.\nVerificare il numero di tralicci e "
    "di conduttori.";
inline constexpr const char* kCoincidentSupports =
    "Due tralicci non possono avere le stesse coordinate.";
// A file that ends early, or holds something other than a number where a
// value belongs, is refused instead of being loaded in part.
inline constexpr const char* kIncomplete =
    "Il file di dati è incompleto o contiene valori non validi.\nVerificare il contenuto del "
    "file.";

}  // namespace tralva::project_text
