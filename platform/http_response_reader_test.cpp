#include "platform/http_response_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ff {
namespace {

HttpAnswer read_lines(const std::vector<std::string>& lines) {
  ResponseReader reader;
  for (const std::string& line : lines) EXPECT_TRUE(reader.add_header_line(line)) << line;
  return reader.take_answer();
}

TEST(ResponseReaderTest, KeepsTheFinalAnswerOnly) {
  const HttpAnswer answer = read_lines({"HTTP/1.1 100 Continue\r\n", "\r\n",
                                        "HTTP/1.1 404 Not Found Here\r\n", "X-A: 1\r\n",
                                        "X-B:\n", "\r\n"});
  EXPECT_EQ(answer.status, 404);
  EXPECT_EQ(answer.reason, "Not Found Here");
  EXPECT_EQ(answer.header_block, "X-A: 1\r\nX-B:\r\n\r\n");
}

TEST(ResponseReaderTest, AnswerWithoutReasonPhrase) {
  for (const char* status_line : {"HTTP/2 200 \r\n", "HTTP/1.1 200\r\n"}) {
    SCOPED_TRACE(status_line);
    const HttpAnswer answer = read_lines({status_line, "\r\n"});
    EXPECT_EQ(answer.status, 200);
    EXPECT_EQ(answer.reason, "");
    EXPECT_EQ(answer.header_block, "\r\n");
  }
}

TEST(ResponseReaderTest, RefusesAHeaderFlood) {
  ResponseReader reader;
  ASSERT_TRUE(reader.add_header_line("HTTP/1.1 200 OK\r\n"));
  const std::string line = "X-Flood: " + std::string(1000, 'f') + "\r\n";
  std::size_t accepted = 0;
  while (reader.add_header_line(line)) ++accepted;
  EXPECT_EQ(accepted, (ResponseReader::kMaxHeaderBytes - 17) / line.size());
}

}  // namespace
}  // namespace ff
