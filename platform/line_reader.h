#pragma once
// Lines of a file descriptor, delivered in pieces of bounded length.

#include <cstddef>
#include <optional>
#include <string>

namespace ff {

// How the bytes of one character hang together, so a piece never ends inside one.
enum class CharacterSet { gbk, utf8 };

class LineReader {
 public:
  explicit LineReader(int fd) : fd_(fd) {}

  // The next piece of the current line: its bytes up to and including the line feed,
  // at most `limit` bytes. A longer line comes in pieces by successive calls; a piece
  // cut by the limit ends on a whole character of `set` (unless one character alone is
  // longer than the limit). nullopt at the end of input when nothing is left; a last
  // line without a line feed is delivered first.
  std::optional<std::string> next_piece(std::size_t limit, CharacterSet set);

 private:
  bool fill();  // reads more bytes; false at the end of input or on an error

  int fd_;
  std::string buffer_;
  bool ended_ = false;
};

// The length of the longest prefix of `bytes` that ends on a whole character.
[[nodiscard]] std::size_t whole_character_prefix(std::string_view bytes, CharacterSet set);

}  // namespace ff
