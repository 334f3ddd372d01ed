#include "text/search.h"

#include <gtest/gtest.h>

#include <climits>

#include "text/text_testing.h"

namespace ff {
namespace {

struct SearchRow {
  std::string_view text;
  std::string_view sub;
  int start;
  bool ignore_case;
  int want;
};

std::string trace(const SearchRow& row) {
  return escaped(row.text) + " for " + escaped(row.sub) + " start " + std::to_string(row.start) +
         (row.ignore_case ? " ignoring case" : "");
}

TEST(TextSearch, FindTextWalksCharactersFromTheWindow) {
  const SearchRow rows[] = {
      {"aXbX", "X", 0, false, 2},
      {"aXbX", "X", 1, false, 2},
      {"aXbX", "X", -5, false, 2},
      {"aXbX", "X", INT_MIN, false, 2},
      {"aXbX", "X", 3, false, 4},
      {"aXbX", "X", 4, false, 4},
      {"aXbX", "X", 5, false, -1},
      {"aXbX", "X", INT_MAX, false, -1},
      {"aXbX", "bX", 0, false, 3},
      {"aXbX", "bXc", 0, false, -1},
      {"abc", "", 0, false, 1},
      {"abc", "", 3, false, 1},   // 1, not the start
      {"abc", "", 4, false, -1},  // the window is empty
      {"", "", 0, false, -1},
      {"", "a", 0, false, -1},
      {"Accept: x", "accept:", 0, false, -1},
      {"Accept: x", "accept:", 0, true, 1},
      {"x: ACCEPT", "Accept", 0, true, 4},
      // A trail byte equal to the sought byte is stepped over with its lead byte.
      {"\x81\\a\\", "\\", 0, false, 4},
      {"\x81X", "X", 0, false, -1},
      {"\x81;", ";", 0, false, -1},
      {"\x81" "aA", "a", 0, true, 3},
      {"\xD2\xFD\xBA\xC5", "\xFD\xBA", 0, false, -1},
      {"\xD2\xFD\xBA\xC5", "\xBA\xC5", 0, false, 3},
      // The walk begins at the window's first byte, even on a trail byte.
      {"\x81XX", "X", 2, false, 2},
      // 0x80 is a lead byte for this walk.
      {"\x80X", "X", 0, false, -1},
      // A lead byte cut short at the end is still compared, then ends the scan.
      {"a\xB0", "\xB0", 0, false, 2},
      {"a\xB0", "\xB0\xA1", 0, false, -1},
      // Only ASCII letters fold; other bytes must match exactly.
      {"\xC1", "\xE1", 0, true, -1},
      {"[", "{", 0, true, -1},
  };
  for (const SearchRow& row : rows) {
    SCOPED_TRACE(trace(row));
    EXPECT_EQ(find_text(row.text, row.sub, row.start, row.ignore_case), row.want);
  }
}

TEST(TextSearch, FindTextReverseFindsTheLastOccurrenceBeforeStart) {
  const SearchRow rows[] = {
      {"aXbX", "X", 0, false, 4},
      {"aXbX", "X", 5, false, 4},
      {"aXbX", "X", INT_MAX, false, 4},
      {"aXbX", "X", 4, false, 2},   // the X at 4 does not lie within bytes 1..3
      {"aXbX", "X", 2, false, -1},
      {"aXbX", "X", 1, false, -1},
      {"aXbX", "X", -1, false, -1},
      {"abXY", "XY", 4, false, -1},  // begins before start but ends at it
      {"abXY", "XY", 5, false, 3},
      {"aaa", "aa", 0, false, 2},    // occurrences may overlap
      {"abc", "", 0, false, 1},
      {"abc", "", 1, false, -1},
      {"", "", 0, false, -1},
      {"aXbx", "x", 0, true, 4},
      {"aXbx", "X", 4, true, 2},
      {"X\x81X", "X", 0, false, 1},
      {"X\x81X\x81X", "X", 0, false, 1},
      {"X\x81XX", "X", 0, false, 4},
  };
  for (const SearchRow& row : rows) {
    SCOPED_TRACE(trace(row));
    EXPECT_EQ(find_text_reverse(row.text, row.sub, row.start, row.ignore_case), row.want);
  }
}

TEST(TextSearch, FindSubstringComparesRawBytes) {
  const SearchRow rows[] = {
      {"\x81X", "X", 1, false, 2},  // a match may begin on a trail byte
      {"\x81\\", "\\", 1, false, 2},
      {"aXbX", "X", 0, false, 2},
      {"aXbX", "X", 3, false, 4},
      {"aXbX", "X", 4, false, 4},
      {"aXbX", "X", 5, false, -1},  // length + 1
      {"aXbX", "X", 6, false, -1},
      {"aXbX", "X", -1, false, -1},
      {"aXbX", "X", INT_MIN, false, -1},
      {"", "a", 1, false, -1},
      {"abc", "", 1, false, -1},
      {"abc", "abcd", 1, false, -1},
      {"ABC", "bc", 1, false, -1},
      {"ABC", "bc", 1, true, 2},
      {"abc", "BC", 1, true, 2},
      // Folding is byte by byte, trail bytes included, on both sides alike.
      {"\x81\x41", "\x81\x61", 1, true, 1},
      {"\xC1", "\xE1", 1, true, -1},
  };
  for (const SearchRow& row : rows) {
    SCOPED_TRACE(trace(row));
    EXPECT_EQ(find_substring(row.text, row.sub, row.start, row.ignore_case), row.want);
  }
}

}  // namespace
}  // namespace ff
