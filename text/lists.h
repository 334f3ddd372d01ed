#pragma once
// Treating a text as a list of members.

#include "text/types.h"

namespace ff {

// 1-based position of the first member byte-identical to `text`, or -1.
[[nodiscard]] int find_member(const TextArray& array, std::string_view text);

// Refills `array` with the characters of `text` (lead bytes 0x81..0xFF take two bytes,
// CR LF is one character, the last byte is always one) and answers their number.
// Example: "a\r\nb" gives 'a', CR LF, 'b'; "\x80\x41" gives two one-byte members.
int split_into_chars(std::string_view text, TextArray& array);

// The members of `text` without repeats, in order of first occurrence, joined by
// `delimiter`. by_delimiter true: the members are split_text(text, delimiter), so a leading
// empty member stays once. by_delimiter false: the members are the characters of `text`, as
// split_into_chars takes them. Comparison is byte-exact.
// Example: dedupe_members("a; b; a", "; ", true) == "a; b";
//          dedupe_members("abca", ",", false) == "a,b,c".
[[nodiscard]] Text dedupe_members(std::string_view text, std::string_view delimiter,
                                  bool by_delimiter);

}  // namespace ff
