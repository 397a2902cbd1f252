#include "common/file_library.h"

#include <gtest/gtest.h>

#include "common/startup_globals.h"
#include "platform/settings_store.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

// A library under a temporary default directory; files are placed by type folder.
class FileLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::IniSettingsStore().saveSetting("VezUradoDuruvo", "Startup", "DefaultDirectory",
                                             home.root() + "/lib");
    VXCommon::initGlobals();
  }
  void TearDown() override { VXCommon::resetStartupGlobals(); }
  void put(FileTypeId type, std::initializer_list<const char*> names) {
    for (const char* name : names)
      home.writeFile(VXCommon::gFileTypes->localDir(type).substr(home.root().size() + 1) + name, "; placeholder\r\n");
  }
  std::string path(FileTypeId type, const std::string& name) { return VXCommon::gFileTypes->localDir(type) + name; }
  // "name current" / "name old" per driver, in list order.
  std::vector<std::string> models(const std::string& maker, const std::string& selected, bool all, int16_t& idx) {
    std::vector<std::string> out;
    for (const ProjDriverPtr& d : db.getModelList(maker, selected, idx, all))
      out.push_back(d->projDriverName + (d->projIsCurrent ? " current" : " old") + (d->hasPDF ? " pdf" : ""));
    return out;
  }
  TempXdgHome home;
  ScriptedMessageBoxes boxes;
  fileDatabaseCls db;
};

TEST_F(FileLibraryTest, ParsesDriverFileNames) {
  struct Case {
    const char* name;
    bool driver;
    const char *maker = "", *model = "", *rev = "", *modelAndRev = "", *ext = "";
  } cases[] = {
      {"Maker Model-1 (1.2).prjdrv", true, "Maker", "Model-1", "(1.2)", "Model-1 (1.2)", "prjdrv"},
      {"Acme PX 100  (Rev A) .prj", true, "Acme", "PX 100", "(Rev A)", "PX 100  (Rev A) ", "prj"},
      {"Solo.prjdrv", true, "", "", "", "Solo", "prjdrv"},
      {"Acme X.prjdrv", true, "Acme", "", "", "X", "prjdrv"},
      {"X Y.PRJ", false},
      {"X Y (1).pdf", false},
      {"prjdrv", false},
  };
  for (const Case& c : cases) {
    ProjDriverPtr d = fileDatabaseCls::parseDriverFn(c.name);
    ASSERT_EQ(d != nullptr, c.driver) << c.name;
    if (!d) continue;
    EXPECT_EQ(d->projMfgr, c.maker) << c.name;
    EXPECT_EQ(d->projModel, c.model) << c.name;
    EXPECT_EQ(d->projRev, c.rev) << c.name;
    EXPECT_EQ(d->projModelAndRev, c.modelAndRev) << c.name;
    EXPECT_EQ(d->projExt, c.ext) << c.name;
    EXPECT_EQ(d->projDriverName, c.name);
    EXPECT_FALSE(d->projIsCurrent);
  }
}

