// Side-by-side timing of the grid and file utilities against the plain stdio
// versions of the same operations and against merely writing as many bytes
// to the same folder (large writes of a ready buffer: the machine's limit).
// Every run is a child process, so each has its own peak memory; before each
// one the previous output is removed and the system synced, untimed, so all
// variants meet the same page cache.  The outputs are compared with the plain
// versions' byte for byte.
//
// With --to-disk every timed run ends with an fsync of its output, so that
// the times include the disk and not just the page cache.
//
//   convert_bench [--folder DIR] [--points N] [--runs R] [--plain-runs P] [--only UNIT]
//                 [--to-disk]

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "common/format.h"
#include "common/temporary_cleanup.h"
#include "plain_convert.h"
#include "project/project_file.h"

namespace {

using namespace tralva;
namespace fs = std::filesystem;

struct Options {
  std::string folder = "build/bench-data";
  std::int64_t points = 10'000'000;
  int runs = 5;
  int plain_runs = 3;
  std::string only;
  bool to_disk = false;
};

bool to_disk = false;  // from Options, for every measured run

// What a run tells its parent.
struct Sample {
  double seconds = 0;
  long sink_calls = 0;
  long clock_reads = 0;
  bool ok = false;
  long peak_kib = 0;  // filled in by the parent
};

class CountingSink final : public ProgressSink {
 public:
  long calls = 0;
  void set_range(int, int) override { ++calls; }
  void set_position(int) override { ++calls; }
  void set_remaining(RemainingTime) override { ++calls; }
  void refresh() override { ++calls; }
};

class CountingClock final : public Clock {
 public:
  long reads = 0;
  std::int64_t now_seconds() override {
    ++reads;
    return system_.now_seconds();
  }

 private:
  SystemClock system_;
};

double now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

bool flush_to_disk(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY);
  if (fd < 0) return false;
  const bool ok = fsync(fd) == 0;
  return close(fd) == 0 && ok;
}

// Runs body, which writes `output`, in a child process after `prepare`; body
// returns true on success.
Sample measure(const std::function<void()>& prepare,
               const std::function<bool(CountingSink&, CountingClock&)>& body,
               const std::string& output) {
  prepare();
  sync();
  int fds[2];
  if (pipe(fds) != 0) std::abort();
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    CountingSink sink;
    CountingClock clock;
    Sample s;
    const double t0 = now();
    s.ok = body(sink, clock) && (!to_disk || flush_to_disk(output));
    s.seconds = now() - t0;
    s.sink_calls = sink.calls;
    s.clock_reads = clock.reads;
    if (write(fds[1], &s, sizeof s) != static_cast<ssize_t>(sizeof s)) _exit(2);
    _exit(0);
  }
  close(fds[1]);
  Sample s;
  if (read(fds[0], &s, sizeof s) != static_cast<ssize_t>(sizeof s)) s.ok = false;
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  s.peak_kib = usage.ru_maxrss;
  return s;
}

bool write_bytes(const std::string& path, std::int64_t size) {
  static const std::vector<char> ready(1 << 20, 'x');
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  bool ok = true;
  for (std::int64_t left = size; left > 0 && ok;) {
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, ready.size()));
    ok = write(fd, ready.data(), n) == static_cast<ssize_t>(n);
    left -= static_cast<std::int64_t>(n);
  }
  return close(fd) == 0 && ok;
}

bool same_bytes(const std::string& a, const std::string& b) {
  FILE* fa = std::fopen(a.c_str(), "rb");
  FILE* fb = std::fopen(b.c_str(), "rb");
  bool same = fa != nullptr && fb != nullptr;
  std::vector<char> ba(1 << 20), bb(1 << 20);
  while (same) {
    const std::size_t na = std::fread(ba.data(), 1, ba.size(), fa);
    const std::size_t nb = std::fread(bb.data(), 1, bb.size(), fb);
    same = na == nb && std::memcmp(ba.data(), bb.data(), na) == 0;
    if (na == 0) break;
  }
  if (fa) std::fclose(fa);
  if (fb) std::fclose(fb);
  return same;
}

struct Summary {
  double median = 0, low = 0, high = 0;
  long peak_kib = 0;
};

