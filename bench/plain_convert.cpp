#include "plain_convert.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "project/project_file.h"

namespace tralva::plain {
namespace {

int decimals(const std::string& precision) {
  if (precision == "mm") return 3;
  if (precision == "cm") return 2;
  if (precision == "dm") return 1;
  return 0;
}

// {read a number, read a character} until the character is `stop` or EOF.
long long count_numbers(FILE* f, int stop) {
  long long count = 0;
  for (;;) {
    float ignored;
    (void)std::fscanf(f, "%f", &ignored);
    int c = std::fgetc(f);
    if (c == '\r') {  // CR LF reads as one line end, as in text mode
      const int next = std::fgetc(f);
      if (next == '\n') {
        c = '\n';
      } else {
        std::ungetc(next, f);
      }
    }
    ++count;
    if (c == stop || c == EOF) return count;
  }
}

}  // namespace

bool create_base_file(const BaseGridRequest& r) {
  FILE* f = std::fopen(r.base_file_path.c_str(), "wb");
  if (f == nullptr) return false;
  static const char* const formats[] = {"%.lf\t%.lf\t%i\r\n", "%.1lf\t%.1lf\t%i\r\n",
                                        "%.2lf\t%.2lf\t%i\r\n", "%.3lf\t%.3lf\t%i\r\n"};
  const char* format = formats[decimals(r.base_precision)];
  std::fprintf(f, "X\tY\tZ\r\n");
  for (long long i = 0; i <= r.steps_x; ++i) {
    for (long long j = 0; j <= r.steps_y; ++j) {
      const double x = r.origin_x + static_cast<double>(i) * static_cast<double>(r.step);
      const double y = r.origin_y + static_cast<double>(j) * static_cast<double>(r.step);
      std::fprintf(f, format, x, y, 0);
    }
  }
  return std::fclose(f) == 0;
}

bool convert_result(const ResultConversionRequest& r) {
  FILE* in = std::fopen(r.gis_input_path.c_str(), "rb");
  if (in == nullptr) return false;
  FILE* out = std::fopen(r.conversion_output_path.c_str(), "wb");
  if (out == nullptr) return false;
  const int fi = std::atoi(r.fi.c_str());
  const int psi = std::atoi(r.psi.c_str());
  long start = 0;
  for (int c; (c = std::fgetc(in)) != EOF;) {
    ++start;
    if (c == '\n') break;
  }
  const long long columns = r.steps_x + 1LL;
  const long long rows = r.steps_y + 1LL;
  const long long n = columns * rows;
  if (count_numbers(in, EOF) - 1 != 4 * n) return false;
  std::fprintf(out, "0.0");
  std::fseek(in, start, SEEK_SET);
  std::vector<float> x(n), y(n), z(n), v(n);
  for (long long i = 0; i < n; ++i) {
    char c1, c2, c3;
    std::fscanf(in, "%f%c%f%c%f%c%f", &x[i], &c1, &y[i], &c2, &z[i], &c3, &v[i]);
  }
  std::fclose(in);
  static const char* const columns_formats[] = {"\t%.f", "\t%.1f", "\t%.2f", "\t%.3f"};
  static const char* const rows_formats[] = {"\r\n%.f", "\r\n%.1f", "\r\n%.2f", "\r\n%.3f"};
  const int d = decimals(r.result_precision);
  const bool flat = psi == 0 || psi == 180;
  const bool fi_0_180 = fi == 0 || fi == 180;
  const std::vector<float>& column = flat ? (fi == 90 || fi == 270 ? y : x) : (fi_0_180 ? x : y);
  const std::vector<float>& row = flat ? (fi == 90 || fi == 270 ? x : y) : z;
  const char* row_format = flat ? rows_formats[d] : "\r\n%.2f";
  for (long long k = 0; k < columns; ++k) std::fprintf(out, columns_formats[d], column[k]);
  long long cell = 0;
  for (long long j = 0; j < rows; ++j) {
    std::fprintf(out, row_format, row[j * columns]);
    for (long long k = 0; k < columns; ++k) std::fprintf(out, "\t%.3f", v[cell++]);
  }
  return std::fclose(out) == 0;
}

bool convert_terrain(const TerrainConversionRequest& r) {
  FILE* in = std::fopen(r.terrain_input_path.c_str(), "rb");
  if (in == nullptr) return false;
  FILE* out = std::fopen(r.terrain_gis_path.c_str(), "wb");
  if (out == nullptr) return false;
  const long long nc = count_numbers(in, '\n') - 1;
  std::rewind(in);
  const long long nr = count_numbers(in, EOF) / (nc + 1) - 1;
  std::rewind(in);
  std::vector<double> x(nc), y(nr);
  std::vector<float> heights(nr * nc);
  double corner;
  std::fscanf(in, "%lf", &corner);
  for (long long c = 0; c < nc; ++c) std::fscanf(in, "%lf", &x[c]);
  for (long long j = 0; j < nr; ++j) {
    std::fscanf(in, "%lf", &y[j]);
    for (long long c = 0; c < nc; ++c) std::fscanf(in, "%f", &heights[j * nc + c]);
  }
  std::fclose(in);
  static const char* const formats[] = {"%.lf\t%.lf\t%.2f\r\n", "%.1lf\t%.1lf\t%.2f\r\n",
                                        "%.2lf\t%.2lf\t%.2f\r\n", "%.3lf\t%.3lf\t%.2f\r\n"};
  const char* format = formats[decimals(r.terrain_precision)];
  std::fprintf(out, "X\tY\tZ\r\n");
  for (long long j = 0; j < nr; ++j) {
    for (long long c = 0; c < nc; ++c) std::fprintf(out, format, x[c], y[j], heights[j * nc + c]);
  }
  return std::fclose(out) == 0;
}

namespace {

struct Project {
  std::vector<float> current, segment;
  std::vector<int> conductors, supports;
  std::vector<float> phases, heights, arms, sags;
  std::vector<double> support_values;
};

bool read_project(const std::string& path, Project& p) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  std::fseek(f, 945, SEEK_SET);
  const long long lines = count_numbers(f, '\n') / 4;
  std::fseek(f, 945, SEEK_SET);
  long long n2 = 0, n3 = 0, n4 = 0, n6 = 0;
  for (long long l = 0; l < lines; ++l) {
    float current, segment;
    int conductors, supports;
    std::fscanf(f, "%f %i %i %f ", &current, &conductors, &supports, &segment);
    p.current.push_back(current);
    p.conductors.push_back(conductors);
    p.supports.push_back(supports);
    p.segment.push_back(segment);
    n2 += 2LL * conductors;
    n3 += 4LL * supports;
    n4 += 1LL * conductors * supports;
    n6 += conductors * (supports - 1LL);
  }
  const auto read = [f](auto& values, long long count, const char* format) {
    values.resize(count);
    for (auto& value : values) std::fscanf(f, format, &value);
  };
  read(p.phases, n2, "%f");
  read(p.support_values, n3, "%lf");
  read(p.heights, n4, "%f");
  read(p.arms, n4, "%f");
  read(p.sags, n6, "%f");
  std::fclose(f);
  return true;
}

}  // namespace

