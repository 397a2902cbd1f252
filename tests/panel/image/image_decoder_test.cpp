// Reading a panel back from its memory, over images served by a fake panel: the format byte,
// the driver the panel names, each family of encodings, the results and the listing; and
// images of the example library read back and built again (each code as each key, every legend byte).
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/memory_image.h"
#include "common/startup_globals.h"
#include "common/text_helpers.h"
#include "panel/image/code_table/code_table_v789.h"
#include "panel/load_error.h"
#include "platform/fs_util.h"
#include "tests/fakes/fake_block_source.h"
#include "tests/fakes/platform_doubles.h"
#include "tests/fakes/read_or_fail.h"
#include "tests/panel/checked_driver_text.h"
#include "tests/panel/driver_text_support.h"
#include "wizard/mem_debug_form.h"
#include "wizard/program_startup.h"

namespace {

const std::string kDriver = "Test PJ (Rev A).prjdrv";
// Three selections (HDMI, VGA, VID) and one hidden function (FRZ).
const std::string kDriverText = checked_driver::driverText(
    {}, {"RSCODE['VGA']=\"'VGA',$0D\",IS-SELECTION", "RSCODE['VID']=\"'VID',$0D\",IS-SELECTION"});

// A panel's memory: format byte, driver name, and the bytes a case sets.
struct Panel {
  std::string bytes = std::string(8192, '\0');
  explicit Panel(int format, const std::string& driver = kDriver) {
    set(0x1F01, {format}).set(0x13, {int(driver.size())});
    bytes.replace(0x14, driver.size(), driver);
  }
  Panel& set(int address, std::vector<int> values) {
    for (int v : values) bytes[size_t(address++)] = char(v);
    return *this;
  }
  // The packed code table at 0x0430 naming these codes with their flags (1 hidden,
  // 2 selection), each packed as an empty RS232 code.
  Panel& codes(const std::vector<std::pair<std::string, int>>& flagged) {
    memBlockCls log;
    CodeTableV789 table;
    for (const auto& [name, flags] : flagged)
      table.addCodeTableEntry(log, name, nullptr, "", 0, true, flags & 1, flags & 2, false, false, false, false);
    const std::string region = table.getCodeTablePackedString(log, 0x0430);
    bytes.replace(0x0430, region.size(), region);
    return *this;
  }
};

// The test driver's codes as it flags them, the room's check having flagged ON as a selection
// and VGA as a hidden function too.
const std::vector<std::pair<std::string, int>> kPanelCodes = {
    {"ON", 2}, {"OFF", 0}, {"VUP", 0}, {"VDN", 0}, {"HDMI", 2}, {"FRZ", 1}, {"VGA", 3}, {"VID", 2}};

int16_t decodeFrom(FakeBlockSource& source, const std::string& image, PanelSettingsV2& settings,
                   int16_t& version) {
  for (int32_t block = 0; block < 128; ++block) source.setBlock(block, image.substr(size_t(block) * 64, 64));
  return settings.decodeMemoryMap(version);
}

bool logged(const std::string& lines) {
  return MemDebugForm::instance().txtMemDumpListing().find(lines) != std::string::npos;
}

// The room's values that the panel keeps, as "name=value" words.
std::string roomValues(PanelSettingsV2& s) {
  auto first = [&s](int16_t row) {
    const KeyValuePtr& slot = PanelSettingsTestAccess::slot(s, row);
    return slot ? slot->ItemVal(1).toText() : "null";
  };
  std::string text = "sel=", hid;
  for (int16_t k = 1; k <= 4; ++k) text += std::to_string(s.codeTableRoomSelectionIdx(k));
  for (int16_t k = 1; k <= 7; ++k) hid += std::to_string(s.codeTableRoomHidFunctIdx(k));
  text += " hid=" + hid + " inact=" + first(kwRoomInactShutdownTimer) + " lockout=" + first(kwRoomProjLockout) +
          " power=" + first(kwRoomPowerSenseSelected) + " wiring=" + first(kwRoomIrWiringSelected) +
          " cts=" + first(kwRoomAlternateCtsUse) + " aux=" + first(kwRoomEnableAuxAudio) +
          " eq=" + first(kwRoomAfvpDefeatEq) + " vol=" + first(kwRoomVolPowerOnLevel) +
          " onsel=" + first(kwRoomPowerOnSelection) + " adv=" + first(kwRoomRelayUseAdvanced);
  for (int16_t r = 1; r <= 7; ++r)
    text += " r" + std::to_string(r) + "=" + s.roomRelayDurationSelected(r) + "/" + s.roomRelayEventSelected(r);
  for (int16_t n = 1; n <= 5; ++n)
    text += " a" + std::to_string(n) + "=" + std::to_string(s.roomAFVPGainSetting(n)) + "," +
            std::to_string(s.roomAFVPTrebleSetting(n)) + "," + std::to_string(s.roomAFVPbassSetting(n));
  return text + " leg1=" + s.roomLegendName(1) + " leg4=" + s.roomLegendName(4) + " font1=" + s.roomLegendFont(1);
}

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
    settings = std::make_shared<PanelSettingsV2>();
    return decodeFrom(source, panel.bytes, *settings, version);
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
  EXPECT_FALSE(PanelSettingsTestAccess::slot(*settings, kwRoomSelection));
}

