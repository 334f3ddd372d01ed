#include "web/web_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "automation/dispatch.h"
#include "platform/http_request.h"
#include "platform/testing/loopback_server.h"
#include "web/testing/recording_server.h"

namespace ff {
namespace {

using ::testing::HasSubstr;
using ::ff::testing::http_response;
using ::ff::testing::LoopbackServer;
using ::ff::testing::RecordingServer;

const std::string user_agent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";

// Zero bytes at the start, inside and at the end, and every byte value.
std::string awkward_body() {
  std::string body("\0\0a\0", 4);
  for (int round = 0; round < 64; ++round) {
    for (int value = 0; value < 256; ++value) body += static_cast<char>(value);
  }
  return body + std::string(1, '\0');
}

Bytes to_bytes(std::string_view s) { return bytes_of(s); }

// What the httplib server saw of the latest request.
struct SeenRequest {
  std::string method;
  std::string target;
  std::string body;
  httplib::Headers headers;
  [[nodiscard]] std::vector<std::string> values(const std::string& name) const {
    std::vector<std::string> found;
    auto [from, to] = headers.equal_range(name);
    for (auto it = from; it != to; ++it) found.push_back(it->second);
    return found;
  }
};

// Header lines of a recorded head, without the request line and curl's own Host line.
std::vector<std::string> header_lines_without_host(std::vector<std::string> lines) {
  if (!lines.empty()) lines.erase(lines.begin());
  std::erase_if(lines, [](const std::string& line) { return line.starts_with("Host: "); });
  return lines;
}

std::vector<std::string> lines_named(const std::vector<std::string>& lines,
                                     std::string_view prefix) {
  std::vector<std::string> found;
  for (const std::string& line : lines) {
    if (line.starts_with(prefix)) found.push_back(line);
  }
  return found;
}

class WebRequestTest : public ::testing::Test {
 protected:
  void SetUp() override {
    initial_components_ = component_init_count();
    httplib::Server& routes = *server_;
    routes.Get("/body", [this](const httplib::Request& request, httplib::Response& response) {
      record(request);
      response.set_content(awkward_body(), "application/octet-stream");
    });
    auto echo = [this](const httplib::Request& request, httplib::Response& response) {
      record(request);
      response.set_content("ok", "text/plain");
    };
    routes.Post("/echo", echo);
    routes.Get("/cookies", [this](const httplib::Request& request, httplib::Response& response) {
      record(request);
      response.set_header("Set-Cookie", "a=new; Path=/");
      response.set_header("Set-Cookie", "gone=deleted; Path=/");
      response.set_header("Set-Cookie", "c=3; HttpOnly");
      response.set_content("cookies", "text/plain");
    });
    routes.Get("/redirect", [](const httplib::Request&, httplib::Response& response) {
      response.set_redirect("/body");
    });
    routes.Get("/stall", [this](const httplib::Request&, httplib::Response& response) {
      std::unique_lock lock(mutex_);
      released_.wait_for(lock, std::chrono::seconds(30), [this] { return release_; });
      response.set_content("late", "text/plain");
    });
    server_.start();
  }

  void TearDown() override {
    {
      std::lock_guard lock(mutex_);
      release_ = true;
    }
    released_.notify_all();
    server_.stop();
    EXPECT_EQ(component_init_count(), initial_components_) << "CoInitialize left unbalanced";
  }

  void record(const httplib::Request& request) {
    std::lock_guard lock(mutex_);
    seen_ = {request.method, request.target, request.body, request.headers};
  }
  SeenRequest seen() {
    std::lock_guard lock(mutex_);
    return seen_;
  }

