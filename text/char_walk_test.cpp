// The double-byte walkers skip runs of one-byte characters a machine word at a time. These
// tests hold them to the plain rule (step 2 bytes on 0x80..0xFF, else 1) on texts long
// enough for lead bytes to fall at every offset of a word.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "text/rewrite.h"
#include "text/search.h"
#include "text/text_testing.h"

namespace ff {
namespace {

// Character starts at or after `from`, by the plain rule.
std::vector<std::size_t> boundaries(std::string_view text, std::size_t from) {
  std::vector<std::size_t> starts;
  for (std::size_t i = from; i < text.size();
       i += static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1) {
    starts.push_back(i);
  }
  return starts;
}

bool same_folded(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// Every 1-based position where sub matches on a character start within bytes [from, end).
std::vector<int> matches(std::string_view text, std::string_view sub, std::size_t from,
                         std::size_t end, bool ignore_case) {
  std::vector<int> found;
  const std::string_view window = text.substr(0, end);
  for (const std::size_t i : boundaries(window, from)) {
    if (i + sub.size() > window.size()) break;
    const std::string_view at = window.substr(i, sub.size());
    if (ignore_case ? same_folded(at, sub) : at == sub) found.push_back(static_cast<int>(i) + 1);
  }
  return found;
}

// trim_both by the plain rule: skip leading spaces, then keep up to the last character
// that is not a space; a lead byte cut short at the end goes alone.
std::string trimmed(std::string_view text) {
  const auto is_space = [&](std::size_t i, std::size_t width) {
    return width == 1 ? text[i] == ' ' : text.substr(i, 2) == "\xA1\xA1";
  };
  const auto width_at = [&](std::size_t i) {
    return static_cast<unsigned char>(text[i]) >= 0x80 ? std::size_t{2} : std::size_t{1};
  };
  std::size_t begin = 0;
  while (begin < text.size() && begin + width_at(begin) <= text.size() &&
         is_space(begin, width_at(begin))) {
    begin += width_at(begin);
  }
  std::size_t end = begin;
  for (const std::size_t i : boundaries(text, begin)) {
    if (i + width_at(i) > text.size()) {
      end = i;
      break;
    }
    if (!is_space(i, width_at(i))) end = i + width_at(i);
  }
  return std::string(text.substr(begin, end - begin));
}

std::string random_text(std::mt19937& rng) {
  static constexpr char kAlphabet[] = {'a', 'A', 'X', ';', ' ', '\x81', '\xA1', '\xB0'};
  std::string text(std::uniform_int_distribution<std::size_t>(0, 48)(rng), ' ');
  for (char& c : text) c = kAlphabet[std::uniform_int_distribution<int>(0, 7)(rng)];
  return text;
}

TEST(TextCharWalk, WalkersAgreeWithThePlainSteppingRule) {
  std::mt19937 rng(20200720);
  const std::string_view subs[] = {"X", ";", "a", "\xA1", "aX", "\xA1\xA1", "X;a"};
  for (int round = 0; round < 3000; ++round) {
    const std::string text = random_text(rng);
    const std::string_view sub = subs[round % std::size(subs)];
    const bool ignore_case = round % 2 == 1;
    const int start = std::uniform_int_distribution<int>(0, 50)(rng);
    SCOPED_TRACE(escaped(text) + " for " + escaped(sub) + " start " + std::to_string(start));

    const std::size_t b = start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
    const auto forward = matches(text, sub, b, text.size(), ignore_case);
    const int want_first = b >= text.size() || forward.empty() ? -1 : forward.front();
    EXPECT_EQ(find_text(text, sub, start, ignore_case), want_first);

    const std::size_t end = start == 0 ? text.size() : std::min(text.size(), b);
    const auto backward = matches(text, sub, 0, end, ignore_case);
    EXPECT_EQ(find_text_reverse(text, sub, start, ignore_case),
              backward.empty() ? -1 : backward.back());

    std::string upper = text;
    for (const std::size_t i : boundaries(text, 0)) {
      if (upper[i] >= 'a' && upper[i] <= 'z') upper[i] -= 32;
    }
    EXPECT_EQ(to_upper(text), Text(upper));
    EXPECT_EQ(trim_both(text), Text(trimmed(text)));

    std::size_t pieces = 0, piece = 0;
    // After a delimiter the walk starts afresh, even inside a double-byte character.
    for (auto at = matches(text, sub, 0, text.size(), false); !at.empty();
         at = matches(text, sub, piece, text.size(), false)) {
      ++pieces;
      piece = static_cast<std::size_t>(at.front()) - 1 + sub.size();
    }
    if (piece < text.size()) ++pieces;
    if (text.empty()) pieces = 0;
    EXPECT_EQ(split_text(text, sub).size(), pieces);
  }
}

}  // namespace
}  // namespace ff
