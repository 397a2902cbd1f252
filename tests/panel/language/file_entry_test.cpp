// The driver and room file entry points: the reader a driver's name selects, the driver's
// name taken from its file, a room added to what is held, and files that cannot be read.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "tests/panel/driver_text_support.h"

namespace {

using namespace driver_test;
using driver_test::lexText;  // not the lex type of the same name

TEST(FileEntry, DriversAndRooms) {
  for (std::string name : {"p.prjdrv", "P.PRJ", "x.Prj", "x.prj.prjdrv", "noextension"}) {
    TempXdgHome folder;
    folder.writeFile("d/" + name, "PROJ-DRIVER-NAME='Other.prjdrv'\r\nVOL-MUTE=5\r\n");
    // A room file that starts with a UTF-8 byte-order mark, as some editors write.
    folder.writeFile("r/Room 1.room", "\xEF\xBB\xBFVOL-MUTE=9\r\nVOL-FLOOR=1\r\n");
    PanelSettingsV2 settings;
    EXPECT_TRUE(settings.ReadAndParseProjFile(folder.root() + "/d/" + name));
    EXPECT_EQ(describeRow(settings, kwProjDriverName), "1=" + name);
    bool keywordLanguage = !name.ends_with("rj") && !name.ends_with("RJ");
    EXPECT_EQ(describeRow(settings, kwVolMute), keywordLanguage ? "=5" : "null") << name;

    EXPECT_TRUE(settings.ReadAndParseRoomFile(folder.root() + "/r/Room 1.room"));
    EXPECT_EQ(settings.roomFileName(), "Room 1.room");
    EXPECT_EQ(describeRow(settings, kwVolMute) + describeRow(settings, kwVolFloor),
              keywordLanguage ? "=5=1" : "=9=1");
  }
}

TEST(FileEntry, FilesThatCannotBeReadChangeNothing) {
  TempXdgHome folder;
  folder.makeDir("f.prjdrv");
  folder.makeDir("f.prj");
  ::mkfifo((folder.root() + "/fifo.prjdrv").c_str(), 0600);  // no writer: must not wait for one
  for (const char* name : {"/missing.prjdrv", "/missing.prj", "/f.prjdrv", "/f.prj", "/fifo.prjdrv"}) {
    PanelSettingsV2 settings;
    EXPECT_FALSE(settings.ReadAndParseProjFile(folder.root() + name)) << name;
    EXPECT_EQ(describeRow(settings, kwProjDriverName) + listing(), "null\r\n") << name;
    EXPECT_FALSE(settings.ReadAndParseRoomFile(folder.root() + name)) << name;
  }
}

}  // namespace
