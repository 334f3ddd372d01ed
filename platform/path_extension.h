#pragma once
// The extension of the last component of a path or link.

#include <string_view>

namespace ff {

// The extension of the last component of `path`: from the "." that starts it to the end
// of the path, or an empty view at the end of the path when there is none.
//
// The scan walks character by character, a GBK lead byte (0x81..0xFE) and the byte
// after it as one character, and remembers the last ".". A "\\" or "/" (a separator) or
// a blank after that "." cancels it, since an extension holds no blank. "?" or "#" ends
// the path, so the query and fragment of a link never become part of the extension.
// Examples: "file.txt.doc" -> ".doc"; ".bashrc" -> ".bashrc"; "a." -> ".";
// "file.txt bar" -> none; "dir.d/file" -> none; "https://a.b/c/font.ttf?x=1#y" -> ".ttf".
[[nodiscard]] std::string_view path_find_extension(std::string_view path);

}  // namespace ff
