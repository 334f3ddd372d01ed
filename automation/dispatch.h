#pragma once
// Dispatch: what an automation object implements, and the calls by member name.

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "automation/variant.h"
#include "text/types.h"

namespace ff {

enum class CallKind { method, get, put };

// An automation object. Member names are matched without regard to ASCII letter case,
// as the platform does. A member that fails (unknown name, wrong arguments, an error
// inside the object) answers nullopt; nothing is thrown across this boundary.
class Dispatch {
 public:
  virtual ~Dispatch() = default;
  // args: the call's arguments; for a put, the index arguments (if any) followed by
  // the value.
  virtual std::optional<Variant> invoke(std::string_view member, CallKind kind,
                                        std::span<const Variant> args) = 0;
  // The object's default value (its string form for a script object); nullopt if none.
  virtual std::optional<Variant> default_value() { return std::nullopt; }
};

// Case-insensitive ASCII comparison for member names.
bool member_is(std::string_view member, std::string_view name);

// The answer of a call, converted to the kind the caller asks for. A failed call, or
// an answer that does not convert, gives the empty value of that kind: "", 0, false,
// an empty handle, empty Bytes. This is the one place that decides it.
class Answer {
 public:
  Answer() = default;
  explicit Answer(std::optional<Variant> value) : value_(std::move(value)) {}

  [[nodiscard]] bool ok() const { return value_.has_value(); }
  [[nodiscard]] const std::optional<Variant>& raw() const { return value_; }
  [[nodiscard]] Text text() const;               // converted to GBK
  [[nodiscard]] std::u16string wide() const;
  [[nodiscard]] double number() const;
  [[nodiscard]] bool truth() const;
  [[nodiscard]] ComObject object() const;
  [[nodiscard]] Bytes bytes() const;             // the contents of a byte array
  // The same, moving the bytes out when this answer holds the only reference to them.
  [[nodiscard]] Bytes take_bytes() &&;

 private:
  std::optional<Variant> value_;
};

// A Text argument: GBK converted to a wide string.
Variant text_arg(std::string_view text);

Answer call_method(const ComObject& object, std::string_view member,
                   std::initializer_list<Variant> args = {});
Answer get_property(const ComObject& object, std::string_view member,
                    std::initializer_list<Variant> index = {});
// Writes a property, with an optional index (Option(6) = 0 has index 6). False on failure.
bool put_property(const ComObject& object, std::string_view member, const Variant& value,
                  std::initializer_list<Variant> index = {});

// --- Creation by programmatic identifier --------------------------------------------
// A factory answers a new object, or an empty handle when it cannot create one.
using Factory = std::function<ComObject()>;

// Identifiers are matched without regard to ASCII letter case; registration and
// creation may run on any thread. Factories run outside the registry's lock and may
// themselves create objects; one that throws counts as one answering empty.
// Registers (or replaces) the factory for `progid`; answers the one it replaced (empty
// when there was none). An empty factory takes `progid` out of use.
Factory register_factory(std::string progid, Factory factory);
// Registers only when nothing is registered under `progid` yet.
void register_factory_if_absent(std::string progid, Factory factory);
// True and a new object, or false and an empty handle.
bool create_object(std::string_view progid, ComObject& object);

// Component-system stand-ins: a per-thread count and no other effect.
void CoInitialize(const void* reserved);
void CoUninitialize();
int component_init_count();  // the calling thread's count

}  // namespace ff
