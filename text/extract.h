#pragma once
// Cutting a piece out of a text by markers.

#include "text/types.h"

namespace ff {

// The bytes before `marker`. start >= 1: the first occurrence at or after that byte
// (0 counts as 1); start -1: the last occurrence in the text; start -k (k >= 2): the
// last occurrence lying wholly within the first length - k bytes. Empty when not found.
[[nodiscard]] Text text_left_of(std::string_view text, std::string_view marker, int start = 0,
                                bool ignore_case = false);

// The bytes between the first `open_marker` at or after `start` and the nearest
// `close_marker` after it. "#引号" (GBK) in either marker stands for a double quote.
[[nodiscard]] Text text_between(std::string_view text, std::string_view open_marker,
                                std::string_view close_marker, int start = 0,
                                bool ignore_case = false);

}  // namespace ff
