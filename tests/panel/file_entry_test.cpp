// The driver and room file entry points: which reader a driver's name selects, the driver's
// name taken from its file, room files added to what the object holds, and files that cannot
// be read.
#include <gtest/gtest.h>

#include <string>

#include "tests/panel/driver_text_support.h"

namespace {

using driver_test::describeRow;
using driver_test::listing;

TEST(FileEntry, TheNameSelectsTheReaderAndBecomesTheDriverName) {
  struct {
    const char* name;
    bool keywordLanguage;
  } cases[] = {
      {"proj.prjdrv", true},  {"Proj.PRJ", false},     {"proj.prj", false},
      {"x.Prj", false},       {"x.prj.prjdrv", true},  {"noextension", true},
  };
  for (const auto& c : cases) {
    TempXdgHome folder;
    folder.writeFile(std::string("drivers/") + c.name,
                     "PROJ-DRIVER-NAME='Other.prjdrv'\r\nVOL-MUTE=5\r\n");
    PanelSettingsV2 settings;
    EXPECT_TRUE(settings.ReadAndParseProjFile(folder.root() + "/drivers/" + c.name)) << c.name;
    EXPECT_EQ(describeRow(settings, kwProjDriverName), std::string("1=") + c.name) << c.name;
    EXPECT_EQ(settings.fullDriverName(), c.name);
    EXPECT_EQ(describeRow(settings, kwVolMute), c.keywordLanguage ? "=5" : "null") << c.name;
  }
}

TEST(FileEntry, ARoomFileAddsToTheValuesHeldAndRemembersItsName) {
  TempXdgHome folder;
  folder.writeFile("drivers/a.prjdrv", "PROJ-NAME='Acme'\r\nVOL-MUTE=5\r\n");
  folder.writeFile("rooms/Room 101.room", "PROJ-FILE-FMT=2\r\nVOL-MUTE=9\r\nROOM-USR-NOTE=\"n\"\r\n");
  PanelSettingsV2 settings;
  ASSERT_TRUE(settings.ReadAndParseProjFile(folder.root() + "/drivers/a.prjdrv"));
  ASSERT_TRUE(settings.ReadAndParseRoomFile(folder.root() + "/rooms/Room 101.room"));
  EXPECT_EQ(settings.roomFileName(), "Room 101.room");
  EXPECT_EQ(describeRow(settings, kwProjName), "=Acme");
  EXPECT_EQ(describeRow(settings, kwVolMute), "=5");
  EXPECT_EQ(describeRow(settings, kwRoomUsrNote), "=n");
  EXPECT_EQ(describeRow(settings, kwProjFileFmt), "=2");
  EXPECT_EQ(settings.parseErrors(), 1);  // the room's VOL-MUTE repeats the driver's
}

TEST(FileEntry, FilesThatCannotBeReadAreReportedAndChangeNoSlot) {
  TempXdgHome folder;
  folder.makeDir("drivers/folder.prjdrv");
  folder.makeDir("drivers/folder.prj");
  for (const char* name : {"missing.prjdrv", "missing.prj", "folder.prjdrv", "folder.prj"}) {
    PanelSettingsV2 settings;
    EXPECT_FALSE(settings.ReadAndParseProjFile(folder.root() + "/drivers/" + name)) << name;
    EXPECT_EQ(describeRow(settings, kwProjDriverName), "null") << name;
    EXPECT_EQ(listing(), "\r\n") << name;
  }
  PanelSettingsV2 settings;
  EXPECT_FALSE(settings.ReadAndParseRoomFile(folder.root() + "/missing.room"));
  EXPECT_EQ(listing(), "\r\n");
}

}  // namespace
