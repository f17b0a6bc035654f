// The terrain from spot heights against GDAL's gdal_grid on the same data:
// spot heights uniform at random over a square base grid, heights between 80
// and 160 m.  Times `interpola` end to end (reading, every core, writing) in
// a child process, with its peak memory, then gdal_grid -a invdistnn with
// the same power and count and a search radius that surely holds them, over
// cells centred on the base points; compares the file written (two
// decimals) and the unrounded heights of the core with GDAL's.
//
//   terrain_bench [--folder DIR] [--spot-heights M] [--side S] [--alpha A]
//                 [--neighbours N] [--radius R] [--runs K] [--skip-gdal 1]
//
// The defaults are the reference case: 10^5 spot heights, a 2000 x 2000 grid
// of step 1 m (4 004 001 points), A = 2, N = 8, radius 25 m.

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "child_run.h"
#include "common/format.h"
#include "common/progress.h"
#include "common/temporary_cleanup.h"
#include "convert/base_grid.h"
#include "terrain/inverse_distance.h"
#include "terrain/terrain_interpolation.h"

namespace {

using namespace tralva;
using bench::in_child;
using bench::median;
using bench::seconds_since;

struct Options {
  std::string folder = "build/bench-data";
  int spot_heights = 100'000;
  int side = 2000;
  float alpha = 2;
  int neighbours = 8;
  double radius = 25;
  int runs = 3;
  bool skip_gdal = false;
};

std::string survey_file(const Options& o, std::vector<SpotHeight>& survey) {
  std::mt19937_64 random(20261210);
  std::uniform_real_distribution<double> plan(0, o.side);
  std::uniform_real_distribution<double> height(80, 160);
  const std::string path = o.folder + "/punti-quotati.csv";
  std::FILE* f = std::fopen(path.c_str(), "w");
  std::fprintf(f, "X,Y,Z\n");
  survey.clear();
  for (int i = 0; i < o.spot_heights; ++i) {
    // Written with three decimals and read back as the file holds them.
    const std::string x = fixed_text(plan(random), 3);
    const std::string y = fixed_text(plan(random), 3);
    const std::string z = fixed_text(height(random), 3);
    std::fprintf(f, "%s,%s,%s\n", x.c_str(), y.c_str(), z.c_str());
    survey.push_back({std::stod(x), std::stod(y), std::stod(z)});
  }
  std::fclose(f);
  std::sort(survey.begin(), survey.end());
  return path;
}

// GDAL's grid as (X, Y) -> height, read from its XYZ export.
std::vector<double> gdal_heights(const Options& o, const std::string& tif) {
  const std::string xyz = o.folder + "/gdal.xyz";
  const std::string command = "gdal_translate -q -of XYZ " + tif + " " + xyz;
  if (std::system(command.c_str()) != 0) std::exit(1);
  const auto n = static_cast<std::size_t>(o.side) + 1;
  std::vector<double> z(n * n, std::nan(""));
  std::FILE* f = std::fopen(xyz.c_str(), "r");
  double x = 0, y = 0, v = 0;
  while (std::fscanf(f, "%lf %lf %lf", &x, &y, &v) == 3) {
    z[static_cast<std::size_t>(std::lround(x)) * n + static_cast<std::size_t>(std::lround(y))] = v;
  }
  std::fclose(f);
  return z;
}

}  // namespace

