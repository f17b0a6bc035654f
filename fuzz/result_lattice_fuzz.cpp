// The result reader of the map on any bytes: it ends; a lattice it accepts
// has at least 2 x 2 points, one finite B of at least 0 for each, its
// maximum where it says, and a raster view that visits every point once;
// and reading the bytes from a file gives what reading them from memory gives.
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "map/lattice.h"

namespace {

void check(const tralva::LatticeField& field) {
  const tralva::Lattice& l = field.lattice;
  if (l.inner_count < 2 || l.outer_count < 2) std::abort();
  if (field.b.size() != static_cast<std::size_t>(l.size())) std::abort();
  for (const double b : field.b) {
    if (!std::isfinite(b) || b < 0 || b > field.maximum()) std::abort();
  }
  const tralva::RasterView view = tralva::raster_view(l);
  if (view.columns * view.rows != l.size()) std::abort();
  std::vector<bool> seen(field.b.size());
  for (std::int64_t r = 0; r < view.rows; ++r) {
    for (std::int64_t c = 0; c < view.columns; ++c) {
      const std::int64_t k = view.point(c, r);
      if (k < 0 || k >= l.size() || seen[static_cast<std::size_t>(k)]) std::abort();
      seen[static_cast<std::size_t>(k)] = true;
    }
  }
}

bool same(const tralva::LatticeOutcome& a, const tralva::LatticeOutcome& b) {
  if (a.index() != b.index()) return false;
  if (const auto* m = std::get_if<tralva::Message>(&a)) return *m == std::get<tralva::Message>(b);
  const auto& x = std::get<tralva::LatticeField>(a);
  const auto& y = std::get<tralva::LatticeField>(b);
  return x.b == y.b && x.maximum_at == y.maximum_at && x.lattice.origin == y.lattice.origin &&
         x.lattice.inner == y.lattice.inner && x.lattice.outer == y.lattice.outer;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  tralva::ByteStream memory(bytes);
  const tralva::LatticeOutcome in_memory = tralva::read_lattice_field(memory);
  if (const auto* field = std::get_if<tralva::LatticeField>(&in_memory)) {
    if (field->b.size() * 8 > size) std::abort();  // "0 0 0 0\n" at the least
    check(*field);
  }
  const tralva::fuzz::InputFile file(data, size);
  if (!same(in_memory, tralva::read_lattice_field(file.path()))) std::abort();
  return 0;
}
