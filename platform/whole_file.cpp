#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/locale_encoding.h"

namespace ff {
namespace {

constexpr std::string_view kTemporarySuffix = ".XXXXXX";
// Write-back of a file being written is started each time this much more has been
// written, so the disk works while the rest is still arriving.
constexpr std::uint64_t kWritebackStep = std::uint64_t{8} << 20;

// The folder part of a path ("." for a bare name) and the name after it.
std::string folder_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string name_of(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The permissions the file gets: the replaced file's own, else 0666 less the umask.
mode_t permissions_for(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) return info.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

bool write_all(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Makes the rename itself durable; a folder that cannot be synced changes nothing of
// the file's content, so its failure is not reported.
void sync_folder(const std::string& folder) {
  UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.valid()) ::fsync(fd.get());
}

}  // namespace

FileReplacement::FileReplacement(const Text& path) {
  if (path.empty()) {
    reason_ = "empty path";
    return;
  }
  target_ = gbk_to_locale(path.view());
  folder_ = folder_of(target_);
  std::string pattern = folder_ + "/." + name_of(target_) + std::string(kTemporarySuffix);
  fd_ = UniqueFd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (!fd_.valid()) {
    fail(errno);
    return;
  }
  temporary_ = std::move(pattern);
  removed_on_signal_ = std::make_unique<RemovedOnEndingSignal>(temporary_);
  if (::fchmod(fd_.get(), permissions_for(target_)) != 0) fail(errno);
}

FileReplacement::~FileReplacement() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

bool FileReplacement::fail(int error) {
  if (reason_.empty()) reason_ = std::strerror(error);
  return false;
}

bool FileReplacement::append(std::span<const std::uint8_t> bytes) {
  if (!ok()) return false;
  if (!write_all(fd_.get(), bytes)) return fail(errno);
  size_ += bytes.size();
  if (size_ - sent_to_disk_ >= kWritebackStep) start_writeback();
  return true;
}

// Asks the kernel to begin writing what has been written so far, without waiting for it.
// Only a hint: where it is not supported, the flush at the commit does all the work.
void FileReplacement::start_writeback() {
  ::sync_file_range(fd_.get(), static_cast<off_t>(sent_to_disk_),
                    static_cast<off_t>(size_ - sent_to_disk_), SYNC_FILE_RANGE_WRITE);
  sent_to_disk_ = size_;
}

bool FileReplacement::restart() {
  if (!ok()) return false;
  if (::ftruncate(fd_.get(), 0) != 0 || ::lseek(fd_.get(), 0, SEEK_SET) != 0) return fail(errno);
  size_ = 0;
  sent_to_disk_ = 0;
  return true;
}

std::size_t FileReplacement::read(std::uint64_t offset, std::span<std::uint8_t> buffer) const {
  if (!ok()) return 0;
  for (;;) {
    const ssize_t n = ::pread(fd_.get(), buffer.data(), buffer.size(), static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    return n < 0 ? 0 : static_cast<std::size_t>(n);
  }
}

FileWriteResult FileReplacement::commit() {
  if (ok() && temporary_.empty()) fail(EBADF);  // committed before
  if (ok() && ::fsync(fd_.get()) != 0) fail(errno);
  if (ok() && !fd_.close()) fail(errno);
  if (ok() && ::rename(temporary_.c_str(), target_.c_str()) != 0) fail(errno);
  if (!ok()) return {false, reason_};
  temporary_.clear();
  removed_on_signal_.reset();
  sync_folder(folder_);
  return {true, {}};
}

FileWriteResult write_whole_file(const Text& path, const Bytes& bytes) {
  FileReplacement file(path);
  file.append(bytes);
  return file.commit();
}

}  // namespace ff
