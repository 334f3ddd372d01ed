#include "console/answer_check.h"

#include "console/messages.h"
#include "text/primitives.h"

namespace ff {

namespace {

std::string_view no_answer_reason(ExchangeFailure failure) {
  switch (failure) {
    case ExchangeFailure::timed_out:
      return messages::timed_out;
    case ExchangeFailure::broken_answer:
      return messages::broken_answer;
    case ExchangeFailure::secure_connection:
      return messages::secure_connection_failed;
    case ExchangeFailure::too_many_redirects:
      return messages::too_many_redirects;
    case ExchangeFailure::none:
    case ExchangeFailure::no_connection:
      break;
  }
  return messages::no_connection;
}

}  // namespace

std::optional<Text> answer_refusal(int status, const Bytes& body, ExchangeFailure failure) {
  if (status == 0) return Text(no_answer_reason(failure));
  if (status < 200 || status > 299) return messages::status_refused(status);
  if (body.empty()) return Text(messages::empty_answer);
  return std::nullopt;
}

bool is_waiting_page(const Text& answer_text) {
  return find_substring(answer_text, messages::waiting_sentence_gbk) != -1 ||
         find_substring(answer_text, messages::waiting_sentence_utf8) != -1;
}

}  // namespace ff
