#include "web/header_names.h"

#include "text/primitives.h"
#include "web/constants.h"

namespace ff {

namespace wc = web_constants;

Text header_name_of(std::string_view line) {
  const int colon = find_text(line, wc::header_colon);
  if (colon == -1) return {};
  return trim_both(text_left(line, colon - 1));
}

Text header_value_of(std::string_view line) {
  const int colon = find_text(line, wc::header_colon);
  if (colon == -1) return {};
  return trim_both(text_right(line, text_length(line) - colon));
}

Text capitalize_first(std::string_view text) {
  return concat_text(to_upper(text_left(text, 1)), text_mid(text, 2, text_length(text)));
}

namespace {

// The name with each piece between dashes capitalised. A name ending in "-" comes back
// one dash shorter, since the split gives no empty last piece; the caller takes the
// rest of the line by length, so that dash is kept there.
Text normalize_name(std::string_view name) {
  if (find_text(name, wc::name_dash) == -1) return capitalize_first(name);
  const TextArray pieces = split_text(name, wc::name_dash);
  Text joined;
  for (int i = 1; i <= member_count(pieces); ++i) {
    if (i > 1) joined += wc::name_dash;
    joined += capitalize_first(member_at(pieces, i));
  }
  return joined;
}

}  // namespace

Text normalize_header_names(std::string_view block) {
  const TextArray lines = split_text(block, wc::line_break);
  std::string result;
  for (const Text& line : lines) {
    const int colon = find_text(line, wc::header_colon);
    if (colon == -1) continue;
    const Text name = normalize_name(text_left(line, colon - 1));
    result += name.view();
    result += text_right(line, text_length(line) - text_length(name)).view();
    result += wc::line_break;
  }
  return text_left(result, text_length(result) - text_length(wc::line_break));
}

}  // namespace ff
