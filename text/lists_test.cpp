#include "text/lists.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/text_testing.h"

namespace ff {
namespace {

TEST(TextLists, FindMemberIsByteExact) {
  const TextArray none;
  const TextArray letters = {"a", "A"};
  const TextArray with_empty = {"x", ""};
  EXPECT_EQ(find_member(none, ""), -1);
  EXPECT_EQ(find_member(letters, "A"), 2);
  EXPECT_EQ(find_member(letters, "a"), 1);
  EXPECT_EQ(find_member(letters, "b"), -1);
  EXPECT_EQ(find_member(with_empty, ""), 2);
  EXPECT_EQ(find_member(letters, ""), -1);
}

TEST(TextLists, SplitIntoCharsPairsLeadBytesAndCrLf) {
  struct Row {
    std::string_view text;
    std::vector<std::string_view> want;
  };
  const Row rows[] = {
      {"", {}},
      {"a\r\nb", {"a", "\r\n", "b"}},
      {"\n\r", {"\n", "\r"}},
      {"a\r", {"a", "\r"}},
      {"\xB0\xA1", {"\xB0\xA1"}},
      {"a\xB0\xA1\xB0", {"a", "\xB0\xA1", "\xB0"}},  // the last byte is always one
      {"\x80\x41", {"\x80", "A"}},                   // 0x80 stands alone here
      {"\x81\r\n", {"\x81\r", "\n"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.text));
    TextArray array = {"left over"};
    const int count = split_into_chars(row.text, array);
    EXPECT_EQ(count, static_cast<int>(row.want.size()));
    ASSERT_EQ(array.size(), row.want.size());
    for (std::size_t i = 0; i < array.size(); ++i) EXPECT_EQ(array[i], Text(row.want[i]));
  }
}

TEST(TextLists, DedupeMembersKeepsFirstOccurrences) {
  struct Row {
    std::string_view text, delimiter;
    bool by_delimiter;
    std::string_view want;
  };
  const Row rows[] = {
      {"a; b; a", "; ", true, "a; b"},
      {"a; b; ", "; ", true, "a; b"},
      {"; a", "; ", true, "; a"},  // the first empty part stays
      {"a; ; b; ; c", "; ", true, "a; ; b; c"},
      {"A; a", "; ", true, "A; a"},
      {"", "; ", true, ""},
      {"; ", "; ", true, ""},
      {"abc", "", true, "abc"},
      {"abca", ",", false, "a,b,c"},
      {"abca", "", false, "abc"},
      {"\xB0\xA1" "a\xB0\xA1", ",", false, "\xB0\xA1,a"},
      {"a\r\nb\r\n", "|", false, "a|\r\n|b"},
      {"", ",", false, ""},
      // Parts are split on character boundaries.
      {"a;\x81;a", ";", true, "a;\x81;a"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.text) + " by " + escaped(row.delimiter));
    EXPECT_EQ(dedupe_members(row.text, row.delimiter, row.by_delimiter), Text(row.want));
  }
}

}  // namespace
}  // namespace ff
