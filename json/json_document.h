#pragma once
// JsonDocument: one JSON value held inside a JavaScript engine (the script control
// "MSScriptControl.ScriptControl") under the global variable "da".
//
// The document never parses or writes JSON itself: each operation builds a short script
// around the root variable and a path below it, runs it in the engine and converts the
// answer. Every failure is quiet: a document without an engine, a script error or an
// answer that does not convert gives the empty value of the operation's kind ("", 0,
// false, an empty array or handle).
//
// Paths are JavaScript member accesses relative to the root, inserted into the script as
// they stand: "" is the root, "error" is da.error, "[0].name" is da[0].name,
// "['key with blanks']" and "items[3].name" work as written. A path that already begins
// with "da" is used unchanged when it names a member that is neither missing nor null.
//
// Strings stored in text mode keep each backslash as the marker character U+2400 inside
// the engine; every reader that answers text turns it back into a backslash.
//
// Copies are explicit: copy() answers a document that shares this one's engine (and so
// its root) until either of them calls parse, which gives that one an engine of its own.
// Documents move; they do not copy implicitly.
//
// Example:
//   JsonDocument doc;
//   if (doc.parse(R"({"error":"busy"})")) doc.get_text("error");  // "busy"

#include <cstdint>
#include <utility>

#include "automation/automation.h"
#include "json/script_error.h"
#include "text/types.h"

namespace ff {

// Type codes answered by JsonDocument::get_type.
namespace json_type {
inline constexpr std::int32_t unknown = -1;  // anything else, or the member cannot be read
inline constexpr std::int32_t null = 0;      // null or missing
inline constexpr std::int32_t boolean = 1;
inline constexpr std::int32_t number = 2;
inline constexpr std::int32_t object = 4;
inline constexpr std::int32_t array = 5;
inline constexpr std::int32_t string = 6;
}  // namespace json_type

class JsonDocument {
 public:
  // A document whose root is an empty object in an engine of its own.
  JsonDocument();
  // Releases the engine reference and ends one use of the component system.
  ~JsonDocument() = default;
  JsonDocument(JsonDocument&&) noexcept = default;
  JsonDocument& operator=(JsonDocument&&) noexcept = default;
  JsonDocument(const JsonDocument&) = delete;
  JsonDocument& operator=(const JsonDocument&) = delete;

  // A second document on the same engine and root; see the class comment.
  [[nodiscard]] JsonDocument copy() const;

  // Starts the component system and sets up a new engine: the helper script, an empty
  // root and the marker globals. Construction and parse run it; callers never need to.
  void init_engine();

  // Loads `text` into a new engine, read as a JavaScript expression: as it stands when
  // `direct`, otherwise passed through eval (a string value is then run once more as
  // script). True when the root is not null afterwards. When `error` is given it
  // receives the engine's error details. A document whose engine could not be created
  // answers false and leaves `error` alone.
  bool parse(const Text& text, bool direct = false, ScriptError* error = nullptr);

  // Makes the root an empty object; the engine and its globals stay. True when done.
  bool clear();

  // The root as JSON text without blanks; "null" for a null root.
  [[nodiscard]] Text to_json() const;

  // Sets a member to a text (`is_json` false), or to the value of the JSON text `value`:
  // merged into a member that holds an object, replacing any other member. An empty
  // JSON value counts as "{}". Answers the truth value of what the engine assigned, so
  // a stored text mostly answers false; use exists() or get_type() to check.
  bool set_value(const Text& path = {}, const Text& value = {}, bool is_json = false);

  // Sets a member to the value of a JavaScript expression.
  bool set_object(const Text& path = {}, const Text& expression = {});

  // Rewrites `path` into a full expression from the root (see the class comment) and
  // answers whether that member is neither missing nor null.
  bool resolve_path(Text& path) const;

  // Whether a member is neither missing nor null.
  [[nodiscard]] bool exists(const Text& path = {}) const;

  // The member's json_type code.
  [[nodiscard]] std::int32_t get_type(const Text& path = {}) const;

