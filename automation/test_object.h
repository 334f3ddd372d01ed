#pragma once
// A small automation object for tests: a property bag whose members answer what the
// test sets up, and which counts the objects alive.

#include <functional>
#include <map>
#include <stdexcept>
#include <string>

#include "automation/dispatch.h"

namespace ff::testing {

class TestObject : public Dispatch {
 public:
  using Member = std::function<std::optional<Variant>(CallKind, std::span<const Variant>)>;

  TestObject() { ++alive; }
  ~TestObject() override { --alive; }

  // Members are keyed by their lower-case name; lookups ignore ASCII case.
  std::map<std::string, Member> members;
  std::optional<Variant> default_answer;
  bool default_throws = false;

  std::optional<Variant> invoke(std::string_view member, CallKind kind,
                                std::span<const Variant> args) override {
    for (auto& [name, call] : members) {
      if (member_is(member, name)) return call(kind, args);
    }
    return std::nullopt;
  }
  std::optional<Variant> default_value() override {
    if (default_throws) throw std::runtime_error("no default value");
    return default_answer;
  }

  static inline int alive = 0;
};

// A handle to a new TestObject, and the object itself for setting it up.
inline std::pair<ComObject, TestObject*> make_test_object() {
  auto object = std::make_shared<TestObject>();
  TestObject* raw = object.get();
  return {ComObject(std::move(object)), raw};
}

}  // namespace ff::testing
