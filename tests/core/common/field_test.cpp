#include "common/field.h"

#include <gtest/gtest.h>

#include <limits>

namespace tralva {
namespace {

TEST(FieldNumber, ReadsTheLongestLeadingNumberAndIgnoresTheRest) {
  EXPECT_EQ(parse_field_double("2.5abc"), 2.5);
  EXPECT_EQ(parse_field_double("1,5"), 1.0);
  EXPECT_EQ(parse_field_double("  \t-12e2 m"), -1200.0);
  EXPECT_EQ(parse_field_double("12abc"), 12.0);
  EXPECT_EQ(parse_field_double("1e"), 1.0);
  EXPECT_EQ(parse_field_double(".5"), 0.5);
  EXPECT_EQ(parse_field_float("0.1"), 0.1f);
}

TEST(FieldNumber, NothingThatStartsANumberIsNoNumber) {
  for (const char* text : {"", " ", "-", "+", ".", "-.", "abc", "e5", ",5"}) {
    EXPECT_EQ(parse_field_double(text), std::nullopt) << '"' << text << '"';
    EXPECT_EQ(parse_field_int(text), std::nullopt) << '"' << text << '"';
  }
}

// Infinity is a number to no file: a value beyond the range of its type
// reads as no number, and leading_number() tells it from none at all.
TEST(FieldNumber, BeyondTheRangeOfItsTypeIsNoNumber) {
  EXPECT_EQ(parse_field_double("1e400"), std::nullopt);
  EXPECT_EQ(parse_field_double("-1e309x"), std::nullopt);
  EXPECT_EQ(parse_field_double("1e308"), 1e308);
  EXPECT_EQ(parse_field_float("1e39"), std::nullopt);
  EXPECT_EQ(parse_field_float("-3.5e38"), std::nullopt);
  // The largest float, and what still rounds to it rather than to infinity.
  EXPECT_EQ(parse_field_float("3.4028235e38"), std::numeric_limits<float>::max());
  EXPECT_EQ(parse_field_float("3.40282356e38"), std::numeric_limits<float>::max());
  EXPECT_EQ(parse_field_float("3.4028236e38"), std::nullopt);
  EXPECT_EQ(leading_number(" 1e400"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(leading_number("1e39"), 1e39);
  EXPECT_EQ(leading_number("abc"), std::nullopt);
}

TEST(FieldInteger, DecimalDigitsOnlyWithinTheInt32Range) {
  EXPECT_EQ(parse_field_int("42x"), 42);
  EXPECT_EQ(parse_field_int(" -7"), -7);
  EXPECT_EQ(parse_field_int("1.9"), 1);
  EXPECT_EQ(parse_field_int("010"), 10);
  EXPECT_EQ(parse_field_int("2147483647"), 2147483647);
  EXPECT_EQ(parse_field_int("-2147483648"), INT32_MIN);
  EXPECT_EQ(parse_field_int("2147483648"), std::nullopt);
  EXPECT_EQ(parse_field_int("99999999999999999999"), std::nullopt);
}

TEST(FieldShow, ShortestFormWithSixOrFifteenDigits) {
  EXPECT_EQ(show_float(30.0f), "30");
  EXPECT_EQ(show_float(0.1f), "0.1");
  EXPECT_EQ(show_float(1000.0f), "1000");
  EXPECT_EQ(show_float(1234567.0f), "1.23457e+06");
  EXPECT_EQ(show_double(0.1), "0.1");
  EXPECT_EQ(show_double(10.50), "10.5");
  EXPECT_EQ(show_double(4500000.123456789), "4500000.12345679");
  EXPECT_EQ(show_int(-3), "-3");
}

TEST(FieldReadingNote, SaysWhatWasReadWhenTheTextIsMoreThanTheNumber) {
  EXPECT_EQ(field_reading_note("12,5", FieldKind::real32),
            "Letto come 12: il separatore decimale è il punto.");
  EXPECT_EQ(field_reading_note("1 000", FieldKind::real64),
            "Letto come 1: lo spazio chiude il numero.");
  EXPECT_EQ(field_reading_note("30x", FieldKind::real32),
            "Letto come 30: il testo dopo il numero è ignorato.");
  EXPECT_EQ(field_reading_note("2.5", FieldKind::int32),
            "Letto come 2: il campo accetta solo numeri interi.");
  // What is said is the value kept, in the field's own precision.
  EXPECT_EQ(field_reading_note("0.1234567891m", FieldKind::real32),
            "Letto come 0.123457: il testo dopo il numero è ignorato.");
  EXPECT_EQ(field_reading_note("1e", FieldKind::real64),
            "Letto come 1: il testo dopo il numero è ignorato.");
}

TEST(FieldReadingNote, SaysNothingForAWholeNumberOrNoNumber) {
  for (const char* text : {"12.5", " 12.5 ", "\t-3e2", "1000", ""}) {
    EXPECT_EQ(field_reading_note(text, FieldKind::real64), std::nullopt) << '"' << text << '"';
  }
  EXPECT_EQ(field_reading_note("abc", FieldKind::real32), std::nullopt);
  EXPECT_EQ(field_reading_note("42", FieldKind::int32), std::nullopt);
  EXPECT_EQ(field_reading_note(",5", FieldKind::real32), std::nullopt);
}

}  // namespace
}  // namespace tralva
