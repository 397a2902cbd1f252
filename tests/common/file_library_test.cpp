#include "common/file_library.h"

#include <gtest/gtest.h>

#include "common/startup_globals.h"
#include "platform/settings_store.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/temp_xdg_home.h"

namespace {

using Names = std::vector<std::string>;

// A library under a temporary default directory; files are placed by type folder.
class FileLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override { useLibrary(home); }
  void TearDown() override { VXCommon::resetStartupGlobals(); }
  static void useLibrary(const TempXdgHome& at) {
    platform::IniSettingsStore().saveSetting("VezUradoDuruvo", "Startup", "DefaultDirectory", at.root() + "/lib");
    VXCommon::initGlobals();
  }
  static void put(const TempXdgHome& at, FileTypeId type, const std::vector<const char*>& names) {
    for (const char* name : names) at.writeFile(path(type, name).substr(at.root().size() + 1), "; placeholder\r\n");
  }
  void put(FileTypeId type, const std::vector<const char*>& names) { put(home, type, names); }
  static std::string path(FileTypeId type, const std::string& name) {
    return VXCommon::gFileTypes->localDir(type) + name;
  }
  // "name current" / "name old" per driver, in list order.
  Names models(const std::string& maker, const std::string& selected, bool all, int16_t& idx) {
    Names out;
    for (const ProjDriverPtr& d : db.getModelList(maker, selected, idx, all))
      out.push_back(d->projDriverName + (d->projIsCurrent ? " current" : " old") + (d->hasPDF ? " pdf" : ""));
    return out;
  }
  TempXdgHome home;
  ScriptedMessageBoxes boxes;
  fileDatabaseCls db;
};

TEST_F(FileLibraryTest, ParsesDriverFileNames) {
  struct Case { const char *name, *maker, *model, *rev, *modelAndRev, *ext; } cases[] = {
      {"Maker Model-1 (1.2).prjdrv", "Maker", "Model-1", "(1.2)", "Model-1 (1.2)", "prjdrv"},
      {"Acme PX 100  (Rev A) .prj", "Acme", "PX 100", "(Rev A)", "PX 100  (Rev A) ", "prj"},
      {"Solo.prjdrv", "", "", "", "Solo", "prjdrv"},
      {"Acme X.prjdrv", "Acme", "", "", "X", "prjdrv"},
  };
  for (const Case& c : cases) {
    ProjDriverPtr d = fileDatabaseCls::parseDriverFn(c.name);
    ASSERT_TRUE(d) << c.name;
    EXPECT_EQ(Names({d->projMfgr, d->projModel, d->projRev, d->projModelAndRev, d->projExt, d->projDriverName}),
              Names({c.maker, c.model, c.rev, c.modelAndRev, c.ext, c.name}));
    EXPECT_FALSE(d->projIsCurrent);
  }
  for (const char* notADriver : {"X Y.PRJ", "X Y (1).pdf", "prjdrv"})
    EXPECT_FALSE(fileDatabaseCls::parseDriverFn(notADriver)) << notADriver;
}

TEST_F(FileLibraryTest, KeepsTheNewestRevisionAndDropsTheOlderFormatTwin) {
  put(ftDrivers, {"A B (1).prj", "A B (1).prjdrv", "A B (2).prjdrv", "A B (10).prjdrv", "A C (1).prj",
                  "Acme X.prjdrv", "Acme Y.prjdrv", "Solo.prjdrv", "notes.txt", "X Y.PRJ"});
  put(ftDriverDocs, {"A B (2).pdf"});
  db.createDriverDB();
  int16_t idx = -1;
  EXPECT_EQ(models("A", "", true, idx),
            Names({"A B (1).prjdrv old", "A B (10).prjdrv old", "A B (2).prjdrv current pdf", "A C (1).prj current"}));
  EXPECT_EQ(idx, 0);
  // The selected driver is listed even as an older revision.
  EXPECT_EQ(models("A", "A B (1).prjdrv", false, idx),
            Names({"A B (1).prjdrv old", "A B (2).prjdrv current pdf", "A C (1).prj current"}));
  EXPECT_EQ(idx, 1);
  EXPECT_EQ(models("Acme", "Acme Y.prjdrv", false, idx), Names({"Acme X.prjdrv current", "Acme Y.prjdrv current"}));
  EXPECT_EQ(idx, 2);
  EXPECT_EQ(models("", "", false, idx), Names({"Solo.prjdrv current"}));

  EXPECT_EQ(db.getMfgrList("Acme X.prjdrv", idx), Names({"A", "Acme", ""}));
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
  EXPECT_EQ(*rooms, Names({"Room 10", "Room 2", "lab"}));
  EXPECT_EQ(idx, 2);
  EXPECT_EQ(db.getSavedRoomsList("lab.ROOM", idx), rooms);  // the list itself, shared
  EXPECT_EQ(idx, 0);
}

TEST_F(FileLibraryTest, FindsNewerFirmwareWithHexVersionsOnly) {
  struct Case { std::vector<const char*> files; int16_t product; const char* newest; } cases[] = {
      {{"FW010204.fw", "FW010210.fw"}, 1, "FW010210.fw"},
      {{"FW010203.fw"}, 1, ""},
      {{"FW010204.fw"}, 5, ""},
      {{"FW01ZZZZ.fw", "FW01020G.fw", "FW010205.fw"}, 1, "FW010205.fw"},
      {{"fw0102fa.FW", "FW0102F0.fw"}, 1, "fw0102fa.FW"},
      {{"FW0102100.fw", "FW0203.fw", "FW020210.fw"}, 1, ""},
  };
  for (const Case& c : cases) {
    TempXdgHome caseHome;
    useLibrary(caseHome);
    put(caseHome, ftPanelFirmware, c.files);
    EXPECT_EQ(db.findFWUpgrades(c.product, 2, 3, ".fw"), *c.newest ? path(ftPanelFirmware, c.newest) : "")
        << c.files[0];
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
