#include "platform/codepage.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace ff {
namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

struct GbkWideCase {
  const char* why;
  std::string gbk;
  std::u16string wide;
};

// Pairs that convert both ways unchanged.
TEST(CodepageTest, RoundTripsBetweenGbkAndWide) {
  const GbkWideCase cases[] = {
      {"empty", "", u""},
      {"ascii", "font.ttf", u"font.ttf"},
      {"font in Chinese", "\xD7\xD6\xCC\xE5", u"字体"},
      {"euro sign is the single byte 0x80", "\x80", u"\u20AC"},
      {"trail byte 0x5C is not a backslash", "\x95\x5C", u"\u661E"},
      {"embedded NUL survives", "a\0\xD7\xD6\0b"s, u"a\0字\0b"s},
      {"full-width middle dot", "\xA1\xA4", u"\u00B7"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(gbk_to_utf16(c.gbk), c.wide);
    EXPECT_EQ(utf16_to_gbk(c.wide), c.gbk);
  }
}

TEST(CodepageTest, WideCharactersGbkLacksBecomeQuestionMarks) {
  const GbkWideCase cases[] = {
      {"symbol for null", "?", u"\u2400"},
      {"katakana middle dot", "a?b", u"a\u30FBb"},
      {"emoji is two UTF-16 units", "??", u"\U0001F600"},
      {"emoji between text", "\xD7\xD6??x", u"字\U0001F600x"},
      {"lone high surrogate", "?a", u"\xD800"
                                     u"a"},
      {"lone low surrogate", "?", u"\xDC00"},
      {"high surrogate cut off at the end", "a?", u"a\xD83D"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(utf16_to_gbk(c.wide), c.gbk);
  }
}

TEST(CodepageTest, InvalidGbkBytesBecomeQuestionMarks) {
  const GbkWideCase cases[] = {
      {"lone lead byte at the end", "ab\xD7", u"ab?"},
      {"lead byte before an ASCII byte", "\x81 x", u"? x"},
      {"0xFF is no character", "\xFFz", u"?z"},
      {"lead byte before a NUL", "\xD7\0a"s, u"?\0a"s},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(gbk_to_utf16(c.gbk), c.wide);
  }
}

TEST(CodepageTest, GbkAndUtf8) {
  EXPECT_EQ(gbk_to_utf8("\xD7\xD6\xCC\xE5.ttf"), "字体.ttf");
  EXPECT_EQ(utf8_to_gbk("字体.ttf"), "\xD7\xD6\xCC\xE5.ttf");
  EXPECT_EQ(gbk_to_utf8("\x80"), "€");
  EXPECT_EQ(gbk_to_utf8("a\xD7"), "a?");
  EXPECT_EQ(utf8_to_gbk("😀・"), "???");
  EXPECT_EQ(utf8_to_gbk("a\xE4\xB8" "b\xFF"), "a?b?");
  EXPECT_EQ(utf8_to_gbk("x\0y"s), "x\0y"s);
}

TEST(CodepageTest, Utf8AndWide) {
  EXPECT_EQ(utf16_to_utf8(u"字\U0001F600\0z"s), "字😀\0z"s);
  EXPECT_EQ(utf8_to_utf16("字😀\0z"s), u"字\U0001F600\0z"s);
  EXPECT_EQ(utf16_to_utf8(u"a\xDC00"
                          u"b"),
            "a\uFFFD" "b");
}

TEST(CodepageTest, InvalidUtf8GivesOneReplacementPerBrokenSequence) {
  struct Case {
    const char* why;
    std::string utf8;
    std::u16string wide;
  };
  const Case cases[] = {
      {"cut-off three-byte sequence", "\xE4\xB8" "A", u"\uFFFDA"},
      {"stray continuation bytes", "\x80\x80", u"\uFFFD\uFFFD"},
      {"overlong encoding", "\xC0\xAF", u"\uFFFD\uFFFD"},
      {"encoded surrogate", "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},
      {"cut off at the end", "z\xF0\x9F\x98", u"z\uFFFD"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    EXPECT_EQ(utf8_to_utf16(c.utf8), c.wide);
  }
}

// A text far larger than any first guess of the output size, with failures spread
// through it, converts completely.
TEST(CodepageTest, LargeTextsConvertWhole) {
  std::string gbk;
  std::u16string wide;
  for (int i = 0; i < 100000; ++i) {
    gbk += "\xD7\xD6" "a\xFF";
    wide += u"字a?";
  }
  EXPECT_EQ(gbk_to_utf16(gbk), wide);
  EXPECT_EQ(gbk_to_utf8(gbk).size(), 100000u * 5);
}

TEST(CodepageTest, WorksOnEveryThread) {
  std::string seen;
  std::thread worker([&] { seen = utf16_to_gbk(u"字体"); });
  worker.join();
  EXPECT_EQ(seen, "\xD7\xD6\xCC\xE5");
}

}  // namespace
}  // namespace ff
