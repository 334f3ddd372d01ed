#include "text/search.h"

#include <algorithm>

#include "text/char_walk.h"

namespace ff {
namespace {

using char_walk::Scan;

// 0-based index of a 1-based start: 1 or below (and 0) mean the first byte.
std::size_t window_begin(int start) {
  return start > 1 ? static_cast<std::size_t>(start) - 1 : 0;
}

int position_of(std::size_t index) { return static_cast<int>(index) + 1; }

}  // namespace

int find_text(std::string_view text, std::string_view sub, int start, bool ignore_case) {
  const std::size_t begin = window_begin(start);
  if (begin >= text.size()) return -1;
  if (sub.empty()) return 1;
  const Scan scan = char_walk::scan_for(text, sub, begin, ignore_case);
  return scan.match == Scan::none ? -1 : position_of(scan.match);
}

int find_text_reverse(std::string_view text, std::string_view sub, int start,
                      bool ignore_case) {
  const std::size_t end = start == 0 ? text.size() : std::min(text.size(), window_begin(start));
  const std::string_view window = text.substr(0, end);
  if (window.empty()) return -1;
  if (sub.empty()) return 1;
  // Boundaries are known only from the front, so walk forwards and keep the last match.
  std::size_t last = Scan::none;
  for (std::size_t from = 0;;) {
    const Scan scan = char_walk::scan_for(window, sub, from, ignore_case);
    if (scan.match == Scan::none) break;
    last = scan.match;
    from = char_walk::next_boundary(window, scan.match);
  }
  return last == Scan::none ? -1 : position_of(last);
}

int find_substring(std::string_view text, std::string_view sub, int start, bool fold_case) {
  if (text.empty() || sub.empty()) return -1;
  if (start == 0) start = 1;
  if (start < 1 || static_cast<std::size_t>(start) > text.size()) return -1;
  const std::size_t from = static_cast<std::size_t>(start) - 1;
  std::size_t found = std::string_view::npos;
  if (!fold_case) {
    found = text.find(sub, from);
  } else {
    const auto it = std::search(text.begin() + static_cast<std::ptrdiff_t>(from), text.end(),
                                sub.begin(), sub.end(), char_walk::equal_ignoring_case);
    if (it != text.end()) found = static_cast<std::size_t>(it - text.begin());
  }
  return found == std::string_view::npos ? -1 : position_of(found);
}

}  // namespace ff
