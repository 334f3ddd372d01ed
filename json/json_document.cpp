#include "json/json_document.h"

#include "json/helper_script.h"
#include "platform/codepage.h"
#include "platform/script_control.h"
#include "text/primitives.h"

namespace ff {
namespace {

constexpr std::string_view engine_progid = "MSScriptControl.ScriptControl";
constexpr std::string_view engine_language = "JavaScript";
constexpr std::string_view root_variable = "da";

// Globals every engine holds beside the root: the backslash marker (U+2400) and a
// regular expression that finds every marker.
constexpr std::string_view marker_globals =
    ", str_Code = String.fromCharCode(9216), str_reg = new RegExp(str_Code, 'g')";

// Appended to an expression that answers a string: every marker becomes a backslash.
constexpr std::string_view markers_to_backslashes = ".replace(str_reg, '\\\\')";

// get__nodeValue's values are joined with this text and split again on the way out.
const Text& value_separator() {
  static const Text separator(utf8_to_gbk("[2020年7月20日20时0分0秒]"));
  return separator;
}

// A text as a script expression that answers it as a string with each backslash stored
// as the marker: a literal in apostrophes with backslash, apostrophe, double quote, CR
// and LF escaped.
Text script_string(const Text& value) {
  Text literal = replace_text(value, "\\", "\\\\", true);
  literal = replace_text(literal, "'", "\\'", true);
  literal = replace_text(literal, "\"", "\\\"", true);
  literal = replace_text(literal, "\r", "\\r", true);
  literal = replace_text(literal, "\n", "\\n", true);
  return concat_text("'", literal, "'.replace(/\\\\/g, str_Code)");
}

// The script text of an item value: JSON as it stands, or a text as a string.
Text item_script(const Text& value, bool is_json) {
  return is_json ? value : script_string(value);
}

Text index_of(const Text& member, std::int32_t index) {
  return concat_text(member, "[", int_to_text(index), "]");
}

Text type_name_of(const Text& member) {
  return concat_text("Object.prototype.toString.call(", member, ")");
}

}  // namespace

// --- Life cycle -----------------------------------------------------------------------

JsonDocument::ComponentUse::~ComponentUse() {
  if (active_) CoUninitialize();
}

JsonDocument::ComponentUse& JsonDocument::ComponentUse::operator=(ComponentUse&& other) noexcept {
  if (this != &other) {
    if (active_) CoUninitialize();
    active_ = std::exchange(other.active_, false);
  }
  return *this;
}

JsonDocument::JsonDocument() : root_name_(root_variable) { init_engine(); }

JsonDocument::JsonDocument(Text root_name, ComObject engine)
    : root_name_(std::move(root_name)), engine_(std::move(engine)) {}

JsonDocument JsonDocument::copy() const { return JsonDocument(root_name_, engine_); }

void JsonDocument::init_engine() {
  CoInitialize(nullptr);
  register_script_control();
  if (!create_object(engine_progid, engine_)) return;
  put_property(engine_, "Language", text_arg(engine_language));
  add_code(Text(helper_script()));
  eval_discard(concat_text("var ", root_name_, " = {}", marker_globals));
}

// --- Engine boundary ------------------------------------------------------------------

Answer JsonDocument::eval(const Text& expression) const {
  return call_method(engine_, "Eval", {text_arg(expression)});
}

Text JsonDocument::eval_text(const Text& expression) const { return eval(expression).text(); }

double JsonDocument::eval_number(const Text& expression) const {
  return eval(expression).number();
}

bool JsonDocument::eval_bool(const Text& expression) const { return eval(expression).truth(); }

void JsonDocument::eval_discard(const Text& expression) const { (void)eval(expression); }

void JsonDocument::add_code(const Text& code) const {
  (void)call_method(engine_, "AddCode", {text_arg(code)});
}

// --- Loading and whole-document operations --------------------------------------------

bool JsonDocument::parse(const Text& text, bool direct, ScriptError* error) {
  if (!engine_.is_empty()) {
    engine_.reset();
    init_engine();
  }
  if (engine_.is_empty()) return false;
  eval_discard(concat_text("var ", root_name_, " = null"));
  add_code(direct ? concat_text("var ", root_name_, " = ", text)
                  : concat_text("var ", root_name_, " = eval(", text, ")"));
  if (error) read_script_error(*error);
  return eval_bool(root_name_ + " != null");
}

void JsonDocument::read_script_error(ScriptError& error) const {
  const ComObject details = get_property(engine_, "Error").object();
  const auto integer = [&](std::string_view name) {
    return to_int(get_property(details, name).number());
  };
  const auto text = [&](std::string_view name) { return get_property(details, name).text(); };
  error.number = integer("Number");
  error.source = text("Source");
  error.description = text("Description");
  error.help_file = text("HelpFile");
  error.help_context = integer("HelpContext");
  error.text = text("Text");
  error.line = integer("Line");
  error.column = integer("Column");
}

// True when the root was reset (an object as such does not convert to a truth value).
bool JsonDocument::clear() { return eval_bool(concat_text("(", root_name_, " = {}) != null")); }

Text JsonDocument::to_json() const {
  return eval_text(concat_text("JSON.stringify(", root_name_, ")", markers_to_backslashes));
}

ComObject JsonDocument::get_engine() const { return engine_; }

// --- Paths and reading text -------------------------------------------------------------

bool JsonDocument::resolve_path(Text& path) const {
  if (text_starts_with(path, root_name_) && eval_bool(path + " != null")) return true;
  if (compare_text(path, "") == 0) {
    path = root_name_;
  } else if (text_starts_with(path, "[")) {
    path = root_name_ + path;
  } else {
    path = concat_text(root_name_, ".", path);
  }
  return eval_bool(path + " != null");
}

Text JsonDocument::resolved(const Text& path) const {
  Text copy = path;
  (void)resolve_path(copy);
  return copy;
}

Text JsonDocument::text_of(const Text& member, bool as_json) const {
  if (as_json) {
    return eval_text(concat_text("JSON.stringify(", member, ")", markers_to_backslashes));
  }
  return eval_text(concat_text(member, ".toString()", markers_to_backslashes));
}

Text JsonDocument::get_text(const Text& path, bool as_json) const {
  return text_of(resolved(path), as_json);
}

// --- Setting members --------------------------------------------------------------------

bool JsonDocument::set_value(const Text& path, const Text& value, bool is_json) {
  Text member = path;
  const bool found = resolve_path(member);
  if (!is_json) return eval_bool(concat_text(member, " = ", script_string(value)));
  const Text json = value.empty() ? Text("{}") : value;
  if (found && eval_text(type_name_of(member)) == "[object Object]") {
    return eval_bool(concat_text(member, " = get__extend(", member, ", ", json, ")"));
  }
  return eval_bool(concat_text(member, " = eval(", json, ")"));
}

bool JsonDocument::set_object(const Text& path, const Text& expression) {
  return eval_bool(concat_text(resolved(path), " = eval(", expression, ")"));
}

bool JsonDocument::set_number(const Text& path, double value) {
  return eval_bool(concat_text(resolved(path), " = ", real_to_text(value)));
}

// --- Reading members ----------------------------------------------------------------------

bool JsonDocument::exists(const Text& path) const {
  Text member = path;
  return resolve_path(member);
}

std::int32_t JsonDocument::get_type(const Text& path) const {
  struct Kind {
    std::string_view name;
    std::int32_t code;
  };
  static constexpr Kind kinds[] = {
      {"[object String]", json_type::string}, {"[object Array]", json_type::array},
      {"[object Object]", json_type::object}, {"[object Number]", json_type::number},
      {"[object Boolean]", json_type::boolean}};
  const Text member = resolved(path);
  if (eval_bool(member + " == null")) return json_type::null;
  const Text name = eval_text(type_name_of(member));
  for (const Kind& kind : kinds) {
    if (compare_text(name, kind.name) == 0) return kind.code;
  }
  return json_type::unknown;
}

double JsonDocument::get_number(const Text& path) const { return eval_number(resolved(path)); }

Text JsonDocument::get_json(const Text& path) const { return text_of(resolved(path), true); }

// --- Listing members ----------------------------------------------------------------------

std::int32_t JsonDocument::get_member_names(TextArray& names, const Text& path) const {
  names = split_text(eval_text(concat_text("get__name_All(", resolved(path), ")")), "\r\n");
  return member_count(names);
}

std::int32_t JsonDocument::get_count(const Text& path) const {
  return to_int(eval_number(concat_text("get__count(", resolved(path), ")")));
}

std::int32_t JsonDocument::get_node_values(TextArray& values, const Text& path,
                                           bool recursive) const {
  eval_discard("var str_all = new Array()");
  eval_discard(concat_text("get__nodeValue(", resolved(path), recursive ? ", true)" : ", false)"));
  const Text joined = eval_text(
      concat_text("str_all.join('", value_separator(), "')", markers_to_backslashes));
  values = split_text(joined, value_separator());
  return member_count(values);
}

// --- Arrays -------------------------------------------------------------------------------

bool JsonDocument::add_item(const Text& value, const Text& path, bool is_json, bool at_front) {
  const Text member = resolved(path);
  return eval_bool(concat_text("if (", type_name_of(member), " != '[object Array]') { ", member,
                               " = new Array() } ", member, at_front ? ".unshift(" : ".push(",
                               item_script(value, is_json), ")"));
}

Text JsonDocument::get_item_text(std::int32_t index, const Text& path, bool as_json) const {
  return text_of(index_of(resolved(path), index), as_json);
}

bool JsonDocument::set_item(std::int32_t index, const Text& path, const Text& value,
                            bool is_json) {
  return eval_bool(
      concat_text(index_of(resolved(path), index), " = ", item_script(value, is_json)));
}

bool JsonDocument::remove_item(std::int32_t index, const Text& path) {
  return eval_bool(concat_text(resolved(path), ".splice(", int_to_text(index), ", 1)"));
}

bool JsonDocument::remove(const Text& path) { return eval_bool("delete " + resolved(path)); }

// --- Child documents ----------------------------------------------------------------------

JsonDocument JsonDocument::child_of(const Text& member) const {
  JsonDocument child;
  (void)child.parse(text_of(member, true));
  // The copy keeps the only reference to the child's engine once `child` ends.
  return child.copy();
}

JsonDocument JsonDocument::get_child(const Text& path) const { return child_of(resolved(path)); }

JsonDocument JsonDocument::get_item_child(std::int32_t index, const Text& path) const {
  return child_of(index_of(resolved(path), index));
}

}  // namespace ff
