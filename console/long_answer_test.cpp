// Answers longer than the dialogue holds in memory: they go to a temporary file beside
// the font while they arrive, and only the font takes the place of "字体".
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "console/answer_spool.h"
#include "console/messages.h"
#include "console/testing/dialogue_fixture.h"

namespace ff {
namespace {

using namespace testing;

constexpr std::size_t kLong = 3 * AnswerSpool::kHoldLimit;

// A font-like body: zero bytes from the start, as in every real font file.
std::string long_font() {
  std::string font(kLong + 123, '\0');
  for (std::size_t i = 0; i < font.size(); ++i) font[i] = static_cast<char>(i % 253);
  return font;
}

class LongAnswerTest : public DialogueTest {
 protected:
  [[nodiscard]] std::vector<std::string> desktop_names() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(desktop())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  void make_old_font() const { std::ofstream(saved_file(".ttf"), std::ios::binary) << kOldFont; }

  static constexpr std::string_view kOldFont = "the font saved before";
};

TEST_F(LongAnswerTest, ALongWaitingPageIsPolledAndALongFontSavedWhole) {
  // The sentence comes after the hold limit, in an answer without a zero byte.
  const Answer long_waiting{200, std::string(kLong, ' ') + std::string(messages::waiting_sentence_gbk),
                            "text/html"};
  const std::string font = long_font();
  serve("/f/font.ttf", {long_waiting, Answer{200, font}});
  start();
  EXPECT_EQ(run({url("/f/font.ttf")}),
            kPrompt + kPolling + messages::refresh_line(1).str() + kPause + kSaving + kSaved);
  EXPECT_TRUE(saved_content(".ttf") == font);
  EXPECT_EQ(desktop_names().size(), 1u);
}

struct LongRefusal {
  const char* name;
  Answer answer;
  std::string written;
};

TEST_F(LongAnswerTest, LongAnswersThatAreNotTheFontLeaveTheOldFile) {
  const LongRefusal cases[] = {
      {"error answer", {200, R"({"error":"big","pad":")" + std::string(kLong, 'p') + "\"}", "application/json"},
       "#ERROR:big\r\n"},
      {"refused status", {404, long_font()}, "#ERROR:" + gbk(u8"服务器返回 404") + "\r\n"},
      // What reached the file before the break would load as a number: it is no answer.
      {"broken off", {200, std::string(2 * kLong, '7'), "text/plain", kLong},
       "#ERROR:" + gbk(u8"下载中断") + "\r\n"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    serve("/f/" + std::to_string(i) + ".ttf", {cases[i].answer});
  }
  start();
  make_old_font();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].name);
    EXPECT_EQ(run({url("/f/" + std::to_string(i) + ".ttf")}),
              kPrompt + kPolling + cases[i].written + kFailed + kPrompt);
    EXPECT_EQ(saved_content(".ttf"), kOldFont);
    EXPECT_EQ(desktop_names().size(), 1u);
  }
}

TEST_F(LongAnswerTest, AWriteThatBreaksOffIsReportedAndTheOldFileKept) {
  serve("/f/font.ttf", {Answer{200, long_font()}});
  start();
  make_old_font();
  // A file size limit makes the write fail part-way, as a full disk would.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 2 * AnswerSpool::kHoldLimit;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string written = run({url("/f/font.ttf")});
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, old_handler);
  const std::string path = desktop() + std::string(messages::file_stem) + ".ttf";
  EXPECT_EQ(written, kPrompt + kPolling + "#ERROR:" + gbk(u8"无法保存文件 ") + path + gbk(u8"：") +
                         "File too large\r\n" + kFailed + kPrompt);
  EXPECT_EQ(saved_content(".ttf"), kOldFont);
  EXPECT_EQ(desktop_names().size(), 1u);
}

}  // namespace
}  // namespace ff
