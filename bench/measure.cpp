// Runs one command and reports what the kernel accounted to it.
//
//   ff-bench-measure COMMAND [ARGS...]
//
// The command inherits standard input; its standard output and error go to /dev/null.
// When it ends, one line is written to standard output:
//   <wall seconds> <user CPU seconds> <system CPU seconds> <peak resident KiB> <status>
// where status is the exit status, or 128 + the signal that ended it. The figures come
// from wait4(), in microseconds, finer than time(1)'s hundredths. Exits 0 once the
// line is written, whatever the command's status; 127 when it could not be measured.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

#include "platform/unique_fd.h"

namespace {

constexpr int kCannotRun = 127;

double seconds(const timeval& value) {
  return static_cast<double>(value.tv_sec) + static_cast<double>(value.tv_usec) / 1e6;
}

int status_of(int wait_status) {
  if (WIFEXITED(wait_status)) return WEXITSTATUS(wait_status);
  if (WIFSIGNALED(wait_status)) return 128 + WTERMSIG(wait_status);
  return kCannotRun;
}

// In the child: output to /dev/null, then the command. Never returns.
[[noreturn]] void run_command(char** command) {
  const ff::UniqueFd null(::open("/dev/null", O_WRONLY | O_CLOEXEC));
  if (!null.valid() || ::dup2(null.get(), STDOUT_FILENO) < 0 ||
      ::dup2(null.get(), STDERR_FILENO) < 0) {
    ::_exit(kCannotRun);
  }
  ::execvp(command[0], command);
  ::_exit(kCannotRun);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: ff-bench-measure COMMAND [ARGS...]\n");
    return 2;
  }
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child < 0) {
    std::perror("ff-bench-measure: fork");
    return kCannotRun;
  }
  if (child == 0) run_command(argv + 1);
  int wait_status = 0;
  rusage usage{};
  if (::wait4(child, &wait_status, 0, &usage) != child) {
    std::perror("ff-bench-measure: wait4");
    return kCannotRun;
  }
  const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - start;
  std::printf("%.6f %.6f %.6f %ld %d\n", wall.count(), seconds(usage.ru_utime),
              seconds(usage.ru_stime), usage.ru_maxrss, status_of(wait_status));
  return 0;
}
