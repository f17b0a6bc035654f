#include "geometry/drawing.h"

#include <gtest/gtest.h>

#include "geometry/geometry_texts.h"
#include "project_text.h"
#include "test_support.h"

namespace tralva {
namespace {

TEST(DrawingFormat, IsTheExtensionInAnyCase) {
  EXPECT_EQ(drawing_format("disegno.svg"), DrawingFormat::svg);
  EXPECT_EQ(drawing_format("/dati/A.SVG"), DrawingFormat::svg);
  EXPECT_EQ(drawing_format("elenco.Json"), DrawingFormat::json);
  EXPECT_EQ(drawing_format(".json"), DrawingFormat::json);
  EXPECT_EQ(drawing_format("vista.PNG"), DrawingFormat::png);
  for (const char* other : {"disegno.jpg", "svg", "disegno.svg.txt", "disegno.svgz", ""}) {
    EXPECT_EQ(drawing_format(other), std::nullopt) << other;
  }
}

// The caller's step between the checks and the reading of the project runs
// only once the checks have passed.
TEST(DrawConfiguration, TheStepAfterTheChecksRunsOnlyWhenTheyPass) {
  test::TempDir dir;
  const std::string project = dir.file("linea.tlva");
  test::write_file(project, test::project_text(
                                {"10 1 2 30", "0 0", "0 0 0 90 100 0 0 90", "20 20", "0 0", "5"}));
  const ViewBounds bounds{0, 100, -1, 1, 0, 40};
  const struct {
    DrawingRequest request;
    bool checked;
    std::optional<Message> failure;
  } cases[] = {
      {{"", Projection::xy, bounds, true}, false, warning_message(geometry_text::kViewWithoutPath)},
      {{project, Projection::xy, {0, 100, -1, 1, 0, 0}},
       false,
       warning_message(geometry_text::kBoundsZ)},
      {{dir.file("nessuno.tlva"), Projection::xy, bounds}, true, std::nullopt},
      {{project, Projection::xz, bounds}, true, std::nullopt},
      {{project, Projection::xz, {}, true}, true, std::nullopt},
  };
  for (const auto& c : cases) {
    int steps = 0;
    const DrawingOutcome outcome = draw_configuration(c.request, [&steps] { ++steps; });
    EXPECT_EQ(steps, c.checked ? 1 : 0) << c.request.data_path;
    if (c.failure) {
      EXPECT_EQ(std::get<Message>(outcome), *c.failure);
    }
  }
  // Unreadable, the project stops the command after the step.
  EXPECT_EQ(std::get<Message>(draw_configuration(cases[2].request)).kind, MessageKind::error);
  const auto typed = std::get<Drawing>(draw_configuration(cases[3].request));
  EXPECT_EQ(typed.bounds, bounds);
  EXPECT_EQ(typed.list.projection, Projection::xz);
  EXPECT_EQ(typed.list.segments.size(), 5u);  // two arms, two shafts, the conductor
  // Fitted: X 0..100 and Z 0..20 widened by 5 %; Y has no width.
  const auto fitted = std::get<Drawing>(draw_configuration(cases[4].request));
  EXPECT_EQ(fitted.bounds, (ViewBounds{-5, 105, -1, 1, -1, 21}));
  EXPECT_EQ(fitted.list.segments.size(), typed.list.segments.size());
}

}  // namespace
}  // namespace tralva
