// text_left_of and text_between: what they cut out really lies in the text, next to the
// markers that bound it, inside the window the start names.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "text/extract.h"
#include "text/rewrite.h"
#include "text/search.h"

namespace {

using namespace ff::fuzzing;

constexpr std::string_view kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";  // "#引号" in GBK

struct Case {
  std::string text;
  std::string open;
  std::string close;
  int start = 0;
  bool ignore_case = false;
};

Case read_case(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Case c;
  c.ignore_case = in.ConsumeBool();
  c.start = fuzzed_start(in);
  c.open = zero_free(in.ConsumeRandomLengthString(8));
  if (in.ConsumeBool()) c.open.insert(0, kQuotePlaceholder);
  c.close = zero_free(in.ConsumeRandomLengthString(8));
  if (in.ConsumeBool()) c.close += kQuotePlaceholder;
  c.text = zero_free(in.ConsumeRemainingBytesAsString());
  return c;
}

bool marker_at(const Case& c, std::size_t at, std::string_view marker) {
  if (at + marker.size() > c.text.size()) return false;
  const std::string_view there = std::string_view(c.text).substr(at, marker.size());
  return c.ignore_case ? equal_ignoring_case(there, marker) : there == marker;
}

std::string call(const char* what, const Case& c, const ff::Text& answer) {
  return std::string(what) + "(" + escaped(c.text) + ", " + escaped(c.open) + ", " +
         escaped(c.close) + ", " + std::to_string(c.start) + ") gave " + escaped(answer.str());
}

// A non-empty answer is the text's beginning, and the marker follows it, beginning at or
// after the start (a positive start) or ending inside the window (a negative one).
void check_left_of(const Case& c) {
  const ff::Text left = ff::text_left_of(c.text, c.open, c.start, c.ignore_case);
  if (left.empty()) return;
  const std::string seen = call("text_left_of", c, left);
  FF_FUZZ_CHECK(c.text.starts_with(left.view()), seen);
  FF_FUZZ_CHECK(marker_at(c, left.size(), c.open), seen);
  if (c.start > 0) FF_FUZZ_CHECK(left.size() + 1 >= static_cast<std::size_t>(c.start), seen);
  if (c.start < -1) {
    const long long window = static_cast<long long>(c.text.size()) + c.start;
    FF_FUZZ_CHECK(static_cast<long long>(left.size() + c.open.size()) <= window, seen);
  }
}

// A non-empty answer stands in the text between the two markers ("#引号" read as a
// double quote), and nothing in it is a shorter way to the closing marker.
void check_between(const Case& c) {
  const ff::Text between = ff::text_between(c.text, c.open, c.close, c.start, c.ignore_case);
  if (between.empty()) return;
  const std::string seen = call("text_between", c, between);
  const std::string open = ff::replace_text(c.open, kQuotePlaceholder, "\"", true).str();
  const std::string close = ff::replace_text(c.close, kQuotePlaceholder, "\"", true).str();
  bool found = false;
  for (std::size_t at = 0; !found && at + open.size() <= c.text.size(); ++at) {
    found = marker_at(c, at, open) &&
            std::string_view(c.text).substr(at + open.size()).starts_with(between.view()) &&
            marker_at(c, at + open.size() + between.size(), close);
  }
  FF_FUZZ_CHECK(found, seen);
  FF_FUZZ_CHECK(ff::find_text(between, close, 1, c.ignore_case) == -1 || close.empty(), seen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Case c = read_case(data, size);
  check_left_of(c);
  check_between(c);
  return 0;
}
