// replace_text, split_text, trim_both and to_upper against a plain character-by-character
// reading of their contracts, plus the round trips users rely on: the pieces of a split
// joined by the delimiter give the text back, and replacing a text by itself changes
// nothing but a lead byte cut short at the end.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "text/rewrite.h"

namespace {

using namespace ff::fuzzing;

struct Case {
  std::string text;
  std::string find;         // also the split delimiter
  std::string replacement;
  bool case_sensitive = false;
};

Case read_case(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Case c;
  c.case_sensitive = in.ConsumeBool();
  c.find = zero_free(in.ConsumeRandomLengthString(8));
  c.replacement = zero_free(in.ConsumeRandomLengthString(8));
  c.text = zero_free(in.ConsumeRemainingBytesAsString());
  return c;
}

bool matches_at(std::string_view text, std::size_t at, std::string_view sought, bool fold) {
  if (at + sought.size() > text.size()) return false;
  const std::string_view there = text.substr(at, sought.size());
  return fold ? equal_ignoring_case(there, sought) : there == sought;
}

bool cut_lead_at_end(std::string_view text) { return !char_starts(text).back(); }

std::string call(const char* what, const Case& c) {
  return std::string(what) + " of " + escaped(c.text) + " with " + escaped(c.find) + " / " +
         escaped(c.replacement) + (c.case_sensitive ? " (exact)" : " (any case)");
}

// The walk: at each boundary with the whole sought text left, a match is replaced and the
// walk goes on after it; otherwise the character is copied, and a lead byte with no byte
// after it is dropped. Where fewer bytes than the sought text remain, the rest is copied.
std::string expected_replace(const Case& c) {
  const std::string_view text = c.text;
  if (text.empty() || c.find.empty()) return c.text;
  std::string out;
  for (std::size_t i = 0; i < text.size();) {
    if (i + c.find.size() > text.size()) {
      out += text.substr(i);
      break;
    }
    if (matches_at(text, i, c.find, !c.case_sensitive)) {
      out += c.replacement;
      i += c.find.size();
      continue;
    }
    const std::size_t width = char_width(text, i);
    if (i + width <= text.size()) out += text.substr(i, width);
    i += width;
  }
  return out;
}

std::vector<std::string> expected_split(std::string_view text, std::string_view delimiter) {
  std::vector<std::string> pieces;
  if (text.empty()) return pieces;
  if (delimiter.empty()) return {std::string(text)};
  std::size_t piece = 0;
  for (std::size_t i = 0; i + delimiter.size() <= text.size();) {
    if (matches_at(text, i, delimiter, false)) {
      pieces.emplace_back(text.substr(piece, i - piece));
      i = piece = i + delimiter.size();
    } else {
      i += char_width(text, i);
    }
  }
  if (piece < text.size()) pieces.emplace_back(text.substr(piece));
  return pieces;
}

bool is_space_at(std::string_view text, std::size_t i) {
  if (text[i] == ' ') return true;
  return i + 1 < text.size() && static_cast<unsigned char>(text[i]) == 0xA1 &&
         static_cast<unsigned char>(text[i + 1]) == 0xA1;
}

// Leading spaces go; then a lead byte cut short at the end goes alone, or else the
// trailing spaces go.
std::string expected_trim(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size() && begin + char_width(text, begin) <= text.size() &&
         is_space_at(text, begin)) {
    begin += char_width(text, begin);
  }
  if (cut_lead_at_end(text)) return std::string(text.substr(begin, text.size() - 1 - begin));
  std::size_t end = begin;
  for (std::size_t i = begin; i < text.size(); i += char_width(text, i)) {
    if (!is_space_at(text, i)) end = i + char_width(text, i);
  }
  return std::string(text.substr(begin, end - begin));
}

std::string expected_upper(std::string_view text) {
  std::string upper(text);
  for (std::size_t i = 0; i < upper.size(); i += char_width(upper, i)) {
    if (upper[i] >= 'a' && upper[i] <= 'z') upper[i] = static_cast<char>(upper[i] - 'a' + 'A');
  }
  return upper;
}

std::vector<std::string> strings_of(const ff::TextArray& array) {
  return {array.begin(), array.end()};
}

void check_replace(const Case& c) {
  const ff::Text replaced = ff::replace_text(c.text, c.find, c.replacement, c.case_sensitive);
  FF_FUZZ_CHECK(replaced.str() == expected_replace(c),
                call("replace_text", c) + " gave " + escaped(replaced.str()));
  // Replacing the sought text by itself, exactly, keeps the text (less a cut lead byte),
  // as long as the sought text is whole characters: one that ends in a lead byte can match
  // the first half of a character, and the walk then goes on from its trail byte.
  if (cut_lead_at_end(c.find)) return;
  const ff::Text same = ff::replace_text(c.text, c.find, c.find, true);
  const bool dropped = same.size() + 1 == c.text.size() && cut_lead_at_end(c.text) &&
                       c.text.compare(0, same.size(), same.str()) == 0;
  FF_FUZZ_CHECK(same.str() == c.text || dropped,
                call("replace_text by itself", c) + " gave " + escaped(same.str()));
}

void check_split(const Case& c) {
  const std::vector<std::string> pieces = strings_of(ff::split_text(c.text, c.find));
  FF_FUZZ_CHECK(pieces == expected_split(c.text, c.find), call("split_text", c));
  // Joined again: the text, less a trailing delimiter that gave no last piece.
  if (c.find.empty() || c.text.empty()) return;
  const std::string again = joined(pieces, c.find);
  FF_FUZZ_CHECK(again == c.text || again + c.find == c.text,
                call("split_text", c) + " joined again gave " + escaped(again));
}

void check_trim_and_upper(const Case& c) {
  const ff::Text trimmed = ff::trim_both(c.text);
  FF_FUZZ_CHECK(trimmed.str() == expected_trim(c.text),
                "trim_both of " + escaped(c.text) + " gave " + escaped(trimmed.str()));
  const ff::Text upper = ff::to_upper(c.text);
  FF_FUZZ_CHECK(upper.str() == expected_upper(c.text),
                "to_upper of " + escaped(c.text) + " gave " + escaped(upper.str()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Case c = read_case(data, size);
  check_replace(c);
  check_split(c);
  check_trim_and_upper(c);
  return 0;
}
