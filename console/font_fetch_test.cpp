// The built program, as a user runs it: through pipes under a UTF-8 and a GB locale,
// and at a terminal.
#include <gtest/gtest.h>
#include <locale.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "console/messages.h"
#include "console/testing/program_run.h"
#include "platform/codepage.h"
#include "platform/test_folder.h"
#include "platform/testing/loopback_server.h"

namespace ff {
namespace {

namespace fs = std::filesystem;
using testing::ProgramResult;
using testing::run_program;
using testing::TerminalRun;

constexpr std::string_view kGbLocale = "zh_CN.GBK";
constexpr std::string_view kClearScreen = "\x1b[H\x1b[2J\x1b[3J";
const std::string kFont("\0\1\0\0font", 8);

std::string str(std::string_view text) { return std::string(text); }
std::string utf8(std::string_view gbk) { return gbk_to_utf8(gbk); }

bool locale_available(std::string_view name) {
  locale_t loc = newlocale(LC_CTYPE_MASK, std::string(name).c_str(), static_cast<locale_t>(nullptr));
  if (loc == static_cast<locale_t>(nullptr)) return false;
  freelocale(loc);
  return true;
}

std::string file_content(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A home with a Desktop folder, and a site whose font link answers the waiting page once.
class FontFetchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directory(home_.path() / "Desktop");
    server_->Get(R"(/f/.*\.ttf)", [this](const httplib::Request&, httplib::Response& res) {
      if (waiting_++ == 0) {
        res.set_content("<p>" + str(messages::waiting_sentence_gbk) + "</p>", "text/html");
      } else {
        res.set_content(kFont, "font/ttf");
      }
    });
    server_.start();
  }

  std::vector<std::string> environment(std::string_view locale) const {
    return {"HOME=" + home_.path().string(), "XDG_CONFIG_HOME=" + (home_ / "config"),
            "LC_ALL=" + std::string(locale), "PATH=/usr/bin:/bin"};
  }
  std::string url(const std::string& path) const { return server_.url(path); }
  fs::path desktop_file(const std::string& name) const { return home_.path() / "Desktop" / name; }

  TestFolder home_;
  testing::LoopbackServer server_;
  std::atomic<int> waiting_ = 0;
};

// What the dialogue writes for an empty line and then a link that is saved after one
// waiting page, in GBK.
std::string dialogue_through_a_download() {
  const std::string prompt = str(messages::prompt_tip) + str(messages::prompt);
  return prompt + str(messages::enter_again) + prompt + str(messages::preparing) +
         messages::refresh_line(1).str() + str(messages::leaving_queue) + str(messages::saved);
}

TEST_F(FontFetchTest, DownloadsThroughPipesUnderAUtf8Locale) {
  // The link's path is typed in UTF-8 and reaches the site as the same characters.
  const std::string link = url("/f/\xe5\xad\x97\xe4\xbd\x93\xe5\x8c\x85.ttf?v=2");  // "字体包"
  const ProgramResult result = run_program({}, environment("C.UTF-8"), "\n" + link + "\n\n");
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, utf8(dialogue_through_a_download()));
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(file_content(desktop_file("\xe5\xad\x97\xe4\xbd\x93.ttf")), kFont);  // "字体.ttf"
}

TEST_F(FontFetchTest, DownloadsThroughPipesUnderAGbLocale) {
  if (!locale_available(kGbLocale)) {
    GTEST_SKIP() << "no " << kGbLocale << " locale here (scripts/setup generates it)";
  }
  const std::string link = url("/f/\xd7\xd6\xcc\xe5\xb0\xfc.ttf");  // "字体包" in GBK
  const ProgramResult result = run_program({}, environment(kGbLocale), "\n" + link + "\n\n");
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.out, dialogue_through_a_download());
  EXPECT_EQ(file_content(desktop_file("\xd7\xd6\xcc\xe5.ttf")), kFont);
}

TEST_F(FontFetchTest, ReadsALongLineInPiecesAndEndsWithTheInput) {
  const ProgramResult result =
      run_program({}, environment("C.UTF-8"), std::string(3000, 'x') + "\n");
  const std::string prompt = utf8(str(messages::prompt_tip) + str(messages::prompt));
  const std::string wrong = utf8(messages::wrong_link);
  EXPECT_EQ(result.out, prompt + wrong + prompt + wrong + prompt);
  EXPECT_EQ(result.exit_code, 0);
}

