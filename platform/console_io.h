#pragma once
// The console: standard input and output, GBK inside the program.
//
// Text leaves and enters as GBK; on a locale that is not a GB one it is converted to
// and from UTF-8 (platform/locale_encoding.h), so a UTF-8 terminal shows Chinese.

#include <unistd.h>

#include <optional>
#include <string_view>

#include "text/types.h"

namespace ff {

// The console's standard handles, taken at start-up. The record does not own them.
struct ConsoleHandles {
  int input = STDIN_FILENO;
  int output = STDOUT_FILENO;
};

// The longest piece of a line one read delivers, and the keystrokes a read without echo
// takes at most.
inline constexpr std::size_t kLongestLineRead = 2048;
inline constexpr std::size_t kMostHiddenKeystrokes = 2049;

// Writes the text's bytes to standard output (standard error) as they stand, all of
// them, unbuffered; an empty text writes nothing.
void write_stdout(std::string_view text);
void write_stderr(std::string_view text);

// One line typed at the console, without its trailing bytes below 32 (CR, LF, tab and
// the like; spaces stay). With `echo` at most 2048 bytes come per read, and a longer
// line comes in pieces by successive reads. Without `echo` the terminal's echo is
// switched off while the line is read (only when standard input is a terminal) and at
// most 2049 bytes are taken. nullopt when standard input has ended.
std::optional<Text> read_stdin(bool echo);

// Empties the terminal and puts the cursor at its top left; nothing when the output is
// not a terminal.
void clear_screen(const ConsoleHandles& console);

void sleep_ms(int milliseconds);

[[nodiscard]] bool is_terminal(int fd);

}  // namespace ff