TEST_F(ImageDecoderTest, DriverIsReadFromTheLibrary) {
  std::filesystem::copy_file(std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/drivers/Acme PX-100 (Rev A).prj",
                             drivers() + "Acme PX-100 (Rev A).prj");
  writeDriver("Bad (Rev A).prjdrv", kDriverText + "VOL-MUTE=X\r\n");
  writeDriver(".prjdrv", kDriverText);
  // Power-on volume: 40 from the panel, 85 the driver's when the walk stopped at the driver.
  const struct { std::string stored; int result; std::string driver, line; int volume; } cases[] = {
      {kDriver, loadOk, kDriver, "", 40},
      {"Test PJ (Rev A).prj", loadOk, kDriver, "", 40},
      {"Acme PX-100 (Rev A).prj", loadOk, "Acme PX-100 (Rev A).prj", "", 40},
      {"Bad (Rev A).prjdrv", loadDriverParseError, "Bad (Rev A).prjdrv", "[E]Projector driver does not parse Bad (Rev A).prjdrv", 85},
      {"Gone.prjdrv", loadDriverMissing, "Gone.prjdrv", "[E]Can't find projector driver Gone.prjdrv\r\n", 0},
      {"", loadDriverMissing, "", "[E]Can't find projector driver \r\n", 0},
      {"../drivers/" + kDriver, loadDriverMissing, "../drivers/" + kDriver, "[E]Can't find projector driver ../", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decode(Panel(9, c.stored).set(0x1F03, {40})), c.result) << c.stored;
    EXPECT_EQ(driver_test::describeRow(*settings, kwProjDriverName), "1=" + c.driver);
    EXPECT_TRUE(logged(c.line));
    EXPECT_EQ(settings->roomPowerOnVol(), c.volume);
  }
}

