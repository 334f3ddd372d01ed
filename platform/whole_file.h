#pragma once
// Writing a whole file so that a failure never leaves a torn or truncated file behind.

#include <string>

#include "text/types.h"

namespace ff {

struct FileWriteResult {
  bool ok = false;
  std::string reason;  // why the write failed, e.g. "No such file or directory"; ASCII
};

// Writes `bytes` as the whole content of the file at `path` (GBK; converted to the
// locale's file-name encoding), creating it or replacing it. The bytes go to a new
// temporary file in the same folder, which is flushed to disk and then renamed over the
// target, so the target is either the old file or the complete new one. A new file
// gets the permissions of the umask, a replaced one keeps its own. On failure the
// temporary file is removed and the target is untouched. Empty `bytes` give an empty
// file; an empty path fails.
FileWriteResult write_whole_file(const Text& path, const Bytes& bytes);

}  // namespace ff
