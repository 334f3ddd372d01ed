#pragma once
// For the dialogue's tests: the dialogue run in-process against a console, clock and
// Desktop folder of the test's own and a real HTTP server on 127.0.0.1.

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

#include "console/environment.h"
#include "console/messages.h"
#include "platform/test_folder.h"
#include "platform/testing/loopback_server.h"

namespace ff::testing {

// GBK bytes of a UTF-8 text, so expectations can be written as they read.
[[nodiscard]] std::string gbk(std::u8string_view utf8);

// Pieces of what DialogueTest::run() answers: the prompt cycle (M1 M2), the start of
// polling (a clearing and M5), the start of saving (a clearing and M8), the end of a
// saved download (M9 and the read without echo), a failed run (M10) and the pause.
inline const std::string kPrompt = std::string(messages::prompt_tip) + std::string(messages::prompt);
inline const std::string kPolling = "[clear]" + std::string(messages::preparing);
inline const std::string kSaving = "[clear]" + std::string(messages::leaving_queue);
inline const std::string kSaved = std::string(messages::saved) + "[hidden read]";
inline const std::string kFailed = std::string(messages::failed);
inline const std::string kPause = "[pause 150]";

// An answer of the test server.
struct Answer {
  int status = 200;
  std::string body;
  std::string content_type = "application/octet-stream";
  // When not 0: the whole body is announced, but the connection drops after this many
  // of its bytes.
  std::size_t cut_after = 0;
};

// The website's waiting page, in GBK or UTF-8.
[[nodiscard]] Answer waiting_page(bool utf8 = false);

class DialogueTest : public ::testing::Test {
 protected:
  void SetUp() override { desktop_answer_ = desktop(); }
  void TearDown() override { server_.stop(); }

  // Serves `path` with the answers in turn; the last one is repeated.
  void serve(const std::string& path, std::vector<Answer> answers);
  void start() { server_.start(); }
  void stop_server() { server_.stop(); }
  [[nodiscard]] std::string url(const std::string& path) const { return server_.url(path); }
  [[nodiscard]] int requests() const { return requests_; }

  // Runs the dialogue with these typed lines (the input ends after them) and answers
  // what it wrote: the text as written, a clearing as "[clear]", a pause as
  // "[pause 150]", a read without echo as "[hidden read]".
  std::string run(const std::vector<std::string>& lines);

  // The Desktop folder, with a "/" at its end, and the file "字体" + extension in it
  // (named as the locale names files).
  [[nodiscard]] std::string desktop() const { return desktop_.path().string() + "/"; }
  [[nodiscard]] std::string saved_file(const std::string& extension) const;
  [[nodiscard]] std::string saved_content(const std::string& extension) const;
  [[nodiscard]] bool saved(const std::string& extension) const;

  // The dialogue's Desktop folder; the test folder unless a test sets another.
  std::string desktop_answer_;
  int exit_code_ = -1;

 private:
  TestFolder desktop_;
  LoopbackServer server_;
  std::atomic<int> requests_ = 0;
};

}  // namespace ff::testing
