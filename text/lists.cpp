#include "text/lists.h"

#include <unordered_set>

#include "text/rewrite.h"

namespace ff {
namespace {

constexpr unsigned char kFirstLeadByte = 0x81;  // 0x80 itself stands alone here
constexpr char kCarriageReturn = '\r';
constexpr char kLineFeed = '\n';

// Width of the character at i: the last byte is always one; a lead byte 0x81..0xFF
// or CR followed by LF makes two.
std::size_t member_char_width(std::string_view text, std::size_t i) {
  if (i + 1 == text.size()) return 1;
  if (static_cast<unsigned char>(text[i]) >= kFirstLeadByte) return 2;
  if (text[i] == kCarriageReturn && text[i + 1] == kLineFeed) return 2;
  return 1;
}

// Calls visit with each character of text, in order.
template <typename Visit>
void for_each_member_char(std::string_view text, Visit visit) {
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t width = member_char_width(text, i);
    visit(text.substr(i, width));
    i += width;
  }
}

}  // namespace

int find_member(const TextArray& array, std::string_view text) {
  for (std::size_t i = 0; i < array.size(); ++i) {
    if (array[i].view() == text) return static_cast<int>(i) + 1;
  }
  return -1;
}

int split_into_chars(std::string_view text, TextArray& array) {
  array.clear();
  for_each_member_char(text, [&array](std::string_view c) { array.emplace_back(c); });
  return static_cast<int>(array.size());
}

Text dedupe_members(std::string_view text, std::string_view delimiter, bool by_delimiter) {
  std::unordered_set<std::string_view> seen;  // views into `text` or `pieces`
  std::string kept;
  const auto keep_first = [&](std::string_view part) {
    if (!seen.insert(part).second) return;
    kept.append(part);
    kept.append(delimiter);
  };
  TextArray pieces;
  if (by_delimiter) {
    pieces = split_text(text, delimiter);
    for (const Text& piece : pieces) keep_first(piece.view());
  } else {
    for_each_member_char(text, keep_first);
  }
  // Every kept part was followed by the delimiter; the final one goes.
  kept.resize(kept.size() >= delimiter.size() ? kept.size() - delimiter.size() : 0);
  return Text(std::move(kept));
}

}  // namespace ff

