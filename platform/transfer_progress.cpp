#include "platform/transfer_progress.h"

#include "platform/transfer_reporter.h"

namespace ff {
namespace {

constexpr auto kReportInterval = std::chrono::milliseconds(100);

thread_local TransferObserver current_observer;

}  // namespace

TransferObserver set_transfer_observer(TransferObserver observer) {
  TransferObserver previous = std::move(current_observer);
  current_observer = std::move(observer);
  return previous;
}

TransferReporter::TransferReporter() : start_(std::chrono::steady_clock::now()) {}

void TransferReporter::update(std::uint64_t received,
                              std::optional<std::uint64_t> total) noexcept {
  const auto now = std::chrono::steady_clock::now();
  if (last_report_ && now - *last_report_ < kReportInterval) return;
  report(received, total, false);
}

void TransferReporter::finish(std::uint64_t received,
                              std::optional<std::uint64_t> total) noexcept {
  report(received, total, true);
}

// An observer's failure must not end the transfer it watches (this runs inside
// libcurl's callbacks), so whatever it throws is dropped here.
void TransferReporter::report(std::uint64_t received, std::optional<std::uint64_t> total,
                              bool finished) noexcept {
  const auto now = std::chrono::steady_clock::now();
  last_report_ = now;
  if (!current_observer) return;
  TransferProgress progress;
  progress.received = received;
  progress.total = total;
  progress.elapsed = now - start_;
  progress.finished = finished;
  try {
    current_observer(progress);
  } catch (...) {
  }
}

}  // namespace ff
