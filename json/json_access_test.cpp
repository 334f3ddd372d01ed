#include <gtest/gtest.h>

#include "json/json_document.h"
#include "platform/codepage.h"

namespace ff {
namespace {

// A text with every character that needs escaping in a script string literal.
const Text awkward = "it's \"q\"\r\nC:\\new\\x";
// Its JSON text: the backslashes once, the rest escaped by JSON.
const Text awkward_json = R"("it's \"q\"\r\nC:\new\x")";

// A document loaded from `json`.
JsonDocument loaded(const Text& json) {
  JsonDocument doc;
  EXPECT_TRUE(doc.parse(json)) << json.str();
  return doc;
}

TEST(JsonSetValue, StoresATextAsAString) {
  JsonDocument doc;
  doc.set_value("name", "abc");
  EXPECT_EQ(doc.get_text("name"), "abc");
  EXPECT_EQ(doc.get_type("name"), json_type::string);
  EXPECT_TRUE(doc.exists("name"));
  EXPECT_EQ(doc.to_json(), R"({"name":"abc"})");
}

TEST(JsonSetValue, StoresAwkwardAndGbkTextsAsGiven) {
  const Text gbk = utf8_to_gbk("字体淺\\名");  // 0x5C as a trail byte (淺) and a backslash
  JsonDocument doc;
  for (const Text& value : {awkward, gbk}) {
    SCOPED_TRACE(value.str());
    doc.set_value("v", value);
    EXPECT_EQ(doc.get_text("v"), value);
  }
  doc.set_value("v", awkward);
  EXPECT_EQ(doc.get_json("v"), awkward_json);
}

TEST(JsonSetValue, MergesJsonIntoAnObjectMember) {
  JsonDocument doc = loaded(
      R"({"o":{"s":"old","b":false,"n":5,"keep":1,"nul":null,"sub":{"x":1,"y":2},)"
      R"("arr":[1],"obj":{"a":1}}})");
  doc.set_value("o",
                R"({"s":"new","b":true,"n":7,"nul":{"k":1},"sub":{"y":3,"z":4},"arr":[2,3],)"
                R"("obj":"flat","add":"a"})",
                true);
  EXPECT_EQ(doc.get_json("o"),
            R"({"s":"new","b":true,"n":7,"keep":1,"nul":{"k":1},"sub":{"x":1,"y":3,"z":4},)"
            R"("arr":[1,2,3],"obj":"flat","add":"a"})");
}

TEST(JsonSetValue, ReplacesEveryOtherMemberWithTheJsonValue) {
  struct Case {
    Text path;
    Text value;
    Text json;
  };
  const Case cases[] = {
      {"arr", R"({"a":1})", R"({"a":1})"},
      {"s", "[1,2]", "[1,2]"},
      {"n", R"({"a":[1]})", R"({"a":[1]})"},
      {"missing", "true", "true"},
      {"missing_empty", "", "{}"},
      {"o", "", R"({"k":1})"},  // an empty value merges nothing
  };
  JsonDocument doc = loaded(R"({"arr":[1],"s":"x","n":1,"o":{"k":1}})");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.str());
    doc.set_value(c.path, c.value, true);
    EXPECT_EQ(doc.get_json(c.path), c.json);
  }
}

TEST(JsonSetValue, APathNamingTheRootNeedsAnExistingMember) {
  JsonDocument doc;
  EXPECT_FALSE(doc.set_value("da.x", "1"));
  EXPECT_EQ(doc.to_json(), "{}");
  doc.set_value("x", "1");
  EXPECT_EQ(doc.to_json(), R"({"x":"1"})");
  doc.set_value("da.x", "2");
  EXPECT_EQ(doc.to_json(), R"({"x":"2"})");
}

TEST(JsonSetValue, SetObjectAndSetNumberStoreValues) {
  JsonDocument doc;
  EXPECT_TRUE(doc.set_object("list", "[1, 2].concat([3])"));
  EXPECT_TRUE(doc.set_number("tenth", 0.1));
  doc.set_number("long", 1.234567890123456789);
  doc.set_number("zero", 0);
  EXPECT_EQ(doc.to_json(), R"({"list":[1,2,3],"tenth":0.1,"long":1.234567890123,"zero":0})");
  EXPECT_DOUBLE_EQ(doc.get_number("tenth"), 0.1);
}

