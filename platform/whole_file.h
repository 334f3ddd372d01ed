#pragma once
// Writing a whole file so that a failure never leaves a torn or truncated file behind.

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "platform/ending_signal_cleanup.h"
#include "platform/unique_fd.h"
#include "text/types.h"

namespace ff {

struct FileWriteResult {
  bool ok = false;
  std::string reason;  // why the write failed, e.g. "No such file or directory"; ASCII
};

// The new content of the file at `path` (GBK; converted to the locale's file-name
// encoding), written piece by piece into a temporary file in the same folder and put in
// the target's place only by commit(): flushed to disk and then renamed over the target,
// so the target is either the old file or the complete new one. A new file gets the
// permissions of the umask, a replaced one keeps its own. The temporary file is removed
// when the replacement ends without a commit, and after any failure the target is
// untouched, also when a signal such as SIGINT ends the program meanwhile (see
// RemovedOnEndingSignal). While a long file is written, the data already written is
// sent on to the disk, so that the flush at the commit is short.
class FileReplacement {
 public:
  // Creates the temporary file; see ok() and reason(). An empty path fails.
  explicit FileReplacement(const Text& path);
  ~FileReplacement();
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;

  // False once any step has failed; nothing more is written then.
  [[nodiscard]] bool ok() const { return reason_.empty(); }
  [[nodiscard]] const std::string& reason() const { return reason_; }
  // Bytes written so far.
  [[nodiscard]] std::uint64_t size() const { return size_; }

  bool append(std::span<const std::uint8_t> bytes);
  // Empties the file, to begin again.
  bool restart();
  // Reads back up to `buffer.size()` bytes from `offset`; answers how many (0 at the end
  // or after a failure).
  std::size_t read(std::uint64_t offset, std::span<std::uint8_t> buffer) const;
  // Flushes the file to disk and renames it over the target. Answers the outcome; the
  // replacement is spent afterwards.
  FileWriteResult commit();

 private:
  bool fail(int error);
  void start_writeback();

  std::string target_;
  std::string folder_;
  std::string temporary_;  // empty once committed or never created
  std::unique_ptr<RemovedOnEndingSignal> removed_on_signal_;
  UniqueFd fd_;
  std::string reason_;
  std::uint64_t size_ = 0;
  std::uint64_t sent_to_disk_ = 0;  // bytes whose write-back has been started
};

// Writes `bytes` as the whole content of the file at `path` through a FileReplacement.
// Empty `bytes` give an empty file.
FileWriteResult write_whole_file(const Text& path, const Bytes& bytes);

}  // namespace ff
