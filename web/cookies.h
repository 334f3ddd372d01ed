#pragma once
// Cookie text: cookie items (normally name=value) separated by the two bytes "; ".
//
// Items are kept byte for byte; merging only chooses, orders and drops whole items.
// Names are compared byte-exactly, so "SID" and "sid" are different cookies. An item
// whose last eight bytes are "=deleted" marks a cookie the server deleted.

#include "text/types.h"

namespace ff {

// The trimmed bytes before the item's first "="; an item without "=" is all name.
// Example: cookie_name_of(" a =1") == "a".
[[nodiscard]] Text cookie_name_of(std::string_view item);

// True when some member's cookie_name_of equals `name`.
[[nodiscard]] bool has_cookie_named(const TextArray& items, std::string_view name);

// Merges the cookies a server set (`new_cookies`) into those that were sent
// (`old_cookies`): the server's items in its order, then the old items whose names the
// server did not set (the first of each name), without deletion-marked items and
// without byte-identical repeats, joined by "; ". Both inputs are first trimmed, and a
// trailing ";" gets a space after it; that form is written back to `new_cookies`, and
// the merged text to `old_cookies`, which the result equals.
// Example: old "a=1; b=2", new "b=3" give "b=3; a=1".
Text merge_cookies(Text& old_cookies, Text& new_cookies);

}  // namespace ff
