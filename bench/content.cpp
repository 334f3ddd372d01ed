#include "bench/content.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "console/messages.h"

namespace ff::bench {
namespace {

// Repeats `pieces` in turn while the next one still fits in `size` bytes.
template <std::size_t N>
std::string repeat_pieces(const std::array<std::string_view, N>& pieces, std::size_t size) {
  std::string out;
  out.reserve(size);
  for (std::size_t i = 0;; ++i) {
    const std::string_view piece = pieces[i % N];
    if (out.size() + piece.size() > size) break;
    out += piece;
  }
  return out;
}

}  // namespace

std::string gbk_text(std::size_t size) {
  static constexpr std::array<std::string_view, 6> pieces = {
      "\xd7\xd6\xcc\xe5\xcf\xc2\xd4\xd8;",          // a Chinese item and ';'
      "font-fetch item 42;",                         // an ASCII item
      "\x81\x3b\x81\x3b\xb5\xb1\xc7\xb0;",           // trail bytes equal to ';'
      "\xc6\xd5\xcd\xa8 mixed \xcf\xdf\xc2\xb7;",    // Chinese and ASCII mixed
      "a slightly longer ASCII run of plain words;",
      "\r\n"};
  return repeat_pieces(pieces, size);
}

std::string waiting_page(std::size_t size) {
  const std::string head = "<html><head><meta charset=\"gbk\"></head><body>\n";
  const std::string sentence =
      "<p>" + std::string(messages::waiting_sentence_gbk) + "</p>\n";
  const std::string tail = "</body></html>\n";
  const std::size_t filler = size - head.size() - sentence.size() - tail.size();
  std::string before = gbk_text(filler * 3 / 4);
  std::string after = gbk_text(filler - before.size());
  after.append(filler - before.size() - after.size(), ' ');
  return head + before + sentence + after + tail;
}

std::string font_body(std::size_t size) {
  static constexpr std::string_view header("\0\1\0\0\0\x0c\0\x80\0\3\0\x40", 12);
  std::string body(size, '\0');
  body.replace(0, std::min(size, header.size()), header.substr(0, size));
  std::uint32_t state = 2463534242u;
  for (std::size_t i = header.size(); i < size; ++i) {
    state ^= state << 13;  // xorshift32: a period far longer than any body here
    state ^= state >> 17;
    state ^= state << 5;
    body[i] = static_cast<char>(state >> 24);
  }
  return body;
}

std::string json_text(std::size_t size) {
  static constexpr std::array<std::string_view, 4> items = {
      R"({"id":12345,"name":"font-fetch","ok":true,"size":1.5e3,"tags":["a","b","c"]},)",
      "{\"id\":67890,\"name\":\"\xd7\xd6\xcc\xe5\xcf\xc2\xd4\xd8\",\"ok\":false,"
      "\"nested\":{\"x\":[1,2,3],\"y\":null}},",
      R"({"id":-1,"text":"a \"quoted\" word and a \\ backslash","list":[[1],[2,[3]]]},)",
      "{\"error\":\"\xb5\xb1\xc7\xb0\xc6\xd5\xcd\xa8\",\"code\":500,\"retry\":false},"};
  std::string body = repeat_pieces(items, size - 1);
  body.insert(body.begin(), '[');
  body.back() = ']';  // in place of the last item's comma
  return body;
}

}  // namespace ff::bench
