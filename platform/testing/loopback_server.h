#pragma once
// A real HTTP or HTTPS server for tests: httplib on 127.0.0.1 with a free port, run on
// its own thread from start() until the object ends.
//
//   LoopbackServer server;
//   server->Get("/hello", [](const httplib::Request&, httplib::Response& res) {
//     res.set_content("hi", "text/plain");
//   });
//   server.start();
//   fetch(server.url("/hello"));

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>

namespace ff::testing {

class LoopbackServer {
 public:
  LoopbackServer() : LoopbackServer(std::make_unique<httplib::Server>(), "http") {}
  // An HTTPS server with the certificate and key in these PEM files.
  LoopbackServer(const std::string& certificate_file, const std::string& key_file)
      : LoopbackServer(
            std::make_unique<httplib::SSLServer>(certificate_file.c_str(), key_file.c_str()),
            "https") {}
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;
  ~LoopbackServer() { stop(); }

  httplib::Server* operator->() const { return server_.get(); }
  httplib::Server& operator*() const { return *server_; }

  // Binds a free port on 127.0.0.1 and serves on a thread. Register handlers first.
  void start() {
    if (!server_->is_valid()) throw std::runtime_error("the test server cannot start");
    port_ = server_->bind_to_any_port("127.0.0.1");
    if (port_ <= 0) throw std::runtime_error("the test server found no free port");
    thread_ = std::thread([this] {
      server_->listen_after_bind();
      listening_over_ = true;
    });
  }

  // Stops serving and waits for the thread; handlers still running finish first.
  void stop() {
    if (!thread_.joinable()) return;
    while (!server_->is_running() && !listening_over_) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    server_->stop();
    thread_.join();
  }

  [[nodiscard]] int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by `path`.
  [[nodiscard]] std::string url(std::string_view path = "/") const {
    return scheme_ + "://127.0.0.1:" + std::to_string(port_) + std::string(path);
  }

 private:
  LoopbackServer(std::unique_ptr<httplib::Server> server, std::string scheme)
      : server_(std::move(server)), scheme_(std::move(scheme)) {
    // An idle kept-alive connection would otherwise hold stop() for five seconds.
    server_->set_keep_alive_timeout(1);
  }

  std::unique_ptr<httplib::Server> server_;
  std::string scheme_;
  int port_ = 0;
  std::atomic<bool> listening_over_ = false;
  std::thread thread_;
};

}  // namespace ff::testing
