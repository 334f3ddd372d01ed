#include "console/error_answer.h"

#include <gtest/gtest.h>

#include "console/messages.h"
#include "console/testing/dialogue_fixture.h"

namespace ff {
namespace {

using testing::Answer;
using testing::gbk;

struct ErrorAnswerCase {
  std::string answer;
  std::optional<std::string> written;  // nullopt: not an error answer
};

TEST(ErrorAnswer, IsAnyTextThatLoadsAsAValueOtherThanNull) {
  const std::string waiting(messages::waiting_sentence_gbk);
  const ErrorAnswerCase cases[] = {
      {R"({"error":"x"})", "#ERROR:x\r\n"},
      {R"({"error":5})", "#ERROR:5\r\n"},
      {R"({"error":null})", "#ERROR:\r\n"},
      {R"({"message":"no error member"})", "#ERROR:\r\n"},
      {"[1,2]", "#ERROR:\r\n"},
      {"{\"error\":\"" + gbk(u8"文件不存在") + "\"}", gbk(u8"#ERROR:文件不存在\r\n")},
      // JSON that holds the waiting sentence is still an error answer.
      {"{\"error\":\"" + waiting + "\"}", "#ERROR:" + waiting + "\r\n"},
      {"null", std::nullopt},
      {"", std::nullopt},
      {"<html><body>" + waiting + "</body></html>", std::nullopt},
      {"OTTO\x01\x02", std::nullopt},
      {" \r\n<p>{\"error\":\"x\"}</p>", std::nullopt},
      // Script reads "<!--" as the start of a comment, so what follows still loads.
      {"<!--\n{\"error\":\"c\"}", "#ERROR:c\r\n"},
  };
  JsonDocument document;
  for (const auto& row : cases) {
    SCOPED_TRACE("answer: " + row.answer);
    std::string written;
    DialogueEnvironment environment;
    environment.write = [&](std::string_view text) { written += text; };
    EXPECT_EQ(report_error_answer(document, Text(row.answer), environment), row.written.has_value());
    EXPECT_EQ(written, row.written.value_or(""));
  }
}

TEST(ErrorAnswer, LeavesTheDocumentEmpty) {
  JsonDocument document;
  DialogueEnvironment environment;
  environment.write = [](std::string_view) {};
  ASSERT_TRUE(report_error_answer(document, Text(R"({"error":"x","n":[1]})"), environment));
  EXPECT_EQ(document.to_json(), Text("{}"));
}

using ErrorAnswerDialogueTest = testing::DialogueTest;

TEST_F(ErrorAnswerDialogueTest, EndsThePollingRunWithoutAFile) {
  const std::string waiting(messages::waiting_sentence_gbk);
  serve("/f/font.ttf", {Answer{200, "{\"error\":\"" + waiting + "\"}", "application/json"}});
  start();
  EXPECT_EQ(run({url("/f/font.ttf")}),
            testing::kPrompt + testing::kPolling + "#ERROR:" + waiting + "\r\n" +
                testing::kFailed + testing::kPrompt);
  EXPECT_EQ(requests(), 1);
  EXPECT_FALSE(saved(".ttf"));
}

}  // namespace
}  // namespace ff
