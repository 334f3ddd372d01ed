#pragma once
// Replacing, splitting, trimming and upper-casing texts.
//
// Each walks the text character by character (a lead byte 0x80..0xFF and the byte after it
// are one character), so a sought text or delimiter is recognised only where a character
// begins, and answers a new value.

#include "text/types.h"

namespace ff {

// The text with every occurrence of `find` replaced, scanning left to right; occurrences
// never overlap and the replacement is never scanned again. case_sensitive false lets the
// ASCII letters of `find` match either case. An empty text or find gives a copy of text.
// A lead byte cut short at the end of the text is dropped when the scan steps onto it
// unmatched (only a one-byte `find` reaches it).
// Example: replace_text("Cookie: x", "cookie:") == " x";
//          replace_text("\x81\\\\", "\\", "/", true) == "\x81\\/".
[[nodiscard]] Text replace_text(std::string_view text, std::string_view find,
                                std::string_view replacement = {},
                                bool case_sensitive = false);

// The pieces between occurrences of `delimiter` (compared exactly). An empty text gives no
// pieces, an empty delimiter the whole text; a leading or doubled delimiter gives an empty
// piece, a trailing one gives no empty last piece.
// Example: split_text("a;;b", ";") == {"a", "", "b"}; split_text("a;", ";") == {"a"}.
[[nodiscard]] TextArray split_text(std::string_view text, std::string_view delimiter);

// The text without its leading and trailing spaces: the ASCII space and the full-width
// space 0xA1 0xA1, in runs that may mix them. Tab, CR and LF stay. A lead byte cut short at
// the end is removed alone; the spaces before it stay.
// Example: trim_both("\xA1\xA1 a\t \xA1\xA1") == "a\t"; trim_both("a \xB0") == "a ".
[[nodiscard]] Text trim_both(std::string_view text);

// A copy with the one-byte characters a..z made A..Z; double-byte characters stay whole.
// Example: to_upper("a\x81" "b") == "A\x81" "b" (0x81 0x62 is one character).
[[nodiscard]] Text to_upper(std::string_view text);

}  // namespace ff
