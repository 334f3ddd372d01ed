#include "text/arrays.h"

namespace ff {

int member_count(const TextArray& array) { return static_cast<int>(array.size()); }

const Text& member_at(const TextArray& array, int i) {
  return array.at(static_cast<std::size_t>(i) - 1);
}

void append_member(TextArray& array, std::string_view text) { array.emplace_back(text); }

}  // namespace ff
