#include "platform/ending_signal_cleanup.h"

#include <signal.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <mutex>
#include <utility>

#include "platform/ending_signals.h"

namespace ff {
namespace {

// Read by the signal handler: only lock-free atomics.
std::array<std::atomic<const char*>, RemovedOnEndingSignal::kMaxFiles> registered{};

// Registration and the handlers' installation, outside any signal handler.
std::mutex registration;
int files_registered = 0;
std::array<bool, kEndingSignals.size()> handler_installed{};

void remove_files_then_end(int signal_number) {
  for (auto& file : registered) {
    if (const char* path = file.load()) ::unlink(path);
  }
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);  // delivered with the default action once this returns
}

void install_handlers() {
  struct sigaction action {};
  action.sa_handler = remove_files_then_end;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    struct sigaction current {};
    ::sigaction(kEndingSignals[i], nullptr, &current);
    handler_installed[i] = current.sa_handler == SIG_DFL &&
                           ::sigaction(kEndingSignals[i], &action, nullptr) == 0;
  }
}

void remove_handlers() {
  for (std::size_t i = 0; i < kEndingSignals.size(); ++i) {
    if (!std::exchange(handler_installed[i], false)) continue;
    struct sigaction current {};
    ::sigaction(kEndingSignals[i], nullptr, &current);
    // Someone may have put a handler of their own in its place since: leave theirs.
    if (current.sa_handler == remove_files_then_end) ::signal(kEndingSignals[i], SIG_DFL);
  }
}

}  // namespace

RemovedOnEndingSignal::RemovedOnEndingSignal(std::string path) : path_(std::move(path)) {
  const std::lock_guard lock(registration);
  for (int i = 0; i < kMaxFiles; ++i) {
    if (registered[i].load() != nullptr) continue;
    slot_ = i;
    registered[i].store(path_.c_str());
    if (files_registered++ == 0) install_handlers();
    return;
  }
}

RemovedOnEndingSignal::~RemovedOnEndingSignal() {
  if (slot_ < 0) return;
  const std::lock_guard lock(registration);
  registered[slot_].store(nullptr);
  if (--files_registered == 0) remove_handlers();
}

}  // namespace ff
