#include "platform/http_syntax.h"

#include <algorithm>
#include <cstdint>

namespace ff {
namespace {

bool is_ascii_alnum(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool is_hex_digit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

std::string lower_ascii(std::string_view text) {
  std::string lower(text);
  std::ranges::transform(lower, lower.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return lower;
}

bool needs_escape(std::string_view rest, std::size_t i) {
  const auto c = static_cast<unsigned char>(rest[i]);
  if (c >= 0x80 || c <= 0x20 || c == 0x7F) return true;
  if (c != '%') return false;
  return i + 2 >= rest.size() || !is_hex_digit(rest[i + 1]) || !is_hex_digit(rest[i + 2]);
}

// Length of the scheme and authority ("http://host:port"), or 0 without "://".
std::size_t authority_end(std::string_view url) {
  const std::size_t scheme_end = url.find("://");
  if (scheme_end == std::string_view::npos) return 0;
  const std::size_t end = url.find_first_of("/?#", scheme_end + 3);
  return end == std::string_view::npos ? url.size() : end;
}

std::optional<ProxyEntry> parse_proxy_entry(std::string_view entry) {
  ProxyEntry parsed;
  if (const std::size_t eq = entry.find('='); eq != std::string_view::npos) {
    parsed.for_scheme = lower_ascii(entry.substr(0, eq));
    entry.remove_prefix(eq + 1);
    if (parsed.for_scheme != "http" && parsed.for_scheme != "https") return std::nullopt;
  }
  std::string proxy_scheme = "http";
  if (const std::size_t sep = entry.find("://"); sep != std::string_view::npos) {
    proxy_scheme = lower_ascii(entry.substr(0, sep));
    entry.remove_prefix(sep + 3);
  }
  if (proxy_scheme != "http" && proxy_scheme != "https") return std::nullopt;
  if (entry.empty() || entry.find_first_of("/@") != std::string_view::npos) return std::nullopt;
  parsed.proxy_url = proxy_scheme + "://" + std::string(entry);
  return parsed;
}

// Decodes strict UTF-8 (no overlong forms, no surrogates, at most U+10FFFF).
std::optional<std::u16string> decode_utf8(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size());
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    const int extra = lead < 0x80 ? 0 : lead < 0xC2 ? -1 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2
                      : lead < 0xF5 ? 3 : -1;
    if (extra < 0 || i + extra >= bytes.size()) return std::nullopt;
    std::uint32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const auto trail = static_cast<unsigned char>(bytes[i + k]);
      if ((trail & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (trail & 0x3F);
    }
    static constexpr std::uint32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
    if (code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return std::nullopt;
    }
    if (code >= 0x10000) {
      wide.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
      wide.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
    } else {
      wide.push_back(static_cast<char16_t>(code));
    }
    i += 1 + extra;
  }
  return wide;
}

}  // namespace

bool is_header_name(std::string_view name) {
  static constexpr std::string_view kTokenPunctuation = "!#$%&'*+-.^_`|~";
  return !name.empty() && std::ranges::all_of(name, [](char c) {
    return is_ascii_alnum(static_cast<unsigned char>(c)) ||
           kTokenPunctuation.find(c) != std::string_view::npos;
  });
}

bool same_header_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && lower_ascii(a) == lower_ascii(b);
}

bool is_header_value(std::string_view value) {
  return value.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

std::string encode_request_url(std::string_view url) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  const std::size_t keep = authority_end(url);
  std::string encoded(url.substr(0, keep));
  const std::string_view rest = url.substr(keep);
  for (std::size_t i = 0; i < rest.size(); ++i) {
    if (!needs_escape(rest, i)) {
      encoded.push_back(rest[i]);
      continue;
    }
    const auto c = static_cast<unsigned char>(rest[i]);
    encoded += {'%', kHex[c >> 4], kHex[c & 0x0F]};
  }
  return encoded;
}

std::string url_scheme(std::string_view url) {
  const std::size_t end = url.find("://");
  return end == std::string_view::npos ? std::string() : lower_ascii(url.substr(0, end));
}

std::optional<std::vector<ProxyEntry>> parse_proxy_list(std::string_view list) {
  std::vector<ProxyEntry> entries;
  while (!list.empty()) {
    const std::size_t end = std::min(list.find_first_of("; \t"), list.size());
    if (end > 0) {
      auto entry = parse_proxy_entry(list.substr(0, end));
      if (!entry) return std::nullopt;
      entries.push_back(std::move(*entry));
    }
    list.remove_prefix(std::min(end + 1, list.size()));
  }
  return entries;
}

std::optional<std::string> proxy_for_scheme(const std::vector<ProxyEntry>& entries,
                                            std::string_view scheme) {
  const std::string wanted = lower_ascii(scheme);
  auto match = std::ranges::find(entries, wanted, &ProxyEntry::for_scheme);
  if (match == entries.end()) match = std::ranges::find(entries, "", &ProxyEntry::for_scheme);
  if (match == entries.end()) return std::nullopt;
  return match->proxy_url;
}

std::u16string decode_header_bytes(std::string_view bytes) {
  std::u16string wide;
  wide.reserve(bytes.size());
  while (!bytes.empty()) {
    const std::size_t end = std::min(bytes.find('\n'), bytes.size() - 1) + 1;
    const std::string_view line = bytes.substr(0, end);
    if (auto utf8 = decode_utf8(line)) {
      wide += *utf8;
    } else {
      for (const char c : line) wide.push_back(static_cast<unsigned char>(c));  // Latin-1
    }
    bytes.remove_prefix(end);
  }
  return wide;
}

}  // namespace ff
