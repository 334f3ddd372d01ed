#include "platform/http_exchange.h"

#include <algorithm>
#include <chrono>
#include <new>
#include <string_view>
#include <utility>

#include "platform/body_spool.h"
#include "platform/http_syntax.h"
#include "platform/transfer_reporter.h"

namespace ff {
namespace {

using Clock = std::chrono::steady_clock;

constexpr long kMaxRedirects = 10;
constexpr long kReceiveBufferSize = 512L * 1024;
// Header lines libcurl would add on its own. Unless the caller names them, an empty
// "Name:" line keeps them out, so only what the caller set goes out.
constexpr std::string_view kUninvitedHeaders[] = {"Accept", "Expect", "Content-Type"};

// Ends a transfer when no byte has moved for longer than the limit of the wait in
// progress: the send limit while the request body is going out, the receive limit
// otherwise. It is armed when a connection is ready for the request; before that the
// connect time-out rules.
class IdleWatchdog {
 public:
  explicit IdleWatchdog(const HttpTimeouts& limits)
      : send_limit_(limits.send), receive_limit_(limits.receive) {}

  void arm() {
    armed_ = true;
    touch();
  }
  void touch() { last_activity_ = Clock::now(); }
  [[nodiscard]] bool expired(bool sending) const {
    const std::int32_t limit = sending ? send_limit_ : receive_limit_;
    return armed_ && limit > 0 &&
           Clock::now() - last_activity_ > std::chrono::milliseconds(limit);
  }

 private:
  std::int32_t send_limit_;
  std::int32_t receive_limit_;
  bool armed_ = false;
  Clock::time_point last_activity_;
};

// What the callbacks of one transfer share.
struct Transfer {
  Transfer(CURL* handle, const HttpTimeouts& limits) : curl(handle), watchdog(limits) {}

