#pragma once
// The details of the most recent script error of a script control, and the automation
// object "Error" that shows them.

#include <JavaScriptCore/JavaScript.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "automation/variant.h"
#include "platform/script_limits.h"

namespace ff {

// All empty or 0 until a script error happens. Line is 1-based, column 0-based (0 when
// the engine knows none, as for syntax errors); text is the offending source line.
struct ScriptErrorInfo {
  std::int32_t number = 0;
  std::u16string source;
  std::u16string description;
  std::u16string help_file;
  std::int32_t help_context = 0;
  std::u16string text;
  std::int32_t line = 0;
  std::int32_t column = 0;
};

// Describes what the engine threw while running `source_text` (whose source URL was
// `source_url`). Reads the thrown value's properties, which may run script: call it
// under the limits.
ScriptErrorInfo describe_exception(JSContextRef context, JSValueRef exception,
                                   std::u16string_view source_text,
                                   std::u16string_view source_url);
// Describes a call stopped by a limit.
ScriptErrorInfo describe_stop(LimitStop stop);
// Describes an answer that cannot leave the engine: a string longer than an answer may
// be (`too_long`), or a value with no automation form (a symbol).
ScriptErrorInfo describe_unusable_answer(bool too_long);

// An automation object with the members "Number", "Source", "Description", "HelpFile",
// "HelpContext", "Text", "Line" and "Column" (read-only), showing `info`.
ComObject make_script_error_object(ScriptErrorInfo info);

}  // namespace ff
