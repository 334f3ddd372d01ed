#include "console/testing/program_run.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace ff::testing {
namespace {

using Clock = std::chrono::steady_clock;

// The program's argument and environment vectors, made before fork: the child of a
// process with threads may only make async-signal-safe calls until it executes.
class ProgramImage {
 public:
  ProgramImage(const std::vector<std::string>& arguments, std::vector<std::string> environment)
      : arguments_(arguments), environment_(std::move(environment)) {
    arguments_.insert(arguments_.begin(), FONT_FETCH_PROGRAM);
    argv_ = pointers(arguments_);
    envp_ = pointers(environment_);
  }
  [[noreturn]] void exec() const {
    ::execve(FONT_FETCH_PROGRAM, argv_.data(), envp_.data());
    ::_exit(127);
  }

 private:
  static std::vector<char*> pointers(std::vector<std::string>& texts) {
    std::vector<char*> all;
    for (auto& text : texts) all.push_back(text.data());
    all.push_back(nullptr);
    return all;
  }
  std::vector<std::string> arguments_;
  std::vector<std::string> environment_;
  std::vector<char*> argv_;
  std::vector<char*> envp_;
};

struct Pipe {
  Pipe() {
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    read_end = UniqueFd(ends[0]);
    write_end = UniqueFd(ends[1]);
  }
  UniqueFd read_end;
  UniqueFd write_end;
};

// The exit status of a child that has ended, or -1 when it did not exit normally.
int exit_status(pid_t child) {
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// Reads both outputs until they close or the deadline passes (then the child is killed).
void collect(pid_t child, int out_fd, int err_fd, ProgramResult& result, Clock::time_point deadline) {
  pollfd fds[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
  std::string* targets[2] = {&result.out, &result.err};
  int open_count = 2;
  while (open_count > 0) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0 || ::poll(fds, 2, static_cast<int>(left.count())) == 0) {
      ::kill(child, SIGKILL);
      return;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t got = ::read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        targets[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        fds[i].fd = -1;
        --open_count;
      }
    }
  }
}

}  // namespace

ProgramResult run_program(const std::vector<std::string>& arguments,
                          const std::vector<std::string>& environment, const std::string& input,
                          std::chrono::seconds limit) {
  const ProgramImage image(arguments, environment);
  Pipe in, out, err;
  const pid_t child = ::fork();
  if (child == 0) {
    ::dup2(in.read_end.get(), STDIN_FILENO);
    ::dup2(out.write_end.get(), STDOUT_FILENO);
    ::dup2(err.write_end.get(), STDERR_FILENO);
    image.exec();
  }
  in.read_end = UniqueFd();
  out.write_end = UniqueFd();
  err.write_end = UniqueFd();
  // The input of these tests fits into the pipe, so writing it first cannot block.
  if (::write(in.write_end.get(), input.data(), input.size()) != static_cast<ssize_t>(input.size())) {
    throw std::runtime_error("the program's input did not fit into the pipe");
  }
  in.write_end = UniqueFd();
  ProgramResult result;
  collect(child, out.read_end.get(), err.read_end.get(), result, Clock::now() + limit);
  result.exit_code = exit_status(child);
  return result;
}

TerminalRun::TerminalRun(const std::vector<std::string>& environment) {
  const ProgramImage image({}, environment);
  int terminal = -1;
  child_ = ::forkpty(&terminal, nullptr, nullptr, nullptr);
  if (child_ == 0) image.exec();
  if (child_ < 0) throw std::runtime_error("forkpty failed");
  terminal_ = UniqueFd(terminal);
}

TerminalRun::~TerminalRun() {
  if (child_ > 0) {
    ::kill(child_, SIGKILL);
    exit_status(child_);
  }
}

bool TerminalRun::read_some(std::chrono::milliseconds wait) {
  pollfd fd{terminal_.get(), POLLIN, 0};
  if (::poll(&fd, 1, static_cast<int>(wait.count())) <= 0) return false;
  char buffer[4096];
  const ssize_t got = ::read(terminal_.get(), buffer, sizeof buffer);
  if (got <= 0) return false;  // EIO once the program has ended
  screen_.append(buffer, static_cast<std::size_t>(got));
  return true;
}

bool TerminalRun::wait_for(const std::string& text, std::chrono::seconds limit) {
  const auto deadline = Clock::now() + limit;
  while (screen_.find(text) == std::string::npos) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return false;
    read_some(std::min(left, std::chrono::milliseconds(100)));
  }
  return true;
}

void TerminalRun::type(const std::string& keys) {
  if (::write(terminal_.get(), keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) {
    throw std::runtime_error("typing at the terminal failed");
  }
}

int TerminalRun::wait_for_exit(std::chrono::seconds limit) {
  const auto deadline = Clock::now() + limit;
  while (Clock::now() < deadline) {
    read_some(std::chrono::milliseconds(50));
    int status = 0;
    const pid_t done = ::waitpid(child_, &status, WNOHANG);
    if (done == child_) {
      child_ = -1;
      while (read_some(std::chrono::milliseconds(50))) {
      }
      return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
  }
  return -1;
}

bool TerminalRun::echoing() const {
  termios settings{};
  return ::tcgetattr(terminal_.get(), &settings) == 0 && (settings.c_lflag & ECHO) != 0;
}

}  // namespace ff::testing
