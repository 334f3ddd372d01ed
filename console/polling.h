#pragma once
// One polling run: requesting a link until the waiting page gives way.

#include <optional>

#include "console/environment.h"
#include "json/json_document.h"
#include "text/types.h"

namespace ff {

inline constexpr int kAttemptsPerRun = 1000;
inline constexpr int kPauseAfterWaitingPage = 150;  // milliseconds

// Requests `link` (a GET with the default header lines) up to 1000 times. Each answer is
// offered first to the error-answer test, which ends the run; a waiting page is counted
// ("正在刷新页面，已刷新：n 次") and followed by a 150 ms pause and the next attempt; any
// other answer ends the run and is saved when it is a real download. Answers whether
// the file was saved. `document` is made when an answer first needs it.
bool poll_link(const Text& link, std::optional<JsonDocument>& document,
               const DialogueEnvironment& environment);

}  // namespace ff
