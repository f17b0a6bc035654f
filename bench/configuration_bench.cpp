// build_configuration on a merged project of 20 lines (6 conductors, 5 spans
// of 400 m, segment length 0.5 m: 600 catenaries of 801 samples), beside the
// same file read value by value with the C library's fscanf.
#include <benchmark/benchmark.h>
#include <locale.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "geometry/configuration.h"
#include "project/project_file.h"
#include "sample_project.h"

namespace {

using tralva::bench::kConductors;
using tralva::bench::kLines;
using tralva::bench::kSupports;
using tralva::bench::merged_project;

class ProjectFile {
 public:
  ProjectFile() {
    char name[] = "/tmp/tralva-bench-XXXXXX";
    const int fd = mkstemp(name);
    path_ = name;
    const std::string text = merged_project();
    if (write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size())) path_.clear();
    close(fd);
  }
  ~ProjectFile() { unlink(path_.c_str()); }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

const ProjectFile& project_file() {
  static const ProjectFile file;
  return file;
}

void BM_build_configuration(benchmark::State& state) {
  std::int64_t samples = 0;
  for (auto _ : state) {
    const auto outcome = tralva::build_configuration(project_file().path());
    const auto& geometry = std::get<tralva::ConfigurationGeometry>(outcome);
    samples = 0;
    for (const auto& line : geometry.lines) {
      for (const auto& span : line.spans) samples += static_cast<std::int64_t>(span.samples.size());
    }
    benchmark::DoNotOptimize(samples);
  }
  state.counters["samples"] = static_cast<double>(samples);
}
BENCHMARK(BM_build_configuration)->Unit(benchmark::kMillisecond);

void BM_read_project_data(benchmark::State& state) {
  for (auto _ : state) {
    auto data = tralva::read_project_data(project_file().path());
    benchmark::DoNotOptimize(data);
  }
}
BENCHMARK(BM_read_project_data)->Unit(benchmark::kMicrosecond);

// The same values read the classic way: fscanf from byte 945, one value at a
// time, in the "C" locale.
void BM_stdio_read(benchmark::State& state) {
  setlocale(LC_ALL, "C");
  for (auto _ : state) {
    FILE* f = std::fopen(project_file().path().c_str(), "r");
    std::fseek(f, 945, SEEK_SET);
    float real = 0;
    double precise = 0;
    int integer = 0;
    for (int l = 0; l < kLines; ++l) {
      benchmark::DoNotOptimize(std::fscanf(f, "%f %i %i %f", &real, &integer, &integer, &real));
    }
    const int reals = kLines * (kConductors * 2 + kSupports * 4 + kConductors * kSupports * 2 +
                                kConductors * (kSupports - 1));
    for (int i = 0; i < reals; ++i) benchmark::DoNotOptimize(std::fscanf(f, "%lf", &precise));
    std::fclose(f);
  }
}
BENCHMARK(BM_stdio_read)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