  [[nodiscard]] std::optional<std::uint64_t> announced_length() const {
    curl_off_t length = -1;
    curl_easy_getinfo(curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
    if (length < 0) return std::nullopt;
    return static_cast<std::uint64_t>(length);
  }

  CURL* curl;
  ResponseReader reader;
  TransferReporter reporter;
  IdleWatchdog watchdog;
  curl_off_t uploaded = 0;
  bool timed_out = false;
};

// libcurl callbacks: C entry points, so nothing may be thrown out of them.

std::size_t on_header(char* data, std::size_t size, std::size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  transfer.watchdog.touch();
  try {
    return transfer.reader.add_header_line({data, size * count}) ? size * count : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

std::size_t on_body(char* data, std::size_t size, std::size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  transfer.watchdog.touch();
  try {
    if (transfer.reader.body_size() == 0) {
      if (auto length = transfer.announced_length()) transfer.reader.reserve_body(*length);
    }
    // A spool that cannot take the bytes ends the exchange.
    return transfer.reader.add_body({data, size * count}) ? size * count : 0;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int on_request_ready(void* user, char*, char*, int, int) {
  static_cast<Transfer*>(user)->watchdog.arm();
  return CURL_PREREQFUNC_OK;
}

int on_progress(void* user, curl_off_t, curl_off_t received, curl_off_t upload_total,
                curl_off_t uploaded) {
  auto& transfer = *static_cast<Transfer*>(user);
  if (uploaded != transfer.uploaded) {
    transfer.uploaded = uploaded;
    transfer.watchdog.touch();
  }
  transfer.reporter.update(static_cast<std::uint64_t>(received), transfer.announced_length());
  const bool sending = upload_total > 0 && uploaded < upload_total;
  transfer.timed_out = transfer.watchdog.expired(sending);
  return transfer.timed_out ? 1 : 0;
}

// Sets options one after another and remembers the first one libcurl refused.
class OptionSetter {
 public:
  explicit OptionSetter(CURL* curl) : curl_(curl) {}
  template <typename Value>
  void operator()(CURLoption option, Value value) {
    const CURLcode code = curl_easy_setopt(curl_, option, value);
    if (code != CURLE_OK && first_error_ == CURLE_OK) first_error_ = code;
  }
  [[nodiscard]] CURLcode first_error() const { return first_error_; }

 private:
  CURL* curl_;
  CURLcode first_error_ = CURLE_OK;
};

bool has_header(const HeaderList& headers, std::string_view name) {
  return std::ranges::any_of(headers, [&](const auto& h) { return same_header_name(h.first, name); });
}

// The caller's headers; Proxy-Authorization goes to the proxy only, never to the server
// (also not through a tunnel), and is dropped when no proxy is used.
bool build_header_lists(const HeaderList& headers, CurlList& server, CurlList& proxy) {
  for (const auto& [name, value] : headers) {
    // "Name;" is libcurl's form for a header with an empty value.
    const std::string line = value.empty() ? name + ";" : name + ": " + value;
    CurlList& list = same_header_name(name, "Proxy-Authorization") ? proxy : server;
    if (!list.append(line)) return false;
  }
  for (const std::string_view name : kUninvitedHeaders) {
    if (!has_header(headers, name) && !server.append(std::string(name) + ":")) return false;
  }
  return true;
}

void configure_transport(OptionSetter& set, const HttpExchangeRequest& request) {
  set(CURLOPT_URL, request.url.c_str());
  set(CURLOPT_NOSIGNAL, 1L);
  set(CURLOPT_PROTOCOLS_STR, "http,https");
  // HTTP/1.1 only: header names then arrive in the letter case the server wrote
  // ("Set-Cookie"), and every status line carries its reason phrase.
  set(CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  set(CURLOPT_BUFFERSIZE, kReceiveBufferSize);
  set(CURLOPT_HEADEROPT, static_cast<long>(CURLHEADER_SEPARATE));
  set(CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  set(CURLOPT_FOLLOWLOCATION, request.follow_redirects ? 1L : 0L);
  set(CURLOPT_MAXREDIRS, kMaxRedirects);
  // A redirect from HTTPS to HTTP is not followed; the redirect answer stands.
  const bool secure = url_scheme(request.url) == "https";
  set(CURLOPT_REDIR_PROTOCOLS_STR, secure ? "https" : "http,https");
}

// GET and HEAD send no body; POST and PUT always announce one (maybe empty); any other
// method carries the body when there is one.
void configure_method(OptionSetter& set, const HttpExchangeRequest& request) {
  const std::string& method = request.method;
  if (method == "GET") {
    set(CURLOPT_HTTPGET, 1L);
    return;
  }
  if (method == "HEAD") {
    set(CURLOPT_NOBODY, 1L);
    return;
  }
  if (method != "POST") set(CURLOPT_CUSTOMREQUEST, method.c_str());
  if (method == "POST" || method == "PUT" || !request.body.empty()) {
    static constexpr char kNoBytes[] = "";
    const char* bytes = request.body.empty() ? kNoBytes
                                             : reinterpret_cast<const char*>(request.body.data());
    set(CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
    set(CURLOPT_POSTFIELDS, bytes);
  }
}

// libcurl has one limit for name resolution and connecting together (TLS handshake and
// proxy tunnel included): the two limits are added. Without a connect limit libcurl's
// own connect limit (300 s) stays.
void configure_connect_timeout(OptionSetter& set, const HttpTimeouts& limits) {
  long connect_ms = 0;
  if (limits.connect > 0) {
    connect_ms = static_cast<long>(limits.connect) + std::max<long>(limits.resolve, 0);
  }
  set(CURLOPT_CONNECTTIMEOUT_MS, connect_ms);
}

// libcurl checks the certificate chain (authority, usage, dates) as one: it is skipped
// only when all three chain errors are to be ignored. The name check is separate.
void configure_tls(OptionSetter& set, std::int32_t ignored) {
  constexpr std::int32_t chain = kIgnoreUnknownAuthority | kIgnoreWrongUsage | kIgnoreInvalidDate;
  set(CURLOPT_SSL_VERIFYPEER, (ignored & chain) == chain ? 0L : 1L);
  set(CURLOPT_SSL_VERIFYHOST, (ignored & kIgnoreInvalidName) != 0 ? 0L : 2L);
}

// A caller's own Authorization or Proxy-Authorization header stands for itself: the
// matching credentials are then not used, so exactly one such header goes out.
void configure_identity(OptionSetter& set, const HttpExchangeRequest& request) {
  if (request.proxy) set(CURLOPT_PROXY, request.proxy->c_str());
  if (request.server_credentials && !has_header(request.headers, "Authorization")) {
    set(CURLOPT_USERNAME, request.server_credentials->user.c_str());
    set(CURLOPT_PASSWORD, request.server_credentials->password.c_str());
    set(CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_ANY));
  }
  if (request.proxy_credentials && !has_header(request.headers, "Proxy-Authorization")) {
    set(CURLOPT_PROXYUSERNAME, request.proxy_credentials->user.c_str());
    set(CURLOPT_PROXYPASSWORD, request.proxy_credentials->password.c_str());
    set(CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_ANY));
  }
}

void configure_callbacks(OptionSetter& set, Transfer& transfer) {
  set(CURLOPT_HEADERFUNCTION, &on_header);
  set(CURLOPT_HEADERDATA, &transfer);
  set(CURLOPT_WRITEFUNCTION, &on_body);
  set(CURLOPT_WRITEDATA, &transfer);
  set(CURLOPT_PREREQFUNCTION, &on_request_ready);
  set(CURLOPT_PREREQDATA, &transfer);
  set(CURLOPT_XFERINFOFUNCTION, &on_progress);
  set(CURLOPT_XFERINFODATA, &transfer);
  set(CURLOPT_NOPROGRESS, 0L);
}

thread_local ExchangeFailure last_failure = ExchangeFailure::none;

HttpOutcome failure(std::string reason, ExchangeFailure kind = ExchangeFailure::broken_answer) {
  return {std::nullopt, std::move(reason), kind};
}

ExchangeFailure failure_kind(CURLcode code) {
  switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
      return ExchangeFailure::no_connection;
    case CURLE_OPERATION_TIMEDOUT:
      return ExchangeFailure::timed_out;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_USE_SSL_FAILED:
      return ExchangeFailure::secure_connection;
    case CURLE_TOO_MANY_REDIRECTS:
      return ExchangeFailure::too_many_redirects;
    default:
      return ExchangeFailure::broken_answer;
  }
}

HttpOutcome conclude(CURLcode code, Transfer& transfer, const char* error_text) {
  ResponseReader& reader = transfer.reader;
  // A redirect that may not be followed (HTTPS to HTTP) ends libcurl's transfer with
  // this code after the redirect answer has fully arrived: that answer is the result.
  const bool refused_redirect = code == CURLE_UNSUPPORTED_PROTOCOL &&
                                reader.headers_complete() && reader.status() / 100 == 3;
  if ((code == CURLE_OK && reader.headers_complete()) || refused_redirect) {
    return {reader.take_answer(), {}};
  }
  if (transfer.timed_out) return failure("the server did not answer in time", ExchangeFailure::timed_out);
  if (code == CURLE_OK) return failure("no answer came");
  return failure(*error_text != '\0' ? error_text : curl_easy_strerror(code), failure_kind(code));
}

// Runs one exchange; see perform_http_exchange.
HttpOutcome exchange(const CurlEasy& easy, const HttpExchangeRequest& request) {
  if (easy.is_empty()) return failure("libcurl could not start a transfer");
  CURL* curl = easy.get();
  curl_easy_reset(curl);
  Transfer transfer(curl, request.timeouts);
  transfer.reader.use_spool(current_body_spool());
  CurlList server_headers;
  CurlList proxy_headers;
  if (!build_header_lists(request.headers, server_headers, proxy_headers)) {
    return failure("out of memory");
  }
  char error_text[CURL_ERROR_SIZE] = "";
  OptionSetter set(curl);
  set(CURLOPT_ERRORBUFFER, error_text);
  configure_transport(set, request);
  configure_method(set, request);
  configure_connect_timeout(set, request.timeouts);
  configure_tls(set, request.ignored_certificate_errors);
  configure_identity(set, request);
  configure_callbacks(set, transfer);
  set(CURLOPT_HTTPHEADER, server_headers.get());
  set(CURLOPT_PROXYHEADER, proxy_headers.get());
  const CURLcode code =
      set.first_error() != CURLE_OK ? set.first_error() : curl_easy_perform(curl);
  transfer.reporter.finish(transfer.reader.body_size(), transfer.announced_length());
  HttpOutcome outcome = conclude(code, transfer, error_text);
  curl_easy_reset(curl);  // drops the pointers into this function's lists and buffers
  return outcome;
}

}  // namespace

ExchangeFailure take_last_exchange_failure() {
  return std::exchange(last_failure, ExchangeFailure::none);
}

HttpOutcome perform_http_exchange(const CurlEasy& easy, const HttpExchangeRequest& request) {
  HttpOutcome outcome = exchange(easy, request);
  last_failure = outcome.failure;
  return outcome;
}

}  // namespace ff
