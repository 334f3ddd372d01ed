#pragma once
// Whether an answer that is neither an error report nor the waiting page is worth saving.

#include <optional>

#include "platform/http_exchange.h"
#include "text/types.h"

namespace ff {

// The reason not to save an answer (GBK, shown after "#ERROR:"), or nullopt when it is
// a real download: an exchange that got no answer at all (status 0; `failure` says why),
// a status outside 200..299 and an empty body are refused.
[[nodiscard]] std::optional<Text> answer_refusal(int status, const Bytes& body,
                                                 ExchangeFailure failure = ExchangeFailure::none);

// Whether the answer is the website's waiting page: it holds the waiting sentence, in
// GBK or in UTF-8.
[[nodiscard]] bool is_waiting_page(const Text& answer_text);

}  // namespace ff
