#pragma once
// For the hostile-server and kill tests: a home with a Desktop folder, the font-fetch
// program run in it under a UTF-8 locale, and what the dialogue writes, in UTF-8.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/test_folder.h"

namespace ff::testing {

// The dialogue's texts as the program writes them under a UTF-8 locale.
struct DialogueTexts {
  std::string prompt;   // M2: the dialogue waits for a link
  std::string saved;    // M9: the file was saved, the dialogue waits for Enter
  std::string leaving;  // M8: the answer is being written
  std::string error;    // "#ERROR:" that begins every reported failure
  std::string file_name;  // "字体.ttf"
};
const DialogueTexts& dialogue_texts();

class DialogueHome {
 public:
  DialogueHome();
  [[nodiscard]] std::vector<std::string> environment() const;
  [[nodiscard]] std::filesystem::path desktop() const { return home_.path() / "Desktop"; }
  [[nodiscard]] std::filesystem::path target() const;
  // The names of everything in the Desktop folder.
  [[nodiscard]] std::vector<std::string> desktop_names() const;

 private:
  TestFolder home_;
};

[[nodiscard]] std::string file_content(const std::filesystem::path& path);
void write_file(const std::filesystem::path& path, const std::string& content);

}  // namespace ff::testing
