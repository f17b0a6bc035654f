// The field map of a large result against GDAL's own command-line tools on
// the same text.  A result of side x side points 1 m apart in national
// coordinates (X and Y in metres, B with four decimals, as `campo` writes
// it), B of an overhead line crossing it and a cable run.  Times, each in a
// child process with its peak memory:
//   - mappa to GeoTIFF and GeoPackage (EPSG 6707);
//   - GDAL: X, Y and B cut out of the text under the header X Y Z (its XYZ
//     reader takes the column named Z), gdal_translate to GeoTIFF,
//     gdal_contour -p for the areas, gdal_contour for the lines;
//   - mappa to PNG (300 dpi) and to PDF, each alone.
// Then checks that the two GeoTIFFs hold the same values and that the area
// of 3 µT is GDAL's bands from 3 up.
//
//   map_bench [--folder DIR] [--side N] [--runs K] [--skip-gdal 1]

#include <gdal.h>
#include <ogr_api.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "child_run.h"
#include "common/format.h"
#include "map/map_outputs.h"

namespace {

using namespace tralva;
using bench::in_child;
using bench::median;

struct Options {
  std::string folder = "build/bench-data";
  int side = 1000;
  int runs = 3;
  bool skip_gdal = false;
};

// B of a straight line along the diagonal (about 60 µT under it) and of a
// cable run along the Y axis of the area, in µT.
double field(double x, double y, double side) {
  const double across = std::fabs(x - y) / std::sqrt(2.0);
  const double line = 1200 / (across * across + 400);
  const double cable = 25 / std::hypot(x - side * 0.8, 1.0);
  return 60 * line / 3 + (y < side * 0.6 ? cable : 0);
}

std::string result_file(const Options& o) {
  const std::string path = o.folder + "/campo-mappa.txt";
  std::FILE* f = std::fopen(path.c_str(), "w");
  std::fputs("X\tY\tZ\tB [uT]\r\n", f);
  char line[128];
  for (int j = 0; j < o.side; ++j) {
    for (int i = 0; i < o.side; ++i) {
      char* p = format_fixed(line, 500000.0 + i, 0);
      *p++ = '\t';
      p = format_fixed(p, 4500000.0 + j, 0);
      std::memcpy(p, "\t1\t", 3);
      p = format_fixed(p + 3, field(i, j, o.side), 4);
      std::memcpy(p, "\r\n", 2);
      std::fwrite(line, 1, static_cast<std::size_t>(p + 2 - line), f);
    }
  }
  std::fclose(f);
  return path;
}

struct Timing {
  double seconds;
  long peak_kib;
};

template <class Work>
Timing timed(const Options& o, const Work& work) {
  std::vector<double> times;
  long peak = 0;
  for (int r = 0; r < o.runs; ++r) {
    const auto [elapsed, memory] = in_child(work);
    times.push_back(elapsed);
    peak = std::max(peak, memory);
  }
  return {median(times), peak};
}

Timing mappa(const Options& o, const std::string& result, std::vector<std::string> outputs) {
  MapRequest request;
  request.result_path = result;
  request.epsg = 6707;
  for (const std::string& name : outputs) request.outputs.push_back(o.folder + "/" + name);
  return timed(o, [&] { return std::holds_alternative<MapSummary>(make_maps(request)); });
}

Timing command(const Options& o, const std::string& line) {
  return timed(o, [&] { return std::system(line.c_str()) == 0; });
}

void print(const char* what, const Timing& t) {
  std::printf("  %-44s %7.2f s  %7.1f MB\n", what, t.seconds,
              static_cast<double>(t.peak_kib) / 1024);
}

std::vector<float> band(const std::string& path) {
  GDALDatasetH d = GDALOpen(path.c_str(), GA_ReadOnly);
  const int w = GDALGetRasterXSize(d), h = GDALGetRasterYSize(d);
  std::vector<float> values(static_cast<std::size_t>(w) * static_cast<std::size_t>(h));
  // GDAL's XYZ raster runs south to north when the file does; ours is north up.
  double gt[6];
  GDALGetGeoTransform(d, gt);
  if (GDALRasterIO(GDALGetRasterBand(d, 1), GF_Read, 0, 0, w, h, values.data(), w, h, GDT_Float32,
                   0, 0) != CE_None) {
    values.clear();
  }
  if (gt[5] > 0) {
    for (int r = 0; r < h / 2; ++r) {
      std::swap_ranges(values.begin() + r * w, values.begin() + (r + 1) * w,
                       values.begin() + (h - 1 - r) * w);
    }
  }
  GDALClose(d);
  return values;
}

// The area of the features of layer `name` of `path` (the first when null)
// whose `field` lies between `low` and `high`.
double area_of(const std::string& path, const char* name, const char* field, double low,
               double high) {
  GDALDatasetH d = GDALOpenEx(path.c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
  OGRLayerH layer =
      name != nullptr ? GDALDatasetGetLayerByName(d, name) : GDALDatasetGetLayer(d, 0);
  double area = 0;
  while (OGRFeatureH f = OGR_L_GetNextFeature(layer)) {
    const double value = OGR_F_GetFieldAsDouble(f, OGR_F_GetFieldIndex(f, field));
    if (value >= low && value <= high) area += OGR_G_Area(OGR_F_GetGeometryRef(f));
    OGR_F_Destroy(f);
  }
  GDALClose(d);
  return area;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string name = argv[i];
    if (name == "--folder") o.folder = argv[i + 1];
    if (name == "--side") o.side = std::atoi(argv[i + 1]);
    if (name == "--runs") o.runs = std::atoi(argv[i + 1]);
    if (name == "--skip-gdal") o.skip_gdal = std::atoi(argv[i + 1]) != 0;
  }
  std::filesystem::create_directories(o.folder);
  const std::string result = result_file(o);
  std::printf("A result of %d x %d points (%.1f MB), median of %d runs, peak memory:\n", o.side,
              o.side, static_cast<double>(std::filesystem::file_size(result)) / 1e6, o.runs);
  const Timing gis = mappa(o, result, {"mappa.tif", "mappa.gpkg"});
  print("mappa -o .tif -o .gpkg", gis);
  const Timing png = mappa(o, result, {"mappa.png"});
  print("mappa -o .png (300 dpi)", png);
  const Timing pdf = mappa(o, result, {"mappa.pdf"});
  print("mappa -o .pdf", pdf);
  if (o.skip_gdal) return 0;

  const std::string f = o.folder + "/";
  const std::string xyz = f + "gdal.xyz";
  for (const char* old : {"gdal.tif", "gdal-fasce.gpkg", "gdal-isolinee.gpkg"}) {
    std::filesystem::remove(f + old);
  }
  const Timing cut = command(o, "cut -f 1,2,4 " + result + " | sed '1s/.*/X\tY\tZ/' > " + xyz);
  const Timing translate =
      command(o, "gdal_translate -q -a_srs EPSG:6707 -ot Float32 " + xyz + " " + f + "gdal.tif");
  const Timing polygons =
      command(o, "rm -f " + f +
                     "gdal-fasce.gpkg && gdal_contour -q -p -f GPKG -amin soglia_min -amax "
                     "soglia_max -fl 3 10 100 " +
                     f + "gdal.tif " + f + "gdal-fasce.gpkg");
  const Timing lines = command(
      o, "rm -f " + f + "gdal-isolinee.gpkg && gdal_contour -q -f GPKG -a soglia_uT -fl 3 10 100 " +
             f + "gdal.tif " + f + "gdal-isolinee.gpkg");
  print("cut -f 1,2,4 | sed (X Y Z for GDAL)", cut);
  print("gdal_translate to GeoTIFF", translate);
  print("gdal_contour -p (areas)", polygons);
  print("gdal_contour (lines)", lines);
  const double gdal = translate.seconds + polygons.seconds + lines.seconds;
  std::printf(
      "GDAL's tools together: %.2f s (%.2f s with the cut); mappa: %.2f s, "
      "%.2f times GDAL's time (%.2f with the cut)\n",
      gdal, gdal + cut.seconds, gis.seconds, gis.seconds / gdal,
      gis.seconds / (gdal + cut.seconds));

  GDALAllRegister();
  const bool same_values = band(f + "gdal.tif") == band(f + "mappa.tif");
  const double mine_3 = area_of(f + "mappa.gpkg", "fasce", "soglia_uT", 3, 3);
  const double theirs_3 = area_of(f + "gdal-fasce.gpkg", nullptr, "soglia_min", 3, INFINITY);
  std::printf(
      "GeoTIFF values %s; area of 3 µT: mappa %.1f m², GDAL's bands from 3 up %.1f m² "
      "(%.2g relative)\n",
      same_values ? "identical" : "DIFFERENT", mine_3, theirs_3,
      std::fabs(mine_3 - theirs_3) / theirs_3);
  return same_values ? 0 : 1;
}
