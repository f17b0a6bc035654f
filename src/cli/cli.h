#pragma once
// tralva-util, the batch companion of the desktop program: the same file
// operations, the same Italian messages.  Information goes to standard
// output; warnings and errors to standard error, prefixed "Attenzione: " and
// "Errore: ", an error that comes from the system with its cause on a last
// line ("Causa: spazio esaurito sul dispositivo.").

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "common/message.h"

namespace tralva::cli {

enum ExitStatus : int {
  kSuccess = 0,
  kError = 1,    // an error stopped the command
  kWarning = 2,  // a warning stopped the command
  kUsage = 64,   // bad usage; what is wrong and the usage go to standard error
};

struct Io {
  std::ostream& out;
  std::ostream& err;
  bool err_is_terminal = false;  // a progress line is drawn only on a terminal
};

using Arguments = std::vector<std::string>;

// Runs one command line (without the program name); returns the exit status.
int run(const Arguments& arguments, Io& io);

// Prints a message where it belongs and returns the status it stands for.
int report(const Message& message, Io& io);

// Bad usage: says what is wrong, as "Errore: manca l'opzione «--passo».",
// and returns its status; run() then adds the usage of that command and
// where its help is.  `what` is a whole sentence.
int usage_error(Io& io, std::string_view what);

}  // namespace tralva::cli
