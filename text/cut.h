#pragma once
// Measuring, cutting, joining and comparing texts byte by byte.
//
// These operations know nothing of double-byte characters: a cut may split one.
// Texts are shorter than 2 GiB, so every length and position fits an int.

#include <cstdint>
#include <initializer_list>

#include "text/types.h"

namespace ff {

// The number of bytes; 0 for the empty text.
[[nodiscard]] int text_length(std::string_view text);

// The first n bytes: empty for n <= 0, the whole text for n >= its length.
// Example: text_left("abc", 2) == "ab"; text_left("abc", 5) == "abc".
[[nodiscard]] Text text_left(std::string_view text, int n);

// The last n bytes: empty for n <= 0, the whole text for n >= its length.
// Example: text_right("abc", 2) == "bc".
[[nodiscard]] Text text_right(std::string_view text, int n);

// n bytes from the 1-based position start, cut at the end of the text; empty when start
// lies outside 1..length or n <= 0.
// Example: text_mid("abc", 2, 9) == "bc"; text_mid("abc", 0, 2) == "".
[[nodiscard]] Text text_mid(std::string_view text, int start, int n);

// All parts joined in order, each up to its first zero byte.
// Example: concat_text("a", "", "bc") == "abc".
[[nodiscard]] Text concat_text(std::initializer_list<std::string_view> parts);
template <typename... Parts>
[[nodiscard]] Text concat_text(const Parts&... parts) {
  return concat_text({std::string_view(parts)...});
}

// -1, 0 or 1, comparing bytes as unsigned values; a leading part of the other is smaller.
// Example: compare_text("a", "\xB0") == -1; compare_text("ab", "a") == 1.
[[nodiscard]] int compare_text(std::string_view a, std::string_view b);

// Whether text begins with exactly the bytes of prefix; true for an empty prefix.
[[nodiscard]] bool text_starts_with(std::string_view text, std::string_view prefix);

// The first byte read as signed: 0x80..0xFF give -128..-1; empty gives 0.
// Example: char_code("\xB0\xA1") == -80.
[[nodiscard]] int char_code(std::string_view text);

// A one-byte text of `code`; 0 gives the empty text.
[[nodiscard]] Text char_from_code(std::uint8_t code);

}  // namespace ff
