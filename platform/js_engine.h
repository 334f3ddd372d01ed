#pragma once
// Owners of JavaScriptCore handles: strings, the thread's context group, a global
// context with its limits, and values kept alive outside the engine.
//
// Text crosses as UTF-16 only: the engine's UTF-8 helpers cut a string at a lone
// surrogate, and the program's texts may hold one.

#include <JavaScriptCore/JavaScript.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "platform/script_limits.h"

namespace ff {

// A JSStringRef owned by one object.
class JsString {
 public:
  explicit JsString(std::u16string_view text);
  // Takes over a string the engine handed out with a reference for us (a "Copy" call).
  static JsString adopt(JSStringRef string) { return JsString(string); }
  JsString(JsString&& other) noexcept : string_(std::exchange(other.string_, nullptr)) {}
  JsString& operator=(JsString&& other) noexcept {
    std::swap(string_, other.string_);
    return *this;
  }
  JsString(const JsString&) = delete;
  JsString& operator=(const JsString&) = delete;
  ~JsString();

  [[nodiscard]] JSStringRef get() const { return string_; }
  [[nodiscard]] std::size_t length() const;
  [[nodiscard]] std::u16string text() const;

 private:
  explicit JsString(JSStringRef string) : string_(string) {}
  JSStringRef string_ = nullptr;
};

// One global context in the calling thread's context group (one group, one engine
// instance, per thread, created when first needed), with the time-out of its calls.
// Shared by the script control and every value it hands out, so that the context lives
// as long as any of them. Used only on the thread that created it.
class ScriptEngine {
 public:
  // A new global context; nullptr when the engine cannot provide one.
  static std::shared_ptr<ScriptEngine> create();
  ~ScriptEngine();
  ScriptEngine(const ScriptEngine&) = delete;
  ScriptEngine& operator=(const ScriptEngine&) = delete;

  [[nodiscard]] JSGlobalContextRef context() const { return context_; }
  [[nodiscard]] int timeout_ms() const { return timeout_ms_; }
  void set_timeout_ms(int timeout_ms) { timeout_ms_ = timeout_ms; }

  // Runs `call` (which enters this context) under the limits of script_limits.h.
  LimitStop run(const std::function<void()>& call);
  // Collects garbage when a call was stopped since the last collection, so that what it
  // built goes before the next call. The collector finds values through the machine
  // stack too: call this where no frame below holds a value of the stopped call.
  void collect_after_stop();

 private:
  explicit ScriptEngine(JSGlobalContextRef context) : context_(context) {}
  JSGlobalContextRef context_;
  int timeout_ms_ = kDefaultScriptTimeoutMs;
  bool stopped_ = false;
};

// A script value kept from garbage collection while this owner lives; it keeps its
// engine alive too.
class ProtectedValue {
 public:
  ProtectedValue(std::shared_ptr<ScriptEngine> engine, JSValueRef value);
  ProtectedValue(ProtectedValue&& other) noexcept
      : engine_(std::move(other.engine_)), value_(std::exchange(other.value_, nullptr)) {}
  ProtectedValue& operator=(ProtectedValue&&) = delete;
  ProtectedValue(const ProtectedValue&) = delete;
  ProtectedValue& operator=(const ProtectedValue&) = delete;
  ~ProtectedValue();

  [[nodiscard]] const std::shared_ptr<ScriptEngine>& engine() const { return engine_; }
  [[nodiscard]] JSValueRef get() const { return value_; }

 private:
  std::shared_ptr<ScriptEngine> engine_;
  JSValueRef value_;
};

// The string form of `value` (String(value)); nullopt when it throws, or when it is
// longer than an answer may be. Runs script (toString), so call it under the limits.
std::optional<std::u16string> script_string(JSContextRef context, JSValueRef value);

}  // namespace ff
