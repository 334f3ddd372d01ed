#include "console/testing/dialogue_fixture.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "console/downloader.h"
#include "console/messages.h"
#include "platform/codepage.h"
#include "platform/locale_encoding.h"
#include "text/primitives.h"

namespace ff::testing {

std::string gbk(std::u8string_view utf8) {
  return utf8_to_gbk(std::string_view(reinterpret_cast<const char*>(utf8.data()), utf8.size()));
}

Answer waiting_page(bool utf8) {
  const std::string_view sentence =
      utf8 ? messages::waiting_sentence_utf8 : messages::waiting_sentence_gbk;
  return {200, "<html><body><p>" + std::string(sentence) + "</p></body></html>",
          utf8 ? "text/html; charset=utf-8" : "text/html; charset=gbk"};
}

void DialogueTest::serve(const std::string& path, std::vector<Answer> answers) {
  auto shared = std::make_shared<std::vector<Answer>>(std::move(answers));
  auto served = std::make_shared<std::atomic<std::size_t>>(0);
  server_->Get(path, [this, shared, served](const httplib::Request&, httplib::Response& res) {
    ++requests_;
    const std::size_t index = std::min((*served)++, shared->size() - 1);
    const Answer& answer = (*shared)[index];
    res.status = answer.status;
    if (answer.cut_after == 0) {
      res.set_content(answer.body, answer.content_type);
      return;
    }
    res.set_content_provider(
        answer.body.size(), answer.content_type,
        [&answer](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
          if (offset >= answer.cut_after) return false;  // the connection drops
          const std::size_t piece = std::min(length, answer.cut_after - offset);
          return sink.write(answer.body.data() + offset, piece);
        });
  });
}

std::string DialogueTest::run(const std::vector<std::string>& lines) {
  std::string transcript;
  std::deque<std::string> input(lines.begin(), lines.end());
  DialogueEnvironment environment{
      .write = [&](std::string_view text) { transcript += text; },
      .read =
          [&](bool echo) -> std::optional<Text> {
            if (!echo) transcript += "[hidden read]";
            if (input.empty()) return std::nullopt;
            Text line(input.front());
            input.pop_front();
            return line;
          },
      .clear_screen = [&] { transcript += "[clear]"; },
      .pause = [&](int ms) { transcript += "[pause " + std::to_string(ms) + "]"; },
      .desktop_folder = [this] { return Text(desktop_answer_); },
  };
  exit_code_ = run_downloader(environment);
  return transcript;
}

std::string DialogueTest::saved_file(const std::string& extension) const {
  return gbk_to_locale(concat_text(desktop(), messages::file_stem, extension));
}

std::string DialogueTest::saved_content(const std::string& extension) const {
  std::ifstream in(saved_file(extension), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool DialogueTest::saved(const std::string& extension) const {
  return std::filesystem::exists(saved_file(extension));
}

}  // namespace ff::testing
