#pragma once
// Every fixed text and number of web access, in one place.

#include <array>
#include <cstdint>
#include <string_view>

namespace ff::web_constants {

// Method names, indexed by RequestMethod.
inline constexpr std::array<std::string_view, 8> method_names = {
    "GET", "POST", "HEAD", "PUT", "OPTIONS", "DELETE", "TRACE", "CONNECT"};

// A default header line: appended to the header block when `searched` occurs nowhere in
// it (ASCII letters compared without regard to case).
struct DefaultHeader {
  std::string_view searched;
  std::string_view appended;
};
inline constexpr std::array<DefaultHeader, 4> default_headers = {{
    {"Accept:", "\r\nAccept: */*"},
    {"Referer:", "\r\nReferer: "},  // followed by the link
    {"Accept-Language:", "\r\nAccept-Language: zh-cn"},
    {"User-Agent:", "\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)"},
}};
inline constexpr std::size_t referer_row = 1;  // the row whose line ends with the link
// Added after the others, for POST only.
inline constexpr DefaultHeader post_content_type = {
    "Content-Type:", "\r\nContent-Type: application/x-www-form-urlencoded"};

// Time-outs.
inline constexpr int keep_object_timeouts = -1;
inline constexpr std::int32_t default_timeout_ms = 15000;
inline constexpr std::int32_t ms_per_second = 1000;

// Object members and their arguments.
inline constexpr std::int32_t proxy_setting_named_server = 2;
inline constexpr std::int32_t option_enable_redirects = 6;
inline constexpr std::int32_t option_ignore_certificate_errors = 4;
// Unknown authority, wrong usage, invalid common name, invalid date.
inline constexpr std::int32_t ignore_all_certificate_errors = 0x3300;
inline constexpr std::int32_t credentials_for_proxy = 1;

// Header lines.
inline constexpr std::string_view line_break = "\r\n";
inline constexpr std::string_view header_colon = ":";
inline constexpr std::string_view name_dash = "-";
inline constexpr std::string_view proxy_authorization = "Proxy-Authorization";
inline constexpr std::string_view basic_prefix = "Basic ";
inline constexpr std::string_view credentials_joiner = ":";
inline constexpr std::string_view cookie_header = "Cookie";
inline constexpr std::string_view cookie_marker = "Cookie:";
inline constexpr std::string_view connection_header = "Connection";
inline constexpr std::string_view keep_alive = "keep-alive";

// Response cookies and cookie text.
inline constexpr std::string_view name_separator = ": ";
inline constexpr std::string_view set_cookie_header = "Set-Cookie";
inline constexpr std::string_view set_cookie_marker = "Set-Cookie:";
inline constexpr std::string_view attribute_separator = ";";
inline constexpr std::string_view cookie_separator = "; ";
inline constexpr std::string_view cookie_name_end = "=";
inline constexpr std::string_view deletion_marker = "=deleted";
inline constexpr std::string_view space = " ";

// Object member names.
namespace member {
inline constexpr std::string_view set_timeouts = "SetTimeouts";
inline constexpr std::string_view set_proxy = "SetProxy";
inline constexpr std::string_view open = "Open";
inline constexpr std::string_view option = "Option";
inline constexpr std::string_view set_credentials = "SetCredentials";
inline constexpr std::string_view set_request_header = "SetRequestHeader";
inline constexpr std::string_view send = "Send";
inline constexpr std::string_view response_body = "ResponseBody";
inline constexpr std::string_view all_response_headers = "GetAllResponseHeaders";
inline constexpr std::string_view status = "Status";
inline constexpr std::string_view status_text = "StatusText";
}  // namespace member

}  // namespace ff::web_constants
