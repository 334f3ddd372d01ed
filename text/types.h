#pragma once
// The value types every part of font-fetch is written in.
//
// Text      GBK (code page 936) bytes with no zero byte inside. Owns its bytes.
//           Lengths and positions are in bytes; positions are 1-based; -1 means
//           "not found". The empty text and an absent text are the same value.
// Bytes     A counted byte buffer that may hold zero bytes. Owns its bytes.
// TextArray An ordered list of Text members numbered 1..count. Owns its members.

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ff {

class Text {
 public:
  Text() = default;
  // Each constructor keeps the bytes up to, not including, the first zero byte,
  // so no Text ever holds one.
  Text(const char* s) : Text(std::string_view(s ? s : "")) {}  // NOLINT: implicit by design
  Text(std::string_view s) : bytes_(s.substr(0, s.find('\0'))) {}  // NOLINT
  Text(std::string s) : bytes_(std::move(s)) { cut_at_zero(); }    // NOLINT
  Text(const std::u8string_view s)  // NOLINT: UTF-8 literals in tests
      : Text(std::string_view(reinterpret_cast<const char*>(s.data()), s.size())) {}

  [[nodiscard]] const std::string& str() const { return bytes_; }
  [[nodiscard]] std::string_view view() const { return bytes_; }
  [[nodiscard]] const char* c_str() const { return bytes_.c_str(); }
  [[nodiscard]] const char* data() const { return bytes_.data(); }
  [[nodiscard]] std::size_t size() const { return bytes_.size(); }
  [[nodiscard]] bool empty() const { return bytes_.empty(); }
  // The byte at 0-based index i, as an unsigned value.
  [[nodiscard]] unsigned char byte(std::size_t i) const {
    return static_cast<unsigned char>(bytes_[i]);
  }
  operator std::string_view() const { return bytes_; }  // NOLINT

  Text& operator+=(std::string_view more) {
    bytes_.append(more.substr(0, more.find('\0')));
    return *this;
  }
  friend Text operator+(Text a, std::string_view b) { return a += b; }

  friend bool operator==(const Text&, const Text&) = default;
  friend std::strong_ordering operator<=>(const Text&, const Text&) = default;

 private:
  void cut_at_zero() {
    if (auto z = bytes_.find('\0'); z != std::string::npos) bytes_.resize(z);
  }
  std::string bytes_;
};

using Bytes = std::vector<std::uint8_t>;
using TextArray = std::vector<Text>;

// Bytes from a byte string as written (zero bytes kept), mainly for tests and literals.
inline Bytes bytes_of(std::string_view s) { return Bytes(s.begin(), s.end()); }

}  // namespace ff
