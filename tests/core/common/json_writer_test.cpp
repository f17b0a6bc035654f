#include "common/json_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <sstream>

namespace tralva {
namespace {

TEST(JsonWriter, PlacesCommasAndKeysInNestedContainers) {
  std::ostringstream out;
  {
    JsonWriter json(out);
    json.begin_object()
        .key("a")
        .begin_array()
        .integer(1)
        .begin_array()
        .end_array()
        .begin_object()
        .end_object()
        .end_array()
        .key("b\"\\\n")
        .boolean(false)
        .key("c")
        .null()
        .key("d")
        .begin_array()
        .string("XY")
        .string("°\"\t")
        .end_array()
        .end_object();
  }
  EXPECT_EQ(out.str(), R"({"a":[1,[],{}],"b\"\\\u000a":false,"c":null,"d":["XY","°\"\u0009"]})");
}

TEST(JsonWriter, WritesNumbersInTheShortestFormOfTheirPrecision) {
  std::ostringstream out;
  {
    JsonWriter json(out);
    json.begin_array()
        .number(0.1)
        .number(0.1f)
        .number(1e21)
        .number(-0.0)
        .number(1.0 / 3)
        .number(std::numeric_limits<double>::infinity())
        .number(std::nanf(""))
        .number(std::optional<double>())
        .number(std::optional<double>(2.5))
        .integer(-2147483648LL)
        .end_array();
  }
  EXPECT_EQ(out.str(), "[0.1,0.1,1e+21,-0,0.3333333333333333,null,null,null,2.5,-2147483648]");
}

TEST(JsonWriter, LargeOutputIsWrittenWhole) {
  std::ostringstream out;
  {
    JsonWriter json(out);
    json.begin_array();
    for (int i = 0; i < 100000; ++i) json.integer(i);
    json.end_array();
  }
  const std::string text = out.str();
  EXPECT_EQ(text.substr(0, 7), "[0,1,2,");
  EXPECT_EQ(text.substr(text.size() - 12), "99998,99999]");
  EXPECT_EQ(std::count(text.begin(), text.end(), ','), 99999);
}

}  // namespace
}  // namespace tralva
