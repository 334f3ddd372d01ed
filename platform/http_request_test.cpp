#include "platform/http_request.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include "automation/dispatch.h"
#include "platform/body_spool.h"
#include "platform/codepage.h"
#include "platform/http_exchange.h"
#include "platform/testing/loopback_server.h"
#include "platform/transfer_progress.h"

namespace ff {
namespace {

using Clock = std::chrono::steady_clock;
using ::testing::HasSubstr;
using ::testing::Not;
using testing::LoopbackServer;

Variant wide(std::string_view utf8) { return Variant(utf8_to_utf16(utf8)); }

std::string as_utf8(const Answer& answer) { return utf16_to_utf8(answer.wide()); }

Bytes pattern_bytes(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i % 251);
  return bytes;
}

std::string as_string(const Bytes& bytes) { return {bytes.begin(), bytes.end()}; }

// What a test server saw of the last request it answered.
struct SeenRequest {
  std::string method;
  std::string target;
  std::string body;
  httplib::Headers headers;
};

class Recorder {
 public:
  void record(const httplib::Request& request) {
    std::lock_guard lock(mutex_);
    seen_ = {request.method, request.target, request.body, request.headers};
    ++count_;
  }
  SeenRequest last() const {
    std::lock_guard lock(mutex_);
    return seen_;
  }
  int count() const {
    std::lock_guard lock(mutex_);
    return count_;
  }

 private:
  mutable std::mutex mutex_;
  SeenRequest seen_;
  int count_ = 0;
};

// Owns a socket descriptor.
class Socket {
 public:
  explicit Socket(int fd = -1) : fd_(fd) {}
  Socket(Socket&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
  Socket& operator=(Socket&&) = delete;
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  [[nodiscard]] int get() const { return fd_; }

 private:
  int fd_;
};

// Accepts one connection on 127.0.0.1, keeps the request head byte for byte (a parsing
// server would hide what exactly went out) and answers an empty 200.
class RawRequestCapture {
 public:
  RawRequestCapture() : listener_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    auto* generic = reinterpret_cast<sockaddr*>(&address);
    if (::bind(listener_.get(), generic, length) != 0 || ::listen(listener_.get(), 1) != 0 ||
        ::getsockname(listener_.get(), generic, &length) != 0) {
      throw std::runtime_error("cannot listen on 127.0.0.1");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve_one(); });
  }
  ~RawRequestCapture() {
    ::shutdown(listener_.get(), SHUT_RDWR);
    thread_.join();
  }
  [[nodiscard]] int port() const { return port_; }
  [[nodiscard]] std::string url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + std::string(path);
  }
  // The request head, complete once the exchange has ended.
  [[nodiscard]] std::string head() const {
    std::lock_guard lock(mutex_);
    return head_;
  }

 private:
  void serve_one() {
    const Socket connection(::accept(listener_.get(), nullptr, nullptr));
    if (connection.get() < 0) return;
    std::string received;
    char buffer[4096];
    while (received.find("\r\n\r\n") == std::string::npos) {
      const ssize_t n = ::recv(connection.get(), buffer, sizeof buffer, 0);
      if (n <= 0) return;
      received.append(buffer, static_cast<std::size_t>(n));
    }
    {
      std::lock_guard lock(mutex_);
      head_ = received.substr(0, received.find("\r\n\r\n") + 4);
    }
    const std::string_view answer = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    ::send(connection.get(), answer.data(), answer.size(), MSG_NOSIGNAL);
  }

  Socket listener_;
  int port_ = 0;
  mutable std::mutex mutex_;
  std::string head_;
  std::thread thread_;
};

class HttpRequestTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The object's default proxy setting follows the proxy environment variables.
    for (const char* name : {"http_proxy", "https_proxy", "HTTPS_PROXY", "all_proxy",
                             "ALL_PROXY", "no_proxy", "NO_PROXY"}) {
      unsetenv(name);
    }
    register_http_request_object();
  }

  static ComObject new_object() {
    ComObject object;
    EXPECT_TRUE(create_object(kHttpRequestProgId, object));
    return object;
  }

  // A new object, opened for `method` and `url` with one-second time-outs.
  static ComObject opened(std::string_view method, std::string_view url) {
    ComObject object = new_object();
    const Variant second = std::int32_t{1000};
    EXPECT_TRUE(call_method(object, "SetTimeouts", {second, second, second, second}).ok());
    EXPECT_TRUE(call_method(object, "Open", {wide(method), wide(url), false}).ok());
    return object;
  }

  // Registers a handler that records the request and answers `body`.
  void serve_recorded(const std::string& pattern, std::string body = "done") {
    auto handler = [this, body](const httplib::Request& request, httplib::Response& response) {
      recorder_.record(request);
      response.set_content(body, "text/plain");
    };
    server_->Get(pattern, handler);
    server_->Post(pattern, handler);
    server_->Put(pattern, handler);
    server_->Delete(pattern, handler);
    server_->Options(pattern, handler);
  }

  LoopbackServer server_;
  Recorder recorder_;
};

TEST_F(HttpRequestTest, AnswersTheBodyByteForByte) {
  const Bytes sent = pattern_bytes(3 * 1024 * 1024 + 17);  // zero bytes included
  server_->Get("/bytes", [&](const httplib::Request&, httplib::Response& response) {
    response.set_content(as_string(sent), "application/octet-stream");
  });
  server_->Get("/nothing", [](const httplib::Request&, httplib::Response& response) {
    response.status = 204;
  });
  server_.start();

  ComObject object = opened("GET", server_.url("/bytes"));
  ASSERT_TRUE(call_method(object, "Send").ok());
  EXPECT_EQ(get_property(object, "Status").number(), 200);
  EXPECT_EQ(get_property(object, "ResponseBody").bytes(), sent);

  ComObject empty = opened("GET", server_.url("/nothing"));
  ASSERT_TRUE(call_method(empty, "Send").ok());
  const Answer body = get_property(empty, "ResponseBody");
  ASSERT_TRUE(body.ok());
  ASSERT_TRUE(body.raw()->holds<ByteArray>());
  EXPECT_TRUE(body.bytes().empty());
}

TEST_F(HttpRequestTest, SendsTheHeadersTheCallerSetAndNothingElse) {
  RawRequestCapture capture;
  ComObject object = opened("GET", capture.url("/echo"));
  for (const auto& [name, value] : std::vector<std::pair<std::string, std::string>>{
           {"X-One", "first"}, {"x-one", "second"}, {"X-Empty", ""}, {"X-Text", "字 é"}}) {
    SCOPED_TRACE(name);
    EXPECT_TRUE(call_method(object, "SetRequestHeader", {wide(name), wide(value)}).ok());
  }
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"", "v"}, {"Bad Name", "v"}, {"Bad:Name", "v"}, {"名", "v"}, {"X-Split", "a\r\nX-Injected: 1"}};
  for (const auto& [name, value] : refused) {
    SCOPED_TRACE(name);
    EXPECT_FALSE(call_method(object, "SetRequestHeader", {wide(name), wide(value)}).ok());
  }
  ASSERT_TRUE(call_method(object, "Send").ok());

  // The name keeps the spelling of the last call; the text goes out as UTF-8.
  EXPECT_EQ(capture.head(),
            "GET /echo HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(capture.port()) +
                "\r\nx-one: second\r\nX-Empty:\r\nX-Text: 字 é\r\n\r\n");
}