Summary summarise(std::vector<Sample> samples) {
  std::sort(samples.begin(), samples.end(),
            [](const Sample& a, const Sample& b) { return a.seconds < b.seconds; });
  Summary s;
  if (samples.empty()) return s;
  const std::size_t n = samples.size();
  s.median =
      n % 2 ? samples[n / 2].seconds : (samples[n / 2 - 1].seconds + samples[n / 2].seconds) / 2;
  s.low = samples.front().seconds;
  s.high = samples.back().seconds;
  for (const Sample& x : samples) s.peak_kib = std::max(s.peak_kib, x.peak_kib);
  return s;
}

void print_line(const char* name, const Summary& s) {
  std::printf("  %-10s median %8.3f s   range %8.3f - %8.3f s   peak memory %8.1f MiB\n", name,
              s.median, s.low, s.high, static_cast<double>(s.peak_kib) / 1024);
}

// One unit: `ours` and `plain` write `output` / `plain_output`.
struct Unit {
  std::string name;
  std::string output;
  std::string plain_output;
  std::function<void()> prepare;  // restores inputs that a run rewrites
  std::function<bool(CountingSink&, CountingClock&)> ours;
  std::function<bool()> plain;
  std::function<bool(CountingSink&, CountingClock&)> ours_small;  // a tenth of the size
  const char* target;
};

// True when every run succeeded and the outputs were byte-identical.
bool bench_unit(const Unit& unit, const Options& options) {
  std::printf("\n%s\n", unit.name.c_str());
  std::vector<Sample> ours, raw, plain;
  const std::string raw_output = unit.output + ".raw";
  const auto remove = [&] {
    fs::remove(unit.output);
    fs::remove(unit.plain_output);
    fs::remove(raw_output);
    if (unit.prepare) unit.prepare();
  };
  std::int64_t bytes = 0;
  bool identical = false;
  long sink_calls = 0, clock_reads = 0;
  bool failed = false;
  for (int r = 0; r < options.runs; ++r) {
    // Interleaved, so that a busy moment of the machine touches all variants.
    const Sample a = measure(remove, unit.ours, unit.output);
    failed = failed || !a.ok;
    ours.push_back(a);
    sink_calls = a.sink_calls;
    clock_reads = a.clock_reads;
    bytes = static_cast<std::int64_t>(fs::file_size(unit.output));
    // Kept aside for the comparison with the plain version's output.
    const std::string kept = unit.output + ".ours";
    fs::rename(unit.output, kept);
    raw.push_back(measure(
        remove, [&](CountingSink&, CountingClock&) { return write_bytes(raw_output, bytes); },
        raw_output));
    if (r < options.plain_runs) {
      const Sample p = measure(
          remove, [&](CountingSink&, CountingClock&) { return unit.plain(); }, unit.plain_output);
      failed = failed || !p.ok;
      plain.push_back(p);
      identical = (r == 0 || identical) && same_bytes(kept, unit.plain_output);
    }
    fs::remove(kept);
  }
  const Summary o = summarise(ours), w = summarise(raw), p = summarise(plain);
  print_line("tralva", o);
  print_line("raw write", w);
  print_line("plain", p);
  std::printf("  output %.1f MB; tralva/raw %.2f (target %s); plain/tralva %.1f\n",
              static_cast<double>(bytes) / 1e6, o.median / w.median, unit.target,
              p.median / o.median);
  std::printf("  progress: %ld sink calls, %ld clock reads in a run\n", sink_calls, clock_reads);
  std::printf("  output byte-identical to the plain version: %s%s\n", identical ? "yes" : "NO",
              failed ? "  (A RUN FAILED)" : "");
  if (unit.ours_small) {
    const Sample small = measure(remove, unit.ours_small, unit.output);
    std::printf("  peak memory at a tenth of the size: %.1f MiB (full size %.1f MiB)\n",
                static_cast<double>(small.peak_kib) / 1024, static_cast<double>(o.peak_kib) / 1024);
  }
  remove();
  return identical && !failed;
}

// Inputs, generated once per size with the project's own formatting.
class Writer {
 public:
  explicit Writer(const std::string& path) : f_(std::fopen(path.c_str(), "wb")) {}
  ~Writer() {
    flush();
    std::fclose(f_);
  }
  void text(std::string_view s) {
    buffer_.append(s);
    if (buffer_.size() > (1 << 20)) flush();
  }
  void fixed(double v, int d) {
    char b[kFormatBufferSize];
    text({b, static_cast<std::size_t>(format_fixed(b, v, d) - b)});
  }

