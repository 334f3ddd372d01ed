#pragma once
// The script every JsonDocument adds to each engine it creates.
//
// It defines four functions the document's generated expressions call:
//   get__nodeValue(str_json, recursion)  pushes the string, number and boolean members of
//                                        str_json (and, with recursion, of every object and
//                                        array below it) onto the global array str_all;
//   get__count(c)                        the length of an array, 0 for anything else;
//   get__name_All(a)                     an object's non-function member names joined by
//                                        CR LF, "" for anything else;
//   get__extend(target, source)          merges source into target in place and answers
//                                        target (arrays get source's items appended);
// and a JSON section that fills in only what the engine lacks: the JSON object,
// Date.prototype.toJSON, JSON.stringify and JSON.parse with ECMAScript 5.1 semantics, and
// Object.prototype.toJSONString / parseJSON.

#include <string_view>

namespace ff {

[[nodiscard]] std::string_view helper_script();

}  // namespace ff
