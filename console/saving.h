#pragma once
// Saving the downloaded answer to the Desktop.

#include "console/answer_spool.h"
#include "console/environment.h"
#include "text/types.h"

namespace ff {

// Where the answer to `link` is saved: the Desktop folder, "字体" and the link's
// extension.
[[nodiscard]] Text saved_file_path(const Text& link, const DialogueEnvironment& environment);

// Clears the screen, announces the download and writes `answer` whole to
// saved_file_path(). A file that cannot be written is reported as "#ERROR:" + a reason
// naming its path; an existing file is then left as it was. Answers whether the file
// was written.
bool save_answer(const Text& link, const Bytes& answer, const DialogueEnvironment& environment);

// The same for an answer already written to its spool: it takes the target's place.
bool save_spooled_answer(AnswerSpool& spool, const DialogueEnvironment& environment);

// Reports a file that could not be written: "#ERROR:" + the reason, naming `path`.
void report_save_failure(const Text& path, const std::string& reason,
                         const DialogueEnvironment& environment);

}  // namespace ff
