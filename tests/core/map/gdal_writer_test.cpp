#include "map/gdal_writer.h"

#include <gdal.h>
#include <gtest/gtest.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <cmath>

#include "map_test_support.h"

namespace tralva {
namespace {

constexpr double kPi = 3.141592653589793;

FieldMap map_of(const std::string& result_text, std::vector<double> thresholds = {3, 10, 100}) {
  ByteStream in(result_text);
  auto made =
      make_field_map(std::get<LatticeField>(read_lattice_field(in)), thresholds, nullptr, "t", "s");
  return std::get<FieldMap>(std::move(made));
}

// GDAL opens what it wrote from a file of its own.
struct Opened {
  test::TempDir dir;
  GDALDatasetH dataset = nullptr;
  Opened(const FileBytes& bytes, const char* name) {
    EXPECT_TRUE(std::holds_alternative<std::string>(bytes));
    test::write_file(dir.file(name), std::get<std::string>(bytes));
    dataset = GDALOpenEx(dir.file(name).c_str(), GDAL_OF_RASTER | GDAL_OF_VECTOR, nullptr, nullptr,
                         nullptr);
    EXPECT_NE(dataset, nullptr);
  }
  ~Opened() {
    if (dataset != nullptr) GDALClose(dataset);
  }
};

std::string authority_code(OGRSpatialReferenceH srs) {
  const char* code = srs != nullptr ? OSRGetAuthorityCode(srs, nullptr) : nullptr;
  return code != nullptr ? code : "";
}

TEST(GisFiles, TheGeoTiffHoldsBAtEveryPointNorthUpWithXEastInAnySystem) {
  // B = 30/d around a point of RDN2008 / UTM 32N: X 500 000 (the central
  // meridian, 9° E), Y 4 500 000.
  const FieldMap map = map_of(test::disc_result(500000, 4500000));
  ASSERT_TRUE(known_epsg(6707));  // northing first in the EPSG register
  EXPECT_FALSE(known_epsg(999999));
  const Opened tif(geotiff_bytes(map, 6707), "b.tif");
  ASSERT_NE(tif.dataset, nullptr);
  EXPECT_EQ(GDALGetRasterXSize(tif.dataset), 161);
  EXPECT_EQ(GDALGetRasterYSize(tif.dataset), 161);
  double gt[6];
  ASSERT_EQ(GDALGetGeoTransform(tif.dataset, gt), CE_None);
  EXPECT_EQ(gt[0], 500000 - 20.125);
  EXPECT_EQ(gt[1], 0.25);
  EXPECT_EQ(gt[2], 0);
  EXPECT_EQ(gt[3], 4500000 + 20.125);
  EXPECT_EQ(gt[4], 0);
  EXPECT_EQ(gt[5], -0.25);
  GDALRasterBandH band = GDALGetRasterBand(tif.dataset, 1);
  EXPECT_EQ(GDALGetRasterDataType(band), GDT_Float32);
  std::vector<float> values(161 * 161);
  ASSERT_EQ(GDALRasterIO(band, GF_Read, 0, 0, 161, 161, values.data(), 161, 161, GDT_Float32, 0, 0),
            CE_None);
  // Every lattice point at the centre of its pixel, with its B.
  for (int row = 0; row < 161; ++row) {
    for (int column = 0; column < 161; ++column) {
      const double x = gt[0] + (column + 0.5) * gt[1];
      const double y = gt[3] + (row + 0.5) * gt[5];
      const std::size_t k = static_cast<std::size_t>(std::lround((y - 4499980) / 0.25) * 161 +
                                                     std::lround((x - 499980) / 0.25));
      ASSERT_EQ(values[static_cast<std::size_t>(row * 161 + column)],
                static_cast<float>(map.field.b[k]));
    }
  }
  OGRSpatialReferenceH srs = GDALGetSpatialRef(tif.dataset);
  EXPECT_EQ(authority_code(srs), "6707");
  // X stays east: the file's X 500 000 is the zone's central meridian, 9° E.
  OGRSpatialReferenceH wgs84 = OSRNewSpatialReference(nullptr);
  OSRImportFromEPSG(wgs84, 4326);
  OSRSetAxisMappingStrategy(wgs84, OAMS_TRADITIONAL_GIS_ORDER);
  OGRCoordinateTransformationH to_wgs84 = OCTNewCoordinateTransformation(srs, wgs84);
  double x = 500000, y = 4500000;
  ASSERT_TRUE(OCTTransform(to_wgs84, 1, &x, &y, nullptr));
  EXPECT_NEAR(x, 9, 1e-6);      // longitude
  EXPECT_NEAR(y, 40.65, 0.01);  // latitude
  OCTDestroyCoordinateTransformation(to_wgs84);
  OSRDestroySpatialReference(wgs84);

  const Opened bare(geotiff_bytes(map, std::nullopt), "bare.tif");
  EXPECT_EQ(GDALGetSpatialRef(bare.dataset), nullptr);
}

TEST(GisFiles, TheGeoPackageHoldsTheLinesAndTheAreasOfEachThreshold) {
  const FieldMap map = map_of(test::disc_result());
  const Opened gpkg(geopackage_bytes(map, 32633), "b.gpkg");
  ASSERT_NE(gpkg.dataset, nullptr);
  OGRLayerH lines = GDALDatasetGetLayerByName(gpkg.dataset, "isolinee");
  OGRLayerH areas = GDALDatasetGetLayerByName(gpkg.dataset, "fasce");
  ASSERT_NE(lines, nullptr);
  ASSERT_NE(areas, nullptr);
  EXPECT_EQ(authority_code(OGR_L_GetSpatialRef(areas)), "32633");
  int three_microtesla_lines = 0;
  OGR_L_ResetReading(lines);
  while (OGRFeatureH f = OGR_L_GetNextFeature(lines)) {
    if (OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "soglia_uT")) == 3) {
      ++three_microtesla_lines;
      OGRGeometryH g = OGR_F_GetGeometryRef(f);
      for (int k = 0; k < OGR_G_GetPointCount(g); ++k) {
        EXPECT_NEAR(std::hypot(OGR_G_GetX(g, k), OGR_G_GetY(g, k)), 10, 0.25);
      }
    }
    OGR_F_Destroy(f);
  }
  EXPECT_GE(three_microtesla_lines, 1);
  EXPECT_EQ(OGR_L_GetFeatureCount(areas, TRUE), 3);
  OGR_L_ResetReading(areas);
  while (OGRFeatureH f = OGR_L_GetNextFeature(areas)) {
    const double t = OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "soglia_uT"));
    const double area = OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, "area_m2"));
    OGRGeometryH g = OGR_F_GetGeometryRef(f);
    EXPECT_TRUE(OGR_G_IsValid(g)) << t;
    EXPECT_NEAR(OGR_G_Area(g), area, 1e-6 * area) << t;
    if (t == 3) {
      EXPECT_NEAR(area, kPi * 100, kPi * 100 * 0.01);
    }
    OGR_F_Destroy(f);
  }
}

