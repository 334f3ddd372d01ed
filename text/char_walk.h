#pragma once
// Character stepping for the double-byte-aware operations (search, replace, split, trim,
// upper-case). Internal to the text toolkit; everything else reaches it through them.
//
// A byte 0x80..0xFF is a lead byte: it and the byte after it form one character; every
// other byte is a character by itself. A walk starts on a boundary and moves from boundary
// to boundary, so a trail byte is never taken for the start of a character. A lead byte
// that is the last byte still steps two bytes: the boundary after it lies one past the
// end, which is how a walker tells a character cut short.

#include <cstddef>
#include <string_view>

namespace ff::char_walk {

inline constexpr bool is_lead_byte(unsigned char b) { return b >= 0x80; }

// The boundary after the character that begins at byte i (0-based, i < text.size()).
// Example: next_boundary("a\xB0\xA1", 1) == 3; next_boundary("a\xB0", 1) == 3 (cut short).
inline std::size_t next_boundary(std::string_view text, std::size_t i) {
  // 1 + the top bit: branch-free, since the walkers run over texts of megabytes.
  return i + 1 + (static_cast<unsigned char>(text[i]) >> 7);
}

// The end of the run of one-byte characters that begins at the boundary `from`: the first
// lead byte at or after `from`, or text.size(). Every byte of the run begins a character,
// and so does the lead byte that ends it, which lets a walker treat a run in one go.
// Example: single_byte_run_end("ab\xB0\xA1" "c", 0) == 2.
std::size_t single_byte_run_end(std::string_view text, std::size_t from);

// A..Z become a..z; every other byte stays. No locale or code-page rule.
inline constexpr unsigned char fold_ascii(unsigned char b) {
  return b >= 'A' && b <= 'Z' ? static_cast<unsigned char>(b + ('a' - 'A')) : b;
}
inline constexpr bool equal_ignoring_case(char a, char b) {
  return fold_ascii(static_cast<unsigned char>(a)) == fold_ascii(static_cast<unsigned char>(b));
}

// Where a walk looking for a text stopped.
struct Scan {
  static constexpr std::size_t none = std::string_view::npos;
  std::size_t match = none;  // 0-based start of the match, or none
  // Without a match: the first boundary at which fewer bytes than the sought text remain;
  // window.size() + 1 when the walk stepped over a lead byte cut short at the end.
  std::size_t stop = 0;
};

// Walks `window` from the boundary `from` to the first boundary where the non-empty `sub`
// matches (ASCII letters in either case when ignore_case). Never reads past the window.
// Example: scan_for("\x81\\a\\", "\\", 0, false).match == 3 (the byte at 1 is a trail byte).
Scan scan_for(std::string_view window, std::string_view sub, std::size_t from, bool ignore_case);

}  // namespace ff::char_walk
