#pragma once
// One HTTP exchange over libcurl: the request as the HTTP request object has gathered
// it, and the final answer or the reason the exchange failed.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "platform/curl_handle.h"
#include "platform/http_response_reader.h"

namespace ff {

// Milliseconds; 0 or less means no limit. The send and receive limits bound each wait
// for the network (no byte moved for that long), never the whole transfer.
struct HttpTimeouts {
  std::int32_t resolve = 0;
  std::int32_t connect = 60000;
  std::int32_t send = 30000;
  std::int32_t receive = 30000;
};

// Certificate errors a caller may ask to ignore.
enum CertificateErrorFlag : std::int32_t {
  kIgnoreUnknownAuthority = 0x0100,
  kIgnoreWrongUsage = 0x0200,
  kIgnoreInvalidName = 0x1000,
  kIgnoreInvalidDate = 0x2000,
};

struct HttpCredentials {
  std::string user;
  std::string password;
};

using HeaderList = std::vector<std::pair<std::string, std::string>>;  // name, value

struct HttpExchangeRequest {
  std::string method;                  // sent as it stands: "GET", "POST", ...
  std::string url;                     // as it goes on the wire (encode_request_url)
  HeaderList headers;                  // UTF-8; names unique without regard to case
  std::span<const std::uint8_t> body;  // must outlive the exchange
  HttpTimeouts timeouts;
  // nullopt: libcurl's default (the proxy environment variables); empty: a direct
  // connection; otherwise the proxy URL ("http://host:port").
  std::optional<std::string> proxy;
  std::optional<HttpCredentials> server_credentials;
  std::optional<HttpCredentials> proxy_credentials;
  bool follow_redirects = true;
  std::int32_t ignored_certificate_errors = 0;  // CertificateErrorFlag bits
};

// Why an exchange got no answer, in the kinds a user can act on.
enum class ExchangeFailure {
  none,                // an answer came
  no_connection,       // the name did not resolve or the connection was refused
  timed_out,           // a wait went past its time-out
  broken_answer,       // the answer broke off or could not be read
  secure_connection,   // the TLS handshake or the certificate check failed
  too_many_redirects,  // redirects went on past the limit
};

struct HttpOutcome {
  std::optional<HttpAnswer> answer;  // nullopt when the exchange failed
  std::string error;                 // why it failed
  ExchangeFailure failure = ExchangeFailure::none;
};

// Why the last exchange on the calling thread got no answer (none when it got one, or
// when there was none since the last look), for callers that reach the exchange through
// layers that only tell "no answer". Each look forgets it.
[[nodiscard]] ExchangeFailure take_last_exchange_failure();

// Runs the exchange on `easy` (reset first; its connection cache is kept) and blocks
// until the whole answer has arrived or the exchange failed. Progress goes to the
// calling thread's TransferObserver.
HttpOutcome perform_http_exchange(const CurlEasy& easy, const HttpExchangeRequest& request);

}  // namespace ff
