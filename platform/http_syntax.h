#pragma once
// The textual rules of the HTTP request object: header names and values, the request
// URL as it goes on the wire, proxy lists, and the decoding of received header bytes.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ff {

// A header name is a non-empty HTTP token: letters, digits and !#$%&'*+-.^_`|~.
bool is_header_name(std::string_view name);
// Header names compare without regard to ASCII letter case.
bool same_header_name(std::string_view a, std::string_view b);
// A header value may hold anything but CR, LF and NUL, which would end the header line
// early and let the value smuggle in further header lines.
bool is_header_value(std::string_view value);

// The URL as it goes on the wire: after the authority, bytes 0x80..0xFF (UTF-8), spaces,
// control characters and a "%" not followed by two hex digits are percent-encoded;
// existing %XX sequences stay. The host is left alone (curl turns an international
// name into its ASCII form).
// Example: "http://h/a b/字?q=é" -> "http://h/a%20b/%E5%AD%97?q=%C3%A9"
std::string encode_request_url(std::string_view url);

// The scheme of a URL in lower case ("https"), or empty without "://".
std::string url_scheme(std::string_view url);

// One entry of a proxy list "[scheme=][scheme://]host[:port]".
struct ProxyEntry {
  std::string for_scheme;  // "http", "https", or empty: every scheme
  std::string proxy_url;   // for curl, always with its scheme: "http://host:port"
};

// Parses a list of entries separated by ";" or blanks. nullopt when an entry is
// malformed or names a proxy scheme other than http or https; an empty list answers
// an empty vector.
std::optional<std::vector<ProxyEntry>> parse_proxy_list(std::string_view list);
// The proxy for a request over `scheme`: the entry for that scheme, else the first
// entry for every scheme, else nullopt (a direct connection).
std::optional<std::string> proxy_for_scheme(const std::vector<ProxyEntry>& entries,
                                            std::string_view scheme);

// Received header bytes as wide text, line by line: a line that is valid UTF-8 is read
// as UTF-8, any other line as Latin-1.
std::u16string decode_header_bytes(std::string_view bytes);

}  // namespace ff
