#pragma once
// One of N parts of a long calculation, so that N processes (the tasks of a
// cluster job) share it: part K of N is the K-th of N contiguous blocks of
// its rows, and only part 1 carries the header, so the parts concatenated
// in order are the whole file.

#include <cstdint>

namespace tralva {

struct WorkPart {
  std::int64_t index = 1;
  std::int64_t count = 1;

  bool valid() const { return count >= 1 && index >= 1 && index <= count; }
  bool carries_header() const { return index == 1; }
  // The first row of the part and the first row after it, of `total` rows.
  std::int64_t first_row(std::int64_t total) const { return boundary(total, index - 1); }
  std::int64_t end_row(std::int64_t total) const { return boundary(total, index); }

 private:
  // floor(total * k / count) without overflow for any 64-bit total.
  std::int64_t boundary(std::int64_t total, std::int64_t k) const {
    return total / count * k + total % count * k / count;
  }
};

}  // namespace tralva
