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
  TempXdgHome home;
  ScriptedMessageBoxes boxes;
};

TEST_F(FactoryDefaultsTest, ResultFollowsTheCheck) {
  const std::string path = VXCommon::gFileTypes->localDir(ftDrivers) + PanelSettingsV2::kFactoryDefaultsDriver;
  // The text appended to a complete driver (nullptr: no file) and the last message ("": success).
  const std::pair<const char*, std::string> cases[] = {
      {"", ""},
      {"VOL-MUTE=X", "(E) Expecting a Number"},
      {"REQUIRES-FW-VERSION=9,0", "(E) Firmware upgrade required for this driver"},
      {nullptr, "(E) Can't find Driver file format statement.  ABORT."},
  };
  for (const auto& [added, lastMessage] : cases) {
    ::unlink(path.c_str());
    if (added) home.writeFile(path.substr(home.root().size() + 1), checked_driver::driverText({}, {added}));
    PanelSettingsV2 settings;
    EXPECT_EQ(settings.loadDefaults(), !lastMessage.empty()) << lastMessage;
    EXPECT_TRUE(settings.loadingDefaults());
    EXPECT_EQ(settings.fullDriverName(), added ? PanelSettingsV2::kFactoryDefaultsDriver : "");
    std::string messages = driver_test::messages();
    EXPECT_EQ(messages.substr(messages.rfind('|') + 1), lastMessage);
  }
  // Without a library nothing is read.
  VXCommon::resetStartupGlobals();
  PanelSettingsV2 settings;
  EXPECT_TRUE(settings.loadDefaults());
  EXPECT_EQ(settings.fullDriverName(), "");
}

}  // namespace
