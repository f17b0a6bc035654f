#include "terrain/terrain_interpolation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <vector>

#include "common/command_files.h"
#include "common/estimate.h"
#include "common/format.h"
#include "common/gis_texts.h"
#include "common/output_file.h"
#include "common/precision.h"
#include "common/threads.h"
#include "field/field_points.h"
#include "terrain/inverse_distance.h"
#include "terrain/terrain_texts.h"

namespace tralva {
namespace {

namespace text = terrain_text;

constexpr std::string_view kHeader = gis_text::kPointsHeaderLine;
constexpr int kHeightDecimals = 2;
constexpr std::size_t kLineRoom = 3 * static_cast<std::size_t>(kFormatBufferSize) + 8;
// Base points read, computed on every core, then written, batch after batch.
constexpr std::size_t kBatchPoints = 1 << 16;
constexpr std::size_t kThreadBlock = 512;

std::optional<Message> check_request(const TerrainRequest& request) {
  if (request.base_path.empty()) return warning_message(text::kBaseWithoutPath);
  if (request.spot_heights_path.empty()) return warning_message(text::kSpotHeightsWithoutPath);
  if (request.terrain_path.empty()) return warning_message(text::kTerrainWithoutPath);
  if (!std::isfinite(request.alpha) || request.alpha < 0) return error_message(text::kBadAlpha);
  if (request.neighbours < 1) return error_message(text::kBadNeighbours);
  if (!request.part.valid()) return error_message(text::kBadPart);
  return std::nullopt;
}

Message bad_base_line(const PointFileReader& reader) {
  return error_message(text::kBadBaseLine + std::to_string(reader.line_number()) +
                       text::kBadBaseLineEnd);
}

// The points of the base file: counted first, each line checked, so that a
// bad line stops the command before anything is written.
std::variant<std::int64_t, Message> count_base_points(PointFileReader& reader,
                                                      const std::string& path) {
  if (!reader.open(path)) return error_message(text::kCannotOpenBase, reader.cause());
  std::int64_t count = 0;
  switch (reader.count(count)) {
    case PointFileReader::Next::point:
    case PointFileReader::Next::end:
      if (count == 0) return error_message(text::kNoBasePoints);
      return count;
    case PointFileReader::Next::invalid:
      return bad_base_line(reader);
    case PointFileReader::Next::read_error:
      break;
  }
  return error_message(text::kCannotReadBase);
}

// Why a reading of base points stopped short, or nothing.  A file counted
// before must still hold them all; one read in a single pass ends where it
// ends, and its lines are checked here.
std::optional<Message> base_failure(const PointFileReader& reader, PointFileReader::Next got,
                                    bool counted = true) {
  switch (got) {
    case PointFileReader::Next::point:
      return std::nullopt;
    case PointFileReader::Next::read_error:
      return error_message(text::kCannotReadBase);
    case PointFileReader::Next::end:
      if (counted) return error_message(text::kBaseChanged);
      return std::nullopt;
    case PointFileReader::Next::invalid:
      break;
  }
  if (counted) return error_message(text::kBaseChanged);
  return bad_base_line(reader);
}

// The shortest a line can be: one digit for each coordinate (with the point
// and the decimals), "0.00", two tabs and CR LF.
int shortest_line(int decimals) {
  const int coordinate = 1 + (decimals > 0 ? decimals + 1 : 0);
  return 2 * coordinate + 4 + 4;
}

// Base points with their heights, read, computed and written in turn.
struct Batch {
  std::vector<Point3> points;
  std::vector<double> heights;
  std::size_t count = 0;
};

void compute_heights(const InverseDistance& terrain, Batch& batch, int threads) {
  for_each_block(threads, batch.count, kThreadBlock, [&](std::size_t first, std::size_t end) {
    InverseDistance::Scratch scratch;
    for (std::size_t k = first; k < end; ++k) {
      batch.heights[k] = terrain.height(batch.points[k].x, batch.points[k].y, scratch);
    }
  });
}

class TerrainWriter {
 public:
  TerrainWriter(OutputFile& out, int decimals) : out_(out), decimals_(decimals) {}

