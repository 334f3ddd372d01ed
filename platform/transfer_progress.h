#pragma once
// Progress of the HTTP transfers running on the calling thread, for a progress display.

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

namespace ff {

struct TransferProgress {
  std::uint64_t received = 0;                 // body bytes so far
  std::optional<std::uint64_t> total;         // from Content-Length, when known
  std::chrono::steady_clock::duration elapsed{};
  bool finished = false;                      // the last report of a transfer
};

using TransferObserver = std::function<void(const TransferProgress&)>;

// Installs `observer` for transfers on the calling thread (an empty one removes it)
// and answers the previous one. Reports come a few times a second while a transfer
// runs, and once more with `finished` set when it ends.
TransferObserver set_transfer_observer(TransferObserver observer);

}  // namespace ff
