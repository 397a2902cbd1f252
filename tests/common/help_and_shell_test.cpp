#include "common/help_and_shell.h"

#include <gtest/gtest.h>

#include "common/startup_globals.h"
#include "platform/settings_store.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

TEST(HelpAndShell, FindsTheHelpFileOnceAndComplainsWhileItIsMissing) {
  TempXdgHome home;
  ScriptedMessageBoxes boxes;
  RecordingShellOpener opener;
  platform::IniSettingsStore().saveSetting("VezUradoDuruvo", "Startup", "DefaultDirectory", home.root() + "/lib");
  VXCommon::initGlobals();

  VXCommon::showHelp(7);
  VXCommon::showHelp(0);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, "Cannot find Help File.  Try downloading upgrades.");
  EXPECT_EQ(boxes.shown[1].icon, platform::MsgIcon::Stop);
  EXPECT_TRUE(opener.opened.empty());

  home.writeFile("lib/appfiles/HE010003.chm");
  VXCommon::showHelp(1012);
  home.writeFile("lib/appfiles/HE010009.chm");  // found later: the first one found stays
  VXCommon::showHelp(0);
  VXCommon::shellOpen("http://example.invalid/note.pdf");
  const std::string help = home.root() + "/lib/appfiles/HE010003.chm";
  ASSERT_EQ(opener.opened.size(), 3u);
  for (int i : {0, 1}) {
    EXPECT_EQ(opener.opened[i].path, help);
    EXPECT_TRUE(opener.opened[i].help);
    EXPECT_EQ(opener.opened[i].contextId, i == 0 ? 1012 : 0);
  }
  EXPECT_EQ(opener.opened[2].path, "http://example.invalid/note.pdf");
  EXPECT_FALSE(opener.opened[2].help);
  EXPECT_EQ(boxes.shown.size(), 2u);
  VXCommon::resetStartupGlobals();
}

}  // namespace
