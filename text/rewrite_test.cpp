#include "text/rewrite.h"

#include <gtest/gtest.h>

#include <vector>

#include "text/text_testing.h"

namespace ff {
namespace {

TEST(TextRewrite, ReplaceTextStepsOverDoubleByteCharacters) {
  struct Row {
    std::string_view text, find, replacement;
    bool case_sensitive;
    std::string_view want;
  };
  const Row rows[] = {
      {"Cookie: x", "cookie:", "", false, " x"},
      {"Cookie: x", "cookie:", "", true, "Cookie: x"},
      {"a COOKIE: b cookie: c", "Cookie: ", "", false, "a b c"},
      {"", "a", "b", true, ""},
      {"abc", "", "x", true, "abc"},
      {"ab", "abc", "x", true, "ab"},
      {"aaa", "aa", "b", true, "ba"},        // occurrences never overlap
      {"aXa", "a", "aa", true, "aaXaa"},     // the replacement is not scanned again
      {"a\"b", "\"", "\\\"", true, "a\\\"b"},
      // Trail bytes equal to the sought byte stay.
      {"\x81\\\\", "\\", "/", true, "\x81\\/"},
      {"\x81Xx", "x", "", false, "\x81X"},
      {"\x81;a;", ";", "-", true, "\x81;a-"},
      {"\xD2\xFD\xBA\xC5", "\xFD\xBA", "", true, "\xD2\xFD\xBA\xC5"},
      {"#\xD2\xFD\xBA\xC5=", "#\xD2\xFD\xBA\xC5", "\"", true, "\"="},
      // A lead byte cut short at the end: dropped when a one-byte scan steps onto it,
      // replaced when it is what is sought, kept when the scan cannot reach it.
      {"ab\xB0", "a", "", true, "b"},
      {"ab\xB0", "\xB0", "Z", true, "abZ"},
      {"ab\xB0", "zz", "", true, "ab\xB0"},
      {"ab\xB0", "b\xB0", "", true, "a"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.text) + " " + escaped(row.find) + " -> " + escaped(row.replacement));
    EXPECT_EQ(replace_text(row.text, row.find, row.replacement, row.case_sensitive),
              Text(row.want));
  }
}

TEST(TextRewrite, ReplaceTextDefaultsToRemovingIgnoringCase) {
  EXPECT_EQ(replace_text("Set-Cookie: a=b", "set-cookie:"), Text(" a=b"));
}

TEST(TextRewrite, SplitTextKeepsInnerEmptyPiecesButNoTrailingOne) {
  struct Row {
    std::string_view text, delimiter;
    std::vector<std::string_view> want;
  };
  const Row rows[] = {
      {"a; b; ", "; ", {"a", "b"}},
      {"; a", "; ", {"", "a"}},
      {"a;;b", ";", {"a", "", "b"}},
      {";", ";", {""}},
      {"a;", ";", {"a"}},
      {"", ";", {}},
      {"abc", "", {"abc"}},
      {"abc", ";", {"abc"}},
      {"a\r\nb\r\n\r\n", "\r\n", {"a", "b", ""}},
      {"a[x]b", "[x]", {"a", "b"}},
      // A trail byte equal to the delimiter is no delimiter.
      {"\x81;a;b", ";", {"\x81;a", "b"}},
      {"\xA1-\x81-", "-", {"\xA1-\x81-"}},
      // A lead byte cut short at the end stays in the last piece.
      {"a;\xB0", ";", {"a", "\xB0"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.text) + " by " + escaped(row.delimiter));
    const TextArray pieces = split_text(row.text, row.delimiter);
    ASSERT_EQ(pieces.size(), row.want.size());
    for (std::size_t i = 0; i < pieces.size(); ++i) EXPECT_EQ(pieces[i], Text(row.want[i]));
  }
}

TEST(TextRewrite, TrimBothRemovesAsciiAndFullWidthSpacesOnly) {
  struct Row {
    std::string_view text, want;
  };
  const Row rows[] = {
      {"", ""},
      {"   ", ""},
      {"\xA1\xA1 \xA1\xA1", ""},
      {" a ", "a"},
      {"\tA\r\n", "\tA\r\n"},
      {" \tA\r\n ", "\tA\r\n"},
      {"A\xA1\xA1", "A"},
      {" \xA1\xA1 \xA1\xA1" "A", "A"},
      {"a b", "a b"},
      // The second byte of another character is never taken for a space.
      {"a\x81 ", "a\x81 "},
      {"a\x81\xA1\xA1", "a\x81\xA1"},  // 0x81 0xA1, then a lead byte cut short
      {"a\xA1\xA1\xA1\xA1\xA1", "a\xA1\xA1\xA1\xA1"},
      // A lead byte cut short at the end goes alone; the spaces before it stay.
      {"a \xB0", "a "},
      {"a\xB0", "a"},
      {"  \xB0", ""},
      {"\xA1", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.text));
    EXPECT_EQ(trim_both(row.text), Text(row.want));
  }
}

TEST(TextRewrite, ToUpperChangesOnlySingleByteLetters) {
  struct Row {
    std::string_view text, want;
  };
  const Row rows[] = {
      {"", ""},
      {"abc xyz!", "ABC XYZ!"},
      {"ABC`{", "ABC`{"},
      {"a\x81" "b", "A\x81" "b"},  // 0x81 0x62 is one character
      {"\xB0\xE1" "a", "\xB0\xE1" "A"},
      {"z\xB0", "Z\xB0"},  // a lead byte cut short stays
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.text));
    EXPECT_EQ(to_upper(row.text), Text(row.want));
  }
}

}  // namespace
}  // namespace ff
