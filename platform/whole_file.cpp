#include "platform/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/locale_encoding.h"
#include "platform/unique_fd.h"

namespace ff {
namespace {

constexpr std::string_view kTemporarySuffix = ".XXXXXX";

FileWriteResult failed(int error) { return {false, std::strerror(error)}; }

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

// A temporary file removed when its owner goes, unless it was kept.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!kept_) ::unlink(path_.c_str());
  }
  [[nodiscard]] const std::string& path() const { return path_; }
  void keep() { kept_ = true; }

 private:
  std::string path_;
  bool kept_ = false;
};

bool write_all(int fd, const Bytes& bytes) {
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

FileWriteResult write_whole_file(const Text& path, const Bytes& bytes) {
  if (path.empty()) return {false, "empty path"};
  const std::string target = gbk_to_locale(path.view());
  const std::string folder = folder_of(target);
  std::string pattern = folder + "/." + name_of(target) + std::string(kTemporarySuffix);
  UniqueFd fd(::mkostemp(pattern.data(), O_CLOEXEC));
  if (!fd.valid()) return failed(errno);
  TemporaryFile temporary(pattern);
  if (::fchmod(fd.get(), permissions_for(target)) != 0) return failed(errno);
  if (!write_all(fd.get(), bytes)) return failed(errno);
  if (::fsync(fd.get()) != 0) return failed(errno);
  if (!fd.close()) return failed(errno);
  if (::rename(temporary.path().c_str(), target.c_str()) != 0) return failed(errno);
  temporary.keep();
  sync_folder(folder);
  return {true, {}};
}

}  // namespace ff
