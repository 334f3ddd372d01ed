// find_text, find_text_reverse and find_substring against a plain reading of their
// contracts: the position answered is the first (or last) character boundary of the
// window where the sought text lies wholly inside the window, and -1 only when there is none.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "fuzz/fuzz_support.h"
#include "text/search.h"

namespace {

using namespace ff::fuzzing;

struct Case {
  std::string text;
  std::string sub;
  int start = 0;
  bool ignore_case = false;
};

Case read_case(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Case c;
  c.ignore_case = in.ConsumeBool();
  c.start = fuzzed_start(in);
  c.sub = zero_free(in.ConsumeRandomLengthString(12));
  c.text = zero_free(in.ConsumeRemainingBytesAsString());
  return c;
}

bool matches_at(const Case& c, std::size_t at, bool fold) {
  if (at + c.sub.size() > c.text.size()) return false;
  const std::string_view there = std::string_view(c.text).substr(at, c.sub.size());
  return fold ? equal_ignoring_case(there, c.sub) : there == c.sub;
}

std::string seen(const char* what, const Case& c, int answer, int expected) {
  return std::string(what) + "(" + escaped(c.text) + ", " + escaped(c.sub) + ", " +
         std::to_string(c.start) + ", " + (c.ignore_case ? "true" : "false") + ") answered " +
         std::to_string(answer) + ", expected " + std::to_string(expected);
}

// The first boundary at or after the window's first byte (the walk begins there).
int expected_forward(const Case& c) {
  const std::size_t begin = c.start > 1 ? static_cast<std::size_t>(c.start) - 1 : 0;
  if (begin >= c.text.size()) return -1;
  if (c.sub.empty()) return 1;
  const std::vector<bool> starts = char_starts(c.text, begin);
  for (std::size_t i = begin; i < c.text.size(); ++i) {
    if (starts[i] && matches_at(c, i, c.ignore_case)) return static_cast<int>(i) + 1;
  }
  return -1;
}

// The last boundary (walking from the first byte) whose match ends inside bytes
// 1..start-1; start 0 means the whole text.
int expected_reverse(const Case& c) {
  std::size_t end = c.text.size();
  if (c.start != 0) {
    const std::size_t begin = c.start > 1 ? static_cast<std::size_t>(c.start) - 1 : 0;
    end = std::min(end, begin);
  }
  if (end == 0) return -1;
  if (c.sub.empty()) return 1;
  const std::vector<bool> starts = char_starts(c.text);
  int last = -1;
  for (std::size_t i = 0; i + c.sub.size() <= end; ++i) {
    if (starts[i] && matches_at(c, i, c.ignore_case)) last = static_cast<int>(i) + 1;
  }
  return last;
}

// Raw bytes: any position from start on.
int expected_substring(const Case& c) {
  if (c.text.empty() || c.sub.empty()) return -1;
  const int start = c.start == 0 ? 1 : c.start;
  if (start < 1 || static_cast<std::size_t>(start) > c.text.size()) return -1;
  for (std::size_t i = static_cast<std::size_t>(start) - 1; i < c.text.size(); ++i) {
    if (matches_at(c, i, c.ignore_case)) return static_cast<int>(i) + 1;
  }
  return -1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Case c = read_case(data, size);

  const int forward = ff::find_text(c.text, c.sub, c.start, c.ignore_case);
  const int want_forward = expected_forward(c);
  FF_FUZZ_CHECK(forward == want_forward, seen("find_text", c, forward, want_forward));

  const int reverse = ff::find_text_reverse(c.text, c.sub, c.start, c.ignore_case);
  const int want_reverse = expected_reverse(c);
  FF_FUZZ_CHECK(reverse == want_reverse, seen("find_text_reverse", c, reverse, want_reverse));

  const int raw = ff::find_substring(c.text, c.sub, c.start, c.ignore_case);
  const int want_raw = expected_substring(c);
  FF_FUZZ_CHECK(raw == want_raw, seen("find_substring", c, raw, want_raw));
  return 0;
}
