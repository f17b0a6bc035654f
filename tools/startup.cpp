// Start-up probe: builds the application and the main window as the program
// does, shows it, waits until the window is exposed and the first page
// painted, then prints the time since the process started and exits.
// Measure the whole process with: hyperfine 'build/default/tools/tralva-startup'

#include <unistd.h>

#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "app/application.h"
#include "app/main_dialog.h"
#include "app/start_page_dialogs.h"

namespace {

// Wall time since the process started, from its start time in /proc.
double seconds_since_process_start() {
  timespec now{};
  clock_gettime(CLOCK_BOOTTIME, &now);
  std::FILE* stat = std::fopen("/proc/self/stat", "r");
  if (stat == nullptr) return -1;
  char buffer[1024];
  const std::size_t length = std::fread(buffer, 1, sizeof buffer - 1, stat);
  std::fclose(stat);
  buffer[length] = '\0';
  // Field 22 (starttime, in clock ticks) counts from the closing parenthesis.
  const char* p = std::strrchr(buffer, ')');
  if (p == nullptr) return -1;
  int field = 2;
  while (*p != '\0' && field < 22) {
    if (*p == ' ') ++field;
    ++p;
  }
  const double start = std::strtod(p, nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK));
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9 - start;
}

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer in_main;
  in_main.start();
  tralva::Application application(argc, argv);
  tralva::DesktopSeams seams;
  tralva::MainDialog window(seams.context(),
                            std::make_unique<tralva::StartPageDialogs>(seams.context()));
  window.show();
  QTimer::singleShot(0, &window, [&] {
    window.repaint();
    std::printf("window shown after %.1f ms in main, %.1f ms since process start\n",
                static_cast<double>(in_main.nsecsElapsed()) / 1e6,
                seconds_since_process_start() * 1e3);
    window.close();
  });
  return application.exec();
}
