#pragma once
// A raw HTTP server on 127.0.0.1 with an ephemeral port, for the tests of web access
// that look at a request byte for byte.

#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/unique_fd.h"

namespace ff::testing {

// Records the head of every request it receives (request line and header lines, byte
// for byte, without the empty line that ends them) and answers each with `response`,
// then closes the connection. For request lines and header order, which an httplib
// server does not keep. Serves one connection at a time, on its own thread.
class RecordingServer {
 public:
  explicit RecordingServer(std::string response);
  ~RecordingServer();
  RecordingServer(const RecordingServer&) = delete;
  RecordingServer& operator=(const RecordingServer&) = delete;

  [[nodiscard]] int port() const { return port_; }
  // "http://127.0.0.1:<port>" followed by `path`.
  [[nodiscard]] std::string url(std::string_view path) const;
  [[nodiscard]] std::vector<std::string> heads() const;
  // The lines of the last head, request line first.
  [[nodiscard]] std::vector<std::string> last_head_lines() const;

 private:
  void serve();
  void answer(int connection);

  std::string response_;
  int port_ = -1;  // before listener_, which sets it
  UniqueFd listener_;
  mutable std::mutex mutex_;
  std::vector<std::string> heads_;
  std::thread thread_;
};

// A loopback port on which nothing listens.
[[nodiscard]] int unused_port();

// A full HTTP/1.1 answer with a Content-Length and "Connection: close".
[[nodiscard]] std::string http_response(std::string_view status_line, std::string_view body);

}  // namespace ff::testing
