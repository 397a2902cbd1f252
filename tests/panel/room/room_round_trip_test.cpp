// Room files read back: each driver and room of the sample library, read and checked, written
// as a room, read into a new object and checked again gives result 0, the same settings (times
// exactly) and, written again, the same bytes, a saved room the
// very bytes of its file; so does a room changed through its properties. A driver that mixes
// IR and RS232 codes and its room build the same panel image.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "common/device_globals.h"
#include "common/memory_image.h"
#include "platform/fs_util.h"
#include "tests/panel/checked_driver_text.h"
#include "tests/panel/driver_text_support.h"

namespace {

const std::string kSamples = std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/";

// Times compare exactly: a room writes each so that it reads back as the same time.
std::string valueText(const Variant& value) {
  return value.isDecimal() ? value.toDecimal().toString() + "u" : value.toText();
}

std::string describe(const Variant& value, bool withKeys = true) {
  std::string text;
  if (auto lexes = value.object<TypeValueList>()) {
    // Markers by their type: the room spells them in upper case however the driver did.
    for (const TypeValuePtr& lex : *lexes) {
      int16_t type = lex->theType;
      bool marker = (type >= lexVarBin && type <= lexQStop) || type == lexVarHex || type == lexVarAsc0;
      text += " " + std::to_string(type) + "(" + (marker ? "" : valueText(lex->theValue)) + ")";
    }
    return "<" + text + ">";
  }
  if (value.isNothing()) return "null";
  auto list = value.object<KeyValueClass>();
  if (!list) return valueText(value);
  for (int32_t i = 1; i <= list->count(); ++i)
    text += " " + (withKeys ? list->ItemKey(i).toText() + "=" : "") + describe(list->ItemVal(i));
  return "{" + text + "}";
}

// Every slot but PROJ-FILE-FMT (a room is always format 2). A keyword without subscript is
// compared by its values only: a driver's reader and the checker key them "1" where a room's
// statements key them "".
std::vector<std::string> settingsOf(PanelSettingsV2& settings) {
  std::vector<std::string> rows;
  for (int16_t row = kwProjFileFmt + 1; row <= kKeywordCount; ++row) {
    const KeyValuePtr& slot = PanelSettingsTestAccess::slot(settings, row);
    rows.push_back(std::to_string(row) + ": " +
                   describe(Variant(slot), settings.keywordTable(row).subscriptKind != subNone));
  }
  return rows;
}

// Writes the settings as a room, reads it into `room` and checks it; the room's text.
std::string writeAndRead(PanelSettingsV2& settings, PanelSettingsV2& room, const std::string& path) {
  std::string text = settings.encodeRoomFile();
  EXPECT_TRUE(platform::replaceFile(path, text));
  room.ReadAndParseRoomFile(path);
  int16_t result = -1;
  room.IsDriverValid(result);
  EXPECT_EQ(result, 0) << path << "\n" << driver_test::listing();
  EXPECT_EQ(settingsOf(room), settingsOf(settings)) << path;
  EXPECT_EQ(room.encodeRoomFile(), text) << path;
  return text;
}

TEST(RoomRoundTrip, SampleLibrary) {
  VXCommon::gPanelFwMajor = 255;  // a panel new enough for every driver
  VXCommon::gPanelFwMinor = 255;
  TempXdgHome folder;
  int files = 0;
  for (const char* kind : {"drivers/", "userrooms/"}) {
    for (const auto& entry : std::filesystem::directory_iterator(kSamples + kind)) {
      const std::string file = entry.path().string();
      PanelSettingsV2 settings;
      if (file.ends_with(".room")) settings.ReadAndParseRoomFile(file);
      else if (file.ends_with(".prjdrv") || file.ends_with(".prj")) settings.ReadAndParseProjFile(file);
      else continue;
      ++files;
      int16_t result = -1;
      settings.IsDriverValid(result);
      ASSERT_EQ(result, 0) << file;
      PanelSettingsV2 again;
      std::string text = writeAndRead(settings, again, folder.root() + "/sample.room");
      // A saved room is written again byte for byte.
      if (file.ends_with(".room")) {
        EXPECT_EQ(text, platform::readWholeFile(file).value_or("")) << file;
      }
    }
  }
  EXPECT_GE(files, 3);
  VXCommon::resetDeviceGlobals();
}

TEST(RoomRoundTrip, ChangedRoomReadsBack) {
  PanelSettingsV2 settings;
  settings.ReadAndParseProjFile(kSamples + "drivers/Acme PX-200 (Rev B).prjdrv");
  int16_t result = -1;
  settings.IsDriverValid(result);
  settings.roomLegendName(2, "Two\r\nlines");
  settings.roomLockoutTime("95");
  settings.codeTableRoomSelectionIdx(3, 5);

  TempXdgHome folder;
  PanelSettingsV2 room;
  writeAndRead(settings, room, folder.root() + "/changed.room");
  EXPECT_EQ(room.roomLegendName(2) + "," + room.roomLockoutTime(), "Two\r\nlines,95");
  EXPECT_EQ(room.codeTableRoomSelectionIdx(3), 5);
  EXPECT_FALSE(room.isDirty());
}

// The panel addresses codes by their position in the table: the room must keep the order in
// which the driver mixes IR and RS232 codes.
TEST(RoomRoundTrip, MixedCodesBuildTheSameImage) {
  TempXdgHome folder;
  folder.writeFile("Mixed (Rev A).prjdrv",
                   checked_driver::driverText({}, {"IRCODE['VGA']=\"%1\",IS-SELECTION", "RSCODE['QPW']=\"'Q'\"",
                                                   "IRCODE['BLANK']=\"%11\",IS-HIDDEN", "DEFAULT-SELECTION[2]='VGA'",
                                                   "DEFAULT-HID-FUNCT['2']='BLANK'"}));
  PanelSettingsV2 driver, room;
  driver.ReadAndParseProjFile(folder.root() + "/Mixed (Rev A).prjdrv");
  int16_t result = -1;
  driver.IsDriverValid(result);
  ASSERT_EQ(result, 0) << driver_test::listing();
  writeAndRead(driver, room, folder.root() + "/mixed.room");

  for (int16_t n = 1; n <= 11; ++n) EXPECT_EQ(room.codeTableRoomHidFunctIdx(n), driver.codeTableRoomHidFunctIdx(n)) << n;
  for (int16_t n = 1; n <= 4; ++n) EXPECT_EQ(room.codeTableRoomSelectionIdx(n), driver.codeTableRoomSelectionIdx(n)) << n;
  EXPECT_EQ(room.codeTableRoomSelectionIdx(2), 2);
  for (int16_t version = 1; version <= 3; ++version) {
    std::shared_ptr<memBlockCls> fromDriver = driver.makeMemoryMap(version, 1, 0);
    std::shared_ptr<memBlockCls> fromRoom = room.makeMemoryMap(version, 1, 0);
    ASSERT_TRUE(fromDriver && fromRoom) << version;
    // The time stamp is the time of the build.
    EXPECT_TRUE(fromRoom->memImage().replace(0x0120, 32, 32, '\0') ==
                fromDriver->memImage().replace(0x0120, 32, 32, '\0')) << "format " << version + 6;
  }
}

}  // namespace