  LoopbackServer server_;
  std::mutex mutex_;
  std::condition_variable released_;
  bool release_ = false;
  SeenRequest seen_;
  int initial_components_ = 0;
};

TEST_F(WebRequestTest, LinkAloneSendsAGetWithTheFourDefaultLinesInOrder) {
  RecordingServer recorder(http_response("HTTP/1.1 200 OK", awkward_body()));
  const std::string link = recorder.url("/page?x=1");

  const Bytes body = web_request(link);

  EXPECT_EQ(body, to_bytes(awkward_body()));
  const std::vector<std::string> lines = recorder.last_head_lines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.front(), "GET /page?x=1 HTTP/1.1");
  EXPECT_EQ(header_lines_without_host(lines),
            (std::vector<std::string>{"Accept: */*", "Referer: " + link,
                                      "Accept-Language: zh-cn", "User-Agent: " + user_agent}));
  std::string sent;
  for (const std::string& line : lines) sent += line + "\n";
  RecordProperty("sent_request_head", sent);
}

TEST_F(WebRequestTest, BodyHeadersAndStatusComeBack) {
  Text headers = "stale";
  int status = -7;
  WebRequestOptions options;
  options.response_headers = &headers;
  options.status_code = &status;

  const Bytes body = web_request(server_.url("/body"), options);

  EXPECT_EQ(body, to_bytes(awkward_body()));
  EXPECT_EQ(status, 200);
  EXPECT_THAT(headers.str(), HasSubstr("Content-Type: application/octet-stream\r\n"));
  EXPECT_EQ(seen().method, "GET");
  EXPECT_TRUE(seen().values("Cookie").empty());
}

TEST_F(WebRequestTest, PostSendsTheTextBodyOrTheByteBodyWhichWins) {
  WebRequestOptions options;
  options.method = method_post;
  options.post_text = "a=1&b=%20";
  EXPECT_EQ(web_request(server_.url("/echo"), options), to_bytes("ok"));
  EXPECT_EQ(seen().method, "POST");
  EXPECT_EQ(seen().body, "a=1&b=%20");
  EXPECT_EQ(seen().values("Content-Type"),
            std::vector<std::string>{"application/x-www-form-urlencoded"});

  options.post_bytes = {0x00, 0x01, 0xFF, 0x00, 'z'};
  options.request_headers = "content-TYPE: application/octet-stream";
  EXPECT_EQ(web_request(server_.url("/echo"), options), to_bytes("ok"));
  EXPECT_EQ(seen().body, std::string("\0\1\xFF\0z", 5));
  EXPECT_EQ(seen().values("Content-Type"), std::vector<std::string>{"application/octet-stream"});
}

TEST(WebRequestMethod, IndexGivesTheMethodNameAndOutOfRangeGivesGet) {
  const std::pair<int, std::string> rows[] = {
      {0, "GET"},     {1, "POST"},    {2, "HEAD"},  {3, "PUT"},   {4, "OPTIONS"},
      {5, "DELETE"},  {6, "TRACE"},   {7, "CONNECT"}, {8, "GET"}, {-1, "GET"},
  };
  for (const auto& [method, name] : rows) {
    SCOPED_TRACE(method);
    RecordingServer recorder(http_response("HTTP/1.1 200 OK", ""));
    WebRequestOptions options;
    options.method = method;
    options.timeout_seconds = 5;
    (void)web_request(recorder.url("/m"), options);
    const std::vector<std::string> lines = recorder.last_head_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), name + " /m HTTP/1.1");
    EXPECT_EQ(lines_named(lines, "Content-Type:").size(), method == method_post ? 1u : 0u);
  }
}

TEST_F(WebRequestTest, HeaderLinesAreNormalisedDefaultedAndKeepAliveSkipped) {
  RecordingServer recorder(http_response("HTTP/1.1 200 OK", "x"));
  const std::string link = recorder.url("/h");
  WebRequestOptions options;
  options.request_headers = "x-custom-name: a:b\r\n\r\nConnection: keep-alive\r\naccept: text/html";

  (void)web_request(link, options);
  EXPECT_EQ(header_lines_without_host(recorder.last_head_lines()),
            (std::vector<std::string>{"X-Custom-Name: a:b", "Accept: text/html",
                                      "Referer: " + link, "Accept-Language: zh-cn",
                                      "User-Agent: " + user_agent}));

  options.normalize_headers = false;
  options.add_default_headers = false;
  options.request_headers = "x-custom-name: v\r\nConnection: close";
  (void)web_request(link, options);
  const std::vector<std::string> lines = header_lines_without_host(recorder.last_head_lines());
  EXPECT_EQ(lines_named(lines, "x-custom-name:"), std::vector<std::string>{"x-custom-name: v"});
  EXPECT_EQ(lines_named(lines, "Connection:"), std::vector<std::string>{"Connection: close"});
  EXPECT_TRUE(lines_named(lines, "Referer:").empty());
}

