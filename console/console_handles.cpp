#include "console/console_handles.h"

#include <memory>

namespace ff {
namespace {

std::unique_ptr<ConsoleHandles>& record() {
  static std::unique_ptr<ConsoleHandles> handles;
  return handles;
}

}  // namespace

void create_console() { record() = std::make_unique<ConsoleHandles>(); }

void release_console() { record().reset(); }

const ConsoleHandles* console_handles() { return record().get(); }

}  // namespace ff