TEST_F(ImageDecoderTest, RoomValuesOfEachEncoding) {
  const struct { Panel panel; std::string expected; } cases[] = {
      // Times are count x tick, without bound.
      {Panel(9).set(0x1F06, {2, 3}), "inact=240000000 lockout=5640000"},
      {Panel(7).set(0x1F06, {0, 3}), "inact=0 lockout=1410000"},
      // Code choices are positions in the lists of the codes the panel flags (selections ON,
      // HDMI, VGA, VID; hidden FRZ, VGA), which the driver's codes take over.
      {Panel(8).codes(kPanelCodes).set(0x0008, {255, 0, 3, 1, 1, 255, 0, 255, 255, 255, 255}), "sel=0142 hid=2010000"},
      {Panel(9).codes(kPanelCodes).set(0x0000, {0, 1, 4, 3, 2, 0, 0, 1}), "sel=0143 hid=2001000"},
      // Option words, one bit per word.
      {Panel(9).set(0x0412, {0x08}), "power=Sensor wiring=IR-Emitter cts=CTS"},
      {Panel(9).set(0x0412, {0x00}).set(0x0403, {0x10}).set(0x1F02, {0x40}), "power=None wiring=Wired-Serial cts=AuxAudio"},
      {Panel(9).set(0x0412, {0x18}).set(0x1F02, {0xC0}), "power=RS232Poll wiring=IR-Emitter cts=Keylock"},
      {Panel(7).set(0x1F02, {0x84}), "power=Sensor wiring=Wired-Serial"},
      // Bits and bytes; format 8's advanced-relay bit lies in a hidden-function index.
      {Panel(9).set(0x1F02, {0x01, 40, 0, 3}).set(0x0012, {0x04}), "aux=True eq=True vol=40 onsel=3 adv=True"},
      {Panel(8).set(0x0012, {0xFF}), "adv=False"},
      // Relays: format 9 relay 7 first; format 8 relay 1 first, a condition kept; format 7 bits.
      {Panel(9).set(0x1F08, {0x2E, 0, 0, 0, 0, 0, 0x53}), "r1=500ms/Selection3 r2=Maintained/Selection0 r3"},
      {Panel(9).set(0x1F08, {0x2E}), "r7=Maintained/~Locked"},
      {Panel(8).set(0x1F08, {0x1C, 0x0F, 0x08}), "r1=Maintained/AudioOn r2=Maintained/On r3=Maintained/Off r4"},
      {Panel(7).set(0x1F08, {0x24}), "r1=Maintained/Off r2=600ms/On r3=Maintained/Off r4=Maintained/Selection4"},
      // Pre-amplifier: as many inputs as the room has in format 9, four in formats 7 and 8.
      {Panel(9).set(0x1F28, {3, 0xA7}), "a5=3,10,7"},
      {Panel(7).set(0x1F26, {5, 0x21, 3, 0xA7}), "a4=5,2,1 a5=0,6,6"},
      // Legend tables: four pointers to length-prefixed texts; a blank table is left alone.
      {Panel(9).set(0x0180, {1, 0x88, 1, 0x90, 1, 0x91, 1, 0x92, 7, 'O', 'n', 'e', '|', 'T', 'w', 'o', 0, 0, 1, 'X'})
           .set(0x0220, {0xFF}), "leg1=One\r\nTwo leg4=X font1="},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(decode(c.panel), loadOk) << c.expected;
    EXPECT_NE(roomValues(*settings).find(c.expected), std::string::npos) << roomValues(*settings);
  }
  EXPECT_TRUE(logged("[W]             table value is 255 - probably uninitialized\r\n"));
  EXPECT_TRUE(logged("[I]FLAG: 'ROOM-POWER-SENSE-SELECTED'\r\n[I]             must be:Sensor\r\n"));
  EXPECT_TRUE(logged("[I][FW] ProjConfig: PPC_VERIFY_PRJ_PWR\r\n[I]            to: 'ROOM-POWER-SENSE-SELECTED'\r\n"
                     "    0412 Bit3=$1\r\n[I]      cannot be='None'\r\n\r\n"));

  // Inputs the room lacks are added with the panel's values.
  writeDriver(kDriver, kDriverText + "ROOM-AFVP-GBT[1]=1,2,3\r\n");
  EXPECT_EQ(decode(Panel(7).set(0x1F26, {5, 0x21})), loadOk);
  EXPECT_NE(roomValues(*settings).find("a1=0,0,0 a2=0,0,0 a3=0,0,0 a4=5,2,1 a5=0,0,0"), std::string::npos);
  // An input written otherwise than as its number is none: format 9 reads inputs 1 to 4.
  writeDriver(kDriver, kDriverText + "ROOM-AFVP-GBT[05]=1,2,3\r\n");
  EXPECT_EQ(decode(Panel(9).set(0x1F26, {5, 0x21, 3, 0xA7})), loadOk);
  EXPECT_EQ(driver_test::describeRow(*settings, kwRoomAfvpGbt),
            "1={1=0 2=0 3=0} 2={1=0 2=0 3=0} 3={1=0 2=0 3=0} 4={1=5 2=2 3=1} 05={1=1 2=2 3=3}");
}

