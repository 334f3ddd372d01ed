#include "console/polling.h"

#include "console/answer_check.h"
#include "console/error_answer.h"
#include "console/messages.h"
#include "console/saving.h"
#include "text/primitives.h"
#include "web/web_request.h"

namespace ff {
namespace {

// The end of a run at an answer that is not the waiting page: refused, or saved.
bool finish_run(const Text& link, int status, const Bytes& answer,
                const DialogueEnvironment& environment) {
  if (const auto refusal = answer_refusal(status, answer)) {
    environment.write(messages::error_line(*refusal));
    return false;
  }
  return save_answer(link, answer, environment);
}

}  // namespace

bool poll_link(const Text& link, JsonDocument& document, const DialogueEnvironment& environment) {
  for (int attempt = 1; attempt <= kAttemptsPerRun; ++attempt) {
    int status = 0;
    WebRequestOptions options;
    options.status_code = &status;
    const Bytes answer = web_request(link, options);
    const Text answer_text = bytes_to_text(answer);
    if (report_error_answer(document, answer_text, environment)) return false;
    if (!is_waiting_page(answer_text)) return finish_run(link, status, answer, environment);
    environment.write(messages::refresh_line(attempt));
    environment.pause(kPauseAfterWaitingPage);
  }
  return false;
}

}  // namespace ff