TEST_F(FontFetchTest, AnswersHelpVersionAndUnknownArguments) {
  const ProgramResult help = run_program({"--help"}, environment("C.UTF-8"), "");
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_EQ(help.out.rfind("Usage: font-fetch", 0), 0u) << help.out;
  const ProgramResult version = run_program({"--version"}, environment("C.UTF-8"), "");
  EXPECT_EQ(version.exit_code, 0);
  EXPECT_EQ(version.out, "font-fetch " FONT_FETCH_VERSION "\n");
  for (const std::vector<std::string>& wrong :
       {std::vector<std::string>{"--bogus"}, std::vector<std::string>{"--help", "--bogus"}}) {
    const ProgramResult refused = run_program(wrong, environment("C.UTF-8"), "");
    EXPECT_EQ(refused.exit_code, 2);
    EXPECT_EQ(refused.out, "");
    EXPECT_NE(refused.err.find("unexpected argument '--bogus'"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("Usage: font-fetch"), std::string::npos);
  }
}

// Types `link` at the prompt and waits until the download is saved and the program
// waits for the last Enter with the echo off.
void reach_the_last_enter(TerminalRun& terminal, const std::string& link) {
  ASSERT_TRUE(terminal.wait_for(utf8(messages::prompt))) << terminal.screen();
  terminal.type(link + "\r");
  // The end of M9 without its line end, which the terminal turns into CR CR LF.
  const std::string saved = utf8(messages::saved.substr(0, messages::saved.size() - 2));
  ASSERT_TRUE(terminal.wait_for(saved)) << terminal.screen();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (terminal.echoing() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_FALSE(terminal.echoing()) << "the echo is off while the last Enter is awaited";
}

TEST_F(FontFetchTest, ClearsTheScreenAndReadsTheLastEnterWithoutEcho) {
  TerminalRun terminal(environment("C.UTF-8"));
  const std::string link = url("/f/font.ttf");
  reach_the_last_enter(terminal, link);
  terminal.type("secret\r");
  EXPECT_EQ(terminal.wait_for_exit(), 0);
  EXPECT_TRUE(terminal.echoing());

  const std::string& screen = terminal.screen();
  EXPECT_NE(screen.find(link), std::string::npos) << "the link is echoed as it is typed";
  EXPECT_EQ(screen.find("secret"), std::string::npos) << "the last Enter is read without echo";
  std::size_t clearings = 0;
  for (auto at = screen.find(kClearScreen); at != std::string::npos;
       at = screen.find(kClearScreen, at + 1)) {
    ++clearings;
  }
  EXPECT_EQ(clearings, 2u);
  EXPECT_LT(screen.find(kClearScreen), screen.find(utf8(messages::preparing).substr(0, 6)));
  EXPECT_EQ(file_content(desktop_file("\xe5\xad\x97\xe4\xbd\x93.ttf")), kFont);
}

TEST_F(FontFetchTest, AnInterruptAtTheLastEnterSwitchesTheEchoBackOn) {
  TerminalRun terminal(environment("C.UTF-8"));
  reach_the_last_enter(terminal, url("/f/font.ttf"));
  terminal.type("\x03");  // Ctrl-C
  EXPECT_EQ(terminal.wait_for_exit(), -1) << "ended by the signal";
  EXPECT_TRUE(terminal.echoing());
}

TEST_F(FontFetchTest, AnInterruptDuringALongDownloadLeavesNoTemporaryFile) {
  // Half of a long font, then nothing until the test is over.
  std::atomic<bool> finished = false;
  server_->Get("/long/font.ttf", [&](const httplib::Request&, httplib::Response& res) {
    constexpr std::size_t kLength = std::size_t{6} << 20;
    res.set_content_provider(kLength, "font/ttf", [&](std::size_t offset, std::size_t, httplib::DataSink& sink) {
      if (offset < kLength / 2) {
        const std::string piece(std::size_t{1} << 20, '\0');
        return sink.write(piece.data(), piece.size());
      }
      for (int i = 0; i < 1000 && !finished; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
      return false;
    });
  });
  const fs::path old_font = desktop_file(utf8(messages::file_stem) + ".ttf");
  std::ofstream(old_font, std::ios::binary) << "old font";
  const auto hidden_files = [&] {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(home_.path() / "Desktop")) {
      if (entry.path().filename().string().starts_with(".")) names.push_back(entry.path().filename());
    }
    return names;
  };

  TerminalRun terminal(environment("C.UTF-8"));
  ASSERT_TRUE(terminal.wait_for(utf8(messages::prompt))) << terminal.screen();
  terminal.type(url("/long/font.ttf") + "\r");
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (hidden_files().empty() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_EQ(hidden_files().size(), 1u) << "the answer goes to a temporary file while it arrives";
  terminal.type("\x03");  // Ctrl-C
  EXPECT_EQ(terminal.wait_for_exit(), -1) << "ended by the signal";
  finished = true;
  server_.stop();  // waits for the answer in progress, which reads `finished`
  EXPECT_TRUE(hidden_files().empty());
  EXPECT_EQ(file_content(old_font), "old font");
}

}  // namespace
}  // namespace ff