TEST_F(ImageDecoderTest, FailuresAndTheirResults) {
  const struct { int32_t failing; Panel panel; int result; std::string line, absent; } cases[] = {
      // The walk stops after the rule that met the failed block (the legend names).
      {6, Panel(9), loadCommError, "[E]Communications error reading block 6\r\n", "Legend Fonts"},
      {0, Panel(9), loadCommError, "[E]Can't find projector driver \r\n", "Selections"},  // replaces 4
      {124, Panel(9), loadCommError, "[E]Can't find valid memory version.", "Driver"},  // replaces 7
      // Index words of the code table past the image are not followed; others are.
      {-1, Panel(7).set(0x0432, {0x90, 0x00}).set(0x0458, {0x2A, 0}), loadOk, "    1000 Byte=$00\r\n", "[E]"},
  };
  for (const auto& c : cases) {
    MemDebugForm::instance().reset();
    source.failBlock(c.failing);
    EXPECT_EQ(decode(c.panel), c.result) << c.line;
    source.failBlock(c.failing, false);
    EXPECT_TRUE(logged(c.line)) << c.line;
    EXPECT_FALSE(logged(c.absent)) << c.absent;
    EXPECT_FALSE(settings->isDirty());
  }
  EXPECT_EQ(version, 1);

  // A failed format block is asked for by each of the three reads; a second call adds a
  // second listing.
  source.clearCalls();
  source.failBlock(124);
  decode(Panel(9));
  EXPECT_EQ(source.callsFor(124), 3);
  const std::string& listing = MemDebugForm::instance().txtMemDumpListing();
  EXPECT_NE(listing.find("Read from EEPROM", listing.find("Read from EEPROM") + 1), std::string::npos);
  EXPECT_FALSE(MemDebugForm::instance().wasShown());
}

