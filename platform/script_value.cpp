#include "platform/script_value.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "automation/dispatch.h"

namespace ff {
namespace {

// A script object seen from outside: it keeps the object (and its engine) alive, and
// its default value is the object's string form, as String(object) gives it.
class ScriptObject : public Dispatch {
 public:
  ScriptObject(std::shared_ptr<ScriptEngine> engine, JSValueRef value)
      : value_(std::move(engine), value) {}

  std::optional<Variant> invoke(std::string_view, CallKind, std::span<const Variant>) override {
    return std::nullopt;
  }

  std::optional<Variant> default_value() override {
    auto text = string_form();
    value_.engine()->collect_after_stop();
    return text;
  }

 private:
  [[gnu::noinline]] std::optional<Variant> string_form() {
    std::optional<std::u16string> text;
    const LimitStop stop = value_.engine()->run(
        [&] { text = script_string(value_.engine()->context(), value_.get()); });
    if (stop != LimitStop::none || !text) return std::nullopt;
    return Variant(std::move(*text));
  }

  ProtectedValue value_;
};

Variant number_variant(double number) {
  if (std::trunc(number) == number && number >= std::numeric_limits<std::int32_t>::min() &&
      number <= std::numeric_limits<std::int32_t>::max()) {
    return Variant(static_cast<std::int32_t>(number));
  }
  return Variant(number);
}

}  // namespace

std::optional<Variant> script_value_to_variant(const std::shared_ptr<ScriptEngine>& engine,
                                               JSValueRef value) {
  JSContextRef context = engine->context();
  switch (JSValueGetType(context, value)) {
    case kJSTypeUndefined:
      return Variant();
    case kJSTypeNull:
      return Variant(Null{});
    case kJSTypeBoolean:
      return Variant(JSValueToBoolean(context, value));
    case kJSTypeNumber:
      return number_variant(JSValueToNumber(context, value, nullptr));
    case kJSTypeString: {
      auto text = script_string(context, value);
      if (!text) return std::nullopt;
      return Variant(std::move(*text));
    }
    case kJSTypeObject:
      return Variant(ComObject(std::make_shared<ScriptObject>(engine, value)));
    default:  // symbols and BigInts have no automation form
      return std::nullopt;
  }
}

}  // namespace ff
