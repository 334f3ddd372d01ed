#pragma once
// web_request: one synchronous HTTP exchange through the HTTP request object
// "WinHttp.WinHttpRequest.5.1".

#include <optional>

#include "automation/variant.h"
#include "text/types.h"
#include "web/header_names.h"  // header_name_of, header_value_of

namespace ff {

enum RequestMethod : int {
  method_get = 0, method_post, method_head, method_put,
  method_options, method_delete, method_trace, method_connect
};

// The 18 optional members. In/out and out members point at the caller's variables;
// a null pointer is an absent member (the function then writes a discarded scratch
// value). Members whose absence behaves like a value simply default to that value.
struct WebRequestOptions {
  int method = method_get;                // outside 0..7 is taken as GET
  Text post_text;                         // sent when post_bytes is empty
  Text* cookies = nullptr;                // in/out; absent: no Cookie header, no merge
  Text* returned_cookies = nullptr;       // out
  Text request_headers;                   // header block, lines separated by CR LF
  Text* response_headers = nullptr;       // out
  int* status_code = nullptr;             // out
  bool block_redirects = false;
  Bytes post_bytes;                       // when non-empty, sent instead of post_text
  Text proxy_address;                     // empty: no proxy
  int timeout_seconds = 0;                // -1: keep the object's; >= 1: seconds; else 15
  Text proxy_user;
  Text proxy_password;
  int proxy_credential_flags = 1;         // 0: server, 1: proxy (+ Basic header)
  std::optional<ComObject> request_object;  // absent: a new object is created
  bool auto_merge_cookies = true;
  bool add_default_headers = true;
  bool normalize_headers = true;
};

// Requests `link` synchronously and answers the body of the answer, or empty Bytes
// when it has none or no exchange took place. Unless `add_default_headers` is off, the
// header lines "Accept: */*", "Referer: <link>", "Accept-Language: zh-cn", a User-Agent
// and, for POST, a form Content-Type are added where the block lacks them; certificate
// errors are ignored. Afterwards `response_headers`, `status_code` and
// `returned_cookies` hold what the server sent, and a given `cookies` text is merged with
// the cookies the server set. Failures are quiet: a step that fails gives its empty value
// and the exchange goes on; when no request object can be created, nothing is written.
[[nodiscard]] Bytes web_request(std::string_view link, const WebRequestOptions& options = {});

}  // namespace ff
