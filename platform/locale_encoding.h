#pragma once
// The encoding the user's locale gives console text and file names.
//
// Inside the program console text and paths are GBK. When the locale's character set
// (LC_ALL / LC_CTYPE / LANG, as setlocale(LC_ALL, "") reads them) is a GB set (GBK,
// GB2312, GB18030, CP936) they leave and enter unchanged; otherwise they are converted
// to and from UTF-8, the Linux convention, so a UTF-8 terminal and file manager show
// the Chinese characters. The program's own locale is not changed.

#include <string>
#include <string_view>

#include "text/types.h"

namespace ff {

// Whether `codeset` (as nl_langinfo(CODESET) names it) is a GB character set.
[[nodiscard]] bool is_gb_codeset(std::string_view codeset);

// Whether the user's locale is a GB one; read once, on first use.
[[nodiscard]] bool locale_is_gb();

// GBK text as the locale writes it, and the locale's bytes back as GBK text.
[[nodiscard]] std::string gbk_to_locale(std::string_view gbk);
[[nodiscard]] Text locale_to_gbk(std::string_view native);

}  // namespace ff
