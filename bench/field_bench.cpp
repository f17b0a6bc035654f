// The field calculation on its reference case: a double-circuit line of 6
// conductors over 5 spans of 400 m sampled every metre (12 000 segments) and
// a 500 x 500 grid.  Times `campo` end to end (the sums, the writing, the
// summary) on every core and on one, the vector sums alone on each
// instruction set, and the plain scalar loop of the same model, on the same
// points; checks that the two agree to 1e-9 relative and prints segment-point
// evaluations per second of wall-clock and of CPU time, with the ratios.
// Then the field over a point file of the grid's points at five heights
// (--passi-z 4) against five plane grids at the same heights.
//
//   field_bench [--folder DIR] [--runs R] [--plain-rows N] [--buffer B] [--sums-only 1]

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "common/format.h"
#include "common/temporary_cleanup.h"
#include "field/field_calculation.h"
#include "field/flux_density.h"
#include "plain_field.h"
#include "project/project_file.h"

namespace {

using namespace tralva;

struct Options {
  std::string folder = "build/bench-data";
  int runs = 5;
  int plain_rows = 10;
  double buffer = 10'000;  // every segment counts at every point: evaluations are all real
  bool sums_only = false;  // without the runs of campo
};

constexpr int kGridSide = 500;

std::string project_text() {
  std::string row[6];
  row[0] = "1000 6 6 1";
  for (int k = 0; k < 6; ++k) row[1] += std::to_string(120 * (k % 3)) + " 0 ";
  for (int p = 0; p < 6; ++p) {
    row[2] += fixed_text(400.0 * p, 3) + " " + fixed_text(p % 2 ? 15.0 : 0.0, 3) + " " +
              general_text(p % 3) + " 90 ";
  }
  for (int k = 0; k < 6; ++k) {
    for (int p = 0; p < 6; ++p) {
      row[3] += general_text(25 + 5 * (k % 3)) + " ";
      row[4] += general_text(k < 3 ? -4.5 : 4.5) + " ";
    }
    for (int s = 0; s < 5; ++s) row[5] += "1200 ";
  }
  std::string text(project_header());
  for (const std::string& r : row) text += r + "\r\n";
  return text;
}

struct Times {
  double wall = 0;
  double cpu = 0;
};

double cpu_seconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

template <class Work>
Times timed(Work work) {
  const double cpu = cpu_seconds();
  const auto start = std::chrono::steady_clock::now();
  work();
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  return {wall.count(), cpu_seconds() - cpu};
}

Times median(std::vector<Times> times) {
  const auto middle = [](std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
  };
  std::vector<double> wall, cpu;
  for (const Times& t : times) {
    wall.push_back(t.wall);
    cpu.push_back(t.cpu);
  }
  return {middle(wall), middle(cpu)};
}

// Prints the median and returns its evaluations per second of wall-clock time.
double report(const char* what, const std::vector<Times>& runs, double evaluations) {
  const Times m = median(runs);
  std::printf("%-34s median of %zu: %7.3f s wall, %7.3f s CPU  %.3g eval/s wall, %.3g eval/s CPU\n",
              what, runs.size(), m.wall, m.cpu, evaluations / m.wall, evaluations / m.cpu);
  return evaluations / m.wall;
}

class NoProgress final : public ProgressSink {
  void set_range(int, int) override {}
  void set_position(int) override {}
  void set_remaining(RemainingTime) override {}
  void refresh() override {}
};

void compute(const FieldRequest& request) {
  NoProgress sink;
  SystemClock clock;
  if (!std::holds_alternative<FieldSummary>(compute_field(request, sink, clock))) {
    std::fprintf(stderr, "campo failed\n");
    std::exit(1);
  }
}

// The grid's points written as a point file at Z 0, then `campo --punti`
// at the heights 1 to 5 m above them against the five plane grids at those
// heights, run after run, and the ratio of their medians.
void heights_against_grids(FieldRequest request, const Options& options, double evaluations) {
  const PlaneGrid grid = *request.plane;
  const PlaneGridPoints grid_points(grid, 0);
  const std::string point_file = options.folder + "/field-points.txt";
  {
    std::string text = "X\tY\tZ\r\n";
    for (std::int64_t j = 0; j <= grid.steps_y; ++j) {
      for (std::int64_t i = 0; i <= grid.steps_x; ++i) {
        const Point3 p = grid_points.point(i, j);
        text += fixed_text(p.x, 3) + "\t" + fixed_text(p.y, 3) + "\t0\r\n";
      }
    }
    std::FILE* f = std::fopen(point_file.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  FieldRequest heights = request;
  heights.plane.reset();
  heights.points_path = point_file;
  heights.level = 1;
  heights.step_z = 1;
  heights.steps_z = 4;
  std::vector<Times> over_points, over_grids;
  for (int r = 0; r < options.runs; ++r) {
    over_points.push_back(timed([&] { compute(heights); }));
    over_grids.push_back(timed([&] {
      for (int level = 1; level <= 5; ++level) {
        request.level = static_cast<float>(level);
        compute(request);
      }
    }));
  }
  std::printf("\nFive heights 1 to 5 m over the same points, %d thread(s):\n", request.threads);
  report("campo --punti --passi-z 4", over_points, 5 * evaluations);
  report("five plane grids", over_grids, 5 * evaluations);
  const Times points = median(over_points), grids = median(over_grids);
  std::printf(
      "The heights over the point file cost %.3f x the five plane grids wall-clock, "
      "%.3f x in CPU time\n",
      points.wall / grids.wall, points.cpu / grids.cpu);
  std::filesystem::remove(point_file);
}

std::vector<double> vector_field(const ConductorSegments& segments,
                                 const std::vector<Point3>& points, double buffer,
                                 InstructionSet set) {
  const FluxDensity flux(segments, buffer, set);
  return flux.evaluate_all(points);
}

int run(const Options& options) {
  std::filesystem::create_directories(options.folder);
  const std::string project = options.folder + "/field-line.tlva";
  const std::string result = options.folder + "/field-result.txt";
  {
    std::FILE* f = std::fopen(project.c_str(), "wb");
    const std::string text = project_text();
    std::fwrite(text.data(), 1, text.size(), f);
    std::fclose(f);
  }
  const auto geometry = std::get<ConfigurationGeometry>(build_configuration(project));
  const auto segments = std::get<ConductorSegments>(lay_out_conductors(geometry));

  PlaneGrid grid;  // 500 m x 500 m around the middle of the line, 1 m steps
  grid.origin_x = 750;
  grid.origin_y = -250;
  grid.steps_x = kGridSide - 1;
  grid.steps_y = kGridSide - 1;
  const PlaneGridPoints grid_points(grid, 1);
  const double points = double{kGridSide} * kGridSide;
  const double evaluations = points * static_cast<double>(segments.segment_count);
  std::printf(
      "Case: 6 conductors, 5 spans of 400 m sampled every metre: %lld segments; grid %d x %d"
      " = %.0f points; %.3g segment-point evaluations (buffer %g m)\n",
      static_cast<long long>(segments.segment_count), kGridSide, kGridSide, points, evaluations,
      options.buffer);
  const auto sets = supported_instruction_sets();
  std::printf("Cores available: %d; vector sums on %s\n\n", available_cores(),
              instruction_set_name(sets.back()));

  FieldRequest request;
  request.data_path = project;
  request.plane = grid;
  request.level = 1;
  request.buffer = static_cast<float>(options.buffer);
  request.result_path = result;
  std::vector<std::pair<std::string, double>> rates;
  for (const int threads : {available_cores(), 1}) {
    if (options.sums_only) break;
    request.threads = threads;
    std::vector<Times> runs;
    for (int r = 0; r < options.runs; ++r) runs.push_back(timed([&] { compute(request); }));
    const std::string what = "campo, " + std::to_string(threads) + " thread(s)";
    rates.emplace_back(what, report(what.c_str(), runs, evaluations));
    // What --stima would have said beforehand.
    const auto estimate = std::get<FieldEstimate>(estimate_field(request));
    std::printf("  --stima: %.3f s for %.3g evaluations; measured %.3f s: %.2f x\n",
                estimate.seconds, estimate.evaluations, median(runs).wall,
                estimate.seconds / median(runs).wall);
  }
  if (!options.sums_only) {
    request.threads = available_cores();
    heights_against_grids(request, options, evaluations);
  }

  // The first rows of the grid, for the sums alone and the plain loop.
  std::vector<Point3> rows;
  for (int j = 0; j < options.plain_rows; ++j) {
    for (int i = 0; i < kGridSide; ++i) rows.push_back(grid_points.point(i, j));
  }
  const double row_evaluations =
      static_cast<double>(rows.size()) * static_cast<double>(segments.segment_count);
  std::printf("\nThe first %d rows (%zu points), one thread:\n", options.plain_rows, rows.size());
  std::vector<double> fast;
  for (const InstructionSet set : sets) {
    std::vector<Times> runs;
    for (int r = 0; r < options.runs; ++r) {
      runs.push_back(timed([&] { fast = vector_field(segments, rows, options.buffer, set); }));
    }
    const std::string what = std::string("vector sums, ") + instruction_set_name(set);
    rates.emplace_back(what, report(what.c_str(), runs, row_evaluations));
  }
  std::vector<double> plain;
  std::vector<Times> plain_runs;
  for (int r = 0; r < std::max(1, options.runs / 2); ++r) {
    plain_runs.push_back(timed([&] { plain = plain::field(geometry, rows, options.buffer); }));
  }
  const double plain_rate = report("plain scalar loop", plain_runs, row_evaluations);
  std::printf("\nAgainst the plain scalar loop (wall-clock rates):\n");
  for (const auto& [what, rate] : rates)
    std::printf("  %-32s %6.1f x\n", what.c_str(), rate / plain_rate);

  double worst = 0;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    worst = std::max(worst, std::abs(fast[i] - plain[i]) / plain[i]);
  }
  std::printf("\nLargest relative difference, vector sums vs plain loop: %.3g (%s)\n", worst,
              worst <= 1e-9 ? "within 1e-9" : "BEYOND 1e-9");
  std::filesystem::remove(result);
  return worst <= 1e-9 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  tralva::install_temporary_cleanup();
  Options options;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--folder") {
      options.folder = value;
    } else if (name == "--runs") {
      options.runs = std::max(1, std::atoi(value));
    } else if (name == "--plain-rows") {
      options.plain_rows = std::max(1, std::atoi(value));
    } else if (name == "--buffer") {
      options.buffer = std::atof(value);
    } else if (name == "--sums-only") {
      options.sums_only = std::atoi(value) != 0;
    } else {
      std::fprintf(stderr,
                   "field_bench [--folder DIR] [--runs R] [--plain-rows N] [--buffer B] "
                   "[--sums-only 1]\n");
      return 64;
    }
  }
  return run(options);
}
