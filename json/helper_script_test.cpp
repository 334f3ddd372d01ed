#include "json/helper_script.h"

#include <gtest/gtest.h>

#include <span>
#include <string>

#include "automation/automation.h"
#include "json/json_document.h"
#include "platform/script_control.h"

namespace ff {
namespace {

struct Case {
  const char* expression;
  const char* expected;
};

// An engine stripped of its own JSON support before the helper script is added, so
// that the helper's serialiser and parser are the ones that run.
class HelperJson : public ::testing::Test {
 protected:
  void SetUp() override {
    register_script_control();
    ASSERT_TRUE(create_object("MSScriptControl.ScriptControl", engine_));
    ASSERT_TRUE(put_property(engine_, "Language", text_arg("JavaScript")));
    ASSERT_TRUE(add_code("delete JSON; delete Date.prototype.toJSON"));
    ASSERT_EQ(eval("typeof JSON"), "undefined");
    ASSERT_TRUE(add_code(helper_script()));
    ASSERT_TRUE(holds("String(JSON.stringify).indexOf('[native code]') < 0"));
    ASSERT_TRUE(holds("String(JSON.parse).indexOf('[native code]') < 0"));
  }

  bool add_code(std::string_view code) {
    return call_method(engine_, "AddCode", {text_arg(code)}).ok();
  }
  Text eval(std::string_view expression) {
    return call_method(engine_, "Eval", {text_arg(expression)}).text();
  }
  bool holds(std::string_view expression) {
    return call_method(engine_, "Eval", {text_arg(expression)}).truth();
  }
  void expect_all(std::span<const Case> cases) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.expression);
      EXPECT_EQ(eval(c.expression), c.expected);
    }
  }

  ComObject engine_;
};

TEST_F(HelperJson, StringifyWritesValues) {
  const Case cases[] = {
      {"JSON.stringify({a: 1, b: [1, 'x', true, null], c: {}, d: []})",
       R"({"a":1,"b":[1,"x",true,null],"c":{},"d":[]})"},
      {"JSON.stringify(null) + JSON.stringify('') + JSON.stringify(-0)", R"(null""0)"},
      {"JSON.stringify([NaN, Infinity, -Infinity, 1e21, 0.1, -2.5])",
       "[null,null,null,1e+21,0.1,-2.5]"},
      {"JSON.stringify({u: undefined, f: function () {}, a: [undefined, function () {}]})",
       R"({"a":[null,null]})"},
      {"typeof JSON.stringify(undefined) + typeof JSON.stringify(function () {})",
       "undefinedundefined"},
      {"(function () { function F() { this.a = 1; } F.prototype.b = 2;"
       " return JSON.stringify(new F()); })()",
       R"({"a":1})"},
      {"JSON.stringify([new Number(3), new String('s'), new Boolean(false)])", R"([3,"s",false])"},
      {"JSON.stringify({x: {toJSON: function (key) { return 'key ' + key; }}})",
       R"({"x":"key x"})"},
      {"JSON.stringify([new Date(Date.UTC(2020, 0, 2, 3, 4, 5, 678)), new Date(NaN)])",
       R"(["2020-01-02T03:04:05Z",null])"},
  };
  expect_all(cases);
}

