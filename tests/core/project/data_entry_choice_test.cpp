#include "project/data_entry_choice.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace tralva {
namespace {

TEST(DataEntryChoice, StartValuesChooseThreeConductorsOneSpanOverhead) {
  const auto choice = choose_data_entry("Aerea", 1, 0);
  ASSERT_TRUE(choice);
  EXPECT_EQ(data_entry_name(*choice), "ins_3_1_a");
  EXPECT_EQ(choice->supports(), 2);
}

TEST(DataEntryChoice, EveryCellOfTheTableNamesItsOwnDialog) {
  std::set<std::string> names;
  for (const char* kind : {"Aerea", "Interrata"}) {
    for (int c = 0; c < 3; ++c) {
      for (int s = 0; s < 5; ++s) {
        const auto choice = choose_data_entry(kind, c, s);
        ASSERT_TRUE(choice);
        names.insert(data_entry_name(*choice));
      }
    }
  }
  EXPECT_EQ(names.size(), 30u);
  EXPECT_TRUE(names.count("ins_1_1_a"));
  EXPECT_TRUE(names.count("ins_6_5_int"));
  EXPECT_EQ(data_entry_name(*choose_data_entry("Interrata", 2, 4)), "ins_6_5_int");
  EXPECT_EQ(data_entry_name(*choose_data_entry("Aerea", 0, 3)), "ins_1_4_a");
}

TEST(DataEntryChoice, TheFamilyIsOrderedByConductorsThenSpansOverheadFirst) {
  std::vector<std::string> names;
  for (const DataEntryChoice& choice : data_entry_choices())
    names.push_back(data_entry_name(choice));
  ASSERT_EQ(names.size(), 30u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 30u);
  EXPECT_EQ((std::vector<std::string>(names.begin(), names.begin() + 3)),
            (std::vector<std::string>{"ins_1_1_a", "ins_1_1_int", "ins_1_2_a"}));
  EXPECT_EQ(names[10], "ins_3_1_a");
  EXPECT_EQ(names[29], "ins_6_5_int");
}

TEST(DataEntryChoice, UnknownKindOrIndexOutsideTheListsChoosesNothing) {
  EXPECT_FALSE(choose_data_entry("aerea", 1, 0));  // the comparison is case-sensitive
  EXPECT_FALSE(choose_data_entry("", 1, 0));
  EXPECT_FALSE(choose_data_entry("Aerea", 3, 0));
  EXPECT_FALSE(choose_data_entry("Aerea", -1, 0));
  EXPECT_FALSE(choose_data_entry("Interrata", 0, 5));
  EXPECT_FALSE(choose_data_entry("Interrata", 0, -1));
}

TEST(DataEntryChoice, TitlesUseSingularAndPluralByKind) {
  EXPECT_EQ(data_entry_title({LineKind::overhead, 1, 1}),
            "Parametri linea aerea - 1 conduttore e 1 campata");
  EXPECT_EQ(data_entry_title({LineKind::overhead, 3, 2}),
            "Parametri linea aerea - 3 conduttori e 2 campate");
  EXPECT_EQ(data_entry_title({LineKind::underground, 3, 1}),
            "Parametri linea interrata - 3 conduttori e 1 tratto");
  EXPECT_EQ(data_entry_title({LineKind::underground, 6, 5}),
            "Parametri linea interrata - 6 conduttori e 5 tratti");
}

}  // namespace
}  // namespace tralva
