#pragma once
// The data rows of a line project, stated once.  Row I holds four numbers
// per line: current, conductors, supports, segment length.  Rows II to VI
// hold, for every line in turn, the values its counts call for:
//
//   row  values of a line with n conductors and p supports       how many
//   II   phase code and phase offset of each conductor            2n
//   III  x, y, ground level and arm angle of each support         4p
//   IV   height of each conductor at each support                 n·p
//   V    arm length of each conductor at each support             n·p
//   VI   sag constant of each conductor in each span              n·(p−1)
//
// Values over two counts are conductor-major: every support (or span) of
// the first conductor, then of the second, and so on.  Arrays that hold
// them are laid out the same way.

#include <cstddef>
#include <cstdint>

namespace tralva {

// Rows II to VI, in the order of the file.
enum class DataRow { phases, supports, heights, arm_lengths, sag_constants };
inline constexpr DataRow kDataRows[] = {DataRow::phases, DataRow::supports, DataRow::heights,
                                        DataRow::arm_lengths, DataRow::sag_constants};

// The numbers of row I for each line.
inline constexpr int kLineHeaderValues = 4;

// What a value of rows II to VI is.
enum class RowQuantity {
  phase_code,
  phase_offset,
  x,
  y,
  ground_level,
  arm_angle,
  height,
  arm_length,
  sag_constant,
};

// The values of row II for one conductor and of row III for one support.
inline constexpr RowQuantity kConductorGroup[] = {RowQuantity::phase_code,
                                                  RowQuantity::phase_offset};
inline constexpr RowQuantity kSupportGroup[] = {RowQuantity::x, RowQuantity::y,
                                                RowQuantity::ground_level, RowQuantity::arm_angle};

// Where a value lies: its conductor, its support or span (0 for what has
// none), and its index in an array of its quantity.
struct RowSlot {
  RowQuantity quantity;
  int conductor = 0;
  int place = 0;
  std::size_t index = 0;
};

// The counts of a line and where its values lie.
struct LineCounts {
  std::int32_t conductor_count = 0;
  std::int32_t support_count = 0;

  bool operator==(const LineCounts&) const = default;

  std::int32_t span_count() const { return support_count - 1; }
  std::size_t at_support(int conductor, int support) const {
    return static_cast<std::size_t>(conductor) * static_cast<std::size_t>(support_count) +
           static_cast<std::size_t>(support);
  }
  std::size_t at_span(int conductor, int span) const {
    return static_cast<std::size_t>(conductor) * static_cast<std::size_t>(span_count()) +
           static_cast<std::size_t>(span);
  }

  // How many values the line puts in a row; a count below 1 puts none.
  std::int64_t values_in(DataRow row) const;
  // In rows II to VI together.
  std::int64_t values() const;
};

// Calls visit(RowSlot) for every value the line puts in the row, in the
// order of the file, until a call returns false.  False when one did.
template <class Visit>
bool visit_row(const LineCounts& line, DataRow row, Visit&& visit) {
  const int conductors = line.conductor_count;
  const int supports = line.support_count;
  switch (row) {
    case DataRow::phases:
      for (int k = 0; k < conductors; ++k) {
        for (const RowQuantity quantity : kConductorGroup) {
          if (!visit(RowSlot{quantity, k, 0, static_cast<std::size_t>(k)})) return false;
        }
      }
      return true;
    case DataRow::supports:
      for (int s = 0; s < supports; ++s) {
        for (const RowQuantity quantity : kSupportGroup) {
          if (!visit(RowSlot{quantity, 0, s, static_cast<std::size_t>(s)})) return false;
        }
      }
      return true;
    case DataRow::heights:
    case DataRow::arm_lengths: {
      const RowQuantity quantity =
          row == DataRow::heights ? RowQuantity::height : RowQuantity::arm_length;
      for (int k = 0; k < conductors; ++k) {
        for (int s = 0; s < supports; ++s) {
          if (!visit(RowSlot{quantity, k, s, line.at_support(k, s)})) return false;
        }
      }
      return true;
    }
    case DataRow::sag_constants:
      for (int k = 0; k < conductors; ++k) {
        for (int s = 0; s < line.span_count(); ++s) {
          if (!visit(RowSlot{RowQuantity::sag_constant, k, s, line.at_span(k, s)})) return false;
        }
      }
      return true;
  }
  return true;
}

}  // namespace tralva
