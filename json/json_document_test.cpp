#include "json/json_document.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "text/primitives.h"

namespace ff {
namespace {

struct ParseCase {
  const char* label;
  Text text;
  bool direct;
  bool loaded;
  Text error_member;  // get_text("error") afterwards
  Text json;          // to_json() afterwards
};

TEST(JsonDocumentParse, AnswersWhetherTheRootIsNotNull) {
  const ParseCase cases[] = {
      {"error string", R"({"error":"busy"})", false, true, "busy", R"({"error":"busy"})"},
      {"error number", R"({"error":5})", false, true, "5", R"({"error":5})"},
      {"error string, direct", R"({"error":"busy"})", true, true, "busy", R"({"error":"busy"})"},
      {"html page", "<html><body>wait</body></html>", false, false, "", "null"},
      {"html page, direct", "<html><body>wait</body></html>", true, false, "", "null"},
      {"empty text loads undefined", "", false, false, "", ""},
      {"empty text, direct", "", true, false, "", "null"},
      {"null", "null", false, false, "", "null"},
      {"zero", "0", false, true, "", "0"},
      {"json string, direct", R"("abc")", true, true, "", R"("abc")"},
      {"json string runs as script", R"("abc")", false, false, "", "null"},
      {"json string holding an expression", R"("[1, 2]")", false, true, "", "[1,2]"},
      {"not strict json", "{error: 'a' + 'b'}", false, true, "ab", R"({"error":"ab"})"},
  };
  JsonDocument doc;
  for (const ParseCase& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(doc.parse(c.text, c.direct), c.loaded);
    EXPECT_EQ(doc.get_text("error"), c.error_member);
    EXPECT_EQ(doc.to_json(), c.json);
  }
}

TEST(JsonDocumentParse, KeepsGbkTextIntact) {
  const Text busy = utf8_to_gbk("服务器繁忙");
  JsonDocument doc;
  ASSERT_TRUE(doc.parse(concat_text(R"({"error":")", busy, R"("})")));
  EXPECT_EQ(doc.get_text("error"), busy);
}

TEST(JsonDocumentParse, FillsTheErrorRecordForASyntaxError) {
  JsonDocument doc;
  ScriptError error;
  EXPECT_FALSE(doc.parse("<html>\n</html>", false, &error));
  EXPECT_NE(error.number, 0);
  EXPECT_FALSE(error.description.empty());
  EXPECT_NE(find_text(error.source, "compilation"), -1) << error.source.str();
  EXPECT_EQ(error.line, 1);
}

TEST(JsonDocumentParse, FillsTheErrorRecordForARuntimeError) {
  JsonDocument doc;
  ScriptError error;
  EXPECT_FALSE(doc.parse("{\n  a: 1,\n  b: no_such_name\n}", false, &error));
  EXPECT_NE(error.number, 0);
  EXPECT_NE(find_text(error.description, "no_such_name"), -1) << error.description.str();
  EXPECT_NE(find_text(error.source, "runtime"), -1) << error.source.str();
  EXPECT_EQ(error.line, 3);
  // Within "no_such_name", which spans the 0-based columns 5 to 17 of "  b: no_such_name".
  EXPECT_GE(error.column, 5);
  EXPECT_LE(error.column, 17);
}

TEST(JsonDocumentParse, LeavesTheErrorRecordEmptyAfterASuccess) {
  JsonDocument doc;
  ScriptError error;
  EXPECT_TRUE(doc.parse(R"({"error":"x"})", false, &error));
  EXPECT_EQ(error.number, 0);
  EXPECT_EQ(error.description, "");
}

TEST(JsonDocumentParse, StartsEachLoadFromANewEngine) {
  JsonDocument doc;
  ASSERT_TRUE(doc.parse(R"({"a":1})"));
  const ComObject first = doc.get_engine();
  doc.set_value("b", "x");
  TextArray values;
  doc.get_node_values(values);
  ASSERT_TRUE(doc.parse(R"((leftover = 1, {"z":2}))", true));
  EXPECT_NE(doc.get_engine(), first);
  EXPECT_EQ(doc.to_json(), R"({"z":2})");
  EXPECT_FALSE(doc.exists("a"));
  EXPECT_FALSE(doc.exists("b"));
  ASSERT_TRUE(doc.parse("[]"));
  EXPECT_EQ(call_method(doc.get_engine(), "Eval", {text_arg("typeof leftover")}).text(),
            "undefined");
  EXPECT_EQ(call_method(doc.get_engine(), "Eval", {text_arg("typeof str_all")}).text(),
            "undefined");
}

TEST(JsonDocumentPaths, ResolvePathRewritesRelativeToTheRoot) {
  struct Case {
    Text json;
    Text path;
    Text resolved;
    bool found;
  };
  const Case cases[] = {
      {R"({"error":"x"})", "", "da", true},
      {R"({"error":"x"})", "error", "da.error", true},
      {R"({"error":"x"})", "da.error", "da.error", true},
      {R"({"error":"x"})", "da.missing", "da.da.missing", false},
      {R"({"error":"x"})", "missing", "da.missing", false},
      {R"({"error":"x"})", "missing.deeper", "da.missing.deeper", false},
      {R"({"data":{"n":null}})", "data", "da.data", true},
      {R"({"data":{"n":null}})", "data.n", "da.data.n", false},
      {R"({"a":{"b":[0,{"c":1}]}})", "a.b[1].c", "da.a.b[1].c", true},
      {R"({"key with blanks":1})", "['key with blanks']", "da['key with blanks']", true},
      {R"([{"name":"n"}])", "[0].name", "da[0].name", true},
      {R"([{"name":"n"}])", "[1]", "da[1]", false},
  };
  JsonDocument doc;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.str());
    ASSERT_TRUE(doc.parse(c.json));
    Text path = c.path;
    EXPECT_EQ(doc.resolve_path(path), c.found);
    EXPECT_EQ(path, c.resolved);
  }
}