// What a room file could not give again is not stored: the setting keeps the driver's value
// (or the checker's default) and a warning names the keyword and the value.
TEST_F(ImageDecoderTest, ValuesARoomFileCannotHold) {
  const struct { Panel panel; int result; std::string expected, line; } cases[] = {
      {Panel(7).set(0x1F22, {105, 0xEE}), loadOk, "a1=0,0,0 a2=0,6,6",
       "[W]             'ROOM-AFVP-GBT[2]' cannot be 105,14,14 - kept 0,6,6\r\n"},
      {Panel(9).set(0x1F20, {3, 0xD5}), loadOk, "a1=3,6,5", "'ROOM-AFVP-GBT[1]' cannot be 3,13,5 - kept 3,6,5\r\n"},
      {Panel(9).set(0x1F05, {9}), loadOk, "onsel=1", "'ROOM-POWER-ON-SELECTION' cannot be 9 - kept 1\r\n"},
      // A relay byte that gives no event: the reduced form warns, the full form is an error.
      {Panel(8).set(0x1F08, {0x0F, 0x0F, 0x4D}), loadOk, "r2=Maintained/On r3=400ms/Off",
       "    1F0A Byte=$4D\r\n[I]Program Error - unclassified relay value\r\n"
       "[W]             'ROOM-RELAY[3]' cannot be 400ms, - kept 400ms,Off\r\n"},
      {Panel(9).set(0x1F08, {0x4C}), loadBadMemory, "", "[E]Program Error - unclassified relay value\r\n"},
      {Panel(9).set(0x0180, {1, 0x88, 1, 0x88, 1, 0x88, 1, 0x88, 3, 'a', '"', 'b'}), loadOk, "leg1= leg4=",
       "'ROOM-LEGEND-NAME[4]' cannot be \"'a\"b'\" - kept no value\r\n"},
      {Panel(9).set(0x0220, {2, 0x28, 2, 0x28, 2, 0x28, 2, 0x28, 2, 'a', '\n'}), loadOk, "font1=",
       "'ROOM-LEGEND-FONT[4]' cannot be \"'a',$0A\" - kept no value\r\n"},
      // A code choice that names no code of the driver: the key gets none.
      {Panel(9).set(0x0000, {2}), loadOk, "sel=0000",
       "'ROOM-SELECTION[1]' cannot be position 2 (the panel's code table cannot be read: its delay-table "
       "address $0000 is out of place) - kept no value\r\n"},
      {Panel(9).codes(kPanelCodes).set(0x0000, {0, 5}), loadOk, "sel=0000",
       "'ROOM-SELECTION[2]' cannot be position 5 (the panel's code table flags 4 selections) - kept no value\r\n"},
      {Panel(7).codes({{"HDMI", 2}, {"XGA", 3}}).set(0x0008, {0, 1, 255, 255, 0, 255, 255, 255, 255, 255, 255}), loadOk, "sel=1000 hid=0000000",
       "'ROOM-HID-FUNCT[OFF]' cannot be position 1 (the panel's code \"'XGA'\" is not in the driver) - kept no value\r\n"},
      {Panel(8).codes(kPanelCodes).set(0x045A, {0x05}).set(0x0008, {0}), loadOk, "sel=0000",
       "(the panel's code table cannot be read: its name count 5 does not match the 8 codes its index points at)"},
      // The texts must fit the table's field when the room is built again: 152 bytes.
      {Panel(9).set(0x0180, {5, 0, 1, 0x88, 1, 0x88, 1, 0x88}).set(0x0500, {148}).set(0x0501, std::vector<int>(148, 'L')),
       loadOk, "leg1=" + std::string(148, 'L') + " leg4=", ""},
      {Panel(9).set(0x0180, {5, 0, 1, 0x88, 1, 0x88, 1, 0x88}).set(0x0500, {149}).set(0x0501, std::vector<int>(149, 'L')),
       loadOk, "leg1= leg4=", "'ROOM-LEGEND-NAME[1]' cannot be \"'" + std::string(149, 'L') + "'\" - kept no value\r\n"},
  };
  for (const auto& c : cases) {
    MemDebugForm::instance().reset();
    EXPECT_EQ(decode(c.panel), c.result) << c.line;
    EXPECT_NE(roomValues(*settings).find(c.expected), std::string::npos) << roomValues(*settings);
    EXPECT_TRUE(logged(c.line)) << MemDebugForm::instance().txtMemDumpListing();
  }
}

// The image built in rule set `version` without its time stamp; "" when none is built.
std::string build(PanelSettingsV2& settings, int16_t version) {
  MemDebugForm::instance().reset();
  std::shared_ptr<memBlockCls> image = settings.makeMemoryMap(version, 1, 0);
  return image ? image->memImage().replace(0x0120, 32, std::string(32, '\0')) : "";
}

// The settings of a room text, read and checked; null when the check does not give 0.
std::unique_ptr<PanelSettingsV2> checkedRoom(const std::string& text) {
  ParseFileListing::instance().txtParseFileListing("");
  auto room = std::make_unique<PanelSettingsV2>();
  int16_t result = -1;
  room->parseRoomFileText("room.room", text);
  room->IsDriverValid(result);
  return result == loadOk ? std::move(room) : nullptr;
}