TEST(GisFiles, TheAreaOfThreeMicroteslaIsTheCellsThatReachItOnTheExampleLine) {
  // The example line as the guide maps it: 111 x 31 points, 10 m apart.
  test::TempDir dir;
  FieldRequest request;
  request.data_path = std::string(TRALVA_EXAMPLES_DIR) + "/progetto-unito.tlva";
  request.plane = PlaneGrid{
      .origin_x = -50, .origin_y = -100, .step_x = 10, .step_y = 10, .steps_x = 110, .steps_y = 30};
  request.level = 1;
  request.result_path = dir.file("campo.txt");
  NullProgress none;
  SystemClock clock;
  ASSERT_TRUE(std::holds_alternative<FieldSummary>(compute_field(request, none, clock)));
  const FieldMap map = map_of(test::read_file(dir.file("campo.txt")));
  const double cell = map.field.lattice.cell_area();
  const auto reaching =
      std::count_if(map.field.b.begin(), map.field.b.end(), [](double b) { return b >= 3; });
  ASSERT_GT(reaching, 100);
  const Opened gpkg(geopackage_bytes(map, std::nullopt), "example.gpkg");
  OGRLayerH areas = GDALDatasetGetLayerByName(gpkg.dataset, "fasce");
  OGRFeatureH first = OGR_L_GetNextFeature(areas);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(OGR_F_GetFieldAsDouble(first, OGR_F_GetFieldIndex(first, "soglia_uT")), 3);
  const double area = OGR_G_Area(OGR_F_GetGeometryRef(first));
  OGR_F_Destroy(first);
  // Within one row of cells of the cells whose B reaches 3 µT.
  EXPECT_NEAR(area, static_cast<double>(reaching) * cell,
              static_cast<double>(map.raster.columns) * cell);
}

}  // namespace
}  // namespace tralva
