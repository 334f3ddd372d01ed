#pragma once
// The signals whose default action ends the program and that a user or the system sends
// to stop it: what the program tidies up for before it ends.

#include <signal.h>

#include <array>

namespace ff {

inline constexpr std::array<int, 4> kEndingSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

}  // namespace ff
