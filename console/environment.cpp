#include "console/environment.h"

#include "console/console_handles.h"
#include "platform/console_io.h"
#include "platform/desktop_folder.h"

namespace ff {

DialogueEnvironment platform_environment() {
  return {
      .write = [](std::string_view text) { write_stdout(text); },
      .read = [](bool echo) { return read_stdin(echo); },
      .clear_screen =
          [] {
            const ConsoleHandles* console = console_handles();
            clear_screen(console ? *console : ConsoleHandles{});
          },
      .pause = [](int milliseconds) { sleep_ms(milliseconds); },
      .desktop_folder = [] { return desktop_folder(); },
  };
}

}  // namespace ff
