#include "platform/script_control.h"

#include <cstdint>
#include <limits>
#include <mutex>
#include <string>

#include "automation/dispatch.h"
#include "platform/js_engine.h"
#include "platform/script_error_info.h"
#include "platform/script_value.h"

namespace ff {
namespace {

using Result = std::optional<Variant>;
using Args = std::span<const Variant>;

// The language names the control accepts, compared without regard to letter case.
constexpr std::string_view kLanguages[] = {"JavaScript", "JScript"};

bool is_known_language(std::u16string_view name) {
  std::string ascii;
  for (char16_t c : name) {
    if (c > 0x7F) return false;
    ascii.push_back(static_cast<char>(c));
  }
  for (std::string_view language : kLanguages) {
    if (member_is(ascii, language)) return true;
  }
  return false;
}

class ScriptControl : public Dispatch {
 public:
  explicit ScriptControl(std::shared_ptr<ScriptEngine> engine) : engine_(std::move(engine)) {}

  Result invoke(std::string_view member, CallKind kind, Args args) override {
    Result result = call_member(member, kind, args);
    engine_->collect_after_stop();
    return result;
  }

 private:
  [[gnu::noinline]] Result call_member(std::string_view member, CallKind kind, Args args) {
    if (member_is(member, "AddCode")) return method(kind, args, false);
    if (member_is(member, "Eval")) return method(kind, args, true);
    if (member_is(member, "Language")) return language(kind, args);
    if (member_is(member, "Error")) return error(kind, args);
    if (member_is(member, "Timeout")) return timeout(kind, args);
    return std::nullopt;
  }

  Result method(CallKind kind, Args args, bool answer_value) {
    if (kind != CallKind::method || args.size() != 1 || language_.empty()) return std::nullopt;
    if (const auto* text = args[0].get_if<std::u16string>()) return run_sized(*text, answer_value);
    const auto source = args[0].to_string();
    if (!source) return std::nullopt;
    return run_sized(*source, answer_value);
  }

  // A source longer than the engine may take is refused before the engine copies and
  // parses it, which would take many times its size.
  Result run_sized(std::u16string_view source, bool answer_value) {
    if (source.size() > kMaxSourceLength) {
      error_ = describe_stop(LimitStop::memory);
      return std::nullopt;
    }
    return run_script(source, answer_value);
  }

  Result run_script(std::u16string_view source, bool answer_value);
  Result answer_of(JSValueRef value, bool answer_value);
  void describe_failure(JSValueRef exception, std::u16string_view source,
                        std::u16string_view url);

  Result language(CallKind kind, Args args) {
    if (kind == CallKind::get && args.empty()) return Variant(language_);
    if (kind != CallKind::put || args.size() != 1) return std::nullopt;
    const auto name = args[0].to_string();
    if (!name || !is_known_language(*name)) return std::nullopt;
    language_ = *name;
    return Variant();
  }

  Result error(CallKind kind, Args args) const {
    if (kind == CallKind::put || !args.empty()) return std::nullopt;
    return Variant(make_script_error_object(error_));
  }

  Result timeout(CallKind kind, Args args) {
    if (kind == CallKind::get && args.empty()) return Variant(std::int32_t{engine_->timeout_ms()});
    if (kind != CallKind::put || args.size() != 1) return std::nullopt;
    const auto ms = args[0].to_number();
    if (!ms || *ms != static_cast<double>(static_cast<std::int64_t>(*ms)) ||
        *ms < kNoScriptTimeout || *ms > std::numeric_limits<std::int32_t>::max()) {
      return std::nullopt;
    }
    engine_->set_timeout_ms(static_cast<int>(*ms));
    return Variant();
  }

  std::shared_ptr<ScriptEngine> engine_;
  std::u16string language_;
  ScriptErrorInfo error_;
  std::uint64_t scripts_run_ = 0;  // numbers the source URLs, to tell our scripts apart
};

// Evaluates `source` in the global scope. Evaluation, reading a thrown error and turning
// the answer into a Variant may each run script, so each runs under the limits.
Result ScriptControl::run_script(std::u16string_view source, bool answer_value) {
  const std::u16string url = u"script-" + [&] {
    const std::string number = std::to_string(++scripts_run_);
    return std::u16string(number.begin(), number.end());
  }();
  JSValueRef value = nullptr;
  JSValueRef exception = nullptr;
  const LimitStop stop = engine_->run([&] {
    value = JSEvaluateScript(engine_->context(), JsString(source).get(), nullptr,
                             JsString(url).get(), 1, &exception);
  });
  if (stop != LimitStop::none) {
    error_ = describe_stop(stop);
    return std::nullopt;
  }
  if (exception || !value) {
    describe_failure(exception, source, url);
    return std::nullopt;
  }
  return answer_of(value, answer_value);
}

Result ScriptControl::answer_of(JSValueRef value, bool answer_value) {
  if (!answer_value) return Variant();
  Result answer;
  const LimitStop stop = engine_->run([&] { answer = script_value_to_variant(engine_, value); });
  if (stop != LimitStop::none) {
    error_ = describe_stop(stop);
    return std::nullopt;
  }
  if (!answer) error_ = describe_unusable_answer(JSValueIsString(engine_->context(), value));
  return answer;
}

void ScriptControl::describe_failure(JSValueRef exception, std::u16string_view source,
                                     std::u16string_view url) {
  ScriptErrorInfo info;
  const LimitStop stop = engine_->run([&] {
    if (exception) info = describe_exception(engine_->context(), exception, source, url);
  });
  error_ = stop == LimitStop::none ? std::move(info) : describe_stop(stop);
}

}  // namespace

ComObject make_script_control() {
  auto engine = ScriptEngine::create();
  if (!engine) return {};
  return ComObject(std::make_shared<ScriptControl>(std::move(engine)));
}

void register_script_control() {
  static std::once_flag once;
  std::call_once(once, [] {
    register_factory_if_absent(std::string(kScriptControlProgId), &make_script_control);
  });
}

}  // namespace ff
