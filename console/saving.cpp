#include "console/saving.h"

#include "console/link_extension.h"
#include "console/messages.h"
#include "platform/whole_file.h"
#include "text/primitives.h"

namespace ff {
namespace {

void announce_saving(const DialogueEnvironment& environment) {
  environment.clear_screen();
  environment.write(messages::leaving_queue);
}

bool reported(const Text& path, const FileWriteResult& written,
              const DialogueEnvironment& environment) {
  if (!written.ok) report_save_failure(path, written.reason, environment);
  return written.ok;
}

}  // namespace

Text saved_file_path(const Text& link, const DialogueEnvironment& environment) {
  return concat_text(environment.desktop_folder(), messages::file_stem, link_extension(link));
}

bool save_answer(const Text& link, const Bytes& answer, const DialogueEnvironment& environment) {
  announce_saving(environment);
  const Text path = saved_file_path(link, environment);
  return reported(path, write_whole_file(path, answer), environment);
}

bool save_spooled_answer(AnswerSpool& spool, const DialogueEnvironment& environment) {
  announce_saving(environment);
  return reported(spool.path(), spool.commit(), environment);
}

void report_save_failure(const Text& path, const std::string& reason,
                         const DialogueEnvironment& environment) {
  environment.write(messages::error_line(messages::save_refused(path, reason)));
}

}  // namespace ff
