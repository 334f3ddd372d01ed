#include "tests/hostile/program_child.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <thread>

namespace ff::testing {
namespace {

std::vector<char*> pointers_to(std::vector<std::string>& texts) {
  std::vector<char*> pointers;
  for (std::string& text : texts) pointers.push_back(text.data());
  pointers.push_back(nullptr);
  return pointers;
}

std::chrono::milliseconds left_until(Clock::time_point deadline) {
  return std::max(std::chrono::milliseconds(0),
                  std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()));
}

}  // namespace

ProgramChild::ProgramChild(const std::string& program, const std::vector<std::string>& environment) {
  int to_child[2];
  int from_child[2];
  if (::pipe2(to_child, O_CLOEXEC) != 0 || ::pipe2(from_child, O_CLOEXEC) != 0) {
    throw std::runtime_error("no pipes for the child");
  }
  std::vector<std::string> arguments = {program};
  std::vector<std::string> variables = environment;
  std::vector<char*> argv = pointers_to(arguments);
  std::vector<char*> envp = pointers_to(variables);
  pid_ = ::fork();
  if (pid_ == 0) {
    ::dup2(to_child[0], STDIN_FILENO);
    ::dup2(from_child[1], STDOUT_FILENO);
    ::dup2(from_child[1], STDERR_FILENO);
    ::execve(program.c_str(), argv.data(), envp.data());
    ::_exit(127);
  }
  ::close(to_child[0]);
  ::close(from_child[1]);
  input_ = UniqueFd(to_child[1]);
  output_fd_ = UniqueFd(from_child[0]);
  if (pid_ < 0) throw std::runtime_error("cannot start the child");
}

ProgramChild::~ProgramChild() {
  if (pid_ > 0 && !reaped_) {
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, nullptr, 0);
  }
}

void ProgramChild::send_line(std::string_view line) {
  const std::string bytes = std::string(line) + "\n";
  // The child may have gone; a write to a closed pipe must not end the test.
  ::signal(SIGPIPE, SIG_IGN);
  (void)!::write(input_.get(), bytes.data(), bytes.size());
}

void ProgramChild::close_input() { input_ = UniqueFd(); }

bool ProgramChild::read_some(std::chrono::milliseconds wait) {
  if (!output_fd_.valid()) return false;
  pollfd fd{output_fd_.get(), POLLIN, 0};
  const int ready = ::poll(&fd, 1, static_cast<int>(wait.count()));
  if (ready <= 0) return ready == 0 || errno == EINTR;
  char buffer[65536];
  const ssize_t n = ::read(output_fd_.get(), buffer, sizeof buffer);
  if (n <= 0) {
    output_fd_ = UniqueFd();
    return false;
  }
  output_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

int ProgramChild::wait_for_any(std::initializer_list<std::string_view> texts, std::size_t from,
                               std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  for (;;) {
    int first = -1;
    std::size_t first_at = std::string::npos;
    int index = 0;
    for (const std::string_view text : texts) {
      const std::size_t at = from <= output_.size() ? output_.find(text, from) : std::string::npos;
      if (at < first_at) {
        first_at = at;
        first = index;
      }
      ++index;
    }
    if (first != -1) return first;
    if (Clock::now() >= deadline || !read_some(std::min(left_until(deadline),
                                                        std::chrono::milliseconds(100)))) {
      if (!output_fd_.valid() || Clock::now() >= deadline) return -1;
    }
  }
}

void ProgramChild::kill(int signal) const { ::kill(pid_, signal); }

ChildEnd ProgramChild::wait(std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  ChildEnd end;
  int status = 0;
  rusage usage{};
  for (;;) {
    const pid_t done = ::wait4(pid_, &status, WNOHANG, &usage);
    if (done == pid_) break;
    if (Clock::now() >= deadline) {
      ::kill(pid_, SIGKILL);
      ::wait4(pid_, &status, 0, &usage);
      end.peak_kib = usage.ru_maxrss;
      reaped_ = true;
      return end;  // neither exited nor signalled by anyone but us
    }
    if (!read_some(std::chrono::milliseconds(20))) {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  reaped_ = true;
  while (read_some(std::chrono::milliseconds(0))) {
  }
  end.exited = WIFEXITED(status);
  end.exit_status = end.exited ? WEXITSTATUS(status) : -1;
  end.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
  end.peak_kib = usage.ru_maxrss;
  return end;
}

}  // namespace ff::testing