TEST_F(HttpRequestTest, SendsTextAsUtf8AndBytesAsTheyAre) {
  serve_recorded("/body");
  server_.start();
  struct Row {
    std::string method;
    std::optional<Variant> body;  // nullopt: Send without argument
    std::string expected_body;
  };
  const Bytes bytes = {0x00, 0xFF, 0x41, 0x00};
  const std::vector<Row> rows = {
      {"POST", wide("名=字 &x"), "名=字 &x"},
      {"POST", Variant(bytes), as_string(bytes)},
      {"POST", std::nullopt, ""},
      {"PUT", wide("put text"), "put text"},
      {"DELETE", Variant(bytes), as_string(bytes)},
      {"OPTIONS", std::nullopt, ""},
      {"GET", wide("never sent"), ""},
      {"HEAD", wide("never sent"), ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.method + " " + row.expected_body);
    ComObject object = opened(row.method, server_.url("/body"));
    const Answer sent = row.body ? call_method(object, "Send", {*row.body})
                                 : call_method(object, "Send");
    ASSERT_TRUE(sent.ok());
    const SeenRequest seen = recorder_.last();
    EXPECT_EQ(seen.method, row.method);
    EXPECT_EQ(seen.body, row.expected_body);
    EXPECT_EQ(seen.headers.count("Content-Type"), 0u);
    const std::string answer = as_string(get_property(object, "ResponseBody").bytes());
    EXPECT_EQ(answer, row.method == "HEAD" ? "" : "done");
  }
}

TEST_F(HttpRequestTest, ResponseHeadersAreTheFinalAnswersOnly) {
  server_->Get("/from", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("X-Hop", "first");
    response.set_redirect("/final");
  });
  server_->Get("/final", [](const httplib::Request&, httplib::Response& response) {
    response.set_header("X-Final", "yes");
    response.set_header("X-Utf8", "字");
    response.set_header("X-Latin", "\xE9t\xE9");  // not UTF-8: read as Latin-1
    response.set_content("final", "text/plain");
  });
  server_.start();

  ComObject followed = opened("GET", server_.url("/from"));
  ASSERT_TRUE(call_method(followed, "Send").ok());
  EXPECT_EQ(get_property(followed, "Status").number(), 200);
  const std::string block = as_utf8(call_method(followed, "GetAllResponseHeaders"));
  EXPECT_EQ(as_utf8(get_property(followed, "GetAllResponseHeaders")), block);
  EXPECT_THAT(block, HasSubstr("X-Final: yes\r\n"));
  EXPECT_THAT(block, HasSubstr("X-Utf8: 字\r\n"));
  EXPECT_THAT(block, HasSubstr("X-Latin: été\r\n"));
  EXPECT_THAT(block, Not(HasSubstr("X-Hop")));
  EXPECT_THAT(block, Not(HasSubstr("HTTP/")));
  EXPECT_TRUE(block.ends_with("\r\n\r\n")) << block;
  EXPECT_FALSE(block.ends_with("\r\n\r\n\r\n")) << block;
  for (std::size_t i = block.find('\n'); i != std::string::npos; i = block.find('\n', i + 1)) {
    EXPECT_EQ(block[i - 1], '\r') << "a line ended by LF alone at " << i;
  }

  ComObject held = opened("GET", server_.url("/from"));
  ASSERT_TRUE(put_property(held, "Option", std::int32_t{0}, {std::int32_t{6}}));
  EXPECT_FALSE(get_property(held, "Option", {std::int32_t{6}}).truth());
  ASSERT_TRUE(call_method(held, "Send").ok());
  EXPECT_EQ(get_property(held, "Status").number(), 302);
  EXPECT_THAT(as_utf8(get_property(held, "GetAllResponseHeaders")), HasSubstr("Location: /final\r\n"));
}

TEST_F(HttpRequestTest, StatusAndStatusTextAreTheServers) {
  server_->Get(R"(/status/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
    response.status = std::stoi(request.matches[1]);
  });
  server_.start();
  const std::vector<std::pair<int, std::string>> rows = {
      {200, "OK"}, {201, "Created"}, {404, "Not Found"}, {500, "Internal Server Error"}};
  for (const auto& [status, reason] : rows) {
    SCOPED_TRACE(status);
    ComObject object = opened("GET", server_.url("/status/" + std::to_string(status)));
    ASSERT_TRUE(call_method(object, "Send").ok());
    EXPECT_EQ(get_property(object, "Status").number(), status);
    EXPECT_EQ(as_utf8(get_property(object, "StatusText")), reason);
  }
}