// Images of the example library, as the program starts with it, read back from a fake panel.
class ImageReadBack : public ::testing::Test {
 protected:
  void SetUp() override { programStartup(std::string(ORVELLA_SOURCE_DIR) + "/examples/library"); }
  void TearDown() override { VXCommon::resetStartupGlobals(); }

  // The room text a panel holding `image` gives back; that room must build `image` again.
  std::string roomGivenBack(const std::string& image, int16_t version) {
    PanelSettingsV2 panel;
    int16_t found = 0;
    if (decodeFrom(source, image, panel, found) != loadOk) return "(does not decode)";
    const std::string text = panel.encodeRoomFile();
    std::unique_ptr<PanelSettingsV2> room = checkedRoom(text);
    EXPECT_TRUE(room && build(*room, version) == image) << "the room given back builds another image";
    return text;
  }

  TempXdgHome home;
  FakeBlockSource source;
  ScopedBlockSource installed{source};
};

// Built with room choices of its own, read back and built again.
TEST_F(ImageReadBack, SampleDriversInEveryFormat) {
  for (const char* name : {"Acme PX-100 (Rev A).prjdrv", "Acme PX-200 (Rev A).prjdrv",
                           "Acme PX-200 (Rev B).prjdrv", "Borel IR-5 (Rev A).prjdrv"}) {
    for (int16_t version = 1; version <= 3; ++version) {
      SCOPED_TRACE(std::string(name) + " format " + std::to_string(version + 6));
      PanelSettingsV2 room, decoded;
      room.ReadAndParseProjFile(VXCommon::gFileTypes->localDir(ftDrivers) + name);
      int16_t result = -1, found = 0;
      room.IsDriverValid(result);
      room.codeTableRoomSelectionIdx(1, int16_t(room.codeTableSelections().size()));
      room.roomRelayEventSelected(7, "AudioOn");
      room.roomLegendName(2, "Doc\r\nCam");
      const std::string image = build(room, version);
      ASSERT_FALSE(image.empty()) << MemDebugForm::instance().txtMemDumpListing();

      ASSERT_EQ(decodeFrom(source, image, decoded, found), loadOk) << MemDebugForm::instance().txtMemDumpListing();
      EXPECT_EQ(found, version);
      EXPECT_EQ(decoded.codeTableRoomSelectionIdx(1), room.codeTableRoomSelectionIdx(1));
      EXPECT_EQ(decoded.roomRelayEventSelected(7), version == 1 ? "Selection1" : "AudioOn");
      EXPECT_EQ(decoded.roomLegendName(2), version == 3 ? "Doc\r\nCam" : "");
      EXPECT_TRUE(build(decoded, version) == image);
    }
  }
}

// The factory defaults built in format 9 with a legend table damaged: the texts that could not
// be built again are warnings, and the room written from the panel builds again.
TEST_F(ImageReadBack, DamagedLegendTablesWriteARoomThatBuildsAgain) {
  PanelSettingsV2 defaults;
  ASSERT_FALSE(defaults.loadDefaults());  // true on a failure
  int16_t format9 = 3;
  std::shared_ptr<memBlockCls> built = defaults.makeMemoryMap(format9, 1, 0);
  ASSERT_TRUE(built);
  const struct { int32_t address; int value; std::string warning; } cases[] = {
      // The length of the first font text raised: NULs and the next table's bytes.
      {0x0228, 0xEA, "[W]             'ROOM-LEGEND-FONT[1]' cannot be \"$00,$00,"},
      // The first name's pointer moved back one byte, onto the low byte of the last pointer ($A0): a text of
      // 160 bytes, the four names with their length bytes and the NULs after them.
      {0x0181, 0x87, "[W]             'ROOM-LEGEND-NAME[1]' cannot be \"$07,'INPUT 1',$07,'INPUT 2',$07,"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.address);
    std::string image = built->memImage();
    image[size_t(c.address)] = char(c.value);
    PanelSettingsV2 decoded;
    int16_t found = 0;
    MemDebugForm::instance().reset();
    EXPECT_EQ(decodeFrom(source, image, decoded, found), loadOk);
    EXPECT_TRUE(logged(c.warning)) << MemDebugForm::instance().txtMemDumpListing();
    home.writeFile("decoded.room", decoded.encodeRoomFile());
    PanelSettingsV2 room;
    int16_t result = -1;
    ASSERT_TRUE(room.ReadAndParseRoomFile(home.root() + "/decoded.room"));
    room.IsDriverValid(result);
    EXPECT_EQ(result, 0);
    MemDebugForm::instance().reset();
    EXPECT_TRUE(room.makeMemoryMap(format9, 1, 0)) << MemDebugForm::instance().txtMemDumpListing();
  }
}

