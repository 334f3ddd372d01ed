// The loopback website the whole-process comparison runs against (scripts/bench).
//
//   ff-bench-server [BODY_MIB]
//
// Serves on 127.0.0.1 at a free port, which it writes to standard output, until SIGINT
// or SIGTERM. Every answer comes from memory:
//   /font/<name>                   a font of BODY_MIB MiB (default 64)
//   /wait/<count>/<token>/<name>   a 20 KiB waiting page for the first <count> requests
//                                  with this <token>, then a 20 KiB font
#include <signal.h>

#include <cstdlib>
#include <iostream>
#include <map>
#include <mutex>
#include <string>

#include "bench/content.h"
#include "platform/testing/loopback_server.h"

namespace ff::bench {
namespace {

constexpr std::size_t kDefaultBodyMiB = 64;
// The piece handed to the socket at a time while a large body is sent.
constexpr std::size_t kSendPiece = kMiB;

// Waiting pages still owed per token.
class WaitCounter {
 public:
  // Whether this request with `token` gets the waiting page; the first of a token sets
  // how many it gets.
  bool wait_once_more(const std::string& token, int count) {
    const std::lock_guard lock(mutex_);
    const auto [entry, fresh] = left_.try_emplace(token, count);
    return entry->second-- > 0;
  }

 private:
  std::mutex mutex_;
  std::map<std::string, int> left_;
};

void add_routes(httplib::Server& server, const std::string& big_font, WaitCounter& counter) {
  server.Get("/font/.+", [&big_font](const httplib::Request&, httplib::Response& res) {
    res.set_content_provider(
        big_font.size(), "font/ttf",
        [&big_font](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
          return sink.write(big_font.data() + offset, std::min(length, kSendPiece));
        });
  });
  static const std::string page = waiting_page();
  static const std::string small_font = font_body(kWaitingPageSize);
  server.Get(R"(/wait/(\d+)/([^/]+)/.+)", [&counter](const httplib::Request& req,
                                                     httplib::Response& res) {
    if (counter.wait_once_more(req.matches[2], std::atoi(req.matches[1].str().c_str()))) {
      res.set_content(page, "text/html; charset=gbk");
    } else {
      res.set_content(small_font, "font/ttf");
    }
  });
}

}  // namespace
}  // namespace ff::bench

int main(int argc, char** argv) {
  using namespace ff::bench;
  // The signals that end the server are taken by sigwait below, not by a handler.
  sigset_t ending;
  sigemptyset(&ending);
  sigaddset(&ending, SIGINT);
  sigaddset(&ending, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &ending, nullptr);

  const std::size_t body_mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : kDefaultBodyMiB;
  const std::string big_font = font_body(body_mib * kMiB);
  WaitCounter counter;
  ff::testing::LoopbackServer server;
  add_routes(*server, big_font, counter);
  try {
    server.start();
  } catch (const std::exception& failure) {
    std::cerr << "ff-bench-server: " << failure.what() << '\n';
    return 1;
  }
  std::cout << server.port() << std::endl;
  int signal_number = 0;
  sigwait(&ending, &signal_number);
  return 0;
}
