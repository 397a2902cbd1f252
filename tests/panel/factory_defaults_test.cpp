// Loading the factory defaults from the drivers folder of a temporary library.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "common/device_globals.h"
#include "common/startup_globals.h"
#include "panel/panel_settings.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/temp_xdg_home.h"
#include "tests/panel/checked_driver_text.h"
#include "tests/panel/driver_text_support.h"

namespace {

using checked_driver::driverText;

class FactoryDefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override { VXCommon::initGlobals(); }
  void TearDown() override {
    VXCommon::resetStartupGlobals();
    VXCommon::resetDeviceGlobals();
  }
  // The factory-defaults driver as the library holds it, relative to the temporary root.
  std::string defaultsFile() const {
    std::string drivers = VXCommon::gFileTypes->localDir(ftDrivers);
    return drivers.substr(home.root().size() + 1) + PanelSettingsV2::kFactoryDefaultsDriver;
  }
  TempXdgHome home;
  ScriptedMessageBoxes boxes;
};

TEST_F(FactoryDefaultsTest, ResultFollowsTheCheck) {
  struct Case {
    const char* what;
    const char* text;  // nullptr: no factory-defaults file
    bool failed;
    const char* lastMessage;
  } cases[] = {
      {"clean", "", false, nullptr},
      {"error in the file", "VOL-MUTE=X", true, "    (E) Expecting a Number"},
      {"firmware too old", "REQUIRES-FW-VERSION=9,0", true,
       "    (E) Firmware upgrade required for this driver"},
      {"no file", nullptr, true, "    (E) Can't find Driver file format statement.  ABORT."},
  };
  for (const Case& c : cases) {
    if (c.text) home.writeFile(defaultsFile(), driverText({}, {c.text}));
    else ::unlink((home.root() + "/" + defaultsFile()).c_str());
    PanelSettingsV2 settings;
    EXPECT_EQ(settings.loadDefaults(), c.failed) << c.what;
    EXPECT_TRUE(settings.loadingDefaults()) << c.what;
    auto messages = driver_test::messageLines();
    if (c.lastMessage) {
      ASSERT_FALSE(messages.empty()) << c.what;
      EXPECT_EQ(messages.back(), c.lastMessage) << c.what;
    } else {
      EXPECT_TRUE(messages.empty()) << c.what;
    }
  }
}

TEST_F(FactoryDefaultsTest, HoldsTheFactorySettingsUnderTheDriversName) {
  home.writeFile(defaultsFile(), driverText({"ROOM-RELAY", "ROOM-VOL-POWER-ON-LEVEL"}, {}));
  PanelSettingsV2 settings;
  ASSERT_FALSE(settings.loadDefaults());
  EXPECT_EQ(settings.fullDriverName(), PanelSettingsV2::kFactoryDefaultsDriver);
  EXPECT_EQ(settings.roomPowerOnVol(), 85);
  EXPECT_EQ(settings.roomRelayEventSelected(4), "Selection1");
}

TEST_F(FactoryDefaultsTest, WithoutALibraryNothingIsRead) {
  VXCommon::resetStartupGlobals();
  PanelSettingsV2 settings;
  EXPECT_TRUE(settings.loadDefaults());
  EXPECT_TRUE(settings.loadingDefaults());
  EXPECT_EQ(settings.fullDriverName(), "");
}

}  // namespace
