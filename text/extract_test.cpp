#include "text/extract.h"

#include <gtest/gtest.h>

#include <climits>

#include "text/text_testing.h"

namespace ff {
namespace {

TEST(TextExtract, TextLeftOfChoosesTheOccurrenceByStart) {
  struct Row {
    std::string_view text, marker;
    int start;
    bool ignore_case;
    std::string_view want;
  };
  const Row rows[] = {
      {"aXbX", "X", 0, false, "a"},
      {"aXbX", "X", 1, false, "a"},
      {"aXbX", "X", 3, false, "aXb"},
      {"aXbX", "X", 5, false, ""},
      {"aXbX", "X", -1, false, "aXb"},
      {"aXbX", "X", -2, false, "a"},  // leaves out two bytes, not one
      {"aXbX", "X", -3, false, ""},
      {"aXbX", "X", -4, false, ""},
      {"aXbX", "X", -5, false, ""},  // more left out than the text holds
      {"aXbX", "X", INT_MIN, false, ""},
      {"Xab", "X", 0, false, ""},
      {"abc", "", 0, false, ""},
      {"abc", "", -1, false, ""},
      {"", "X", -1, false, ""},
      {"Content-Type: text/html", ": ", 0, false, "Content-Type"},
      {"Content-Type text/html", ": ", 0, false, ""},
      {"a: b: c", ": ", -1, false, "a: b"},
      {"abXcd", "x", 0, false, ""},
      {"abXcd", "x", 0, true, "ab"},
      // A trail byte equal to the marker is no marker.
      {"\x81XaXb", "X", 0, false, "\x81Xa"},
      {"aX\x81X", "X", -1, false, "a"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.text) + " marker " + escaped(row.marker) + " start " +
                 std::to_string(row.start));
    EXPECT_EQ(text_left_of(row.text, row.marker, row.start, row.ignore_case), Text(row.want));
  }
}

TEST(TextExtract, TextBetweenTakesWhatLiesBetweenTheMarkers) {
  constexpr std::string_view kQuote = "#\xD2\xFD\xBA\xC5";  // "#引号" in GBK
  const std::string value_open = "value=" + std::string(kQuote);
  struct Row {
    std::string_view text, open, close;
    int start;
    bool ignore_case;
    std::string_view want;
  };
  const Row rows[] = {
      {"a[b]c[d]", "[", "]", 0, false, "b"},
      {"a[b]c[d]", "[", "]", -3, false, "b"},
      {"a[b]c[d]", "[", "]", 4, false, "d"},
      {"a[b]c[d]", "[", "]", 9, false, ""},
      {"a[]b", "[", "]", 0, false, ""},
      {"a[b", "[", "]", 0, false, ""},
      {"a]b[c", "[", "]", 0, false, ""},
      {"Set-Cookie: a=b; path=/", "Set-Cookie:", ";", 0, false, " a=b"},
      {"Set-Cookie: a=b", "Set-Cookie:", ";", 0, false, ""},
      {"SET-COOKIE: a=b;", "Set-Cookie:", ";", 0, false, ""},
      {"SET-COOKIE: a=b;", "Set-Cookie:", ";", 0, true, " a=b"},
      {"<x value=\"abc\" y=\"d\">", value_open, kQuote, 0, false, "abc"},
      {"<x value=abc>", value_open, kQuote, 0, false, ""},
      {"<x value=\"abc>", value_open, kQuote, 0, false, ""},
      // The placeholder stands for a quote only in the markers, never in the text.
      {"value=#\xD2\xFD\xBA\xC5" "abc\"", value_open, kQuote, 0, false, ""},
      {"abc]d", "", "]", 3, false, "abc"},  // an empty opening marker is found at byte 1
      {"abc]d", "a", "", 0, false, ""},
      {"", "[", "]", 0, false, ""},
      // Markers are recognised only where a character begins.
      {"\x81[a[b]", "[", "]", 0, false, "b"},
      {"[a\x81]b]", "[", "]", 0, false, "a\x81]b"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(escaped(row.text) + " between " + escaped(row.open) + " and " +
                 escaped(row.close) + " start " + std::to_string(row.start));
    EXPECT_EQ(text_between(row.text, row.open, row.close, row.start, row.ignore_case),
              Text(row.want));
  }
}

}  // namespace
}  // namespace ff
