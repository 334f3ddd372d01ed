#pragma once
// Cutting a piece out of a text by markers.

#include "text/types.h"

namespace ff {

// The bytes before `marker`. start >= 1: the first occurrence at or after that byte
// (0 counts as 1); start -1: the last occurrence in the text; start -k (k >= 2): the
// last occurrence lying wholly within the first length - k bytes (nothing when k >= length).
// Empty when not found, and for an empty marker.
// Example: text_left_of("aXbX", "X") == "a"; text_left_of("aXbX", "X", 3) == "aXb";
//          text_left_of("aXbX", "X", -1) == "aXb"; text_left_of("aXbX", "X", -2) == "a".
[[nodiscard]] Text text_left_of(std::string_view text, std::string_view marker, int start = 0,
                                bool ignore_case = false);

// The bytes between the first `open_marker` at or after `start` and the nearest
// `close_marker` that begins after it; empty when either is missing. start <= 1 means the
// first byte. "#引号" (GBK 0x23 0xD2 0xFD 0xBA 0xC5) in either marker stands for a double
// quote; the text itself is taken as it stands.
// Example: text_between("a[b]c[d]", "[", "]") == "b";
//          text_between("a[b]c[d]", "[", "]", 4) == "d";
//          text_between("v=\"x\"", "v=#引号", "#引号") == "x" (markers in GBK).
[[nodiscard]] Text text_between(std::string_view text, std::string_view open_marker,
                                std::string_view close_marker, int start = 0,
                                bool ignore_case = false);

}  // namespace ff
