#include "field/field_calculation.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "convert/result_conversion.h"
#include "field/conductor_segments.h"
#include "field/field_texts.h"
#include "field/flux_density.h"
#include "geometry/geometry_texts.h"
#include "progress_recorder.h"
#include "project_text.h"
#include "test_support.h"

namespace tralva {
namespace {

namespace text = field_text;

// A cable run 10 km long at 1 m depth along X, 1000 A.
const std::string kCable =
    test::project_text({"1000 1 2 0", "0 0", "0 0 0 0 10000 0 0 0", "-1 -1", "0 0", "0"});
// A three-phase overhead line of two spans, sampled every metre.
const std::string kOverhead = test::project_text(
    {"500 3 3 1", "0 0 120 0 240 0", "0 0 0 90 300 0 0 90 600 0 0 90", "20 20 20 20 20 20 20 20 20",
     "-4 -4 -4 0 0 0 4 4 4", "1000 1000 1000 1000 1000 1000"});

class FieldCalculation : public ::testing::Test {
 protected:
  FieldRequest plane(const std::string& project, PlaneGrid grid, const std::string& result) {
    test::write_file(dir_.file("line.tlva"), project);
    FieldRequest request;
    request.data_path = dir_.file("line.tlva");
    request.plane = grid;
    request.result_path = dir_.file(result);
    return request;
  }
  FieldRequest points(const std::string& project, const std::string& point_file,
                      const std::string& result) {
    test::write_file(dir_.file("line.tlva"), project);
    test::write_file(dir_.file("points.txt"), point_file);
    FieldRequest request;
    request.data_path = dir_.file("line.tlva");
    request.points_path = dir_.file("points.txt");
    request.result_path = dir_.file(result);
    return request;
  }
  FieldOutcome run(const FieldRequest& request) {
    test::ScriptedClock clock({0});
    return compute_field(request, sink_, clock);
  }
  FieldSummary summary(const FieldRequest& request) {
    const FieldOutcome outcome = run(request);
    if (const auto* failure = std::get_if<Message>(&outcome)) {
      ADD_FAILURE() << failure->text;
      return {};
    }
    return std::get<FieldSummary>(outcome);
  }
  // What the folder holds besides the project and the point file.
  std::vector<std::string> written() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
      const std::string name = entry.path().filename().string();
      if (name != "line.tlva" && name != "points.txt") names.push_back(name);
    }
    return names;
  }

  test::TempDir dir_;
  test::RecordingSink sink_;
};

PlaneGrid small_grid(double fi, double psi) {
  return {.origin_x = 100,
          .origin_y = -20,
          .step_x = 10,
          .step_y = 5,
          .steps_x = 3,
          .steps_y = 2,
          .fi = fi,
          .psi = psi};
}

std::vector<std::vector<double>> records(const std::string& file) {
  std::istringstream in(file);
  std::string line;
  std::getline(in, line);  // the header
  std::vector<std::vector<double>> out;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    std::vector<double> r(4);
    fields >> r[0] >> r[1] >> r[2] >> r[3];
    out.push_back(r);
  }
  return out;
}

