#include "text/char_walk.h"

#include <cstring>

namespace ff::char_walk {
namespace {

bool matches_at(const char* at, std::string_view sub, bool ignore_case) {
  if (!ignore_case) return at[0] == sub[0] && std::memcmp(at, sub.data(), sub.size()) == 0;
  for (std::size_t i = 0; i < sub.size(); ++i) {
    if (!equal_ignoring_case(at[i], sub[i])) return false;
  }
  return true;
}

}  // namespace

Scan scan_for(std::string_view window, std::string_view sub, std::size_t from,
              bool ignore_case) {
  if (sub.size() > window.size()) return {Scan::none, from};
  const std::size_t last = window.size() - sub.size();  // last start with room for sub
  std::size_t p = from;
  while (p <= last) {
    if (matches_at(window.data() + p, sub, ignore_case)) return {p, p};
    p = next_boundary(window, p);
  }
  return {Scan::none, p};
}

}  // namespace ff::char_walk
