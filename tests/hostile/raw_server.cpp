#include "tests/hostile/raw_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace ff::testing {
namespace {

constexpr std::size_t kMaxRequestHead = 64 * 1024;
constexpr unsigned char kTlsHandshakeRecord = 0x16;

// Waits for `fd` to be readable; false when the server's stop pipe woke first.
bool readable_before_stop(int fd, int stop_fd) {
  pollfd fds[2] = {{fd, POLLIN, 0}, {stop_fd, POLLIN, 0}};
  while (::poll(fds, 2, -1) < 0) {
    if (errno != EINTR) return false;
  }
  return (fds[1].revents & POLLIN) == 0;
}

// The request head up to its blank line, or the first bytes of a TLS handshake.
std::string read_head(int fd, int stop_fd) {
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxRequestHead) {
    if (!readable_before_stop(fd, stop_fd)) break;
    const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    head.append(buffer, static_cast<std::size_t>(n));
    if (static_cast<unsigned char>(head[0]) == kTlsHandshakeRecord) break;
  }
  return head;
}

// "GET /x HTTP/1.1" -> "/x"; a TLS handshake -> "tls".
std::string path_of(const std::string& head) {
  if (!head.empty() && static_cast<unsigned char>(head[0]) == kTlsHandshakeRecord) return "tls";
  const std::size_t begin = head.find(' ');
  const std::size_t end = head.find(' ', begin + 1);
  if (begin == std::string::npos || end == std::string::npos) return {};
  return head.substr(begin + 1, end - begin - 1);
}

}  // namespace

bool Connection::send(std::string_view bytes) const {
  while (!bytes.empty()) {
    const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void Connection::wait_for_peer_to_leave() const {
  char buffer[4096];
  while (readable_before_stop(fd_, stop_fd_)) {
    if (::recv(fd_, buffer, sizeof buffer, 0) <= 0) return;
  }
}

void Connection::reset() const {
  const linger abortive{1, 0};
  ::setsockopt(fd_, SOL_SOCKET, SO_LINGER, &abortive, sizeof abortive);
  ::shutdown(fd_, SHUT_RDWR);
}

RawServer::RawServer(RawHandler handler) : handler_(std::move(handler)) {
  listener_ = UniqueFd(::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  int pipe_fds[2];
  if (!listener_.valid() ||
      ::bind(listener_.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(listener_.get(), 16) != 0 ||
      ::getsockname(listener_.get(), reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      ::pipe2(pipe_fds, O_CLOEXEC) != 0) {
    throw std::runtime_error("the raw test server cannot listen");
  }
  stop_read_ = UniqueFd(pipe_fds[0]);
  stop_write_ = UniqueFd(pipe_fds[1]);
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread([this] { accept_loop(); });
}

RawServer::~RawServer() {
  (void)!::write(stop_write_.get(), "x", 1);
  acceptor_.join();
  std::lock_guard lock(connections_mutex_);
  for (std::thread& connection : connections_) connection.join();
}

std::string RawServer::url(std::string_view path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
}

void RawServer::accept_loop() {
  while (readable_before_stop(listener_.get(), stop_read_.get())) {
    UniqueFd socket(::accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC));
    if (!socket.valid()) continue;
    std::lock_guard lock(connections_mutex_);
    connections_.emplace_back([this, s = std::move(socket)]() mutable { serve(std::move(s)); });
  }
}

void RawServer::serve(UniqueFd socket) {
  const std::string head = read_head(socket.get(), stop_read_.get());
  if (head.empty()) return;
  handler_(path_of(head), Connection(socket.get(), stop_read_.get()));
}

}  // namespace ff::testing