TEST_F(FieldCalculation, WritesTheFieldOfEveryPointAndSumsItUp) {
  FieldRequest request =
      points(kCable, "X Y Z\n5000 0 0\n5000 0 1.5\n5000 50 -1\n5000 100 -1\n", "result.txt");
  const FieldSummary s = summary(request);
  // 0.2 I / r uT at r = 1, 2.5, 50 and 100 m from the middle of the run.
  EXPECT_EQ(test::read_file(request.result_path),
            "X\tY\tZ\tB [uT]\r\n5000\t0\t0\t200.0000\r\n5000\t0\t2\t80.0000\r\n"
            "5000\t50\t-1\t3.9998\r\n5000\t100\t-1\t1.9996\r\n");
  EXPECT_EQ(s.points, 4);
  EXPECT_NEAR(s.maximum, 200, 1e-4);
  EXPECT_EQ(s.maximum_at.z, 0);
  EXPECT_EQ(s.reaching[0], 3);  // 3 uT
  EXPECT_EQ(s.reaching[1], 2);  // 10 uT
  EXPECT_EQ(s.reaching[2], 1);  // 100 uT
  EXPECT_EQ(summary_text(s, "m"),
            "Punti calcolati: 4\nCampo massimo: 200.0000 uT nel punto X 5000 Y 0 Z 0\n"
            "Punti con almeno 3 uT: 3\nPunti con almeno 10 uT: 2\nPunti con almeno 100 uT: 1");
  EXPECT_EQ(sink_.only("at ").back(), "at 1000");
  // The level raises the points of the file; the precision sets the decimals.
  request.level = 0.25f;
  request.precision = "cm";
  summary(request);
  EXPECT_EQ(records(test::read_file(request.result_path))[0][2], 0.25);
  EXPECT_NE(test::read_file(request.result_path).find("\r\n5000.00\t0.00\t0.25\t"),
            std::string::npos);
}

// Each orientation: which coordinate runs along a row of records and which
// from row to row, as the result conversion lays them out.
struct Orientation {
  double fi, psi;
  int along_row, across_rows;  // 0 X, 1 Y, 2 Z
};

TEST_F(FieldCalculation, GridRecordsFollowTheResultConversionsOrientation) {
  for (const Orientation o :
       {Orientation{0, 0, 0, 1}, {90, 0, 1, 0}, {0, 90, 0, 2}, {90, 90, 1, 2}}) {
    const PlaneGrid grid = small_grid(o.fi, o.psi);
    FieldRequest request = plane(kOverhead, grid, "result.txt");
    request.level = 1;
    summary(request);
    const auto r = records(test::read_file(request.result_path));
    ASSERT_EQ(r.size(), 12u);
    for (int i = 0; i <= 3; ++i) {  // the first row: only its own coordinate moves
      for (int axis = 0; axis < 3; ++axis) {
        if (axis == o.along_row) {
          EXPECT_EQ(std::abs(r[i][axis] - r[0][axis]), 10 * i) << o.fi << " " << o.psi;
        } else {
          EXPECT_EQ(r[i][axis], r[0][axis]) << o.fi << " " << o.psi << " axis " << axis;
        }
      }
    }
    for (int j = 0; j <= 2; ++j) {  // the first record of each row
      EXPECT_EQ(std::abs(r[4 * j][o.across_rows] - r[0][o.across_rows]), 5 * j);
    }
    ResultConversionRequest conversion;
    conversion.steps_x = grid.steps_x;
    conversion.steps_y = grid.steps_y;
    conversion.fi = std::to_string(static_cast<int>(o.fi));
    conversion.psi = std::to_string(static_cast<int>(o.psi));
    conversion.gis_input_path = request.result_path;
    conversion.conversion_output_path = dir_.file("matrix.txt");
    test::ScriptedClock clock({0});
    EXPECT_EQ(convert_result(conversion, sink_, clock).kind, MessageKind::information);
  }
  // The last, fi 90 and psi 90: the matrix's columns are the Y of the grid,
  // its rows the heights.
  EXPECT_EQ(test::read_file(dir_.file("matrix.txt")).substr(0, 23),
            "0.0\t-20\t-10\t0\t10\r\n1.00\t");
}

