// Reading a panel back from its memory: the format byte, the driver the panel names, each
// family of encodings, the results and the listing, over images served by a fake panel.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/startup_globals.h"
#include "panel/load_error.h"
#include "tests/fakes/fake_block_source.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/panel/checked_driver_text.h"
#include "tests/panel/driver_text_support.h"
#include "wizard/mem_debug_form.h"

namespace {

const std::string kDriver = "Test PJ (Rev A).prjdrv";
// Three selections (HDMI, VGA, VID) and one hidden function (FRZ).
const std::string kDriverText = checked_driver::driverText(
    {}, {"RSCODE['VGA']=\"'VGA',$0D\",IS-SELECTION", "RSCODE['VID']=\"'VID',$0D\",IS-SELECTION"});

// A panel's memory: format byte, driver name, and the bytes a case sets.
struct Panel {
  std::string bytes = std::string(8192, '\0');
  explicit Panel(int format, const std::string& driver = kDriver) {
    set(0x1F01, {format});
    set(0x13, {int(driver.size())});
    bytes.replace(0x14, driver.size(), driver);
  }
  Panel& set(int address, std::vector<int> values) {
    for (int v : values) bytes[size_t(address++)] = char(v);
    return *this;
  }
};

class ImageDecoderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VXCommon::initGlobals();
    MemDebugForm::instance().reset();
    writeDriver(kDriver, kDriverText);
  }
  void TearDown() override { VXCommon::resetStartupGlobals(); }

  void writeDriver(const std::string& name, const std::string& text) {
    home.writeFile(drivers().substr(home.root().size() + 1) + name, text);
  }
  static std::string drivers() { return VXCommon::gFileTypes->localDir(ftDrivers); }

  int16_t decode(const Panel& panel) {
    for (int32_t block = 0; block < 128; ++block) source.setBlock(block, panel.bytes.substr(size_t(block) * 64, 64));
    settings = std::make_shared<PanelSettingsV2>();
    return settings->decodeMemoryMap(version);
  }
  std::string row(int16_t r) { return driver_test::describeRow(*settings, r); }
  static bool logged(const std::string& lines) {
    return MemDebugForm::instance().txtMemDumpListing().find(lines) != std::string::npos;
  }

  TempXdgHome home;
  ScriptedMessageBoxes boxes;
  FakeBlockSource source;
  ScopedBlockSource installed{source};
  std::shared_ptr<PanelSettingsV2> settings;
  int16_t version = -1;
};

TEST_F(ImageDecoderTest, FormatByteChoosesTheRuleSet) {
  const struct { int format, version, result; } cases[] = {
      {7, 1, loadOk}, {8, 2, loadOk}, {9, 3, loadOk}, {6, 4, loadUnknownFormat}, {0xFF, 4, loadUnknownFormat}};
  for (const auto& c : cases) {
    MemDebugForm::instance().reset();
    source.clearCalls();
    EXPECT_EQ(decode(Panel(c.format)), c.result) << c.format;
    EXPECT_EQ(version, c.version);
    EXPECT_EQ(settings->fullDriverName(), c.result == loadOk ? kDriver : "");
    EXPECT_FALSE(settings->isDirty());
  }
  // A blank panel: only the format block is read, no slot is set.
  EXPECT_EQ(source.requestedBlocks(), std::vector<int32_t>{124});
  EXPECT_TRUE(logged("\r\n[I]-------------- Read from EEPROM -----------------\r\n    1F01 Byte=$FF\r\n"
                     "    1F01 Byte=$FF\r\n    1F01 Byte=$FF\r\n[E]Can't find valid memory version.\r\n"));
  EXPECT_EQ(row(kwRoomSelection), "null");
}

