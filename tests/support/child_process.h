#pragma once
// A command stopped in the middle of its work: it runs in a child process,
// which calls `ready` at the point to stop it and waits there; the parent
// then sends it a signal.  Bounded: a child that never gets ready is killed
// after ten seconds.

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>

namespace tralva::test {

class PausedChild {
 public:
  using Ready = std::function<void()>;

  template <class Work>
  explicit PausedChild(Work work) {
    int ends[2];
    if (pipe(ends) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      ::close(ends[0]);
      const int to_parent = ends[1];
      work(Ready([to_parent] {
        const char ready = 1;
        (void)::write(to_parent, &ready, 1);
        for (;;) pause();
      }));
      std::_Exit(0);  // finished without getting ready
    }
    ::close(ends[1]);
    from_child_ = ends[0];
  }
  ~PausedChild() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (from_child_ >= 0) ::close(from_child_);
  }
  PausedChild(const PausedChild&) = delete;
  PausedChild& operator=(const PausedChild&) = delete;

  // Once the child is ready, sends it `signal` and returns how it ended
  // (a wait status); -1 if it never got ready.
  int stop_with(int signal) {
    pollfd from{from_child_, POLLIN, 0};
    char ready = 0;
    const bool got_ready = poll(&from, 1, 10000) == 1 && ::read(from_child_, &ready, 1) == 1;
    kill(pid_, got_ready ? signal : SIGKILL);
    // A child that outlives the signal is killed after five seconds.
    int status = 0;
    for (int tenths = 0; waitpid(pid_, &status, WNOHANG) == 0; ++tenths) {
      if (tenths == 50) kill(pid_, SIGKILL);
      usleep(100000);
    }
    pid_ = -1;
    return got_ready ? status : -1;
  }

 private:
  pid_t pid_ = -1;
  int from_child_ = -1;
};

// False, with the reason, when this process ignores `signal`: a child would
// then ignore it too (a test run in the background ignores SIGINT).
inline bool delivered(int signal, std::string& reason) {
  struct sigaction action {};
  sigaction(signal, nullptr, &action);
  if (action.sa_handler != SIG_IGN) return true;
  reason = std::string(strsignal(signal)) + " is ignored by this test process";
  return false;
}

// True when a wait status says the process ended by `signal`.
inline bool ended_by(int status, int signal) {
  return status != -1 && WIFSIGNALED(status) && WTERMSIG(status) == signal;
}

}  // namespace tralva::test
