#pragma once
// Header lines and header blocks.
//
// A header block is one Text of lines separated by CR LF; a line carries a header when
// it has a ":": the name is what stands before the first colon, the value what stands
// after it, both without the spaces around them (ASCII and GBK full-width spaces).

#include "text/types.h"

namespace ff {

// The trimmed text before the first ":" of the line; empty without a colon.
// Example: header_name_of(" X-A :  b d ") == "X-A".
[[nodiscard]] Text header_name_of(std::string_view line);

// The trimmed text after the first ":" of the line; empty without a colon.
// Example: header_value_of("Time: 12:30") == "12:30".
[[nodiscard]] Text header_value_of(std::string_view line);

// The block with every lower-case ASCII letter that begins a header name, or follows a
// "-" inside one, made upper-case; lines without a colon (empty lines too) are dropped
// and no CR LF follows the last line. Everything from the colon on is kept byte for byte.
// Example: "\r\naccept-language: zh-cn\r\nfoo" gives "Accept-Language: zh-cn".
[[nodiscard]] Text normalize_header_names(std::string_view block);

// The text with its first byte upper-cased when that byte is a..z.
[[nodiscard]] Text capitalize_first(std::string_view text);

}  // namespace ff
