#pragma once
// Collects one exchange's answer from the pieces libcurl hands over: header lines and
// body bytes. Every new status line starts a new answer (an interim 1xx answer or a
// redirect that is followed), so what remains at the end is the final answer only.
// With a body spool in use, a long body goes to the spool and the answer keeps its head.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/body_spool.h"

namespace ff {

struct HttpAnswer {
  std::int32_t status = 0;
  std::string reason;        // the reason phrase as sent; empty for HTTP/2
  std::string header_block;  // header lines, each ended by CRLF, then one more CRLF
  std::shared_ptr<std::vector<std::uint8_t>> body;
};

class ResponseReader {
 public:
  // Header bytes of all answers of one exchange together may not exceed this, so a
  // flood of header lines cannot exhaust memory.
  static constexpr std::size_t kMaxHeaderBytes = std::size_t{1} << 20;
  // The largest body reservation made on the word of a Content-Length header.
  static constexpr std::uint64_t kMaxBodyReservation = std::uint64_t{1} << 30;

  ResponseReader();

  // One header line with its line ending, as libcurl delivers it. False when the
  // header bytes exceed kMaxHeaderBytes: the exchange is to be abandoned.
  [[nodiscard]] bool add_header_line(std::string_view line);
  // Reserves room for an announced body length (capped), once per answer. A reservation
  // that cannot be made is skipped: the body then grows as it arrives.
  void reserve_body(std::uint64_t announced_length) noexcept;
  // Sends long bodies to `spool` (null: none) from now on.
  void use_spool(BodySpool* spool) { spool_ = spool; }
  // False when the spool refused the bytes: the exchange is to be abandoned. May throw
  // std::bad_alloc.
  [[nodiscard]] bool add_body(std::string_view bytes);
  // Body bytes of the current answer so far, those the spool took included.
  [[nodiscard]] std::uint64_t body_size() const { return body_received_; }
  // True once a status line and the empty line that ends its headers have arrived.
  [[nodiscard]] bool headers_complete() const { return headers_complete_; }
  [[nodiscard]] std::int32_t status() const { return status_; }

  // The answer collected; the reader is spent afterwards.
  [[nodiscard]] HttpAnswer take_answer();

 private:
  void start_answer(std::string_view status_line);
  void restart_spool();

  std::size_t header_bytes_ = 0;
  std::int32_t status_ = 0;
  std::string reason_;
  std::vector<std::string> header_lines_;
  bool headers_complete_ = false;
  bool reserved_ = false;
  std::shared_ptr<std::vector<std::uint8_t>> body_;
  std::uint64_t body_received_ = 0;
  BodySpool* spool_ = nullptr;
  bool spooling_ = false;        // the spool has begun this answer's body
  bool spool_declined_ = false;  // the spool could not take this answer's body
};

}  // namespace ff