TEST(JsonDocumentText, GetTextGivesTheStringFormOrJson) {
  struct Case {
    Text path;
    Text as_text;
    Text as_json;
  };
  const Case cases[] = {
      {"s", "x", R"("x")"},
      {"n", "1.5", "1.5"},
      {"big", "1e+21", "1e+21"},
      {"t", "true", "true"},
      {"o", "[object Object]", R"({"a":1})"},
      {"a", "1,y", R"([1,"y"])"},
      {"z", "", "null"},
      {"missing", "", ""},
      {"missing.child", "", ""},
      {"", "[object Object]",
       R"({"s":"x","n":1.5,"big":1e+21,"t":true,"o":{"a":1},"a":[1,"y"],"z":null})"},
  };
  JsonDocument doc;
  ASSERT_TRUE(doc.parse(
      R"({"s":"x","n":1.5,"big":1e21,"t":true,"o":{"a":1},"a":[1,"y"],"z":null})"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.str());
    EXPECT_EQ(doc.get_text(c.path), c.as_text);
    EXPECT_EQ(doc.get_text(c.path, true), c.as_json);
  }
}

TEST(JsonDocumentText, ANewDocumentHoldsAnEmptyObject) {
  JsonDocument doc;
  EXPECT_EQ(doc.get_text(), "[object Object]");
  EXPECT_EQ(doc.get_text("", true), "{}");
  EXPECT_EQ(doc.to_json(), "{}");
}

TEST(JsonDocumentText, BackslashesStoredAsTextComeBackOnce) {
  JsonDocument doc;
  doc.set_value("p", "C:\\fonts\\a.ttf");
  EXPECT_EQ(doc.get_text("p"), "C:\\fonts\\a.ttf");
  EXPECT_EQ(doc.to_json(), R"({"p":"C:\fonts\a.ttf"})");
  // Backslashes that arrive through parse are ordinary characters: JSON doubles them.
  ASSERT_TRUE(doc.parse(R"({"p":"C:\\fonts"})"));
  EXPECT_EQ(doc.get_text("p"), "C:\\fonts");
  EXPECT_EQ(doc.to_json(), R"({"p":"C:\\fonts"})");
}