TEST_F(ImageDecoderTest, DriverIsReadFromTheLibrary) {
  std::filesystem::copy_file(std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/drivers/Acme PX-100 (Rev A).prj",
                             drivers() + "Acme PX-100 (Rev A).prj");
  writeDriver("Bad (Rev A).prjdrv", kDriverText + "VOL-MUTE=X\r\n");
  writeDriver(".prjdrv", kDriverText);
  const struct { std::string stored; int result; std::string driver, line; } cases[] = {
      {kDriver, loadOk, kDriver, ""},
      {"Test PJ (Rev A).prj", loadOk, kDriver, ""},
      {"Acme PX-100 (Rev A).prj", loadOk, "Acme PX-100 (Rev A).prj", ""},
      {"Bad (Rev A).prjdrv", loadDriverParseError, "Bad (Rev A).prjdrv", "[E]Projector driver does not parse Bad (Rev A).prjdrv"},
      {"Gone.prjdrv", loadDriverMissing, "Gone.prjdrv", "[E]Can't find projector driver Gone.prjdrv"},
      {"", loadDriverMissing, "", "[E]Can't find projector driver \r\n"},
      {"../drivers/" + kDriver, loadDriverMissing, "../drivers/" + kDriver, "[E]Can't find projector driver ../"},
  };
  for (const auto& c : cases) {
    Panel panel(9, c.stored);
    panel.set(0x0000, {2, 0, 0, 0});
    EXPECT_EQ(decode(panel), c.result) << c.stored;
    EXPECT_EQ(row(kwProjDriverName), "1=" + c.driver);
    EXPECT_TRUE(logged(c.line));
    // Nothing after the driver rule is read when the driver is missing or does not check: the
    // key keeps the driver's default (1), or nothing without a driver.
    EXPECT_EQ(settings->codeTableRoomSelectionIdx(1), c.result == loadOk ? 2 : c.result == loadDriverMissing ? 0 : 1);
  }
}

// Value 1 of a slot as text.
std::string first(PanelSettingsV2& s, int16_t row) {
  const KeyValuePtr& slot = PanelSettingsTestAccess::slot(s, row);
  return slot ? slot->ItemVal(1).toText() : "null";
}

std::string relay(PanelSettingsV2& s, int16_t r) {
  return s.roomRelayDurationSelected(r) + " " + s.roomRelayEventSelected(r);
}

std::string preamp(PanelSettingsV2& s, int16_t input) {
  return std::to_string(s.roomAFVPGainSetting(input)) + "," + std::to_string(s.roomAFVPTrebleSetting(input)) +
         "," + std::to_string(s.roomAFVPbassSetting(input));
}

