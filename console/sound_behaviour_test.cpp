// The dialogue where a download cannot be what the user asked for: no answer, a refused
// or empty answer, a file that cannot be written, the end of the input, a waiting page
// in UTF-8 and answers that try to hold the script engine.
#include <gtest/gtest.h>

#include <chrono>

#include "console/downloader.h"
#include "console/messages.h"
#include "console/testing/dialogue_fixture.h"
#include "text/primitives.h"

namespace ff {
namespace {

using namespace testing;

std::string str(std::string_view text) { return std::string(text); }

using SoundBehaviourTest = DialogueTest;

struct RefusedCase {
  Answer answer;
  std::u8string_view reason;
};

TEST_F(SoundBehaviourTest, ARefusedOrEmptyAnswerFailsTheRunWithoutAFile) {
  const RefusedCase cases[] = {
      {{404, "<html>Not Found</html>", "text/html"}, u8"服务器返回 404"},
      {{500, "oops", "text/plain"}, u8"服务器返回 500"},
      {{200, ""}, u8"服务器返回的内容为空"},
      {{204, ""}, u8"服务器返回的内容为空"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    serve("/f/" + std::to_string(i) + ".ttf", {cases[i].answer});
  }
  start();
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE("status " + std::to_string(cases[i].answer.status));
    EXPECT_EQ(run({url("/f/" + std::to_string(i) + ".ttf")}),
              kPrompt + kPolling + "#ERROR:" + gbk(cases[i].reason) + "\r\n" + kFailed + kPrompt);
    EXPECT_FALSE(saved(".ttf"));
  }
}

TEST_F(SoundBehaviourTest, NoAnswerAtAllFailsTheRun) {
  start();
  const std::string link = url("/f/font.ttf");
  stop_server();  // nothing listens on the port any more
  EXPECT_EQ(run({link}),
            kPrompt + kPolling + "#ERROR:" + gbk(u8"无法连接服务器") + "\r\n" + kFailed + kPrompt);
  EXPECT_FALSE(saved(".ttf"));
}

TEST_F(SoundBehaviourTest, TheErrorAndWaitingTestsComeBeforeTheStatus) {
  Answer busy = waiting_page();
  busy.status = 503;
  serve("/f/busy.ttf", {busy, Answer{200, "font"}});
  serve("/f/gone.ttf", {Answer{404, R"({"error":"gone"})", "application/json"}});
  start();
  EXPECT_EQ(run({url("/f/busy.ttf")}),
            kPrompt + kPolling + messages::refresh_line(1).str() + kPause + kSaving + kSaved);
  EXPECT_EQ(saved_content(".ttf"), "font");
  EXPECT_EQ(run({url("/f/gone.ttf")}), kPrompt + kPolling + "#ERROR:gone\r\n" + kFailed + kPrompt);
}

TEST_F(SoundBehaviourTest, AFileThatCannotBeWrittenIsReportedNotCalledSaved) {
  serve("/f/font.ttf", {Answer{200, "font"}});
  start();
  desktop_answer_ = desktop() + "missing/";
  const std::string path = desktop_answer_ + str(messages::file_stem) + ".ttf";
  EXPECT_EQ(run({url("/f/font.ttf")}),
            kPrompt + kPolling + kSaving + "#ERROR:" + gbk(u8"无法保存文件 ") + path +
                gbk(u8"：") + "No such file or directory\r\n" + kFailed + kPrompt);
}

TEST_F(SoundBehaviourTest, TheEndOfInputEndsTheDialogue) {
  start();
  EXPECT_EQ(run({}), kPrompt);
  EXPECT_EQ(exit_code_, 0);
  EXPECT_EQ(run({"", "nodot"}),
            kPrompt + str(messages::enter_again) + kPrompt + str(messages::wrong_link) + kPrompt);
  EXPECT_EQ(exit_code_, 0);
}

TEST_F(SoundBehaviourTest, AWaitingPageInUtf8IsNotSavedAsTheFont) {
  serve("/f/font.ttf", {waiting_page(true), Answer{200, "font"}});
  start();
  EXPECT_EQ(run({url("/f/font.ttf")}),
            kPrompt + kPolling + messages::refresh_line(1).str() + kPause + kSaving + kSaved);
  EXPECT_EQ(saved_content(".ttf"), "font");
}

TEST_F(SoundBehaviourTest, AnswersThatHoldTheScriptEngineAreCutShort) {
  // A string answer is run once more as script, an expression as it stands.
  const std::string hostile[] = {
      R"("for(;;){}")",
      "(function(){for(var a=[];;)a.push(new Array(1000000).join('x'))})()",
  };
  for (std::size_t i = 0; i < std::size(hostile); ++i) {
    serve("/f/" + std::to_string(i) + ".ttf", {Answer{200, hostile[i], "text/plain"}});
  }
  start();
  for (std::size_t i = 0; i < std::size(hostile); ++i) {
    SCOPED_TRACE("answer: " + hostile[i]);
    const auto begin = std::chrono::steady_clock::now();
    // Not a value, not the waiting page: the answer is the download.
    EXPECT_EQ(run({url("/f/" + std::to_string(i) + ".ttf")}), kPrompt + kPolling + kSaving + kSaved);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(6));
  }
}

}  // namespace
}  // namespace ff
