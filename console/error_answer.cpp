#include "console/error_answer.h"

#include "console/messages.h"

namespace ff {
namespace {
constexpr std::string_view kErrorMember = "error";

// True when `text` cannot load as a value: it is blank (it loads as nothing), or after
// leading blanks it opens a markup tag, which no script engine takes for an expression
// ("<!--" is the one exception: script reads it as the start of a comment). A waiting
// page then costs no new engine per attempt.
bool cannot_be_script(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n\f\v");
  if (first == std::string_view::npos) return true;
  if (text[first] != '<') return false;
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

bool report_error_answer(std::optional<JsonDocument>& document, const Text& answer_text,
                         const DialogueEnvironment& environment) {
  if (cannot_be_script(answer_text)) return false;
  if (!document) document.emplace();
  return report_error_answer(*document, answer_text, environment);
}

}  // namespace ff