int main(int argc, char** argv) {
  tralva::install_temporary_cleanup();
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    const char* value = argv[i + 1];
    if (name == "--folder")
      o.folder = value;
    else if (name == "--spot-heights")
      o.spot_heights = std::atoi(value);
    else if (name == "--side")
      o.side = std::atoi(value);
    else if (name == "--alpha")
      o.alpha = std::strtof(value, nullptr);
    else if (name == "--neighbours")
      o.neighbours = std::atoi(value);
    else if (name == "--radius")
      o.radius = std::strtod(value, nullptr);
    else if (name == "--runs")
      o.runs = std::atoi(value);
    else if (name == "--skip-gdal")
      o.skip_gdal = std::atoi(value) != 0;
  }
  std::filesystem::create_directories(o.folder);
  std::vector<SpotHeight> survey;
  const std::string survey_path = survey_file(o, survey);
  const std::string base_path = o.folder + "/base.txt";
  {
    BaseGridRequest grid;
    grid.steps_x = grid.steps_y = o.side;
    grid.step = 1;
    grid.base_file_path = base_path;
    NullProgress sink;
    SystemClock clock;
    create_base_file(grid, sink, clock);
  }
  const auto n = static_cast<std::size_t>(o.side) + 1;
  std::printf("%d spot heights over a %d x %d grid of step 1 m (%zu points), A = %g, N = %d\n",
              o.spot_heights, o.side, o.side, n * n, static_cast<double>(o.alpha), o.neighbours);

  TerrainRequest request;
  request.base_path = base_path;
  request.spot_heights_path = survey_path;
  request.terrain_path = o.folder + "/orografia.txt";
  request.alpha = o.alpha;
  request.neighbours = o.neighbours;
  std::vector<double> times;
  long peak = 0;
  for (int r = 0; r < o.runs; ++r) {
    const auto [elapsed, memory] = in_child([&] {
      NullProgress sink;
      SystemClock clock;
      return std::holds_alternative<TerrainSummary>(interpolate_terrain(request, sink, clock));
    });
    times.push_back(elapsed);
    peak = std::max(peak, memory);
  }
  const double ours = median(times);
  std::printf("interpola: %.2f s (median of %d), peak memory %.1f MB\n", ours, o.runs,
              static_cast<double>(peak) / 1024);
  const auto estimate = std::get<TerrainEstimate>(estimate_terrain(request));
  std::printf("  --stima: %.2f s; measured %.2f s: %.2f x\n", estimate.seconds, ours,
              estimate.seconds / ours);
  if (o.skip_gdal) return 0;

  const std::string vrt = o.folder + "/punti-quotati.vrt";
  std::ofstream(vrt) << "<OGRVRTDataSource><OGRVRTLayer name=\"punti\"><SrcDataSource>"
                     << std::filesystem::absolute(survey_path).string()
                     << "</SrcDataSource><SrcLayer>punti-quotati</SrcLayer>"
                        "<GeometryType>wkbPoint</GeometryType>"
                        "<GeometryField encoding=\"PointFromColumns\" x=\"X\" y=\"Y\" z=\"Z\"/>"
                        "</OGRVRTLayer></OGRVRTDataSource>\n";
  const std::string tif = o.folder + "/gdal.tif";
  const double edge = o.side + 0.5;
  char command[1024];
  std::snprintf(command, sizeof command,
                "gdal_grid -q -a invdistnn:power=%g:radius=%g:max_points=%d:min_points=1:"
                "nodata=-9999 -ot Float64 -txe -0.5 %g -tye %g -0.5 -outsize %zu %zu -zfield Z "
                "-l punti %s %s",
                static_cast<double>(o.alpha), o.radius, o.neighbours, edge, edge, n, n, vrt.c_str(),
                tif.c_str());
  const auto start = std::chrono::steady_clock::now();
  if (std::system(command) != 0) {
    std::fprintf(stderr, "gdal_grid failed: %s\n", command);
    return 1;
  }
  const double gdal = seconds_since(start);
  std::printf("gdal_grid (radius %g m): %.2f s; interpola is %.1f times faster\n", o.radius, gdal,
              gdal / ours);

  const std::vector<double> reference = gdal_heights(o, tif);
  double written = 0, unrounded = 0;
  std::ifstream terrain(request.terrain_path);
  std::string line;
  std::getline(terrain, line);
  const InverseDistance core(survey, o.alpha, o.neighbours);
  InverseDistance::Scratch scratch;
  for (std::size_t i = 0; i < n; ++i) {
    for (std::size_t j = 0; j < n; ++j) {
      double x = 0, y = 0, z = 0;
      std::getline(terrain, line);
      std::sscanf(line.c_str(), "%lf %lf %lf", &x, &y, &z);
      const double g = reference[i * n + j];
      written = std::max(written, std::abs(z - g));
      unrounded = std::max(
          unrounded,
          std::abs(core.height(static_cast<double>(i), static_cast<double>(j), scratch) - g));
    }
  }
  std::printf("largest difference from gdal_grid: %.6f m in the file, %.2e m unrounded\n", written,
              unrounded);
  return written <= 0.0051 && unrounded <= 1e-4 ? 0 : 1;
}
