#include "web/response.h"

#include <gtest/gtest.h>

namespace ff {
namespace {

TEST(GatherSetCookies, TakesTheFirstPairOfEachExactSetCookieLine) {
  const std::pair<const char*, const char*> rows[] = {
      {"Set-Cookie: a=1; Path=/; HttpOnly", "a=1"},
      {"Set-Cookie: b=2", "b=2"},
      {"Set-Cookie:   c=3 ;Path=/", "c=3"},
      {"set-cookie: d=4; Path=/", ""},  // other letter case
      {"Set-Cookie:e=5", ""},           // no colon-space after the name
      {"Content-Type: text/html", ""},
      {"X: Set-Cookie: f=6", ""},
      {"", ""},
  };
  for (const auto& [line, piece] : rows) {
    SCOPED_TRACE(line);
    EXPECT_EQ(gather_set_cookies(line), Text(piece));
  }
}

TEST(GatherSetCookies, JoinsLinesInOrderWithoutATrailingSeparator) {
  EXPECT_EQ(gather_set_cookies("Set-Cookie: a=1; Path=/\r\nSet-Cookie: b=2\r\n\r\n"),
            Text("a=1; b=2"));
  EXPECT_EQ(gather_set_cookies("Date: x\r\nSet-Cookie: a=1\r\nSet-Cookie: a=1; Max-Age=0"),
            Text("a=1; a=1"));
  // A piece that trims to nothing still adds its separator.
  EXPECT_EQ(gather_set_cookies("Set-Cookie: ;x\r\nSet-Cookie: a=1"), Text("; a=1"));
  EXPECT_EQ(gather_set_cookies("Content-Type: text/html\r\n"), Text());
}

}  // namespace
}  // namespace ff