 private:
  void flush() {
    std::fwrite(buffer_.data(), 1, buffer_.size(), f_);
    buffer_.clear();
  }
  FILE* f_;
  std::string buffer_;
};

std::int32_t side_for(std::int64_t points) {
  return static_cast<std::int32_t>(std::ceil(std::sqrt(static_cast<double>(points))));
}

void make_result_input(const std::string& path, std::int32_t side) {
  Writer w(path);
  std::mt19937 random(1);
  std::uniform_real_distribution<double> field(0.0, 100.0);
  w.text("X\tY\tZ\tB\n");
  for (std::int32_t j = 0; j < side; ++j) {
    for (std::int32_t i = 0; i < side; ++i) {
      w.fixed(500000.0 + 2.5 * i, 3);
      w.text("\t");
      w.fixed(4500000.0 + 2.5 * j, 3);
      w.text("\t1.50\t");
      w.fixed(field(random), 6);
      w.text("\n");
    }
  }
}

void make_terrain_input(const std::string& path, std::int32_t side) {
  Writer w(path);
  std::mt19937 random(2);
  std::uniform_real_distribution<double> height(100.0, 900.0);
  w.text("0");
  for (std::int32_t i = 0; i < side; ++i) {
    w.text("\t");
    w.fixed(500000.0 + 10.0 * i, 1);
  }
  w.text("\n");
  for (std::int32_t j = 0; j < side; ++j) {
    w.fixed(4500000.0 + 10.0 * j, 1);
    for (std::int32_t i = 0; i < side; ++i) {
      w.text("\t");
      w.fixed(height(random), 2);
    }
    w.text("\n");
  }
}

// A project of `lines` lines of 6 conductors on 6 supports.
void make_project(const std::string& path, int lines, int seed) {
  Writer w(path);
  std::mt19937 random(static_cast<unsigned>(seed));
  std::uniform_real_distribution<double> value(0.0, 1000.0);
  w.text(project_header());
  for (int l = 0; l < lines; ++l) w.text(l + 1 < lines ? "500 6 6 30 " : "500 6 6 30");
  w.text("\r\n");
  const auto row = [&](int per_line, int decimals) {
    for (int l = 0; l < lines; ++l) {
      for (int k = 0; k < per_line; ++k) {
        w.fixed(value(random), decimals);
        w.text(" ");
      }
    }
    w.text("\r\n");
  };
  row(12, 2);
  row(24, 3);
  row(36, 2);
  row(36, 2);
  row(30, 1);
}

bool parse(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--to-disk") {
      o.to_disk = true;
      continue;
    }
    if (i + 1 >= argc) return false;
    const std::string v = argv[++i];
    if (a == "--folder") {
      o.folder = v;
    } else if (a == "--points") {
      o.points = std::stoll(v);
    } else if (a == "--runs") {
      o.runs = std::stoi(v);
    } else if (a == "--plain-runs") {
      o.plain_runs = std::stoi(v);
    } else if (a == "--only") {
      o.only = v;
    } else {
      return false;
    }
  }
  return o.runs >= 1 && o.plain_runs >= 1 && o.points >= 100;
}

}  // namespace