TEST_F(HelperJson, StringifyEscapesTheDocumentedSet) {
  const Case cases[] = {
      {R"(JSON.stringify('\b\t\n\f\r"\\/'))", R"("\b\t\n\f\r\"\\/")"},
      {R"(JSON.stringify('\u0000\u001f\u007f\u009f\u00ad\u0600\u0604\u070f\u17b4\u17b5'))",
       R"("\u0000\u001f\u007f\u009f\u00ad\u0600\u0604\u070f\u17b4\u17b5")"},
      {R"(JSON.stringify('\u200c\u200f\u2028\u202f\u2060\u206f\ufeff\ufff0\uffff'))",
       R"("\u200c\u200f\u2028\u202f\u2060\u206f\ufeff\ufff0\uffff")"},
      {R"(JSON.stringify({'a\nb': 1}))", R"({"a\nb":1})"},
      // Characters outside the set stay as they are: the marker, letters, ' ~ and U+00A0.
      {R"(String(JSON.stringify('\u2400\u00e9\u00a0 ~\u0601x') === '"\u2400\u00e9\u00a0 ~\\u0601x"'))",
       "true"},
  };
  expect_all(cases);
}

TEST_F(HelperJson, StringifyTakesReplacersAndSpace) {
  const Case cases[] = {
      {"JSON.stringify({a: 1, b: 2, c: {d: 3}}, function (k, v) {"
       " return k === 'b' ? undefined : typeof v === 'number' ? v * 10 : v; })",
       R"({"a":10,"c":{"d":30}})"},
      {"JSON.stringify({a: 1}, function (k, v) { return k && this.a === v ? 'held' : v; })",
       R"({"a":"held"})"},
      {"JSON.stringify({a: 1, b: 2, c: 3, 1: 4, d: {a: 5, c: 6}},"
       " ['c', 'a', 1, 'a', new String('d'), {}, true])",
       R"({"c":3,"a":1,"1":4,"d":{"c":6,"a":5}})"},
      {"JSON.stringify({a: [1, {}], b: 'x'}, null, 2)",
       "{\n  \"a\": [\n    1,\n    {}\n  ],\n  \"b\": \"x\"\n}"},
      {"JSON.stringify([1], null, 20)", "[\n          1\n]"},
      {"JSON.stringify([1], null, new Number(1.9))", "[\n 1\n]"},
      {"JSON.stringify({a: 1}, null, '--')", "{\n--\"a\": 1\n}"},
      {"JSON.stringify([1], null, '123456789012')", "[\n12345678901\n]"},
      {"JSON.stringify([1, []], null, 0) + JSON.stringify([1], null, -3)", "[1,[]][1]"},
      {"(function () { try { JSON.stringify(1, 5); } catch (e) {"
       " return (e instanceof Error) + ':' + e.message; } })()",
       "true:JSON.stringify"},
      {"(function () { var a = []; a.push(a); try { JSON.stringify(a); } catch (e) {"
       " return e.name; } })()",
       "TypeError"},
  };
  expect_all(cases);
}

TEST_F(HelperJson, ParseReadsValidTexts) {
  const Case cases[] = {
      {R"(JSON.stringify(JSON.parse(' {"a" : [1, -2.5e+3, 0.5, 1E2, true, false, null,)"
       R"( "x\\u0041\\n\\/\\"\\\\"], "b": {}, "c": []}\t\r\n')))",
       R"({"a":[1,-2500,0.5,100,true,false,null,"xA\n/\"\\"],"b":{},"c":[]})"},
      {"JSON.parse('123') + JSON.parse('\"s\"')", "123s"},
      {R"(String(JSON.parse('"\u2028\u0000\ufeff\u200c"') === '\u2028\u0000\ufeff\u200c'))",
       "true"},
      {R"(JSON.stringify(JSON.parse('{"a":1,"b":[2,3],"c":{"d":4}}', function (k, v) {)"
       R"( return v === 2 ? undefined : typeof v === 'number' ? v * 10 : v; })))",
       R"({"a":10,"b":[null,30],"c":{"d":40}})"},
      {R"((function () { var seen = []; JSON.parse('{"a":[1],"b":2}', function (k, v) {)"
       R"( seen.push(k); return v; }); return seen.join('|'); })())",
       "0|a|b|"},
  };
  expect_all(cases);
}

TEST_F(HelperJson, ParseRejectsInvalidTexts) {
  // Each row is a script string literal holding the text given to JSON.parse.
  const char* const texts[] = {
      R"('{a:1}')",   R"('{\'a\':1}')", R"('[1,2')",     R"('[1,2]]')",   R"('1 2')",
      R"('alert(1)')", R"('')",          R"(' ')",        R"('01')",       R"('1.')",
      R"('.5')",      R"('+1')",         R"('undefined')", R"('NaN')",      R"('[1][0]')",
      R"('{"a":1}x')", R"('{"a":1} {"b":2}')", R"('{"a" 1}')", R"('[1] [2]')",
      R"('"\\u12"')", R"('"\\x41"')", R"('"a\tb"')",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    EXPECT_EQ(eval(std::string("(function () { try { JSON.parse(") + text +
                   "); return 'parsed'; } catch (e) { return e.name + ':' + e.message; } })()"),
              "SyntaxError:JSON.parse");
  }
}

TEST_F(HelperJson, AddsToJsonStringAndParseJsonToEveryObject) {
  const Case cases[] = {
      {"(function () { var n = []; for (var k in {}) n.push(k); return n.join(); })()",
       "toJSONString,parseJSON"},
      {"({a: [1]}).toJSONString()", R"({"a":[1]})"},
      {"'[7]'.parseJSON()[0]", "7"},
  };
  expect_all(cases);
}

TEST(HelperScript, LeavesAnEnginesOwnJsonInPlace) {
  JsonDocument doc;
  EXPECT_TRUE(call_method(doc.get_engine(), "Eval",
                          {text_arg("String(JSON.stringify).indexOf('[native code]') >= 0")})
                  .truth());
}

}  // namespace
}  // namespace ff
