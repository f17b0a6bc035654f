#include <unistd.h>

#include <iostream>

#include "cli.h"
#include "common/temporary_cleanup.h"

int main(int argc, char** argv) {
  tralva::install_temporary_cleanup();
  std::ios::sync_with_stdio(false);
  tralva::cli::Io io{std::cout, std::cerr, isatty(STDERR_FILENO) == 1};
  const tralva::cli::Arguments arguments(argv + 1, argv + argc);
  const int status = tralva::cli::run(arguments, io);
  std::cout.flush();
  return status;
}
