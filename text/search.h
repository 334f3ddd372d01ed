#pragma once
// Finding a text inside another.
//
// find_text and find_text_reverse walk character by character (a lead byte 0x80..0xFF and
// the byte after it are one character), so a match never begins on a trail byte.
// find_substring compares raw bytes at every position. Positions are 1-based; -1 means
// not found. ignore_case / fold_case fold only the ASCII letters A..Z and a..z.

#include "text/types.h"

namespace ff {

// The first position of sub in the window from byte `start` (<= 1 means the first byte)
// to the end. An empty sub gives 1 when the window is not empty, -1 when it is.
// Example: find_text("aXbX", "X") == 2; find_text("aXbX", "X", 3) == 4;
//          find_text("\x81XX", "X") == 3 (0x81 0x58 is one character).
[[nodiscard]] int find_text(std::string_view text, std::string_view sub, int start = 0,
                            bool ignore_case = false);

// The last position of an occurrence of sub lying wholly within bytes 1..start-1; start 0
// searches the whole text and a start of 1 or below (other than 0) searches nothing. An
// empty sub gives 1 when that window is not empty, -1 when it is.
// Example: find_text_reverse("aXbX", "X") == 4; find_text_reverse("aXbX", "X", 4) == 2.
[[nodiscard]] int find_text_reverse(std::string_view text, std::string_view sub,
                                    int start = 0, bool ignore_case = false);

// The first position of sub beginning at byte `start` or later (0 means 1), comparing raw
// bytes: a match may begin on a trail byte. An empty text or sub, or a start outside
// 1..length (other than 0), gives -1.
// Example: find_substring("\x81XX", "X") == 2; find_substring("aB", "b", 1, true) == 2.
[[nodiscard]] int find_substring(std::string_view text, std::string_view sub, int start = 1,
                                 bool fold_case = false);

}  // namespace ff
