#include "console/progress_display.h"

#include <array>
#include <cstdio>

#include "console/messages.h"
#include "platform/console_io.h"
#include "text/primitives.h"

namespace ff {
namespace {

constexpr std::string_view kLineStart = "\r";
constexpr std::string_view kEraseToLineEnd = "\x1b[K";

// "512 B", "1.5 KB", "3.0 MB", "1.2 GB".
Text amount_text(double bytes) {
  static constexpr std::array<const char*, 3> kUnits = {"KB", "MB", "GB"};
  if (bytes < 1024) return Text(std::to_string(static_cast<long long>(bytes)) + " B");
  std::size_t unit = 0;
  bytes /= 1024;
  while (bytes >= 1024 && unit + 1 < kUnits.size()) {
    bytes /= 1024;
    ++unit;
  }
  char text[32];
  std::snprintf(text, sizeof text, "%.1f %s", bytes, kUnits[unit]);
  return Text(text);
}

}  // namespace

Text progress_line(const TransferProgress& progress) {
  Text line = concat_text(messages::progress_received, amount_text(static_cast<double>(progress.received)));
  if (progress.total) line += concat_text(" / ", amount_text(static_cast<double>(*progress.total)));
  const double seconds = std::chrono::duration<double>(progress.elapsed).count();
  if (seconds > 0) {
    line += concat_text(messages::progress_rate,
                        amount_text(static_cast<double>(progress.received) / seconds), "/s");
  }
  return line;
}

ProgressDisplay::ProgressDisplay(Writer writer) : writer_(std::move(writer)) {
  if (!writer_) return;
  previous_ = set_transfer_observer([this](const TransferProgress& progress) { show(progress); });
}

ProgressDisplay ProgressDisplay::on_standard_error() {
  if (!is_terminal(STDERR_FILENO)) return ProgressDisplay(nullptr);
  return ProgressDisplay([](std::string_view text) { write_stderr(text); });
}

ProgressDisplay::~ProgressDisplay() {
  if (writer_) set_transfer_observer(std::move(previous_));
}

void ProgressDisplay::show(const TransferProgress& progress) {
  if (progress.finished) {
    if (shown_) writer_(concat_text(kLineStart, kEraseToLineEnd));
    shown_ = false;
    return;
  }
  if (progress.elapsed < kProgressDelay) return;
  writer_(concat_text(kLineStart, progress_line(progress), kEraseToLineEnd));
  shown_ = true;
}

}  // namespace ff
