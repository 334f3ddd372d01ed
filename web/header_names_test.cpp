#include "web/header_names.h"

#include <gtest/gtest.h>

namespace ff {
namespace {

TEST(HeaderLine, NameAndValueAroundTheFirstColon) {
  struct Row {
    const char* line;
    const char* name;
    const char* value;
  };
  const Row rows[] = {
      {"Accept: */*", "Accept", "*/*"},
      {"Time: 12:30", "Time", "12:30"},  // further colons belong to the value
      {"NoColon", "", ""},
      {":v", "", "v"},
      {"Name:", "Name", ""},
      {" X-A :  b d ", "X-A", "b d"},
      {"\tX:\tv\t", "\tX", "\tv\t"},  // a tab is no space
      {"\xA1\xA1X\xA1\xA1:\xA1\xA1v\xA1\xA1", "X", "v"},  // GBK full-width spaces
      {"", "", ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.line);
    EXPECT_EQ(header_name_of(row.line), Text(row.name));
    EXPECT_EQ(header_value_of(row.line), Text(row.value));
  }
}

TEST(NormalizeHeaderNames, CapitalisesTheNameOnlyLineByLine) {
  struct Row {
    const char* given;
    const char* returned;
  };
  const Row rows[] = {
      {"content-type: text/html", "Content-Type: text/html"},
      {"x-forwarded-for:1", "X-Forwarded-For:1"},
      {"ACCEPT: */*", "ACCEPT: */*"},
      {"accept-language: zh-cn", "Accept-Language: zh-cn"},
      {"x--y: 1", "X--Y: 1"},
      {"a-: 1", "A-: 1"},  // the dash the join loses comes back with the rest
      {"-x: 1", "-X: 1"},
      {"-: 1", "-: 1"},
      {": 1", ": 1"},
      {"foo", ""},
      {"", ""},
      {"a:  b", "A:  b"},
      {"a : b", "A : b"},
      {"x-a: b-c: d-e", "X-A: b-c: d-e"},  // nothing after the colon changes
      {"\xB0\xA1-a: 1", "\xB0\xA1-A: 1"},  // a GBK lead byte stays as it is
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.given);
    EXPECT_EQ(normalize_header_names(row.given), Text(row.returned));
  }
}

TEST(NormalizeHeaderNames, DropsLinesWithoutColonAndTheLastLineBreak) {
  EXPECT_EQ(normalize_header_names("\r\naccept: */*\r\nfoo"), Text("Accept: */*"));
  EXPECT_EQ(normalize_header_names("\r\nAccept: */*\r\nreferer: x\r\n"),
            Text("Accept: */*\r\nReferer: x"));
  EXPECT_EQ(normalize_header_names("foo\r\nbar\r\n\r\n"), Text());
}

TEST(CapitalizeFirst, UpperCasesOnlyALeadingLetter) {
  EXPECT_EQ(capitalize_first("abc"), Text("Abc"));
  EXPECT_EQ(capitalize_first("Zed"), Text("Zed"));
  EXPECT_EQ(capitalize_first("1a"), Text("1a"));
  EXPECT_EQ(capitalize_first(""), Text());
  EXPECT_EQ(capitalize_first("\xB0\xA1"), Text("\xB0\xA1"));
}

}  // namespace
}  // namespace ff
