#pragma once
// The website's error answers: JSON documents with an "error" member.

#include <optional>

#include "console/environment.h"
#include "json/json_document.h"
#include "text/types.h"

namespace ff {

// When `answer_text` loads in `document` as a value that is not null, writes
// "#ERROR:" + the value's "error" member (empty when it has none) + CR LF, empties the
// document and answers true: the answer is the website's error report. Any object,
// array, number or truth value counts, whatever its members; anything else answers
// false and writes nothing.
bool report_error_answer(JsonDocument& document, const Text& answer_text,
                         const DialogueEnvironment& environment);
// The same with a document made when the first answer that could load arrives: blank
// answers and markup cost no script engine.
bool report_error_answer(std::optional<JsonDocument>& document, const Text& answer_text,
                         const DialogueEnvironment& environment);

}  // namespace ff
