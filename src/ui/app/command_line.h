#pragma once
// The program's command line, `tralva [FILE.tlva]`.  A project file named
// there is made ready where the forms ask for a file to read; nothing is read
// until the user asks.  Anything else is reported on the standard error and
// the program starts as it does without arguments.

#include <QStringList>
#include <optional>
#include <string>

namespace tralva {

struct CommandLine {
  std::optional<std::string> project_path;  // absolute
  // What to tell the user, with the usage line; empty when all is well.
  std::string notice;
};

// `arguments` without the program's name, as the toolkit leaves them once it
// has taken its own options (-platform, -style ...).
CommandLine read_command_line(const QStringList& arguments);

}  // namespace tralva
