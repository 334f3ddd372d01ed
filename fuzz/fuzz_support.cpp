#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace ff::fuzzing {

std::string zero_free(std::string bytes) {
  std::erase(bytes, '\0');
  return bytes;
}

void fail(std::string_view property, std::string_view seen) {
  std::fprintf(stderr, "\nproperty broken: %.*s\n  %.*s\n", static_cast<int>(property.size()),
               property.data(), static_cast<int>(seen.size()), seen.data());
  std::abort();
}

std::string escaped(std::string_view bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out = "\"";
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '\\' && c != '"') {
      out += c;
    } else {
      out += "\\x";
      out += kHex[b >> 4];
      out += kHex[b & 0xF];
    }
  }
  return out + "\"";
}

std::size_t char_width(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]) >= 0x80 ? 2 : 1;
}

std::vector<bool> char_starts(std::string_view text, std::size_t from) {
  std::vector<bool> starts(text.size() + 1, false);
  std::size_t i = from;
  while (i < text.size()) {
    starts[i] = true;
    i += char_width(text, i);
  }
  if (i == text.size()) starts[i] = true;
  return starts;
}

std::string ascii_lower(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower;
}

bool equal_ignoring_case(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ascii_lower(a) == ascii_lower(b);
}

std::string joined(const std::vector<std::string>& members, std::string_view delimiter) {
  std::string out;
  for (std::size_t i = 0; i < members.size(); ++i) {
    if (i > 0) out += delimiter;
    out += members[i];
  }
  return out;
}

}  // namespace ff::fuzzing