TEST_F(WebRequestTest, CookiesAreSentGatheredAndMerged) {
  Text cookies = "Cookie: a=1; gone=x; b=2";
  Text returned = "stale";
  WebRequestOptions options;
  options.cookies = &cookies;
  options.returned_cookies = &returned;

  EXPECT_EQ(web_request(server_.url("/cookies"), options), to_bytes("cookies"));

  EXPECT_EQ(seen().values("Cookie"), std::vector<std::string>{"a=1; gone=x; b=2"});
  EXPECT_EQ(cookies, Text("a=new; c=3; b=2"));
  EXPECT_EQ(returned, cookies);
}

TEST_F(WebRequestTest, WithoutMergingTheCookiesKeepWhatWasSent) {
  Text cookies = "cookie: a=1; COOKIE:b=2";
  Text returned;
  WebRequestOptions options;
  options.cookies = &cookies;
  options.returned_cookies = &returned;
  options.auto_merge_cookies = false;

  (void)web_request(server_.url("/cookies"), options);

  EXPECT_EQ(cookies, Text(" a=1; b=2"));  // markers removed, nothing trimmed
  EXPECT_EQ(returned, Text("a=new; gone=deleted; c=3"));
}

TEST_F(WebRequestTest, RedirectsAreFollowedUnlessBlocked) {
  int status = 0;
  Text headers;
  WebRequestOptions options;
  options.status_code = &status;
  options.response_headers = &headers;

  EXPECT_EQ(web_request(server_.url("/redirect"), options), to_bytes(awkward_body()));
  EXPECT_EQ(status, 200);

  options.block_redirects = true;
  EXPECT_TRUE(web_request(server_.url("/redirect"), options).empty());
  EXPECT_EQ(status, 302);
  EXPECT_THAT(headers.str(), HasSubstr("Location: /body\r\n"));
}

TEST_F(WebRequestTest, AStalledServerEndsTheCallAfterTheTimeOut) {
  int status = -1;
  Text headers = "stale";
  WebRequestOptions options;
  options.timeout_seconds = 1;
  options.status_code = &status;
  options.response_headers = &headers;

  const auto started = std::chrono::steady_clock::now();
  const Bytes body = web_request(server_.url("/stall"), options);
  const auto elapsed = std::chrono::steady_clock::now() - started;

  EXPECT_TRUE(body.empty());
  EXPECT_EQ(status, 0);
  EXPECT_EQ(headers, Text());
  EXPECT_LT(elapsed, std::chrono::seconds(6));
}

TEST_F(WebRequestTest, TimeOutMinusOneKeepsTheObjectsOwnTimeOuts) {
  ComObject own = make_http_request_object();
  const Variant one_second(std::int32_t{1000});
  ASSERT_TRUE(call_method(own, "SetTimeouts", {one_second, one_second, one_second, one_second})
                  .ok());
  WebRequestOptions options;
  options.request_object = own;
  options.timeout_seconds = -1;

  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(web_request(server_.url("/stall"), options).empty());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(6))
      << "the default of 15 seconds was set over the object's own time-outs";
}

TEST_F(WebRequestTest, AnUnreachablePortGivesEmptyResults) {
  Text headers = "stale";
  Text returned = "stale";
  int status = -1;
  WebRequestOptions options;
  options.response_headers = &headers;
  options.returned_cookies = &returned;
  options.status_code = &status;

  const Bytes body =
      web_request("http://127.0.0.1:" + std::to_string(ff::testing::unused_port()) + "/", options);

  EXPECT_TRUE(body.empty());
  EXPECT_EQ(status, 0);
  EXPECT_EQ(headers, Text());
  EXPECT_EQ(returned, Text());
}

