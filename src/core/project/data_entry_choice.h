#pragma once
// Which of the 30 data-entry dialogs a choice of line kind, conductors and
// spans stands for, and the names and titles that follow from it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/power_line.h"

namespace tralva {

struct DataEntryChoice {
  LineKind kind = LineKind::overhead;
  int conductors = 3;  // 1, 3 or 6
  int spans = 1;       // 1 to 5

  int supports() const { return spans + 1; }
  bool operator==(const DataEntryChoice&) const = default;
};

inline constexpr std::string_view kOverheadKind = "Aerea";
inline constexpr std::string_view kUndergroundKind = "Interrata";

// The Start page's dispatch: the kind's text compared exactly, then the index
// of the conductor list (0, 1, 2 for 1, 3, 6) and of the span list (0 to 4
// for 1 to 5).  Anything else chooses nothing.
std::optional<DataEntryChoice> choose_data_entry(std::string_view line_kind, int conductors_index,
                                                 int spans_index);

// All 30, in the order the Start page builds its dialogs: by conductors,
// then spans, the overhead one before the underground one.
std::vector<DataEntryChoice> data_entry_choices();

// "ins_3_2_a", "ins_6_5_int".
std::string data_entry_name(const DataEntryChoice& choice);

// The frame title, as "Parametri linea aerea - 3 conduttori e 2 campate".
std::string data_entry_title(const DataEntryChoice& choice);

}  // namespace tralva
