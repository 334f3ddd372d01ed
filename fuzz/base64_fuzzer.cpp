// base64_encode: four characters of the standard alphabet for every started group of
// three bytes, "=" only as the last one or two, and decoding gives the data back.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "fuzz/fuzz_support.h"
#include "web/base64.h"

namespace {

using namespace ff::fuzzing;

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The data back from a padded Base64 text, or nothing when it is not one.
std::optional<ff::Bytes> decoded(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  const std::size_t padding = text.ends_with("==") ? 2 : text.ends_with("=") ? 1 : 0;
  ff::Bytes out;
  std::uint32_t bits = 0;
  int held = 0;
  for (std::size_t i = 0; i < text.size() - padding; ++i) {
    const std::size_t value = kAlphabet.find(text[i]);
    if (value == std::string_view::npos) return std::nullopt;
    bits = (bits << 6) | static_cast<std::uint32_t>(value);
    held += 6;
    if (held >= 8) {
      held -= 8;
      out.push_back(static_cast<std::uint8_t>(bits >> held));
    }
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const ff::Bytes bytes(data, data + size);
  const ff::Text encoded = ff::base64_encode(bytes);
  const std::string seen = escaped(std::string_view(reinterpret_cast<const char*>(data), size)) +
                           " encoded as " + escaped(encoded.str());
  FF_FUZZ_CHECK(encoded.size() == (size + 2) / 3 * 4, seen);
  const std::optional<ff::Bytes> back = decoded(encoded.view());
  FF_FUZZ_CHECK(back.has_value() && *back == bytes, seen);
  return 0;
}
