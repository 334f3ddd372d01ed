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
    body_->reserve(static_cast<std::size_t>(std::min(announced_length, kMaxBodyReservation)));
    advise_huge_pages(*body_);
  } catch (const std::exception&) {
  }
}

void ResponseReader::add_body(std::string_view bytes) {
  body_->insert(body_->end(), bytes.begin(), bytes.end());
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
