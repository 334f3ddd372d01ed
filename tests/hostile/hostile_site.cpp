#include "tests/hostile/hostile_site.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

namespace ff::testing {
namespace {

constexpr std::size_t kBigBodyBytes = std::size_t{100} << 20;  // 100 MiB, no zero byte
constexpr int kHeaderLines = 100'000;
constexpr int kCookieLines = 10'000;
constexpr int kNestingDepth = 1'000'000;
constexpr std::size_t kChunk = 1 << 20;

constexpr char kFiller = 'a';

std::string nested_arrays() {
  return std::string(kNestingDepth, '[') + std::string(kNestingDepth, ']');
}

// Script answers: the dialogue's JSON document evaluates eval(answer), so a string
// literal is run once more as a script.
constexpr std::string_view kEndlessLoop = R"js("for(;;){}")js";
constexpr std::string_view kMemoryBomb =
    R"js("var a=[];for(;;)a.push(new Array(1<<20).join('x')+a.length)")js";
constexpr std::string_view kGiantCall = "'x'.repeat(1<<29)";
const std::string kDeepNesting = nested_arrays();
constexpr std::string_view kSmallFont = "font bytes";
constexpr std::size_t kAnnouncedBytes = 4 << 20;  // announced whole, sent in part

std::string head(std::string_view status, std::size_t length, std::string_view extra = {}) {
  return "HTTP/1.1 " + std::string(status) + "\r\nContent-Type: font/ttf\r\nContent-Length: " +
         std::to_string(length) + "\r\nConnection: close\r\n" + std::string(extra) + "\r\n";
}

// The case's answer: its body, then its filler a chunk at a time.
void send_answer(const Connection& connection, const HostileCase& c) {
  if (!connection.send(head("200 OK", c.body.size() + c.filler_bytes) + std::string(c.body))) return;
  const std::string chunk(kChunk, kFiller);
  for (std::size_t left = c.filler_bytes; left > 0;) {
    const std::size_t n = std::min(left, kChunk);
    if (!connection.send(std::string_view(chunk).substr(0, n))) return;
    left -= n;
  }
}

// Header lines "name: <prefix><i>=<i>" for i = 0..count-1.
std::string numbered_lines(int count, std::string_view name, std::string_view prefix) {
  std::string lines;
  for (int i = 0; i < count; ++i) {
    lines += std::string(name) + ": " + std::string(prefix) + std::to_string(i) + "=" +
             std::to_string(i) + "\r\n";
  }
  return lines;
}

}  // namespace

const std::vector<HostileCase>& hostile_cases() {
  static const std::vector<HostileCase> cases = {
      {"script: endless loop", "/script/loop.ttf", Expected::saved, kEndlessLoop},
      {"script: memory bomb", "/script/bomb.ttf", Expected::saved, kMemoryBomb},
      {"script: giant built-in call", "/script/giant.ttf", Expected::saved, kGiantCall},
      {"script: 10^6-deep nesting", "/script/nesting.ttf", Expected::saved, kDeepNesting},
      {"100 MiB body, no zero byte", "/big/body.ttf", Expected::saved, {}, kBigBodyBytes},
      {"10^5 header lines", "/headers/many.ttf", Expected::either, kSmallFont},
      {"10^4 Set-Cookie lines", "/cookies/many.ttf", Expected::saved, kSmallFont},
      {"body short of Content-Length", "/short/body.ttf", Expected::refused, {}, 0, false, "下载中断"},
      {"connection reset mid-body", "/reset/body.ttf", Expected::refused, {}, 0, false, "下载中断"},
      {"stall past the time-out", "/stall/body.ttf", Expected::refused, {}, 0, false,
       "服务器响应超时"},
      {"redirect loop", "/redirect/loop.ttf", Expected::refused, {}, 0, false, "重定向次数过多"},
      {"TLS handshake failure", "/tls/font.ttf", Expected::refused, {}, 0, true, "安全连接失败"},
  };
  return cases;
}

bool holds_answer(const std::string& path, const HostileCase& c) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string start(c.body.size(), '\0');
  in.read(start.data(), static_cast<std::streamsize>(start.size()));
  if (static_cast<std::size_t>(in.gcount()) != c.body.size() || start != c.body) return false;
  std::string chunk(kChunk, '\0');
  std::size_t filler = 0;
  while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
    const auto n = static_cast<std::size_t>(in.gcount());
    if (std::string_view(chunk).substr(0, n).find_first_not_of(kFiller) != std::string_view::npos) {
      return false;
    }
    filler += n;
  }
  return filler == c.filler_bytes;
}

void answer_hostile(const std::string& path, const Connection& connection) {
  const std::vector<HostileCase>& cases = hostile_cases();
  const auto match = std::ranges::find(cases, path, &HostileCase::path);
  const std::string small_font(kSmallFont);
  if (path == "tls") {
    // A ClientHello answered in plain text: no handshake can succeed.
    connection.send("HTTP/1.1 400 Bad Request\r\nConnection: close\r\n\r\n");
  } else if (path == "/headers/many.ttf") {
    connection.send(head("200 OK", kSmallFont.size(), numbered_lines(kHeaderLines, "X-Filler", "f")) +
                    small_font);
  } else if (path == "/cookies/many.ttf") {
    connection.send(head("200 OK", kSmallFont.size(), numbered_lines(kCookieLines, "Set-Cookie", "c")) +
                    small_font);
  } else if (path == "/short/body.ttf") {
    connection.send(head("200 OK", kAnnouncedBytes) + std::string(1000, kFiller));
  } else if (path == "/reset/body.ttf") {
    connection.send(head("200 OK", kAnnouncedBytes) + std::string(kAnnouncedBytes / 4, kFiller));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    connection.reset();
  } else if (path == "/stall/body.ttf") {
    connection.wait_for_peer_to_leave();
  } else if (path == "/redirect/loop.ttf") {
    connection.send("HTTP/1.1 302 Found\r\nLocation: /redirect/loop.ttf\r\nContent-Length: 0\r\n"
                    "Connection: close\r\n\r\n");
  } else if (match != cases.end() && match->expected != Expected::refused) {
    send_answer(connection, *match);
  } else {
    connection.send("HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
  }
}

}  // namespace ff::testing
