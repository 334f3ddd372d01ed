#include "platform/queued_file.h"

#include <algorithm>
#include <utility>

namespace ff {

QueuedFileWriter::QueuedFileWriter(const Text& path) : file_(path), created_(file_.ok()) {
  if (created_) thread_ = std::thread([this] { run(); });
}

QueuedFileWriter::~QueuedFileWriter() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  if (thread_.joinable()) thread_.join();
}

bool QueuedFileWriter::ok() const {
  const std::lock_guard lock(mutex_);
  return created_ && failure_.empty();
}

std::string QueuedFileWriter::reason() const {
  if (!created_) return file_.reason();  // no thread was started
  const std::lock_guard lock(mutex_);
  return failure_;
}

void QueuedFileWriter::run() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return stopping_ || !queued_.empty(); });
    if (stopping_) return;  // a replacement dropped without a commit: nothing more to write
    Bytes block = std::move(queued_.front());
    queued_.pop_front();
    writing_ = true;
    lock.unlock();
    // Between drains only this thread touches the file, so the write needs no lock.
    const bool written = file_.append(block);
    lock.lock();
    if (!written && failure_.empty()) failure_ = file_.reason();
    block.clear();
    spare_.push_back(std::move(block));
    writing_ = false;
    changed_.notify_all();
  }
}

void QueuedFileWriter::queue_current(std::unique_lock<std::mutex>& lock) {
  changed_.wait(lock, [&] { return queued_.size() < kBlocksQueued || !failure_.empty(); });
  queued_.push_back(std::move(current_));
  current_ = Bytes();
  if (!spare_.empty()) {
    current_ = std::move(spare_.back());
    spare_.pop_back();
  }
  changed_.notify_all();
}

// The block being filled belongs to the caller's thread alone: the copy needs no lock.
bool QueuedFileWriter::append(std::span<const std::uint8_t> bytes) {
  if (!ok()) return false;
  while (!bytes.empty()) {
    if (current_.capacity() < kBlockSize) current_.reserve(kBlockSize);
    const std::size_t taken = std::min(kBlockSize - current_.size(), bytes.size());
    current_.insert(current_.end(), bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(taken));
    bytes = bytes.subspan(taken);
    if (current_.size() == kBlockSize) {
      std::unique_lock lock(mutex_);
      queue_current(lock);
    }
  }
  return ok();
}

void QueuedFileWriter::drain() {
  std::unique_lock lock(mutex_);
  if (!current_.empty()) queue_current(lock);
  changed_.wait(lock, [&] { return (queued_.empty() && !writing_) || !thread_.joinable(); });
}

bool QueuedFileWriter::flush() {
  drain();
  return ok();
}

// After a drain the thread waits for the next block, so the file is the caller's.
bool QueuedFileWriter::restart() {
  drain();
  return ok() && file_.restart();
}

std::size_t QueuedFileWriter::read(std::uint64_t offset, std::span<std::uint8_t> buffer) {
  drain();
  return file_.read(offset, buffer);
}

FileWriteResult QueuedFileWriter::commit() {
  drain();
  if (!ok()) return {false, reason()};
  return file_.commit();
}

}  // namespace ff
