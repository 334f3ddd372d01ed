#pragma once
// Saving the downloaded answer to the Desktop.

#include "console/environment.h"
#include "text/types.h"

namespace ff {

// Clears the screen, announces the download and writes `answer` whole to the Desktop
// folder as "字体" + the link's extension. A file that cannot be written is reported as
// "#ERROR:" + a reason naming its path; an existing file is then left as it was.
// Answers whether the file was written.
bool save_answer(const Text& link, const Bytes& answer, const DialogueEnvironment& environment);

}  // namespace ff
