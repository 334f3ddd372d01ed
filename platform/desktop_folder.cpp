#include "platform/desktop_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/locale_encoding.h"

namespace ff {
namespace {

constexpr std::string_view kDesktopKey = "XDG_DESKTOP_DIR";
constexpr std::string_view kHomeVariable = "$HOME";

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// $HOME, else the home directory of the user database; empty when neither is known.
std::string home_directory() {
  if (std::string home = environment("HOME"); !home.empty()) return home;
  const passwd* entry = getpwuid(getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "";
}

std::string read_file(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A value as the shell reads it: surrounding double quotes dropped, "\x" read as "x".
std::string unquote(std::string_view value) {
  if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
    value = value.substr(1, value.size() - 2);
  }
  std::string plain;
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;
    plain += value[i];
  }
  return plain;
}

// The folder a user-dirs value names: "$HOME/..." relative to the home, or absolute.
std::optional<std::string> expand_home(const std::string& value, std::string_view home) {
  if (value.starts_with(kHomeVariable)) {
    const std::string_view rest = std::string_view(value).substr(kHomeVariable.size());
    if (home.empty() || !(rest.empty() || rest.front() == '/')) return std::nullopt;
    return std::string(home) + std::string(rest);
  }
  if (value.starts_with('/')) return value;
  return std::nullopt;
}

bool is_folder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::string configured_desktop(const std::string& home) {
  std::string config = environment("XDG_CONFIG_HOME");
  if (config.empty() && !home.empty()) config = home + "/.config";
  if (!config.empty()) {
    if (auto folder = desktop_from_user_dirs(read_file(config + "/user-dirs.dirs"), home)) {
      return *folder;
    }
  }
  if (std::string folder = environment(kDesktopKey.data()); !folder.empty()) return folder;
  return home.empty() ? "" : home + "/Desktop";
}

}  // namespace

std::optional<std::string> desktop_from_user_dirs(std::string_view file_text,
                                                  std::string_view home) {
  std::optional<std::string> found;
  std::istringstream lines{std::string(file_text)};
  for (std::string line; std::getline(lines, line);) {
    const std::size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    const std::string_view entry = std::string_view(line).substr(start);
    const std::size_t equals = entry.find('=');
    if (equals == std::string_view::npos || entry.substr(0, equals) != kDesktopKey) continue;
    std::string_view value = entry.substr(equals + 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r')) {
      value.remove_suffix(1);
    }
    found = expand_home(unquote(value), home);  // the last setting wins, as in the shell
  }
  return found;
}

Text desktop_folder() {
  std::string folder = configured_desktop(home_directory());
  if (folder.empty() || !is_folder(folder)) return {};
  if (folder.back() != '/') folder += '/';
  return locale_to_gbk(folder);
}

}  // namespace ff
