#include "common/temporary_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace tralva {
namespace {

// Fixed storage that a handler may read at any moment: a slot's path changes
// only while the slot is inactive, and its state counts every change (odd
// while active), so a handler that sees the same odd state before and after
// copying the path has copied a whole one.  The owner's process id keeps a
// forked child, which inherits the table, from removing its parent's files.
struct Slot {
  std::atomic<bool> taken{false};
  std::atomic<std::uint64_t> state{0};
  std::atomic<pid_t> owner{0};
  char path[PATH_MAX]{};
};
constexpr int kSlots = 16;
constinit Slot slots[kSlots];

// Async-signal-safe.
void remove_registered_files() {
  const int saved = errno;
  const pid_t self = getpid();
  for (Slot& slot : slots) {
    const std::uint64_t before = slot.state.load();
    if ((before & 1) == 0 || slot.owner.load() != self) continue;
    char path[PATH_MAX];
    std::memcpy(path, slot.path, sizeof path);
    if (slot.state.load() != before) continue;
    path[sizeof path - 1] = '\0';
    (void)::unlink(path);
  }
  errno = saved;
}

void on_stop_signal(int signal) {
  remove_registered_files();
  // Then the signal's own end of the process, as if this handler were not
  // there: it is delivered again once the handler returns.
  struct sigaction default_action {};
  default_action.sa_handler = SIG_DFL;
  sigemptyset(&default_action.sa_mask);
  (void)sigaction(signal, &default_action, nullptr);
  (void)raise(signal);
}

}  // namespace

void install_temporary_cleanup() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
      struct sigaction current {};
      if (sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
          current.sa_handler != SIG_DFL) {
        continue;
      }
      struct sigaction ours {};
      ours.sa_handler = on_stop_signal;
      sigemptyset(&ours.sa_mask);
      (void)sigaction(signal, &ours, nullptr);
    }
    // The desktop program's "Esci da Tralva" ends it with exit().
    (void)std::atexit(remove_registered_files);
  });
}

int register_temporary(const std::string& path) {
  if (path.size() >= sizeof(Slot::path)) return -1;
  for (int i = 0; i < kSlots; ++i) {
    Slot& slot = slots[i];
    bool taken = false;
    if (!slot.taken.compare_exchange_strong(taken, true)) continue;
    std::memcpy(slot.path, path.c_str(), path.size() + 1);
    slot.owner.store(getpid());
    slot.state.fetch_add(1);
    return i;
  }
  return -1;
}

void unregister_temporary(int slot) {
  if (slot < 0) return;
  slots[slot].state.fetch_add(1);
  slots[slot].taken.store(false);
}

}  // namespace tralva