  // A member's string form ("[object Object]" for an object, "1,2" for an array), or
  // with `as_json` its JSON text. Missing members give "" in both forms; a null member
  // gives "" and "null".
  [[nodiscard]] Text get_text(const Text& path = {}, bool as_json = false) const;

  // Replaces `names` with the member names of an object (functions left out), in the
  // engine's order, and answers their number; non-objects give none.
  std::int32_t get_member_names(TextArray& names, const Text& path = {}) const;

  // The length of an array member; 0 for anything else.
  [[nodiscard]] std::int32_t get_count(const Text& path = {}) const;

  // A new, independent document holding a copy (made through JSON) of the member.
  [[nodiscard]] JsonDocument get_child(const Text& path = {}) const;

  // Appends (or, `at_front`, prepends) an item to an array member, making the member an
  // empty array first when it is not one. `value` is a text, or JSON with `is_json`.
  bool add_item(const Text& value = {}, const Text& path = {}, bool is_json = false,
                bool at_front = false);

  // As get_child, for the item at the 0-based `index` of an array member.
  [[nodiscard]] JsonDocument get_item_child(std::int32_t index = 0, const Text& path = {}) const;

  // As get_text, for the item at the 0-based `index` of an array member.
  [[nodiscard]] Text get_item_text(std::int32_t index = 0, const Text& path = {},
                                   bool as_json = false) const;

  // Sets the item at the 0-based `index`; an index at or beyond the length lengthens
  // the array.
  bool set_item(std::int32_t index = 0, const Text& path = {}, const Text& value = {},
                bool is_json = false);

  // Removes the item at `index` (negative counts from the end); later items move down.
  bool remove_item(std::int32_t index = 0, const Text& path = {});

  // Deletes a member. The root itself cannot be deleted (false).
  bool remove(const Text& path = {});

  // Sets a member to a number, rounded to 13 significant digits.
  bool set_number(const Text& path = {}, double value = 0.0);

  // A member as a number: numbers as they are, numeric strings read, true -1, false 0;
  // anything else 0.
  [[nodiscard]] double get_number(const Text& path = {}) const;

  // A member's JSON text (get_text with `as_json`).
  [[nodiscard]] Text get_json(const Text& path = {}) const;

  // A new handle to the engine, empty when there is none.
  [[nodiscard]] ComObject get_engine() const;

  // Replaces `values` with the string, number and boolean members directly under a
  // member (and, `recursive`, under every object and array below it), depth first, as
  // texts; answers their number.
  std::int32_t get_node_values(TextArray& values, const Text& path = {},
                               bool recursive = false) const;

 private:
  // Ends one use of the component system when it goes; a moved-from one does nothing.
  class ComponentUse {
   public:
    ComponentUse() = default;
    ~ComponentUse();
    ComponentUse(ComponentUse&& other) noexcept : active_(std::exchange(other.active_, false)) {}
    ComponentUse& operator=(ComponentUse&& other) noexcept;
    ComponentUse(const ComponentUse&) = delete;
    ComponentUse& operator=(const ComponentUse&) = delete;

   private:
    bool active_ = true;
  };

  JsonDocument(Text root_name, ComObject engine);

  // The engine boundary: each runs one call and turns any failure into "", 0.0 or false.
  Answer eval(const Text& expression) const;
  [[nodiscard]] Text eval_text(const Text& expression) const;
  [[nodiscard]] double eval_number(const Text& expression) const;
  [[nodiscard]] bool eval_bool(const Text& expression) const;
  void eval_discard(const Text& expression) const;
  void add_code(const Text& code) const;

  // A resolved copy of `path`.
  [[nodiscard]] Text resolved(const Text& path) const;
  // The script that answers the resolved member `member` as text, or as JSON text.
  [[nodiscard]] Text text_of(const Text& member, bool as_json) const;
  // A new document loaded from the JSON text of the resolved member `member`.
  [[nodiscard]] JsonDocument child_of(const Text& member) const;
  void read_script_error(ScriptError& error) const;

  // Declared first so that it ends after the engine is released.
  ComponentUse component_use_;
  Text root_name_;
  ComObject engine_;
};

}  // namespace ff
