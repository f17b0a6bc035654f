#pragma once
// What the benchmark drivers that time whole commands share: a run in a
// child process of its own, with its wall-clock time and peak memory, and
// the median of several.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace tralva::bench {

inline double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Runs `work` in a child process: its wall-clock time and peak memory (KiB,
// its own processes included).  A run that fails ends the benchmark.
template <class Work>
std::pair<double, long> in_child(const Work& work) {
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) _exit(work() ? 0 : 1);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  const double elapsed = seconds_since(start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "the run failed\n");
    std::exit(1);
  }
  return {elapsed, usage.ru_maxrss};
}

inline double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace tralva::bench
