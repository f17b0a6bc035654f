#pragma once
// What the estimates of the long calculations (--stima) share: the sample,
// runs of neighbouring points spread evenly over the part; the calibration,
// the sample computed again and again for a moment; and the lines that open
// and close what they print.

#include <chrono>
#include <cstdint>
#include <string>

namespace tralva {

// `runs` runs of `run` neighbouring points out of `points`, the first at the
// start and the last at the end; a single run of all of them when they are
// no more than the runs would hold.
struct SamplePlan {
  SamplePlan(std::int64_t count, std::int64_t most_runs, std::int64_t run_length)
      : points(count),
        runs(count <= most_runs * run_length ? 1 : most_runs),
        run(runs == 1 ? count : run_length) {}
  // The first point of run `r`.
  std::int64_t begin(std::int64_t r) const {
    return runs == 1 ? 0 : r * (points - run) / (runs - 1);
  }

  std::int64_t points;
  std::int64_t runs;
  std::int64_t run;
};

// The seconds a round of `work` takes, from as many rounds as `at_least`
// seconds hold (one at the least).
template <class Work>
double seconds_per_round(double at_least, const Work& work) {
  const auto started = std::chrono::steady_clock::now();
  double elapsed = 0;
  std::int64_t rounds = 0;
  while (elapsed < at_least) {
    work();
    ++rounds;
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  }
  return elapsed / static_cast<double>(rounds);
}

// "Stima del calcolo (nessun file scritto)", then "Punti: " and `points`.
std::string estimate_heading(std::int64_t points);
// "Tempo previsto su questa macchina (2 core): 0 h 1 m 5 s"
std::string estimated_time_text(double seconds, int threads);

}  // namespace tralva
