#pragma once
// Reading and growing a TextArray by 1-based position.

#include "text/types.h"

namespace ff {

[[nodiscard]] int member_count(const TextArray& array);

// The member at 1-based position i. Callers read only 1..member_count; any other i throws
// std::out_of_range rather than reading outside the array.
[[nodiscard]] const Text& member_at(const TextArray& array, int i);

// Appends a copy of text.
void append_member(TextArray& array, std::string_view text);

}  // namespace ff