TEST_F(FieldCalculation, PartsPutTogetherAreTheWholeFile) {
  PlaneGrid grid = small_grid(30, 0);
  grid.steps_y = 4;  // five rows
  FieldRequest whole = plane(kOverhead, grid, "whole.txt");
  whole.threads = 1;
  summary(whole);
  const std::string expected = test::read_file(whole.result_path);
  for (const std::int64_t n : {2, 3, 5, 7}) {
    std::string joined;
    for (std::int64_t k = 1; k <= n; ++k) {
      FieldRequest part = whole;
      part.part = {k, n};
      part.threads = 3;  // another thread count, the same bytes
      part.result_path = dir_.file("part.txt");
      summary(part);
      joined += test::read_file(part.result_path);
    }
    EXPECT_EQ(test::first_difference(joined, expected), "") << n << " parts";
  }
  // The points of a file, split point by point, never a point's heights.
  std::string file = "X Y Z\n";
  for (int i = 0; i < 10; ++i) file += std::to_string(i * 60) + " " + std::to_string(i) + " 1\n";
  for (const auto& [steps_z, maximum, lines] :
       {std::tuple{0, false, 1}, {3, false, 4}, {3, true, 1}}) {
    FieldRequest all = points(kOverhead, file, "all.txt");
    all.steps_z = steps_z;
    all.project_maximum = maximum;
    summary(all);
    std::string joined;
    for (std::int64_t k = 1; k <= 4; ++k) {
      FieldRequest part = all;
      part.part = {k, 4};
      part.result_path = dir_.file("part.txt");
      EXPECT_EQ(summary(part).points, (k % 2 == 0 ? 3 : 2) * lines);
      joined += test::read_file(part.result_path);
    }
    EXPECT_EQ(test::first_difference(joined, test::read_file(all.result_path)), "") << steps_z;
  }
}

TEST_F(FieldCalculation, EachPointIsComputedAtItsHeightsInARow) {
  FieldRequest heights = points(kCable, "X Y Z\n5000 0 0\n5000 0 2\n", "heights.txt");
  heights.level = 1;
  heights.step_z = 0.5f;
  heights.steps_z = 2;
  heights.precision = "dm";
  EXPECT_EQ(summary(heights).points, 6);
  // 200 uT m / r, r from the cable at depth 1: 2, 2.5, 3 and 4, 4.5, 5 m.
  EXPECT_EQ(test::read_file(heights.result_path),
            "X\tY\tZ\tB [uT]\r\n5000.0\t0.0\t1.0\t100.0000\r\n5000.0\t0.0\t1.5\t80.0000\r\n"
            "5000.0\t0.0\t2.0\t66.6667\r\n5000.0\t0.0\t3.0\t50.0000\r\n"
            "5000.0\t0.0\t3.5\t44.4444\r\n5000.0\t0.0\t4.0\t40.0000\r\n");
  // No steps: today's file, whatever the step and the projection.
  FieldRequest flat = heights;
  flat.steps_z = 0;
  flat.step_z = 1;
  summary(flat);
  const std::string plain = test::read_file(flat.result_path);
  EXPECT_EQ(plain.substr(plain.find('\n') + 1, 23), "5000.0\t0.0\t1.0\t100.0000");
  flat.step_z = 7;
  flat.project_maximum = true;
  summary(flat);
  EXPECT_EQ(test::read_file(flat.result_path), plain);
}