// The saved room built in each format, one settings byte at a time damaged: whenever the
// panel decodes with 0, the room file written from it reads back and checks 0.
TEST_F(ImageReadBack, DamagedSettingsWriteARoomThatReadsBack) {
  std::set<std::string> checked;
  PanelSettingsV2 saved;
  ASSERT_TRUE(saved.ReadAndParseRoomFile(VXCommon::gFileTypes->localDir(ftSavedRooms) + "Room 101.room"));
  // The advanced-relay bit, the room's projector bits and the room settings (the fuzz target
  // damages the rest).
  std::vector<int32_t> addresses = {0x0012, 0x0403, 0x0407, 0x0412};
  for (int32_t a = 0x1F00; a < 0x1F30; ++a) addresses.push_back(a);
  for (int16_t version = 1; version <= 3; ++version) {
    std::shared_ptr<memBlockCls> built = saved.makeMemoryMap(version, 1, 0);
    ASSERT_TRUE(built) << version;
    for (int32_t address : addresses) {
      for (int value : {0x09, 0x4D, 0xEE, 0xFF}) {
        std::string image = built->memImage();
        image[size_t(address)] = char(value);
        PanelSettingsV2 decoded;
        int16_t found = 0;
        const int16_t result = decodeFrom(source, image, decoded, found);
        MemDebugForm::instance().reset();
        if (result != loadOk) continue;
        // Many damages give the same room; each room is read once.
        auto [room, isNew] = checked.insert(decoded.encodeRoomFile());
        if (isNew) {
          EXPECT_TRUE(checkedRoom(*room)) << version << " " << address << " " << value;
        }
      }
    }
  }
}

// The room's lines of the keys the panel holds: the selection keys and hidden functions OFF to 4.
std::vector<std::string> heldKeyLines(const std::string& room) {
  std::vector<std::string> lines = listing_lines::starting(room, "ROOM-SELECTION[");
  for (const std::string& line : listing_lines::starting(room, "ROOM-HID-FUNCT["))
    if (line[15] < '5' || line[15] > '8') lines.push_back(line);
  return lines;
}

