#include "text/extract.h"

#include "text/cut.h"
#include "text/rewrite.h"
#include "text/search.h"

namespace ff {
namespace {

// "#引号" in GBK: written in a marker, it stands for one double quote.
constexpr std::string_view kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";
constexpr std::string_view kDoubleQuote = "\"";

Text with_quotes(std::string_view marker) {
  return replace_text(marker, kQuotePlaceholder, kDoubleQuote, true);
}

}  // namespace

Text text_left_of(std::string_view text, std::string_view marker, int start,
                  bool ignore_case) {
  const long long length = text_length(text);
  int position = -1;
  if (start < 0) {
    // -1 searches the whole text; -k (k >= 2) leaves the last k bytes out.
    long long k = -static_cast<long long>(start);
    if (k == 1) k = 0;
    const long long window_end = length - k + 1;
    if (window_end < 1) return {};  // nothing left to search
    position = find_text_reverse(text, marker, static_cast<int>(window_end), ignore_case);
  } else {
    position = find_text(text, marker, start == 0 ? 1 : start, ignore_case);
  }
  return position == -1 ? Text() : text_left(text, position - 1);
}

Text text_between(std::string_view text, std::string_view open_marker,
                  std::string_view close_marker, int start, bool ignore_case) {
  const Text opening = with_quotes(open_marker);
  const Text closing = with_quotes(close_marker);
  const int first = find_text(text, opening, start, ignore_case);
  if (first == -1) return {};
  const int from = first + text_length(opening);
  const int last = find_text(text, closing, from, ignore_case);
  if (last == -1) return {};
  return text_mid(text, from, last - from);
}

}  // namespace ff
