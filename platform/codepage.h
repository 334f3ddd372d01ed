#pragma once
// Code page 936 (GBK) conversions over glibc iconv. They never fail: an unmappable
// wide character becomes '?', an invalid or cut-off byte sequence becomes '?', and a
// NUL stays a NUL (embedded NULs survive).
//
// Replacements, in detail:
//   to GBK      a character GBK lacks -> '?'; one outside the BMP (an emoji, two UTF-16
//               units) -> "??"; a lone surrogate or invalid UTF-8 -> '?'.
//   from GBK    a lead byte with a valid trail byte that maps to nothing -> one '?';
//               any other invalid byte, or a lead byte cut off at the end -> '?'.
//   UTF-8/16    a lone surrogate or invalid UTF-8 -> U+FFFD, one per maximal ill-formed
//               subsequence (the Unicode recommendation), e.g. "\xE4\xB8A" -> U+FFFD 'A'.

#include <string>
#include <string_view>

namespace ff {

std::u16string gbk_to_utf16(std::string_view gbk);
std::string utf16_to_gbk(std::u16string_view wide);

// Between GBK and UTF-8 (console text and file names on a non-GB locale).
std::string gbk_to_utf8(std::string_view gbk);
std::string utf8_to_gbk(std::string_view utf8);

std::string utf16_to_utf8(std::u16string_view wide);
std::u16string utf8_to_utf16(std::string_view utf8);

}  // namespace ff
