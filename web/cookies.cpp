#include "web/cookies.h"

#include <algorithm>

#include "text/lists.h"
#include "text/primitives.h"
#include "web/constants.h"

namespace ff {

namespace wc = web_constants;

Text cookie_name_of(std::string_view item) {
  const int equals = find_text(item, wc::cookie_name_end);
  return trim_both(equals == -1 ? Text(item) : text_left(item, equals - 1));
}

bool has_cookie_named(const TextArray& items, std::string_view name) {
  return std::ranges::any_of(items, [name](const Text& item) {
    return compare_text(cookie_name_of(item), name) == 0;
  });
}

namespace {

// Trimmed, with a trailing ";" turned into a full separator so that it yields no item.
Text normalized_cookie_text(std::string_view cookies) {
  Text result = trim_both(cookies);
  if (compare_text(text_right(result, 1), wc::attribute_separator) == 0) result += wc::space;
  return result;
}

bool is_deleted(std::string_view item) {
  return compare_text(text_right(item, text_length(wc::deletion_marker)),
                      wc::deletion_marker) == 0;
}

}  // namespace

Text merge_cookies(Text& old_cookies, Text& new_cookies) {
  old_cookies = normalized_cookie_text(old_cookies);
  new_cookies = normalized_cookie_text(new_cookies);
  const TextArray old_items = split_text(old_cookies, wc::cookie_separator);
  TextArray items = split_text(new_cookies, wc::cookie_separator);
  for (const Text& old_item : old_items) {
    if (!has_cookie_named(items, cookie_name_of(old_item))) append_member(items, old_item);
  }
  Text joined;
  for (const Text& item : items) {
    if (!is_deleted(item)) joined += concat_text(item, wc::cookie_separator);
  }
  joined = text_left(joined, text_length(joined) - text_length(wc::cookie_separator));
  old_cookies = dedupe_members(joined, wc::cookie_separator, true);
  return old_cookies;
}

}  // namespace ff
