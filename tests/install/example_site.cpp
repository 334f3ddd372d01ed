// The website the examples are run against, on 127.0.0.1 with a free port:
//   POST /login       form user=alice&password=secret: 200 and a session cookie; else 401
//   GET  /account     200 with the Cookie header it received when that carries the
//                     session, and one more cookie; else 401
//   GET  /fonts.json  a JSON answer
// Usage: ff_example_site <port file>. Writes the port to the file once it listens and
// serves until SIGTERM or SIGINT, or for at most ten minutes.
#include <signal.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

#include "platform/testing/loopback_server.h"

namespace {

constexpr std::time_t kLongestLife = 600;  // seconds

// A session cookie value new to every run, so nothing downstream can know it beforehand.
std::string new_session() {
  std::random_device random;
  return "s" + std::to_string(random()) + std::to_string(random());
}

void serve_login(httplib::Server& server, const std::string& session) {
  server.Post("/login", [session](const httplib::Request& request, httplib::Response& answer) {
    if (request.get_param_value("user") != "alice" ||
        request.get_param_value("password") != "secret") {
      answer.status = 401;
      answer.set_content("wrong user or password", "text/plain");
      return;
    }
    answer.set_header("Set-Cookie", "session=" + session + "; Path=/; HttpOnly");
    answer.set_content("welcome alice", "text/plain");
  });
}

void serve_account(httplib::Server& server, const std::string& session) {
  server.Get("/account", [session](const httplib::Request& request, httplib::Response& answer) {
    const std::string cookies = request.get_header_value("Cookie");
    if (cookies.find("session=" + session) == std::string::npos) {
      answer.status = 401;
      answer.set_content("not signed in; cookie header: " + cookies, "text/plain");
      return;
    }
    answer.set_header("Set-Cookie", "seen=1; Path=/");
    answer.set_content("signed in as alice; cookie header: " + cookies, "text/plain");
  });
}

void serve_fonts(httplib::Server& server) {
  server.Get("/fonts.json", [](const httplib::Request&, httplib::Response& answer) {
    answer.set_content(R"({"error":"","fonts":[{"name":"Song","size":1024}]})",
                       "application/json");
  });
}

// Written beside and renamed, so a reader never sees a half-written port.
bool publish_port(const std::filesystem::path& file, int port) {
  const std::filesystem::path partial = file.string() + ".partial";
  {
    std::ofstream out(partial);
    out << port << '\n';
    if (!out.flush()) return false;
  }
  std::error_code error;
  std::filesystem::rename(partial, file, error);
  return !error;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: ff_example_site <port file>\n";
    return 2;
  }
  // Blocked before the server's thread starts, so only sigtimedwait below takes them.
  sigset_t stop_signals;
  sigemptyset(&stop_signals);
  sigaddset(&stop_signals, SIGTERM);
  sigaddset(&stop_signals, SIGINT);
  pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

  const std::string session = new_session();
  ff::testing::LoopbackServer server;
  serve_login(*server, session);
  serve_account(*server, session);
  serve_fonts(*server);
  server.start();
  if (!publish_port(argv[1], server.port())) {
    std::cerr << "ff_example_site: cannot write " << argv[1] << '\n';
    return 1;
  }
  const timespec longest{kLongestLife, 0};
  sigtimedwait(&stop_signals, nullptr, &longest);
  return 0;
}
