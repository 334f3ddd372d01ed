#pragma once
// An attempt's answer, written straight to the file it would be saved as once it is
// long, so a large font is neither held whole in memory nor written out a second time.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/body_spool.h"
#include "platform/queued_file.h"
#include "text/types.h"

namespace ff {

class AnswerSpool final : public BodySpool {
 public:
  // Answers up to this long stay in memory only; waiting pages and error answers are
  // far shorter.
  static constexpr std::size_t kHoldLimit = std::size_t{1} << 20;

  // `path` is where the answer is saved; nothing is created there before an answer
  // outgrows the hold limit.
  explicit AnswerSpool(Text path);

  [[nodiscard]] std::size_t hold_limit() const override { return kHoldLimit; }
  // Starts a new temporary file beside the target; when that cannot be made, the answer
  // stays in memory and saving it reports why.
  bool begin(std::span<const std::uint8_t> held) override;
  bool add(std::span<const std::uint8_t> bytes) override;
  void restart() override;

  [[nodiscard]] const Text& path() const { return path_; }
  // True when the answer went to the file.
  [[nodiscard]] bool spooled() const { return file_ != nullptr; }
  // Waits until all the spool took is in the file; false when writing failed (the
  // exchange is abandoned as soon as that is seen), and failure() says why.
  bool written();
  [[nodiscard]] const std::string& failure() const { return failure_; }

  // The answer as text, up to its first zero byte; `head` is what the exchange kept in
  // memory (empty when the exchange broke off). A spooled answer is read back from its
  // file when its head holds no zero byte.
  [[nodiscard]] Text answer_text(const Bytes& head) const;
  // Puts the spooled answer in the target's place.
  FileWriteResult commit();

 private:
  Text path_;
  std::unique_ptr<QueuedFileWriter> file_;  // written on a thread of its own
  std::string failure_;
};

}  // namespace ff
