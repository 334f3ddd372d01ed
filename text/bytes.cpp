#include "text/bytes.h"

#include <algorithm>

namespace ff {

int bytes_length(const Bytes& bytes) { return static_cast<int>(bytes.size()); }

Bytes text_to_bytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

Text bytes_to_text(const Bytes& bytes) {
  const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
  return Text(std::string(bytes.begin(), zero));
}

Bytes bytes_mid(const Bytes& bytes, int start, int n) {
  const std::size_t from =
      static_cast<std::size_t>(std::clamp<long long>(start, 1, bytes.size() + 1LL)) - 1;
  const std::size_t count = std::min<std::size_t>(bytes.size() - from, std::max(n, 0));
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
               bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

Bytes blank_bytes(int n) { return Bytes(static_cast<std::size_t>(std::max(n, 0)), 0); }

Bytes concat_bytes(std::initializer_list<const Bytes*> parts) {
  std::size_t total = 0;
  for (const Bytes* part : parts) total += part->size();
  Bytes joined;
  joined.reserve(total);
  for (const Bytes* part : parts) joined.insert(joined.end(), part->begin(), part->end());
  return joined;
}

bool bytes_equal(const Bytes& a, const Bytes& b) { return a == b; }

}  // namespace ff
