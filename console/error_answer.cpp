#include "console/error_answer.h"

#include "console/messages.h"

namespace ff {
namespace {
constexpr std::string_view kErrorMember = "error";
}  // namespace

bool report_error_answer(JsonDocument& document, const Text& answer_text,
                         const DialogueEnvironment& environment) {
  if (!document.parse(answer_text)) return false;
  environment.write(messages::error_line(document.get_text(Text(kErrorMember))));
  document.clear();
  return true;
}

}  // namespace ff
