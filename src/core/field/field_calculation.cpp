#include "field/field_calculation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>
#include <span>
#include <variant>
#include <vector>

#include "common/command_files.h"
#include "common/estimate.h"
#include "common/format.h"
#include "common/gis_texts.h"
#include "common/output_file.h"
#include "common/precision.h"
#include "field/conductor_segments.h"
#include "field/field_texts.h"
#include "field/flux_density.h"

namespace tralva {
namespace {

namespace text = field_text;

constexpr std::string_view kHeader = gis_text::kResultHeaderLine;
constexpr int kFieldDecimals = 4;
// Room for a point line: four numbers of up to kFormatBufferSize characters,
// three tabs and the line end.
constexpr std::size_t kLineRoom = 4 * static_cast<std::size_t>(kFormatBufferSize) + 8;

// Each batch of points is computed by every thread and then written in
// order; a batch holds about this many segment-point evaluations, a fraction
// of a second, so that the progress moves and memory stays small.
constexpr std::int64_t kEvaluationsPerBatch = 100'000'000;
constexpr std::int64_t kMaxBatchPoints = 1 << 16;

// The points of the calculation, row after row.
class PointSource {
 public:
  virtual ~PointSource() = default;
  virtual std::int64_t rows() const = 0;
  virtual std::int64_t row_length() const = 0;
  // Goes to the first point of `row`.
  virtual std::optional<Message> start(std::int64_t row) = 0;
  // The next `count` points, which the rows hold.
  virtual std::optional<Message> fill(Point3* out, std::int64_t count) = 0;
  // Passes over the next `count` points.
  virtual std::optional<Message> skip(std::int64_t count) {
    Point3 passed[256];
    for (std::int64_t done = 0; done < count;) {
      const std::int64_t n = std::min<std::int64_t>(std::ssize(passed), count - done);
      if (auto failure = fill(passed, n)) return failure;
      done += n;
    }
    return std::nullopt;
  }
};

class GridSource final : public PointSource {
 public:
  GridSource(const PlaneGrid& grid, float level) : grid_(grid), points_(grid, level) {}
  std::int64_t rows() const override { return std::int64_t{grid_.steps_y} + 1; }
  std::int64_t row_length() const override { return std::int64_t{grid_.steps_x} + 1; }
  std::optional<Message> start(std::int64_t row) override {
    i_ = 0;
    j_ = row;
    return std::nullopt;
  }
  std::optional<Message> skip(std::int64_t count) override {
    const std::int64_t at = j_ * row_length() + i_ + count;
    i_ = at % row_length();
    j_ = at / row_length();
    return std::nullopt;
  }
  std::optional<Message> fill(Point3* out, std::int64_t count) override {
    for (std::int64_t k = 0; k < count; ++k) {
      out[k] = points_.point(i_, j_);
      if (++i_ == row_length()) {
        i_ = 0;
        ++j_;
      }
    }
    return std::nullopt;
  }

 private:
  PlaneGrid grid_;
  PlaneGridPoints points_;
  std::int64_t i_ = 0;
  std::int64_t j_ = 0;
};

// A point file, read twice: once to check every line and count the points
// before anything is computed, then for the points of the part.
class FileSource final : public PointSource {
 public:
  FileSource(std::string path, float level) : path_(std::move(path)), level_(level) {}

  std::optional<Message> count() {
    if (!reader_.open(path_)) return error_message(text::kCannotOpenPoints);
    switch (reader_.count(count_)) {
      case PointFileReader::Next::point:
      case PointFileReader::Next::end:
        if (count_ == 0) return error_message(text::kNoPoints);
        return std::nullopt;
      case PointFileReader::Next::invalid:
        return bad_line();
      case PointFileReader::Next::read_error:
        break;
    }
    return error_message(text::kCannotReadPoints);
  }

  std::int64_t rows() const override { return count_; }
  std::int64_t row_length() const override { return 1; }

  std::optional<Message> start(std::int64_t row) override {
    if (!reader_.open(path_)) return error_message(text::kCannotOpenPoints);
    return skip(row);
  }

  std::optional<Message> skip(std::int64_t count) override { return failure(reader_.skip(count)); }

  std::optional<Message> fill(Point3* out, std::int64_t count) override {
    std::size_t read = 0;
    const auto got = reader_.read(out, static_cast<std::size_t>(count), read);
    for (std::size_t k = 0; k < read; ++k) out[k].z += level_;
    return failure(got);
  }

