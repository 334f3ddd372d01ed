#include "platform/line_reader.h"

#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace ff {
namespace {

constexpr std::size_t kReadChunk = 4096;

// Bytes in the character that starts with `lead`; 0 for a byte that cannot start one.
std::size_t character_size(unsigned char lead, CharacterSet set) {
  if (set == CharacterSet::gbk) return lead >= 0x81 && lead <= 0xFE ? 2 : 1;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;  // a stray continuation or invalid byte stands alone
}

}  // namespace

std::size_t whole_character_prefix(std::string_view bytes, CharacterSet set) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t size = character_size(static_cast<unsigned char>(bytes[at]), set);
    if (at + size > bytes.size()) break;
    at += size;
  }
  return at;
}

bool LineReader::fill() {
  if (ended_) return false;
  char chunk[kReadChunk];
  for (;;) {
    const ssize_t got = ::read(fd_, chunk, sizeof chunk);
    if (got > 0) {
      buffer_.append(chunk, static_cast<std::size_t>(got));
      return true;
    }
    if (got < 0 && errno == EINTR) continue;
    ended_ = true;
    return false;
  }
}

std::optional<std::string> LineReader::next_piece(std::size_t limit, CharacterSet set) {
  std::size_t line_feed = buffer_.find('\n');
  while (line_feed == std::string::npos && buffer_.size() < limit && fill()) {
    line_feed = buffer_.find('\n');
  }
  if (buffer_.empty()) return std::nullopt;
  std::size_t take = line_feed == std::string::npos ? buffer_.size() : line_feed + 1;
  if (take > limit) {
    const std::size_t whole = whole_character_prefix(std::string_view(buffer_).substr(0, limit), set);
    take = whole > 0 ? whole : limit;
  }
  std::string piece = buffer_.substr(0, take);
  buffer_.erase(0, take);
  return piece;
}

}  // namespace ff
