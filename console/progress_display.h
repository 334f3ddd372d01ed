#pragma once
// A one-line display of a running download's progress, e.g.
// "已接收 1.5 MB / 3.0 MB，速度 512.0 KB/s", shown once a transfer has run for half a
// second and erased when it ends.

#include <chrono>
#include <functional>
#include <string_view>

#include "platform/transfer_progress.h"
#include "text/types.h"

namespace ff {

class ProgressDisplay {
 public:
  using Writer = std::function<void(std::string_view text)>;

  // Watches the transfers of the calling thread while it lives and writes the display
  // through `writer` (GBK text with terminal control sequences); an empty writer shows
  // nothing. The previous observer comes back when the display goes.
  explicit ProgressDisplay(Writer writer);
  // The display on standard error when that is a terminal; nothing otherwise.
  [[nodiscard]] static ProgressDisplay on_standard_error();
  ~ProgressDisplay();
  ProgressDisplay(const ProgressDisplay&) = delete;
  ProgressDisplay& operator=(const ProgressDisplay&) = delete;

 private:
  void show(const TransferProgress& progress);

  Writer writer_;
  TransferObserver previous_;
  bool shown_ = false;
};

inline constexpr std::chrono::milliseconds kProgressDelay{500};

// The display's text for one report: bytes received, the total when known, the rate.
[[nodiscard]] Text progress_line(const TransferProgress& progress);

}  // namespace ff