TEST_F(HttpRequestTest, ReadsFailWithoutASuccessfulSend) {
  serve_recorded("/ok");
  server_.start();
  LoopbackServer closed;
  closed.start();
  const std::string closed_url = closed.url("/");
  closed.stop();  // nothing listens on that port any more

  auto expect_reads_fail = [](const ComObject& object) {
    for (const char* member : {"ResponseBody", "GetAllResponseHeaders", "Status", "StatusText"}) {
      EXPECT_FALSE(get_property(object, member).ok()) << member;
    }
  };
  ComObject unopened = new_object();
  EXPECT_FALSE(call_method(unopened, "Send").ok());
  expect_reads_fail(unopened);

  ComObject refused = opened("GET", closed_url);
  EXPECT_FALSE(call_method(refused, "Send").ok());
  expect_reads_fail(refused);

  ComObject reopened = opened("GET", server_.url("/ok"));
  ASSERT_TRUE(call_method(reopened, "Send").ok());
  ASSERT_TRUE(call_method(reopened, "Open", {wide("GET"), wide(closed_url)}).ok());
  expect_reads_fail(reopened);
}

TEST_F(HttpRequestTest, RefusesWhatItCannotDo) {
  struct Row {
    const char* what;
    const char* member;
    std::vector<Variant> args;
  };
  const Variant ms = std::int32_t{1000};
  const std::vector<Row> rows = {
      {"negative time-out", "SetTimeouts", {ms, ms, std::int32_t{-2}, ms}},
      {"three time-outs", "SetTimeouts", {ms, ms, ms}},
      {"unknown proxy setting", "SetProxy", {std::int32_t{3}, wide("127.0.0.1:1")}},
      {"no proxy server", "SetProxy", {std::int32_t{2}, wide("")}},
      {"socks proxy", "SetProxy", {std::int32_t{2}, wide("socks5://127.0.0.1:1")}},
      {"bypass list", "SetProxy", {std::int32_t{2}, wide("127.0.0.1:1"), wide("<local>")}},
      {"asynchronous", "Open", {wide("GET"), wide("http://127.0.0.1/"), true}},
      {"method with a blank", "Open", {wide("BAD METHOD"), wide("http://127.0.0.1/")}},
      {"empty link", "Open", {wide("GET"), wide("")}},
      {"link without scheme", "Open", {wide("GET"), wide("127.0.0.1/x")}},
      {"ftp link", "Open", {wide("GET"), wide("ftp://127.0.0.1/x")}},
      {"credential flags 2", "SetCredentials", {wide("u"), wide("p"), std::int32_t{2}}},
      {"unknown member", "Abort", {}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    ComObject object = opened("GET", "http://127.0.0.1/");
    Answer answer;
    switch (row.args.size()) {
      case 0: answer = call_method(object, row.member); break;
      case 2: answer = call_method(object, row.member, {row.args[0], row.args[1]}); break;
      case 3: answer = call_method(object, row.member, {row.args[0], row.args[1], row.args[2]}); break;
      default:
        answer = call_method(object, row.member, {row.args[0], row.args[1], row.args[2], row.args[3]});
    }
    EXPECT_FALSE(answer.ok());
  }
  ComObject object = new_object();
  EXPECT_FALSE(put_property(object, "Option", std::int32_t{1}, {std::int32_t{5}}));
  EXPECT_FALSE(get_property(object, "Option", {std::int32_t{5}}).ok());
  EXPECT_TRUE(put_property(object, "Option", std::int32_t{0x3300}, {std::int32_t{4}}));
  EXPECT_EQ(get_property(object, "Option", {std::int32_t{4}}).number(), 0x3300);
  EXPECT_FALSE(call_method(object, "SetRequestHeader", {wide("X-A"), wide("b")}).ok());
}

TEST_F(HttpRequestTest, ReceiveTimeoutEndsAStalledWaitButNotASlowTransfer) {
  std::atomic<bool> release = false;
  server_->Get("/stall", [&](const httplib::Request&, httplib::Response& response) {
    for (int i = 0; i < 500 && !release; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    response.set_content("late", "text/plain");
  });
  server_->Get("/trickle", [](const httplib::Request&, httplib::Response& response) {
    response.set_chunked_content_provider("text/plain", [](std::size_t, httplib::DataSink& sink) {
      for (int i = 0; i < 6; ++i) {  // 1.5 s in all, longer than the 1 s limit
        std::this_thread::sleep_for(std::chrono::milliseconds(250));
        if (!sink.write("chunk;", 6)) return false;
      }
      sink.done();
      return true;
    });
  });
  server_.start();

  ComObject stalled = opened("GET", server_.url("/stall"));
  const auto start = Clock::now();
  EXPECT_FALSE(call_method(stalled, "Send").ok());
  const auto elapsed = Clock::now() - start;
  release = true;
  EXPECT_GE(elapsed, std::chrono::milliseconds(900));
  EXPECT_LT(elapsed, std::chrono::seconds(4));
  EXPECT_FALSE(get_property(stalled, "Status").ok());

  ComObject slow = opened("GET", server_.url("/trickle"));
  ASSERT_TRUE(call_method(slow, "Send").ok());
  EXPECT_EQ(as_string(get_property(slow, "ResponseBody").bytes()), "chunk;chunk;chunk;chunk;chunk;chunk;");
}

TEST_F(HttpRequestTest, BrokenAnswersFailTheExchange) {
  server_->Get("/short", [](const httplib::Request&, httplib::Response& response) {
    response.set_content_provider(1000, "text/plain",
                                  [](std::size_t offset, std::size_t, httplib::DataSink& sink) {
                                    if (offset > 0) return false;  // the connection drops
                                    return sink.write(std::string(500, 'x').data(), 500);
                                  });
  });
  server_->Get("/flood", [](const httplib::Request&, httplib::Response& response) {
    for (int i = 0; i < 20000; ++i) {
      response.set_header("X-Flood-" + std::to_string(i), std::string(60, 'f'));
    }
  });
  server_.start();
  for (const char* path : {"/short", "/flood"}) {
    SCOPED_TRACE(path);
    ComObject object = opened("GET", server_.url(path));
    EXPECT_FALSE(call_method(object, "Send").ok());
    EXPECT_FALSE(get_property(object, "ResponseBody").ok());
    EXPECT_EQ(take_last_exchange_failure(), ExchangeFailure::broken_answer);
    EXPECT_EQ(take_last_exchange_failure(), ExchangeFailure::none) << "forgotten once taken";
  }
  const std::string closed = server_.url("/short");
  server_.stop();
  ComObject object = opened("GET", closed);
  EXPECT_FALSE(call_method(object, "Send").ok());
  EXPECT_EQ(take_last_exchange_failure(), ExchangeFailure::no_connection);
}

TEST_F(HttpRequestTest, LinkGoesOutPercentEncoded) {
  serve_recorded(".*");
  server_.start();
  ComObject object = opened("GET", server_.url("/a b/字?q=é&x=%41&y=5%"));
  ASSERT_TRUE(call_method(object, "Send").ok());
  EXPECT_EQ(recorder_.last().target, "/a%20b/%E5%AD%97?q=%C3%A9&x=%41&y=5%25");
}

TEST_F(HttpRequestTest, ReportsProgressAndTheEnd) {
  const Bytes sent = pattern_bytes(2 * 1024 * 1024);
  server_->Get("/bytes", [&](const httplib::Request&, httplib::Response& response) {
    response.set_content(as_string(sent), "application/octet-stream");
  });
  server_.start();
  std::vector<TransferProgress> reports;
  const TransferObserver previous =
      set_transfer_observer([&](const TransferProgress& progress) { reports.push_back(progress); });
  ComObject object = opened("GET", server_.url("/bytes"));
  ASSERT_TRUE(call_method(object, "Send").ok());
  set_transfer_observer(previous);

  ASSERT_FALSE(reports.empty());
  EXPECT_TRUE(reports.back().finished);
  EXPECT_EQ(reports.back().received, sent.size());
  EXPECT_EQ(reports.back().total, sent.size());
  for (std::size_t i = 0; i + 1 < reports.size(); ++i) EXPECT_FALSE(reports[i].finished);
}

// Keeps what it is given in memory; can be told to refuse at the start or part-way.
class RecordingSpool final : public BodySpool {
 public:
  explicit RecordingSpool(std::size_t limit, bool take = true, std::size_t room = SIZE_MAX)
      : limit_(limit), take_(take), room_(room) {}
  [[nodiscard]] std::size_t hold_limit() const override { return limit_; }
  bool begin(std::span<const std::uint8_t> held) override {
    ++begun;
    return take_ && add(held);
  }
  bool add(std::span<const std::uint8_t> bytes) override {
    if (taken.size() + bytes.size() > room_) return false;
    taken.insert(taken.end(), bytes.begin(), bytes.end());
    return true;
  }
  void restart() override { taken.clear(); }

  Bytes taken;
  int begun = 0;

 private:
  std::size_t limit_;
  bool take_;
  std::size_t room_;
};

TEST_F(HttpRequestTest, LongBodyGoesToTheInstalledSpool) {
  const Bytes sent = pattern_bytes(3 * 1024 * 1024 + 17);
  server_->Get("/bytes", [&](const httplib::Request&, httplib::Response& response) {
    response.set_content(as_string(sent), "application/octet-stream");
  });
  server_->Get("/moved", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("/bytes");
  });
  server_.start();
  const std::size_t limit = 64 * 1024;
  const auto fetch = [&](RecordingSpool& spool, const char* path) {
    const ScopedBodySpool installed(spool);
    ComObject object = opened("GET", server_.url(path));
    const bool sent_ok = call_method(object, "Send").ok();
    return std::pair(sent_ok, get_property(object, "ResponseBody").bytes());
  };

  for (const char* path : {"/bytes", "/moved"}) {
    SCOPED_TRACE(path);
    RecordingSpool spool(limit);
    const auto [ok, head] = fetch(spool, path);
    ASSERT_TRUE(ok);
    EXPECT_EQ(spool.taken, sent);
    EXPECT_GT(head.size(), limit);
    EXPECT_LT(head.size(), sent.size());
    EXPECT_TRUE(std::equal(head.begin(), head.end(), sent.begin()));
  }
  {
    SCOPED_TRACE("a spool that cannot begin leaves the body in memory");
    RecordingSpool declining(limit, false);
    const auto [ok, body] = fetch(declining, "/bytes");
    ASSERT_TRUE(ok);
    EXPECT_EQ(declining.begun, 1);
    EXPECT_EQ(body, sent);
  }
  {
    SCOPED_TRACE("a spool that fails part-way abandons the exchange");
    RecordingSpool full(limit, true, 1024 * 1024);
    EXPECT_FALSE(fetch(full, "/bytes").first);
  }
  {
    SCOPED_TRACE("bodies within the limit and other threads' exchanges pass it by");
    RecordingSpool roomy(sent.size());
    EXPECT_EQ(fetch(roomy, "/bytes").second, sent);
    EXPECT_EQ(roomy.begun, 0);
    RecordingSpool spool(limit);
    const ScopedBodySpool installed(spool);
    std::thread([&] {
      ComObject object = opened("GET", server_.url("/bytes"));
      EXPECT_TRUE(call_method(object, "Send").ok());
    }).join();
    EXPECT_EQ(spool.begun, 0);
  }
}

// --- Proxies and credentials ----------------------------------------------------------

TEST_F(HttpRequestTest, PlainProxySeesTheAbsoluteLinkAndOneProxyAuthorization) {
  serve_recorded(".*", "via proxy");
  server_.start();
  ComObject object = opened("GET", "http://origin.invalid/path?x=1");
  const std::string proxy = "127.0.0.1:" + std::to_string(server_.port());
  ASSERT_TRUE(call_method(object, "SetProxy", {std::int32_t{2}, wide(proxy)}).ok());
  ASSERT_TRUE(call_method(object, "SetCredentials", {wide("user"), wide("pw"), std::int32_t{1}}).ok());
  ASSERT_TRUE(call_method(object, "SetRequestHeader",
                          {wide("Proxy-Authorization"), wide("Basic Y2FsbGVy")}).ok());
  ASSERT_TRUE(call_method(object, "Send").ok());

  EXPECT_EQ(as_string(get_property(object, "ResponseBody").bytes()), "via proxy");
  const SeenRequest seen = recorder_.last();
  EXPECT_EQ(seen.target, "http://origin.invalid/path?x=1");
  ASSERT_EQ(seen.headers.count("Proxy-Authorization"), 1u);
  EXPECT_EQ(seen.headers.find("Proxy-Authorization")->second, "Basic Y2FsbGVy");
}

TEST_F(HttpRequestTest, ProxyListPicksTheEntryForTheLinksScheme) {
  serve_recorded(".*", "answered");
  server_.start();
  const std::string here = "127.0.0.1:" + std::to_string(server_.port());
  struct Row {
    std::string list;
    bool through_proxy;
  };
  const std::vector<Row> rows = {
      {"http=" + here + ";https=127.0.0.1:9", true},
      {"https=127.0.0.1:9 http://" + here, true},
      {"https=127.0.0.1:9", false},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.list);
    ComObject object = opened("GET", server_.url("/direct"));
    ASSERT_TRUE(call_method(object, "SetProxy", {std::int32_t{2}, wide(row.list)}).ok());
    ASSERT_TRUE(call_method(object, "Send").ok());
    EXPECT_EQ(recorder_.last().target.starts_with("http://"), row.through_proxy);
  }
}

