#include "platform/http_syntax.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ff {
namespace {

TEST(HttpSyntaxTest, EncodesTheLinkAfterTheHost) {
  struct Row {
    std::string url;
    std::string wire;
  };
  const std::vector<Row> rows = {
      {"http://h/a b/字?q=é#f r", "http://h/a%20b/%E5%AD%97?q=%C3%A9#f%20r"},
      {"http://h/%41%zz%4", "http://h/%41%25zz%254"},   // broken escapes are escaped
      {"http://h/\t\x7F", "http://h/%09%7F"},
      {"http://字.example/x", "http://字.example/x"},  // the host stays for curl
      {"https://h:8443", "https://h:8443"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.url);
    EXPECT_EQ(encode_request_url(row.url), row.wire);
  }
}

TEST(HttpSyntaxTest, ParsesProxyLists) {
  const auto entries = parse_proxy_list("http=a:1; https=https://b:2  c");
  ASSERT_TRUE(entries);
  EXPECT_EQ(proxy_for_scheme(*entries, "HTTP"), "http://a:1");
  EXPECT_EQ(proxy_for_scheme(*entries, "https"), "https://b:2");
  const auto only_https = parse_proxy_list("https=b:2");
  ASSERT_TRUE(only_https);
  EXPECT_EQ(proxy_for_scheme(*only_https, "http"), std::nullopt);
  for (const char* bad : {"ftp=a:1", "socks5://a:1", "http=", "u:p@a:1", "a:1/path"}) {
    EXPECT_EQ(parse_proxy_list(bad), std::nullopt) << bad;
  }
}

}  // namespace
}  // namespace ff