TEST_F(FieldCalculation, ProjectingTheMaximumKeepsTheHeightOfTheLargestField) {
  // 200 uT m / r under the cable at depth 1, r 2 +- 1e-7 at the first two
  // heights: both print 100.0000, the second is larger.  The second point's
  // first two heights are mirror images about the cable, an exact tie.
  FieldRequest request = points(kCable, "X Y Z\n5000 0 -3.0000001\n5000 0 -3\n", "maximum.txt");
  request.step_z = 4;
  request.steps_z = 2;
  request.precision = "mm";
  summary(request);
  const std::string heights = test::read_file(request.result_path);
  EXPECT_NE(heights.find("\t-3.000\t100.0000\r\n5000.000\t0.000\t1.000\t100.0000\r\n"),
            std::string::npos)
      << heights;
  const ConductorSegments segments = std::get<ConductorSegments>(
      lay_out_conductors(std::get<ConfigurationGeometry>(build_configuration(request.data_path))));
  const auto tie =
      FluxDensity(segments, 1000).evaluate_all(std::vector<Point3>{{5000, 0, -3}, {5000, 0, 1}});
  ASSERT_EQ(tie[0], tie[1]);

  request.project_maximum = true;
  const FieldSummary s = summary(request);
  EXPECT_EQ(test::read_file(request.result_path),
            "X\tY\tZ\tB [uT]\r\n5000.000\t0.000\t1.000\t100.0000\r\n"
            "5000.000\t0.000\t-3.000\t100.0000\r\n");
  EXPECT_EQ(s.points, 2);
  EXPECT_EQ(s.maximum_at.z, -3.0000001 + 4);
  // Many heights, several batches each: the running maximum carries over.
  request = points(kCable, "X Y Z\n5000 0 -200\n5000 3 -150\n", "many.txt");
  request.steps_z = 300'000;
  request.step_z = 0.001f;
  request.threads = 2;
  request.project_maximum = true;
  summary(request);
  const auto r = records(test::read_file(request.result_path));
  ASSERT_EQ(r.size(), 2u);
  EXPECT_NEAR(r[0][2], -1, 0.001);  // through the cable itself
  EXPECT_NEAR(r[1][2], -1, 0.001);
  EXPECT_NEAR(r[1][3], 200.0 / 3, 1e-3);
}

