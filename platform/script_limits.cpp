#include "platform/script_limits.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "platform/jsc_private.h"
#include "platform/unique_fd.h"

namespace ff {
namespace {

using Clock = std::chrono::steady_clock;

// The call under way on this thread (calls into one engine never overlap on a thread).
struct CallUnderWay {
  bool active = false;
  Clock::time_point start;
  int timeout_ms = kDefaultScriptTimeoutMs;
  std::size_t start_bytes = 0;
  LimitStop stop = LimitStop::none;
};

thread_local CallUnderWay call_under_way;

LimitStop limit_reached(const CallUnderWay& call) {
  if (call.timeout_ms != kNoScriptTimeout &&
      Clock::now() - call.start > std::chrono::milliseconds(call.timeout_ms)) {
    return LimitStop::time;
  }
  const std::size_t now = resident_bytes();
  if (now > kMaxProcessBytes || now > call.start_bytes + kMaxCallGrowthBytes) {
    return LimitStop::memory;
  }
  return LimitStop::none;
}

bool should_terminate(JSContextRef context, void*) {
  if (call_under_way.active) call_under_way.stop = limit_reached(call_under_way);
  if (call_under_way.active && call_under_way.stop != LimitStop::none) return true;
  // The engine does not re-arm the timer by itself after a "go on": arm it again.
  arm_script_watchdog(JSContextGetGroup(context));
  return false;
}

}  // namespace

std::size_t resident_bytes() {
  // Read on every watchdog tick and around every call: keep the file open and read it
  // from the start each time rather than opening it again.
  static const UniqueFd statm(::open("/proc/self/statm", O_RDONLY | O_CLOEXEC));
  static const auto page_size = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
  char buffer[128];
  const ssize_t got = statm.valid() ? ::pread(statm.get(), buffer, sizeof buffer - 1, 0) : -1;
  if (got <= 0) return 0;
  buffer[got] = '\0';
  unsigned long size = 0, resident = 0;
  if (std::sscanf(buffer, "%lu %lu", &size, &resident) != 2) return 0;
  return static_cast<std::size_t>(resident) * page_size;
}

void arm_script_watchdog(JSContextGroupRef group) {
  JSContextGroupSetExecutionTimeLimit(group, kWatchdogSliceSeconds, &should_terminate, nullptr);
}

LimitStop run_limited(int timeout_ms, const std::function<void()>& call) {
  const CallUnderWay outer = call_under_way;
  call_under_way = {true, Clock::now(), timeout_ms, resident_bytes(), LimitStop::none};
  call();
  LimitStop stop = call_under_way.stop;
  // A single built-in call may have grown the process past the limit without the
  // watchdog getting a look in: judge the call by where it ended.
  if (stop == LimitStop::none && resident_bytes() > call_under_way.start_bytes + kMaxCallGrowthBytes) {
    stop = LimitStop::memory;
  }
  call_under_way = outer;
  return stop;
}

}  // namespace ff
