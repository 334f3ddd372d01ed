#pragma once
// How a script value leaves the engine as an automation Variant.
//
//   integral number in the 32-bit range -> int32 (-0 gives 0); other numbers -> double
//   string -> UTF-16 string; true/false -> bool; null -> Null; undefined -> empty
//   object, array, function -> a ComObject whose default value is its string form

#include <JavaScriptCore/JavaScript.h>

#include <memory>
#include <optional>

#include "automation/variant.h"
#include "platform/js_engine.h"

namespace ff {

// The Variant for `value`; nullopt for a value that cannot leave (a symbol, a string
// longer than an answer may be). Call it under the limits: an object's string form is
// computed later, under the limits of its own call.
std::optional<Variant> script_value_to_variant(const std::shared_ptr<ScriptEngine>& engine,
                                               JSValueRef value);

}  // namespace ff
