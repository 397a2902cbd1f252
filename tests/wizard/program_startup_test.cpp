#include "wizard/program_startup.h"

#include <gtest/gtest.h>

#include "common/device_globals.h"
#include "common/startup_globals.h"
#include "platform/settings_store.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/temp_xdg_home.h"
#include "wizard/comm_mode_demo.h"

namespace {

TEST(ProgramStartup, ReadsTheUpdateServerAndTakesALibraryForThisRunOnly) {
  struct Case {
    const char* storedServer;  // nullptr: none stored
    std::string library;       // --library, relative to the test folder; empty: none
    std::string server;
    std::string defaultDir;  // relative to the test folder
  } cases[] = {
      {nullptr, "", kDefaultUpdateServer, "data/VXC/"},
      {"mirror.example", "", "mirror.example", "data/VXC/"},
      {nullptr, "run-lib", kDefaultUpdateServer, "run-lib/"},
  };
  for (const Case& c : cases) {
    TempXdgHome home;
    ScriptedMessageBoxes boxes;
    platform::IniSettingsStore store;
    if (c.storedServer) store.saveSetting("VezUradoDuruvo", "Startup", "UpdateURL", c.storedServer);
    programStartup(c.library.empty() ? "" : home.root() + "/" + c.library);
    EXPECT_EQ(VXCommon::gUpdateServer, c.server);
    EXPECT_EQ(VXCommon::gDefaultDir, home.root() + "/" + c.defaultDir);
    EXPECT_EQ(VXCommon::gFileTypes->webDir(1), "http://" + c.server + "/products/orvella/drivers/");
    // A library given for the run is not stored (nor read back after the start-up); without
    // one the default directory is stored.
    EXPECT_EQ(platform::currentSettingsStore().getSetting("VezUradoDuruvo", "Startup", "DefaultDirectory"),
              c.library.empty() ? home.root() + "/data/VXC" : "");
    VXCommon::resetStartupGlobals();
  }
}

TEST(CommModeDemo, ActsAsAPanelWithFirmwareOnePointTwo) {
  VXCommon::resetDeviceGlobals();
  commModeDemo();
  EXPECT_EQ(VXCommon::gPanelFwMajor, 1);
  EXPECT_EQ(VXCommon::gPanelFwMinor, 2);
  VXCommon::resetDeviceGlobals();
}

}  // namespace
