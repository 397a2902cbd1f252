// The panel image encoder: each grammar's bytes and log lines on small settings, the walk's
// handing over or withholding of the image, and a clean image of every sample file in every
// memory format.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/hex_dump.h"
#include "common/hex_text.h"
#include "panel/image/image_encoder.h"
#include "panel/model/memory_grammar.h"
#include "panel/model/room_slot_values.h"
#include "tests/panel/driver_text_support.h"
#include "wizard/mem_debug_form.h"

namespace {

using Encoder = PanelSettingsTestAccess::ImageEncoder;

memRuleClass rule(int16_t grammar, int32_t address, int16_t row = 0, int16_t bit = 0,
                  const char* flag = "", int32_t poke = 0, int16_t lowBound = 0) {
  memRuleClass r;
  r.memoryValRemark = "R";
  r.memoryGrammar = grammar;
  r.memoryStartAddress = address;
  r.memoryValIndex = row;
  r.memoryBitNum = bit;
  r.memoryGrammarFlagTest = flag;
  r.memoryPokeVal = poke;
  r.memLowBound = lowBound;
  return r;
}

std::unique_ptr<PanelSettingsV2> settingsOf(const std::string& statements) {
  auto settings = std::make_unique<PanelSettingsV2>();
  std::string text;
  for (char c : statements) text += c == '|' ? std::string("\r\n") : std::string(1, c);
  driver_test::lexText(*settings, text + "\r\n");
  return settings;
}

std::string hexSpan(const std::string& bytes, int32_t at, size_t count) {
  std::string text;
  for (size_t i = 0; i < count; ++i)
    text += (i ? " " : "") + VXCommon::hex2Str(static_cast<unsigned char>(bytes[size_t(at) + i]));
  return text;
}

// The grammars' own log lines, joined by "|": no remark, keyword, trace or empty lines.
std::string logOf(const memBlockCls& image) {
  const FlagList flags = image.dirtyBlocks();
  const std::string dump = VXCommon::hexDump(image.memImage(), 0, &flags) + "\r\n\r\n";
  const std::string listing = image.memDebugListing(true);
  std::string log = listing.substr(listing.find(dump) + dump.size()), joined;
  for (const std::string& line : listing_lines::of(log))
    if (line.rfind("[", 0) == 0 && line != "[I]R" && line.find("  from: '") == std::string::npos)
      joined += (joined.empty() ? "" : "|") + line;
  return joined;
}

struct Encoded {
  std::string bytes, log;
  int16_t errors;
  std::vector<ImageBuildError> records;
};

Encoded runRules(const PanelSettingsV2& settings, const std::vector<memRuleClass>& rules,
             int16_t fwMinor = 88) {
  memBlockCls image;
  image.Clear(8192, 1);
  MemRuleSet set;
  for (const memRuleClass& r : rules) set.append(r);
  Encoder encoder(settings, set, image, 0, fwMinor);
  for (const auto& r : set) encoder.applyRule(*r);
  encoder.checkTextFields();
  return {image.memImage(), logOf(image), image.memDebugErrors(), encoder.takeErrors()};
}

constexpr const char* kRelays =
    "ROOM-RELAY[7]=Maintained,~AudioOn|ROOM-RELAY[6]=1.0sec,Locked|ROOM-RELAY[5]=Maintained,"
    "AuxAudio|ROOM-RELAY[4]=Maintained,ProjResponding|ROOM-RELAY[3]=500ms,Off|"
    "ROOM-RELAY[2]=500ms,On|ROOM-RELAY[1]=Maintained,On";
constexpr const char* kCodes =
    "RSCODE['A']=\"'a'\",IS-SELECTION|RSCODE['B']=\"'b'\",IS-SELECTION|RSCODE['M']=\"'m'\","
    "IS-HIDDEN|RSCODE['F']=\"'f'\",IS-HIDDEN|RSCODE['ON']=\"'1'\"|RSCODE['OFF']=\"'0'\"|"
    "ROOM-SELECTION[1]='b'|ROOM-SELECTION[2]='X'|ROOM-HID-FUNCT[VDN]='F'|ROOM-HID-FUNCT[1]='M'|"
    "DEFAULT-CORE-FUNCT[OFF]='OFF'|DEFAULT-CORE-FUNCT[ON]='ON'|DEFAULT-CORE-FUNCT[POLL]='NOPE'";
constexpr const char* kPreamp =
    "ROOM-AFVP-GBT[1]=2,6,6|ROOM-AFVP-GBT[2]=3,7,5|ROOM-AFVP-GBT[3]=0,6,6|ROOM-AFVP-GBT[4]=1,6,6|"
    "ROOM-AFVP-GBT[5]=0,6,12";

TEST(ImageEncoder, EachGrammarWritesItsBytesAndLogLines) {
  const std::string none, time = "[I]            requested Time=", baud = "[I]           baud requested=";
  struct {
    std::string statements;
    memRuleClass rule;
    size_t count;
    std::string bytes, log;
    int16_t fwMinor = 88;
  } cases[] = {
      {none, rule(gramConstByte, 0x1F01, 0, 0, "", 9), 1, "09", ""},
      {none, rule(gramConstWord, 0x1F03, 0, 0, "", 1024), 2, "04 00", ""},
      {"VOL-MUTE=3", rule(gramByte, 0x0409, kwVolMute, 0, "", 0, 5), 1, "05",
       "[W]Value less than lowbound - coercing to low value of 5"},
      {none, rule(gramByte, 0x0409, kwVolMute), 1, "00", "[E]Program Error - no value for 'VOL-MUTE'"},
      {"ROOM-ENABLE-AUX-AUDIO=TRUE", rule(gramBit, 0x1F02, kwRoomEnableAuxAudio, 2), 1, "04", ""},
      {"ROOM-AFVP-DEFEAT-EQ=FALSE", rule(gramNotBit, 0x1F02, kwRoomAfvpDefeatEq, 4), 1, "10", ""},
      {"ROOM-ALTERNATE-CTS-USE=Keylock", rule(gramFlagBit, 0x1F02, kwRoomAlternateCtsUse, 7, "keylock"), 1,
       "80", "[I]            val='keylock'"},
      {"ROOM-POWER-SENSE-SELECTED=None", rule(gramNotFlagBit, 0x0412, kwRoomPowerSenseSelected, 3, "None"), 1,
       "00", "[I]            NOT val='None'"},
      {"CARRIER-PERIOD=26.2u", rule(gramTimeTick200ns, 0x0405, kwCarrierPeriod, 0, "", 0, 1), 1, "83",
       time + "26.2u coerced by to=26.2u"},
      {"CARRIER-PERIOD=10m", rule(gramTimeTick200ns, 0x0405, kwCarrierPeriod, 0, "", 0, 1), 1, "00",
       time + "10m coerced by to=6.5534m|[E]PokeByte error - out of bounds byte at location 1029"},
      {"ROOM-PROJ-LOCKOUT=0s", rule(gramTimeTick1880ms, 0x1F07, kwRoomProjLockout, 0, "", 0, 1), 1, "01",
       time + "0u coerced by to=1.88s"},
      {"ROOM-INACT-SHUTDOWN-TIMER=2H", rule(gramTimeTick120s, 0x1F06, kwRoomInactShutdownTimer), 1, "3C",
       time + "2H coerced by to=2H"},
      {"IO-DOWNTIME=10s", rule(gramTimeTick29ms, 0x040E, kwIoDowntime, 0, "", 0, 1), 1, "00",
       time + "10s coerced by to=10.005s|[E]PokeByte error - out of bounds byte at location 1038"},
      {"CARRIER-PERIOD=26.2u|CARRIER-DUTY-CYCLE=50", rule(gramDutyCycle, 0x0406, kwCarrierDutyCycle), 1, "42", ""},
      {"PROJ-BAUD-RATE=9600,8,N,1", rule(gramBaud, 0x0407, kwProjBaudRate), 2, "00 20",
       baud + "9600 with BRGH=0 is actually 9470 err=1.35%", 87},
      {"PROJ-BAUD-RATE=9600,8,N,1", rule(gramBaud, 0x0407, kwProjBaudRate), 2, "01 81",
       baud + "9600 with BRGH=1 is actually 9615 err=-0.16%"},
      {"PROJ-BAUD-RATE=2400,7,E,2", rule(gramBaud, 0x0407, kwProjBaudRate), 2, "3E 81",
       baud + "2400 with BRGH=0 is actually 2404 err=-0.17%"},
      {"PROJ-BAUD-RATE=1200,8,M,1", rule(gramBaud, 0x0407, kwProjBaudRate), 2, "28 FF",
       baud + "1200 with BRGH=0 is actually 1221 err=-1.75%"},
      {"PROJ-DRIVER-NAME='ABCDEFGHIJKLMNOPQRST'", rule(gramDriverName, 0x0013, kwProjDriverName), 3, "14 41 42", ""},
      {"PROJ-DRIVER-NAME='ABCDEFGHIJKLMNOPQRST'", rule(gramShortDriverName, 0x0080), 17,
       "41 42 43 44 45 46 47 48 49 4A 4B 4C 4D 4E 4F 00 00", ""},
      {"ROOM-LEGEND-NAME[2]=\"B\"|ROOM-LEGEND-NAME[1]=\"A\"", rule(gramShortLegends, 0x0140, kwRoomLegendName),
       18, "41 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 42 00", ""},
      {"ROOM-LEGEND-NAME[3]=\"DVD\"|ROOM-LEGEND-NAME[1]=\"PC\"", rule(gramLegendTable, 0x0180, kwRoomLegendName),
       17, "01 88 01 8B 01 8C 01 90 02 50 43 00 03 44 56 44 00", ""},
      {"POWER-POLL-MATCH-BYTES=\"'PW',$31\"", rule(gramMatchBytes, 0x0415, kwPowerPollMatchBytes), 4,
       "03 50 57 31", ""},
      {kCodes, rule(gramSelIndex, 0x0000, kwRoomSelection), 4, "02 00 00 00", ""},
      {kCodes, rule(gramSelIndex0, 0x0008, kwRoomSelection), 4, "01 FF FF FF", ""},
      {kCodes, rule(gramHidIndex, 0x0004, kwRoomHidFunct), 7, "00 00 02 01 00 00 00", ""},
      {kCodes, rule(gramHidIndex0, 0x000C, kwRoomHidFunct), 7, "FF FF 01 00 FF FF FF", ""},
      {kCodes, rule(gramCoreIndex, 0x0000, kwDefaultCoreFunct), 4, "01 00 FF 00", ""},
      {kRelays, rule(gramRelaysV9, 0x1F08, kwRoomRelay), 7, "1E 2C 0C 3C 58 5F 0F", ""},
      {kRelays, rule(gramRelaysV8, 0x1F08, kwRoomRelay), 7, "0F 5F 58 3C 0C 2C 1E", ""},
      {kRelays, rule(gramRelaysV7, 0x1F08, kwRoomRelay), 2, "67 00", ""},
      {none, rule(gramRelaysV7, 0x1F08, kwRoomRelay), 1, "00", "[E]Program Error - no value for 'ROOM-RELAY'"},
      {kPreamp, rule(gramAfvp, 0x1F20, kwRoomAfvpGbt), 11, "02 66 03 75 00 66 01 66 00 6C 00", ""},
      {kPreamp, rule(gramAfvp4, 0x1F20, kwRoomAfvpGbt), 10, "02 66 03 75 00 66 01 66 00 00", ""},
      {none, rule(37, 0x0000), 1, "00", "[E]Program Error - unclassified memory rule"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.statements + " grammar " + std::to_string(c.rule.memoryGrammar));
    auto settings = settingsOf(c.statements);
    Encoded run = runRules(*settings, {c.rule}, c.fwMinor);
    EXPECT_EQ(hexSpan(run.bytes, c.rule.memoryStartAddress, c.count), c.bytes);
    EXPECT_EQ(run.log, c.log);
  }
}

TEST(ImageEncoder, CodeTableTakesTheBitTimesAndNamesThePanelsPositions) {
  auto settings = settingsOf(
      "IR-TIME-0H=560u|IR-TIME-0L=560u|IR-TIME-1H=560u|IR-TIME-1L=1690u|IRCODE['ON']=\"%01\"|"
      "DEFAULT-CORE-FUNCT[ON]='ON'");
  std::vector<memRuleClass> rules;
  const int16_t times[] = {kwIrTime0H, kwIrTime0L, kwIrTime1H, kwIrTime1L};
  for (int16_t slot = 0; slot < 4; ++slot) {
    rules.push_back(rule(gramDelaySlot, 0, times[slot]));
    rules.back().delayTableOffset = slot;
  }
  rules.push_back(rule(gramCodeTable, 0x0430, kwIrCode));
  Encoded run = runRules(*settings, rules);
  EXPECT_EQ(run.errors, 0) << run.log;
  // Delay table at 0x0458 after 19 index words, ON at position 5; one name, one entry.
  EXPECT_EQ(hexSpan(run.bytes, 0x0430, 12), "04 58 00 00 00 00 00 00 00 00 04 76");
  EXPECT_EQ(hexSpan(run.bytes, 0x0458, 4), "0B 0B 0B 21");
  EXPECT_EQ(hexSpan(run.bytes, 0x046F, 12), "00 01 04 73 02 4F 4E 00 00 00 B0 00");
}

// A later rule that starts before a text field and runs into it.
TEST(ImageEncoder, ATextFieldALaterRuleOverwritesIsAnError) {
  auto settings = settingsOf("PROJ-DRIVER-NAME='ABCDEFGHIJKLMNOPQRST'");
  Encoded run =
      runRules(*settings, {rule(gramDriverName, 0x0013, kwProjDriverName), rule(gramShortDriverName, 0x000A)});
  EXPECT_EQ(run.errors, 1);
  EXPECT_EQ(run.log.substr(run.log.rfind('|') + 1), "[E]R - field $0013-$0027 overwritten by a later rule");
}

// A length-prefixed text runs up to the next address of its rule set: in format 9 the driver
// name stops at the short driver name, in formats 7 and 8 at the projector configuration; the
// reply pattern stops at the code table. One that does not fit says so and writes nothing.
TEST(ImageEncoder, LengthPrefixedTextsMustFitTheirFields) {
  const std::string name = "[E][CONFIG] Projector Driver Name - the text of 'PROJ-DRIVER-NAME' needs ";
  const std::string match = "[E][FW] ProjConfig: PPOLL_MATCH_BYTES - the text of 'POWER-POLL-MATCH-BYTES' needs ";
  const struct {
    int16_t version;
    size_t nameLength, matchLength;
    std::string errors;
  } cases[] = {
      {3, 108, 26, ""},  // both exactly full
      {3, 109, 0, name + "110 bytes with its length byte, but its field $0013-$007F holds 109"},
      {3, 300, 0, name + "301 bytes with its length byte, but its field $0013-$007F holds 109"},
      {3, 5, 27, match + "28 bytes with its length byte, but its field $0415-$042F holds 27"},
      {1, 5, 27, match + "28 bytes with its length byte, but its field $0415-$042F holds 27"},
      {1, 255, 0, ""},
      {2, 171, 0, ""},
      // Over the length byte's 255 in a field that would hold it: the image's own limit.
      {2, 256, 0, "[E]pokeLString error - string exceeds max length 19"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("format " + std::to_string(c.version + 6) + " name " + std::to_string(c.nameLength) +
                 " match " + std::to_string(c.matchLength));
    const std::string driverName(c.nameLength, 'N'), pattern(c.matchLength, 'M');
    auto settings =
        settingsOf("PROJ-DRIVER-NAME='" + driverName + "'|POWER-POLL-MATCH-BYTES=\"'" + pattern + "'\"");
    memBlockCls image;
    image.Clear(8192, 1);
    const MemRuleSet& set = settings->memRules(c.version);
    Encoder encoder(*settings, set, image, 1, 0);
    for (const auto& r : set)
      if (r->memoryGrammar == gramDriverName || r->memoryGrammar == gramMatchBytes) encoder.applyRule(*r);
    encoder.checkTextFields();
    const std::string log = logOf(image);
    std::string errors;
    for (size_t at = log.find("[E]"); at != std::string::npos; at = log.find("[E]", at + 1))
      errors += (errors.empty() ? "" : "|") + log.substr(at, log.find('|', at) - at);
    EXPECT_EQ(errors, c.errors);
    EXPECT_EQ(image.memDebugErrors(), c.errors.empty() ? 0 : 1);
    // A text that does not fit leaves even its length byte unwritten.
    const bool nameFits = c.errors.find("Driver Name") == std::string::npos && c.nameLength <= 255;
    EXPECT_EQ(image.peekLString(0x0013), nameFits ? driverName : "");
    EXPECT_EQ(image.peekLString(0x0415), c.errors.find("MATCH") == std::string::npos ? pattern : "");
  }
}

// A legend table's texts must fit in its field, up to the next field of the set: the error
// line says by how much they do not, and the table writes nothing.
TEST(ImageEncoder, LegendTextsMustFitTheirTablesField) {
  const std::string table = "[E]R - the texts of '";
  auto legends = [](const char* keyword, std::vector<std::string> texts) {
    std::string statements;
    for (size_t n = 0; n < texts.size(); ++n)
      statements += std::string(n ? "|" : "") + keyword + "[" + std::to_string(n + 1) + "]=\"" + texts[n] + "\"";
    return statements;
  };
  const struct {
    std::string statements;
    int32_t table;
    std::string log;
  } cases[] = {
      {legends("ROOM-LEGEND-NAME", {std::string(150, 'P'), "LAPTOP HDMI", "DVD", "DOC CAMERA"}), 0x0180,
       table + "ROOM-LEGEND-NAME' need 178 bytes with their length bytes, but its field $0180-$021F holds 152 "
               "after its 4 pointers; 'ROOM-LEGEND-NAME[1]' is 26 bytes too long"},
      {legends("ROOM-LEGEND-FONT", {"", std::string(60, 'F'), std::string(60, 'F'), std::string(30, 'F')}), 0x0220,
       table + "ROOM-LEGEND-FONT' need 154 bytes with their length bytes, but its field $0220-$02BF holds 152 "
               "after its 4 pointers"},
      {legends("ROOM-LEGEND-NAME", {std::string(148, 'P')}), 0x0180, ""},  // exactly full
      {legends("ROOM-LEGEND-NAME", {std::string(149, 'P')}), 0x0180,
       table + "ROOM-LEGEND-NAME' need 153 bytes with their length bytes, but its field $0180-$021F holds 152 "
               "after its 4 pointers; 'ROOM-LEGEND-NAME[1]' is 1 byte too long"},
      // The last table's field runs up to the projector configuration.
      {legends("ROOM-LEGEND-GIF", {std::string(77, 'G'), "a.gif", "b.gif", std::string(230, 'G')}), 0x02C0,
       table + "ROOM-LEGEND-GIF' need 321 bytes with their length bytes, but its field $02C0-$03FF holds 312 "
               "after its 4 pointers; 'ROOM-LEGEND-GIF[4]' is 9 bytes too long"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.statements.substr(0, 40));
    auto settings = settingsOf(c.statements);
    Encoded run = runRules(*settings, {rule(gramLegendTable, 0x0180, kwRoomLegendName),
                                       rule(gramLegendTable, 0x0220, kwRoomLegendFont),
                                       rule(gramLegendTable, 0x02C0, kwRoomLegendGif),
                                       rule(gramConstByte, 0x0400, 0, 0, "", 1)});
    EXPECT_EQ(run.log, c.log);
    EXPECT_EQ(run.errors, c.log.empty() ? 0 : 1);
    // A table that does not fit writes not even its first pointer.
    const int32_t texts = c.table + 8;
    EXPECT_EQ(hexSpan(run.bytes, c.table, 2),
              c.log.empty() ? VXCommon::hex2Str(texts >> 8) + " " + VXCommon::hex2Str(texts & 0xFF) : "00 00");
  }
}

// Each error line is recorded with the setting it is owed to, which the room file writes as
// `statement`, and, for a value past its byte, the largest value the byte holds.
TEST(ImageEncoder, ErrorLinesNameTheirSettingAndWhatItsFieldHolds) {
  std::string codes;  // the 256th selection code on button 2, past both index forms
  for (int n = 1; n <= 256; ++n) codes += "RSCODE['S" + std::to_string(n) + "']=\"'s'\",IS-SELECTION|";
  codes += "ROOM-SELECTION[2]='S256'";
  const std::string pastByte = "PokeByte error - out of bounds byte at location ";
  const struct {
    std::string statements;
    memRuleClass rule;
    std::string statement, largest, text;  // no statement: owed to no setting
  } cases[] = {
      // 85% of 301 ticks would be 256: whole percents are cut down.
      {"CARRIER-PERIOD=60.2u|CARRIER-DUTY-CYCLE=90", rule(gramDutyCycle, 0x0406, kwCarrierDutyCycle),
       "CARRIER-DUTY-CYCLE=90", "84", pastByte + "1030"},
      {codes, rule(gramSelIndex, 0x0000, kwRoomSelection), "ROOM-SELECTION[2]='S256'", "position 255",
       pastByte + "1"},
      {codes, rule(gramSelIndex0, 0x0008, kwRoomSelection), "ROOM-SELECTION[2]='S256'", "position 255",
       pastByte + "9"},
      {"", rule(gramByte, 0x0409, kwVolMute), "", "", "Program Error - no value for 'VOL-MUTE'"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto settings = settingsOf(c.statements);
    Encoded run = runRules(*settings, {c.rule});
    ASSERT_FALSE(run.records.empty());
    const ImageBuildError& error = run.records.back();
    EXPECT_EQ(error.text, c.text);
    EXPECT_EQ(error.remark, c.statement.empty() ? "" : "R");
    EXPECT_EQ(error.row == 0 ? "" : settings->roomStatement(error.row, error.entry), c.statement);
    EXPECT_EQ(error.largest, c.largest);
  }
}

// A sample driver read and checked, as the wizard holds it before a download.
std::unique_ptr<PanelSettingsV2> sample(const std::string& name) {
  auto settings = std::make_unique<PanelSettingsV2>();
  const std::string library = std::string(ORVELLA_SOURCE_DIR) + "/examples/library/orvella/";
  if (!settings->ReadAndParseProjFile(library + "drivers/" + name))
    settings->ReadAndParseRoomFile(library + "userrooms/" + name);
  int16_t result = -1;
  settings->IsDriverValid(result);
  EXPECT_EQ(result, 0) << name;
  return settings;
}

TEST(ImageEncoder, EverySampleBuildsACleanImageInEveryFormat) {
  for (const char* name : {"Acme PX-100 (Rev A).prj", "Acme PX-100 (Rev A).prjdrv",
                           "Acme PX-200 (Rev A).prjdrv", "Acme PX-200 (Rev B).prjdrv",
                           "Borel IR-5 (Rev A).prjdrv", PanelSettingsV2::kFactoryDefaultsDriver,
                           "Room 101.room"}) {
    auto settings = sample(name);
    for (int16_t version = 1; version <= 3; ++version) {
      SCOPED_TRACE(std::string(name) + " format " + std::to_string(version + 6));
      MemDebugForm::instance().reset();
      std::shared_ptr<memBlockCls> image = settings->makeMemoryMap(version, 1, 0);
      ASSERT_TRUE(image) << MemDebugForm::instance().txtMemDumpListing();
      EXPECT_EQ(image->peekByte(0x1F01), version + 6);
      EXPECT_EQ(image->peekLString(0x0013), settings->fullDriverName());
    }
  }
}

TEST(ImageEncoder, ImageWithheldOnErrorsAndListingsAccumulate) {
  auto settings = sample("Room 101.room");
  MemDebugForm& window = MemDebugForm::instance();
  window.reset();
  int16_t version = 3;
  std::shared_ptr<memBlockCls> first = settings->makeMemoryMap(version, 1, 0);
  ASSERT_TRUE(first);
  EXPECT_EQ(window.txtMemDumpListing(), first->memDebugListing(true));
  EXPECT_NE(window.txtMemDumpListing().find(
                "\r\n\r\n[I]-------------- Writing to EEPROM -----------------\r\n"
                "[I][FW] PanlConfig: EEPROM_FORMAT\r\n    1F01 Byte=$09\r\n\r\n"
                "[I][CONFIG] Projector Driver Name\r\n[I]          from: 'PROJ-DRIVER-NAME'\r\n"),
            std::string::npos);
  const std::string stamp = first->memImage().substr(0x0120, 32);
  EXPECT_EQ(stamp.size() - stamp.find('\0'), 13u) << stamp;  // "YYYY-MM-DD HH:MM:SS" and NULs
  EXPECT_EQ(stamp[4], '-');

  PanelSettingsTestAccess::loadingDefaults(*settings, true);
  KeyValuePtr relay3 = RoomSlotValues::indexedList(PanelSettingsTestAccess::slot(*settings, kwRoomRelay), 3);
  relay3->ItemVal(2, Variant("Sometimes"));
  EXPECT_FALSE(settings->makeMemoryMap(version, 1, 0));
  EXPECT_TRUE(window.wasShown());
  const std::string& listing = window.txtMemDumpListing();
  EXPECT_EQ(listing.find(first->memDebugListing(true)), 0u);
  EXPECT_NE(listing.find("[E]Program Error - unclassified relay event"), std::string::npos);

  relay3->ItemVal(2, Variant("Off"));
  auto defaults = settings->makeMemoryMap(version, 1, 0);
  ASSERT_TRUE(defaults);
  EXPECT_EQ(defaults->memImage().substr(0x0120, 32), std::string(32, '\0'));

  version = 4;
  window.reset();
  std::vector<ImageBuildError> errors;  // this error is owed to no setting
  EXPECT_FALSE(settings->makeMemoryMap(version, 1, 0, &errors));
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].row, 0);
  EXPECT_NE(window.txtMemDumpListing().find("[E]Program Error - no memory rules for version 4"),
            std::string::npos);
}

}  // namespace
