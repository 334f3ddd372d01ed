#include "text/bytes.h"

#include <gtest/gtest.h>

#include <climits>

#include "text/text_testing.h"

namespace ff {
namespace {

using namespace std::string_view_literals;

TEST(TextBytes, BytesToTextStopsAtTheFirstZeroByte) {
  struct Row {
    std::string_view bytes, want;
  };
  const Row rows[] = {
      {"A\0B"sv, "A"}, {"\0A"sv, ""}, {""sv, ""}, {"\xB0\xA1z"sv, "\xB0\xA1z"}, {"ab\0"sv, "ab"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.bytes));
    EXPECT_EQ(bytes_to_text(bytes_of(row.bytes)), Text(row.want));
  }
}

TEST(TextBytes, TextToBytesKeepsEveryByteAndNoTerminator) {
  EXPECT_TRUE(text_to_bytes("").empty());
  EXPECT_EQ(text_to_bytes("\xB0\xA1" "a"), (Bytes{0xB0, 0xA1, 'a'}));
  EXPECT_EQ(bytes_length(text_to_bytes("abc")), 3);
}

TEST(TextBytes, BytesMidClampsStartAndCount) {
  struct Row {
    int start, n;
    std::string_view want;
  };
  const Row rows[] = {
      {1, 2, "ab"}, {0, 2, "ab"},  {-5, 1, "a"},     {INT_MIN, 1, "a"}, {2, 9, "bc"},
      {2, INT_MAX, "bc"}, {3, 1, "c"}, {4, 1, ""}, {INT_MAX, 1, ""},  {2, -1, ""}, {2, 0, ""},
  };
  const Bytes abc = bytes_of("abc");
  for (const Row& row : rows) {
    SCOPED_TRACE("start " + std::to_string(row.start) + " n " + std::to_string(row.n));
    EXPECT_EQ(bytes_mid(abc, row.start, row.n), bytes_of(row.want));
  }
  EXPECT_TRUE(bytes_mid(Bytes{}, 1, 1).empty());
}

TEST(TextBytes, BlankConcatAndEqual) {
  EXPECT_TRUE(blank_bytes(0).empty());
  EXPECT_TRUE(blank_bytes(-3).empty());
  EXPECT_EQ(blank_bytes(3), (Bytes{0, 0, 0}));

  const Bytes a = bytes_of("a\0"sv), empty, b = bytes_of("b");
  EXPECT_EQ(concat_bytes(a, empty, b), bytes_of("a\0b"sv));
  EXPECT_TRUE(concat_bytes(empty, empty).empty());

  EXPECT_TRUE(bytes_equal(empty, Bytes{}));
  EXPECT_TRUE(bytes_equal(a, bytes_of("a\0"sv)));
  EXPECT_FALSE(bytes_equal(a, bytes_of("a")));
  EXPECT_FALSE(bytes_equal(a, b));
}

}  // namespace
}  // namespace ff
