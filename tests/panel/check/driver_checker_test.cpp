// The driver checker over a complete driver changed a few statements at a time: findings,
// result, the defaults it fills in and the summary.
#include <gtest/gtest.h>

#include <string>

#include "common/device_globals.h"
#include "tests/panel/checked_driver_text.h"
#include "tests/panel/driver_text_support.h"

namespace {

using checked_driver::driverText;
using checked_driver::Lines;

// Reads the text as a driver into the settings and checks it.
int16_t readAndCheck(PanelSettingsV2& settings, const std::string& text) {
  TempXdgHome folder;
  folder.writeFile("d.prjdrv", text);
  settings.ReadAndParseProjFile(folder.root() + "/d.prjdrv");
  int16_t result = -1;
  settings.IsDriverValid(result);
  return result;
}

class DriverCheckerTest : public ::testing::Test {
 protected:
  void TearDown() override { VXCommon::resetDeviceGlobals(); }
};

TEST_F(DriverCheckerTest, FindingsAndResults) {
  const std::string deprecated =
      "(W) PREFIX, SUFFIX, and REPEAT CODES are deprecated and should probably not be used.";
  const std::string flat = "{1=0 2=6 3=6}";
  // Optionally the slot of a row after the check; a room that checks 0 builds in every format.
  struct { Lines dropped, added; std::string messages; int16_t result; int16_t row = 0; std::string slot = ""; } cases[] = {
      {{}, {}, "", 0},
      {{"POWER-POLL-LOCKOUT"}, {}, "(I) Defaulted POWER-POLL-LOCKOUT to DEFAULT-LOCKOUT.", 0},
      {{"POWER-POLL-LOCKOUT", "DEFAULT-LOCKOUT"}, {},
       "(I) Defaulted POWER-POLL-LOCKOUT to DEFAULT-LOCKOUT.|(E) Mandatory keyword 'DEFAULT-LOCKOUT' "
       "was not found.|(E) Mandatory keyword 'ROOM-PROJ-LOCKOUT' was not found.", 2},
      {{"POWER-SENSE"}, {"POWER-SENSE-OPTIONS=RS232Poll"},
       "(I) Added 'None' to 'POWER-SENSE-OPTIONS'.|(I) Added 'Sensor' to 'POWER-SENSE-OPTIONS'.", 0},
      {{"POWER-SENSE"}, {"POWER-SENSE-OPTIONS=none,sensor"}, "", 0},
      {{"IR-WIRING"}, {"IR-WIRING-OPTIONS="}, "(E) Mandatory keyword 'ROOM-IR-WIRING-SELECTED' was not found.", 2},
      {{"PASSIVE", "ROOM-INACT", "ROOM-ALTERNATE", "ROOM-VOL-POWER"}, {},
       "(I) Keyword 'PASSIVE-MODE' defaulted to 'False'.|(I) Keyword 'ROOM-INACT-SHUTDOWN-TIMER' "
       "defaulted to '7200000000'.|(I) Keyword 'ROOM-ALTERNATE-CTS-USE' defaulted to 'CTS'.|"
       "(I) Keyword 'ROOM-VOL-POWER-ON-LEVEL' defaulted to '85'.", 0},
      {{"VOL-RANGE", "DEFAULT-CORE-FUNCT[VUP]"}, {"DEFAULT-CORE-FUNCT[REPEAT]='ON'"},
       "(E) Mandatory keyword 'VOL-RANGE' was not found.|"
       "(E) Mandatory keyword 'DEFAULT-CORE-FUNCT[VUP]' was not found.", 2},
      // The room's keys are a copy of the defaults: an undefined name is reported in both.
      {{}, {"DEFAULT-SELECTION[2]='NOPE'"},
       "(E) Undefined index 'NOPE' in keyword 'DEFAULT-SELECTION'.|"
       "(E) Undefined index 'NOPE' in keyword 'ROOM-SELECTION'.", 2},
      // An empty name means "no code" in the room's selection keys, not in the defaults.
      {{}, {"DEFAULT-SELECTION[2]=''"}, "(E) Undefined index '' in keyword 'DEFAULT-SELECTION'.", 2},
      {{"DEFAULT-CORE-FUNCT[ON]"}, {"DEFAULT-CORE-FUNCT[ON]=''"},
       "(E) Undefined index '' in keyword 'DEFAULT-CORE-FUNCT'.", 2},
      {{}, {"DEFAULT-HID-FUNCT['2']=''", "ROOM-HID-FUNCT[OFF]=''", "ROOM-SELECTION[1]=''",
            "ROOM-SELECTION[2]='HDMI'"}, "", 0},
      {{"IRCODE['ON']"}, {"IRCODE['ON']=\"%0101\",CONTINUE='X'"}, "(E) Undefined index 'X' in code 'ON'.", 2},
      {{"IRCODE['ON']"}, {"IRCODE['ON']=\"%0101\",CONTINUE='HDMI'"},
       "(E) Continuation points to other inconsistent type 'HDMI' in code 'ON'.", 2},
      {{"IRCODE['ON']"}, {"IRCODE['ON']=\"%0101\",CONTINUE='OFF'"}, "", 0},
      {{"IRCODE['ON']"}, {"IRCODE['ON']=\"%0101\",USEREPEAT"},
       deprecated + "|(E) 'DEFAULT-CORE-FUNCT[REPEAT]' is used and was not found.", 2},
      {{"IRCODE['ON']"}, {"IRCODE['ON']=\"%0101\",USEREPEAT", "IRCODE['R']=\"%1\"",
                          "DEFAULT-CORE-FUNCT[REPEAT]='R'"}, deprecated, 0},
      {{}, {"DEFAULT-CORE-FUNCT[PREFIX]='HDMI'"}, "(E) 'DEFAULT-CORE-FUNCT[PREFIX]' must be an IR code.", 2},
      // Flagged once in the defaults; the room's copy then finds the flag.
      {{}, {"DEFAULT-SELECTION[2]='ON'"},
       "(W) 'ON' is not defined as a 'IS-SELECTION' function. It will be added.", 0},
      {{}, {"ROOM-HID-FUNCT[VUP]='OFF'"}, "(W) 'OFF' is not defined as a 'IS-HIDDEN' function. It will be added.", 0},
      // A room that sets some relays or inputs gets the others, in number order.
      {{}, {"ROOM-RELAY[9]=400ms,Off", "ROOM-RELAY[3]=400ms,On"}, "", 0, kwRoomRelay,
       "1={1=Maintained 2=On} 2={1=400ms 2=On} 3={1=400ms 2=On} 4={1=Maintained 2=Selection1} "
       "5={1=Maintained 2=Selection2} 6={1=Maintained 2=Selection3} 7={1=Maintained 2=Selection4} "
       "9={1=400ms 2=Off}"},
      {{}, {"ROOM-AFVP-GBT[2]=1,2,3"}, "", 0, kwRoomAfvpGbt, "1=" + flat + " 2={1=1 2=2 3=3} 3=" + flat + " 4=" + flat},
      {{"WARM-UP-DELAY"}, {"WARM-UP-DELAY=5s"}, "(E) Warmup Delay is less than power on delay!", 2},
      // The power-on delay is 10s: as long a warm-up is enough, a microsecond less is not.
      {{"WARM-UP-DELAY"}, {"WARM-UP-DELAY=10s"}, "", 0},
      {{"WARM-UP-DELAY"}, {"WARM-UP-DELAY=9999999u"}, "(E) Warmup Delay is less than power on delay!", 2},
      {{"WARM-UP-DELAY"}, {}, "(E) Mandatory keyword 'WARM-UP-DELAY' was not found.", 2},
      {{"VOL-MUTE"}, {"VOL-MUTE=X"}, "(E) Expecting a Number", 2},
      {{"PROJ-FILE-FMT"}, {}, "(E) Can't find Driver file format statement.  ABORT.", 10},
      {{"PROJ-FILE-FMT"}, {"PROJ-FILE-FMT=3"},
       "(E) Expecting a Number between 1 and 2|(E) Driver format is unrecognized. ABORT.", 10},
  };
  for (const auto& c : cases) {
    PanelSettingsV2 settings;
    int16_t result = readAndCheck(settings, driverText(c.dropped, c.added));
    EXPECT_EQ(driver_test::messages(), c.messages) << c.messages;
    EXPECT_EQ(result, c.result) << c.messages;
    // A format failure stops before any default and before the summary.
    bool stopped = result == 10;
    EXPECT_EQ(driver_test::listing().find("Parse complete.") == std::string::npos, stopped);
    EXPECT_EQ(driver_test::describeRow(settings, kwRoomRelay) == "null", stopped);
    if (c.row) { EXPECT_EQ(driver_test::describeRow(settings, c.row), c.slot); }
    for (int16_t version = 1; version <= 3 && result == 0; ++version)
      EXPECT_TRUE(settings.makeMemoryMap(version, 1, 0)) << c.messages << " format " << version + 6;
  }
}

TEST_F(DriverCheckerTest, FillsTheRoomFromTheDriver) {
  PanelSettingsV2 settings;
  ASSERT_EQ(readAndCheck(settings, driverText({"POWER-POLL-LOCKOUT", "POWER-SENSE", "ROOM-RELAY-USE"},
                                              {"ROOM-RELAY-USE-ADVANCED=TRUE", "DEFAULT-SELECTION[2]='ON'"})), 0);
  const std::string flat = "{1=0 2=6 3=6}";
  const std::pair<int16_t, std::string> expected[] = {
      {kwPowerSenseOptions, "1=None 2=Sensor"}, {kwRoomPowerSenseSelected, "1=None"},
      {kwRoomIrWiringSelected, "1=IR-Emitter"},
      {kwRoomAfvpGbt, "1=" + flat + " 2=" + flat + " 3=" + flat + " 4=" + flat + " 5=" + flat},
      {kwRoomRelay, "1={1=Maintained 2=On} 2={1=400ms 2=On} 3={1=400ms 2=Off} 4={1=Maintained "
                    "2=Selection1} 5={1=Maintained 2=Selection2} 6={1=Maintained 2=Selection3} "
                    "7={1=Maintained 2=Selection4}"},
      {kwRoomSelection, "1=HDMI 2=ON"}, {kwRoomHidFunct, "1=FRZ"}, {kwRoomProjLockout, "1=20000000"},
      {kwRoomRelayUseAdvanced, "=True"},  // given by the file, not defaulted
  };
  for (const auto& [row, slot] : expected) EXPECT_EQ(driver_test::describeRow(settings, row), slot) << row;

  // The polling lockout is the very list of the default; the room's keys are copies.
  using Access = PanelSettingsTestAccess;
  EXPECT_EQ(Access::slot(settings, kwPowerPollLockout), Access::slot(settings, kwDefaultLockout));
  EXPECT_NE(Access::slot(settings, kwRoomSelection), Access::slot(settings, kwDefaultSelection));
  // The flag added to a default key stays with the code.
  EXPECT_TRUE(settings.codeTableIsSelection(Variant("ON")));
  EXPECT_FALSE(settings.codeTableIsHidden(Variant("ON")));
}

TEST_F(DriverCheckerTest, FirmwareRequirementComesBeforeOtherFindings) {
  struct { const char* required; int16_t fwMajor, fwMinor; const char* other; int16_t result; } cases[] = {
      {"1,5", 2, 0, "", 0}, {"1", 1, 0, "", 0}, {"1,5", 1, 4, "VOL-MUTE=X", 5}, {"1,5", 1, 5, "VOL-MUTE=X", 2}};
  for (const auto& c : cases) {
    VXCommon::gPanelFwMajor = c.fwMajor;
    VXCommon::gPanelFwMinor = c.fwMinor;
    PanelSettingsV2 settings;
    EXPECT_EQ(readAndCheck(settings, driverText({}, {std::string("REQUIRES-FW-VERSION=") + c.required, c.other})),
              c.result) << c.required << " on " << c.fwMajor << "." << c.fwMinor << " " << c.other;
    EXPECT_EQ(driver_test::messages().find("(E) Firmware upgrade required for this driver") != std::string::npos,
              c.result == 5) << c.required << " on " << c.fwMajor << "." << c.fwMinor;
  }
}

TEST_F(DriverCheckerTest, SummaryCountsTheReaderAndTheCheck) {
  PanelSettingsV2 settings;
  // The reader: two errors and a warning (a raw IR code); the check: an undefined name in the
  // default and in the room's copy of it, and a warning.
  readAndCheck(settings, driverText({}, {"VOL-MUTE=X", "VOL-RANGE=Y", "IRCODE['RAW']=\"R560u\"",
                                         "DEFAULT-SELECTION[2]='NOPE'", "DEFAULT-SELECTION[3]='ON'"}));
  const std::string summary =
      "        \r\n        Parse complete.\r\n            4 errors.\r\n            2 warnings.\r\n";
  const std::string& text = driver_test::listing();
  ASSERT_GE(text.size(), summary.size());
  EXPECT_EQ(text.substr(text.size() - summary.size()), summary);
}

}  // namespace
