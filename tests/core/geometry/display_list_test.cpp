#include "geometry/display_list.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cmath>
#include <limits>

#include "geometry/geometry_texts.h"
#include "project/project_file.h"
#include "project_text.h"
#include "test_support.h"

namespace tralva {
namespace {

constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

ConfigurationGeometry geometry(const std::string& bytes) {
  ByteStream in(bytes);
  ConfigurationOutcome outcome = build_configuration(in);
  if (const auto* message = std::get_if<Message>(&outcome)) {
    ADD_FAILURE() << "refused: " << message->text;
    return {};
  }
  return std::get<ConfigurationGeometry>(std::move(outcome));
}

// Three conductors over two spans: the first and third hang on catenaries
// (a 500 and 800), the middle one is a straight chord (a 5) on arms of
// length 0.  The first pylon lies left of the X bounds.
std::string three_by_two() {
  return test::project_text(
      {"100 3 3 50", "0 0 120 0 240 0", "100 300 0 90 300 340 10 90 500 300 0 90",
       "20 20 20 25 25 25 30 30 30", "-10 -10 -10 0 0 0 10 10 10", "500 500 5 5 800 800"});
}
constexpr ViewBounds kThreeByTwoBounds{150, 640, 250, 400, 0, 65};

std::vector<std::int32_t> codes(const DisplayList& list) {
  std::vector<std::int32_t> out;
  for (const DrawnSegment& s : list.segments) out.push_back(s.code);
  return out;
}

TEST(PlotMapping, MapsTheBoundsOntoThePlotRectangle) {
  const PlotMapping plan(Projection::xy, {0, 100, 0, 100, 7, 7});
  EXPECT_EQ(plan.column(0), 250);
  EXPECT_EQ(plan.row(0), 690);
  EXPECT_EQ(plan.column(100), 990);
  EXPECT_EQ(plan.row(100), 40);
  EXPECT_EQ(plan.column(50), 620);
  EXPECT_EQ(plan.row(50), 365);
  // Each elevation takes its own coordinates and bounds; v grows upwards.
  const ViewBounds bounds{0, 10, 100, 200, -5, 5};
  const PlotMapping yz(Projection::yz, bounds);
  EXPECT_EQ(yz.u(1, 150), 150);
  EXPECT_EQ(yz.v(150, 2.5), 2.5);
  EXPECT_EQ(yz.column(150), 620);
  EXPECT_EQ(yz.row(5), 40);
  const PlotMapping xz(Projection::xz, bounds);
  EXPECT_EQ(xz.u(1, 150), 1);
  EXPECT_EQ(xz.column(10), 990);
  EXPECT_EQ(xz.row(-5), 690);
  // Outside the bounds maps outside the rectangle.
  EXPECT_LT(xz.column(-1), 250);
}

TEST(ProjectionText, NamesTheProjectionsAndTheirAxes) {
  for (const char* text : {"XY", "YZ", "XZ"}) {
    const auto projection = projection_from_text(text);
    ASSERT_TRUE(projection);
    EXPECT_EQ(projection_text(*projection), text);
  }
  EXPECT_EQ(projection_from_text("xy"), std::nullopt);
  EXPECT_EQ(projection_from_text("ZX"), std::nullopt);
  EXPECT_EQ(axis_labels(Projection::xy).horizontal, "X");
  EXPECT_EQ(axis_labels(Projection::xy).vertical, "Y");
  EXPECT_EQ(axis_labels(Projection::yz).horizontal, "Y");
  EXPECT_EQ(axis_labels(Projection::yz).vertical, "Z");
  EXPECT_EQ(axis_labels(Projection::xz).horizontal, "X");
  EXPECT_EQ(axis_labels(Projection::xz).vertical, "Z");
}

TEST(ClippedSegment, InsideIsDrawnTruncatedToWholePixels) {
  EXPECT_EQ(draw_clipped_segment(0, 250.9, 989.99, 40.5, 689.7),
            (DrawnSegment{0, 250, 40, 989, 689}));
  // Within a hundred-thousandth of the border counts as inside.
  EXPECT_EQ(draw_clipped_segment(120, 249.999995, 300, 100, 100),
            (DrawnSegment{120, 249, 100, 300, 100}));
  EXPECT_EQ(draw_clipped_segment(120, 300, 990.000009, 39.999991, 690.000009),
            (DrawnSegment{120, 300, 39, 990, 690}));
}

TEST(ClippedSegment, EndsOutsideAreMovedOntoTheBorder) {
  // The classic parameter order: x1, x2, y1, y2.
  EXPECT_EQ(draw_clipped_segment(240, 100, 620, 365, 365), (DrawnSegment{240, 250, 365, 620, 365}));
  // Both ends moved, one of them twice.
  EXPECT_EQ(draw_clipped_segment(kStructureCode, 200, 1000, 20, 700),
            (DrawnSegment{kStructureCode, 250, 62, 988, 690}));
  EXPECT_EQ(draw_clipped_segment(0, 620, 620, -1e9, 1e9), (DrawnSegment{0, 620, 40, 620, 690}));
}

TEST(ClippedSegment, SegmentsThatMissTheRectangleAreNotDrawn) {
  EXPECT_EQ(draw_clipped_segment(0, 100, 200, 300, 400), std::nullopt);  // wholly left
  EXPECT_EQ(draw_clipped_segment(0, 1000, 2000, 300, 400), std::nullopt);
  EXPECT_EQ(draw_clipped_segment(0, 300, 400, 0, 39), std::nullopt);
  EXPECT_EQ(draw_clipped_segment(0, 300, 400, 700, 691), std::nullopt);
  // Crosses the corner region only: after its first end is moved, both lie above.
  EXPECT_EQ(draw_clipped_segment(0, 200, 260, 60, 0), std::nullopt);
}

TEST(ClippedSegment, IdenticalEndsAreDrawnOnlyInside) {
  EXPECT_EQ(draw_clipped_segment(0, 100, 100, 365, 365), std::nullopt);
  EXPECT_EQ(draw_clipped_segment(0, 1000, 1000, 30, 30), std::nullopt);
  // Inside, the line of no length is drawn, and shows nothing.
  EXPECT_EQ(draw_clipped_segment(0, 300.5, 300.5, 365, 365), (DrawnSegment{0, 300, 365, 300, 365}));
}

TEST(ClippedSegment, NonFiniteCoordinatesAreNotDrawn) {
  for (const double bad : {kNan, kInfinity, -kInfinity}) {
    EXPECT_EQ(draw_clipped_segment(0, bad, 300, 100, 100), std::nullopt);
    EXPECT_EQ(draw_clipped_segment(0, 300, bad, 100, 100), std::nullopt);
    EXPECT_EQ(draw_clipped_segment(0, 300, 300, bad, 100), std::nullopt);
    EXPECT_EQ(draw_clipped_segment(0, 300, 300, 100, bad), std::nullopt);
  }
}

TEST(Pens, StructureGreyPhasesRedGreenAndBlue) {
  const auto colour = [](std::int32_t code) {
    const Pen p = pen_for(code);
    return std::vector<int>{p.red, p.green, p.blue, p.width};
  };
  EXPECT_EQ(colour(kStructureCode), (std::vector<int>{100, 100, 100, 4}));
  EXPECT_EQ(colour(0), (std::vector<int>{255, 0, 0, 2}));
  EXPECT_EQ(colour(120), (std::vector<int>{0, 180, 0, 2}));
  EXPECT_EQ(colour(240), (std::vector<int>{0, 0, 255, 2}));
  EXPECT_EQ(colour(7), (std::vector<int>{0, 0, 255, 2}));
}

// Computed independently by display_list_golden.py beside this file.
TEST(DisplayList, GoldenListOfThreeConductorsOverTwoSpans) {
  const ConfigurationGeometry g = geometry(three_by_two());
  const std::vector<DrawnSegment> xy = {
      {1000, 476, 343, 476, 300}, {1000, 778, 516, 778, 473}, {0, 250, 473, 476, 343},
      {0, 476, 343, 778, 516},    {1000, 476, 300, 476, 300}, {1000, 778, 473, 778, 473},
      {120, 250, 430, 476, 300},  {120, 476, 300, 778, 473},  {1000, 476, 256, 476, 300},
      {1000, 778, 430, 778, 473}, {240, 250, 386, 476, 256},  {240, 476, 256, 778, 430},
  };
  const std::vector<DrawnSegment> yz = {
      {1000, 447, 490, 496, 490}, {1000, 496, 690, 496, 390}, {1000, 644, 390, 694, 390},
      {1000, 694, 590, 694, 290}, {1000, 447, 490, 496, 490}, {1000, 496, 690, 496, 390},
      {0, 447, 490, 495, 542},    {0, 495, 542, 544, 545},    {0, 544, 545, 592, 497},
      {0, 592, 497, 640, 399},    {0, 640, 399, 644, 390},    {0, 644, 390, 596, 492},
      {0, 596, 492, 547, 543},    {0, 547, 543, 499, 544},    {0, 499, 544, 451, 496},
      {0, 451, 496, 447, 490},    {1000, 496, 440, 496, 440}, {1000, 496, 690, 496, 390},
      {1000, 694, 340, 694, 340}, {1000, 694, 590, 694, 290}, {1000, 496, 440, 496, 440},
      {1000, 496, 690, 496, 390}, {120, 496, 440, 694, 340},  {120, 694, 340, 496, 440},
      {1000, 546, 390, 496, 390}, {1000, 496, 690, 496, 390}, {1000, 743, 290, 694, 290},
      {1000, 694, 590, 694, 290}, {1000, 546, 390, 496, 390}, {1000, 496, 690, 496, 390},
      {240, 546, 390, 594, 413},  {240, 594, 413, 642, 406},  {240, 642, 406, 691, 367},
      {240, 691, 367, 739, 296},  {240, 739, 296, 743, 290},  {240, 743, 290, 694, 362},
      {240, 694, 362, 646, 404},  {240, 646, 404, 598, 414},  {240, 598, 414, 549, 393},
      {240, 549, 393, 546, 390},
  };
  const std::vector<DrawnSegment> xz = {
      {1000, 476, 390, 476, 390}, {1000, 476, 590, 476, 290}, {1000, 778, 490, 778, 490},
      {1000, 778, 690, 778, 390}, {0, 250, 542, 322, 545},    {0, 322, 545, 396, 497},
      {0, 396, 497, 470, 399},    {0, 470, 399, 476, 390},    {0, 476, 390, 550, 492},
      {0, 550, 492, 624, 543},    {0, 624, 543, 698, 544},    {0, 698, 544, 772, 496},
      {0, 772, 496, 778, 490},    {1000, 476, 340, 476, 340}, {1000, 476, 590, 476, 290},
      {1000, 778, 440, 778, 440}, {1000, 778, 690, 778, 390}, {120, 250, 415, 476, 340},
      {120, 476, 340, 778, 440},  {1000, 476, 290, 476, 290}, {1000, 476, 590, 476, 290},
      {1000, 778, 390, 778, 390}, {1000, 778, 690, 778, 390}, {240, 250, 413, 322, 406},
      {240, 322, 406, 396, 367},  {240, 396, 367, 470, 296},  {240, 470, 296, 476, 290},
      {240, 476, 290, 550, 362},  {240, 550, 362, 624, 404},  {240, 624, 404, 698, 414},
      {240, 698, 414, 772, 393},  {240, 772, 393, 778, 390},
  };
  for (const auto& [projection, expected] :
       {std::pair{Projection::xy, &xy}, std::pair{Projection::yz, &yz},
        std::pair{Projection::xz, &xz}}) {
    const DisplayList list = make_display_list(g, projection, kThreeByTwoBounds);
    EXPECT_EQ(list.projection, projection);
    EXPECT_EQ(list.segments, *expected) << projection_text(projection);
  }
}

TEST(DisplayList, DrawsLineByLineThenConductorByConductorStructureFirst) {
  // A merged project: a one-conductor overhead line of one span, then a
  // two-conductor cable run of one leg.
  const ConfigurationGeometry g = geometry(test::project_text(
      {"100 1 2 30 50 2 2 0", "240 0 0 0 120 0", "0 0 0 90 300 0 0 90 0 50 0 0 300 50 0 0",
       "20 20 -1 -1 -1 -1", "2 2 -0.5 -0.5 0.5 0.5", "1000 0 0"}));
  const ViewBounds bounds{-10, 310, -10, 60, -5, 40};
  EXPECT_EQ(codes(make_display_list(g, Projection::xy, bounds)),
            (std::vector<std::int32_t>{1000, 1000, 240, 0, 120}));
  // In elevation every pylon has its arm and then its shaft.
  const std::vector<std::int32_t> elevation = codes(make_display_list(g, Projection::xz, bounds));
  ASSERT_EQ(elevation.size(), 4 + 10 + 1 + 1u);
  EXPECT_EQ(std::vector<std::int32_t>(elevation.begin(), elevation.begin() + 4),
            (std::vector<std::int32_t>(4, kStructureCode)));
  EXPECT_EQ(std::vector<std::int32_t>(elevation.begin() + 4, elevation.end()),
            (std::vector<std::int32_t>{240, 240, 240, 240, 240, 240, 240, 240, 240, 240, 0, 120}));
}

TEST(DisplayList, CableRunsHaveNoStructureInAnyProjection) {
  const ConfigurationGeometry g = geometry(test::project_text(
      {"100 3 3 0", "0 0 120 0 240 0", "0 0 0 0 100 0 0 0 200 80 0 0", "-1 -1 -1 -1 -1 -1 -2 -2 -2",
       "-0.5 -0.5 -0.5 0 0 0 0.5 0.5 0.5", "0 0 0 0 0 0"}));
  for (const Projection projection : {Projection::xy, Projection::yz, Projection::xz}) {
    const std::vector<std::int32_t> drawn =
        codes(make_display_list(g, projection, {-10, 210, -10, 90, -3, 1}));
    EXPECT_EQ(drawn, (std::vector<std::int32_t>{0, 0, 120, 120, 240, 240}))
        << projection_text(projection);
  }
}

TEST(ViewChecks, PathThenTheBoundsOfEveryAxisInOrder) {
  using namespace geometry_text;
  EXPECT_EQ(check_data_path(""), warning_message(kViewWithoutPath));
  EXPECT_EQ(check_data_path("a.tlva"), std::nullopt);
  EXPECT_EQ(check_view_bounds({}), warning_message(kBoundsX));
  EXPECT_EQ(check_view_bounds({0, 1}), warning_message(kBoundsY));
  EXPECT_EQ(check_view_bounds({0, 1, 5, 4}), warning_message(kBoundsY));
  EXPECT_EQ(check_view_bounds({0, 1, 0, 1, 3, 3}), warning_message(kBoundsZ));
  EXPECT_EQ(check_view_bounds({0, 1, 0, 1, 0, 1}), std::nullopt);
  EXPECT_EQ(check_view_bounds({kNan, 1, 0, 1, 0, 1}), warning_message(kBoundsX));
}

TEST(FittedBounds, CoverEverythingDrawnWithFivePercentMargins) {
  const auto bounds = fitted_bounds(geometry(three_by_two()));
  ASSERT_TRUE(bounds);
  // X: the pylons at 100 and 500; Y: the arms from 290 to 350; Z: from the
  // ground at 0 to the top of the middle pylon at 40.
  EXPECT_DOUBLE_EQ(bounds->x_min, 80);
  EXPECT_DOUBLE_EQ(bounds->x_max, 520);
  EXPECT_DOUBLE_EQ(bounds->y_min, 287);
  EXPECT_DOUBLE_EQ(bounds->y_max, 353);
  EXPECT_DOUBLE_EQ(bounds->z_min, -2);
  EXPECT_DOUBLE_EQ(bounds->z_max, 42);
  EXPECT_EQ(check_view_bounds(*bounds), std::nullopt);
}

TEST(FittedBounds, AnAxisWithoutWidthGetsAMetreEachSide) {
  // A straight line along X with arms of length 0: every Y is 0.
  const auto overhead = fitted_bounds(geometry(
      test::project_text({"100 1 2 30", "0 0", "0 0 0 90 300 0 0 90", "20 20", "0 0", "1000"})));
  ASSERT_TRUE(overhead);
  EXPECT_EQ(overhead->y_min, -1);
  EXPECT_EQ(overhead->y_max, 1);
  EXPECT_LT(overhead->z_min, 0);  // the ground at the pylons
  // A cable run's vertices are not drawn: only its conductors, all at -1.5.
  const auto cable = fitted_bounds(geometry(
      test::project_text({"100 1 2 0", "0 0", "0 0 0 0 100 0 0 0", "-1.5 -1.5", "0 0", "0"})));
  ASSERT_TRUE(cable);
  EXPECT_EQ(cable->z_min, -2.5);
  EXPECT_EQ(cable->z_max, -0.5);
  EXPECT_DOUBLE_EQ(cable->x_min, -5);
  EXPECT_DOUBLE_EQ(cable->x_max, 105);
}

TEST(FittedBounds, NothingToDrawGivesNoBounds) {
  EXPECT_EQ(fitted_bounds(ConfigurationGeometry{}), std::nullopt);
  EXPECT_EQ(fitted_bounds(geometry(test::project_text({"100 1 2"}))), std::nullopt);
}

TEST(DisplayListSvg, DrawsTheFrameTheLettersAndEverySegmentInOrder) {
  const DisplayList list{
      Projection::yz,
      {{kStructureCode, 250, 40, 250, 690}, {120, 300, 301, 302, 303}, {7, 1, 2, 3, 4}}};
  EXPECT_EQ(display_list_svg(list),
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
            "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"752\" height=\"663\" "
            "viewBox=\"244 34 752 663\">\r\n"
            "<rect x=\"244\" y=\"34\" width=\"752\" height=\"663\" fill=\"#ffffff\" "
            "stroke=\"#000000\" stroke-width=\"2\"/>\r\n"
            "<text x=\"250\" y=\"48\" font-family=\"sans-serif\" font-size=\"11\">Z</text>\r\n"
            "<text x=\"982\" y=\"688\" font-family=\"sans-serif\" font-size=\"11\">Y</text>\r\n"
            "<line x1=\"250\" y1=\"40\" x2=\"250\" y2=\"690\" stroke=\"#646464\" "
            "stroke-width=\"4\"/>\r\n"
            "<line x1=\"300\" y1=\"301\" x2=\"302\" y2=\"303\" stroke=\"#00b400\" "
            "stroke-width=\"2\"/>\r\n"
            "<line x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\" stroke=\"#0000ff\" stroke-width=\"2\"/>\r\n"
            "</svg>\r\n");
}

TEST(WriteDrawing, ReplacesTheFileOnlyWhenTheWholeDrawingIsWritten) {
  test::TempDir dir;
  const std::string path = dir.file("disegno.svg");
  EXPECT_EQ(write_drawing(path, "<svg/>"), std::nullopt);
  EXPECT_EQ(test::read_file(path), "<svg/>");
  {
    test::FileSizeLimit limit(1024);
    EXPECT_EQ(write_drawing(path, std::string(4096, 'x')),
              error_message(geometry_text::kCannotCreateDrawing, EFBIG));
  }
  EXPECT_EQ(test::read_file(path), "<svg/>");
  EXPECT_EQ(write_drawing(dir.file("missing/disegno.svg"), "<svg/>"),
            error_message(geometry_text::kCannotCreateDrawing, ENOENT));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()),
                          std::filesystem::directory_iterator()),
            1);  // no temporary left behind
}

}  // namespace
}  // namespace tralva
