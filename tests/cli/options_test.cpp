#include "options.h"

#include <gtest/gtest.h>

namespace tralva::cli {
namespace {

constexpr OptionRule kRules[] = {
    {.name = "-o", .values = 1, .file = true, .repeatable = true},
    {.name = "--passo", .values = 2},
};
constexpr CommandRules kCommand{.name = "prova", .options = kRules, .operands = 1};

// A repeatable option gathers its values in the order given, each checked
// as the first; any other is refused the second time.
TEST(ParseOptions, ARepeatableOptionGathersItsValuesInOrder) {
  const auto parsed =
      parse_options({"-o", "a.tif", "p.tlva", "--passo", "1", "2", "-o", "b.png"}, kCommand);
  ASSERT_TRUE(std::holds_alternative<ParsedArguments>(parsed));
  const ParsedArguments& sorted = std::get<ParsedArguments>(parsed);
  EXPECT_EQ(sorted.options.at("-o"), (Arguments{"a.tif", "b.png"}));
  EXPECT_EQ(sorted.operands, Arguments{"p.tlva"});

  EXPECT_TRUE(std::get<std::string>(parse_options({"-o", "a.tif", "-o", "-", "p"}, kCommand))
                  .starts_with("-o: «-» non è un nome di file ammesso"));
  EXPECT_EQ(std::get<std::string>(
                parse_options({"--passo", "1", "2", "p", "--passo", "3", "4"}, kCommand)),
            "opzione ripetuta: «--passo».");
}

}  // namespace
}  // namespace tralva::cli