TEST_F(ImageDecoderTest, RoomValuesOfEachEncoding) {
  using Probe = std::string (*)(PanelSettingsV2&);
  const struct { Panel panel; Probe probe; std::string expected; } cases[] = {
      // Times are count x tick, without bound.
      {Panel(9).set(0x1F06, {2, 3}), [](auto& s) { return first(s, kwRoomInactShutdownTimer) + " " + first(s, kwRoomProjLockout); }, "240000000 5640000"},
      {Panel(7).set(0x1F06, {0, 3}), [](auto& s) { return first(s, kwRoomInactShutdownTimer) + " " + first(s, kwRoomProjLockout); }, "0 1410000"},
      // Selections and hidden functions: positions in the driver's lists, beyond them none.
      {Panel(8).set(0x0008, {255, 0, 1, 255}), [](auto& s) { std::string t; for (int16_t k = 1; k <= 4; ++k) t += std::to_string(s.codeTableRoomSelectionIdx(k)); return t; }, "0120"},
      {Panel(9).set(0x0000, {255, 0, 1, 255}), [](auto& s) { std::string t; for (int16_t k = 1; k <= 4; ++k) t += std::to_string(s.codeTableRoomSelectionIdx(k)); return t; }, "0010"},
      {Panel(9).set(0x0000, {4, 3, 2, 1}), [](auto& s) { std::string t; for (int16_t k = 1; k <= 4; ++k) t += std::to_string(s.codeTableRoomSelectionIdx(k)); return t; }, "0321"},
      {Panel(9).set(0x0004, {1, 2}), [](auto& s) { return std::to_string(s.codeTableRoomHidFunctIdx(1)) + std::to_string(s.codeTableRoomHidFunctIdx(2)); }, "10"},
      {Panel(7).set(0x000C, {0, 255}), [](auto& s) { return std::to_string(s.codeTableRoomHidFunctIdx(1)) + std::to_string(s.codeTableRoomHidFunctIdx(2)); }, "10"},
      // Option words, one bit per word.
      {Panel(9).set(0x0412, {0x08}), [](auto& s) { return first(s, kwRoomPowerSenseSelected); }, "Sensor"},
      {Panel(9).set(0x0412, {0x00}), [](auto& s) { return first(s, kwRoomPowerSenseSelected); }, "None"},
      {Panel(9).set(0x0412, {0x10}), [](auto& s) { return first(s, kwRoomPowerSenseSelected); }, "RS232Poll"},
      {Panel(9).set(0x0412, {0x18}), [](auto& s) { return first(s, kwRoomPowerSenseSelected); }, "RS232Poll"},
      {Panel(7).set(0x1F02, {0x84}), [](auto& s) { return first(s, kwRoomPowerSenseSelected) + " " + first(s, kwRoomIrWiringSelected); }, "Sensor Wired-Serial"},
      {Panel(9).set(0x0403, {0x10}), [](auto& s) { return first(s, kwRoomIrWiringSelected) + " " + first(s, kwRoomAlternateCtsUse); }, "Wired-Serial CTS"},
      {Panel(9).set(0x1F02, {0x40}), [](auto& s) { return first(s, kwRoomIrWiringSelected) + " " + first(s, kwRoomAlternateCtsUse); }, "IR-Emitter AuxAudio"},
      {Panel(9).set(0x1F02, {0xC0}), [](auto& s) { return first(s, kwRoomAlternateCtsUse); }, "Keylock"},
      // Bits and bytes.
      {Panel(9).set(0x1F02, {0x01, 40, 0, 3}), [](auto& s) { return first(s, kwRoomEnableAuxAudio) + " " + first(s, kwRoomAfvpDefeatEq) + " " + first(s, kwRoomVolPowerOnLevel) + " " + first(s, kwRoomPowerOnSelection); }, "True True 40 3"},
      // The advanced-relay bit: format 8 keeps the driver's, its byte being a hidden-function index.
      {Panel(9).set(0x0012, {0x04}), [](auto& s) { return first(s, kwRoomRelayUseAdvanced); }, "True"},
      {Panel(8).set(0x0012, {0xFF}), [](auto& s) { return first(s, kwRoomRelayUseAdvanced); }, "False"},
      // Relays: format 9 relay 7 first, format 8 relay 1 first (a condition kept), format 7 bits.
      {Panel(9).set(0x1F08, {0x2E, 0, 0, 0, 0, 0, 0x53}), [](auto& s) { return relay(s, 7) + "|" + relay(s, 1); }, "Maintained ~Locked|500ms Selection3"},
      {Panel(8).set(0x1F08, {0x1C, 0x0F, 0x4D}), [](auto& s) { return relay(s, 1) + "|" + relay(s, 2) + "|" + relay(s, 3); }, "Maintained AudioOn|Maintained On|400ms "},
      {Panel(7).set(0x1F08, {0x24}), [](auto& s) { return relay(s, 1) + "|" + relay(s, 2) + "|" + relay(s, 4); }, "Maintained Off|600ms On|Maintained Selection4"},
      // Pre-amplifier: as many inputs as the room has in format 9, four in formats 7 and 8.
      {Panel(9).set(0x1F28, {3, 0xA7}), [](auto& s) { return preamp(s, 5); }, "3,10,7"},
      {Panel(7).set(0x1F26, {5, 0x21, 3, 0xA7}), [](auto& s) { return preamp(s, 4) + "|" + preamp(s, 5); }, "5,2,1|0,6,6"},
      // Legend tables: four pointers to length-prefixed texts; a blank table is left alone.
      {Panel(9).set(0x0180, {1, 0x88, 1, 0x90, 1, 0x91, 1, 0x92, 7, 'O', 'n', 'e', '|', 'T', 'w', 'o', 0, 0, 1, 'X'})
           .set(0x0220, {0xFF}), [](auto& s) { return s.roomLegendName(1) + "," + s.roomLegendName(4) + "," + s.roomLegendFont(1); }, "One\r\nTwo,X,"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decode(c.panel), loadOk) << c.expected;
    EXPECT_EQ(c.probe(*settings), c.expected);
  }
  EXPECT_TRUE(logged("[W]             table value is 255 - probably uninitialized\r\n"));

  // One option rule and the word it settles on, line for line.
  decode(Panel(9).set(0x0412, {0x08}));
  EXPECT_TRUE(logged("[I][FW] ProjConfig: PPC_VERIFY_PRJ_PWR\r\n[I]            to: 'ROOM-POWER-SENSE-SELECTED'\r\n"
                     "    0412 Bit3=$1\r\n[I]      cannot be='None'\r\n\r\n"));
  EXPECT_TRUE(logged("[I]FLAG: 'ROOM-POWER-SENSE-SELECTED'\r\n[I]             must be:Sensor\r\n"));

  // Inputs the room lacks are added with the panel's values.
  writeDriver(kDriver, kDriverText + "ROOM-AFVP-GBT[1]=1,2,3\r\n");
  EXPECT_EQ(decode(Panel(7).set(0x1F26, {5, 0x21})), loadOk);
  EXPECT_EQ(preamp(*settings, 1) + "|" + preamp(*settings, 4), "0,0,0|5,2,1");
}

