#include "text/rewrite.h"

#include "text/char_walk.h"

namespace ff {
namespace {

using char_walk::Scan;

constexpr char kSpace = ' ';
constexpr unsigned char kFullWidthSpaceByte = 0xA1;  // the full-width space is this byte twice

// Whether the character [i, next) is a space: 0x20, or 0xA1 0xA1.
bool is_space_char(std::string_view text, std::size_t i, std::size_t next) {
  if (next == i + 1) return text[i] == kSpace;
  return static_cast<unsigned char>(text[i]) == kFullWidthSpaceByte &&
         static_cast<unsigned char>(text[i + 1]) == kFullWidthSpaceByte;
}

// Just past the leading run of spaces.
std::size_t leading_spaces_end(std::string_view text) {
  std::size_t begin = 0;
  while (begin < text.size()) {
    const std::size_t next = char_walk::next_boundary(text, begin);
    if (next > text.size() || !is_space_char(text, begin, next)) break;
    begin = next;
  }
  return begin;
}

// Just past the last character from `begin` on that is not a space; a lead byte cut short
// at the end goes, and the spaces before it stay.
std::size_t trailing_spaces_begin(std::string_view text, std::size_t begin) {
  std::size_t end = begin;
  for (std::size_t i = begin; i < text.size();) {
    const std::size_t lead = char_walk::single_byte_run_end(text, i);
    const std::size_t kept = text.substr(i, lead - i).find_last_not_of(kSpace);
    if (kept != std::string_view::npos) end = i + kept + 1;
    if (lead == text.size()) break;
    const std::size_t next = char_walk::next_boundary(text, lead);
    if (next > text.size()) return lead;
    if (!is_space_char(text, lead, next)) end = next;
    i = next;
  }
  return end;
}

}  // namespace

Text replace_text(std::string_view text, std::string_view find, std::string_view replacement,
                  bool case_sensitive) {
  if (text.empty() || find.empty()) return Text(text);
  replacement = replacement.substr(0, replacement.find('\0'));
  std::string out;
  out.reserve(text.size());
  std::size_t from = 0;
  for (;;) {
    const Scan scan = char_walk::scan_for(text, find, from, !case_sensitive);
    if (scan.match == Scan::none) {
      // A walk that stepped over a lead byte cut short at the end leaves that byte out.
      const std::size_t end = scan.stop > text.size() ? text.size() - 1 : text.size();
      out.append(text.substr(from, end - from));
      break;
    }
    out.append(text.substr(from, scan.match - from));
    out.append(replacement);
    from = scan.match + find.size();
  }
  return Text(std::move(out));
}

TextArray split_text(std::string_view text, std::string_view delimiter) {
  TextArray pieces;
  if (text.empty()) return pieces;
  if (delimiter.empty()) {
    pieces.emplace_back(text);
    return pieces;
  }
  std::size_t piece = 0;
  for (;;) {
    const Scan scan = char_walk::scan_for(text, delimiter, piece, false);
    if (scan.match == Scan::none) break;
    pieces.emplace_back(text.substr(piece, scan.match - piece));
    piece = scan.match + delimiter.size();
  }
  if (piece < text.size()) pieces.emplace_back(text.substr(piece));
  return pieces;
}

Text trim_both(std::string_view text) {
  const std::size_t begin = leading_spaces_end(text);
  return Text(text.substr(begin, trailing_spaces_begin(text, begin) - begin));
}

Text to_upper(std::string_view text) {
  std::string upper(text);
  for (std::size_t i = 0; i < upper.size();) {
    const std::size_t lead = char_walk::single_byte_run_end(upper, i);
    for (; i < lead; ++i) {
      if (upper[i] >= 'a' && upper[i] <= 'z') upper[i] = static_cast<char>(upper[i] - ('a' - 'A'));
    }
    if (lead == upper.size()) break;
    i = char_walk::next_boundary(upper, lead);  // the double-byte character stays as it is
  }
  return Text(std::move(upper));
}

}  // namespace ff
