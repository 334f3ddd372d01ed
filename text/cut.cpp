#include "text/cut.h"

#include <algorithm>

namespace ff {

int text_length(std::string_view text) { return static_cast<int>(text.size()); }

Text text_left(std::string_view text, int n) {
  if (n <= 0) return {};
  return Text(text.substr(0, static_cast<std::size_t>(n)));
}

Text text_right(std::string_view text, int n) {
  if (n <= 0) return {};
  const std::size_t count = std::min(text.size(), static_cast<std::size_t>(n));
  return Text(text.substr(text.size() - count));
}

Text text_mid(std::string_view text, int start, int n) {
  if (start < 1 || static_cast<std::size_t>(start) > text.size() || n <= 0) return {};
  return Text(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(n)));
}

Text concat_text(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) total += part.size();
  std::string joined;
  joined.reserve(total);
  for (std::string_view part : parts) joined.append(part.substr(0, part.find('\0')));
  return Text(std::move(joined));
}

int compare_text(std::string_view a, std::string_view b) {
  // char_traits<char> compares as unsigned char, so 0x80..0xFF sort above ASCII.
  const int order = a.compare(b);
  return (order > 0) - (order < 0);
}

bool text_starts_with(std::string_view text, std::string_view prefix) {
  return text.starts_with(prefix);
}

int char_code(std::string_view text) {
  return text.empty() ? 0 : static_cast<int>(static_cast<signed char>(text.front()));
}

Text char_from_code(std::uint8_t code) {
  return Text(std::string(1, static_cast<char>(code)));
}

}  // namespace ff
