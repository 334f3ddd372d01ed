#pragma once
// A FileReplacement written on a thread of its own, so that whoever produces the bytes
// (a download) goes on while the file system copies and allocates.

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "platform/whole_file.h"
#include "text/types.h"

namespace ff {

class QueuedFileWriter {
 public:
  // Bytes are gathered in blocks of this size; at most kBlocksQueued wait for the disk
  // side, after which append() waits for it. Small blocks are still in the processor's
  // cache when the thread copies them to the file: measured on a 64 MiB download, 4 MiB
  // blocks were slower and uneven (one run in three took twice as long, most of it in
  // that copy), 1 MiB blocks steady.
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
  static constexpr std::size_t kBlocksQueued = 4;

  // Creates the temporary file beside `path` (see FileReplacement) and starts the thread.
  explicit QueuedFileWriter(const Text& path);
  // Stops the thread; the replacement is dropped unless it was committed.
  ~QueuedFileWriter();
  QueuedFileWriter(const QueuedFileWriter&) = delete;
  QueuedFileWriter& operator=(const QueuedFileWriter&) = delete;

  // False once the file could not be made or a write failed; reason() says why.
  [[nodiscard]] bool ok() const;
  [[nodiscard]] std::string reason() const;

  // Queues a copy of `bytes`; false once a write has failed.
  bool append(std::span<const std::uint8_t> bytes);
  // Waits until everything appended is written; answers ok().
  bool flush();
  // Empties the file, to begin again.
  bool restart();
  // Reads back what was appended (all of it written first); see FileReplacement::read.
  std::size_t read(std::uint64_t offset, std::span<std::uint8_t> buffer);
  // Writes what is queued, then commits the file.
  FileWriteResult commit();

 private:
  void run();
  // Hands the block being filled to the thread and waits until everything is written.
  void drain();
  void queue_current(std::unique_lock<std::mutex>& lock);

  FileReplacement file_;
  const bool created_;           // the temporary file was made (and the thread started)
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  std::deque<Bytes> queued_;     // full blocks, oldest first
  std::vector<Bytes> spare_;     // written blocks kept for reuse
  Bytes current_;                // the block being filled
  bool writing_ = false;         // the thread holds a block
  bool stopping_ = false;
  std::string failure_;          // the first write failure
  std::thread thread_;
};

}  // namespace ff
