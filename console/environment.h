#pragma once
// What the download dialogue needs of its surroundings: the console, the pause between
// attempts and the Desktop folder. The program runs it with the platform's own; tests
// hand in their own console, clock and folder.

#include <functional>
#include <optional>
#include <string_view>

#include "text/types.h"

namespace ff {

struct DialogueEnvironment {
  // Writes GBK text to the console as it stands.
  std::function<void(std::string_view text)> write;
  // One line typed at the console, with or without echo (at most 2048 bytes a read);
  // nullopt once the input has ended.
  std::function<std::optional<Text>(bool echo)> read;
  // Empties the console window.
  std::function<void()> clear_screen;
  // Suspends the dialogue for that many milliseconds.
  std::function<void(int milliseconds)> pause;
  // The Desktop folder ending in a separator, or the empty text when it is unknown.
  std::function<Text()> desktop_folder;
};

// The console of standard input and output, the real clock and the user's Desktop.
[[nodiscard]] DialogueEnvironment platform_environment();

}  // namespace ff