TEST_F(FieldCalculation, HugeGridsStopWithAMessageBeforeWriting) {
  PlaneGrid grid = small_grid(0, 0);
  grid.steps_x = 2'000'000'000;
  grid.steps_y = 2'000'000'000;
  FieldRequest request = plane(kOverhead, grid, "result.txt");
  test::write_file(request.result_path, "old");
  const auto failure = std::get<Message>(run(request));
  EXPECT_EQ(failure.kind, MessageKind::error);
  EXPECT_EQ(failure.text.rfind(text::kNoRoom, 0), 0u) << failure.text;
  EXPECT_EQ(test::read_file(request.result_path), "old");
  EXPECT_EQ(written(), std::vector<std::string>{"result.txt"});
  // Even a part of it.
  request.part = {7, 1000};
  EXPECT_EQ(std::get<Message>(run(request)).text.rfind(text::kNoRoom, 0), 0u);
  // A point file at more heights than any disk holds: 10^5 points x 2^31
  // heights x 14 bytes at least.
  std::string file = "X Y Z\n";
  for (int i = 0; i < 100'000; ++i) file += "0 0 0\n";
  request = points(kOverhead, file, "result.txt");
  request.steps_z = std::numeric_limits<std::int32_t>::max();
  EXPECT_EQ(std::get<Message>(run(request)).text.rfind(text::kNoRoom, 0), 0u);
  EXPECT_EQ(test::read_file(request.result_path), "old");
  EXPECT_EQ(written(), std::vector<std::string>{"result.txt"});
}

TEST_F(FieldCalculation, BadPointFilesStopWithAMessageAndWriteNothing) {
  const auto refused = [&](const std::string& file) {
    const FieldRequest request = points(kCable, file, "result.txt");
    const FieldOutcome outcome = run(request);
    EXPECT_TRUE(written().empty());
    return std::get<Message>(outcome);
  };
  EXPECT_EQ(refused(std::string(1 << 20, '1')), error_message(text::kNoPoints));  // no line end
  EXPECT_EQ(refused("X Y Z\n"), error_message(text::kNoPoints));
  EXPECT_EQ(refused("X Y Z\n1 2 3\n4 5\n"),
            error_message(std::string(text::kBadPointLine) + "3" + text::kBadPointLineEnd));
  FieldRequest missing = points(kCable, "", "result.txt");
  missing.points_path = dir_.file("none.txt");
  EXPECT_EQ(std::get<Message>(run(missing)), error_message(text::kCannotOpenPoints));
}

TEST_F(FieldCalculation, ProjectAndGridFaultsStopWithTheirMessage) {
  const PlaneGrid grid = small_grid(0, 0);
  FieldRequest request = plane(kCable, grid, "result.txt");
  for (auto [path, text] : {std::pair{&FieldRequest::data_path, text::kDataWithoutPath},
                            {&FieldRequest::result_path, text::kResultWithoutPath}}) {
    FieldRequest without = request;
    without.*path = "";
    EXPECT_EQ(std::get<Message>(run(without)), warning_message(text));
  }
  FieldRequest no_points = request;
  no_points.plane.reset();
  EXPECT_EQ(std::get<Message>(run(no_points)), warning_message(text::kPointsWithoutPath));
  request.data_path = dir_.file("none.tlva");
  EXPECT_EQ(std::get<Message>(run(request)), error_message(project_text::kCannotOpen, ENOENT));
  // The viewer's own warning: sag constants that do not match the segment length.
  request =
      plane(test::project_text({"100 1 2 30", "0 0", "0 0 0 90 300 0 0 90", "20 20", "0 0", "0"}),
            grid, "result.txt");
  const Message warning = std::get<Message>(run(request));
  EXPECT_EQ(warning.kind, MessageKind::warning);
  EXPECT_EQ(warning.text.rfind(geometry_text::kInconsistentStart, 0), 0u);
  request = plane(test::project_text({"1 2 3"}), grid, "result.txt");  // no line at all
  EXPECT_EQ(std::get<Message>(run(request)), error_message(text::kProjectInvalid));
  request = plane(kCable, grid, "result.txt");
  request.plane->steps_y = -1;
  EXPECT_EQ(std::get<Message>(run(request)), error_message(text::kNegativeSteps));
  request.plane->steps_y = 1;
  request.plane->step_x = std::numeric_limits<float>::infinity();
  EXPECT_EQ(std::get<Message>(run(request)), error_message(text::kGridNotFinite));
  request.plane->step_x = 1;
  for (const auto& [step_z, steps_z] : {std::pair{0.0f, 1}, {-1.0f, 1}, {NAN, 1}, {1.0f, -1}}) {
    FieldRequest heights = request;
    heights.step_z = step_z;
    heights.steps_z = steps_z;
    EXPECT_EQ(std::get<Message>(run(heights)), error_message(text::kBadHeights)) << step_z;
  }
  request.result_path = dir_.file("no-such-folder/result.txt");
  EXPECT_EQ(std::get<Message>(run(request)), error_message(text::kCannotCreateResult, ENOENT));
  EXPECT_TRUE(written().empty());
}

// Named by mistake as the result, the project or the point file would be
// replaced by the field written over it.
TEST_F(FieldCalculation, AResultThatIsOneOfItsInputsIsRefused) {
  const std::string point_file = "X\tY\tZ\r\n0\t5\t0\r\n";
  FieldRequest request = points(kCable, point_file, "points.txt");
  EXPECT_EQ(std::get<Message>(run(request)), error_message(text::kResultIsInput));
  EXPECT_EQ(test::read_file(request.points_path), point_file);
  request = plane(kCable, small_grid(0, 0), "line.tlva");
  EXPECT_EQ(std::get<Message>(run(request)), error_message(text::kResultIsInput));
  EXPECT_EQ(test::read_file(request.data_path), kCable);
  EXPECT_TRUE(written().empty());  // no temporary file left either
}

TEST_F(FieldCalculation, AFailedWriteLeavesTheOldResult) {
  PlaneGrid grid = small_grid(0, 0);
  grid.steps_x = 400;
  grid.steps_y = 400;
  FieldRequest request = plane(kCable, grid, "result.txt");
  test::write_file(request.result_path, "old");
  {
    test::FileSizeLimit limit(64 * 1024);
    EXPECT_EQ(std::get<Message>(run(request)), error_message(text::kCannotCreateResult, EFBIG));
  }
  EXPECT_EQ(test::read_file(request.result_path), "old");
  EXPECT_EQ(written(), std::vector<std::string>{"result.txt"});
}

}  // namespace
}  // namespace tralva
