#include "text/char_walk.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace ff::char_walk {
namespace {

constexpr std::uint64_t kTopBits = 0x8080808080808080ULL;  // the top bit of 8 bytes

bool matches_at(const char* at, std::string_view sub, bool ignore_case) {
  if (!ignore_case) return std::memcmp(at, sub.data(), sub.size()) == 0;
  for (std::size_t i = 0; i < sub.size(); ++i) {
    if (!equal_ignoring_case(at[i], sub[i])) return false;
  }
  return true;
}

// The first start in [from, to) where sub matches; every byte there begins a character.
std::size_t find_in_run(std::string_view window, std::string_view sub, std::size_t from,
                        std::size_t to, bool ignore_case) {
  if (!ignore_case) {
    // Limited so that no match beginning at `to` or later is reported.
    return window.substr(0, to - 1 + sub.size()).find(sub, from);
  }
  const char first = static_cast<char>(fold_ascii(static_cast<unsigned char>(sub.front())));
  for (std::size_t p = from; p < to; ++p) {
    if (static_cast<char>(fold_ascii(static_cast<unsigned char>(window[p]))) == first &&
        matches_at(window.data() + p, sub, true)) {
      return p;
    }
  }
  return Scan::none;
}

}  // namespace

std::size_t single_byte_run_end(std::string_view text, std::size_t from) {
  std::size_t p = from;
  for (; p + sizeof(std::uint64_t) <= text.size(); p += sizeof(std::uint64_t)) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + p, sizeof word);
    if (word & kTopBits) break;
  }
  while (p < text.size() && !is_lead_byte(static_cast<unsigned char>(text[p]))) ++p;
  return p;
}

Scan scan_for(std::string_view window, std::string_view sub, std::size_t from,
              bool ignore_case) {
  if (sub.size() > window.size()) return {Scan::none, from};
  const std::size_t last = window.size() - sub.size();  // last start with room for sub
  std::size_t p = from;
  while (p <= last) {
    const std::size_t lead = std::min(single_byte_run_end(window, p), last + 1);
    if (lead > p) {
      const std::size_t found = find_in_run(window, sub, p, lead, ignore_case);
      if (found != Scan::none) return {found, found};
      p = lead;
      continue;
    }
    if (matches_at(window.data() + p, sub, ignore_case)) return {p, p};
    p = next_boundary(window, p);
  }
  return {Scan::none, p};
}

}  // namespace ff::char_walk
