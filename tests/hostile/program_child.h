#pragma once
// For the hostile-server tests: the built font-fetch as a child process on pipes, whose
// output is watched against deadlines and whose peak memory is read when it ends
// (wait4's resource usage of the child).

#include <sys/types.h>

#include <chrono>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/unique_fd.h"

namespace ff::testing {

using Clock = std::chrono::steady_clock;

struct ChildEnd {
  bool exited = false;      // ended by exit() rather than a signal or the time limit
  int exit_status = -1;
  int signal = 0;           // the signal that ended it, 0 when none
  long peak_kib = 0;        // the child's largest resident set, in KiB
};

class ProgramChild {
 public:
  // Starts `program` with exactly `environment`; standard error joins standard output.
  ProgramChild(const std::string& program, const std::vector<std::string>& environment);
  ProgramChild(const ProgramChild&) = delete;
  ProgramChild& operator=(const ProgramChild&) = delete;
  // Kills a child still running and reaps it.
  ~ProgramChild();

  // Writes a line (a newline is added) to the child's standard input.
  void send_line(std::string_view line);
  void close_input();

  // Reads the output until one of `texts` appears at or after byte `from`, and answers
  // the index of the first to appear; -1 when none did before `limit` or the output ended.
  int wait_for_any(std::initializer_list<std::string_view> texts, std::size_t from,
                   std::chrono::milliseconds limit);

  // Sends `signal` to the child.
  void kill(int signal) const;
  // Reads the rest of the output and reaps the child, killing it after `limit`.
  ChildEnd wait(std::chrono::milliseconds limit);

  [[nodiscard]] const std::string& output() const { return output_; }

 private:
  // Reads what is there within `wait`; false at the end of the output.
  bool read_some(std::chrono::milliseconds wait);

  pid_t pid_ = -1;
  UniqueFd input_;
  UniqueFd output_fd_;
  std::string output_;
  bool reaped_ = false;
};

}  // namespace ff::testing
