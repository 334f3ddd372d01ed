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

int fuzzed_start(FuzzedDataProvider& in) {
  return in.ConsumeBool() ? in.ConsumeIntegralInRange<int>(-40, 300) : in.ConsumeIntegral<int>();
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