 private:
  // The file was whole when counted: a point missing now is a change.
  static std::optional<Message> failure(PointFileReader::Next got) {
    switch (got) {
      case PointFileReader::Next::point:
        return std::nullopt;
      case PointFileReader::Next::read_error:
        return error_message(text::kCannotReadPoints);
      case PointFileReader::Next::end:
      case PointFileReader::Next::invalid:
        break;
    }
    return error_message(text::kPointsChanged);
  }

  Message bad_line() const {
    return error_message(text::kBadPointLine + std::to_string(reader_.line_number()) +
                         text::kBadPointLineEnd);
  }

  std::string path_;
  float level_;
  PointFileReader reader_;
  std::int64_t count_ = 0;
};

// The heights of the points of a source, point after point: the point
// itself (k = 0, exactly as the source gives it), then k step_z above it up
// to k = steps_z.  The points are read a batch at a time, so a point's
// heights may run on over several batches.
class HeightSource {
 public:
  HeightSource(PointSource& source, std::int64_t points, std::int64_t heights, float step,
               std::size_t batch)
      : source_(source), left_(points), heights_(heights), step_(step) {
    loaded_.reserve(batch);
  }

  // The next heights, as many as `out` holds or as are left; `filled` says
  // how many, 0 at the end.
  std::optional<Message> fill(std::span<Point3> out, std::size_t& filled) {
    for (filled = 0; filled < out.size(); ++filled) {
      if (k_ == 0) {
        if (next_ == loaded_.size()) {
          if (left_ == 0) break;
          loaded_.resize(static_cast<std::size_t>(
              std::min<std::int64_t>(static_cast<std::int64_t>(loaded_.capacity()), left_)));
          if (auto failure = source_.fill(loaded_.data(), std::ssize(loaded_))) return failure;
          left_ -= std::ssize(loaded_);
          next_ = 0;
        }
        point_ = loaded_[next_++];
      }
      out[filled] = point_;
      if (k_ > 0) out[filled].z += static_cast<double>(k_) * step_;
      if (++k_ == heights_) {
        k_ = 0;
        ++points_done_;
      }
    }
    return std::nullopt;
  }

  // The points whose heights are all filled, and the next height of the
  // point begun.
  std::int64_t points_done() const { return points_done_; }
  std::int64_t height() const { return k_; }

 private:
  PointSource& source_;
  std::int64_t left_;  // points not yet read from the source
  std::int64_t heights_;
  double step_;
  std::vector<Point3> loaded_;
  std::size_t next_ = 0;
  Point3 point_;
  std::int64_t k_ = 0;
  std::int64_t points_done_ = 0;
};

bool finite_grid(const PlaneGrid& g) {
  return std::isfinite(g.origin_x) && std::isfinite(g.origin_y) && std::isfinite(g.step_x) &&
         std::isfinite(g.step_y) && std::isfinite(g.fi) && std::isfinite(g.psi);
}

// The shortest a point line can be: one digit for each coordinate (plus the
// point and the decimals), "0.0000", three tabs and CR LF.
int shortest_line(int decimals) {
  const int coordinate = 1 + (decimals > 0 ? decimals + 1 : 0);
  return 3 * coordinate + 6 + 5;
}

// Computes the field at `points` on `threads` threads, block by block.
void compute_batch(const FluxDensity& flux, const std::vector<Point3>& points, std::int64_t count,
                   std::vector<double>& field, int threads) {
  for_each_block(threads, static_cast<std::size_t>(count), kBlockPoints,
                 [&](std::size_t first, std::size_t end) {
                   flux.evaluate(std::span(points).subspan(first, end - first),
                                 field.data() + first);
                 });
}

class ResultWriter {
 public:
  ResultWriter(OutputFile& out, int decimals) : out_(out), decimals_(decimals) {}

  void write(const Point3& p, double b) {
    char* q = out_.room(kLineRoom);
    q = format_fixed(q, p.x, decimals_);
    *q++ = '\t';
    q = format_fixed(q, p.y, decimals_);
    *q++ = '\t';
    q = format_fixed(q, p.z, decimals_);
    *q++ = '\t';
    q = format_fixed(q, b, kFieldDecimals);
    *q++ = '\r';
    *q++ = '\n';
    out_.wrote(q);
  }

