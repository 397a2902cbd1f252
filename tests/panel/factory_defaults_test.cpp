// Loading the factory defaults from the drivers folder of a temporary library.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "common/startup_globals.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/panel/checked_driver_text.h"
#include "tests/panel/driver_text_support.h"

namespace {

class FactoryDefaultsTest : public ::testing::Test {
 protected:
  void SetUp() override { VXCommon::initGlobals(); }
  void TearDown() override { VXCommon::resetStartupGlobals(); }
  std::string defaultsPath() const {
    return VXCommon::gFileTypes->localDir(ftDrivers) + PanelSettingsV2::kFactoryDefaultsDriver;
  }
  void writeDefaults(const std::string& added) const {
    home.writeFile(defaultsPath().substr(home.root().size() + 1), checked_driver::driverText({}, {added}));
  }
  TempXdgHome home;
  ScriptedMessageBoxes boxes;
};

TEST_F(FactoryDefaultsTest, ResultFollowsTheCheck) {
  struct Case {
    const char* text;  // appended to a complete driver; nullptr: no file
    bool failed;
    std::string lastMessage;
  } cases[] = {
      {"", false, ""},
      {"VOL-MUTE=X", true, "(E) Expecting a Number"},
      {"REQUIRES-FW-VERSION=9,0", true, "(E) Firmware upgrade required for this driver"},
      {nullptr, true, "(E) Can't find Driver file format statement.  ABORT."},
  };
  for (const Case& c : cases) {
    ::unlink(defaultsPath().c_str());
    if (c.text) writeDefaults(c.text);
    PanelSettingsV2 settings;
    EXPECT_EQ(settings.loadDefaults(), c.failed) << c.lastMessage;
    EXPECT_TRUE(settings.loadingDefaults());
    std::string messages = driver_test::messages();
    EXPECT_EQ(messages.substr(messages.rfind('|') + 1), c.lastMessage);
  }
  // The object holds what the file gave, under the file's name.
  writeDefaults("ROOM-RELAY[4]=100ms,Locked");
  PanelSettingsV2 settings;
  settings.loadDefaults();
  EXPECT_EQ(settings.fullDriverName(), PanelSettingsV2::kFactoryDefaultsDriver);
  EXPECT_EQ(settings.roomRelayEventSelected(4), "Locked");
}

TEST_F(FactoryDefaultsTest, WithoutALibraryNothingIsRead) {
  VXCommon::resetStartupGlobals();
  PanelSettingsV2 settings;
  EXPECT_TRUE(settings.loadDefaults());
  EXPECT_TRUE(settings.loadingDefaults());
  EXPECT_EQ(settings.fullDriverName(), "");
}

}  // namespace
