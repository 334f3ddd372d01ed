#pragma once
// The answers and texts the benchmarks work on, built in memory and the same on every
// run, so figures from different runs and programs compare.

#include <cstddef>
#include <string>

namespace ff::bench {

inline constexpr std::size_t kKiB = 1024;
inline constexpr std::size_t kMiB = 1024 * kKiB;
// The size of a waiting page, as the website sends it.
inline constexpr std::size_t kWaitingPageSize = 20 * kKiB;

// GBK text of about `size` bytes (never more): Chinese lines mixed with ASCII, with
// double-byte characters whose trail byte is an ASCII delimiter (0x81 0x3B is one
// character, not a ';'), lines ending in CR LF, items separated by ';'.
[[nodiscard]] std::string gbk_text(std::size_t size);

// An HTML page of `size` bytes in GBK holding the waiting sentence three quarters of the
// way in, so a search for it reads most of the page.
[[nodiscard]] std::string waiting_page(std::size_t size = kWaitingPageSize);

// A font file of `size` bytes: a TrueType header (which begins with a zero byte, as real
// fonts do) and then bytes that repeat with a long period.
[[nodiscard]] std::string font_body(std::size_t size);

// A JSON array of about `size` bytes of objects with numbers, booleans, ASCII and GBK
// strings and nested arrays; valid JSON and a valid JavaScript expression.
[[nodiscard]] std::string json_text(std::size_t size);

}  // namespace ff::bench
