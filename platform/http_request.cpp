#include "platform/http_request.h"

#include <cmath>
#include <limits>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "automation/dispatch.h"
#include "automation/object_call.h"
#include "platform/codepage.h"
#include "platform/curl_handle.h"
#include "platform/http_exchange.h"
#include "platform/http_syntax.h"

namespace ff {
namespace {

using Args = std::span<const Variant>;
using Result = std::optional<Variant>;

enum ProxySetting : std::int32_t { kProxyDefault = 0, kProxyDirect = 1, kProxyNamed = 2 };
enum OptionIndex : std::int32_t { kOptionIgnoredCertificateErrors = 4, kOptionFollowRedirects = 6 };
enum CredentialTarget : std::int32_t { kCredentialsForServer = 0, kCredentialsForProxy = 1 };

// --- Arguments ------------------------------------------------------------------------

bool is_absent(const Variant& value) { return value.holds<std::monostate>(); }

// A number argument, truncated toward zero; nullopt outside the 32-bit range.
std::optional<std::int32_t> int_arg(const Variant& value) {
  const std::optional<double> number = value.to_number();
  if (!number || !std::isfinite(*number)) return std::nullopt;
  const double whole = std::trunc(*number);
  if (whole < std::numeric_limits<std::int32_t>::min() ||
      whole > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(whole);
}

std::optional<std::string> utf8_arg(const Variant& value) {
  const std::optional<std::u16string> wide = value.to_string();
  if (!wide) return std::nullopt;
  return utf16_to_utf8(*wide);
}

// The body of Send: bytes as they are, anything else as its text in UTF-8.
struct Body {
  std::string text;
  ByteArray bytes;  // shares the caller's array
  [[nodiscard]] std::span<const std::uint8_t> view() const {
    if (!bytes.view().empty()) return bytes.view();
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
  }
};

std::optional<Body> body_arg(Args args) {
  Body body;
  if (args.empty() || is_absent(args[0]) || args[0].holds<Null>()) return body;
  if (const ByteArray* bytes = args[0].get_if<ByteArray>()) {
    body.bytes = *bytes;
    return body;
  }
  if (args[0].holds<ComObject>()) return std::nullopt;
  auto text = utf8_arg(args[0]);
  if (!text) return std::nullopt;
  body.text = std::move(*text);
  return body;
}

// A time-out argument: 0 or -1 mean no limit; other negative values are refused.
std::optional<std::int32_t> timeout_arg(const Variant& value) {
  const auto ms = int_arg(value);
  if (!ms || *ms < -1) return std::nullopt;
  return *ms;
}

// --- The object -----------------------------------------------------------------------

// What Open starts and the following calls fill in.
struct PendingRequest {
  std::string method;
  std::string url;  // encoded for the wire
  HeaderList headers;
  std::optional<HttpCredentials> server_credentials;
  std::optional<HttpCredentials> proxy_credentials;
};

class HttpRequestObject final : public Dispatch {
 public:
  [[nodiscard]] bool usable() const { return !curl_.is_empty(); }

  Result invoke(std::string_view member, CallKind kind, Args args) override {
    return guarded_object_call([&]() -> Result { return dispatch(member, kind, args); });
  }

 private:
  using Handler = Result (HttpRequestObject::*)(CallKind, Args);
  struct Member {
    std::string_view name;
    bool is_method;  // a method; otherwise a property (read also as a method call)
    Handler handler;
  };
  static const Member kMembers[];

  Result dispatch(std::string_view member, CallKind kind, Args args);

  Result set_timeouts(CallKind, Args args);
  Result set_proxy(CallKind, Args args);
  Result open(CallKind, Args args);
  Result option(CallKind kind, Args args);
  Result set_credentials(CallKind, Args args);
  Result set_request_header(CallKind, Args args);
  Result send(CallKind, Args args);
  Result response_body(CallKind, Args args);
  Result all_response_headers(CallKind, Args args);
  Result status(CallKind, Args args);
  Result status_text(CallKind, Args args);

  [[nodiscard]] std::optional<std::string> proxy_for(std::string_view url) const;

  CurlEasy curl_;
  HttpTimeouts timeouts_;
  ProxySetting proxy_setting_ = kProxyDefault;
  std::vector<ProxyEntry> proxies_;
  std::int32_t ignored_certificate_errors_ = 0;
  bool follow_redirects_ = true;
  std::optional<PendingRequest> request_;  // after a successful Open
  std::optional<HttpAnswer> answer_;       // after a successful Send
};

const HttpRequestObject::Member HttpRequestObject::kMembers[] = {
    {"SetTimeouts", true, &HttpRequestObject::set_timeouts},
    {"SetProxy", true, &HttpRequestObject::set_proxy},
    {"Open", true, &HttpRequestObject::open},
    {"Option", false, &HttpRequestObject::option},
    {"SetCredentials", true, &HttpRequestObject::set_credentials},
    {"SetRequestHeader", true, &HttpRequestObject::set_request_header},
    {"Send", true, &HttpRequestObject::send},
    {"ResponseBody", false, &HttpRequestObject::response_body},
    {"GetAllResponseHeaders", false, &HttpRequestObject::all_response_headers},
    {"Status", false, &HttpRequestObject::status},
    {"StatusText", false, &HttpRequestObject::status_text},
};

// Methods answer method calls only; properties answer reads (as a property or as a
// method call) and, where they take writes, puts.
Result HttpRequestObject::dispatch(std::string_view member, CallKind kind, Args args) {
  for (const Member& m : kMembers) {
    if (!member_is(member, m.name)) continue;
    if (m.is_method && kind != CallKind::method) return std::nullopt;
    return (this->*m.handler)(kind, args);
  }
  return std::nullopt;
}

Result HttpRequestObject::set_timeouts(CallKind, Args args) {
  if (args.size() != 4) return std::nullopt;
  const auto resolve = timeout_arg(args[0]);
  const auto connect = timeout_arg(args[1]);
  const auto send = timeout_arg(args[2]);
  const auto receive = timeout_arg(args[3]);
  if (!resolve || !connect || !send || !receive) return std::nullopt;
  timeouts_ = {*resolve, *connect, *send, *receive};
  return Variant();
}

// A bypass list is refused: its matching rules have no faithful libcurl counterpart.
Result HttpRequestObject::set_proxy(CallKind, Args args) {
  if (args.empty() || args.size() > 3) return std::nullopt;
  if (args.size() == 3 && !is_absent(args[2])) return std::nullopt;
  const auto setting = int_arg(args[0]);
  if (!setting || *setting < kProxyDefault || *setting > kProxyNamed) return std::nullopt;
  std::vector<ProxyEntry> entries;
  if (*setting == kProxyNamed) {
    const auto server = args.size() >= 2 ? utf8_arg(args[1]) : std::nullopt;
    auto parsed = server ? parse_proxy_list(*server) : std::nullopt;
    if (!parsed || parsed->empty()) return std::nullopt;
    entries = std::move(*parsed);
  }
  proxy_setting_ = static_cast<ProxySetting>(*setting);
  proxies_ = std::move(entries);
  return Variant();
}

// Starts a new request: headers, credentials and the previous answer are dropped.
// Time-outs, proxy and options stay with the object.
Result HttpRequestObject::open(CallKind, Args args) {
  request_.reset();
  answer_.reset();
  if (args.size() < 2 || args.size() > 3) return std::nullopt;
  if (args.size() == 3 && !is_absent(args[2]) && args[2].to_bool().value_or(true)) {
    return std::nullopt;  // asynchronous use is not offered
  }
  auto method = utf8_arg(args[0]);
  auto url = utf8_arg(args[1]);
  if (!method || !is_header_name(*method) || !url) return std::nullopt;
  std::string encoded = encode_request_url(*url);
  const std::string scheme = url_scheme(encoded);
  CurlUrl parsed;
  if (parsed.is_empty() || (scheme != "http" && scheme != "https") ||
      curl_url_set(parsed.get(), CURLUPART_URL, encoded.c_str(), 0) != CURLUE_OK) {
    return std::nullopt;
  }
  request_ = PendingRequest{std::move(*method), std::move(encoded), {}, {}, {}};
  return Variant();
}

Result HttpRequestObject::option(CallKind kind, Args args) {
  const std::size_t index_count = kind == CallKind::put ? args.size() - 1 : args.size();
  if (args.empty() || index_count != 1) return std::nullopt;
  const auto index = int_arg(args[0]);
  if (kind != CallKind::put) {
    if (index == kOptionIgnoredCertificateErrors) return Variant(ignored_certificate_errors_);
    if (index == kOptionFollowRedirects) return Variant(follow_redirects_);
    return std::nullopt;
  }
  if (index == kOptionIgnoredCertificateErrors) {
    const auto flags = int_arg(args[1]);
    if (!flags) return std::nullopt;
    ignored_certificate_errors_ = *flags;
    return Variant();
  }
  if (index == kOptionFollowRedirects) {
    const auto follow = args[1].to_bool();
    if (!follow) return std::nullopt;
    follow_redirects_ = *follow;
    return Variant();
  }
  return std::nullopt;  // other options are not offered
}

Result HttpRequestObject::set_credentials(CallKind, Args args) {
  if (!request_ || args.size() != 3) return std::nullopt;
  auto user = utf8_arg(args[0]);
  auto password = utf8_arg(args[1]);
  const auto target = int_arg(args[2]);
  if (!user || !password || !target) return std::nullopt;
  HttpCredentials credentials{std::move(*user), std::move(*password)};
  if (*target == kCredentialsForServer) {
    request_->server_credentials = std::move(credentials);
  } else if (*target == kCredentialsForProxy) {
    request_->proxy_credentials = std::move(credentials);
  } else {
    return std::nullopt;
  }
  return Variant();
}

// Adds the header, or replaces the value of the one with the same name (any case).
Result HttpRequestObject::set_request_header(CallKind, Args args) {
  if (!request_ || args.size() != 2) return std::nullopt;
  auto name = utf8_arg(args[0]);
  auto value = utf8_arg(args[1]);
  if (!name || !value || !is_header_name(*name) || !is_header_value(*value)) return std::nullopt;
  for (auto& header : request_->headers) {
    if (same_header_name(header.first, *name)) {
      header = {std::move(*name), std::move(*value)};
      return Variant();
    }
  }
  request_->headers.emplace_back(std::move(*name), std::move(*value));
  return Variant();
}

std::optional<std::string> HttpRequestObject::proxy_for(std::string_view url) const {
  switch (proxy_setting_) {
    case kProxyDefault: return std::nullopt;
    case kProxyDirect: return std::string();
    case kProxyNamed: return proxy_for_scheme(proxies_, url_scheme(url)).value_or("");
  }
  return std::nullopt;
}

Result HttpRequestObject::send(CallKind, Args args) {
  answer_.reset();
  if (!request_ || args.size() > 1) return std::nullopt;
  const std::optional<Body> body = body_arg(args);
  if (!body) return std::nullopt;
  HttpExchangeRequest exchange;
  exchange.method = request_->method;
  exchange.url = request_->url;
  exchange.headers = request_->headers;
  exchange.body = body->view();
  exchange.timeouts = timeouts_;
  exchange.proxy = proxy_for(request_->url);
  exchange.server_credentials = request_->server_credentials;
  exchange.proxy_credentials = request_->proxy_credentials;
  exchange.follow_redirects = follow_redirects_;
  exchange.ignored_certificate_errors = ignored_certificate_errors_;
  HttpOutcome outcome = perform_http_exchange(curl_, exchange);
  if (!outcome.answer) return std::nullopt;
  answer_ = std::move(outcome.answer);
  return Variant();
}

Result HttpRequestObject::response_body(CallKind kind, Args args) {
  if (!answer_ || kind == CallKind::put || !args.empty()) return std::nullopt;
  return Variant(ByteArray(answer_->body));
}

Result HttpRequestObject::all_response_headers(CallKind kind, Args args) {
  if (!answer_ || kind == CallKind::put || !args.empty()) return std::nullopt;
  return Variant(decode_header_bytes(answer_->header_block));
}

Result HttpRequestObject::status(CallKind kind, Args args) {
  if (!answer_ || kind == CallKind::put || !args.empty()) return std::nullopt;
  return Variant(answer_->status);
}

Result HttpRequestObject::status_text(CallKind kind, Args args) {
  if (!answer_ || kind == CallKind::put || !args.empty()) return std::nullopt;
  return Variant(decode_header_bytes(answer_->reason));
}

}  // namespace

ComObject make_http_request_object() {
  auto object = std::make_shared<HttpRequestObject>();
  if (!object->usable()) return {};
  return ComObject(std::move(object));
}

void register_http_request_object() {
  static std::once_flag once;
  std::call_once(once, [] {
    register_factory_if_absent(std::string(kHttpRequestProgId), &make_http_request_object);
  });
}

}  // namespace ff
