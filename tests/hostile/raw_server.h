#pragma once
// For the hostile-server tests: a server on 127.0.0.1 (a free port) that speaks raw bytes,
// so that it can misbehave as no well-made HTTP library would let it: cut a body short,
// reset the connection, stall, or answer a TLS handshake with plain text.
//
// Each connection runs on its own thread: the request head is read (up to its blank line,
// or the first bytes of a TLS handshake) and handed with the socket to the handler.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "platform/unique_fd.h"

namespace ff::testing {

// One connection as a handler sees it.
class Connection {
 public:
  Connection(int fd, int stop_fd) : fd_(fd), stop_fd_(stop_fd) {}

  // Writes all bytes; false once the peer is gone.
  bool send(std::string_view bytes) const;
  // Waits until the peer closes the connection or the server stops.
  void wait_for_peer_to_leave() const;
  // Closes with a reset (RST) instead of an orderly end.
  void reset() const;

 private:
  int fd_;
  int stop_fd_;
};

// The path of the request ("/a/b.ttf"), or "tls" for a TLS ClientHello.
using RawHandler = std::function<void(const std::string& path, const Connection&)>;

class RawServer {
 public:
  explicit RawServer(RawHandler handler);
  RawServer(const RawServer&) = delete;
  RawServer& operator=(const RawServer&) = delete;
  // Stops accepting, ends the handlers' waits and joins every thread.
  ~RawServer();

  [[nodiscard]] int port() const { return port_; }
  [[nodiscard]] std::string url(std::string_view path) const;

 private:
  void accept_loop();
  void serve(UniqueFd socket);

  RawHandler handler_;
  UniqueFd listener_;
  UniqueFd stop_read_;
  UniqueFd stop_write_;
  int port_ = 0;
  std::thread acceptor_;
  std::mutex connections_mutex_;
  std::vector<std::thread> connections_;
};

}  // namespace ff::testing
