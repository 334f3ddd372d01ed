#pragma once
// Operations on counted byte buffers, which may hold zero bytes.

#include <initializer_list>

#include "text/types.h"

namespace ff {

[[nodiscard]] int bytes_length(const Bytes& bytes);

// The text's bytes, without a terminator; the empty text gives empty Bytes.
[[nodiscard]] Bytes text_to_bytes(std::string_view text);

// The bytes up to, not including, the first zero byte.
// Example: bytes_to_text(bytes_of({"A\0B", 3})) == "A".
[[nodiscard]] Text bytes_to_text(const Bytes& bytes);

// n bytes from the 1-based position start: start is clamped into 1..length+1, a negative
// n counts as 0 and n is cut to the end.
// Example: bytes_mid(bytes_of("abc"), 0, 2) == bytes_of("ab").
[[nodiscard]] Bytes bytes_mid(const Bytes& bytes, int start, int n);

// n zero bytes; empty for n <= 0.
[[nodiscard]] Bytes blank_bytes(int n);

// All parts joined in order.
[[nodiscard]] Bytes concat_bytes(std::initializer_list<const Bytes*> parts);
template <typename... Parts>
[[nodiscard]] Bytes concat_bytes(const Parts&... parts) {
  return concat_bytes({&parts...});
}

[[nodiscard]] bool bytes_equal(const Bytes& a, const Bytes& b);

}  // namespace ff
