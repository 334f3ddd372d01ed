#include "console/error_answer.h"

#include "console/messages.h"

namespace ff {
namespace {
constexpr std::string_view kErrorMember = "error";

// True when no script engine could take `text` for an expression: after leading
// blanks it opens a markup tag. ("<!--" is the one exception: script reads it as the
// start of a comment.) A waiting page then costs no new engine per attempt.
bool cannot_be_script(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n\f\v");
  if (first == std::string_view::npos || text[first] != '<') return false;
  return !text.substr(first).starts_with("<!--");
}
}  // namespace

bool report_error_answer(JsonDocument& document, const Text& answer_text,
                         const DialogueEnvironment& environment) {
  if (cannot_be_script(answer_text) || !document.parse(answer_text)) return false;
  environment.write(messages::error_line(document.get_text(Text(kErrorMember))));
  document.clear();
  return true;
}

}  // namespace ff
