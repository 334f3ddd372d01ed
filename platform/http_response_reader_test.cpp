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

// An answer whose body went to the spool is followed by another (a redirect whose body
// libcurl passed on): the spool forgets the first, and the second starts afresh.
TEST(ResponseReaderTest, ANewAnswerRestartsTheSpool) {
  struct CountingSpool final : BodySpool {
    [[nodiscard]] std::size_t hold_limit() const override { return 4; }
    bool begin(std::span<const std::uint8_t> held) override { return add(held); }
    bool add(std::span<const std::uint8_t> bytes) override {
      taken.append(bytes.begin(), bytes.end());
      return true;
    }
    void restart() override {
      taken.clear();
      ++restarts;
    }
    std::string taken;
    int restarts = 0;
  } spool;
  ResponseReader reader;
  reader.use_spool(&spool);
  ASSERT_TRUE(reader.add_header_line("HTTP/1.1 302 Found\r\n"));
  ASSERT_TRUE(reader.add_header_line("\r\n"));
  ASSERT_TRUE(reader.add_body("moved, ") && reader.add_body("see there"));
  EXPECT_EQ(spool.taken, "moved, see there");
  ASSERT_TRUE(reader.add_header_line("HTTP/1.1 200 OK\r\n"));
  ASSERT_TRUE(reader.add_header_line("\r\n"));
  EXPECT_EQ(spool.restarts, 1);
  ASSERT_TRUE(reader.add_body("abc"));
  EXPECT_EQ(spool.taken, "");
  ASSERT_TRUE(reader.add_body("defg"));
  EXPECT_EQ(spool.taken, "abcdefg");
  EXPECT_EQ(reader.body_size(), 7u);
  const HttpAnswer answer = reader.take_answer();
  EXPECT_EQ(std::string(answer.body->begin(), answer.body->end()), "abcdefg");  // the head
}

}  // namespace
}  // namespace ff
