#include "web/base64.h"

#include <string>
#include <string_view>

namespace ff {

namespace {

constexpr std::string_view alphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr char padding = '=';

char sextet(std::uint32_t group, int shift) { return alphabet[(group >> shift) & 0x3F]; }

}  // namespace

Text base64_encode(const Bytes& data) {
  const std::size_t whole = data.size() / 3 * 3;
  std::string out;
  out.reserve((data.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < whole; i += 3) {
    const std::uint32_t group = std::uint32_t{data[i]} << 16 |
                                std::uint32_t{data[i + 1]} << 8 | data[i + 2];
    out += {sextet(group, 18), sextet(group, 12), sextet(group, 6), sextet(group, 0)};
  }
  const std::size_t rest = data.size() - whole;
  if (rest != 0) {
    std::uint32_t group = std::uint32_t{data[whole]} << 16;
    if (rest == 2) group |= std::uint32_t{data[whole + 1]} << 8;
    out += sextet(group, 18);
    out += sextet(group, 12);
    out += rest == 2 ? sextet(group, 6) : padding;
    out += padding;
  }
  return Text(std::move(out));
}

}  // namespace ff
