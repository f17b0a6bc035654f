#pragma once
// Runs a tralva-util command line in the test process and keeps what it
// printed and the status it ended with.

#include <sstream>
#include <string>

#include "cli.h"

namespace tralva::cli {

struct Outcome {
  int status;
  std::string out, err;
};

inline Outcome tralva_util(const Arguments& arguments, bool terminal = false) {
  std::ostringstream out, err;
  Io io{out, err, terminal};
  const int status = run(arguments, io);
  return {status, out.str(), err.str()};
}

}  // namespace tralva::cli
