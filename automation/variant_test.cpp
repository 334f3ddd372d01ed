#include "automation/variant.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "automation/test_object.h"

namespace ff {
namespace {

using testing::make_test_object;

TEST(VariantTest, ParsesNumbersFromText) {
  struct Case {
    std::u16string text;
    std::optional<double> number;
  };
  const Case cases[] = {
      {u"42", 42},
      {u" \t-3.5\t ", -3.5},
      {u"+7", 7},
      {u"5-", -5},
      {u"(5)", -5},
      {u"1,234,567.25", 1234567.25},
      {u".5", 0.5},
      {u"5.", 5},
      {u"1.5e3", 1500},
      {u"2E-2", 0.02},
      {u"&H10", 16},
      {u"&hff", 255},
      {u"&O17", 15},
      {u"-&H10", -16},
      {u"", std::nullopt},
      {u" ", std::nullopt},
      {u"0x10", std::nullopt},
      {u"Infinity", std::nullopt},
      {u"NaN", std::nullopt},
      {u"abc", std::nullopt},
      {u"1.2.3", std::nullopt},
      {u"-5-", std::nullopt},   // two signs
      {u"(-5)", std::nullopt},  // two signs
      {u"1e", std::nullopt},    // exponent without digits
      {u"1e999", std::nullopt},  // overflows a double
      {u"&H", std::nullopt},
      {u"&O18", std::nullopt},  // 8 is no octal digit
      {u"&H\u0131", std::nullopt},  // non-ASCII is no digit
      {u",5", std::nullopt},    // separators only between digits
      {u".", std::nullopt},
      {u"\uFF15", std::nullopt},  // full-width digit
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(parse_number(c.text), c.number);
  }
}

TEST(VariantTest, WritesDoublesWithFifteenSignificantDigits) {
  struct Case {
    double number;
    std::u16string text;
  };
  const Case cases[] = {
      {0.1, u"0.1"},
      {1.0 / 3, u"0.333333333333333"},
      {1e21, u"1E+21"},
      {1e-7, u"1E-07"},
      {123456789012345678.0, u"1.23456789012346E+17"},
      {-2.5, u"-2.5"},
      {100, u"100"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.number);
    EXPECT_EQ(number_to_string(c.number), c.text);
    EXPECT_EQ(Variant(c.number).to_string(), c.text);
  }
}

TEST(VariantTest, TurnsTextIntoTruthValues) {
  struct Case {
    std::u16string text;
    std::optional<bool> truth;
  };
  const Case cases[] = {
      {u"true", true},     {u"TrUe", true},      {u"FALSE", false},  {u"#TRUE#", true},
      {u"#FALSE#", false}, {u"#true#", std::nullopt},                {u"0", false},
      {u"-1", true},       {u" 0.4 ", true},     {u"(0)", false},    {u"abc", std::nullopt},
      {u"", std::nullopt}, {u" ", std::nullopt}, {u"yes", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(Variant(c.text).to_bool(), c.truth);
  }
}

// Each kind of value asked for as text, number and truth value.
TEST(VariantTest, ConvertsEveryKindOfValue) {
  struct Case {
    const char* why;
    Variant value;
    std::optional<std::u16string> text;
    std::optional<double> number;
    std::optional<bool> truth;
  };
  const Case cases[] = {
      {"empty", Variant(), u"", 0, false},
      {"null", Variant(Null{}), std::nullopt, std::nullopt, std::nullopt},
      {"true", Variant(true), u"-1", -1, true},
      {"false", Variant(false), u"0", 0, false},
      {"integer", Variant(std::int32_t{-5}), u"-5", -5, true},
      {"zero", Variant(std::int32_t{0}), u"0", 0, false},
      {"small double", Variant(0.4), u"0.4", 0.4, true},
      {"numeric string", Variant(u"12"), u"12", 12, true},
      {"bytes", Variant(bytes_of("12")), std::nullopt, std::nullopt, std::nullopt},
      {"empty handle", Variant(ComObject()), std::nullopt, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(c.value.to_string(), c.text);
    EXPECT_EQ(c.value.to_number(), c.number);
    EXPECT_EQ(c.value.to_bool(), c.truth);
  }
}

TEST(VariantTest, ObjectsConvertThroughTheirDefaultValue) {
  struct Case {
    const char* why;
    std::optional<Variant> default_answer;
    bool throws;
    std::optional<std::u16string> text;
    std::optional<double> number;
    std::optional<bool> truth;
  };
  const Case cases[] = {
      {"array string form", Variant(u"1,2,3"), false, u"1,2,3", 123, true},
      {"plain object", Variant(u"[object Object]"), false, u"[object Object]", std::nullopt,
       std::nullopt},
      {"numeric default", Variant(std::int32_t{7}), false, u"7", 7, true},
      {"no default value", std::nullopt, false, std::nullopt, std::nullopt, std::nullopt},
      {"default value throws", Variant(u"1"), true, std::nullopt, std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    auto [handle, object] = make_test_object();
    object->default_answer = c.default_answer;
    object->default_throws = c.throws;
    const Variant value(handle);
    EXPECT_EQ(value.to_string(), c.text);
    EXPECT_EQ(value.to_number(), c.number);
    EXPECT_EQ(value.to_bool(), c.truth);
  }
}

TEST(VariantTest, DefaultValueThatIsAnObjectDoesNotConvert) {
  auto [outer, outer_object] = make_test_object();
  auto [inner, inner_object] = make_test_object();
  inner_object->default_answer = Variant(u"5");
  outer_object->default_answer = Variant(inner);
  EXPECT_EQ(Variant(outer).to_string(), std::nullopt);
  EXPECT_EQ(Variant(outer).to_number(), std::nullopt);
}

TEST(VariantTest, CopiesShareOneByteArray) {
  const Variant original(bytes_of(std::string_view("a\0b", 3)));
  const Variant copy = original;
  EXPECT_EQ(copy.get_if<ByteArray>()->view().data(), original.get_if<ByteArray>()->view().data());
  EXPECT_EQ(copy, original);
}

}  // namespace
}  // namespace ff
