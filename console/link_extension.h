#pragma once

#include "text/types.h"

namespace ff {

// The extension of the link's path: from the "." that starts it to the end of the path
// (a query or fragment is left out); the empty text when it has none.
// Examples: "https://a.b/f/font.ttf?x=1#y" -> ".ttf"; "https://a.b/f/font" -> "".
[[nodiscard]] Text link_extension(const Text& link);

}  // namespace ff
