// gather_set_cookies and merge_cookies on hostile header blocks and cookie texts: the
// merged text holds no deletion-marked item and no item twice, begins with the server's
// items, and equals what merge_cookies wrote back to the caller's cookies.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <set>
#include <string>

#include "fuzz/fuzz_support.h"
#include "text/rewrite.h"
#include "web/cookies.h"
#include "web/response.h"

namespace {

using namespace ff::fuzzing;

constexpr std::string_view kSeparator = "; ";

// A cookie text as merge_cookies reads it: trimmed, and a trailing ";" made a whole
// separator so that it gives no item.
std::string as_read(const std::string& cookies) {
  std::string read = ff::trim_both(cookies).str();
  if (read.ends_with(";")) read += " ";
  return read;
}

void check_gathered(std::string_view block, const ff::Text& gathered) {
  const std::string seen = escaped(block) + " gathered " + escaped(gathered.str());
  FF_FUZZ_CHECK(gathered.empty() || block.find("Set-Cookie") != std::string_view::npos, seen);
  FF_FUZZ_CHECK(gathered.size() <= block.size(), seen);
}

void check_merged(const std::string& old_text, const std::string& new_text,
                  const ff::Text& merged, const ff::Text& old_after, const ff::Text& new_after) {
  const std::string seen = "old " + escaped(old_text) + ", new " + escaped(new_text) +
                           " merged to " + escaped(merged.str());
  FF_FUZZ_CHECK(merged == old_after, seen);
  FF_FUZZ_CHECK(new_after.str() == as_read(new_text),
                seen + ", new became " + escaped(new_after.str()));
  std::set<std::string> items;
  for (const ff::Text& item : ff::split_text(merged, kSeparator)) {
    FF_FUZZ_CHECK(!item.view().ends_with("=deleted"), seen);
    FF_FUZZ_CHECK(items.insert(item.str()).second, seen + ", twice: " + escaped(item.str()));
  }
  // Every item comes from one of the two texts as merge_cookies reads them, and the
  // server's first live item leads.
  const ff::TextArray old_items = ff::split_text(as_read(old_text), kSeparator);
  const ff::TextArray new_items = ff::split_text(new_after, kSeparator);
  for (const ff::Text& item : ff::split_text(merged, kSeparator)) {
    FF_FUZZ_CHECK(std::ranges::find(new_items, item) != new_items.end() ||
                      std::ranges::find(old_items, item) != old_items.end(),
                  seen + ", from nowhere: " + escaped(item.str()));
  }
  const auto live = std::ranges::find_if(
      new_items, [](const ff::Text& item) { return !item.view().ends_with("=deleted"); });
  if (live != new_items.end()) FF_FUZZ_CHECK(merged.view().starts_with(live->view()), seen);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string old_text = zero_free(in.ConsumeRandomLengthString(256));
  const std::string block = zero_free(in.ConsumeRemainingBytesAsString());

  const ff::Text gathered = ff::gather_set_cookies(block);
  check_gathered(block, gathered);

  ff::Text old_cookies = old_text;
  ff::Text new_cookies = gathered;
  const ff::Text merged = ff::merge_cookies(old_cookies, new_cookies);
  check_merged(old_text, gathered.str(), merged, old_cookies, new_cookies);
  return 0;
}
