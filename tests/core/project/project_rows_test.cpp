#include "project/project_rows.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>
#include <vector>

namespace tralva {
namespace {

// The walk of every row and the sizes that readers allocate from agree, and
// the walk reaches each element of a quantity's array once.
TEST(ProjectRows, TheWalkAndTheSizesAgree) {
  for (const int conductors : {-1, 0, 1, 3, 6}) {
    for (const int supports : {-2, 0, 1, 2, 6}) {
      const LineCounts line{conductors, supports};
      std::int64_t total = 0;
      for (const DataRow row : kDataRows) {
        std::map<RowQuantity, std::set<std::size_t>> seen;
        std::int64_t visits = 0;
        visit_row(line, row, [&](const RowSlot& slot) {
          ++visits;
          EXPECT_TRUE(seen[slot.quantity].insert(slot.index).second);
          return true;
        });
        EXPECT_EQ(visits, line.values_in(row)) << conductors << ' ' << supports;
        for (const auto& [quantity, indices] : seen) {
          EXPECT_EQ(*indices.rbegin() + 1, indices.size());  // 0 to size - 1, none missed
        }
        total += visits;
      }
      EXPECT_EQ(total, line.values());
    }
  }
}

TEST(ProjectRows, ConductorsComeFirstWhereTwoCountsMeet) {
  const LineCounts line{2, 3};
  std::vector<std::pair<int, int>> order;
  visit_row(line, DataRow::sag_constants, [&](const RowSlot& slot) {
    order.emplace_back(slot.conductor, slot.place);
    EXPECT_EQ(slot.index, line.at_span(slot.conductor, slot.place));
    return true;
  });
  EXPECT_EQ(order, (std::vector<std::pair<int, int>>{{0, 0}, {0, 1}, {1, 0}, {1, 1}}));
  int visits = 0;
  EXPECT_FALSE(visit_row(line, DataRow::supports, [&](const RowSlot&) { return ++visits < 5; }));
  EXPECT_EQ(visits, 5);  // stops at the first refusal
}

}  // namespace
}  // namespace tralva
