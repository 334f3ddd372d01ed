#pragma once
// What one call into the script engine may spend, and the watchdog that enforces it.
//
// Every entry into JavaScript runs inside run_limited(). The engine's watchdog wakes
// after each short slice of CPU time and stops the running script when the call has
// taken longer than its time-out, when the process has grown by more than a call may
// add, or when the whole process is above its ceiling. The engine checks the watchdog
// between script steps only: one built-in call (a giant join or repeat) runs to its end
// and is stopped right after it. Deep recursion needs no watchdog: the engine raises a
// RangeError of its own.

#include <JavaScriptCore/JavaScript.h>

#include <cstddef>
#include <functional>

namespace ff {

// The default time-out of a call, in milliseconds; -1 means none.
inline constexpr int kDefaultScriptTimeoutMs = 3000;
inline constexpr int kNoScriptTimeout = -1;
// CPU time between two looks of the watchdog, in seconds.
inline constexpr double kWatchdogSliceSeconds = 0.01;
// How far the process's resident memory may grow during one call.
inline constexpr std::size_t kMaxCallGrowthBytes = std::size_t{256} << 20;
// Resident memory above which any running script is stopped.
inline constexpr std::size_t kMaxProcessBytes = std::size_t{768} << 20;
// The longest string (in UTF-16 units) an answer may carry out of the engine.
inline constexpr std::size_t kMaxAnswerLength = std::size_t{1} << 25;

// The longest source (in UTF-16 units) one AddCode or Eval takes: parsing holds several
// copies of it, so a 100 MiB answer would otherwise cost more than a GiB.
inline constexpr std::size_t kMaxSourceLength = std::size_t{1} << 25;

enum class LimitStop { none, time, memory };

// The resident memory of this process in bytes (0 when it cannot be read).
std::size_t resident_bytes();

// Arms the watchdog of `group`; done once, when the group is created.
void arm_script_watchdog(JSContextGroupRef group);

// Runs `call` (which enters the engine) under the limits and answers which limit stopped
// it, if any.
LimitStop run_limited(int timeout_ms, const std::function<void()>& call);

}  // namespace ff
