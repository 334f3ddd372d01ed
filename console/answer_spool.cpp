#include "console/answer_spool.h"

#include <algorithm>
#include <array>
#include <string>

#include "text/primitives.h"

namespace ff {

AnswerSpool::AnswerSpool(Text path) : path_(std::move(path)) {}

bool AnswerSpool::begin(std::span<const std::uint8_t> held) {
  auto file = std::make_unique<QueuedFileWriter>(path_);
  if (!file->ok()) return false;
  file_ = std::move(file);
  return add(held);
}

bool AnswerSpool::add(std::span<const std::uint8_t> bytes) {
  if (file_->append(bytes)) return true;
  failure_ = file_->reason();
  return false;
}

bool AnswerSpool::written() {
  if (failure_.empty() && file_ && !file_->flush()) failure_ = file_->reason();
  return failure_.empty();
}

void AnswerSpool::restart() {
  file_.reset();
  failure_.clear();
}

Text AnswerSpool::answer_text(const Bytes& head) const {
  // An exchange that broke off answers no head: what reached the file is no answer.
  if (!spooled() || head.empty() || std::ranges::find(head, std::uint8_t{0}) != head.end()) {
    return bytes_to_text(head);
  }
  std::string text;
  std::array<std::uint8_t, 1 << 16> buffer{};
  for (;;) {
    const std::size_t got = file_->read(text.size(), buffer);
    const auto piece = std::span(buffer).first(got);
    const auto zero = std::ranges::find(piece, std::uint8_t{0});
    text.append(piece.begin(), zero);
    if (got == 0 || zero != piece.end()) break;
  }
  return Text(std::move(text));
}

FileWriteResult AnswerSpool::commit() {
  if (!file_) return {false, "nothing to save"};
  return file_->commit();
}

}  // namespace ff