TEST_F(FileLibraryTest, KeepsTheNewestRevisionAndDropsTheOlderFormatTwin) {
  put(ftDrivers, {"A B (1).prj", "A B (1).prjdrv", "A B (2).prjdrv", "A B (10).prjdrv", "A C (1).prj",
                  "Acme X.prjdrv", "Acme Y.prjdrv", "Solo.prjdrv", "notes.txt", "X Y.PRJ"});
  put(ftDriverDocs, {"A B (2).pdf"});
  db.createDriverDB();
  int16_t idx = -1;
  EXPECT_EQ(models("A", "", true, idx),
            (std::vector<std::string>{"A B (1).prjdrv old", "A B (10).prjdrv old", "A B (2).prjdrv current pdf",
                                      "A C (1).prj current"}));
  EXPECT_EQ(idx, 0);
  // The selected driver is listed even as an older revision.
  EXPECT_EQ(models("A", "A B (1).prjdrv", false, idx),
            (std::vector<std::string>{"A B (1).prjdrv old", "A B (2).prjdrv current pdf", "A C (1).prj current"}));
  EXPECT_EQ(idx, 1);
  EXPECT_EQ(models("Acme", "Acme Y.prjdrv", false, idx),
            (std::vector<std::string>{"Acme X.prjdrv current", "Acme Y.prjdrv current"}));
  EXPECT_EQ(idx, 2);
  EXPECT_EQ(models("", "", false, idx), (std::vector<std::string>{"Solo.prjdrv current"}));

  EXPECT_EQ(db.getMfgrList("Acme X.prjdrv", idx), (std::vector<std::string>{"A", "Acme", ""}));
  EXPECT_EQ(idx, 2);
  db.getMfgrList("missing.prjdrv", idx);
  EXPECT_EQ(idx, 0);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(FileLibraryTest, ListsSavedRoomsInListingOrder) {
  put(ftSavedRooms, {"Room 2.room", "Room 10.room", "lab.ROOM", "old.room.bak"});
  db.createSavedRoomsDB();
  int16_t idx = -1;
  auto rooms = db.getSavedRoomsList("Room 2", idx);
  EXPECT_EQ(*rooms, (std::vector<std::string>{"Room 10", "Room 2", "lab"}));
  EXPECT_EQ(idx, 2);
  EXPECT_EQ(db.getSavedRoomsList("lab.ROOM", idx), rooms);  // the list itself, shared
  EXPECT_EQ(idx, 0);
}

TEST_F(FileLibraryTest, FindsNewerFirmwareWithHexVersionsOnly) {
  struct Case {
    std::vector<const char*> files;
    int16_t product, major, minor;
    const char* newest;  // "" for none
  } cases[] = {
      {{"FW010204.fw", "FW010210.fw"}, 1, 2, 3, "FW010210.fw"},
      {{"FW010203.fw"}, 1, 2, 3, ""},
      {{"FW010204.fw"}, 5, 2, 3, ""},
      {{"FW01ZZZZ.fw", "FW01020G.fw", "FW010205.fw"}, 1, 2, 3, "FW010205.fw"},
      {{"fw0102fa.FW", "FW0102F0.fw"}, 1, 2, 3, "fw0102fa.FW"},
      {{"FW0102100.fw", "FW0203.fw", "FW020210.fw"}, 1, 2, 3, ""},
  };
  for (const Case& c : cases) {
    TempXdgHome caseHome;
    platform::IniSettingsStore().saveSetting("VezUradoDuruvo", "Startup", "DefaultDirectory", caseHome.root());
    VXCommon::initGlobals();
    for (const char* f : c.files)
      caseHome.writeFile(VXCommon::gFileTypes->localDir(ftPanelFirmware).substr(caseHome.root().size() + 1) + f);
    std::string expected = *c.newest ? VXCommon::gFileTypes->localDir(ftPanelFirmware) + c.newest : "";
    EXPECT_EQ(db.findFWUpgrades(c.product, c.major, c.minor, ".fw"), expected) << c.files[0];
  }
}

TEST_F(FileLibraryTest, FindsWebromHelpAndInstaller) {
  put(ftAdapterFirmware, {"FW020190.wrom", "FW020106.wrom", "FW020104.wrom", "FW02010Z.wrom", "FW020206.wrom"});
  EXPECT_EQ(db.findWebromUpgrades(2, 1, 5), path(ftAdapterFirmware, "FW020106.wrom"));
  EXPECT_EQ(db.findWebromUpgrades(2, 1, 6), "");

  EXPECT_EQ(db.findCurrentHelp(), "");
  put(ftAppFiles, {"HE010002.chm", "HE01000B.chm", "HE0100.chm", "HE010099x.chm", "HE010102.chm", "he01000z.chm"});
  EXPECT_EQ(db.findCurrentHelp(), path(ftAppFiles, "HE01000B.chm"));

  EXPECT_EQ(db.findCurrentCU(), "");
  put(ftAppFiles, {"CU010000.exe", "CU00FFFF.exe"});
  EXPECT_EQ(db.findCurrentCU(), "");  // not newer than this utility
  put(ftAppFiles, {"CU010001.exe", "cu0100zz.exe", "CU0100.exe"});
  EXPECT_EQ(db.findCurrentCU(), path(ftAppFiles, "CU010001.exe"));
}

TEST_F(FileLibraryTest, MissingFoldersGiveEmptyResults) {
  VXCommon::resetStartupGlobals();  // no file types at all
  FakeDirectoryLister lister;
  db.createDriverDB();
  db.createSavedRoomsDB();
  int16_t idx = -1;
  EXPECT_TRUE(db.getMfgrList("", idx).empty());
  EXPECT_TRUE(db.getSavedRoomsList("", idx)->empty());
  EXPECT_EQ(db.findFWUpgrades(1, 0, 0, ".fw"), "");
  EXPECT_EQ(db.findCurrentHelp(), "");
  EXPECT_TRUE(lister.patterns.empty());  // never the current folder
}

}  // namespace
