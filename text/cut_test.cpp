#include "text/cut.h"

#include <gtest/gtest.h>

#include <climits>

#include "text/text_testing.h"

namespace ff {
namespace {

TEST(TextCut, LeftRightMidKeepToTheText) {
  struct Row {
    Text got;
    Text want;
  };
  const Row rows[] = {
      {text_left("abc", 0), ""},
      {text_left("abc", -1), ""},
      {text_left("abc", 2), "ab"},
      {text_left("abc", 5), "abc"},
      {text_left("abc", INT_MAX), "abc"},
      {text_left("", 3), ""},
      {text_left("\xB0\xA1" "a", 1), "\xB0"},  // byte-wise: a double-byte character is cut
      {text_right("abc", 0), ""},
      {text_right("abc", -1), ""},
      {text_right("abc", 2), "bc"},
      {text_right("abc", 5), "abc"},
      {text_right("a\xB0\xA1", 1), "\xA1"},
      {text_mid("abc", 0, 2), ""},
      {text_mid("abc", -1, 2), ""},
      {text_mid("abc", 4, 1), ""},
      {text_mid("abc", 3, 1), "c"},
      {text_mid("abc", 2, 9), "bc"},
      {text_mid("abc", 2, INT_MAX), "bc"},
      {text_mid("abc", 1, 0), ""},
      {text_mid("abc", 1, -1), ""},
      {text_mid("", 1, 1), ""},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE("row " + std::to_string(i));
    EXPECT_EQ(rows[i].got, rows[i].want);
  }
}

TEST(TextCut, ConcatJoinsPartsUpToTheirZeroByte) {
  EXPECT_EQ(concat_text("a", "", "bc"), Text("abc"));
  EXPECT_EQ(concat_text(std::string_view("a\0x", 3), "b"), Text("ab"));
  EXPECT_EQ(concat_text("", ""), Text());
}

TEST(TextCut, CompareOrdersBytesAsUnsigned) {
  struct Row {
    std::string_view a, b;
    int want;
  };
  const Row rows[] = {
      {"", "", 0},        {"a", "a", 0},         {"a", "\xB0", -1}, {"\xB0", "a", 1},
      {"ab", "a", 1},     {"a", "ab", -1},       {"", "a", -1},     {"B", "a", -1},
      {"\xFF", "\x80", 1}, {"abc", "abd", -1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.a) + " vs " + escaped(row.b));
    EXPECT_EQ(compare_text(row.a, row.b), row.want);
  }
}

TEST(TextCut, StartsWithIsExact) {
  EXPECT_TRUE(text_starts_with("abc", ""));
  EXPECT_TRUE(text_starts_with("", ""));
  EXPECT_TRUE(text_starts_with("abc", "ab"));
  EXPECT_FALSE(text_starts_with("abc", "AB"));
  EXPECT_FALSE(text_starts_with("ab", "abc"));
}

TEST(TextCut, CharCodeReadsTheFirstByteAsSigned) {
  struct Row {
    std::string_view text;
    int want;
  };
  const Row rows[] = {{"", 0},       {"A", 65},       {"\x7F", 127},
                      {"\x80", -128}, {"\xB0\xA1", -80}, {"\xFF", -1}};
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.text));
    EXPECT_EQ(char_code(row.text), row.want);
  }
}

TEST(TextCut, CharFromCodeMakesOneByteAndZeroMakesNothing) {
  EXPECT_EQ(char_from_code(0), Text());
  EXPECT_EQ(char_from_code(32), Text(" "));
  EXPECT_EQ(char_from_code(0xA1), Text("\xA1"));
}

}  // namespace
}  // namespace ff
