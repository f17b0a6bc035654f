#include "map/map_outputs.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "map/map_texts.h"
#include "map_test_support.h"
#include "ordinary_user.h"

namespace tralva {
namespace {

namespace text = map_text;

class MapOutputs : public ::testing::Test {
 protected:
  MapOutputs() { test::write_file(dir_.file("disco.txt"), test::disc_result()); }
  MapRequest request(std::vector<std::string> names) {
    MapRequest r;
    r.result_path = dir_.file("disco.txt");
    r.dpi = 72;
    for (const std::string& name : names) r.outputs.push_back(dir_.file(name));
    return r;
  }
  void old_files(std::initializer_list<const char*> names) {
    for (const char* name : names) test::write_file(dir_.file(name), "old");
  }
  test::TempDir dir_;
};

TEST_F(MapOutputs, TheFormatComesFromTheExtensionInAnyCase) {
  EXPECT_EQ(map_format("a/mappa.PNG"), MapFormat::png);
  EXPECT_EQ(map_format("mappa.Svg"), MapFormat::svg);
  EXPECT_EQ(map_format("mappa.pdf"), MapFormat::pdf);
  EXPECT_EQ(map_format("mappa.tiff"), MapFormat::geotiff);
  EXPECT_EQ(map_format("mappa.GPKG"), MapFormat::geopackage);
  EXPECT_EQ(map_format("mappa.jpg"), std::nullopt);
  EXPECT_EQ(map_format("cartella.png/mappa"), std::nullopt);
}

TEST_F(MapOutputs, WritesEveryFileAndWarnsOfGisFilesWithoutACoordinateSystem) {
  old_files({"m.png", "m.tif"});
  MapRequest r = request({"m.png", "m.svg", "m.pdf", "m.tif", "m.gpkg"});
  const MapOutcome outcome = make_maps(r);
  ASSERT_TRUE(std::holds_alternative<MapSummary>(outcome));
  const MapSummary& summary = std::get<MapSummary>(outcome);
  EXPECT_EQ(summary.written, r.outputs);
  EXPECT_EQ(summary.warning, warning_message(text::kNoCoordinateSystem));
  EXPECT_EQ(test::read_file(dir_.file("m.png")).substr(1, 3), "PNG");
  EXPECT_EQ(test::read_file(dir_.file("m.tif")).substr(0, 2), "II");
  EXPECT_EQ(summary.areas.size(), 3u);
  EXPECT_EQ(test::names_in(dir_.path()),
            (std::vector<std::string>{"disco.txt", "m.gpkg", "m.pdf", "m.png", "m.svg", "m.tif"}));
  r.epsg = 3004;
  r.outputs = {dir_.file("m.gpkg")};
  EXPECT_EQ(std::get<MapSummary>(make_maps(r)).warning, std::nullopt);
}

TEST_F(MapOutputs, NoTargetChangesUnlessEveryFileIsComplete) {
  old_files({"a.tif", "b.gpkg"});
  const std::vector<std::string> before{"a.tif", "b.gpkg", "disco.txt"};
  // A folder that does not exist: refused before anything is drawn.
  MapOutcome missing = make_maps(request({"a.tif", "b.gpkg", "nessuna/c.png"}));
  ASSERT_TRUE(std::holds_alternative<Message>(missing));
  EXPECT_EQ(std::get<Message>(missing).cause, ENOENT);
  EXPECT_EQ(std::get<Message>(missing).text,
            text::kCannotCreateMap + dir_.file("nessuna/c.png") + text::kCannotCreateMapEnd);
  // A disk that fills while the picture is written, after the GeoTIFF.
  {
    const test::FileSizeLimit small(150 * 1024);
    MapRequest r = request({"a.tif", "b.png"});
    r.dpi = 300;
    const MapOutcome full = make_maps(r);
    ASSERT_TRUE(std::holds_alternative<Message>(full));
    EXPECT_EQ(std::get<Message>(full).cause, EFBIG);
  }
  // A map over its own input.
  std::filesystem::rename(dir_.file("disco.txt"), dir_.file("disco.pdf"));
  MapRequest onto = request({"a.tif", "disco.pdf"});
  onto.result_path = dir_.file("disco.pdf");
  EXPECT_EQ(std::get<Message>(make_maps(onto)),
            error_message(text::kMapIsInput + onto.result_path + text::kMapIsInputEnd));
  std::filesystem::rename(dir_.file("disco.pdf"), dir_.file("disco.txt"));
  for (const char* name : {"a.tif", "b.gpkg"}) EXPECT_EQ(test::read_file(dir_.file(name)), "old");
  EXPECT_EQ(test::names_in(dir_.path()), before);
}

TEST_F(MapOutputs, AGridTurnedInPlanMapsToPicturesOnly) {
  test::plane_result(dir_.file("l.tlva"),
                     {.origin_x = 0,
                      .origin_y = -50,
                      .step_x = 5,
                      .step_y = 5,
                      .steps_x = 20,
                      .steps_y = 20,
                      .fi = 30},
                     "cm", dir_.file("ruotata.txt"));
  MapRequest r = request({"r.png", "r.gpkg"});
  r.result_path = dir_.file("ruotata.txt");
  EXPECT_EQ(std::get<Message>(make_maps(r)), error_message(text::kTurnedLatticeForGis));
  EXPECT_FALSE(test::exists(dir_.file("r.png")));
  r.outputs.pop_back();
  r.project_path = dir_.file("l.tlva");
  EXPECT_TRUE(std::holds_alternative<MapSummary>(make_maps(r)));
}

}  // namespace
}  // namespace tralva
