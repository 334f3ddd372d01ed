#include "web/base64.h"

#include <gtest/gtest.h>

namespace ff {
namespace {

TEST(Base64Encode, Rfc4648Vectors) {
  const std::pair<const char*, const char*> rows[] = {
      {"", ""},         {"f", "Zg=="},         {"fo", "Zm8="},      {"foo", "Zm9v"},
      {"foob", "Zm9vYg=="}, {"fooba", "Zm9vYmE="}, {"foobar", "Zm9vYmFy"},
  };
  for (const auto& [data, encoded] : rows) {
    SCOPED_TRACE(data);
    EXPECT_EQ(base64_encode(bytes_of(data)), Text(encoded));
  }
}

TEST(Base64Encode, HighAndZeroBytesAndEveryAlphabetCharacter) {
  EXPECT_EQ(base64_encode(Bytes{0xFF, 0xFE, 0xFD}), Text("//79"));
  EXPECT_EQ(base64_encode(Bytes{0x00}), Text("AA=="));
  EXPECT_EQ(base64_encode(Bytes{0x00, 0x00, 0x00}), Text("AAAA"));
  // A GBK user name with its password, as it goes into a proxy authorisation header.
  EXPECT_EQ(base64_encode(bytes_of("\xD5\xC5\xC8\xFD:pw")), Text("1cXI/Tpwdw=="));
  // 0x00 0x10 0x83 ... walks all 64 sextets in order.
  Bytes ramp;
  for (int i = 0; i < 64; i += 4) {
    const unsigned group = (i << 18) | ((i + 1) << 12) | ((i + 2) << 6) | (i + 3);
    ramp.insert(ramp.end(), {static_cast<std::uint8_t>(group >> 16),
                             static_cast<std::uint8_t>(group >> 8),
                             static_cast<std::uint8_t>(group)});
  }
  EXPECT_EQ(base64_encode(ramp),
            Text("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"));
}

}  // namespace
}  // namespace ff