TEST_F(ImageDecoderTest, FailuresAndTheirResults) {
  const struct { int32_t failing; Panel panel; int result; std::string line; } cases[] = {
      // The walk stops after the rule that met the failed block; what came before stays.
      {6, Panel(9).set(0x0000, {2}), loadCommError, "[E]Communications error reading block 6\r\n"},
      {0, Panel(9), loadCommError, "[E]Can't find projector driver \r\n"},  // replaces 4
      {124, Panel(9), loadCommError, "[E]Can't find valid memory version."},  // replaces 7
      {-1, Panel(9).set(0x1F08, {0x4C}), loadBadMemory, "[E]Program Error - unclassified relay value\r\n"},
      // Index words of the code table past the image are not followed; others are.
      {-1, Panel(7).set(0x0432, {0x90, 0x00}).set(0x0458, {0x2A, 0}), loadOk, "    1000 Byte=$00\r\n"},
  };
  for (const auto& c : cases) {
    MemDebugForm::instance().reset();
    source.failBlock(c.failing);
    EXPECT_EQ(decode(c.panel), c.result) << c.line;
    source.failBlock(c.failing, false);
    EXPECT_TRUE(logged(c.line)) << c.line;
    EXPECT_FALSE(settings->isDirty());
  }

  // A failed format block is asked for by each of the three reads.
  source.clearCalls();
  source.failBlock(124);
  decode(Panel(9));
  EXPECT_EQ(source.callsFor(124), 3);
  EXPECT_EQ(version, 4);
  source.failBlock(124, false);

  MemDebugForm::instance().reset();
  source.failBlock(6);
  decode(Panel(9).set(0x0000, {2}));
  EXPECT_EQ(settings->codeTableRoomSelectionIdx(1), 2);
  EXPECT_FALSE(logged("[CONFIG] Legend Fonts"));
  decode(Panel(9));  // a second call adds a second listing
  const std::string& listing = MemDebugForm::instance().txtMemDumpListing();
  EXPECT_NE(listing.find("Read from EEPROM", listing.find("Read from EEPROM") + 1), std::string::npos);
  EXPECT_FALSE(MemDebugForm::instance().wasShown());
}

}  // namespace
