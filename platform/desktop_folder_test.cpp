#include "platform/desktop_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>

#include "platform/codepage.h"
#include "platform/locale_encoding.h"
#include "platform/test_folder.h"

namespace ff {
namespace {

namespace fs = std::filesystem;

// A home folder of its own, with HOME, XDG_CONFIG_HOME and XDG_DESKTOP_DIR set for the
// test and restored after it.
class DesktopFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"HOME", "XDG_CONFIG_HOME", "XDG_DESKTOP_DIR"}) {
      const char* value = std::getenv(name);
      saved_[name] = value ? std::optional<std::string>(value) : std::nullopt;
      ::unsetenv(name);
    }
    ::setenv("HOME", home_.path().c_str(), 1);
  }
  void TearDown() override {
    for (const auto& [name, value] : saved_) {
      if (value) ::setenv(name.c_str(), value->c_str(), 1);
      else ::unsetenv(name.c_str());
    }
  }
  std::string make_folder(const std::string& relative) {
    fs::create_directories(home_.path() / relative);
    return (home_.path() / relative).string();
  }
  void write_user_dirs(const std::string& config_folder, const std::string& text) {
    fs::create_directories(config_folder);
    std::ofstream(config_folder + "/user-dirs.dirs") << text;
  }
  std::string home() const { return home_.path().string(); }

  TestFolder home_;
  std::map<std::string, std::optional<std::string>> saved_;
};

TEST_F(DesktopFolderTest, TakesTheUserDirsFileAndExpandsHome) {
  const std::string desk = make_folder("Schreibtisch");
  write_user_dirs(home() + "/.config",
                  "# written by xdg-user-dirs-update\n"
                  "XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n"
                  "XDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n");
  EXPECT_EQ(desktop_folder(), Text(desk + "/"));
}

TEST_F(DesktopFolderTest, ReadsTheUserDirsFileUnderXdgConfigHome) {
  const std::string desk = make_folder("elsewhere/desk");
  write_user_dirs(home() + "/cfg", "XDG_DESKTOP_DIR=\"" + desk + "/\"\n");
  ::setenv("XDG_CONFIG_HOME", (home() + "/cfg").c_str(), 1);
  EXPECT_EQ(desktop_folder(), Text(desk + "/"));  // a "/" already there is not doubled
}

TEST_F(DesktopFolderTest, FallsBackToTheEnvironmentThenToHomeDesktop) {
  const std::string from_environment = make_folder("env-desk");
  ::setenv("XDG_DESKTOP_DIR", from_environment.c_str(), 1);
  EXPECT_EQ(desktop_folder(), Text(from_environment + "/"));
  ::unsetenv("XDG_DESKTOP_DIR");
  const std::string plain = make_folder("Desktop");
  EXPECT_EQ(desktop_folder(), Text(plain + "/"));
}

TEST_F(DesktopFolderTest, IsEmptyWhenTheFolderIsMissingOrNoHomeIsKnown) {
  EXPECT_EQ(desktop_folder(), Text());  // $HOME/Desktop does not exist
  EXPECT_FALSE(fs::exists(home() + "/Desktop")) << "the folder must not be created";
  write_user_dirs(home() + "/.config", "XDG_DESKTOP_DIR=\"$HOME/gone\"\n");
  EXPECT_EQ(desktop_folder(), Text());
}

TEST_F(DesktopFolderTest, ConvertsAChineseFolderNameToGbk) {
  const std::string desk = make_folder("\xe6\xa1\x8c\xe9\x9d\xa2");  // "桌面" in UTF-8
  write_user_dirs(home() + "/.config", "XDG_DESKTOP_DIR=\"$HOME/\xe6\xa1\x8c\xe9\x9d\xa2\"\n");
  if (locale_is_gb()) GTEST_SKIP() << "file names are GBK under this locale already";
  EXPECT_EQ(desktop_folder(), Text(utf8_to_gbk(desk + "/")));
}

struct UserDirsCase {
  std::string file;
  std::optional<std::string> desktop;
};

TEST(DesktopFromUserDirs, ReadsOnlyAbsoluteOrHomeRelativeValues) {
  const UserDirsCase cases[] = {
      {"XDG_DESKTOP_DIR=\"$HOME/Desk\"\n", "/h/Desk"},
      {"XDG_DESKTOP_DIR=\"$HOME\"\n", "/h"},
      {"XDG_DESKTOP_DIR=\"/srv/desk\"\n", "/srv/desk"},
      {"  XDG_DESKTOP_DIR=\"$HOME/My\\ Desk\"  \r\n", "/h/My Desk"},
      {"XDG_DESKTOP_DIR=\"$HOMEX/Desk\"\n", std::nullopt},  // another variable
      {"XDG_DESKTOP_DIR=\"Desk\"\n", std::nullopt},         // relative paths are not allowed
      {"#XDG_DESKTOP_DIR=\"/srv/desk\"\n", std::nullopt},
      {"XDG_DESKTOP_DIRX=\"/srv/desk\"\n", std::nullopt},
      {"XDG_DESKTOP_DIR=\"/a\"\nXDG_DESKTOP_DIR=\"/b\"\n", "/b"},  // the last one wins
      {"", std::nullopt},
  };
  for (const auto& row : cases) {
    SCOPED_TRACE("file: " + row.file);
    EXPECT_EQ(desktop_from_user_dirs(row.file, "/h"), row.desktop);
  }
}

}  // namespace
}  // namespace ff
