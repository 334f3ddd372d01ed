#include "web/cookies.h"

#include <gtest/gtest.h>

namespace ff {
namespace {

TEST(MergeCookies, ServerCookiesFirstThenUnsetOldOnesWithoutDeletedOrRepeats) {
  struct Row {
    const char* old_cookies;
    const char* new_cookies;
    const char* merged;
  };
  const Row rows[] = {
      {"", "a=1; b=2", "a=1; b=2"},
      {"a=1; b=2", "b=3", "b=3; a=1"},
      {"a=1; b=2", "b=deleted", "a=1"},
      {"a=1; a=2", "", "a=1"},          // only the first old item of a name survives
      {"", "a=1; a=2", "a=1; a=2"},     // same name, other value: both stay
      {"", "x=1; x=1", "x=1"},          // byte-identical repeats go
      {"a=1;", "", "a=1"},              // a trailing ";" is a separator
      {"a=1", "b=2; ", "b=2; a=1"},
      {"a=1;b=2", "a=9", "a=9"},        // no space after ";": one item named "a"
      {"SID=1", "sid=2", "sid=2; SID=1"},
      {"x=deleted", "", ""},
      {"a=1; x=deleted; b=2", "c=3", "c=3; a=1; b=2"},
      {"  a=1  ", "", "a=1"},
      {"a = 1", "a=2", "a=2"},          // names are trimmed before comparing
      {"flag", "flag=1", "flag=1"},     // an item without "=" is all name
      {"", "", ""},
      {"; a=1", "", "; a=1"},           // an empty item is carried like any other
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.old_cookies) + " + " + row.new_cookies);
    Text old_cookies = row.old_cookies;
    Text new_cookies = row.new_cookies;
    const Text merged = merge_cookies(old_cookies, new_cookies);
    EXPECT_EQ(merged, Text(row.merged));
    EXPECT_EQ(old_cookies, merged);
  }
}

TEST(MergeCookies, WritesTheNormalisedNewCookiesBack) {
  Text old_cookies = "a=1";
  Text new_cookies = "  b=2;";
  EXPECT_EQ(merge_cookies(old_cookies, new_cookies), Text("b=2; a=1"));
  EXPECT_EQ(new_cookies, Text("b=2; "));
}

TEST(CookieName, TrimmedTextBeforeTheFirstEquals) {
  const std::pair<const char*, const char*> rows[] = {
      {"a=1", "a"}, {" a =1=2", "a"}, {"=v", ""}, {"flag", "flag"}, {" flag ", "flag"},
      {"", ""},
  };
  for (const auto& [item, name] : rows) {
    SCOPED_TRACE(item);
    EXPECT_EQ(cookie_name_of(item), Text(name));
  }
}

TEST(HasCookieNamed, ComparesNamesByteForByte) {
  const TextArray items = {"a=1", " SID =x", "flag"};
  EXPECT_TRUE(has_cookie_named(items, "a"));
  EXPECT_TRUE(has_cookie_named(items, "SID"));
  EXPECT_FALSE(has_cookie_named(items, "sid"));
  EXPECT_TRUE(has_cookie_named(items, "flag"));
  EXPECT_FALSE(has_cookie_named({}, ""));
}

}  // namespace
}  // namespace ff
