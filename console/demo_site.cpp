// A small local stand-in for the font website, for trying font-fetch without internet.
//
//   font-fetch-demo-site [PORT_FILE]
//
// Serves on 127.0.0.1 at a free port, which it writes to PORT_FILE (or to standard
// output), until SIGINT or SIGTERM:
//   /fonts/demo.ttf     the waiting page three times, then a small font file
//   /fonts/missing.ttf  the website's error answer, a JSON document with "error"
#include <httplib.h>
#include <signal.h>

#include <atomic>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>

#include "console/messages.h"

namespace {

constexpr int kWaitingPagesBeforeTheFont = 3;
// "字体不存在或已被删除" (the font does not exist or has been removed), GBK.
constexpr std::string_view kMissingFont =
    "\xd7\xd6\xcc\xe5\xb2\xbb\xb4\xe6\xd4\xda\xbb\xf2\xd2\xd1\xb1\xbb\xc9\xbe\xb3\xfd";

std::string waiting_page() {
  return "<html><head><meta charset=\"gbk\"></head><body><p>" +
         std::string(ff::messages::waiting_sentence_gbk) + "</p></body></html>";
}

// The first bytes of a TrueType file (version 1.0, no tables) and a note.
std::string demo_font() {
  return std::string("\0\1\0\0\0\0\0\0\0\0\0\0", 12) + "font-fetch demo font\n";
}

void add_routes(httplib::Server& server, std::atomic<int>& waiting_left) {
  server.Get("/fonts/demo.ttf", [&waiting_left](const httplib::Request&, httplib::Response& res) {
    if (waiting_left-- > 0) {
      res.set_content(waiting_page(), "text/html; charset=gbk");
      return;
    }
    waiting_left = kWaitingPagesBeforeTheFont;  // the next run waits again
    res.set_content(demo_font(), "font/ttf");
  });
  server.Get("/fonts/missing.ttf", [](const httplib::Request&, httplib::Response& res) {
    res.set_content("{\"error\":\"" + std::string(kMissingFont) + "\"}", "application/json");
  });
}

bool announce_port(int port, const char* port_file) {
  if (port_file == nullptr) {
    std::cout << port << std::endl;
    return true;
  }
  std::ofstream out(port_file);
  out << port << '\n';
  return static_cast<bool>(out.flush());
}

}  // namespace

int main(int argc, char** argv) {
  // The signals that end the site are taken by sigwait below, not by a handler.
  sigset_t ending;
  sigemptyset(&ending);
  sigaddset(&ending, SIGINT);
  sigaddset(&ending, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &ending, nullptr);

  httplib::Server server;
  std::atomic<int> waiting_left = kWaitingPagesBeforeTheFont;
  add_routes(server, waiting_left);
  const int port = server.bind_to_any_port("127.0.0.1");
  if (port <= 0 || !announce_port(port, argc > 1 ? argv[1] : nullptr)) {
    std::cerr << "font-fetch-demo-site: cannot listen on 127.0.0.1\n";
    return 1;
  }
  std::thread serving([&server] { server.listen_after_bind(); });
  int signal_number = 0;
  sigwait(&ending, &signal_number);
  server.stop();
  serving.join();
  return 0;
}
