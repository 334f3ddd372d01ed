#include "platform/script_control.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

#include "automation/dispatch.h"

namespace ff {
namespace {

ComObject javascript_control() {
  ComObject control = make_script_control();
  EXPECT_FALSE(control.is_empty());
  EXPECT_TRUE(put_property(control, "Language", Variant(u"JavaScript")));
  return control;
}

Answer eval(const ComObject& control, std::u16string_view text) {
  return call_method(control, "Eval", {Variant(std::u16string(text))});
}

Answer add_code(const ComObject& control, std::u16string_view code) {
  return call_method(control, "AddCode", {Variant(std::u16string(code))});
}

std::string narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

TEST(ScriptControl, EvalAnswersTheCompletionValueAsAVariant) {
  const ComObject control = javascript_control();
  struct Row {
    std::u16string_view text;
    Variant expected;
  };
  const Row rows[] = {
      {u"1", Variant(std::int32_t{1})},
      {u"-0", Variant(std::int32_t{0})},
      {u"-2147483648", Variant(std::int32_t{-2147483647 - 1})},
      {u"2.5", Variant(2.5)},
      {u"2147483648", Variant(2147483648.0)},
      {u"1/0", Variant(HUGE_VAL)},
      {u"'x'", Variant(u"x")},
      {u"''", Variant(u"")},
      {u"true", Variant(true)},
      {u"1 > 2", Variant(false)},
      {u"null", Variant(Null{})},
      {u"undefined", Variant()},
      {u"var a = 1", Variant()},
      // A statement list answers its last expression statement.
      {u"var b = 2; if (b) { b * 3 }", Variant(std::int32_t{6})},
      {u"var c = 'z'; c + c;", Variant(u"zz")},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(narrow(row.text));
    const Answer answer = eval(control, row.text);
    ASSERT_TRUE(answer.ok());
    EXPECT_EQ(*answer.raw(), row.expected);
  }
}

TEST(ScriptControl, ObjectsLeaveAsObjectsWhoseDefaultValueIsTheirStringForm) {
  struct Row {
    std::u16string_view text;
    std::u16string_view string_form;
  };
  const Row rows[] = {
      {u"({})", u"[object Object]"},
      {u"[1,2,3]", u"1,2,3"},
      {u"({toString: function () { return 'mine' }})", u"mine"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(narrow(row.text));
    ComObject control = javascript_control();
    const ComObject object = eval(control, row.text).object();
    ASSERT_FALSE(object.is_empty());
    control.reset();  // the value keeps its engine alive
    EXPECT_EQ(object.get()->default_value(), Variant(std::u16string(row.string_form)));
    EXPECT_EQ(Answer(Variant(object)).wide(), row.string_form);
  }
}

TEST(ScriptControl, GlobalsPersistAcrossAddCodeAndEval) {
  const ComObject control = javascript_control();
  ASSERT_TRUE(add_code(control, u"var g = 5; function times_g(x) { return x * g }").ok());
  EXPECT_EQ(eval(control, u"times_g(2)").number(), 10);
  ASSERT_TRUE(eval(control, u"var h = 'set by eval'").ok());
  EXPECT_EQ(eval(control, u"h").wide(), u"set by eval");
  ASSERT_TRUE(add_code(control, u"g = 7").ok());
  EXPECT_EQ(eval(control, u"times_g(2)").number(), 14);
}

TEST(ScriptControl, TwoControlsHaveTheirOwnGlobals) {
  const ComObject first = javascript_control();
  const ComObject second = javascript_control();
  ASSERT_TRUE(add_code(first, u"var shared_name = 1").ok());
  EXPECT_EQ(eval(second, u"typeof shared_name").wide(), u"undefined");
  EXPECT_EQ(eval(first, u"typeof shared_name").wide(), u"number");
}

TEST(ScriptControl, StringsSurviveTheRoundTripWhole) {
  const ComObject control = javascript_control();
  const std::u16string texts[] = {
      u"\U0001F600 and \u4E2D\u6587",
      std::u16string(u"lone ") + char16_t{0xD800} + u" high",
      std::u16string(u"lone ") + char16_t{0xDC00},
      std::u16string(u"nul \0 inside", 12),
  };
  for (const std::u16string& text : texts) {
    SCOPED_TRACE(narrow(text));
    ASSERT_TRUE(add_code(control, u"var kept = '" + text + u"'").ok());
    EXPECT_EQ(eval(control, u"kept").wide(), text);
    EXPECT_EQ(eval(control, u"kept.length").number(), text.size());
  }
  EXPECT_EQ(eval(control, u"String.fromCharCode(0xDBFF)").wide(), std::u16string(1, 0xDBFF));
}

TEST(ScriptControl, LanguageMustBeJavaScriptBeforeCodeRuns) {
  const ComObject control = make_script_control();
  EXPECT_FALSE(eval(control, u"1").ok());
  EXPECT_FALSE(add_code(control, u"var a = 1").ok());
  for (std::u16string_view refused : {u"VBScript", u"", u"Java"}) {
    EXPECT_FALSE(put_property(control, "Language", Variant(std::u16string(refused))));
  }
  EXPECT_TRUE(put_property(control, "language", Variant(u"jscript")));
  EXPECT_EQ(get_property(control, "Language").wide(), u"jscript");
  EXPECT_TRUE(put_property(control, "Language", Variant(u"JAVASCRIPT")));
  EXPECT_EQ(eval(control, u"1 + 1").number(), 2);
}

struct ErrorFields {
  int number;
  std::u16string source;
  std::u16string text;
  int line;
  int column;
};

ErrorFields read_error(const ComObject& control) {
  const ComObject error = get_property(control, "Error").object();
  EXPECT_FALSE(error.is_empty());
  EXPECT_EQ(get_property(error, "HelpFile").wide(), u"");
  EXPECT_EQ(get_property(error, "HelpContext").number(), 0);
  return {static_cast<int>(get_property(error, "Number").number()),
          get_property(error, "Source").wide(), get_property(error, "Text").wide(),
          static_cast<int>(get_property(error, "Line").number()),
          static_cast<int>(get_property(error, "Column").number())};
}

TEST(ScriptControl, ErrorIsEmptyBeforeAnyScriptError) {
  const ComObject control = javascript_control();
  ASSERT_TRUE(eval(control, u"1").ok());
  const ErrorFields fields = read_error(control);
  EXPECT_EQ(fields.number, 0);
  EXPECT_EQ(fields.source, u"");
  EXPECT_EQ(fields.text, u"");
  EXPECT_EQ(fields.line, 0);
  EXPECT_EQ(fields.column, 0);
  EXPECT_EQ(get_property(get_property(control, "Error").object(), "Description").wide(), u"");
}

TEST(ScriptControl, ErrorDescribesTheMostRecentScriptError) {
  struct Row {
    std::u16string_view code;
    ErrorFields expected;
  };
  const Row rows[] = {
      // Syntax errors carry a line but no column.
      {u"var a = 1;\nvar b = ;", {1002, u"JavaScript compilation error", u"var b = ;", 2, 0}},
      {u"var s = 'open", {1002, u"JavaScript compilation error", u"var s = 'open", 1, 0}},
      // The engine places a missing name's column just past the name.
      {u"var a = 1;\r\n\r\n  missing + 1", {5009, u"JavaScript runtime error", u"  missing + 1", 3, 9}},
      {u"undefined()", {5002, u"JavaScript runtime error", u"undefined()", 1, 9}},
      {u"var n = new Array(-1)", {5029, u"JavaScript runtime error", u"var n = new Array(-1)", 1, 17}},
      {u"var n = null;\nvar m = n.member", {5007, u"JavaScript runtime error", u"var m = n.member", 2, 9}},
      // A thrown value that is not an error object carries no position.
      {u"throw 'plain'", {5022, u"JavaScript runtime error", u"", 0, 0}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(narrow(row.code));
    const ComObject control = javascript_control();
    EXPECT_FALSE(add_code(control, row.code).ok());
    const ErrorFields fields = read_error(control);
    EXPECT_EQ(fields.number, row.expected.number);
    EXPECT_EQ(fields.source, row.expected.source);
    EXPECT_EQ(fields.text, row.expected.text);
    EXPECT_EQ(fields.line, row.expected.line);
    EXPECT_EQ(fields.column, row.expected.column);
    EXPECT_NE(get_property(get_property(control, "Error").object(), "Description").wide(), u"");
    EXPECT_EQ(eval(control, u"1 + 1").number(), 2);  // still usable
  }
}

TEST(ScriptControl, TimeoutIsAPropertyInMilliseconds) {
  const ComObject control = javascript_control();
  EXPECT_EQ(get_property(control, "Timeout").number(), 3000);
  for (double refused : {-2.0, 1.5}) {
    EXPECT_FALSE(put_property(control, "Timeout", Variant(refused)));
  }
  ASSERT_TRUE(put_property(control, "Timeout", Variant(std::int32_t{200})));
  EXPECT_EQ(get_property(control, "Timeout").number(), 200);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(eval(control, u"for (;;);").ok());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_TRUE(put_property(control, "Timeout", Variant(std::int32_t{-1})));
  EXPECT_EQ(eval(control, u"var i = 0; while (i < 1e6) i++; i").number(), 1e6);
}

// --- Untrusted texts ----------------------------------------------------------------

struct HostileText {
  const char* name;
  std::u16string text;
};

std::u16string nested_arrays(std::size_t depth) {
  return std::u16string(depth, u'[') + std::u16string(depth, u']');
}

long peak_resident_kib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void PrintTo(const HostileText& text, std::ostream* out) { *out << text.name; }

using HostileCall = std::tuple<HostileText, const char*>;  // the text, "Eval" or "AddCode"

class ScriptControlLimits : public ::testing::TestWithParam<HostileCall> {};

// Each text must fail well within a generous bound, keep the process under 1 GiB (ctest
// runs every case in a process of its own, so the peak is this case's), and leave the
// control working.
TEST_P(ScriptControlLimits, StopsTheCallAndTheControlGoesOn) {
  const auto& [hostile, method] = GetParam();
  const ComObject control = javascript_control();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(call_method(control, method, {Variant(hostile.text)}).ok());
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(6));
  EXPECT_NE(get_property(get_property(control, "Error").object(), "Number").number(), 0);
  EXPECT_EQ(eval(control, u"1 + 1").number(), 2);
  EXPECT_EQ(eval(control, u"var i = 0, s = ''; while (i < 1000) s += i++; s.length").number(), 2890);
  EXPECT_LT(peak_resident_kib(), 1L << 20);
}

INSTANTIATE_TEST_SUITE_P(
    HostileTexts, ScriptControlLimits,
    ::testing::Combine(
        ::testing::Values(
            HostileText{"EndlessLoop", u"for (;;);"},
            HostileText{"LoopThatCatchesAndRetries", u"for (;;) { try { for (;;); } catch (e) {} }"},
            HostileText{"EndlessStrings", u"var a = []; for (;;) a.push(new Array(1e6).join('x'))"},
            HostileText{"EndlessObjects", u"var o = {}; for (var i = 0;; i++) o['k' + i] = {v: [i]}"},
            HostileText{"EndlessRecursion", u"function f() { return f() + 1 } f()"},
            HostileText{"GiantJoin", u"new Array(1 << 27).join('x')"},
            HostileText{"GiantRepeat", u"'x'.repeat(1 << 29)"},
            HostileText{"DeepNesting", u"var da = eval(" + nested_arrays(1000000) + u")"},
            // Harmless, but too long to parse within the memory bound: refused unparsed.
            HostileText{"OverlongSource", std::u16string(std::size_t{1} << 25, u' ') + u"1"}),
        ::testing::Values("Eval", "AddCode")),
    [](const ::testing::TestParamInfo<HostileCall>& info) {
      return std::string(std::get<0>(info.param).name) + std::get<1>(info.param);
    });

}  // namespace
}  // namespace ff
