#pragma once
// The script control "MSScriptControl.ScriptControl" over JavaScriptCore, reached
// through the automation calls (create_object, call_method, get_property, put_property).
//
// Members (names without regard to letter case; a call that fails answers nothing):
//   Language  get / put   "JavaScript" or "JScript" (any case); set before any code runs
//   AddCode(code)         runs code in the global scope (var makes globals)
//   Eval(text)            runs a statement list in the global scope and answers the
//                         value of its last expression statement (script_value.h)
//   Error     get         an object describing the most recent script error
//                         (script_error_info.h); all empty or 0 before any
//   Timeout   get / put   ms a call may run, -1 for no limit; default 3000
//
// Every AddCode and Eval is bounded in time and memory (script_limits.h): a call stopped
// by a limit fails, fills "Error", and the control goes on working. Each control has
// its own global scope in the engine instance of its thread; use it on that thread only.

#include <string_view>

#include "automation/variant.h"

namespace ff {

inline constexpr std::string_view kScriptControlProgId = "MSScriptControl.ScriptControl";

// A new script control; an empty handle when the engine cannot provide a context.
ComObject make_script_control();

// Registers make_script_control under kScriptControlProgId, unless something is
// registered there already. Safe to call any number of times, from any thread.
void register_script_control();

}  // namespace ff
