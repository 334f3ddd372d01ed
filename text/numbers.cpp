#include "text/numbers.h"

#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

namespace ff {
namespace {

constexpr std::uint32_t kShiftMask = 31;  // shift counts are taken modulo 32

}  // namespace

Text int_to_text(std::int32_t value) { return Text(std::to_string(value)); }

Text real_to_text(double value) {
  char buffer[32];  // "%.13g" needs at most 21 bytes ("-1.234567890123e-308")
  std::snprintf(buffer, sizeof buffer, "%.13g", value);
  return Text(buffer);
}

std::int32_t to_int(double value) {
  using Limits = std::numeric_limits<std::int32_t>;
  if (std::isnan(value)) return 0;
  const double truncated = std::trunc(value);
  if (truncated >= static_cast<double>(Limits::max())) return Limits::max();
  if (truncated <= static_cast<double>(Limits::min())) return Limits::min();
  return static_cast<std::int32_t>(truncated);
}

std::uint8_t to_byte(std::int32_t value) { return static_cast<std::uint8_t>(value); }

double modulo(double a, double b) { return std::fmod(a, b); }

std::int32_t bit_and(std::int32_t a, std::int32_t b) { return a & b; }

std::int32_t shift_left(std::int32_t a, std::int32_t n) {
  // On the unsigned value, so a negative a or a bit shifted into the sign is well defined.
  const std::uint32_t count = static_cast<std::uint32_t>(n) & kShiftMask;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) << count);
}

std::int32_t shift_right(std::int32_t a, std::int32_t n) {
  return a >> (static_cast<std::uint32_t>(n) & kShiftMask);  // arithmetic on signed values
}

}  // namespace ff
