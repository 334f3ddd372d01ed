#include "platform/echo_off.h"

#include <unistd.h>

namespace ff {
namespace {

// What the signal handler needs to give the terminal its settings back.
int restore_fd = -1;
termios restore_settings{};

void restore_echo_then_end(int signal_number) {
  ::tcsetattr(restore_fd, TCSANOW, &restore_settings);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);  // delivered with the default action once this returns
}

}  // namespace

EchoOff::EchoOff(int fd) : fd_(fd) {
  if (::isatty(fd_) != 1 || ::tcgetattr(fd_, &saved_) != 0) return;
  restore_fd = fd_;
  restore_settings = saved_;
  struct sigaction action {};
  action.sa_handler = restore_echo_then_end;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    ::sigaction(kEndingSignals[i], nullptr, &previous_[i]);
    if (previous_[i].sa_handler == SIG_DFL) ::sigaction(kEndingSignals[i], &action, nullptr);
  }
  termios quiet = saved_;
  quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
  active_ = ::tcsetattr(fd_, TCSANOW, &quiet) == 0;
}

EchoOff::~EchoOff() {
  if (restore_fd < 0) return;
  if (active_) ::tcsetattr(fd_, TCSANOW, &saved_);
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    ::sigaction(kEndingSignals[i], &previous_[i], nullptr);
  }
  restore_fd = -1;
}

}  // namespace ff