int main(int argc, char** argv) {
  tralva::install_temporary_cleanup();
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  Options options;
  if (!parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: convert_bench [--folder DIR] [--points N] [--runs R] [--plain-runs P] "
                 "[--only griglia|risultato|orografia|unisci] [--to-disk]\n");
    return 64;
  }
  to_disk = options.to_disk;
  fs::create_directories(options.folder);
  const auto at = [&](const std::string& name) {
    return (fs::path(options.folder) / name).string();
  };
  const std::int32_t side = side_for(options.points);
  const std::int32_t small_side = side_for(options.points / 10);
  std::printf("%lld points per unit (a %d x %d grid) in %s; %d runs, %d of the plain versions%s\n",
              static_cast<long long>(side) * side, side, side, options.folder.c_str(), options.runs,
              options.plain_runs, to_disk ? "; every output synced to the disk" : "");

  const auto wanted = [&](const char* name) {
    return options.only.empty() || options.only == name;
  };
  bool all_good = true;
  if (wanted("griglia")) {
    BaseGridRequest request;
    request.origin_x = 500000.0;
    request.origin_y = 4500000.0;
    request.steps_x = request.steps_y = side - 1;
    request.step = 0.5f;
    request.base_precision = "mm";
    request.base_file_path = at("grid.txt");
    BaseGridRequest plain = request;
    plain.base_file_path = at("grid-plain.txt");
    BaseGridRequest small = request;
    small.steps_x = small.steps_y = small_side - 1;
    all_good =
        bench_unit({"base grid (griglia, precision mm)",
                    request.base_file_path,
                    plain.base_file_path,
                    {},
                    [=](CountingSink& s, CountingClock& c) {
                      return create_base_file(request, s, c).kind == MessageKind::information;
                    },
                    [=] { return plain::create_base_file(plain); },
                    [=](CountingSink& s, CountingClock& c) {
                      return create_base_file(small, s, c).kind == MessageKind::information;
                    },
                    "<= 1.25"},
                   options) &&
        all_good;
  }
  if (wanted("orografia")) {
    const std::string input = at("terrain-matrix.txt");
    const std::string small_input = at("terrain-matrix-small.txt");
    make_terrain_input(input, side);
    make_terrain_input(small_input, small_side);
    TerrainConversionRequest request{input, at("terrain-gis.txt"), "cm"};
    TerrainConversionRequest plain{input, at("terrain-gis-plain.txt"), "cm"};
    TerrainConversionRequest small{small_input, at("terrain-gis.txt"), "cm"};
    all_good = bench_unit({"terrain conversion (orografia, precision cm)",
                           request.terrain_gis_path,
                           plain.terrain_gis_path,
                           {},
                           [=](CountingSink& s, CountingClock& c) {
                             return convert_terrain(request, s, c).kind == MessageKind::information;
                           },
                           [=] { return plain::convert_terrain(plain); },
                           [=](CountingSink& s, CountingClock& c) {
                             return convert_terrain(small, s, c).kind == MessageKind::information;
                           },
                           "<= 1.25"},
                          options) &&
               all_good;
    fs::remove(input);
    fs::remove(small_input);
  }
  if (wanted("risultato")) {
    const std::string input = at("result-gis.txt");
    make_result_input(input, side);
    ResultConversionRequest request;
    request.steps_x = request.steps_y = side - 1;
    request.result_precision = "mm";
    request.gis_input_path = input;
    request.conversion_output_path = at("result-matrix.txt");
    ResultConversionRequest plain = request;
    plain.conversion_output_path = at("result-matrix-plain.txt");
    all_good = bench_unit({"result conversion (risultato, fi 0, psi 0, precision mm)",
                           request.conversion_output_path,
                           plain.conversion_output_path,
                           {},
                           [=](CountingSink& s, CountingClock& c) {
                             return convert_result(request, s, c).kind == MessageKind::information;
                           },
                           [=] { return plain::convert_result(plain); },
                           {},
                           "plain/tralva >= 10"},
                          options) &&
               all_good;
    fs::remove(input);
  }
  if (wanted("unisci")) {
    const std::string pristine = at("parent-pristine.tlva");
    const std::string child = at("child.tlva");
    make_project(pristine, 5000, 3);
    make_project(child, 5000, 4);
    const std::string parent = at("parent.tlva");
    const std::string plain_parent = at("parent-plain.tlva");
    const auto restore = [=] {
      fs::copy_file(pristine, parent, fs::copy_options::overwrite_existing);
      fs::copy_file(pristine, plain_parent, fs::copy_options::overwrite_existing);
    };
    all_good =
        bench_unit({"project merge (unisci, 2 x 5000 lines, ours with fsync)",
                    parent,
                    plain_parent,
                    restore,
                    [=](CountingSink&, CountingClock&) {
                      return merge_projects({parent, child}).kind == MessageKind::information;
                    },
                    [=] {
                      return plain::merge_projects({plain_parent, child});
                    },
                    {},
                    "none"},
                   options) &&
        all_good;
    fs::remove(pristine);
    fs::remove(child);
  }
  return all_good ? 0 : 1;
}