TEST_F(HttpRequestTest, CredentialsAnswerAChallenge) {
  Recorder proxy_seen;
  server_->Get(".*", [&](const httplib::Request& request, httplib::Response& response) {
    const bool via_proxy = request.target.starts_with("http://");
    Recorder& recorder = via_proxy ? proxy_seen : recorder_;
    recorder.record(request);
    const char* header = via_proxy ? "Proxy-Authorization" : "Authorization";
    if (request.has_header(header)) {
      response.set_content("welcome", "text/plain");
      return;
    }
    response.status = via_proxy ? 407 : 401;
    response.set_header(via_proxy ? "Proxy-Authenticate" : "WWW-Authenticate", "Basic realm=\"t\"");
  });
  server_.start();

  ComObject to_server = opened("GET", server_.url("/secret"));
  ASSERT_TRUE(call_method(to_server, "SetCredentials", {wide("user"), wide("pw"), std::int32_t{0}}).ok());
  ASSERT_TRUE(call_method(to_server, "Send").ok());
  EXPECT_EQ(get_property(to_server, "Status").number(), 200);
  EXPECT_EQ(recorder_.last().headers.find("Authorization")->second, "Basic dXNlcjpwdw==");

  ComObject to_proxy = opened("GET", "http://origin.invalid/");
  const std::string proxy = "127.0.0.1:" + std::to_string(server_.port());
  ASSERT_TRUE(call_method(to_proxy, "SetProxy", {std::int32_t{2}, wide(proxy)}).ok());
  ASSERT_TRUE(call_method(to_proxy, "SetCredentials", {wide("user"), wide("pw"), std::int32_t{1}}).ok());
  ASSERT_TRUE(call_method(to_proxy, "Send").ok());
  EXPECT_EQ(get_property(to_proxy, "Status").number(), 200);
  const SeenRequest seen = proxy_seen.last();
  ASSERT_EQ(seen.headers.count("Proxy-Authorization"), 1u);
  EXPECT_EQ(seen.headers.find("Proxy-Authorization")->second, "Basic dXNlcjpwdw==");
}

