#pragma once
// For tests: the built font-fetch program run as a child process, through pipes or on a
// pseudo-terminal, with an environment of the test's own.

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "platform/unique_fd.h"

namespace ff::testing {

struct ProgramResult {
  std::string out;
  std::string err;
  int exit_code = -1;  // -1 when it did not exit normally in time
};

// Runs the program with `arguments` and exactly `environment` ("NAME=value" entries),
// feeds `input` to its standard input and closes it, and collects both outputs.
// A program still running after `limit` is killed.
[[nodiscard]] ProgramResult run_program(const std::vector<std::string>& arguments,
                                        const std::vector<std::string>& environment,
                                        const std::string& input,
                                        std::chrono::seconds limit = std::chrono::seconds(60));

// The program on a pseudo-terminal, as a user at a terminal would run it.
class TerminalRun {
 public:
  explicit TerminalRun(const std::vector<std::string>& environment);
  ~TerminalRun();
  TerminalRun(const TerminalRun&) = delete;
  TerminalRun& operator=(const TerminalRun&) = delete;

  // Reads the terminal until what the program wrote holds `text`; false after `limit`.
  bool wait_for(const std::string& text, std::chrono::seconds limit = std::chrono::seconds(20));
  // Types `keys` at the terminal.
  void type(const std::string& keys);
  // Waits for the program to end, reads what is left and answers its exit status.
  int wait_for_exit(std::chrono::seconds limit = std::chrono::seconds(20));
  // Whether the terminal echoes typed keys at this moment.
  [[nodiscard]] bool echoing() const;
  // Everything the program wrote so far.
  [[nodiscard]] const std::string& screen() const { return screen_; }

 private:
  bool read_some(std::chrono::milliseconds wait);

  UniqueFd terminal_;
  pid_t child_ = -1;
  std::string screen_;
};

}  // namespace ff::testing
