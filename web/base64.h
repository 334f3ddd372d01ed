#pragma once
// Base64 encoding (RFC 4648, section 4).

#include "text/types.h"

namespace ff {

// The standard alphabet, "=" filling up the last group, no line breaks: four
// characters for every started group of three bytes. Empty data give the empty text.
// Example: base64_encode(bytes_of("fo")) == "Zm8=".
[[nodiscard]] Text base64_encode(const Bytes& data);

}  // namespace ff