// --- HTTPS ------------------------------------------------------------------------------

// A self-signed certificate for the address 127.0.0.1 (not for the name "localhost"),
// made for this test run.
class HttpsTest : public HttpRequestTest {
 protected:
  static void SetUpTestSuite() {
    HttpRequestTest::SetUpTestSuite();
    folder_ = std::filesystem::temp_directory_path() /
              ("ff-http-test-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    const std::string command =
        "openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes -days 2"
        " -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1"
        " -keyout '" + key_file() + "' -out '" + certificate_file() + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
  }
  static void TearDownTestSuite() { std::filesystem::remove_all(folder_); }

  static std::string certificate_file() { return (folder_ / "cert.pem").string(); }
  static std::string key_file() { return (folder_ / "key.pem").string(); }

  static inline std::filesystem::path folder_;
  LoopbackServer secure_{certificate_file(), key_file()};
};

TEST_F(HttpsTest, CertificateErrorsAreIgnoredOnlyAsAsked) {
  secure_->Get("/", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("secret", "text/plain");
  });
  secure_.start();
  const std::string by_address = secure_.url("/");
  const std::string by_name = "https://localhost:" + std::to_string(secure_.port()) + "/";
  struct Row {
    std::string url;
    std::int32_t ignored;
    bool succeeds;
  };
  const std::vector<Row> rows = {
      {by_address, 0, false},       // unknown authority
      {by_address, 0x1000, false},  // the name alone does not excuse the chain
      {by_address, 0x2300, true},   // chain errors ignored, the name matches
      {by_name, 0x2300, false},     // the name does not match
      {by_name, 0x3300, true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.url + " " + std::to_string(row.ignored));
    ComObject object = opened("GET", row.url);
    ASSERT_TRUE(put_property(object, "Option", row.ignored, {std::int32_t{4}}));
    EXPECT_EQ(call_method(object, "Send").ok(), row.succeeds);
    EXPECT_EQ(as_string(get_property(object, "ResponseBody").bytes()), row.succeeds ? "secret" : "");
  }
}

