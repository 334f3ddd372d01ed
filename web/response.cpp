#include "web/response.h"

#include "automation/dispatch.h"
#include "text/extract.h"
#include "text/primitives.h"
#include "web/constants.h"
#include "web/cookies.h"

namespace ff {

namespace wc = web_constants;

namespace {

// The cookie piece of one response header line, or nullopt when it is no Set-Cookie line.
std::optional<Text> set_cookie_piece(std::string_view line) {
  if (compare_text(text_left_of(line, wc::name_separator), wc::set_cookie_header) != 0) {
    return std::nullopt;
  }
  const Text piece = find_text(line, wc::attribute_separator) != -1
                         ? text_between(line, wc::set_cookie_marker, wc::attribute_separator)
                         : replace_text(line, wc::set_cookie_marker, {}, false);
  return trim_both(piece);
}

}  // namespace

Text gather_set_cookies(std::string_view block) {
  Text result;
  for (const Text& line : split_text(block, wc::line_break)) {
    if (auto piece = set_cookie_piece(line)) result += concat_text(*piece, wc::cookie_separator);
  }
  const int separator_length = text_length(wc::cookie_separator);
  if (compare_text(text_right(result, separator_length), wc::cookie_separator) == 0) {
    result = text_left(result, text_length(result) - separator_length);
  }
  return result;
}

void hand_back_response(const ComObject& request, const WebRequestOptions& options) {
  Text scratch_headers;
  int scratch_status = 0;
  Text scratch_cookies;
  Text& headers = options.response_headers ? *options.response_headers : scratch_headers;
  int& status = options.status_code ? *options.status_code : scratch_status;
  Text& returned = options.returned_cookies ? *options.returned_cookies : scratch_cookies;

  headers = call_method(request, wc::member::all_response_headers).text();
  status = to_int(get_property(request, wc::member::status).number());
  (void)get_property(request, wc::member::status_text).text();
  returned = gather_set_cookies(headers);
  if (options.auto_merge_cookies && options.cookies) {
    returned = merge_cookies(*options.cookies, returned);
  }
}

}  // namespace ff