bool merge_projects(const MergeRequest& r) {
  Project parent, child;
  if (!read_project(r.parent_path, parent) || !read_project(r.child_path, child)) return false;
  FILE* f = std::fopen(r.parent_path.c_str(), "wb");
  if (f == nullptr) return false;
  const std::string_view header = project_header();
  std::fwrite(header.data(), 1, header.size(), f);
  for (std::size_t l = 0; l < parent.current.size(); ++l) {
    std::fprintf(f, "%g %i %i %g ", parent.current[l], parent.conductors[l], parent.supports[l],
                 parent.segment[l]);
  }
  for (std::size_t l = 0; l < child.current.size(); ++l) {
    if (l > 0) std::fprintf(f, " ");
    std::fprintf(f, "%g %i %i %g", child.current[l], child.conductors[l], child.supports[l],
                 child.segment[l]);
  }
  std::fprintf(f, "\r\n");
  const auto row = [f](const auto& a, const auto& b, const char* format) {
    for (const auto value : a) std::fprintf(f, format, value);
    for (const auto value : b) std::fprintf(f, format, value);
    std::fprintf(f, "\r\n");
  };
  row(parent.phases, child.phases, "%g ");
  row(parent.support_values, child.support_values, "%lf ");
  row(parent.heights, child.heights, "%g ");
  row(parent.arms, child.arms, "%g ");
  row(parent.sags, child.sags, "%g ");
  return std::fclose(f) == 0;
}

}  // namespace tralva::plain
