#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include "platform/fs_util.h"
#include "tests/fakes/temp_xdg_home.h"

using platform::IniSettingsStore;

namespace {

std::string fileBytes(const std::string& path) { return platform::readWholeFile(path).value_or("<none>"); }

TEST(IniSettingsStore, WritesSectionsWithCrLfAndUpdatesInPlace) {
  TempXdgHome home;
  IniSettingsStore store;
  std::string file = home.configHome() + "/App/settings.ini";
  EXPECT_EQ(IniSettingsStore::fileOf("App"), file);
  EXPECT_EQ(store.getSetting("App", "Startup", "Key"), "");  // no file yet

  ASSERT_TRUE(store.saveSetting("App", "Startup", "DefaultDirectory", "/srv/VXC"));
  ASSERT_TRUE(store.saveSetting("App", "Startup", "UpdateURL", " host = x "));
  ASSERT_TRUE(store.saveSetting("App", "Options", "AutoSave", "1"));
  ASSERT_TRUE(store.saveSetting("App", "startup", "defaultdirectory", "/other"));
  EXPECT_EQ(fileBytes(file),
            "[Startup]\r\ndefaultdirectory=/other\r\nUpdateURL= host = x \r\n\r\n[Options]\r\nAutoSave=1\r\n");
  EXPECT_EQ(store.getSetting("App", "STARTUP", "UpdateUrl"), " host = x ");
  EXPECT_EQ(store.getSetting("App", "Options", "AutoSave"), "1");
  EXPECT_EQ(store.getSetting("App", "Options", "Key", "dflt"), "dflt");
  EXPECT_EQ(store.getSetting("App", "Other", "AutoSave", "dflt"), "dflt");
}

TEST(IniSettingsStore, KeepsForeignLinesAndReadsPlainLineFeeds) {
  TempXdgHome home;
  home.writeFile("config/App/settings.ini", "; edited by hand\n[Startup]\nComMode=3\n\n[Next]\nA=1\n");
  IniSettingsStore store;
  EXPECT_EQ(store.getSetting("App", "Startup", "ComMode"), "3");
  ASSERT_TRUE(store.saveSetting("App", "Startup", "AutoSave", "0"));
  EXPECT_EQ(fileBytes(home.configHome() + "/App/settings.ini"),
            "; edited by hand\r\n[Startup]\r\nComMode=3\r\nAutoSave=0\r\n\r\n[Next]\r\nA=1\r\n");
}

TEST(IniSettingsStore, RefusesWhatTheFileCannotHoldAndIgnoresARelativeConfigHome) {
  TempXdgHome home;
  IniSettingsStore store;
  struct Case { const char *section, *key, *value; } cases[] = {
      {"Startup", "Key", "two\r\nlines"}, {"Startup", "a=b", "v"}, {"Start]up", "Key", "v"},
      {"Startup", "", "v"},               {"", "Key", "v"},      {"Startup", "[Key", "v"}};
  for (const Case& c : cases)
    EXPECT_FALSE(store.saveSetting("App", c.section, c.key, c.value)) << c.section << " " << c.key;
  EXPECT_EQ(fileBytes(home.configHome() + "/App/settings.ini"), "<none>");

  ::setenv("XDG_CONFIG_HOME", "relative/config", 1);
  ASSERT_TRUE(store.saveSetting("App", "Startup", "Key", "v"));
  EXPECT_EQ(fileBytes(home.root() + "/home/.config/App/settings.ini"), "[Startup]\r\nKey=v\r\n");
}

}  // namespace
