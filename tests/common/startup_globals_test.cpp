#include "common/startup_globals.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "common/file_helpers.h"
#include "platform/settings_store.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/temp_xdg_home.h"

using namespace VXCommon;

namespace {

class StartupGlobalsTest : public ::testing::Test {
 protected:
  void TearDown() override { resetStartupGlobals(); }
  void storeDefaultDirectory(const std::string& dir) {
    store.saveSetting("VezUradoDuruvo", "Startup", "DefaultDirectory", dir);
  }
  TempXdgHome home;
  ScriptedMessageBoxes boxes;
  platform::IniSettingsStore store;
  const std::string lib = home.root() + "/lib";
};

TEST_F(StartupGlobalsTest, DefaultDirectoryIsStoredWithoutItsSlash) {
  struct Case { std::string storedBefore, inMemory, storedAfter; } cases[] = {
      {"", home.dataHome() + "/VXC/", home.dataHome() + "/VXC"},  // nothing stored
      {lib, lib + "/", lib},
      {lib + "/", lib + "/", lib + "/"},
  };
  for (const Case& c : cases) {
    ::unlink(platform::IniSettingsStore::fileOf("VezUradoDuruvo").c_str());
    if (!c.storedBefore.empty()) storeDefaultDirectory(c.storedBefore);
    initGlobals();
    EXPECT_EQ(gDefaultDir, c.inMemory);
    EXPECT_EQ(store.getSetting("VezUradoDuruvo", "Startup", "DefaultDirectory"), c.storedAfter);
    EXPECT_EQ(gFileTypes->localDir(ftDrivers), c.inMemory + "orvella/drivers/");
    EXPECT_TRUE(VXCommon::dirExists(c.inMemory + "orvella/drivers/"));
  }
}

TEST_F(StartupGlobalsTest, FillsLoadErrorTextsAndFileTypes) {
  storeDefaultDirectory(lib);
  gUpdateServer = "updates.example";
  initGlobals();

  EXPECT_EQ(gErrorMessages[1],
            "Error in parsing the save settings file.  Click here for more info.  Call VX for support.");
  EXPECT_EQ(gErrorMessages[10],
            "The driver format is unrecognized.  Check for updates to see if there is a new version of "
            "this utility.");
  EXPECT_EQ(gErrorMessages[6], gErrorMessages[7]);
  for (int k = 1; k <= 10; ++k) EXPECT_FALSE(gErrorMessages[k].empty()) << k;

  struct Case { int16_t id; std::string local, web; std::vector<std::string> extensions; } cases[] = {
      {1, "orvella/drivers/", "/products/orvella/drivers/", {".prj", ".prjdrv"}},
      {2, "orvella/drivers/", "/products/orvella/drivers/", {".pdf"}},
      {3, "orvella/firmware/", "/products/orvella/firmware/", {".fw", ".pdf"}},
      {4, "ridarudozo/firmware/", "/products/ridarudozo/firmware/", {".fw", ".wrom", ".pdf"}},
      {5, "orvella/userrooms/", "", {".room"}},
      {6, "orvella/legends/", "/products/orvella/legends/", {".gif"}},
      {7, "appfiles/", "/products/appfiles/", {".chm", ".exe"}},
  };
  EXPECT_EQ(gFileTypes->count(), 7);
  for (const Case& c : cases) {
    EXPECT_EQ(gFileTypes->localDir(c.id), lib + "/" + c.local) << c.id;
    EXPECT_EQ(gFileTypes->webDir(c.id), c.web.empty() ? "" : "http://updates.example" + c.web) << c.id;
    EXPECT_EQ(gFileTypes->extensions(c.id), c.extensions) << c.id;
    EXPECT_TRUE(VXCommon::dirExists(gFileTypes->localDir(c.id))) << c.id;
  }
  auto first = gFileTypes;
  initGlobals();
  EXPECT_NE(gFileTypes, first);  // a new table at every call
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
