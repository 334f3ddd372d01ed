#include "platform/console_io.h"

#include <cerrno>
#include <chrono>
#include <string>
#include <thread>

#include "platform/echo_off.h"
#include "platform/line_reader.h"
#include "platform/locale_encoding.h"

namespace ff {
namespace {

// Home, erase the screen, erase the scroll-back.
constexpr std::string_view kClearScreen = "\x1b[H\x1b[2J\x1b[3J";

void write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t done = ::write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) return;  // the console is gone: there is nobody left to tell
    bytes.remove_prefix(static_cast<std::size_t>(done));
  }
}

LineReader& standard_input() {
  static LineReader reader(STDIN_FILENO);
  return reader;
}

// The next piece of standard input's current line, without its trailing bytes below 32.
std::optional<Text> read_piece(std::size_t limit) {
  const CharacterSet set = locale_is_gb() ? CharacterSet::gbk : CharacterSet::utf8;
  auto piece = standard_input().next_piece(limit, set);
  if (!piece) return std::nullopt;
  while (!piece->empty() && static_cast<unsigned char>(piece->back()) < 32) piece->pop_back();
  return locale_to_gbk(*piece);
}

}  // namespace

bool is_terminal(int fd) { return ::isatty(fd) == 1; }

void write_stdout(std::string_view text) { write_all(STDOUT_FILENO, gbk_to_locale(text)); }

void write_stderr(std::string_view text) { write_all(STDERR_FILENO, gbk_to_locale(text)); }

std::optional<Text> read_stdin(bool echo) {
  if (echo) return read_piece(kLongestLineRead);
  EchoOff quiet(STDIN_FILENO);
  return read_piece(kMostHiddenKeystrokes);
}

void clear_screen(const ConsoleHandles& console) {
  if (is_terminal(console.output)) write_all(console.output, kClearScreen);
}

void sleep_ms(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace ff