 private:
  OutputFile& out_;
  int decimals_;
};

void add_to_summary(FieldSummary& summary, const Point3& p, double b) {
  if (summary.points == 0 || b > summary.maximum) {
    summary.maximum = b;
    summary.maximum_at = p;
  }
  ++summary.points;
  for (std::size_t t = 0; t < std::size(kFieldThresholds); ++t) {
    if (b >= kFieldThresholds[t]) ++summary.reaching[t];
  }
}

// The lines of the result from the field at each height in turn: a line for
// every height or, projecting the maximum, for each point the height where
// the field is largest, compared before rounding; of equal values the
// lowest, which comes first.
class Records {
 public:
  Records(ResultWriter& writer, std::int64_t heights, bool maximum)
      : writer_(writer), heights_(heights), maximum_(maximum) {}

  void take(const Point3& p, double b) {
    if (!maximum_) return write(p, b);
    if (k_ == 0 || b > best_) {
      best_ = b;
      best_at_ = p;
    }
    if (++k_ < heights_) return;
    k_ = 0;
    write(best_at_, best_);
  }

  const FieldSummary& summary() const { return summary_; }

 private:
  void write(const Point3& p, double b) {
    writer_.write(p, b);
    add_to_summary(summary_, p, b);
  }

  ResultWriter& writer_;
  std::int64_t heights_;
  bool maximum_;
  std::int64_t k_ = 0;
  double best_ = 0;
  Point3 best_at_;
  FieldSummary summary_;
};

// The seconds left at the rate so far, in floating point: with the maximum
// projected, a part may count more evaluations than their product with the
// seconds elapsed could hold in 64 bits.
std::int64_t seconds_left(std::int64_t elapsed, std::int64_t done, std::int64_t total) {
  if (done == 0) return 0;  // a first point whose heights run on over batches
  const double left =
      static_cast<double>(elapsed) * static_cast<double>(total - done) / static_cast<double>(done);
  return static_cast<std::int64_t>(std::min(left, 1e15));
}

std::optional<Message> check_request(const FieldRequest& request) {
  if (request.data_path.empty()) return warning_message(text::kDataWithoutPath);
  if (!request.plane && request.points_path.empty()) {
    return warning_message(text::kPointsWithoutPath);
  }
  if (request.result_path.empty()) return warning_message(text::kResultWithoutPath);
  if (request.plane && (request.plane->steps_x < 0 || request.plane->steps_y < 0)) {
    return error_message(text::kNegativeSteps);
  }
  // Heights that do not climb would leave "the lowest of equals" without meaning.
  if (!(request.step_z > 0) || !std::isfinite(request.step_z) || request.steps_z < 0) {
    return error_message(text::kBadHeights);
  }
  // A NaN buffer would count no segment and say nothing.
  if (!std::isfinite(request.level) || std::isnan(request.buffer) ||
      (request.plane && !finite_grid(*request.plane))) {
    return error_message(text::kGridNotFinite);
  }
  return std::nullopt;
}

// The conductors' segments, from the project.
std::variant<ConductorSegments, Message> read_segments(const std::string& data_path) {
  const ConfigurationOutcome geometry = build_configuration(data_path);
  if (const auto* failure = std::get_if<Message>(&geometry)) return *failure;
  return lay_out_conductors(std::get<ConfigurationGeometry>(geometry));
}

// The points: a plane grid, or a point file counted and checked first.
std::variant<std::unique_ptr<PointSource>, Message> point_source(const FieldRequest& request) {
  if (request.plane) {
    return std::unique_ptr<PointSource>(
        std::make_unique<GridSource>(*request.plane, request.level));
  }
  auto file = std::make_unique<FileSource>(request.points_path, request.level);
  if (auto failure = file->count()) return *failure;
  return std::unique_ptr<PointSource>(std::move(file));
}

// What the part computes and writes.
struct Work {
  std::int64_t first_row = 0;  // of the source
  std::int64_t points = 0;
  std::int64_t heights = 0;  // of each point
  bool header = false;
  int decimals = 0;
};

Work plan_work(const FieldRequest& request, const PointSource& source) {
  Work work;
  work.first_row = request.part.first_row(source.rows());
  // Rows and row lengths each fit 32 bits, so the product fits 64.
  work.points = (request.part.end_row(source.rows()) - work.first_row) * source.row_length();
  work.heights = std::int64_t{request.steps_z} + 1;
  work.header = request.part.carries_header();
  work.decimals = precision_decimals(request.precision);
  return work;
}

// The least the result takes: each line at least its shortest length, the
// lines counted in floating point, where points times heights cannot wrap
// around.
double least_size(const FieldRequest& request, const Work& work) {
  const double lines = static_cast<double>(work.points) *
                       (request.project_maximum ? 1 : static_cast<double>(work.heights));
  return lines * shortest_line(work.decimals) +
         (work.header ? static_cast<double>(kHeader.size()) : 0);
}

// The points of a batch: whole blocks of about kEvaluationsPerBatch
// evaluations, and at least a block for each thread.
std::int64_t batch_points(std::int64_t segment_count, int threads) {
  return std::clamp<std::int64_t>(
      kEvaluationsPerBatch / std::max<std::int64_t>(segment_count, 1) / kBlockPoints * kBlockPoints,
      std::min<std::int64_t>(std::int64_t{kBlockPoints} * threads, kMaxBatchPoints),
      kMaxBatchPoints);
}

// The field at each height of the part's points, batch after batch, each
// batch computed on every thread and then written, with the bar.
FieldOutcome compute_and_write(const FieldRequest& request, const ConductorSegments& segments,
                               PointSource& source, const Work& work, OutputFile& out,
                               ProgressTracker& progress) {
  // Progress counts the evaluations, or whole points when the maximum of so
  // many heights is projected that their count overflows 64 bits.
  std::int64_t evaluations = 0;
  const bool by_point = __builtin_mul_overflow(work.points, work.heights, &evaluations);
  const std::int64_t total = by_point ? work.points : evaluations;
  const ProgressScale scale(0, 1000, total);
  const FluxDensity flux(segments, request.buffer);
  const int threads = threads_to_use(request.threads);
  const std::int64_t batch = batch_points(segments.segment_count, threads);
  std::vector<Point3> at(static_cast<std::size_t>(
      std::min(batch, std::max<std::int64_t>(by_point ? batch : evaluations, 1))));
  std::vector<double> field(at.size());
  HeightSource heights_of(source, work.points, work.heights, request.step_z, at.size());
  ResultWriter writer(out, work.decimals);
  Records records(writer, work.heights, request.project_maximum);
  for (;;) {
    std::size_t count = 0;
    if (auto failure = heights_of.fill(at, count)) return *failure;
    if (count == 0) break;
    compute_batch(flux, at, static_cast<std::int64_t>(count), field, threads);
    for (std::size_t k = 0; k < count; ++k) records.take(at[k], field[k]);
    const std::int64_t done = by_point
                                  ? heights_of.points_done()
                                  : heights_of.points_done() * work.heights + heights_of.height();
    if (progress.move_to(scale.position(done))) {
      progress.estimate([&](std::int64_t elapsed) { return seconds_left(elapsed, done, total); });
    }
  }
  return records.summary();
}

// The project's segments, the points and what the part takes of them, with
// the output opened: every check of a calculation, before any is computed.
struct Prepared {
  ConductorSegments segments;
  std::unique_ptr<PointSource> points;
  Work work;
  OutputFile out;
};

std::optional<Message> prepare(const FieldRequest& request, Prepared& prepared) {
  if (auto failure = check_request(request)) return failure;
  if (!request.part.valid()) return error_message(text::kBadPart);
  auto segments = read_segments(request.data_path);
  if (const auto* failure = std::get_if<Message>(&segments)) return *failure;
  prepared.segments = std::move(std::get<ConductorSegments>(segments));
  auto source = point_source(request);
  if (const auto* failure = std::get_if<Message>(&source)) return *failure;
  prepared.points = std::move(std::get<std::unique_ptr<PointSource>>(source));
  prepared.work = plan_work(request, *prepared.points);
  // Writing the result over the project or the points would destroy them.
  return open_output(prepared.out, request.result_path, {&request.data_path, &request.points_path},
                     {text::kCannotCreateResult, text::kResultIsInput});
}

// The sample of an estimate: runs of neighbouring points, as a batch holds
// them, spread evenly over the part.
constexpr std::int64_t kSampleRuns = 16;
constexpr std::int64_t kSampleRun = 64;
// The calibration computes the sample again and again for at least this long.
constexpr double kCalibrationSeconds = 0.3;

std::variant<std::vector<Point3>, Message> sample_points(PointSource& points, const Work& work) {
  const SamplePlan plan(work.points, kSampleRuns, kSampleRun);
  std::vector<Point3> sample(static_cast<std::size_t>(plan.runs * plan.run));
  if (auto failure = points.start(work.first_row)) return *failure;
  std::int64_t at = 0;
  for (std::int64_t r = 0; r < plan.runs; ++r) {
    const std::int64_t begin = plan.begin(r);
    if (auto failure = points.skip(begin - at)) return *failure;
    if (auto failure = points.fill(sample.data() + r * plan.run, plan.run)) return *failure;
    at = begin + plan.run;
  }
  return sample;
}

}  // namespace

FieldOutcome compute_field(const FieldRequest& request, ProgressSink& sink, Clock& clock) {
  Prepared prepared;
  if (auto failure = prepare(request, prepared)) return *failure;
  const Work& work = prepared.work;
  OutputFile& out = prepared.out;
  // A huge grid stops here with a message instead of running for ages
  // towards a full disk.
  if (auto failure =
          reserve_at_least(out, least_size(request, work), text::kNoRoom, text::kNoRoomEnd)) {
    return *failure;
  }
  if (work.header) out.write(kHeader);
  if (auto failure = prepared.points->start(work.first_row)) return *failure;

  sink.set_range(0, 1000);
  ProgressTracker progress(sink, clock);
  progress.start();
  const FieldOutcome outcome =
      compute_and_write(request, prepared.segments, *prepared.points, work, out, progress);
  if (std::holds_alternative<Message>(outcome)) return outcome;
  if (auto failure = complete_output(out, progress, text::kCannotCreateResult)) return *failure;
  return outcome;
}

FieldEstimateOutcome estimate_field(const FieldRequest& request) {
  Prepared prepared;
  if (auto failure = prepare(request, prepared)) return *failure;
  const Work& work = prepared.work;
  FieldEstimate estimate;
  estimate.points = work.points;
  estimate.heights = work.heights;
  estimate.threads = threads_to_use(request.threads);
  if (work.points == 0) return estimate;
  auto sample = sample_points(*prepared.points, work);
  if (const auto* failure = std::get_if<Message>(&sample)) return *failure;
  const std::vector<Point3>& points = std::get<std::vector<Point3>>(sample);
  const FluxDensity flux(prepared.segments, request.buffer);
  std::int64_t within = 0;
  for (const Point3& p : points) within += flux.segments_within(p);
  estimate.sampled = std::ssize(points);
  estimate.segments_within = static_cast<double>(within) / static_cast<double>(points.size());
  estimate.evaluations = static_cast<double>(work.points) * static_cast<double>(work.heights) *
                         estimate.segments_within;

  // The field at the sample on every core, timed, as the calculation would
  // compute it; the heights above a point cost what the point costs.
  std::vector<double> field(points.size());
  const double per_point =
      seconds_per_round(
          kCalibrationSeconds,
          [&] { compute_batch(flux, points, std::ssize(points), field, estimate.threads); }) /
      static_cast<double>(points.size());
  estimate.seconds =
      per_point * static_cast<double>(work.points) * static_cast<double>(work.heights);
  return estimate;
}

std::string estimate_text(const FieldEstimate& estimate) {
  std::string out = estimate_heading(estimate.points);
  if (estimate.heights > 1)
    out += std::string("\n") + text::kEstimateHeights + int_text(estimate.heights);
  out += std::string("\n") + text::kEstimateSegments + fixed_text(estimate.segments_within, 1) +
         text::kEstimateSample + int_text(estimate.sampled) + text::kEstimateSampleEnd + "\n" +
         text::kEstimateEvaluations + general_text(estimate.evaluations, 3) + "\n" +
         estimated_time_text(estimate.seconds, estimate.threads);
  return out;
}

std::string summary_text(const FieldSummary& summary, const std::string& precision) {
  const int decimals = precision_decimals(precision);
  std::string out = text::kPointsComputed + int_text(summary.points);
  if (summary.points > 0) {
    out += std::string("\n") + text::kMaximum + fixed_text(summary.maximum, kFieldDecimals) +
           text::kUnit + text::kAtPoint + fixed_text(summary.maximum_at.x, decimals) + " Y " +
           fixed_text(summary.maximum_at.y, decimals) + " Z " +
           fixed_text(summary.maximum_at.z, decimals);
  }
  for (std::size_t t = 0; t < std::size(kFieldThresholds); ++t) {
    out += std::string("\n") + text::kReaching + fixed_text(kFieldThresholds[t], 0) + text::kUnit +
           ": " + int_text(summary.reaching[t]);
  }
  return out;
}

}  // namespace tralva
