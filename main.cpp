// font-fetch: asks for a font's download link and saves the font to the Desktop.
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/console_handles.h"
#include "console/downloader.h"
#include "console/messages.h"
#include "platform/console_io.h"
#include "platform/locale_encoding.h"

namespace {

constexpr int kUsageError = 2;

std::string usage() {
  return std::string(
             "Usage: font-fetch [--help | --version]\n"
             "\n"
             "Asks for a font's download link, requests it again while the website answers\n"
             "with its waiting page (at most 1000 times, 150 ms apart) and saves the font to\n"
             "your Desktop as \"") +
         std::string(ff::messages::file_stem) +
         "\" followed by the link's extension. Ends after a saved font and\n"
         "Enter, or when the input ends.\n"
         "\n"
         "  --help     show this help and exit\n"
         "  --version  show the version and exit\n";
}

// Answers the exit status for the command line's arguments (at least one).
int answer_arguments(int count, char** arguments) {
  const std::string_view first = arguments[0];
  const bool help = first == "--help";
  const bool version = first == "--version";
  if (count == 1 && help) {
    ff::write_stdout(usage());
    return EXIT_SUCCESS;
  }
  if (count == 1 && version) {
    ff::write_stdout("font-fetch " FONT_FETCH_VERSION "\n");
    return EXIT_SUCCESS;
  }
  const std::string_view wrong = help || version ? arguments[1] : first;
  ff::write_stderr("font-fetch: unexpected argument '" + ff::locale_to_gbk(wrong).str() + "'\n\n" +
                   usage());
  return kUsageError;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1) return answer_arguments(argc - 1, argv + 1);
  ff::create_console();
  std::atexit(ff::release_console);
  return ff::run_downloader();
}
