// font-fetch killed with SIGKILL while it saves a large answer: the font on the Desktop is
// afterwards either the old file or the complete new one, never a torn one, whatever the
// moment of the kill. The temporary files a kill leaves behind are hidden names of their
// own, and a later run saves over the target as if they were not there.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <iostream>
#include <thread>

#include "tests/hostile/dialogue_run.h"
#include "tests/hostile/program_child.h"
#include "tests/hostile/raw_server.h"

namespace ff::testing {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr std::size_t kFontBytes = std::size_t{128} << 20;
const std::string kOldFont = "the old font, which a torn save would lose";

// A font-like answer: a zero byte first (so the answer has no text to test), then bytes
// that differ from place to place, so that any mix of old and new shows.
std::string new_font() {
  std::string font(kFontBytes, '\0');
  for (std::size_t i = 1; i < font.size(); ++i) font[i] = static_cast<char>((i * 2654435761u) >> 24);
  return font;
}

struct Kill {
  std::string moment;  // when the kill came
  std::string left;    // "old", "new", or "TORN"
  std::size_t leftovers = 0;  // temporary files left in the Desktop folder
};

class KillDuringSave : public ::testing::Test {
 protected:
  // Starts a run for the font link and kills it `delay` after the dialogue announced the
  // save (or, with `before_save`, `delay` after the link was sent).
  Kill kill_run(milliseconds delay, bool before_save) {
    const DialogueTexts& texts = dialogue_texts();
    ProgramChild child(FONT_FETCH_PROGRAM, home_.environment());
    EXPECT_EQ(child.wait_for_any({texts.prompt}, 0, seconds(20)), 0);
    const std::size_t sent_at = child.output().size();
    child.send_line(site_.url("/font.ttf"));
    if (!before_save) {
      EXPECT_EQ(child.wait_for_any({texts.leaving}, sent_at, seconds(60)), 0) << child.output();
    }
    std::this_thread::sleep_for(delay);
    child.kill(SIGKILL);
    const ChildEnd end = child.wait(seconds(20));
    EXPECT_TRUE(end.signal == SIGKILL || (end.exited && end.exit_status == 0));
    return {(before_save ? "download + " : "save + ") + std::to_string(delay.count()) + " ms",
            judged(file_content(home_.target())), leftovers()};
  }

  std::string judged(const std::string& content) const {
    if (content == kOldFont) return "old";
    if (content == font_) return "new";
    return "TORN (" + std::to_string(content.size()) + " bytes)";
  }

  // Temporary files: everything beside the target. Each must be a hidden name.
  std::size_t leftovers() const {
    std::size_t count = 0;
    for (const std::string& name : home_.desktop_names()) {
      if (name == dialogue_texts().file_name) continue;
      EXPECT_TRUE(name.starts_with(".")) << "a temporary file that is not hidden: " << name;
      ++count;
    }
    return count;
  }

  const std::string font_ = new_font();
  DialogueHome home_;
  RawServer site_{[this](const std::string&, const Connection& connection) {
    connection.send("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(font_.size()) +
                    "\r\nConnection: close\r\n\r\n");
    connection.send(font_);
  }};
};

TEST_F(KillDuringSave, LeavesTheOldFontOrTheWholeNewOne) {
  std::vector<Kill> kills;
  for (const int ms : {0, 100}) {
    write_file(home_.target(), kOldFont);
    kills.push_back(kill_run(milliseconds(ms), true));
  }
  for (const int ms : {0, 1, 3, 10, 30, 60, 100, 200, 400, 800}) {
    write_file(home_.target(), kOldFont);
    kills.push_back(kill_run(milliseconds(ms), false));
  }
  std::cout << "\nkilled at               left on the Desktop   temporary files\n";
  for (const Kill& kill : kills) {
    SCOPED_TRACE(kill.moment);
    EXPECT_TRUE(kill.left == "old" || kill.left == "new") << kill.left;
    std::printf("%-22s  %-20s  %zu\n", kill.moment.c_str(), kill.left.c_str(), kill.leftovers);
  }
  std::fflush(stdout);

  // A whole run beside the leftovers saves the new font over the target.
  write_file(home_.target(), kOldFont);
  ProgramChild child(FONT_FETCH_PROGRAM, home_.environment());
  ASSERT_EQ(child.wait_for_any({dialogue_texts().prompt}, 0, seconds(20)), 0);
  child.send_line(site_.url("/font.ttf"));
  EXPECT_EQ(child.wait_for_any({dialogue_texts().saved}, 0, seconds(60)), 0) << child.output();
  child.close_input();
  EXPECT_TRUE(child.wait(seconds(20)).exited);
  EXPECT_EQ(judged(file_content(home_.target())), "new");
}

}  // namespace
}  // namespace ff::testing