TEST(JsonRead, ExistsAndGetTypeTellMembersApart) {
  struct Case {
    Text path;
    bool exists;
    std::int32_t type;
  };
  const Case cases[] = {
      {"s", true, json_type::string},   {"empty", true, json_type::string},
      {"a", true, json_type::array},    {"o", true, json_type::object},
      {"n", true, json_type::number},   {"zero", true, json_type::number},
      {"b", true, json_type::boolean},  {"no", true, json_type::boolean},
      {"z", false, json_type::null},    {"missing", false, json_type::null},
      {"missing.child", false, json_type::unknown},
      {"", true, json_type::object},
  };
  const JsonDocument doc = loaded(
      R"({"s":"x","empty":"","a":[],"o":{},"n":2.5,"zero":0,"b":true,"no":false,"z":null})");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.str());
    EXPECT_EQ(doc.exists(c.path), c.exists);
    EXPECT_EQ(doc.get_type(c.path), c.type);
  }
}

TEST(JsonRead, GetNumberConvertsAsTheAutomationLayerDoes) {
  struct Case {
    Text path;
    double number;
  };
  const Case cases[] = {{"n", 2.5}, {"big", 1e21}, {"numeric", 12}, {"t", -1},  {"f", 0},
                        {"word", 0}, {"z", 0},     {"missing", 0},  {"a", 0}};
  const JsonDocument doc = loaded(
      R"({"n":2.5,"big":1e21,"numeric":"12","t":true,"f":false,"word":"abc","z":null,"a":[]})");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.str());
    EXPECT_DOUBLE_EQ(doc.get_number(c.path), c.number);
  }
}

TEST(JsonList, MemberNamesOfObjectsOnly) {
  const JsonDocument doc = loaded(R"({"o":{"p":1,"q":{"x":1},"r":[]},"a":[1,2],"s":"pq"})");
  TextArray names = {"left", "over"};
  EXPECT_EQ(doc.get_member_names(names, "o"), 3);
  EXPECT_EQ(names, (TextArray{"p", "q", "r"}));
  EXPECT_EQ(doc.get_member_names(names), 3);
  EXPECT_EQ(names, (TextArray{"o", "a", "s"}));
  for (const Text path : {"a", "s", "missing"}) {
    SCOPED_TRACE(path.str());
    names = {"left"};
    EXPECT_EQ(doc.get_member_names(names, path), 0);
    EXPECT_TRUE(names.empty());
  }
}

TEST(JsonList, CountOfArraysOnly) {
  const JsonDocument doc = loaded(R"({"a":[1,"2",[3]],"o":{"length":3},"s":"abc"})");
  EXPECT_EQ(doc.get_count("a"), 3);
  EXPECT_EQ(doc.get_count("a[2]"), 1);
  EXPECT_EQ(doc.get_count("o"), 0);
  EXPECT_EQ(doc.get_count("s"), 0);
  EXPECT_EQ(doc.get_count("missing"), 0);
}

TEST(JsonList, NodeValuesDirectlyUnderOrRecursively) {
  JsonDocument doc = loaded(R"({"n":1,"o":{"s":"x","a":[true,false]},"z":null,"t":"y"})");
  TextArray values = {"left"};
  EXPECT_EQ(doc.get_node_values(values, "", true), 5);
  EXPECT_EQ(values, (TextArray{"1", "x", "true", "false", "y"}));
  EXPECT_EQ(doc.get_node_values(values), 2);
  EXPECT_EQ(values, (TextArray{"1", "y"}));
  EXPECT_EQ(doc.get_node_values(values, "o.a"), 2);
  EXPECT_EQ(values, (TextArray{"true", "false"}));
  EXPECT_EQ(doc.get_node_values(values, "missing"), 0);
  EXPECT_TRUE(values.empty());
}

TEST(JsonList, NodeValuesGiveStoredBackslashesBack) {
  JsonDocument doc;
  doc.set_value("p", "C:\\a");
  doc.set_value("q", utf8_to_gbk("字"));
  TextArray values;
  EXPECT_EQ(doc.get_node_values(values), 2);
  EXPECT_EQ(values, (TextArray{"C:\\a", utf8_to_gbk("字")}));
}

