#include "platform/http_response_reader.h"

#include <sys/mman.h>

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <exception>

namespace ff {
namespace {

// Filling a large buffer page by page costs one fault every 4 KiB; with transparent
// huge pages asked for, the aligned inside of the buffer costs one every 2 MiB.
void advise_huge_pages(const std::vector<std::uint8_t>& buffer) noexcept {
  constexpr std::uintptr_t kHugePage = std::uintptr_t{2} << 20;
  const auto begin = reinterpret_cast<std::uintptr_t>(buffer.data());
  const std::uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const std::uintptr_t last = (begin + buffer.capacity()) & ~(kHugePage - 1);
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

std::string_view without_line_end(std::string_view line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  return line;
}

}  // namespace

ResponseReader::ResponseReader() : body_(std::make_shared<std::vector<std::uint8_t>>()) {}

bool ResponseReader::add_header_line(std::string_view line) {
  header_bytes_ += line.size();
  if (header_bytes_ > kMaxHeaderBytes) return false;
  line = without_line_end(line);
  if (line.starts_with("HTTP/")) {
    start_answer(line);
  } else if (line.empty()) {
    headers_complete_ = status_ != 0;
  } else {
    header_lines_.emplace_back(line);  // a header, or a trailer after a chunked body
  }
  return true;
}

// "HTTP/1.1 404 Not Found": status 404, reason "Not Found". "HTTP/2 200 " (as libcurl
// writes an HTTP/2 answer): status 200, no reason.
void ResponseReader::start_answer(std::string_view status_line) {
  header_lines_.clear();
  headers_complete_ = false;
  reserved_ = false;
  body_->clear();
  body_received_ = 0;
  restart_spool();
  status_ = 0;
  reason_.clear();
  const std::size_t code_start = status_line.find(' ');
  if (code_start == std::string_view::npos) return;
  const std::string_view rest = status_line.substr(code_start + 1);
  const std::size_t code_end = std::min(rest.find(' '), rest.size());
  std::from_chars(rest.data(), rest.data() + code_end, status_);
  if (code_end < rest.size()) reason_ = rest.substr(code_end + 1);
}

void ResponseReader::reserve_body(std::uint64_t announced_length) noexcept {
  if (reserved_) return;
  reserved_ = true;
  try {
    // With a spool, no more than the head stays in memory.
    const std::uint64_t most = spool_ ? std::uint64_t{spool_->hold_limit()} : kMaxBodyReservation;
    body_->reserve(static_cast<std::size_t>(std::min(announced_length, most)));
    advise_huge_pages(*body_);
  } catch (const std::exception&) {
  }
}

bool ResponseReader::add_body(std::string_view bytes) {
  body_received_ += bytes.size();
  const std::span piece(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  if (spooling_) return spool_->add(piece);
  body_->insert(body_->end(), piece.begin(), piece.end());
  if (spool_ && !spool_declined_ && body_->size() > spool_->hold_limit()) {
    spooling_ = spool_->begin(*body_);
    spool_declined_ = !spooling_;
  }
  return true;
}

void ResponseReader::restart_spool() {
  if (spooling_) spool_->restart();
  spooling_ = false;
  spool_declined_ = false;
}

HttpAnswer ResponseReader::take_answer() {
  HttpAnswer answer;
  answer.status = status_;
  answer.reason = std::move(reason_);
  for (const std::string& line : header_lines_) {
    answer.header_block += line;
    answer.header_block += "\r\n";
  }
  answer.header_block += "\r\n";
  answer.body = std::move(body_);
  return answer;
}

}  // namespace ff