TEST_F(HttpsTest, RedirectFromHttpsToHttpIsNotFollowed) {
  serve_recorded("/plain", "plain");
  server_.start();
  const std::string plain = server_.url("/plain");
  secure_->Get("/down", [&](const httplib::Request&, httplib::Response& response) {
    response.set_redirect(plain);
  });
  secure_->Get("/across", [](const httplib::Request&, httplib::Response& response) {
    response.set_redirect("/final");
  });
  secure_->Get("/final", [](const httplib::Request&, httplib::Response& response) {
    response.set_content("final", "text/plain");
  });
  secure_.start();

  ComObject down = opened("GET", secure_.url("/down"));
  ASSERT_TRUE(put_property(down, "Option", std::int32_t{0x3300}, {std::int32_t{4}}));
  ASSERT_TRUE(call_method(down, "Send").ok());
  EXPECT_EQ(get_property(down, "Status").number(), 302);
  EXPECT_THAT(as_utf8(get_property(down, "GetAllResponseHeaders")), HasSubstr("Location: " + plain));
  EXPECT_EQ(recorder_.count(), 0);

  ComObject across = opened("GET", secure_.url("/across"));
  ASSERT_TRUE(put_property(across, "Option", std::int32_t{0x3300}, {std::int32_t{4}}));
  ASSERT_TRUE(call_method(across, "Send").ok());
  EXPECT_EQ(as_string(get_property(across, "ResponseBody").bytes()), "final");
}

}  // namespace
}  // namespace ff
