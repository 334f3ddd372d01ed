#pragma once
// The HTTP request object "WinHttp.WinHttpRequest.5.1" over libcurl, reached through
// the automation calls (create_object, call_method, get_property, put_property).
//
// Members (names without regard to letter case; text arguments cross as UTF-16 and go
// on the wire as UTF-8; a call that fails answers nothing, the caller's empty value):
//   SetTimeouts(resolve, connect, send, receive)  ms; 0 or -1: no limit
//   SetProxy(setting [, server])                  0: the proxy environment variables,
//                                                 1: direct, 2: server (or a list
//                                                 "http=h:p;https=h:p"); no bypass list
//   Open(method, url [, async = false])           synchronous only
//   Option(index) get / put                       4: certificate errors to ignore,
//                                                 6: follow redirects
//   SetCredentials(user, password, flags)         0: server, 1: proxy
//   SetRequestHeader(name, value)
//   Send([body])                                  a string as UTF-8, a byte array as is
//   ResponseBody, GetAllResponseHeaders, Status, StatusText   after a successful Send

#include <string_view>

#include "automation/variant.h"

namespace ff {

inline constexpr std::string_view kHttpRequestProgId = "WinHttp.WinHttpRequest.5.1";

// A new request object; an empty handle when libcurl cannot provide a transfer handle.
ComObject make_http_request_object();

// Registers make_http_request_object under kHttpRequestProgId, unless something is
// registered there already. Safe to call any number of times, from any thread.
void register_http_request_object();

}  // namespace ff
