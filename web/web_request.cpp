#include "web/web_request.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "automation/dispatch.h"
#include "platform/http_request.h"
#include "text/primitives.h"
#include "web/base64.h"
#include "web/constants.h"
#include "web/header_names.h"
#include "web/response.h"

namespace ff {

namespace wc = web_constants;

namespace {

// Holds one initialisation of the component system until end() or destruction.
class ComponentSystemScope {
 public:
  ComponentSystemScope() { CoInitialize(nullptr); }
  ~ComponentSystemScope() { end(); }
  ComponentSystemScope(const ComponentSystemScope&) = delete;
  ComponentSystemScope& operator=(const ComponentSystemScope&) = delete;
  void end() {
    if (active_) CoUninitialize();
    active_ = false;
  }

 private:
  bool active_ = true;
};

std::string_view method_name(int method) {
  const bool known = method >= 0 && method < static_cast<int>(wc::method_names.size());
  return wc::method_names[known ? method : method_get];
}

// The caller's object when one is given (even an empty one), else a new one; false
// when no object could be created.
bool take_request_object(const WebRequestOptions& options, ComObject& request) {
  if (options.request_object) {
    request = *options.request_object;
    return true;
  }
  return create_object(kHttpRequestProgId, request);
}

// Milliseconds for all four phases; a count beyond the 32-bit range is held at its top.
void set_timeouts(const ComObject& request, int timeout_seconds) {
  if (timeout_seconds == wc::keep_object_timeouts) return;
  std::int64_t ms = wc::default_timeout_ms;
  if (timeout_seconds >= 1) {
    ms = std::min<std::int64_t>(std::int64_t{timeout_seconds} * wc::ms_per_second,
                                std::numeric_limits<std::int32_t>::max());
  }
  const Variant each(static_cast<std::int32_t>(ms));
  call_method(request, wc::member::set_timeouts, {each, each, each, each});
}

void set_option(const ComObject& request, std::int32_t index, std::int32_t value) {
  put_property(request, wc::member::option, Variant(value), {Variant(index)});
}

void set_header(const ComObject& request, std::string_view name, std::string_view value) {
  call_method(request, wc::member::set_request_header, {text_arg(name), text_arg(value)});
}

// The caller's header block with the default lines it lacks, normalised when asked.
Text request_header_block(std::string_view link, const WebRequestOptions& options) {
  Text block = options.request_headers;
  if (options.add_default_headers) {
    auto add_unless_present = [&block](const wc::DefaultHeader& row, std::string_view tail) {
      if (find_text(block, row.searched, 0, true) == -1) block += concat_text(row.appended, tail);
    };
    for (std::size_t row = 0; row < wc::default_headers.size(); ++row) {
      add_unless_present(wc::default_headers[row], row == wc::referer_row ? link : "");
    }
    if (options.method == method_post) add_unless_present(wc::post_content_type, "");
  }
  return options.normalize_headers ? normalize_header_names(block) : block;
}

// Credentials go with a proxy only; flag 1 also sends them as a Basic header.
void set_proxy_credentials(const ComObject& request, const WebRequestOptions& options) {
  if (options.proxy_address.empty() || options.proxy_user.empty()) return;
  const auto flags = static_cast<std::int32_t>(options.proxy_credential_flags);
  call_method(request, wc::member::set_credentials,
              {text_arg(options.proxy_user), text_arg(options.proxy_password), Variant(flags)});
  if (flags != wc::credentials_for_proxy) return;
  const Text pair =
      concat_text(options.proxy_user, wc::credentials_joiner, options.proxy_password);
  set_header(request, wc::proxy_authorization,
             concat_text(wc::basic_prefix, base64_encode(text_to_bytes(pair))));
}

// "Cookie:" markers are removed from the caller's text itself before it is sent.
void send_cookies(const ComObject& request, Text* cookies) {
  if (!cookies) return;
  if (find_text(*cookies, wc::cookie_marker, 0, true) != -1) {
    *cookies = replace_text(*cookies, wc::cookie_marker, {}, false);
  }
  set_header(request, wc::cookie_header, *cookies);
}

bool is_keep_alive_line(std::string_view line) {
  return compare_text(header_name_of(line), wc::connection_header) == 0 &&
         compare_text(header_value_of(line), wc::keep_alive) == 0;
}

// One line is set as it stands; of several, empty and "Connection: keep-alive" lines
// are skipped.
void set_header_lines(const ComObject& request, std::string_view block) {
  if (find_text(block, wc::line_break) == -1) {
    set_header(request, header_name_of(block), header_value_of(block));
    return;
  }
  for (const Text& line : split_text(block, wc::line_break)) {
    if (line.empty() || is_keep_alive_line(line)) continue;
    set_header(request, header_name_of(line), header_value_of(line));
  }
}

void send_body(const ComObject& request, const WebRequestOptions& options) {
  if (!options.post_bytes.empty()) {
    call_method(request, wc::member::send, {Variant(options.post_bytes)});
  } else {
    call_method(request, wc::member::send, {text_arg(options.post_text)});
  }
}

}  // namespace

Bytes web_request(std::string_view link, const WebRequestOptions& options) {
  register_http_request_object();
  ComponentSystemScope component_system;
  const std::string_view method = method_name(options.method);
  ComObject request;
  if (!take_request_object(options, request)) return {};
  set_timeouts(request, options.timeout_seconds);
  if (!options.proxy_address.empty()) {
    call_method(request, wc::member::set_proxy,
                {Variant(wc::proxy_setting_named_server), text_arg(options.proxy_address)});
  }
  call_method(request, wc::member::open, {text_arg(method), text_arg(link), Variant(false)});
  if (options.block_redirects) set_option(request, wc::option_enable_redirects, 0);
  set_option(request, wc::option_ignore_certificate_errors, wc::ignore_all_certificate_errors);
  const Text headers = request_header_block(link, options);
  set_proxy_credentials(request, options);
  send_cookies(request, options.cookies);
  set_header_lines(request, headers);
  send_body(request, options);
  Answer body = get_property(request, wc::member::response_body);
  hand_back_response(request, options);
  // The body is taken only after the object is gone, so that it is moved, not copied,
  // when this call held the object's only reference.
  request.reset();
  component_system.end();
  return std::move(body).take_bytes();
}

}  // namespace ff
