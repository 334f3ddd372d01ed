#pragma once
// The reporting side of the transfer observer: one TransferReporter per transfer
// passes its progress to the calling thread's observer, at most about ten times a
// second, and once more with `finished` set when the transfer ends.

#include <chrono>
#include <cstdint>
#include <optional>

#include "platform/transfer_progress.h"

namespace ff {

class TransferReporter {
 public:
  TransferReporter();

  // Reports when the last report is older than the reporting interval.
  void update(std::uint64_t received, std::optional<std::uint64_t> total) noexcept;
  // The last report of the transfer; always sent to an installed observer.
  void finish(std::uint64_t received, std::optional<std::uint64_t> total) noexcept;

 private:
  void report(std::uint64_t received, std::optional<std::uint64_t> total,
              bool finished) noexcept;

  std::chrono::steady_clock::time_point start_;
  std::optional<std::chrono::steady_clock::time_point> last_report_;
};

}  // namespace ff
