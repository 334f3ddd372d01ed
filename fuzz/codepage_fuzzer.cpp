// The code page 936 conversions in both directions, on arbitrary bytes and arbitrary
// UTF-16 units: they never answer an empty text for a non-empty input, keep every NUL
// where a NUL was given, agree with each other (GBK -> UTF-8 -> UTF-16 equals GBK ->
// UTF-16), and a second round trip changes nothing the first one produced.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "platform/codepage.h"

namespace {

using namespace ff::fuzzing;

std::string units(std::u16string_view wide) {
  std::string out;
  for (const char16_t u : wide) out += "\\u" + std::to_string(static_cast<unsigned>(u));
  return out;
}

void check_from_gbk(const std::string& gbk) {
  const std::u16string wide = ff::gbk_to_utf16(gbk);
  const std::string utf8 = ff::gbk_to_utf8(gbk);
  const std::string seen = "GBK " + escaped(gbk) + " -> " + units(wide) + " / " + escaped(utf8);
  FF_FUZZ_CHECK(gbk.empty() == wide.empty(), seen);
  FF_FUZZ_CHECK(gbk.empty() == utf8.empty(), seen);
  FF_FUZZ_CHECK(wide.size() <= gbk.size(), seen);
  FF_FUZZ_CHECK(std::ranges::count(wide, u'\0') == std::ranges::count(gbk, '\0'), seen);
  FF_FUZZ_CHECK(ff::utf8_to_utf16(utf8) == wide, seen);
  const std::string back = ff::utf16_to_gbk(wide);
  FF_FUZZ_CHECK(gbk.empty() == back.empty(), seen + " -> GBK " + escaped(back));
  FF_FUZZ_CHECK(ff::utf16_to_gbk(ff::gbk_to_utf16(back)) == back,
                seen + " -> GBK " + escaped(back) + " does not come back");
  FF_FUZZ_CHECK(ff::utf8_to_gbk(utf8) == back, seen + " -> GBK " + escaped(back));
}

void check_from_utf8(const std::string& utf8) {
  const std::u16string wide = ff::utf8_to_utf16(utf8);
  const std::string gbk = ff::utf8_to_gbk(utf8);
  const std::string seen = "UTF-8 " + escaped(utf8) + " -> " + units(wide) + " / " + escaped(gbk);
  FF_FUZZ_CHECK(utf8.empty() == wide.empty(), seen);
  FF_FUZZ_CHECK(utf8.empty() == gbk.empty(), seen);
  FF_FUZZ_CHECK(std::ranges::count(wide, u'\0') == std::ranges::count(utf8, '\0'), seen);
  const std::string again = ff::utf16_to_utf8(wide);
  FF_FUZZ_CHECK(ff::utf16_to_utf8(ff::utf8_to_utf16(again)) == again, seen);
}

void check_from_utf16(const std::u16string& wide) {
  const std::string gbk = ff::utf16_to_gbk(wide);
  const std::string utf8 = ff::utf16_to_utf8(wide);
  const std::string seen = "UTF-16 " + units(wide) + " -> " + escaped(gbk) + " / " + escaped(utf8);
  FF_FUZZ_CHECK(wide.empty() == gbk.empty(), seen);
  FF_FUZZ_CHECK(wide.empty() == utf8.empty(), seen);
  FF_FUZZ_CHECK(std::ranges::count(gbk, '\0') == std::ranges::count(wide, u'\0'), seen);
  FF_FUZZ_CHECK(std::ranges::count(utf8, '\0') == std::ranges::count(wide, u'\0'), seen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  switch (in.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
      check_from_gbk(in.ConsumeRemainingBytesAsString());
      break;
    case 1:
      check_from_utf8(in.ConsumeRemainingBytesAsString());
      break;
    default: {
      std::u16string wide;
      while (in.remaining_bytes() >= 2) wide += in.ConsumeIntegral<char16_t>();
      check_from_utf16(wide);
    }
  }
  return 0;
}
