#include "platform/path_extension.h"

namespace ff {
namespace {

bool is_gbk_lead(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

}  // namespace

std::string_view path_find_extension(std::string_view path) {
  std::size_t end = 0;
  std::size_t dot = std::string_view::npos;
  while (end < path.size()) {
    const char c = path[end];
    if (c == '?' || c == '#') break;
    if (c == '\\' || c == '/' || c == ' ') {
      dot = std::string_view::npos;
    } else if (c == '.') {
      dot = end;
    }
    const bool pair = is_gbk_lead(static_cast<unsigned char>(c)) && end + 1 < path.size();
    end += pair ? 2 : 1;
  }
  if (dot == std::string_view::npos) return path.substr(end, 0);
  return path.substr(dot, end - dot);
}

}  // namespace ff
