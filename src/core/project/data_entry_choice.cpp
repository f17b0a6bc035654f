#include "project/data_entry_choice.h"

#include <array>

namespace tralva {
namespace {
constexpr std::array kConductors{1, 3, 6};
constexpr int kMostSpans = 5;
}  // namespace

std::optional<DataEntryChoice> choose_data_entry(std::string_view line_kind, int conductors_index,
                                                 int spans_index) {
  LineKind kind;
  if (line_kind == kOverheadKind) {
    kind = LineKind::overhead;
  } else if (line_kind == kUndergroundKind) {
    kind = LineKind::underground;
  } else {
    return std::nullopt;
  }
  if (conductors_index < 0 || conductors_index >= static_cast<int>(kConductors.size()))
    return std::nullopt;
  if (spans_index < 0 || spans_index >= kMostSpans) return std::nullopt;
  return DataEntryChoice{kind, kConductors[static_cast<std::size_t>(conductors_index)],
                         spans_index + 1};
}

std::vector<DataEntryChoice> data_entry_choices() {
  std::vector<DataEntryChoice> choices;
  for (const int conductors : kConductors) {
    for (int spans = 1; spans <= kMostSpans; ++spans) {
      for (const LineKind kind : {LineKind::overhead, LineKind::underground}) {
        choices.push_back({kind, conductors, spans});
      }
    }
  }
  return choices;
}

std::string data_entry_name(const DataEntryChoice& choice) {
  return "ins_" + std::to_string(choice.conductors) + "_" + std::to_string(choice.spans) +
         (choice.kind == LineKind::overhead ? "_a" : "_int");
}

std::string data_entry_title(const DataEntryChoice& choice) {
  const bool overhead = choice.kind == LineKind::overhead;
  const bool one_span = choice.spans == 1;
  std::string title = overhead ? "Parametri linea aerea - " : "Parametri linea interrata - ";
  title += std::to_string(choice.conductors);
  title += choice.conductors == 1 ? " conduttore e " : " conduttori e ";
  title += std::to_string(choice.spans);
  if (overhead) {
    title += one_span ? " campata" : " campate";
  } else {
    title += one_span ? " tratto" : " tratti";
  }
  return title;
}

}  // namespace tralva
