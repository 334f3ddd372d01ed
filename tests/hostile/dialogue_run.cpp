#include "tests/hostile/dialogue_run.h"

#include <fstream>
#include <iterator>

#include "console/messages.h"
#include "platform/codepage.h"

namespace ff::testing {

namespace fs = std::filesystem;

namespace {

// "#ERROR:", the part of an error line before its detail.
std::string error_start() {
  const std::string line = gbk_to_utf8(messages::error_line("\x01").view());
  return line.substr(0, line.find('\x01'));
}

}  // namespace

const DialogueTexts& dialogue_texts() {
  static const DialogueTexts texts = {
      gbk_to_utf8(messages::prompt), gbk_to_utf8(messages::saved),
      gbk_to_utf8(messages::leaving_queue), error_start(),
      gbk_to_utf8(messages::file_stem) + ".ttf"};
  return texts;
}

DialogueHome::DialogueHome() { fs::create_directory(desktop()); }

std::vector<std::string> DialogueHome::environment() const {
  return {"HOME=" + home_.path().string(), "XDG_CONFIG_HOME=" + (home_ / "config"),
          "LC_ALL=C.UTF-8", "PATH=/usr/bin:/bin"};
}

fs::path DialogueHome::target() const { return desktop() / dialogue_texts().file_name; }

std::vector<std::string> DialogueHome::desktop_names() const {
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(desktop())) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

std::string file_content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_file(const fs::path& path, const std::string& content) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << content;
}

}  // namespace ff::testing
