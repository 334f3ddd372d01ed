#pragma once
// Treating a text as a list of members.

#include "text/types.h"

namespace ff {

// 1-based position of the first member byte-identical to `text`, or -1.
[[nodiscard]] int find_member(const TextArray& array, std::string_view text);

// Refills `array` with the characters of `text` (lead bytes 0x81..0xFF take two bytes,
// CR LF is one character, the last byte is always one) and answers their number.
int split_into_chars(std::string_view text, TextArray& array);

// The members of `text` without repeats, in order of first occurrence, joined by
// `delimiter`. by_delimiter false: the members are the characters of `text`.
[[nodiscard]] Text dedupe_members(std::string_view text, std::string_view delimiter,
                                  bool by_delimiter);

}  // namespace ff
