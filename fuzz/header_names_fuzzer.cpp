// normalize_header_names against a plain reading of its contract: the block's lines that
// hold a colon, in order, joined by CR LF, with a lower-case ASCII letter made upper-case
// where it begins the name or follows a "-" inside it. Line breaks, colons and dashes
// count only where a character begins (the double-byte walk).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "web/header_names.h"

namespace {

using namespace ff::fuzzing;

std::vector<std::string> lines_of(std::string_view block) {
  std::vector<std::string> lines;
  std::size_t line = 0;
  for (std::size_t i = 0; i + 1 < block.size();) {
    if (block.substr(i, 2) == "\r\n") {
      lines.emplace_back(block.substr(line, i - line));
      i = line = i + 2;
    } else {
      i += char_width(block, i);
    }
  }
  if (line < block.size()) lines.emplace_back(block.substr(line));
  return lines;
}

// The line as normalized, or nothing (an empty optional stands for a dropped line).
std::optional<std::string> normalized_line(std::string line) {
  const std::vector<bool> starts = char_starts(line);
  std::size_t colon = 0;
  while (colon < line.size() && !(starts[colon] && line[colon] == ':')) ++colon;
  if (colon == line.size()) return std::nullopt;
  for (std::size_t i = 0; i < colon; ++i) {
    const bool piece_begins = i == 0 || (starts[i - 1] && line[i - 1] == '-');
    if (starts[i] && piece_begins && line[i] >= 'a' && line[i] <= 'z') {
      line[i] = static_cast<char>(line[i] - 'a' + 'A');
    }
  }
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string block = zero_free(std::string(reinterpret_cast<const char*>(data), size));
  std::vector<std::string> kept;
  for (const std::string& line : lines_of(block)) {
    if (auto normalized = normalized_line(line)) kept.push_back(*normalized);
  }
  const std::string expected = joined(kept, "\r\n");
  const ff::Text normalized = ff::normalize_header_names(block);
  FF_FUZZ_CHECK(normalized.str() == expected, escaped(block) + " gave " +
                                                  escaped(normalized.str()) + ", expected " +
                                                  escaped(expected));
  return 0;
}
