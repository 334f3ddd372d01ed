#include "console/saving.h"

#include "console/link_extension.h"
#include "console/messages.h"
#include "platform/whole_file.h"
#include "text/primitives.h"

namespace ff {

bool save_answer(const Text& link, const Bytes& answer, const DialogueEnvironment& environment) {
  environment.clear_screen();
  environment.write(messages::leaving_queue);
  const Text path =
      concat_text(environment.desktop_folder(), messages::file_stem, link_extension(link));
  const FileWriteResult written = write_whole_file(path, answer);
  if (!written.ok) {
    environment.write(messages::error_line(messages::save_refused(path, written.reason)));
  }
  return written.ok;
}

}  // namespace ff
