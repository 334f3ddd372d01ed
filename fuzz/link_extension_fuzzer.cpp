// link_extension: the extension is the end of the link's path (before a "?" or "#"),
// begins with its only "." and holds no separator or blank, so that "字体" + the extension
// names a file in the Desktop folder itself. Characters are walked as GBK pairs (lead
// bytes 0x81..0xFE), so a "." or "/" that is a trail byte is no dot or separator.

#include <cstdint>
#include <string>

#include "console/link_extension.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace ff::fuzzing;

bool is_lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// The boundaries of the link's path, walked as the contract says.
std::vector<std::size_t> path_boundaries(std::string_view link) {
  std::vector<std::size_t> boundaries;
  for (std::size_t i = 0; i < link.size();) {
    if (link[i] == '?' || link[i] == '#') break;
    boundaries.push_back(i);
    i += is_lead(static_cast<unsigned char>(link[i])) && i + 1 < link.size() ? 2 : 1;
  }
  return boundaries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string link = zero_free(std::string(reinterpret_cast<const char*>(data), size));
  const ff::Text extension = ff::link_extension(link);
  const std::string seen = escaped(link) + " gave " + escaped(extension.str());

  const std::vector<std::size_t> boundaries = path_boundaries(link);
  const std::size_t path_end = boundaries.empty() ? 0
                               : boundaries.back() + (is_lead(static_cast<unsigned char>(
                                                          link[boundaries.back()])) &&
                                                              boundaries.back() + 1 < link.size()
                                                          ? 2
                                                          : 1);
  const std::string_view path = std::string_view(link).substr(0, path_end);
  // The last character of the path that is a dot, a separator or a blank decides.
  char last_mark = 0;
  std::size_t last_mark_at = 0;
  for (const std::size_t i : boundaries) {
    const char c = link[i];
    if (c == '.' || c == '/' || c == '\\' || c == ' ') {
      last_mark = c;
      last_mark_at = i;
    }
  }
  if (last_mark == '.') {
    FF_FUZZ_CHECK(extension.view() == path.substr(last_mark_at), seen);
  } else {
    FF_FUZZ_CHECK(extension.empty(), seen);
  }
  return 0;
}
