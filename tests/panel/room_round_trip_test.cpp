// Room files read back: a driver read and checked, written as a room, read into a new object
// and checked again gives result 0, the same settings and, written again, the same bytes.
#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "common/device_globals.h"
#include "platform/fs_util.h"
#include "tests/panel/driver_text_support.h"

namespace {

using driver_test::listing;

// A driver that checks with result 0 and holds every kind of value: times of every unit (one
// code delay longer than an hour), numbers given in hex and binary, texts, words, flags,
// subscripts of every kind, a substitution and a reply pattern.
const char* const kDriver =
    "PROJ-FILE-FMT=2\r\n"
    "PROJ-NAME='Acme PX-9'\r\n"
    "PROJ-DRIVER-REV='B'\r\n"
    "DOC-REV-USER-MESSAGE['A']=\"First release; lamp codes\"\r\n"
    "IR-TIME-0L=560u\r\nIR-TIME-0H=560u\r\nIR-TIME-1L=1.69m\r\nIR-TIME-1H=560u\r\n"
    "CODE-SUBST[HDR]=\"'*',$01\"\r\n"
    "CODE-SUBST['end of line']=\"$0D\"\r\n"
    "PROJ-BAUD-RATE=9600,8,n,1\r\n"
    "IRCODE['ON']=\"%0101,D100m,&QSTOP,D90M\",USEREPEAT,REPEATS=$02,CONTINUE='ON2'\r\n"
    "IRCODE['ON2']=\"%11,r560u\",INCLUDECONT\r\n"
    "RSCODE['OFF']=\"HDR,'PWR OFF',13\"\r\n"
    "RSCODE['VUP']=\"'V+',&vbin,d1.5s\"\r\n"
    "RSCODE['VDN']=\"'V-',&VHEX,&VASC0,&VASC3\"\r\n"
    "RSCODE['IN 1']=\"'S1',$0D\",IS-SELECTION\r\n"
    "RSCODE['IN2']=\"'S2',$0D\"\r\n"
    "RSCODE['BLANK']=\"'B',$0D\",IS-HIDDEN\r\n"
    "RSCODE['POLL']=\"'?P',$0D\"\r\n"
    "BYTES-TO-QUEUE=$0E\r\n"
    "POWER-POLL-INTERVAL=2s\r\nPOWER-POLL-TIMEOUT=500m\r\n"
    "POWER-POLL-THRESHOLD=3\r\nPOWER-POLL-STARTBYTE=%1\r\n"
    "POWER-POLL-MATCH-ANY=false\r\n"
    "POWER-POLL-MATCH-BYTES=\"'OK',13\"\r\n"
    "PROJ-USES-ABSOLUTE-VOL=TRUE\r\n"
    "VOL-MUTE=0\r\nVOL-RANGE=100\r\nVOL-FLOOR=10\r\n"
    "IO-DOWNTIME=290m\r\nWARM-UP-DELAY=90s\r\nPOWER-ON-DELAY=5s\r\n"
    "USE-MODULATION-WHEN-WIRED=TRUE\r\nINVERT-LINE-WHEN-WIRED=FALSE\r\n"
    "CARRIER-PERIOD=26.3u\r\n"
    "DEFAULT-CORE-FUNCT[REPEAT]='ON2'\r\n"
    "DEFAULT-CORE-FUNCT[ON]='ON'\r\nDEFAULT-CORE-FUNCT[off]='OFF'\r\n"
    "DEFAULT-CORE-FUNCT[VUP]='VUP'\r\nDEFAULT-CORE-FUNCT[VDN]='VDN'\r\n"
    "DEFAULT-SELECTION[1]='IN 1'\r\nDEFAULT-SELECTION[2]='IN2'\r\n"
    "DEFAULT-HID-FUNCT['OFF']='BLANK'\r\nDEFAULT-HID-FUNCT[1]=''\r\n"
    "DEFAULT-LOCKOUT=4.7s\r\n"
    "POWER-SENSE-OPTIONS=RS232Poll\r\n"
    "IR-WIRING-OPTIONS=Wired-Serial,IR-Emitter\r\n"
    "DOC-PROJ-232-CONNECTOR=DB9F\r\n"
    "DOC-PROJ-232-WIRING[2]=TX\r\nDOC-PROJ-232-WIRING[3]=RX\r\n"
    "DOC-INSTALLATION-NOTE[1]=\"Use a null-modem cable\"\r\n"
    "ROOM-USR-NOTE=\"Room 101\"\r\n"
    "ROOM-LEGEND-NAME[1]=\"Line one|Line two\"\r\n"
    "ROOM-RELAY[3]=400ms,Locked\r\n";

std::string describeValue(const Variant& value);

std::string describeList(const KeyValueClass& list, bool withKeys) {
  std::string text;
  for (int16_t i = 1; i <= list.count(); ++i) {
    if (i > 1) text += ' ';
    if (withKeys) text += list.ItemKey(i).toText() + "=";
    text += describeValue(list.ItemVal(i));
  }
  return text;
}

// Lexes by type and value; a marker by its type only, since the room spells every marker in
// upper case however the driver wrote it.
std::string describeLexes(const TypeValueList& lexes) {
  std::string text;
  for (const TypeValuePtr& lex : lexes) {
    text += " " + std::to_string(lex->theType);
    bool marker = lex->theType == lexVarBin || lex->theType == lexVarHex || lex->theType == lexQStop ||
                  lex->theType == lexVarAsc0 || (lex->theType >= lexVarAsc1 && lex->theType <= lexVarAsc3);
    if (!marker) text += "(" + lex->theValue.toText() + ")";
  }
  return text;
}

std::string describeValue(const Variant& value) {
  if (auto list = value.object<KeyValueClass>()) return "{" + describeList(*list, true) + "}";
  if (auto lexes = value.object<TypeValueList>()) return "<" + describeLexes(*lexes) + ">";
  return value.toText();
}

// Every slot but PROJ-FILE-FMT (a room is always format 2), in row order. A keyword without
// subscript is compared by its values only: a driver's reader keys PROJ-DRIVER-NAME and the
// checker's defaults "1" where a room's statements key them "".
std::vector<std::string> settingsOf(PanelSettingsV2& settings) {
  std::vector<std::string> rows;
  for (int16_t row = kwProjFileFmt + 1; row <= kKeywordCount; ++row) {
    const KeyValuePtr& slot = PanelSettingsTestAccess::slot(settings, row);
    bool subscripted = settings.keywordTable(row).subscriptKind != subNone;
    rows.push_back(std::to_string(row) + ": " + (slot ? describeList(*slot, subscripted) : "null"));
  }
  return rows;
}

void expectSameSettings(const std::vector<std::string>& read, const std::vector<std::string>& expected,
                        const std::string& label) {
  ASSERT_EQ(read.size(), expected.size());
  for (size_t i = 0; i < read.size(); ++i) EXPECT_EQ(read[i], expected[i]) << label;
}

struct RoomTrip {
  int16_t driverResult = -1;
  int16_t roomResult = -1;
  std::string room;       // written from the driver
  std::string roomAgain;  // written from the room read back
  std::vector<std::string> driverSettings, roomSettings;
  std::string roomListing;
};

// Reads a driver (or, with sourceIsRoom, a room file), checks it, writes it as a room, and
// reads and checks that room in a new object.
RoomTrip roundTrip(const std::string& sourcePath, const std::string& roomPath, bool sourceIsRoom = false) {
  RoomTrip trip;
  PanelSettingsV2 driver;
  if (sourceIsRoom) driver.ReadAndParseRoomFile(sourcePath);
  else driver.ReadAndParseProjFile(sourcePath);
  driver.IsDriverValid(trip.driverResult);
  trip.room = driver.encodeRoomFile();
  trip.driverSettings = settingsOf(driver);

  EXPECT_TRUE(platform::replaceFile(roomPath, trip.room));
  PanelSettingsV2 room;
  room.ReadAndParseRoomFile(roomPath);
  room.IsDriverValid(trip.roomResult);
  trip.roomListing = listing();
  trip.roomAgain = room.encodeRoomFile();
  trip.roomSettings = settingsOf(room);
  return trip;
}

TEST(RoomRoundTrip, DriverWrittenAndReadBack) {
  TempXdgHome folder;
  folder.writeFile("Acme PX-9 (Rev B).prjdrv", kDriver);
  RoomTrip trip = roundTrip(folder.root() + "/Acme PX-9 (Rev B).prjdrv", folder.root() + "/r.room");

  ASSERT_EQ(trip.driverResult, 0);
  EXPECT_EQ(trip.roomResult, 0) << trip.roomListing;
  expectSameSettings(trip.roomSettings, trip.driverSettings, "driver");
  EXPECT_EQ(trip.roomAgain, trip.room);

  // Lines that show the writer's rules on a real driver: the file's name, numbers as decimal
  // text, times in their largest unit, the codes with their flags, the checker's defaults.
  for (const char* line : {
           "PROJ-FILE-FMT=2\r\nPROJ-DRIVER-NAME='Acme PX-9 (Rev B).prjdrv'\r\n",
           "\r\nIR-TIME-1L=1.69m\r\n",
           "\r\nCODE-SUBST['end of line']=\"$0D\"\r\n",
           "\r\nIRCODE['ON']=\"%0101,D100m,&QSTOP,D90M\",USEREPEAT,REPEATS=2,CONTINUE='ON2'\r\n",
           "\r\nRSCODE['OFF']=\"'*',$01,'PWR OFF',13\"\r\n",
           "\r\nRSCODE['VUP']=\"'V+',&VBIN,d1.5s\"\r\n",
           "\r\nRSCODE['BLANK']=\"'B',$0D\",IS-HIDDEN\r\n",
           "\r\nBYTES-TO-QUEUE=14\r\n",
           "\r\nPOWER-POLL-MATCH-ANY=False\r\n",
           "\r\nPOWER-POLL-TESTBYTE-MASK=255\r\n",
           "\r\nPOWER-POLL-LOCKOUT=4.7s\r\n",
           "\r\nWARM-UP-DELAY=1.5M\r\n",
           "\r\nDEFAULT-CORE-FUNCT[OFF]='OFF'\r\n",
           "\r\nDEFAULT-HID-FUNCT[1]=''\r\n",
           "\r\nPOWER-SENSE-OPTIONS=RS232Poll,None,Sensor\r\n",
           "\r\nROOM-INACT-SHUTDOWN-TIMER=2H\r\n",
           "\r\nROOM-SELECTION[1]='IN 1'\r\n",
           "\r\nROOM-RELAY[3]=400ms,Locked\r\nROOM-AFVP-DEFEAT-PREAMP=False\r\n",
           "\r\nROOM-AFVP-GBT[5]=0,6,6\r\n",
       })
    EXPECT_NE(trip.room.find(line), std::string::npos) << line;
}

// A room changed through the room properties reads back with the change.
TEST(RoomRoundTrip, ChangedRoomReadsBack) {
  TempXdgHome folder;
  folder.writeFile("d.prjdrv", kDriver);
  PanelSettingsV2 driver;
  driver.ReadAndParseProjFile(folder.root() + "/d.prjdrv");
  int16_t result = -1;
  driver.IsDriverValid(result);
  ASSERT_EQ(result, 0);
  driver.roomLegendName(2, "Two\r\nlines");
  driver.roomLegendFont(2, "Arial 10");
  driver.roomLockoutTime("40");
  driver.roomRelayEventSelected(3, "~Binary");
  driver.roomAFVPbassSetting(1, 4);
  driver.roomPowerOnVol(200);
  driver.roomUseShutdownTmr(true);
  driver.roomCTSAlternateUseSelected(3);
  driver.codeTableRoomSelectionIdx(3, 2);

  ASSERT_TRUE(platform::replaceFile(folder.root() + "/changed.room", driver.encodeRoomFile()));
  PanelSettingsV2 room;
  room.ReadAndParseRoomFile(folder.root() + "/changed.room");
  room.IsDriverValid(result);
  EXPECT_EQ(result, 0) << listing();
  EXPECT_EQ(room.roomLegendName(2), "Two\r\nlines");
  EXPECT_EQ(room.roomLegendFont(2), "Arial 10");
  EXPECT_EQ(room.roomLockoutTime(), "40");
  EXPECT_EQ(room.roomRelayEventSelected(3), "~Binary");
  EXPECT_EQ(room.roomAFVPbassSetting(1), 4);
  EXPECT_EQ(room.roomPowerOnVol(), 200);
  EXPECT_TRUE(room.roomUseShutdownTmr());
  EXPECT_EQ(room.roomCTSAlternateUseSelected(), 3);
  EXPECT_EQ(room.codeTableRoomSelectionIdx(3), 2);
  expectSameSettings(settingsOf(room), settingsOf(driver), "changed room");
  EXPECT_FALSE(room.isDirty());
}

// The library's sample drivers (both formats) and its saved room make the same round trip.
TEST(RoomRoundTrip, SampleLibrary) {
  const std::string orvella = std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/";
  std::vector<std::string> files;
  for (const char* folder : {"drivers/", "userrooms/"}) {
    if (DIR* dir = ::opendir((orvella + folder).c_str())) {
      while (dirent* entry = ::readdir(dir)) {
        std::string name = entry->d_name;
        for (const char* extension : {".prjdrv", ".prj", ".room"})
          if (name.size() > strlen(extension) && name.ends_with(extension)) files.push_back(folder + name);
      }
      ::closedir(dir);
    }
  }
  std::sort(files.begin(), files.end());

  VXCommon::gPanelFwMajor = 255;  // a panel new enough for every driver
  VXCommon::gPanelFwMinor = 255;
  TempXdgHome folder;
  int tripped = 0;
  for (const std::string& file : files) {
    RoomTrip trip = roundTrip(orvella + file, folder.root() + "/sample.room", file.ends_with(".room"));
    if (trip.driverResult != 0) continue;  // a sample kept to show a fault
    ++tripped;
    EXPECT_EQ(trip.roomResult, 0) << file << "\n" << trip.roomListing;
    expectSameSettings(trip.roomSettings, trip.driverSettings, file);
    EXPECT_EQ(trip.roomAgain, trip.room) << file;
  }
  EXPECT_GT(tripped, 0);
  VXCommon::resetDeviceGlobals();
}

}  // namespace
