// The point-file reader on any bytes: it ends, every point it gives is
// finite, line numbers only grow, no point holds more numbers than the input,
// and reading the bytes from a file gives what reading them from memory gives.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "field/field_points.h"
#include "fuzz_support.h"

namespace {

struct Read {
  std::vector<tralva::Point3> points;
  tralva::PointFileReader::Next last = tralva::PointFileReader::Next::end;
  std::int64_t line = 0;
};

void read_all(tralva::PointFileReader& reader, Read& r) {
  tralva::Point3 p;
  std::int64_t line = 0;
  while ((r.last = reader.next(p)) == tralva::PointFileReader::Next::point) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) std::abort();
    if (reader.line_number() <= line) std::abort();
    line = reader.line_number();
    r.points.push_back(p);
  }
  r.line = reader.line_number();
}

bool same(const Read& a, const Read& b) {
  if (a.last != b.last || a.line != b.line || a.points.size() != b.points.size()) return false;
  for (std::size_t i = 0; i < a.points.size(); ++i) {
    if (a.points[i].x != b.points[i].x || a.points[i].y != b.points[i].y ||
        a.points[i].z != b.points[i].z) {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tralva::ByteStream memory(bytes);
  tralva::PointFileReader from_memory(memory);
  Read in_memory;
  read_all(from_memory, in_memory);
  if (in_memory.points.size() * 6 > size) std::abort();  // "1 1 1\n" at the least

  const tralva::fuzz::InputFile file(data, size);
  tralva::PointFileReader from_file;
  if (!from_file.open(file.path())) std::abort();
  Read in_file;
  read_all(from_file, in_file);
  if (!same(in_memory, in_file)) std::abort();
  return 0;
}