// Every code of each example driver as each key (hidden functions the panel lacks too), key k of
// room r taking code r + k: the check flags the codes the driver does not flag for their roles,
// which moves the positions of the codes after them in the panel's lists.
TEST_F(ImageReadBack, EveryCodeAsEachKeyComesBackAsChosen) {
  std::vector<std::string> keys;
  for (char n = '1'; n <= '4'; ++n) keys.push_back(std::string("ROOM-SELECTION[") + n + "]=");
  for (const char* n : {"OFF", "VUP", "VDN", "1", "2", "3", "4", "5", "6", "7", "8"})
    keys.push_back(std::string("ROOM-HID-FUNCT[") + n + "]=");
  int drivers = 0;
  for (const auto& file : std::filesystem::directory_iterator(VXCommon::gFileTypes->localDir(ftDrivers))) {
    if (file.path().extension() != ".prjdrv") continue;
    ++drivers;
    PanelSettingsV2 driver;
    int16_t result = -1;
    driver.ReadAndParseProjFile(file.path().string());
    driver.IsDriverValid(result);
    ASSERT_EQ(result, loadOk) << file.path();
    const size_t codes = size_t(driver.codeTableCount());
    for (size_t r = 0; r < codes; ++r) {
      std::string text = driver.encodeRoomFile();
      for (size_t k = 0; k < keys.size(); ++k)
        text = listing_lines::withLine(text, keys[k] + "'" + driver.codeTableName(int16_t((r + k) % codes + 1)) + "'");
      std::unique_ptr<PanelSettingsV2> chosen = checkedRoom(text);
      ASSERT_TRUE(chosen) << file.path() << " room " << r;
      const std::vector<std::string> keyLines = heldKeyLines(chosen->encodeRoomFile());
      ASSERT_EQ(keyLines.size(), 11u);
      for (int16_t version = 1; version <= 3; ++version) {
        SCOPED_TRACE(file.path().filename().string() + " room " + std::to_string(r) + " format " +
                     std::to_string(version + 6));
        const std::string image = build(*chosen, version);
        ASSERT_FALSE(image.empty());
        EXPECT_EQ(heldKeyLines(roomGivenBack(image, version)), keyLines);
      }
    }
  }
  EXPECT_GE(drivers, 4);
}

// A legend name and font holding each byte value: what a room file can carry comes back as its
// line; what it cannot is given in the room's own form or not at all.
TEST_F(ImageReadBack, LegendOfEveryByteComesBackAsBuilt) {
  const std::string saved = readOrFail(VXCommon::gFileTypes->localDir(ftSavedRooms) + "Room 101.room");
  auto legendRoom = [&saved](const std::string& text) {
    return listing_lines::withLine(listing_lines::withLine(saved, "ROOM-LEGEND-NAME[1]=\"" + text + "\""),
                                   "ROOM-LEGEND-FONT[1]=\"" + text + "\"");
  };
  // The panel of each byte: the image of "PXC" with the X of every copy replaced.
  std::unique_ptr<PanelSettingsV2> placeholder = checkedRoom(legendRoom("PXC"));
  ASSERT_TRUE(placeholder);
  const std::string placeholderImage = build(*placeholder, 3);
  std::vector<size_t> copies;
  for (size_t at = placeholderImage.find("PXC"); at != std::string::npos; at = placeholderImage.find("PXC", at + 1))
    copies.push_back(at + 1);
  ASSERT_EQ(copies.size(), 3u);  // the short name, the name table and the font table
  for (int b = 0; b <= 0xFF; ++b) {
    SCOPED_TRACE(b);
    const std::string text = std::string("P") + char(b) + "C";
    std::string image = placeholderImage;
    for (size_t at : copies) image[at] = char(b);
    if (std::unique_ptr<PanelSettingsV2> chosen = checkedRoom(legendRoom(text))) {
      ASSERT_TRUE(build(*chosen, 3) == image);
      const std::string room = roomGivenBack(image, 3);
      EXPECT_NE(room.find("\r\nROOM-LEGEND-NAME[1]=\"" + text + "\"\r\n"), std::string::npos);
      EXPECT_NE(room.find("\r\nROOM-LEGEND-FONT[1]=\"" + text + "\"\r\n"), std::string::npos);
    } else {
      PanelSettingsV2 panel;
      int16_t found = 0;
      ASSERT_EQ(decodeFrom(source, image, panel, found), loadOk);
      const KeyValuePtr& names = PanelSettingsTestAccess::slot(panel, kwRoomLegendName);
      const std::string name = names ? names->GetValue(Variant("1")).toText() : "";
      EXPECT_TRUE(name.empty() || name == VXCommon::crLfToPipe(text));
      EXPECT_EQ(panel.roomLegendFont(1), "");
    }
  }
}

}  // namespace
