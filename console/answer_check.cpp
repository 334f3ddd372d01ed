#include "console/answer_check.h"

#include "console/messages.h"
#include "text/primitives.h"

namespace ff {

std::optional<Text> answer_refusal(int status, const Bytes& body) {
  if (status == 0) return Text(messages::no_connection);
  if (status < 200 || status > 299) return messages::status_refused(status);
  if (body.empty()) return Text(messages::empty_answer);
  return std::nullopt;
}

bool is_waiting_page(const Text& answer_text) {
  return find_substring(answer_text, messages::waiting_sentence_gbk) != -1 ||
         find_substring(answer_text, messages::waiting_sentence_utf8) != -1;
}

}  // namespace ff