TEST(JsonDocumentLifeCycle, ClearEmptiesTheRootAndKeepsTheEngine) {
  JsonDocument doc;
  ASSERT_TRUE(doc.parse(R"({"error":"x"})"));
  const ComObject engine = doc.get_engine();
  EXPECT_TRUE(doc.clear());
  EXPECT_EQ(doc.to_json(), "{}");
  EXPECT_EQ(doc.get_engine(), engine);
  EXPECT_EQ(doc.get_text("error"), "");
}

TEST(JsonDocumentLifeCycle, ACopySharesTheEngineUntilOneParses) {
  JsonDocument doc;
  doc.set_value("a", "1");
  JsonDocument copy = doc.copy();
  EXPECT_EQ(copy.get_engine(), doc.get_engine());
  EXPECT_EQ(copy.get_text("a"), "1");
  copy.set_value("b", "2");
  EXPECT_EQ(doc.get_text("b"), "2");

  ASSERT_TRUE(copy.parse(R"({"c":3})"));
  EXPECT_NE(copy.get_engine(), doc.get_engine());
  EXPECT_EQ(copy.to_json(), R"({"c":3})");
  EXPECT_EQ(doc.to_json(), R"({"a":"1","b":"2"})");
}

TEST(JsonDocumentLifeCycle, AMovedDocumentKeepsItsEngine) {
  JsonDocument doc;
  doc.set_value("a", "1");
  const ComObject engine = doc.get_engine();
  JsonDocument moved = std::move(doc);
  EXPECT_EQ(moved.get_engine(), engine);
  EXPECT_EQ(moved.get_text("a"), "1");
}

TEST(JsonDocumentLifeCycle, ComponentSystemUseFollowsEnginesAndDocuments) {
  const int base = component_init_count();
  {
    JsonDocument doc;
    EXPECT_EQ(component_init_count(), base + 1);
    doc.parse("[1]");
    EXPECT_EQ(component_init_count(), base + 2);
    {
      JsonDocument copy = doc.copy();
      JsonDocument moved = std::move(copy);
      EXPECT_EQ(component_init_count(), base + 2);
    }
    EXPECT_EQ(component_init_count(), base + 1);
    {
      JsonDocument child = doc.get_item_child(0);
      EXPECT_EQ(child.to_json(), "1");
    }
    EXPECT_EQ(component_init_count(), base + 1);
  }
  EXPECT_EQ(component_init_count(), base);
}

// A document whose engine cannot be created.
class JsonDocumentWithoutEngine : public ::testing::Test {
 protected:
  void SetUp() override {
    JsonDocument warm_up;  // registers the real engine, so that it can be restored below
    saved_ = register_factory("MSScriptControl.ScriptControl", [] { return ComObject(); });
  }
  void TearDown() override { register_factory("MSScriptControl.ScriptControl", saved_); }

 private:
  Factory saved_;
};

TEST_F(JsonDocumentWithoutEngine, AnswersEmptyValuesEverywhere) {
  JsonDocument doc;
  ScriptError error;
  error.number = 77;
  error.description = "untouched";
  EXPECT_FALSE(doc.parse(R"({"error":"x"})", false, &error));
  EXPECT_EQ(error.number, 77);
  EXPECT_EQ(error.description, "untouched");
  EXPECT_TRUE(doc.get_engine().is_empty());
  EXPECT_EQ(doc.get_text("error"), "");
  EXPECT_EQ(doc.to_json(), "");
  EXPECT_FALSE(doc.clear());
  EXPECT_FALSE(doc.set_value("a", "1"));
  EXPECT_FALSE(doc.exists());
  EXPECT_EQ(doc.get_type(), json_type::unknown);
  EXPECT_EQ(doc.copy().get_engine(), ComObject());
}

TEST_F(JsonDocumentWithoutEngine, NeverRetriesTheCreation) {
  JsonDocument doc;
  TearDown();  // the engine could be created again now
  EXPECT_FALSE(doc.parse(R"({"error":"x"})"));
  EXPECT_TRUE(doc.get_engine().is_empty());
}

}  // namespace
}  // namespace ff
