// split_into_chars and dedupe_members: the characters put back together give the text,
// each is one or two bytes as the list walk takes them (lead bytes 0x81..0xFF, CR LF, the
// last byte alone), and a dedupe keeps the first of each member in order.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "text/lists.h"
#include "text/rewrite.h"

namespace {

using namespace ff::fuzzing;

std::vector<std::string> expected_chars(std::string_view text) {
  std::vector<std::string> chars;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t width = 1;
    if (i + 1 < text.size() &&
        (static_cast<unsigned char>(text[i]) >= 0x81 || text.substr(i, 2) == "\r\n")) {
      width = 2;
    }
    chars.emplace_back(text.substr(i, width));
    i += width;
  }
  return chars;
}

std::string first_of_each(const std::vector<std::string>& members, std::string_view delimiter) {
  std::set<std::string> seen;
  std::vector<std::string> kept;
  for (const std::string& member : members) {
    if (seen.insert(member).second) kept.push_back(member);
  }
  return joined(kept, delimiter);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const bool by_delimiter = in.ConsumeBool();
  const std::string delimiter = zero_free(in.ConsumeRandomLengthString(4));
  const std::string text = zero_free(in.ConsumeRemainingBytesAsString());

  ff::TextArray array = {"left over"};
  const int count = ff::split_into_chars(text, array);
  const std::vector<std::string> chars(array.begin(), array.end());
  FF_FUZZ_CHECK(count == static_cast<int>(chars.size()), "split_into_chars of " + escaped(text));
  FF_FUZZ_CHECK(chars == expected_chars(text), "split_into_chars of " + escaped(text));
  FF_FUZZ_CHECK(joined(chars, "") == text, "split_into_chars of " + escaped(text));

  const std::vector<std::string> members =
      by_delimiter ? [&] {
        const ff::TextArray pieces = ff::split_text(text, delimiter);
        return std::vector<std::string>(pieces.begin(), pieces.end());
      }()
                   : chars;
  const ff::Text deduped = ff::dedupe_members(text, delimiter, by_delimiter);
  FF_FUZZ_CHECK(deduped.str() == first_of_each(members, delimiter),
                "dedupe_members of " + escaped(text) + " by " + escaped(delimiter) + " gave " +
                    escaped(deduped.str()));
  return 0;
}
