#pragma once
// ScriptError: the details of an engine's most recent script error, as its "Error"
// object reports them.

#include <cstdint>

#include "text/types.h"

namespace ff {

struct ScriptError {
  std::int32_t number = 0;        // the engine's error code, e.g. 1002 for a syntax error
  Text source;                    // "... compilation error" or "... runtime error"
  Text description;               // the engine's message
  Text help_file;
  std::int32_t help_context = 0;
  Text text;                      // the offending source line, when known
  std::int32_t line = 0;          // 1-based
  std::int32_t column = 0;        // 0-based
};

}  // namespace ff