  std::optional<Message> write(const Batch& batch) {
    for (std::size_t k = 0; k < batch.count; ++k) {
      const Point3& p = batch.points[k];
      const double z = batch.heights[k];
      if (!std::isfinite(z)) {
        return error_message(text::kHeightNotFinite + fixed_text(p.x, decimals_) + " Y " +
                             fixed_text(p.y, decimals_) + ".");
      }
      char* q = out_.room(kLineRoom);
      q = format_fixed(q, p.x, decimals_);
      *q++ = '\t';
      q = format_fixed(q, p.y, decimals_);
      *q++ = '\t';
      q = format_fixed(q, z, kHeightDecimals);
      *q++ = '\r';
      *q++ = '\n';
      out_.wrote(q);
      if (summary_.points == 0 || z < summary_.lowest) summary_.lowest = z;
      if (summary_.points == 0 || z > summary_.highest) summary_.highest = z;
      ++summary_.points;
    }
    return std::nullopt;
  }

  const TerrainSummary& summary() const { return summary_; }

 private:
  OutputFile& out_;
  int decimals_;
  TerrainSummary summary_;
};

}  // namespace

namespace {

// The survey, the base file counted and checked, what the part takes of it,
// and the output opened: every check, before any height is computed.  The
// whole file needs no count: it is read once, each line checked as it comes,
// and a bad line still leaves the target as it was.
struct Prepared {
  std::vector<SpotHeight> survey;
  PointFileReader base;
  std::int64_t first = 0;  // of the base points
  std::int64_t total = 0;  // of the part; -1 when not counted
  std::int64_t base_points = 0;
  double counting_seconds = 0;  // the pass over the base file
  OutputFile out;
};

std::optional<Message> prepare(const TerrainRequest& request, bool count, Prepared& prepared) {
  if (auto failure = check_request(request)) return failure;
  auto survey = read_spot_heights(request.spot_heights_path);
  if (auto* failure = std::get_if<Message>(&survey)) return std::move(*failure);
  prepared.survey = std::move(std::get<std::vector<SpotHeight>>(survey));
  if (!count) {
    if (!prepared.base.open(request.base_path)) {
      return error_message(text::kCannotOpenBase, prepared.base.cause());
    }
    prepared.total = -1;
  } else {
    const auto started = std::chrono::steady_clock::now();
    const auto counted = count_base_points(prepared.base, request.base_path);
    if (const auto* failure = std::get_if<Message>(&counted)) return *failure;
    prepared.counting_seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    prepared.base_points = std::get<std::int64_t>(counted);
    prepared.first = request.part.first_row(prepared.base_points);
    prepared.total = request.part.end_row(prepared.base_points) - prepared.first;
  }
  return open_output(prepared.out, request.terrain_path,
                     {&request.base_path, &request.spot_heights_path},
                     {text::kCannotCreateTerrain, text::kTerrainIsInput});
}

// The sample of an estimate: runs of neighbouring base points, as a batch
// holds them, spread evenly over the part.
constexpr std::int64_t kSampleRuns = 16;
constexpr std::int64_t kSampleRun = 1024;
constexpr double kCalibrationSeconds = 0.3;

}  // namespace

TerrainOutcome interpolate_terrain(const TerrainRequest& request, ProgressSink& sink,
                                   Clock& clock) {
  const bool whole = request.part.count == 1;
  Prepared prepared;
  if (auto failure = prepare(request, !whole, prepared)) return *failure;
  const std::int64_t first = prepared.first;
  const std::int64_t total = prepared.total;
  const bool header = request.part.carries_header();
  const int decimals = precision_decimals(request.precision);
  OutputFile& out = prepared.out;
  PointFileReader& base = prepared.base;
  const double least =
      static_cast<double>(std::max<std::int64_t>(total, 0)) * shortest_line(decimals) +
      (header ? static_cast<double>(kHeader.size()) : 0);
  if (auto failure = reserve_at_least(out, least, text::kNoRoom, text::kNoRoomEnd)) {
    return *failure;
  }

  const InverseDistance terrain(std::move(prepared.survey), request.alpha, request.neighbours);
  // A counted file is read again from its start; a whole one was only opened.
  if (!whole && !base.open(request.base_path)) {
    return error_message(text::kCannotOpenBase, base.cause());
  }
  const auto batch_points = static_cast<std::size_t>(
      whole ? kBatchPoints
            : std::min<std::int64_t>(kBatchPoints,
                                     std::max<std::int64_t>(std::max(first, total), 1)));
  Batch batches[2];
  for (Batch& batch : batches) {
    batch.points.resize(batch_points);
    batch.heights.resize(batch_points);
  }
  if (auto failure = base_failure(base, base.skip(first))) return *failure;
  if (header) out.write(kHeader);
  sink.set_range(0, 1000);
  ProgressTracker progress(sink, clock);
  progress.start();
  // The bar follows the points of a part, or the bytes of a whole file.
  const std::int64_t span = whole ? std::max<std::int64_t>(base.size(), 1) : total;
  const ProgressScale scale(0, 1000, span);
  const int threads = threads_to_use(request.threads);
  TerrainWriter writer(out, decimals);
  std::int64_t read = 0;
  const auto read_batch = [&](Batch& batch) -> std::optional<Message> {
    const std::int64_t wanted =
        whole ? std::ssize(batch.points)
              : std::min<std::int64_t>(std::ssize(batch.points), total - read);
    const auto got = base.read(batch.points.data(), static_cast<std::size_t>(wanted), batch.count);
    if (auto failure = base_failure(base, got, !whole)) return failure;
    read += static_cast<std::int64_t>(batch.count);
    return std::nullopt;
  };
  // While one batch is computed, the one before it is written and the one
  // after it read; a batch that comes back empty is the end.
  std::optional<Message> failure = read_batch(batches[0]);
  if (!failure && batches[0].count == 0) failure = error_message(text::kNoBasePoints);
  for (int k = 0; !failure && batches[k].count > 0; k ^= 1) {
    Batch& current = batches[k];
    Batch& other = batches[k ^ 1];
    run_alongside(
        [&] {
          if (other.count > 0) failure = writer.write(other);
          if (!failure) failure = read_batch(other);
        },
        [&] { compute_heights(terrain, current, threads); });
    if (!failure && other.count == 0) failure = writer.write(current);
    if (out.failed()) break;
    const std::int64_t done =
        whole ? base.position() : read - static_cast<std::int64_t>(other.count);
    if (progress.move_to(scale.position(done)) && done > 0) {
      progress.estimate([&](std::int64_t elapsed) { return elapsed * (span - done) / done; });
    }
  }
  if (!failure) failure = complete_output(out, progress, text::kCannotCreateTerrain);
  if (failure) return *failure;
  return writer.summary();
}

TerrainEstimateOutcome estimate_terrain(const TerrainRequest& request) {
  Prepared prepared;
  if (auto failure = prepare(request, true, prepared)) return *failure;
  TerrainEstimate estimate;
  estimate.points = prepared.total;
  estimate.spot_heights = std::ssize(prepared.survey);
  estimate.threads = threads_to_use(request.threads);
  if (prepared.total == 0) return estimate;

  // The sample read from the part in one pass.
  PointFileReader& base = prepared.base;
  if (!base.open(request.base_path)) return error_message(text::kCannotOpenBase, base.cause());
  const SamplePlan plan(prepared.total, kSampleRuns, kSampleRun);
  Batch sample;
  sample.count = static_cast<std::size_t>(plan.runs * plan.run);
  sample.points.resize(sample.count);
  sample.heights.resize(sample.count);
  std::int64_t at = -prepared.first;
  for (std::int64_t r = 0; r < plan.runs; ++r) {
    const std::int64_t begin = plan.begin(r);
    if (auto failure = base_failure(base, base.skip(begin - at))) return *failure;
    std::size_t read = 0;
    const auto got =
        base.read(sample.points.data() + r * plan.run, static_cast<std::size_t>(plan.run), read);
    if (auto failure = base_failure(base, got)) return *failure;
    at = begin + plan.run;
  }

  // The heights of the sample on every core, timed, as the calculation
  // would compute them, each run afresh; the calculation also reads the
  // base file again, which took what its count took.
  const InverseDistance terrain(std::move(prepared.survey), request.alpha, request.neighbours);
  const double per_point =
      seconds_per_round(kCalibrationSeconds,
                        [&] { compute_heights(terrain, sample, estimate.threads); }) /
      static_cast<double>(sample.points.size());
  estimate.seconds = per_point * static_cast<double>(prepared.total) +
                     prepared.counting_seconds * static_cast<double>(prepared.total) /
                         static_cast<double>(prepared.base_points);
  return estimate;
}

std::string terrain_estimate_text(const TerrainEstimate& estimate) {
  return estimate_heading(estimate.points) + "\n" + text::kEstimateSpotHeights +
         int_text(estimate.spot_heights) + "\n" +
         estimated_time_text(estimate.seconds, estimate.threads);
}

std::string terrain_summary_text(const TerrainSummary& summary) {
  std::string out =
      std::string(text::kTerrainCreated) + "\n" + text::kPointsWritten + int_text(summary.points);
  if (summary.points > 0) {
    out += std::string("\n") + text::kLowest + fixed_text(summary.lowest, kHeightDecimals) +
           text::kMetres + "\n" + text::kHighest + fixed_text(summary.highest, kHeightDecimals) +
           text::kMetres;
  }
  return out;
}

}  // namespace tralva
