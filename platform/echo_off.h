#pragma once
// Reading from a terminal without showing what is typed.

#include <signal.h>
#include <termios.h>

#include <array>

#include "platform/ending_signals.h"

namespace ff {

// Switches the echo of the terminal `fd` off while it lives; nothing when `fd` is not a
// terminal. A signal that ends the program meanwhile (SIGINT, SIGTERM, SIGHUP,
// SIGQUIT, unless ignored) switches the echo back on first, so an interrupted program
// does not leave the user typing blind.
class EchoOff {
 public:
  explicit EchoOff(int fd);
  ~EchoOff();
  EchoOff(const EchoOff&) = delete;
  EchoOff& operator=(const EchoOff&) = delete;

 private:
  int fd_;
  termios saved_{};
  std::array<struct sigaction, kEndingSignals.size()> previous_{};
  bool active_ = false;
};

}  // namespace ff