TEST(JsonArray, AddItemMakesTheMemberAnArray) {
  JsonDocument doc = loaded(R"({"s":"x"})");
  EXPECT_TRUE(doc.add_item("v", "list"));
  EXPECT_TRUE(doc.add_item("w", "list", false, true));
  EXPECT_TRUE(doc.add_item(R"({"a":1})", "list", true));
  EXPECT_TRUE(doc.add_item("1", "s", true));
  doc.add_item("", "e", true);
  EXPECT_EQ(doc.to_json(), R"({"s":[1],"list":["w","v",{"a":1}],"e":[]})");
}

TEST(JsonArray, ItemTextsAreStoredAsGiven) {
  JsonDocument doc;
  EXPECT_TRUE(doc.add_item(awkward, "list"));
  doc.set_item(1, "list", awkward);
  EXPECT_EQ(doc.get_item_text(0, "list"), awkward);
  EXPECT_EQ(doc.get_item_text(1, "list"), awkward);
  EXPECT_EQ(doc.get_item_text(1, "list", true), awkward_json);
  EXPECT_EQ(doc.get_text("list[1]"), awkward);
}

TEST(JsonArray, GetItemTextInBothForms) {
  struct Case {
    std::int32_t index;
    Text as_text;
    Text as_json;
  };
  const Case cases[] = {{0, "a", R"("a")"},
                        {1, "5", "5"},
                        {2, "true", "true"},
                        {3, "[object Object]", R"({"k":1})"},
                        {4, "1,2", "[1,2]"},
                        {5, "", "null"},
                        {6, "", ""},
                        {-1, "", ""}};
  const JsonDocument doc = loaded(R"({"list":["a",5,true,{"k":1},[1,2],null]})");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.index);
    EXPECT_EQ(doc.get_item_text(c.index, "list"), c.as_text);
    EXPECT_EQ(doc.get_item_text(c.index, "list", true), c.as_json);
  }
}

TEST(JsonArray, SetItemAndRemoveItem) {
  JsonDocument doc = loaded(R"({"list":["a","b","c"]})");
  doc.set_item(1, "list", "[7]", true);
  doc.set_item(4, "list", "e");
  EXPECT_EQ(doc.get_json("list"), R"(["a",[7],"c",null,"e"])");
  doc.remove_item(1, "list");
  EXPECT_EQ(doc.get_json("list"), R"(["a","c",null,"e"])");
  doc.remove_item(-1, "list");
  EXPECT_EQ(doc.get_json("list"), R"(["a","c",null])");
  EXPECT_FALSE(doc.remove_item(0, "missing"));
}

TEST(JsonDelete, RemoveDeletesMembersButNotTheRoot) {
  JsonDocument doc = loaded(R"({"a":1,"b":{"c":2}})");
  EXPECT_TRUE(doc.remove("b.c"));
  EXPECT_FALSE(doc.exists("b.c"));
  EXPECT_TRUE(doc.remove("a"));
  EXPECT_TRUE(doc.remove("never_there"));
  EXPECT_FALSE(doc.remove("never.there"));
  EXPECT_FALSE(doc.remove());
  EXPECT_EQ(doc.to_json(), R"({"b":{}})");
}

TEST(JsonChild, AChildIsAnIndependentCopy) {
  JsonDocument doc = loaded(R"({"o":{"a":1},"list":[{"k":"v"},2]})");
  JsonDocument child = doc.get_child("o");
  EXPECT_NE(child.get_engine(), doc.get_engine());
  EXPECT_EQ(child.to_json(), R"({"a":1})");
  child.set_value("b", "2");
  doc.set_value("o.c", "3");
  EXPECT_EQ(child.to_json(), R"({"a":1,"b":"2"})");
  EXPECT_EQ(doc.get_json("o"), R"({"a":1,"c":"3"})");

  EXPECT_EQ(doc.get_item_child(0, "list").get_text("k"), "v");
  EXPECT_EQ(doc.get_item_child(1, "list").to_json(), "2");
}

TEST(JsonChild, AChildOfAMissingMemberIsEmpty) {
  const JsonDocument doc = loaded(R"({"o":{}})");
  EXPECT_EQ(doc.get_child("missing").to_json(), "");
  EXPECT_EQ(doc.get_item_child(3, "o").to_json(), "");
}

}  // namespace
}  // namespace ff
