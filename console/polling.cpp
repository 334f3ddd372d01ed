#include "console/polling.h"

#include "console/answer_check.h"
#include "console/answer_spool.h"
#include "console/error_answer.h"
#include "console/messages.h"
#include "console/saving.h"
#include "web/web_request.h"

namespace ff {
namespace {

// The end of a run at an answer that is not the waiting page: refused, or saved.
bool finish_run(const Text& link, int status, const Bytes& answer, ExchangeFailure failure,
                AnswerSpool& spool, const DialogueEnvironment& environment) {
  if (const auto refusal = answer_refusal(status, answer, failure)) {
    environment.write(messages::error_line(*refusal));
    return false;
  }
  return spool.spooled() ? save_spooled_answer(spool, environment)
                         : save_answer(link, answer, environment);
}

}  // namespace

bool poll_link(const Text& link, std::optional<JsonDocument>& document,
               const DialogueEnvironment& environment) {
  const Text path = saved_file_path(link, environment);
  for (int attempt = 1; attempt <= kAttemptsPerRun; ++attempt) {
    int status = 0;
    WebRequestOptions options;
    options.status_code = &status;
    // A long answer goes straight to a temporary file beside its target while it
    // arrives; it takes the target's place only if it turns out to be the font.
    AnswerSpool spool(path);
    Bytes answer;
    {
      const ScopedBodySpool spooling(spool);
      answer = web_request(link, options);
    }
    const ExchangeFailure failure = take_last_exchange_failure();
    if (!spool.written()) {
      report_save_failure(path, spool.failure(), environment);
      return false;
    }
    const Text answer_text = spool.answer_text(answer);
    if (report_error_answer(document, answer_text, environment)) return false;
    if (!is_waiting_page(answer_text)) {
      return finish_run(link, status, answer, failure, spool, environment);
    }
    environment.write(messages::refresh_line(attempt));
    environment.pause(kPauseAfterWaitingPage);
  }
  return false;
}

}  // namespace ff
