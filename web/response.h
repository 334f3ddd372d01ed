#pragma once
// The response step of a web request: headers, status and cookies handed back.

#include "automation/variant.h"
#include "text/types.h"
#include "web/web_request.h"

namespace ff {

// The cookie text made of the response block's lines whose name before ": " is exactly
// "Set-Cookie": from each, the trimmed text up to its first ";" (or all of it), in the
// order of the lines, joined by "; ".
// Example: "Set-Cookie: a=1; Path=/\r\nSet-Cookie: b=2" gives "a=1; b=2".
[[nodiscard]] Text gather_set_cookies(std::string_view block);

// Reads the response headers, status code and status text of `request` (a failed read
// gives the empty value), writes headers, status and the gathered cookies to the
// out-members of `options`, and merges the gathered cookies into `options.cookies`
// when it is given and `auto_merge_cookies` is on.
void hand_back_response(const ComObject& request, const WebRequestOptions& options);

}  // namespace ff
