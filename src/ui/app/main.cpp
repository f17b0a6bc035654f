#include <cstdio>
#include <cstdlib>

#include "app/application.h"
#include "common/temporary_cleanup.h"

namespace {

bool has_display() {
  const auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

}  // namespace

int main(int argc, char** argv) {
  if (!has_display()) {
    std::fputs(
        "tralva: nessun display disponibile (DISPLAY e WAYLAND_DISPLAY non impostati); "
        "avviare Tralva da una sessione grafica.\n",
        stderr);
    return 1;
  }
  tralva::install_temporary_cleanup();
  tralva::Application application(argc, argv);
  return application.run();
}
