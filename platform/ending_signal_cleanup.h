#pragma once
// Temporary files removed when a signal ends the program.

#include <string>

namespace ff {

// While it lives, the file at `path` is removed when SIGINT, SIGTERM, SIGHUP or SIGQUIT
// ends the program (Ctrl-C in the middle of a download), before the signal takes its
// default course. The handler is installed only where a signal has its default action,
// so a program that handles or ignores these signals itself keeps its own way. Up to
// kMaxFiles files at a time; more are not removed.
class RemovedOnEndingSignal {
 public:
  static constexpr int kMaxFiles = 8;

  explicit RemovedOnEndingSignal(std::string path);
  ~RemovedOnEndingSignal();
  RemovedOnEndingSignal(const RemovedOnEndingSignal&) = delete;
  RemovedOnEndingSignal& operator=(const RemovedOnEndingSignal&) = delete;

 private:
  std::string path_;
  int slot_ = -1;
};

}  // namespace ff
