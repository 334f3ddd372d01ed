#pragma once
// Test helpers for the text toolkit: readable traces and failure messages for byte texts.

#include <ostream>
#include <string>

#include "text/types.h"

namespace ff {

// The bytes with 0x00..0x1F and 0x7F..0xFF written as \xHH, so GBK bytes show as written
// in the tests.
inline std::string escaped(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "'";
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F) {
      out += c;
    } else {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 0xF];
    }
  }
  return out + "'";
}

// Lets GoogleTest print a Text as escaped bytes.
inline void PrintTo(const Text& text, std::ostream* os) { *os << escaped(text.view()); }

}  // namespace ff
