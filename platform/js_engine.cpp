#include "platform/js_engine.h"

#include "platform/jsc_private.h"

namespace ff {
namespace {

static_assert(sizeof(JSChar) == sizeof(char16_t));

// The calling thread's context group, released when the thread ends (global contexts
// still alive keep their own reference to it).
class ThreadGroup {
 public:
  ThreadGroup() : group_(JSContextGroupCreate()) {
    if (group_) arm_script_watchdog(group_);
  }
  ~ThreadGroup() {
    if (group_) JSContextGroupRelease(group_);
  }
  ThreadGroup(const ThreadGroup&) = delete;
  ThreadGroup& operator=(const ThreadGroup&) = delete;
  [[nodiscard]] JSContextGroupRef get() const { return group_; }

 private:
  JSContextGroupRef group_;
};

JSContextGroupRef thread_group() {
  thread_local ThreadGroup group;
  return group.get();
}

}  // namespace

JsString::JsString(std::u16string_view text)
    : string_(JSStringCreateWithCharacters(reinterpret_cast<const JSChar*>(text.data()),
                                           text.size())) {}

JsString::~JsString() {
  if (string_) JSStringRelease(string_);
}

std::size_t JsString::length() const { return string_ ? JSStringGetLength(string_) : 0; }

std::u16string JsString::text() const {
  if (!string_) return {};
  const auto* characters = reinterpret_cast<const char16_t*>(JSStringGetCharactersPtr(string_));
  return std::u16string(characters, length());
}

std::shared_ptr<ScriptEngine> ScriptEngine::create() {
  JSContextGroupRef group = thread_group();
  if (!group) return nullptr;
  JSGlobalContextRef context = JSGlobalContextCreateInGroup(group, nullptr);
  if (!context) return nullptr;
  JSGlobalContextSetIncludesNativeCallStackWhenReportingExceptions(context, false);
  return std::shared_ptr<ScriptEngine>(new ScriptEngine(context));
}

ScriptEngine::~ScriptEngine() { JSGlobalContextRelease(context_); }

LimitStop ScriptEngine::run(const std::function<void()>& call) {
  const LimitStop stop = run_limited(timeout_ms_, call);
  if (stop != LimitStop::none) stopped_ = true;
  return stop;
}

void ScriptEngine::collect_after_stop() {
  if (!std::exchange(stopped_, false)) return;
  JSSynchronousGarbageCollectForDebugging(context_);
}

ProtectedValue::ProtectedValue(std::shared_ptr<ScriptEngine> engine, JSValueRef value)
    : engine_(std::move(engine)), value_(value) {
  JSValueProtect(engine_->context(), value_);
}

ProtectedValue::~ProtectedValue() {
  if (value_) JSValueUnprotect(engine_->context(), value_);
}

std::optional<std::u16string> script_string(JSContextRef context, JSValueRef value) {
  JSValueRef exception = nullptr;
  JsString string = JsString::adopt(JSValueToStringCopy(context, value, &exception));
  if (exception || !string.get() || string.length() > kMaxAnswerLength) return std::nullopt;
  return string.text();
}

}  // namespace ff
