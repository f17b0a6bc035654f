#include "common/system_cause.h"

#include <cerrno>

namespace tralva {

std::string system_cause_text(int error) {
  switch (error) {
    case ENOSPC:
      return "spazio esaurito sul dispositivo";
    case EDQUOT:
      return "quota del disco superata";
    case EFBIG:
      return "file troppo grande";
    case EACCES:
      return "permesso negato";
    case EPERM:
      return "operazione non permessa";
    case EROFS:
      return "file system in sola lettura";
    case ENOENT:
      return "file o directory inesistente";
    case ENOTDIR:
      return "un elemento del percorso non è una directory";
    case EISDIR:
      return "il percorso indica una directory";
    case ENAMETOOLONG:
      return "nome del file troppo lungo";
    case ELOOP:
      return "troppi livelli di collegamenti simbolici";
    case EMFILE:
    case ENFILE:
      return "troppi file aperti";
    case ENOMEM:
      return "memoria insufficiente";
    case EIO:
      return "errore di input/output";
    case ETXTBSY:
      return "il file è un programma in esecuzione";
    case EBUSY:
      return "dispositivo o risorsa occupati";
    default:
      break;
  }
  return "errore di sistema " + std::to_string(error);
}

}  // namespace tralva
