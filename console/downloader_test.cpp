#include "console/downloader.h"

#include <gtest/gtest.h>

#include "console/messages.h"
#include "console/testing/dialogue_fixture.h"

namespace ff {
namespace {

using namespace testing;

std::string str(std::string_view text) { return std::string(text); }

// A TrueType file begins with a zero byte.
const std::string kFont("\0\1\0\0\0\x10\x01\0font data\0\xff", 20);

using DownloaderTest = DialogueTest;

TEST_F(DownloaderTest, AnEmptyLineAsksAgain) {
  start();
  EXPECT_EQ(run({"", ""}), kPrompt + str(messages::enter_again) + kPrompt +
                               str(messages::enter_again) + kPrompt);
  EXPECT_EQ(exit_code_, 0);
}

TEST_F(DownloaderTest, ALinkWithoutExtensionIsRefusedAndNotRequested) {
  serve("/f/font", {Answer{200, kFont}});
  serve("/f/font.ttf", {Answer{200, kFont}});
  start();
  for (const std::string& line : {std::string("   "), std::string("nodot"), url("/f/font"),
                                  url("/f/font.ttf") + "  ", url("/f/font?name=a.ttf")}) {
    SCOPED_TRACE("line: " + line);
    EXPECT_EQ(run({line}), kPrompt + str(messages::wrong_link) + kPrompt);
  }
  EXPECT_EQ(requests(), 0);
}

TEST_F(DownloaderTest, SavesTheFirstRealAnswerWholeAndWaitsForEnter) {
  serve("/f/font.ttf", {Answer{200, kFont}});
  start();
  EXPECT_EQ(run({url("/f/font.ttf"), ""}), kPrompt + kPolling + kSaving + kSaved);
  EXPECT_EQ(saved_content(".ttf"), kFont);
  EXPECT_EQ(requests(), 1);
  EXPECT_EQ(exit_code_, 0);
}

TEST_F(DownloaderTest, SavesALinkWithAQueryUnderThePathsExtension) {
  serve("/f/font.ttf", {Answer{200, kFont}});
  start();
  EXPECT_EQ(run({url("/f/font.ttf?x=1#y")}), kPrompt + kPolling + kSaving + kSaved);
  EXPECT_EQ(saved_content(".ttf"), kFont);
}

TEST_F(DownloaderTest, CountsWaitingPagesFromOneThenSaves) {
  serve("/f/font.otf", {waiting_page(), waiting_page(), Answer{200, "OTTO font"}});
  start();
  EXPECT_EQ(run({url("/f/font.otf")}),
            kPrompt + kPolling + messages::refresh_line(1).str() + kPause +
                messages::refresh_line(2).str() + kPause + kSaving + kSaved);
  EXPECT_EQ(saved_content(".otf"), "OTTO font");
  EXPECT_EQ(requests(), 3);
}

TEST_F(DownloaderTest, AThousandWaitingPagesEndTheRunWithoutClearingTheScreen) {
  serve("/f/font.ttf", {waiting_page()});
  start();
  std::string expected = kPrompt + kPolling;
  for (int attempt = 1; attempt <= 1000; ++attempt) {
    expected += messages::refresh_line(attempt).str() + kPause;
  }
  expected += kFailed + kPrompt + str(messages::enter_again) + kPrompt;
  EXPECT_EQ(run({url("/f/font.ttf"), ""}), expected);
  EXPECT_EQ(requests(), 1000);
  EXPECT_FALSE(saved(".ttf"));
}

TEST_F(DownloaderTest, AnErrorAnswerFailsTheRunAndTheNextLinkIsTried) {
  serve("/f/bad.ttf", {Answer{200, R"({"error":"x"})", "application/json"}});
  serve("/f/good.woff", {Answer{200, "wOFF data"}});
  start();
  EXPECT_EQ(run({url("/f/bad.ttf"), url("/f/good.woff")}),
            kPrompt + kPolling + "#ERROR:x\r\n" + kFailed + kPrompt + kPolling + kSaving + kSaved);
  EXPECT_FALSE(saved(".ttf"));
  EXPECT_EQ(saved_content(".woff"), "wOFF data");
}

TEST_F(DownloaderTest, EndsWhenTheInputEnds) {
  start();
  EXPECT_EQ(run({}), kPrompt);
  EXPECT_EQ(exit_code_, 0);
}

}  // namespace
}  // namespace ff
