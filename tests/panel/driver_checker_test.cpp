// The driver checker over small drivers: a complete driver that draws no finding, changed one
// statement at a time, with the findings, the result, the defaults it fills in and the summary.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/device_globals.h"
#include "panel/panel_settings.h"
#include "tests/fakes/temp_xdg_home.h"
#include "tests/panel/checked_driver_text.h"
#include "tests/panel/driver_text_support.h"

namespace {

using Access = PanelSettingsTestAccess;
using checked_driver::Lines;
using checked_driver::driverText;

// Reads the text as a driver into a new settings object and checks it.
int16_t readAndCheck(PanelSettingsV2& settings, const std::string& text) {
  TempXdgHome folder;
  folder.writeFile("driver.prjdrv", text);
  settings.ReadAndParseProjFile(folder.root() + "/driver.prjdrv");
  int16_t result = -1;
  settings.IsDriverValid(result);
  return result;
}

class DriverCheckerTest : public ::testing::Test {
 protected:
  void TearDown() override { VXCommon::resetDeviceGlobals(); }
};

TEST_F(DriverCheckerTest, FindingsAndResults) {
  struct Case {
    const char* what;
    Lines dropped;
    Lines added;
    Lines messages;
    int16_t result;
  } cases[] = {
      {"complete driver", {}, {}, {}, 0},
      {"lockout shared from the default", {"POWER-POLL-LOCKOUT"}, {},
       {"    (I) Defaulted POWER-POLL-LOCKOUT to DEFAULT-LOCKOUT."}, 0},
      {"no lockout at all", {"POWER-POLL-LOCKOUT", "DEFAULT-LOCKOUT"}, {},
       {"    (I) Defaulted POWER-POLL-LOCKOUT to DEFAULT-LOCKOUT.",
        "    (E) Mandatory keyword 'DEFAULT-LOCKOUT' was not found.",
        "    (E) Mandatory keyword 'ROOM-PROJ-LOCKOUT' was not found."},
       2},
      {"sense options completed", {"POWER-SENSE-OPTIONS"}, {"POWER-SENSE-OPTIONS=RS232Poll"},
       {"    (I) Added 'None' to 'POWER-SENSE-OPTIONS'.",
        "    (I) Added 'Sensor' to 'POWER-SENSE-OPTIONS'."},
       0},
      {"sense options in other case", {"POWER-SENSE-OPTIONS"}, {"POWER-SENSE-OPTIONS=none,sensor"},
       {}, 0},
      {"table defaults", {"PASSIVE-MODE", "ROOM-INACT", "ROOM-ALTERNATE", "ROOM-VOL-POWER"}, {},
       {"    (I) Keyword 'PASSIVE-MODE' defaulted to 'False'.",
        "    (I) Keyword 'ROOM-INACT-SHUTDOWN-TIMER' defaulted to '7200000000'.",
        "    (I) Keyword 'ROOM-ALTERNATE-CTS-USE' defaulted to 'CTS'.",
        "    (I) Keyword 'ROOM-VOL-POWER-ON-LEVEL' defaulted to '85'."},
       0},
      {"mandatory keyword", {"VOL-RANGE"}, {},
       {"    (E) Mandatory keyword 'VOL-RANGE' was not found."}, 2},
      {"mandatory core function", {"DEFAULT-CORE-FUNCT[VUP]"}, {"DEFAULT-CORE-FUNCT[REPEAT]='ON'"},
       {"    (E) Mandatory keyword 'DEFAULT-CORE-FUNCT[VUP]' was not found."}, 2},
      {"undefined selection", {}, {"DEFAULT-SELECTION[2]='NOPE'"},
       {"    (E) Undefined index 'NOPE' in keyword 'DEFAULT-SELECTION'.",
        "    (E) Undefined index 'NOPE' in keyword 'ROOM-SELECTION'."},
       2},
      // The room's copy of the empty name passes: only the driver's default is reported.
      {"empty default selection", {}, {"DEFAULT-SELECTION[2]=''"},
       {"    (E) Undefined index '' in keyword 'DEFAULT-SELECTION'."}, 2},
      {"empty core function", {"DEFAULT-CORE-FUNCT[ON]"}, {"DEFAULT-CORE-FUNCT[ON]=''"},
       {"    (E) Undefined index '' in keyword 'DEFAULT-CORE-FUNCT'."}, 2},
      {"name in other case", {}, {"ROOM-HID-FUNCT[OFF]='frz'"},
       {"    (E) Undefined index 'frz' in keyword 'ROOM-HID-FUNCT'."}, 2},
      {"empty hidden and room keys pass", {},
       {"DEFAULT-HID-FUNCT['2']=''", "ROOM-HID-FUNCT[OFF]=''", "ROOM-SELECTION[1]=''",
        "ROOM-SELECTION[2]='HDMI'"},
       {}, 0},
      {"undefined continuation", {"IRCODE['ON']"}, {"IRCODE['ON']=\"%0101\",CONTINUE='X'"},
       {"    (E) Undefined index 'X' in code 'ON'."}, 2},
      {"continuation of the other kind", {"IRCODE['ON']"}, {"IRCODE['ON']=\"%0101\",CONTINUE='HDMI'"},
       {"    (E) Continuation points to other inconsistent type 'HDMI' in code 'ON'."}, 2},
      {"continuation of the same kind", {"IRCODE['ON']"}, {"IRCODE['ON']=\"%0101\",CONTINUE='OFF'"},
       {}, 0},
      {"repeat used without its code", {"IRCODE['ON']"}, {"IRCODE['ON']=\"%0101\",USEREPEAT"},
       {"    (W) PREFIX, SUFFIX, and REPEAT CODES are deprecated and should probably not be used.",
        "    (E) 'DEFAULT-CORE-FUNCT[REPEAT]' is used and was not found."},
       2},
      {"repeat used with its code", {"IRCODE['ON']"},
       {"IRCODE['ON']=\"%0101\",USEREPEAT", "IRCODE['RPT']=\"%1\"", "DEFAULT-CORE-FUNCT[REPEAT]='RPT'"},
       {"    (W) PREFIX, SUFFIX, and REPEAT CODES are deprecated and should probably not be used."},
       0},
      {"core code of the wrong kind", {}, {"DEFAULT-CORE-FUNCT[PREFIX]='HDMI'"},
       {"    (E) 'DEFAULT-CORE-FUNCT[PREFIX]' must be an IR code."}, 2},
      {"selection flag added once", {}, {"DEFAULT-SELECTION[2]='ON'"},
       {"    (W) 'ON' is not defined as a 'IS-SELECTION' function. It will be added."}, 0},
      {"hidden flag added", {}, {"ROOM-HID-FUNCT[VUP]='OFF'"},
       {"    (W) 'OFF' is not defined as a 'IS-HIDDEN' function. It will be added."}, 0},
      {"warm-up shorter than power-on", {"WARM-UP-DELAY"}, {"WARM-UP-DELAY=5s"},
       {"    (E) Warmup Delay is less than power on delay!"}, 2},
      {"warm-up missing", {"WARM-UP-DELAY"}, {},
       {"    (E) Mandatory keyword 'WARM-UP-DELAY' was not found."}, 2},
      {"parse error alone", {"VOL-MUTE"}, {"VOL-MUTE=X"}, {"    (E) Expecting a Number"}, 2},
      {"no format statement", {"PROJ-FILE-FMT"}, {},
       {"    (E) Can't find Driver file format statement.  ABORT."}, 10},
      {"unknown format", {"PROJ-FILE-FMT"}, {"PROJ-FILE-FMT=3"},
       {"    (E) Expecting a Number between 1 and 2", "    (E) Driver format is unrecognized. ABORT."},
       10},
  };
  for (const Case& c : cases) {
    PanelSettingsV2 settings;
    int16_t result = readAndCheck(settings, driverText(c.dropped, c.added));
    EXPECT_EQ(driver_test::messageLines(), c.messages) << c.what;
    EXPECT_EQ(result, c.result) << c.what;
  }
}

TEST_F(DriverCheckerTest, FormatFailureStopsBeforeAnyDefaultOrSummary) {
  PanelSettingsV2 settings;
  EXPECT_EQ(readAndCheck(settings, driverText({"PROJ-FILE-FMT"}, {})), 10);
  EXPECT_EQ(driver_test::listing().find("Parse complete."), std::string::npos);
  for (int16_t row : {kwRoomRelay, kwRoomAfvpGbt, kwRoomSelection, kwRoomProjLockout, kwRoomPowerSenseSelected})
    EXPECT_EQ(driver_test::describeRow(settings, row), "null") << row;
}

TEST_F(DriverCheckerTest, FillsTheRoomFromTheDriver) {
  PanelSettingsV2 settings;
  ASSERT_EQ(readAndCheck(settings, driverText({"POWER-POLL-LOCKOUT", "POWER-SENSE-OPTIONS"}, {})), 0);

  struct {
    int16_t row;
    const char* slot;
  } expected[] = {
      {kwPowerSenseOptions, "1=None 2=Sensor"},
      {kwRoomPowerSenseSelected, "1=None"},
      {kwRoomIrWiringSelected, "1=IR-Emitter"},
      {kwRoomAfvpGbt,
       "1={1=0 2=6 3=6} 2={1=0 2=6 3=6} 3={1=0 2=6 3=6} 4={1=0 2=6 3=6} 5={1=0 2=6 3=6}"},
      {kwRoomRelay,
       "1={1=Maintained 2=On} 2={1=400ms 2=On} 3={1=400ms 2=Off} 4={1=Maintained 2=Selection1} "
       "5={1=Maintained 2=Selection2} 6={1=Maintained 2=Selection3} 7={1=Maintained 2=Selection4}"},
      {kwRoomSelection, "1=HDMI"},
      {kwRoomHidFunct, "1=FRZ"},
      {kwRoomProjLockout, "1=20000000"},
  };
  for (const auto& e : expected) EXPECT_EQ(driver_test::describeRow(settings, e.row), e.slot) << e.row;

  // The polling lockout is the very list of the default; the room's keys are copies.
  EXPECT_EQ(Access::slot(settings, kwPowerPollLockout), Access::slot(settings, kwDefaultLockout));
  EXPECT_NE(Access::slot(settings, kwRoomSelection), Access::slot(settings, kwDefaultSelection));
  EXPECT_EQ(settings.roomRelayDurationSelected(3), "400ms");
  EXPECT_EQ(settings.roomRelayEventSelected(3), "Off");
}

TEST_F(DriverCheckerTest, KeepsWhatTheFileGave) {
  PanelSettingsV2 settings;
  ASSERT_EQ(readAndCheck(settings, driverText({}, {"ROOM-RELAY[2]=1.0sec,Locked",
                                                   "ROOM-POWER-SENSE-SELECTED=RS232Poll",
                                                   "ROOM-SELECTION[4]='HDMI'"})),
            0);
  EXPECT_EQ(driver_test::describeRow(settings, kwRoomRelay), "2={1=1.0sec 2=Locked}");
  EXPECT_EQ(driver_test::describeRow(settings, kwRoomPowerSenseSelected), "=RS232Poll");
  EXPECT_EQ(driver_test::describeRow(settings, kwRoomSelection), "4=HDMI");
}

TEST_F(DriverCheckerTest, AddedFlagsStayWithTheCode) {
  PanelSettingsV2 settings;
  readAndCheck(settings, driverText({}, {"DEFAULT-SELECTION[2]='ON'", "DEFAULT-HID-FUNCT['2']='VUP'"}));
  EXPECT_TRUE(settings.codeTableIsSelection(Variant("ON")));
  EXPECT_TRUE(settings.codeTableIsHidden(Variant("VUP")));
  EXPECT_FALSE(settings.codeTableIsHidden(Variant("ON")));

  // A second check finds the flags in place and warns no more.
  int16_t result = -1;
  ParseFileListing::instance().txtParseFileListing("");
  settings.IsDriverValid(result);
  EXPECT_EQ(driver_test::messageLines(), Lines{});
}

TEST_F(DriverCheckerTest, FirmwareRequirement) {
  struct Case {
    const char* required;
    int16_t fwMajor, fwMinor;
    const char* other;  // another statement, or ""
    int16_t result;
  } cases[] = {
      {"1,5", 1, 4, "", 5},   {"1,5", 1, 5, "", 0},   {"1,5", 2, 0, "", 0},
      {"1,5", 0, 0, "", 5},   {"1,5", 1, 6, "", 0},   {"2,0", 1, 9, "", 5},
      {"1", 1, 0, "", 0},     {"1,5", 1, 4, "DEFAULT-SELECTION[2]='NOPE'", 5},
      {"1,5", 1, 5, "DEFAULT-SELECTION[2]='NOPE'", 2},
  };
  for (const Case& c : cases) {
    VXCommon::gPanelFwMajor = c.fwMajor;
    VXCommon::gPanelFwMinor = c.fwMinor;
    Lines added = {std::string("REQUIRES-FW-VERSION=") + c.required};
    if (*c.other) added.push_back(c.other);
    PanelSettingsV2 settings;
    std::string what = std::string(c.required) + " on " + std::to_string(c.fwMajor) + "." +
                       std::to_string(c.fwMinor) + " " + c.other;
    EXPECT_EQ(readAndCheck(settings, driverText({}, added)), c.result) << what;
    bool upgradeLogged = driver_test::listing().find("    (E) Firmware upgrade required for this driver\r\n") !=
                         std::string::npos;
    EXPECT_EQ(upgradeLogged, c.result == 5) << what;
  }
}

TEST_F(DriverCheckerTest, SummaryCountsTheReaderAndTheCheck) {
  PanelSettingsV2 settings;
  // Two parse errors, one parse warning (a raw IR code); of the check, an undefined name in
  // the default and in the room's copy of it, and one warning.
  readAndCheck(settings, driverText({}, {"VOL-MUTE=X", "VOL-RANGE=Y", "IRCODE['RAW']=\"R560u\"",
                                         "DEFAULT-SELECTION[2]='NOPE'", "DEFAULT-SELECTION[3]='ON'"}));
  const std::string& text = driver_test::listing();
  const std::string summary =
      "        \r\n"
      "        Parse complete.\r\n"
      "            4 errors.\r\n"
      "            2 warnings.\r\n";
  ASSERT_GE(text.size(), summary.size());
  EXPECT_EQ(text.substr(text.size() - summary.size()), summary);
}

}  // namespace
