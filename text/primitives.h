#pragma once
// Text, byte, number and array primitives.
//
// Byte-wise:   text_length, text_left, text_right, text_mid, find_substring.
// Double-byte: find_text, find_text_reverse, replace_text, split_text, trim_both and
//              to_upper walk character by character, a lead byte 0x80..0xFF and the
//              byte after it forming one character, so a match never starts on a
//              trail byte. Every result is a new value; no argument is changed.

#include <cstdint>
#include <initializer_list>

#include "text/types.h"

namespace ff {

// --- Text -------------------------------------------------------------------------
[[nodiscard]] int text_length(std::string_view text);
[[nodiscard]] Text text_left(std::string_view text, int n);
[[nodiscard]] Text text_right(std::string_view text, int n);
[[nodiscard]] Text text_mid(std::string_view text, int start, int n);
[[nodiscard]] Text concat_text(std::initializer_list<std::string_view> parts);
template <typename... Parts>
[[nodiscard]] Text concat_text(const Parts&... parts) {
  return concat_text({std::string_view(parts)...});
}
// -1, 0 or 1, comparing bytes as unsigned values.
[[nodiscard]] int compare_text(std::string_view a, std::string_view b);
[[nodiscard]] bool text_starts_with(std::string_view text, std::string_view prefix);

[[nodiscard]] int find_text(std::string_view text, std::string_view sub, int start = 0,
                            bool ignore_case = false);
[[nodiscard]] int find_text_reverse(std::string_view text, std::string_view sub,
                                    int start = 0, bool ignore_case = false);
[[nodiscard]] int find_substring(std::string_view text, std::string_view sub, int start = 1,
                                 bool fold_case = false);
[[nodiscard]] Text replace_text(std::string_view text, std::string_view find,
                                std::string_view replacement = {},
                                bool case_sensitive = false);
[[nodiscard]] TextArray split_text(std::string_view text, std::string_view delimiter);
[[nodiscard]] Text trim_both(std::string_view text);
[[nodiscard]] Text to_upper(std::string_view text);
// The first byte read as signed: 0x80..0xFF give -128..-1; empty gives 0.
[[nodiscard]] int char_code(std::string_view text);
[[nodiscard]] Text char_from_code(std::uint8_t code);

// --- Bytes ------------------------------------------------------------------------
[[nodiscard]] int bytes_length(const Bytes& bytes);
[[nodiscard]] Bytes text_to_bytes(std::string_view text);
[[nodiscard]] Text bytes_to_text(const Bytes& bytes);
[[nodiscard]] Bytes bytes_mid(const Bytes& bytes, int start, int n);
[[nodiscard]] Bytes blank_bytes(int n);
[[nodiscard]] Bytes concat_bytes(std::initializer_list<const Bytes*> parts);
template <typename... Parts>
[[nodiscard]] Bytes concat_bytes(const Parts&... parts) {
  return concat_bytes({&parts...});
}
[[nodiscard]] bool bytes_equal(const Bytes& a, const Bytes& b);

// --- Numbers and bits -------------------------------------------------------------
[[nodiscard]] Text int_to_text(std::int32_t value);    // "%d"
[[nodiscard]] Text real_to_text(double value);         // "%.13g"
[[nodiscard]] std::int32_t to_int(double value);       // truncation toward zero
[[nodiscard]] std::uint8_t to_byte(std::int32_t value);
[[nodiscard]] double modulo(double a, double b);       // sign of a
[[nodiscard]] std::int32_t bit_and(std::int32_t a, std::int32_t b);
[[nodiscard]] std::int32_t shift_left(std::int32_t a, std::int32_t n);
[[nodiscard]] std::int32_t shift_right(std::int32_t a, std::int32_t n);  // arithmetic

// --- TextArray --------------------------------------------------------------------
[[nodiscard]] int member_count(const TextArray& array);
// The member at 1-based position i; callers read only 1..member_count.
[[nodiscard]] const Text& member_at(const TextArray& array, int i);
void append_member(TextArray& array, std::string_view text);

}  // namespace ff
