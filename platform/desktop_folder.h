#pragma once
// The current user's Desktop folder.

#include <optional>
#include <string>
#include <string_view>

#include "text/types.h"

namespace ff {

// The Desktop folder as GBK text ending in "/": XDG_DESKTOP_DIR from
// ${XDG_CONFIG_HOME:-$HOME/.config}/user-dirs.dirs (a leading $HOME expanded), else the
// environment's XDG_DESKTOP_DIR, else $HOME/Desktop. The folder is not created: the
// empty text when it does not exist or no home is known.
[[nodiscard]] Text desktop_folder();

// The value of XDG_DESKTOP_DIR in the text of a user-dirs.dirs file, with "$HOME"
// at its start replaced by `home`; nullopt when the file does not set it to an
// absolute or $HOME-relative path.
// Example: desktop_from_user_dirs("XDG_DESKTOP_DIR=\"$HOME/Desk\"\n", "/h") == "/h/Desk".
[[nodiscard]] std::optional<std::string> desktop_from_user_dirs(std::string_view file_text,
                                                                std::string_view home);

}  // namespace ff
