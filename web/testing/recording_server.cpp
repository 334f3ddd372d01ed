#include "web/testing/recording_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>

#include <stdexcept>

namespace ff::testing {

namespace {

// A TCP socket bound to 127.0.0.1 on an ephemeral port; the port is written to `port`.
UniqueFd bound_loopback_socket(int& port) {
  UniqueFd fd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (!fd.valid() || ::bind(fd.get(), reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("cannot bind a loopback socket");
  }
  port = ntohs(address.sin_port);
  return fd;
}

std::vector<std::string> split_lines(const std::string& head) {
  std::vector<std::string> lines;
  std::size_t from = 0;
  for (std::size_t at; (at = head.find("\r\n", from)) != std::string::npos; from = at + 2) {
    lines.push_back(head.substr(from, at - from));
  }
  lines.push_back(head.substr(from));
  return lines;
}

}  // namespace

RecordingServer::RecordingServer(std::string response)
    : response_(std::move(response)), listener_(bound_loopback_socket(port_)) {
  if (::listen(listener_.get(), 8) != 0) throw std::runtime_error("cannot listen");
  thread_ = std::thread([this] { serve(); });
}

RecordingServer::~RecordingServer() {
  ::shutdown(listener_.get(), SHUT_RDWR);  // wakes the blocked accept
  thread_.join();
}

void RecordingServer::serve() {
  for (;;) {
    UniqueFd connection(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!connection.valid()) return;
    answer(connection.get());
  }
}

void RecordingServer::answer(int connection) {
  std::string received;
  char buffer[4096];
  std::size_t end;
  while ((end = received.find("\r\n\r\n")) == std::string::npos) {
    const ssize_t n = ::recv(connection, buffer, sizeof buffer, 0);
    if (n <= 0) return;
    received.append(buffer, static_cast<std::size_t>(n));
  }
  {
    std::lock_guard lock(mutex_);
    heads_.push_back(received.substr(0, end));
  }
  (void)::send(connection, response_.data(), response_.size(), MSG_NOSIGNAL);
  // A graceful close: let the client finish reading before the socket goes, so that
  // unread request bytes do not turn the close into a reset.
  ::shutdown(connection, SHUT_WR);
  const timeval limit{2, 0};
  ::setsockopt(connection, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  while (::recv(connection, buffer, sizeof buffer, 0) > 0) {
  }
}

std::string RecordingServer::url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

std::vector<std::string> RecordingServer::heads() const {
  std::lock_guard lock(mutex_);
  return heads_;
}

std::vector<std::string> RecordingServer::last_head_lines() const {
  std::lock_guard lock(mutex_);
  return heads_.empty() ? std::vector<std::string>{} : split_lines(heads_.back());
}

int unused_port() {
  int port = -1;
  bound_loopback_socket(port);  // closed again at once: nothing listens there
  return port;
}

std::string http_response(std::string_view status_line, std::string_view body) {
  return std::string(status_line) + "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nConnection: close\r\n\r\n" + std::string(body);
}

}  // namespace ff::testing