TEST_F(WebRequestTest, ACallersOwnObjectIsUsedAndStaysAlive) {
  ComObject own = make_http_request_object();
  ASSERT_FALSE(own.is_empty());
  WebRequestOptions options;
  options.request_object = own;

  EXPECT_EQ(web_request(server_.url("/body"), options), to_bytes(awkward_body()));
  EXPECT_EQ(own.use_count(), 2);  // `own` and the copy in `options`
  options.method = method_post;
  EXPECT_EQ(web_request(server_.url("/echo"), options), to_bytes("ok"));
  EXPECT_EQ(own.use_count(), 2);
}

TEST_F(WebRequestTest, AGivenButEmptyObjectGivesEmptyResults) {
  Text headers = "stale";
  Text returned = "stale";
  int status = -1;
  WebRequestOptions options;
  options.request_object = ComObject();
  options.response_headers = &headers;
  options.returned_cookies = &returned;
  options.status_code = &status;

  EXPECT_TRUE(web_request(server_.url("/body"), options).empty());
  EXPECT_EQ(headers, Text());
  EXPECT_EQ(returned, Text());
  EXPECT_EQ(status, 0);
  EXPECT_TRUE(seen().method.empty()) << "the server was reached";
}

TEST_F(WebRequestTest, WhenNoObjectCanBeCreatedNothingIsWritten) {
  register_http_request_object();
  const Factory original =
      register_factory(std::string(kHttpRequestProgId), [] { return ComObject(); });
  Text cookies = "a=1";
  Text returned = "r";
  Text headers = "h";
  int status = 7;
  WebRequestOptions options;
  options.cookies = &cookies;
  options.returned_cookies = &returned;
  options.response_headers = &headers;
  options.status_code = &status;

  const Bytes body = web_request(server_.url("/body"), options);
  register_factory(std::string(kHttpRequestProgId), original);

  EXPECT_TRUE(body.empty());
  EXPECT_EQ(cookies, Text("a=1"));
  EXPECT_EQ(returned, Text("r"));
  EXPECT_EQ(headers, Text("h"));
  EXPECT_EQ(status, 7);
  EXPECT_TRUE(seen().method.empty()) << "the server was reached";
}

TEST(WebRequestProxy, TheProxyGetsTheAbsoluteFormAndBasicCredentialsForFlagOne) {
  struct Row {
    int flags;
    const char* user;
    bool authorised;
  };
  const Row rows[] = {{1, "user", true}, {0, "user", false}, {1, "", false}};
  for (const Row& row : rows) {
    SCOPED_TRACE(std::to_string(row.flags) + " " + row.user);
    RecordingServer proxy(http_response("HTTP/1.1 200 OK", "via proxy"));
    WebRequestOptions options;
    options.proxy_address = "127.0.0.1:" + std::to_string(proxy.port());
    options.proxy_user = row.user;
    options.proxy_password = "pa:ss";
    options.proxy_credential_flags = row.flags;

    EXPECT_EQ(web_request("http://example.invalid:8080/doc?q=1", options), to_bytes("via proxy"));

    const std::vector<std::string> lines = proxy.last_head_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "GET http://example.invalid:8080/doc?q=1 HTTP/1.1");
    const std::vector<std::string> expected =
        row.authorised ? std::vector<std::string>{"Proxy-Authorization: Basic dXNlcjpwYTpzcw=="}
                       : std::vector<std::string>{};
    EXPECT_EQ(lines_named(lines, "Proxy-Authorization:"), expected);
  }
}

// A self-signed certificate made for this test run.
class WebRequestHttpsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("ff_web_tls_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    const std::string command =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 1 "
        "-subj /CN=self-signed.invalid -keyout '" + (folder_ / "key.pem").string() +
        "' -out '" + (folder_ / "cert.pem").string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::filesystem::path folder_;
};

TEST_F(WebRequestHttpsTest, CertificateErrorsAreIgnored) {
  LoopbackServer server((folder_ / "cert.pem").string(), (folder_ / "key.pem").string());
  server->Get("/secure", [](const httplib::Request&, httplib::Response& response) {
    response.set_content(std::string("tls\0body", 8), "application/octet-stream");
  });
  server.start();
  int status = 0;
  WebRequestOptions options;
  options.status_code = &status;

  EXPECT_EQ(web_request(server.url("/secure"), options), to_bytes(std::string("tls\0body", 8)));
  EXPECT_EQ(status, 200);
}

}  // namespace
}  // namespace ff
