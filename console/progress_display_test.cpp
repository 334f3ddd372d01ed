#include "console/progress_display.h"

#include <gtest/gtest.h>

#include <thread>

#include "console/testing/dialogue_fixture.h"
#include "platform/testing/loopback_server.h"
#include "web/web_request.h"

namespace ff {
namespace {

using namespace std::chrono_literals;
using testing::gbk;

struct LineCase {
  TransferProgress progress;
  std::u8string_view line;
};

TEST(ProgressLine, ShowsReceivedTotalAndRate) {
  const LineCase cases[] = {
      {{512, std::nullopt, 0s, false}, u8"已接收 512 B"},
      {{1536, 3 * 1024 * 1024, 1s, false}, u8"已接收 1.5 KB / 3.0 MB，速度 1.5 KB/s"},
      {{5ull << 30, std::nullopt, 2s, false}, u8"已接收 5.0 GB，速度 2.5 GB/s"},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE(row.progress.received);
    EXPECT_EQ(progress_line(row.progress).str(), gbk(row.line));
  }
}

// A server that sends a body of 4 pieces over about a second.
class SlowServer {
 public:
  SlowServer() {
    server_->Get("/slow", [](const httplib::Request&, httplib::Response& res) {
      res.set_content_provider(4000, "application/octet-stream",
                               [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                 std::this_thread::sleep_for(250ms);
                                 const std::string piece(1000, 'x');
                                 return sink.write(piece.data(), offset < 4000 ? 1000 : 0);
                               });
    });
    server_->Get("/quick", [](const httplib::Request&, httplib::Response& res) {
      res.set_content("quick", "text/plain");
    });
    server_.start();
  }
  std::string url(std::string_view path) const { return server_.url(path); }

 private:
  testing::LoopbackServer server_;
};

TEST(ProgressDisplay, ShowsALongTransferAndErasesItAtTheEnd) {
  SlowServer server;
  std::vector<std::string> written;
  {
    ProgressDisplay display([&](std::string_view text) { written.emplace_back(text); });
    EXPECT_EQ(web_request(server.url("/quick")), bytes_of("quick"));
    EXPECT_TRUE(written.empty()) << "a quick transfer shows nothing";
    EXPECT_EQ(web_request(server.url("/slow")).size(), 4000u);
  }
  ASSERT_GE(written.size(), 2u);
  const std::string start = "\r" + gbk(u8"已接收 ");
  for (std::size_t i = 0; i + 1 < written.size(); ++i) {
    SCOPED_TRACE(written[i]);
    EXPECT_EQ(written[i].rfind(start, 0), 0u);
    EXPECT_NE(written[i].find(" / 3.9 KB"), std::string::npos);
  }
  EXPECT_EQ(written.back(), "\r\x1b[K");
  // Once the display is gone, transfers are no longer watched.
  written.clear();
  (void)web_request(server.url("/slow"));
  EXPECT_TRUE(written.empty());
}

}  // namespace
}  // namespace ff
