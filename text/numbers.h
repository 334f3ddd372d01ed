#pragma once
// Number formatting, conversion and 32-bit bit operations.

#include <cstdint>

#include "text/types.h"

namespace ff {

// As "%d" formats it. Example: int_to_text(-7) == "-7".
[[nodiscard]] Text int_to_text(std::int32_t value);

// As "%.13g" formats it. Example: real_to_text(0.5) == "0.5"; real_to_text(1e20) == "1e+20".
[[nodiscard]] Text real_to_text(double value);

// Truncation toward zero. A value beyond the int range is clamped to its nearest end and
// NaN gives 0, so no input is undefined.
// Example: to_int(-2.9) == -2; to_int(1e10) == 2147483647.
[[nodiscard]] std::int32_t to_int(double value);

// The low 8 bits. Example: to_byte(-1) == 255.
[[nodiscard]] std::uint8_t to_byte(std::int32_t value);

// a - b * q with q = a / b truncated toward zero: the remainder has the sign of a.
// Example: modulo(-7, 3) == -1.
[[nodiscard]] double modulo(double a, double b);

[[nodiscard]] std::int32_t bit_and(std::int32_t a, std::int32_t b);

// Shifts by n modulo 32 (so -1 shifts by 31). shift_left drops the bits shifted out,
// sign bit included; shift_right copies the sign bit in.
// Example: shift_left(1, 33) == 2; shift_right(-8, 1) == -4.
[[nodiscard]] std::int32_t shift_left(std::int32_t a, std::int32_t n);
[[nodiscard]] std::int32_t shift_right(std::int32_t a, std::int32_t n);

}  // namespace ff
