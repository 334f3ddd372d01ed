#include "platform/script_error_info.h"

#include <array>
#include <algorithm>
#include <cstdint>
#include <optional>

#include "automation/dispatch.h"
#include "platform/js_engine.h"

namespace ff {
namespace {

constexpr std::u16string_view kCompilationError = u"JavaScript compilation error";
constexpr std::u16string_view kRuntimeError = u"JavaScript runtime error";

// Error numbers by the thrown error's name and a part of its message; the first row
// that matches wins ("" matches anything).
struct ErrorCode {
  std::u16string_view name;
  std::u16string_view message_part;
  std::int32_t number;
};
constexpr std::array kErrorCodes{
    ErrorCode{u"SyntaxError", u"Invalid regular expression", 5017},  // Syntax error in regular expression
    ErrorCode{u"SyntaxError", u"", 1002},                            // Syntax error
    ErrorCode{u"ReferenceError", u"", 5009},                         // 'x' is undefined
    ErrorCode{u"TypeError", u"is not a function", 5002},             // Function expected
    ErrorCode{u"TypeError", u"", 5007},                              // Object expected
    ErrorCode{u"", u"Maximum call stack size exceeded", 28},         // Out of stack space
    ErrorCode{u"", u"Out of memory", 7},                             // Out of memory
    ErrorCode{u"RangeError", u"Array length", 5029},  // Array length must be a finite positive integer
    ErrorCode{u"RangeError", u"", 5},  // Invalid procedure call or argument
    ErrorCode{u"", u"", 5022},         // Exception thrown and not caught
};

constexpr std::int32_t kOutOfMemory = 7;
constexpr std::int32_t kTypeMismatch = 13;
constexpr std::int32_t kOperationAborted = -2147467260;  // 0x80004004

std::int32_t error_number(std::u16string_view name, std::u16string_view message) {
  for (const ErrorCode& code : kErrorCodes) {
    if ((code.name.empty() || code.name == name) && message.find(code.message_part) != message.npos) {
      return code.number;
    }
  }
  return kErrorCodes.back().number;
}

std::optional<JSValueRef> property(JSContextRef context, JSObjectRef object, std::u16string_view name) {
  JSValueRef exception = nullptr;
  JSValueRef value = JSObjectGetProperty(context, object, JsString(name).get(), &exception);
  if (exception || !value || JSValueIsUndefined(context, value)) return std::nullopt;
  return value;
}

std::u16string string_property(JSContextRef context, JSObjectRef object, std::u16string_view name) {
  const auto value = property(context, object, name);
  return value ? script_string(context, *value).value_or(u"") : u"";
}

std::int32_t int_property(JSContextRef context, JSObjectRef object, std::u16string_view name) {
  const auto value = property(context, object, name);
  if (!value || !JSValueIsNumber(context, *value)) return 0;
  const double number = JSValueToNumber(context, *value, nullptr);
  return number >= 0 && number <= INT32_MAX ? static_cast<std::int32_t>(number) : 0;
}

bool is_line_end(char16_t c) { return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029; }

// Line `line` (1-based) of `source`, as the engine counts lines; "" when there is none.
std::u16string source_line(std::u16string_view source, std::int32_t line) {
  std::size_t start = 0;
  for (std::int32_t current = 1; current < line; ++current) {
    while (start < source.size() && !is_line_end(source[start])) ++start;
    if (start == source.size()) return u"";
    if (source[start] == u'\r' && start + 1 < source.size() && source[start + 1] == u'\n') ++start;
    ++start;
  }
  std::size_t end = start;
  while (end < source.size() && !is_line_end(source[end])) ++end;
  return std::u16string(source.substr(start, end - start));
}

}  // namespace

ScriptErrorInfo describe_exception(JSContextRef context, JSValueRef exception,
                                   std::u16string_view source_text,
                                   std::u16string_view source_url) {
  ScriptErrorInfo info;
  JSObjectRef object = JSValueIsObject(context, exception)
                           ? JSValueToObject(context, exception, nullptr)
                           : nullptr;
  if (!object) {
    info.description = script_string(context, exception).value_or(u"");
    info.number = error_number(u"", u"");
    info.source = std::u16string(kRuntimeError);
    return info;
  }
  const std::u16string name = string_property(context, object, u"name");
  info.description = string_property(context, object, u"message");
  info.number = error_number(name, info.description);
  info.source = std::u16string(name == u"SyntaxError" ? kCompilationError : kRuntimeError);
  info.line = int_property(context, object, u"line");
  // The engine counts columns from 1.
  info.column = std::max(int_property(context, object, u"column") - 1, 0);
  const auto url = property(context, object, u"sourceURL");
  if (!url || script_string(context, *url) == std::u16string(source_url)) {
    info.text = source_line(source_text, info.line);
  }
  return info;
}

ScriptErrorInfo describe_stop(LimitStop stop) {
  ScriptErrorInfo info;
  info.source = std::u16string(kRuntimeError);
  if (stop == LimitStop::time) {
    info.number = kOperationAborted;
    info.description = u"The script ran longer than its time-out";
  } else {
    info.number = kOutOfMemory;
    info.description = u"Out of memory: the script used more memory than a call may use";
  }
  return info;
}

ScriptErrorInfo describe_unusable_answer(bool too_long) {
  ScriptErrorInfo info;
  info.source = std::u16string(kRuntimeError);
  if (too_long) {
    info.number = kOutOfMemory;
    info.description = u"Out of memory: the answer is too long to leave the script engine";
  } else {
    info.number = kTypeMismatch;
    info.description = u"Type mismatch: the answer has no automation form";
  }
  return info;
}

namespace {

class ScriptErrorObject : public Dispatch {
 public:
  explicit ScriptErrorObject(ScriptErrorInfo info) : info_(std::move(info)) {}

  std::optional<Variant> invoke(std::string_view member, CallKind kind,
                                std::span<const Variant> args) override {
    if (kind == CallKind::put || !args.empty()) return std::nullopt;
    if (member_is(member, "Number")) return Variant(info_.number);
    if (member_is(member, "Source")) return Variant(info_.source);
    if (member_is(member, "Description")) return Variant(info_.description);
    if (member_is(member, "HelpFile")) return Variant(info_.help_file);
    if (member_is(member, "HelpContext")) return Variant(info_.help_context);
    if (member_is(member, "Text")) return Variant(info_.text);
    if (member_is(member, "Line")) return Variant(info_.line);
    if (member_is(member, "Column")) return Variant(info_.column);
    return std::nullopt;
  }

 private:
  ScriptErrorInfo info_;
};

}  // namespace

ComObject make_script_error_object(ScriptErrorInfo info) {
  return ComObject(std::make_shared<ScriptErrorObject>(std::move(info)));
}

}  // namespace ff
