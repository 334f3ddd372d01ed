#include "console/downloader.h"
#include "console/link_extension.h"
#include "console/messages.h"
#include "console/polling.h"
#include "console/progress_display.h"
#include "json/json_document.h"

namespace ff {
namespace {

// One prompt cycle: the link typed, or nullopt once the input has ended.
std::optional<Text> prompt_for_link(const DialogueEnvironment& environment) {
  environment.write(messages::prompt_tip);
  environment.write(messages::prompt);
  return environment.read(true);
}

// Whether `link` may be requested; says why not when it may not.
bool link_accepted(const Text& link, const DialogueEnvironment& environment) {
  if (link.empty()) {
    environment.write(messages::enter_again);
    return false;
  }
  if (link_extension(link).empty()) {
    environment.write(messages::wrong_link);
    return false;
  }
  return true;
}

}  // namespace

int run_downloader(const DialogueEnvironment& environment) {
  // Made on first need: a font that answers at once costs no script engine.
  std::optional<JsonDocument> document;
  for (;;) {
    const std::optional<Text> link = prompt_for_link(environment);
    if (!link) return 0;
    if (!link_accepted(*link, environment)) continue;
    environment.clear_screen();
    environment.write(messages::preparing);
    if (poll_link(*link, document, environment)) break;
    environment.write(messages::failed);
  }
  environment.write(messages::saved);
  (void)environment.read(false);
  return 0;
}

int run_downloader() {
  const ProgressDisplay progress = ProgressDisplay::on_standard_error();
  return run_downloader(platform_environment());
}

}  // namespace ff
